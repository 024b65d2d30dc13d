// A drive letter that stands for a folder for the length of one test, as a stick or a mapped
// network drive would: the system lists it among its drives and reaches the folder through it.
// Under Wine the letter also gets its link in the prefix's dosdevices folder, which is how Wine
// finds a drive's files.
#pragma once

#include <windows.h>

#include <string>

class ScratchDrive {
public:
    ScratchDrive(wchar_t letter, const std::wstring& folder);
    ~ScratchDrive();
    ScratchDrive(const ScratchDrive&) = delete;
    ScratchDrive& operator=(const ScratchDrive&) = delete;

    // Whether the system now lists the letter and reaches the folder through it.
    bool Ready() const;
    // Takes the letter away before the end of the test.
    void Remove();

    // WM_DEVICECHANGE to every top-level window, as the system sends it when a volume comes or
    // goes: event is DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE.
    static void Broadcast(wchar_t letter, WPARAM event);

private:
    wchar_t letter_;
    std::wstring folder_;
    bool defined_ = false;
};
