// Icon indexes of files in the system image lists, fetched lazily for the rows about to be shown.
// Files of one type share their icon, so the index is kept per extension; only the kinds whose
// icon belongs to the file itself (programs, icons, shortcuts, cursors) are asked file by file.
// Those are read from the file, which can take tens of milliseconds each: they are fetched on a
// thread of their own, the rows showing their type's icon meanwhile, so that neither the first
// rows of a folder nor scrolling through a folder of programs waits for them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

class FileIconCache {
public:
    // wake is told, from the fetching thread, that icons came; the owner then calls TakeFetched on
    // its own thread.
    explicit FileIconCache(std::function<void()> wake = {});
    ~FileIconCache();
    FileIconCache(const FileIconCache&) = delete;
    FileIconCache& operator=(const FileIconCache&) = delete;

    // The index to keep for a file: its icon when known now (0 when the shell gives none), or, for
    // a file whose own icon is not fetched yet, a pending mark (see Pending) holding its type's
    // icon, the file being asked for meanwhile.
    int IconIndex(const std::wstring& fullName);
    // Whether a kept index is a pending mark, and the icon to show for a kept index.
    static bool Pending(int kept) { return kept < -1; }
    static int Shown(int kept) { return Pending(kept) ? -2 - kept : kept; }

    // Takes in the icons fetched since the last call; true when any came.
    bool TakeFetched();
    // Forgets the files' own icons fetched so far (another folder is shown).
    void ForgetFiles() { byFile_.clear(); }

    static bool HasOwnIcon(const std::wstring& lowerExtension);

private:
    class Fetcher;
    int TypeIcon(const std::wstring& fullName, const std::wstring& extension);

    std::unordered_map<std::wstring, int> byExtension_;
    // Own icons fetched, and the files asked for and not yet fetched, by full name.
    std::unordered_map<std::wstring, int> byFile_;
    std::unordered_set<std::wstring> asked_;
    std::function<void()> wake_;
    std::unique_ptr<Fetcher> fetcher_; // made at the first file asked for
};
