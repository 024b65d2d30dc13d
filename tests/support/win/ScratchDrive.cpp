// Drive letters for tests: a DOS device name for the letter and, under Wine, its dosdevices link.
#include "ScratchDrive.h"

#include <dbt.h>

#include <cwctype>

namespace {

std::wstring DeviceName(wchar_t letter) {
    return std::wstring(1, letter) + L":";
}

std::wstring Environment(const wchar_t* name) {
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return {};
    std::wstring value(size, L'\0');
    value.resize(::GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

// Starts a shell command line of the host in the given folder (Wine starts the host's programs
// and gives them the folder as their working directory). Wine gives no handle to wait on for such
// a program: the caller waits for what the command does.
bool StartHostShell(const std::wstring& command, const std::wstring& folder) {
    std::wstring line = L"/bin/sh -c \"" + command + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return false;
    if (process.hThread)
        ::CloseHandle(process.hThread);
    if (process.hProcess)
        ::CloseHandle(process.hProcess);
    return true;
}

bool RootReachable(wchar_t letter) {
    const DWORD attributes = ::GetFileAttributesW((std::wstring(1, letter) + L":\\").c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Waits up to ten seconds for the letter's root to be reachable or not.
bool WaitForRoot(wchar_t letter, bool reachable) {
    for (int i = 0; i < 200; ++i) {
        if (RootReachable(letter) == reachable)
            return true;
        ::Sleep(50);
    }
    return false;
}

// The letter's link in the prefix's dosdevices folder, as the host's shell names it.
std::wstring DosDevicesLink(wchar_t letter) {
    return L"$WINEPREFIX/dosdevices/" + std::wstring(1, static_cast<wchar_t>(std::towlower(letter))) + L":";
}

bool UnderWine() {
    return !Environment(L"WINEPREFIX").empty();
}

} // namespace

ScratchDrive::ScratchDrive(wchar_t letter, const std::wstring& folder) : letter_(letter), folder_(folder) {
    // The prefix is the build's own: a letter there is what a test that ended early left behind.
    // Elsewhere a letter in use is not touched, and the drive is not ready.
    if (UnderWine())
        Remove();
    if (::GetLogicalDrives() & (1u << (letter_ - L'A')))
        return;
    if (UnderWine() &&
        !(StartHostShell(L"ln -sfn \\\"$(pwd -P)\\\" \\\"" + DosDevicesLink(letter) + L"\\\"", folder) &&
          WaitForRoot(letter, true)))
        return;
    defined_ = ::DefineDosDeviceW(0, DeviceName(letter).c_str(), folder.c_str()) != FALSE;
}

ScratchDrive::~ScratchDrive() {
    Remove();
}

bool ScratchDrive::Ready() const {
    return defined_ && (::GetLogicalDrives() & (1u << (letter_ - L'A'))) != 0 && RootReachable(letter_);
}

void ScratchDrive::Remove() {
    if (!defined_ && !UnderWine())
        return;
    // Definitions stack: take them all.
    for (int i = 0; i < 8 && (::GetLogicalDrives() & (1u << (letter_ - L'A'))); ++i) {
        if (!::DefineDosDeviceW(DDD_REMOVE_DEFINITION, DeviceName(letter_).c_str(), nullptr))
            break;
    }
    // A link whose folder is gone is left to the next ln, which replaces it; a command started for
    // nothing could still run after the next one.
    if (UnderWine() && RootReachable(letter_) &&
        StartHostShell(L"rm -f \\\"" + DosDevicesLink(letter_) + L"\\\"", L""))
        WaitForRoot(letter_, false);
    defined_ = false;
}

void ScratchDrive::Broadcast(wchar_t letter, WPARAM event) {
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof(volume);
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << (letter - L'A');
    DWORD recipients = BSM_APPLICATIONS;
    // Sent, not posted or notified: the message carries a pointer.
    ::BroadcastSystemMessageW(BSF_QUERY | BSF_FORCEIFHUNG, &recipients, WM_DEVICECHANGE, event,
                              reinterpret_cast<LPARAM>(&volume));
}
