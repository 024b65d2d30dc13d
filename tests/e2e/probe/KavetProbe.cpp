// KavetProbe: reads a running Kavet24 from outside its process, for the end-to-end tests in
// tests/e2e, which drive the built program with real keys and clicks (xdotool) and check what a
// user would see. Runs under Wine beside the program (same prefix and wine server).
//
// Usage: KavetProbe COMMAND [ARGS]. Prints one fact per line, "key=value" in UTF-8 (CR, LF and tab
// in values written as \r, \n, \t). Exit code 0 on success, 1 when the program, a window or a
// condition is not there (or a wait timed out), 2 on a usage error.
//
// The program is the main window (class "KavetForm", no owner, caption starting with "Kavet") of
// a process named Kavet24.exe. A LOCATOR names a window of it: TOP or TOP/CHILD, where TOP is
// "main" (the main window), "active" (the program's active window) or "top:CAPTION" (a visible
// top-level window of the program with that caption), and CHILD is "CLASS" or "CLASS:N" (the
// N-th descendant of that class, 0-based, in EnumChildWindows order) or "=TEXT" (the descendant
// with that window text).
//
//   find                   main.hwnd, main.caption, main.pid
//   windows                windows.count; per visible top-level window N of the program:
//                          window.N.class, .caption, .text (its static texts joined by "|"),
//                          .buttons (its button texts joined by "|"), .enabled
//   focus                  the control with the keyboard focus in the program's thread:
//                          focus.class, focus.id, focus.text, focus.sel ("start,end" for edits),
//                          focus.top (caption of its top-level window); active.caption
//   text LOCATOR           text, enabled, visible
//   rect LOCATOR           rect.x, rect.y, rect.w, rect.h (screen), rect.cx, rect.cy (centre)
//   status [LOCATOR]       status.count, status.N (default main/msctls_statusbar32)
//   list [LOCATOR]         list.count, list.selected, list.focused, list.N = the row's cells
//                          joined by "|" (default main/SysListView32), and list.N.selected =
//                          the first cell of each selected row
//   tree [LOCATOR]         tree.count, tree.selected (its text), tree.path (texts from the root
//                          to the selected node joined by "/") (default main/SysTreeView32)
//   wait [-t MS] COND... -- COMMAND [ARGS]
//                          runs COMMAND every 100 ms until every COND holds, then prints its facts;
//                          COND is KEY=VALUE, KEY~=PART (contains) or !KEY=VALUE / !KEY~=PART
//                          (no such fact); "*" in KEY stands for any characters ("window.*.text");
//                          default timeout 10000 ms; exit 1 on timeout
//   idle [MS]              waits until the program waits for input (WaitForInputIdle)
//   post LOCATOR MSG [WPARAM [LPARAM]]   PostMessage; MSG a number or WM_CLOSE, WM_COMMAND, ...
//   send LOCATOR MSG [WPARAM [LPARAM]]   SendMessage (5 s timeout); prints result and ms (the
//                          time the program took to answer)
//   drop LOCATOR PATH...   drops the files on the centre of the located control, as Explorer's
//                          drag and drop ends: WM_DROPFILES posted to its top-level window, with
//                          the DROPFILES block written into the program's own memory (a handle
//                          of this process would mean nothing there, and Windows does not carry
//                          the block across); prints dropped=N
//   device-change arrival|removal LETTERS
//                          sends WM_DEVICECHANGE with a DEV_BROADCAST_VOLUME for the drive letters
//                          to every top-level window of the program, as the system broadcasts it
//   define-drive LETTER [TARGET]
//                          defines the drive letter's device name as TARGET (a folder), or removes
//                          its definition without TARGET; prints drives (the logical drive mask)
//   reg-delete KEY         deletes HKCU\KEY and all below it (no error when missing)
//   reg-set-sz KEY NAME DATA / reg-set-dword KEY NAME NUMBER
//   reg-get KEY NAME       reg.type (sz, dword, other), reg.value; exit 1 when missing
//   hold-desktop           keeps a hidden window until killed, so that Wine keeps its desktop
//                          for the whole test run (scripts/with-display.sh); prints "ready"
//
// Adding an outside test: write tests/e2e/NAME.sh that sources e2e.sh (see its header), prepares
// files and registry state, starts the program with kavet_start, drives it with xdotool through
// kavet_key / kavet_click, checks facts with kavet_expect / kavet_wait, and add NAME to the list
// in tests/e2e/CMakeLists.txt.
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>

#include "base/Handles.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Fact {
    std::wstring key;
    std::wstring value;
};
using Facts = std::vector<Fact>;

// Something the probe looked for is not there: exit code 1.
struct Missing : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// The command line is wrong: exit code 2.
struct Usage : std::runtime_error {
    using std::runtime_error::runtime_error;
};

using Args = std::vector<std::wstring>;

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                          nullptr);
    return out;
}

std::wstring Escaped(const std::wstring& value) {
    std::wstring out;
    for (wchar_t c : value) {
        if (c == L'\r')
            out += L"\\r";
        else if (c == L'\n')
            out += L"\\n";
        else if (c == L'\t')
            out += L"\\t";
        else
            out += c;
    }
    return out;
}

void Print(const Facts& facts) {
    std::string out;
    for (const Fact& fact : facts)
        out += Utf8(fact.key + L"=" + Escaped(fact.value)) + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
}

std::wstring Hex(const void* pointer) {
    wchar_t text[32];
    std::swprintf(text, 32, L"0x%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(pointer)));
    return text;
}

long long Number(const std::wstring& text) {
    wchar_t* end = nullptr;
    const long long value = std::wcstoll(text.c_str(), &end, 0);
    if (text.empty() || *end != L'\0')
        throw Usage("not a number: " + Utf8(text));
    return value;
}

std::wstring WindowText(HWND hwnd) {
    // WM_GETTEXT is copied across processes by the system.
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    ::SendMessageTimeoutW(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                          SMTO_ABORTIFHUNG, 5000, &got);
    text.resize(got);
    return text;
}

// A top-level window's caption without a message: found even while its thread is busy.
std::wstring Caption(HWND hwnd) {
    wchar_t text[512] = {};
    ::InternalGetWindowText(hwnd, text, 512);
    return text;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    ::GetClassNameW(hwnd, name, 256);
    return name;
}

// --- The program's windows ---

bool IsProgramProcess(DWORD pid) {
    KernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process)
        return false;
    wchar_t path[MAX_PATH * 4] = {};
    DWORD size = MAX_PATH * 4;
    if (!::QueryFullProcessImageNameW(process.Get(), 0, path, &size))
        return false;
    const std::wstring name(path, size);
    const std::wstring tail = L"\\kavet24.exe";
    return name.size() >= tail.size() &&
           ::CompareStringOrdinal(name.c_str() + name.size() - tail.size(), static_cast<int>(tail.size()),
                                  tail.c_str(), static_cast<int>(tail.size()), TRUE) == CSTR_EQUAL;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM out) {
    reinterpret_cast<std::vector<HWND>*>(out)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> TopWindows() {
    std::vector<HWND> windows;
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND MainWindow() {
    for (HWND hwnd : TopWindows()) {
        if (ClassOf(hwnd) != L"KavetForm" || ::GetWindow(hwnd, GW_OWNER))
            continue;
        // Compared in place: GCC 12 at -O3 on i686 takes the temporary's release for a free of the
        // literal, a false -Wfree-nonheap-object.
        const std::wstring caption = Caption(hwnd);
        if (std::wcsncmp(caption.c_str(), L"Kavet", 5) != 0)
            continue;
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hwnd, &pid);
        if (IsProgramProcess(pid))
            return hwnd;
    }
    throw Missing("no Kavet24 main window");
}

DWORD ProgramPid(HWND main) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(main, &pid);
    return pid;
}

std::vector<HWND> ProgramWindows(bool visibleOnly) {
    const DWORD pid = ProgramPid(MainWindow());
    std::vector<HWND> windows;
    for (HWND hwnd : TopWindows()) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if (owner == pid && (!visibleOnly || ::IsWindowVisible(hwnd)))
            windows.push_back(hwnd);
    }
    return windows;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> children;
    ::EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}

GUITHREADINFO ThreadInfo(HWND main) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(main, nullptr), &info))
        throw Missing("no thread information");
    return info;
}

HWND Locate(const std::wstring& locator) {
    const size_t slash = locator.find(L'/');
    const std::wstring top = locator.substr(0, slash);
    HWND window = nullptr;
    if (top == L"main") {
        window = MainWindow();
    } else if (top == L"active") {
        window = ThreadInfo(MainWindow()).hwndActive;
    } else if (top.rfind(L"top:", 0) == 0) {
        for (HWND hwnd : ProgramWindows(true))
            if (WindowText(hwnd) == top.substr(4)) {
                window = hwnd;
                break;
            }
    } else {
        throw Usage("bad locator: " + Utf8(locator));
    }
    if (!window)
        throw Missing("no window " + Utf8(top));
    if (slash == std::wstring::npos)
        return window;
    const std::wstring child = locator.substr(slash + 1);
    if (!child.empty() && child[0] == L'=') {
        for (HWND hwnd : Descendants(window))
            if (WindowText(hwnd) == child.substr(1))
                return hwnd;
        throw Missing("no control " + Utf8(child));
    }
    const size_t colon = child.find(L':');
    const std::wstring cls = child.substr(0, colon);
    long long index = colon == std::wstring::npos ? 0 : Number(child.substr(colon + 1));
    for (HWND hwnd : Descendants(window))
        if (ClassOf(hwnd) == cls && index-- == 0)
            return hwnd;
    throw Missing("no control " + Utf8(child));
}

// --- Memory in the program, for the control messages that pass pointers ---

// A block of the program's memory for one exchange: the common controls' messages are not copied
// across processes, so their structures and texts must live in the target.
class RemoteMemory {
public:
    RemoteMemory(HWND window, size_t size) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(window, &pid);
        process_.Reset(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
        if (!process_)
            throw Missing("cannot open the program's process");
        base_ = ::VirtualAllocEx(process_.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!base_)
            throw Missing("cannot allocate in the program's process");
    }
    ~RemoteMemory() { ::VirtualFreeEx(process_.Get(), base_, 0, MEM_RELEASE); }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    char* At(size_t offset) const { return static_cast<char*>(base_) + offset; }
    void Write(size_t offset, const void* data, size_t size) {
        ::WriteProcessMemory(process_.Get(), At(offset), data, size, nullptr);
    }
    void Read(size_t offset, void* data, size_t size) const {
        ::ReadProcessMemory(process_.Get(), At(offset), data, size, nullptr);
    }
    std::wstring ReadText(size_t offset, size_t chars) const {
        std::wstring text(chars, L'\0');
        Read(offset, text.data(), chars * sizeof(wchar_t));
        text.resize(std::wcslen(text.c_str()));
        return text;
    }

private:
    KernelHandle process_;
    void* base_ = nullptr;
};

LRESULT Send(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result))
        throw Missing("the program does not answer");
    return static_cast<LRESULT>(result);
}

constexpr size_t kTextChars = 1024;
constexpr size_t kTextOffset = 256; // room for the structure ahead of the text

// --- Commands ---

Facts Find(const Args&) {
    HWND main = MainWindow();
    return {{L"main.hwnd", Hex(main)},
            {L"main.caption", WindowText(main)},
            {L"main.pid", std::to_wstring(ProgramPid(main))}};
}

std::wstring JoinedTexts(HWND top, const wchar_t* cls) {
    std::wstring joined;
    for (HWND hwnd : Descendants(top)) {
        if (ClassOf(hwnd) != cls || !::IsWindowVisible(hwnd))
            continue;
        const std::wstring text = WindowText(hwnd);
        if (text.empty())
            continue;
        joined += (joined.empty() ? L"" : L"|") + text;
    }
    return joined;
}

Facts Windows(const Args&) {
    Facts facts;
    const std::vector<HWND> windows = ProgramWindows(true);
    facts.push_back({L"windows.count", std::to_wstring(windows.size())});
    for (size_t i = 0; i < windows.size(); ++i) {
        const std::wstring prefix = L"window." + std::to_wstring(i) + L".";
        facts.push_back({prefix + L"class", ClassOf(windows[i])});
        facts.push_back({prefix + L"caption", WindowText(windows[i])});
        facts.push_back({prefix + L"text", JoinedTexts(windows[i], L"Static")});
        facts.push_back({prefix + L"buttons", JoinedTexts(windows[i], L"Button")});
        facts.push_back({prefix + L"enabled", ::IsWindowEnabled(windows[i]) ? L"1" : L"0"});
    }
    return facts;
}

Facts Focus(const Args&) {
    const GUITHREADINFO info = ThreadInfo(MainWindow());
    Facts facts{{L"active.caption", info.hwndActive ? WindowText(info.hwndActive) : L""}};
    HWND focus = info.hwndFocus;
    if (!focus) {
        facts.push_back({L"focus.class", L""});
        return facts;
    }
    facts.push_back({L"focus.class", ClassOf(focus)});
    facts.push_back({L"focus.id", std::to_wstring(::GetDlgCtrlID(focus))});
    facts.push_back({L"focus.text", WindowText(focus)});
    if (ClassOf(focus) == L"Edit") {
        // With no pointers, EM_GETSEL answers both ends in its result.
        const LRESULT sel = Send(focus, EM_GETSEL);
        facts.push_back({L"focus.sel", std::to_wstring(LOWORD(sel)) + L"," + std::to_wstring(HIWORD(sel))});
    }
    facts.push_back({L"focus.top", WindowText(::GetAncestor(focus, GA_ROOT))});
    return facts;
}

Facts Text(const Args& args) {
    if (args.empty())
        throw Usage("text LOCATOR");
    HWND hwnd = Locate(args[0]);
    return {{L"text", WindowText(hwnd)},
            {L"enabled", ::IsWindowEnabled(hwnd) ? L"1" : L"0"},
            {L"visible", ::IsWindowVisible(hwnd) ? L"1" : L"0"}};
}

Facts Rect(const Args& args) {
    if (args.empty())
        throw Usage("rect LOCATOR");
    RECT r{};
    ::GetWindowRect(Locate(args[0]), &r);
    return {{L"rect.x", std::to_wstring(r.left)},
            {L"rect.y", std::to_wstring(r.top)},
            {L"rect.w", std::to_wstring(r.right - r.left)},
            {L"rect.h", std::to_wstring(r.bottom - r.top)},
            {L"rect.cx", std::to_wstring((r.left + r.right) / 2)},
            {L"rect.cy", std::to_wstring((r.top + r.bottom) / 2)}};
}

Facts Status(const Args& args) {
    HWND bar = Locate(args.empty() ? L"main/msctls_statusbar32" : args[0]);
    const int parts = static_cast<int>(Send(bar, SB_GETPARTS, 0, 0));
    Facts facts{{L"status.count", std::to_wstring(parts)}};
    RemoteMemory memory(bar, kTextChars * sizeof(wchar_t));
    for (int i = 0; i < parts; ++i) {
        if (LOWORD(Send(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i))) >= kTextChars)
            throw Missing("status text too long");
        Send(bar, SB_GETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(memory.At(0)));
        facts.push_back({L"status." + std::to_wstring(i), memory.ReadText(0, kTextChars)});
    }
    return facts;
}

Facts List(const Args& args) {
    HWND list = Locate(args.empty() ? L"main/SysListView32" : args[0]);
    const int count = static_cast<int>(Send(list, LVM_GETITEMCOUNT));
    HWND header = reinterpret_cast<HWND>(Send(list, LVM_GETHEADER));
    const int columns = header ? std::max(1, static_cast<int>(Send(header, HDM_GETITEMCOUNT))) : 1;
    Facts facts{{L"list.count", std::to_wstring(count)},
                {L"list.selected", std::to_wstring(Send(list, LVM_GETSELECTEDCOUNT))},
                {L"list.focused", std::to_wstring(Send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                       MAKELPARAM(LVNI_FOCUSED, 0)))}};
    RemoteMemory memory(list, kTextOffset + kTextChars * sizeof(wchar_t));
    for (int row = 0; row < count; ++row) {
        std::wstring cells;
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = reinterpret_cast<LPWSTR>(memory.At(kTextOffset));
            item.cchTextMax = kTextChars;
            const wchar_t nothing = 0;
            memory.Write(kTextOffset, &nothing, sizeof(nothing));
            memory.Write(0, &item, sizeof(item));
            Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.At(0)));
            cells += (column ? L"|" : L"") + memory.ReadText(kTextOffset, kTextChars);
        }
        facts.push_back({L"list." + std::to_wstring(row), cells});
        if (Send(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED)
            facts.push_back(
                {L"list." + std::to_wstring(row) + L".selected", cells.substr(0, cells.find(L'|'))});
    }
    return facts;
}

Facts Tree(const Args& args) {
    HWND tree = Locate(args.empty() ? L"main/SysTreeView32" : args[0]);
    RemoteMemory memory(tree, kTextOffset + kTextChars * sizeof(wchar_t));
    auto itemText = [&](HTREEITEM node) {
        TVITEMW item{};
        item.mask = TVIF_TEXT | TVIF_HANDLE;
        item.hItem = node;
        item.pszText = reinterpret_cast<LPWSTR>(memory.At(kTextOffset));
        item.cchTextMax = kTextChars;
        memory.Write(0, &item, sizeof(item));
        Send(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(memory.At(0)));
        return memory.ReadText(kTextOffset, kTextChars);
    };
    auto selected = reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_CARET));
    Facts facts{{L"tree.count", std::to_wstring(Send(tree, TVM_GETCOUNT))},
                {L"tree.selected", selected ? itemText(selected) : L""}};
    std::wstring path;
    for (HTREEITEM node = selected; node;
         node = reinterpret_cast<HTREEITEM>(
             Send(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(node))))
        path = itemText(node) + (path.empty() ? L"" : L"/") + path;
    facts.push_back({L"tree.path", path});
    return facts;
}

Facts Idle(const Args& args) {
    const DWORD pid = ProgramPid(MainWindow());
    KernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, pid));
    if (!process)
        throw Missing("cannot open the program's process");
    const DWORD timeout = args.empty() ? 10000 : static_cast<DWORD>(Number(args[0]));
    if (::WaitForInputIdle(process.Get(), timeout) != 0)
        throw Missing("the program did not become idle");
    return {{L"idle", L"1"}};
}

UINT MessageNumber(const std::wstring& name) {
    static const std::pair<const wchar_t*, UINT> known[] = {
        {L"WM_CLOSE", WM_CLOSE}, {L"WM_COMMAND", WM_COMMAND}, {L"WM_KEYDOWN", WM_KEYDOWN},
        {L"WM_KEYUP", WM_KEYUP}, {L"WM_CHAR", WM_CHAR},       {L"WM_SETFOCUS", WM_SETFOCUS},
        {L"BM_CLICK", BM_CLICK}, {L"WM_QUIT", WM_QUIT},       {L"WM_SYSCOMMAND", WM_SYSCOMMAND},
        {L"WM_NULL", WM_NULL},   {L"WM_TIMER", WM_TIMER},     {L"WM_SETTEXT", WM_SETTEXT},
    };
    for (const auto& [text, number] : known)
        if (name == text)
            return number;
    return static_cast<UINT>(Number(name));
}

Facts Message(const Args& args, bool post) {
    if (args.size() < 2)
        throw Usage("post|send LOCATOR MSG [WPARAM [LPARAM]]");
    HWND hwnd = Locate(args[0]);
    const UINT msg = MessageNumber(args[1]);
    const auto wp = static_cast<WPARAM>(args.size() > 2 ? Number(args[2]) : 0);
    const auto lp = static_cast<LPARAM>(args.size() > 3 ? Number(args[3]) : 0);
    if (post) {
        if (!::PostMessageW(hwnd, msg, wp, lp))
            throw Missing("cannot post");
        return {{L"posted", L"1"}};
    }
    const ULONGLONG sent = ::GetTickCount64();
    const LRESULT result = Send(hwnd, msg, wp, lp);
    return {{L"result", std::to_wstring(result)}, {L"ms", std::to_wstring(::GetTickCount64() - sent)}};
}

Facts Drop(const Args& args) {
    if (args.size() < 2)
        throw Usage("drop LOCATOR PATH...");
    HWND target = Locate(args[0]);
    HWND top = ::GetAncestor(target, GA_ROOT);
    RECT r{};
    ::GetWindowRect(target, &r);
    POINT point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ::ScreenToClient(top, &point);
    std::wstring names;
    for (size_t i = 1; i < args.size(); ++i)
        names += args[i] + L'\0';
    names += L'\0';
    DROPFILES header{};
    header.pFiles = sizeof(header);
    header.pt = point;
    header.fWide = TRUE;
    std::vector<char> block(sizeof(header) + names.size() * sizeof(wchar_t));
    std::memcpy(block.data(), &header, sizeof(header));
    std::memcpy(block.data() + sizeof(header), names.data(), names.size() * sizeof(wchar_t));

    DWORD pid = 0;
    ::GetWindowThreadProcessId(top, &pid);
    KernelHandle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid));
    if (!process)
        throw Missing("cannot open the program's process");
    // Left to the program: its DragFinish lets go of the block, and the process ends with the test.
    void* remote =
        ::VirtualAllocEx(process.Get(), nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote || !::WriteProcessMemory(process.Get(), remote, block.data(), block.size(), nullptr))
        throw Missing("cannot write into the program's memory");
    if (!::PostMessageW(top, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0))
        throw Missing("cannot post");
    return {{L"dropped", std::to_wstring(args.size() - 1)}};
}

Facts DeviceChange(const Args& args) {
    if (args.size() < 2 || (args[0] != L"arrival" && args[0] != L"removal"))
        throw Usage("device-change arrival|removal LETTERS");
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof(volume);
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    for (wchar_t letter : args[1])
        if (letter >= L'A' && letter <= L'Z')
            volume.dbcv_unitmask |= 1u << (letter - L'A');
        else if (letter >= L'a' && letter <= L'z')
            volume.dbcv_unitmask |= 1u << (letter - L'a');
    const WPARAM event = args[0] == L"arrival" ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
    // The system copies a DEV_BROADCAST_* structure of WM_DEVICECHANGE into the receiving process.
    int sent = 0;
    for (HWND hwnd : ProgramWindows(false)) {
        DWORD_PTR result = 0;
        if (::SendMessageTimeoutW(hwnd, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&volume),
                                  SMTO_ABORTIFHUNG, 5000, &result))
            ++sent;
    }
    return {{L"sent", std::to_wstring(sent)}};
}

// The system's device name of a drive letter: what makes the letter a drive that the system
// lists (under Wine the files are reached through the prefix's dosdevices link).
Facts DefineDrive(const Args& args) {
    if (args.empty() || args.size() > 2 || args[0].size() != 1)
        throw Usage("define-drive LETTER [TARGET]");
    const std::wstring device = args[0] + L":";
    const BOOL done = args.size() == 2 ? ::DefineDosDeviceW(0, device.c_str(), args[1].c_str())
                                       : ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, device.c_str(), nullptr);
    if (!done)
        throw Missing("cannot define the drive");
    return {{L"drives", std::to_wstring(::GetLogicalDrives())}};
}

Facts RegDelete(const Args& args) {
    if (args.size() != 1)
        throw Usage("reg-delete KEY");
    const LSTATUS rc = ::RegDeleteTreeW(HKEY_CURRENT_USER, args[0].c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
        throw Missing("cannot delete the key");
    if (rc == ERROR_SUCCESS)
        ::RegDeleteKeyW(HKEY_CURRENT_USER, args[0].c_str());
    return {{L"deleted", L"1"}};
}

Facts RegSet(const Args& args, DWORD type) {
    if (args.size() != 3)
        throw Usage("reg-set-sz|reg-set-dword KEY NAME DATA");
    RegKey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, args[0].c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          key.Put(), nullptr) != ERROR_SUCCESS)
        throw Missing("cannot create the key");
    LSTATUS rc;
    if (type == REG_DWORD) {
        const auto value = static_cast<DWORD>(Number(args[2]));
        rc = ::RegSetValueExW(key.Get(), args[1].c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                              sizeof(value));
    } else {
        rc = ::RegSetValueExW(key.Get(), args[1].c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(args[2].c_str()),
                              static_cast<DWORD>((args[2].size() + 1) * sizeof(wchar_t)));
    }
    if (rc != ERROR_SUCCESS)
        throw Missing("cannot set the value");
    return {{L"set", L"1"}};
}

Facts RegGet(const Args& args) {
    if (args.size() != 2)
        throw Usage("reg-get KEY NAME");
    RegKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, args[0].c_str(), 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS)
        throw Missing("no such key");
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key.Get(), args[1].c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        throw Missing("no such value");
    std::vector<BYTE> data(size + sizeof(wchar_t), 0);
    ::RegQueryValueExW(key.Get(), args[1].c_str(), nullptr, &type, data.data(), &size);
    if (type == REG_SZ || type == REG_EXPAND_SZ)
        return {{L"reg.type", L"sz"}, {L"reg.value", reinterpret_cast<const wchar_t*>(data.data())}};
    if (type == REG_DWORD)
        return {{L"reg.type", L"dword"},
                {L"reg.value", std::to_wstring(*reinterpret_cast<const DWORD*>(data.data()))}};
    return {{L"reg.type", L"other"}, {L"reg.value", L""}};
}

Facts Run(const Args& args);

// A fact's key against a condition's key, where "*" stands for any run of characters.
bool KeyMatches(const wchar_t* key, const wchar_t* pattern) {
    if (*pattern == L'*')
        return KeyMatches(key, pattern + 1) || (*key && KeyMatches(key + 1, pattern));
    if (*pattern == 0 || *key == 0)
        return *pattern == *key;
    return *key == *pattern && KeyMatches(key + 1, pattern + 1);
}

// One condition of "wait" against a command's facts.
bool Holds(const std::wstring& condition, const Facts& facts) {
    const bool negated = !condition.empty() && condition[0] == L'!';
    const std::wstring body = condition.substr(negated ? 1 : 0);
    const size_t eq = body.find(L'=');
    if (eq == std::wstring::npos || eq == 0)
        throw Usage("bad condition: " + Utf8(condition));
    const bool contains = body[eq - 1] == L'~';
    const std::wstring key = body.substr(0, contains ? eq - 1 : eq);
    const std::wstring value = body.substr(eq + 1);
    bool found = false;
    for (const Fact& fact : facts)
        if (KeyMatches(fact.key.c_str(), key.c_str()) &&
            (contains ? Escaped(fact.value).find(value) != std::wstring::npos : Escaped(fact.value) == value))
            found = true;
    return found != negated;
}

Facts Wait(const Args& args) {
    size_t i = 0;
    DWORD timeout = 10000;
    if (i + 1 < args.size() && args[i] == L"-t") {
        timeout = static_cast<DWORD>(Number(args[i + 1]));
        i += 2;
    }
    std::vector<std::wstring> conditions;
    while (i < args.size() && args[i] != L"--")
        conditions.push_back(args[i++]);
    if (i >= args.size() || i + 1 >= args.size())
        throw Usage("wait [-t MS] CONDITION... -- COMMAND [ARGS]");
    const Args command(args.begin() + static_cast<ptrdiff_t>(i + 1), args.end());
    const ULONGLONG deadline = ::GetTickCount64() + timeout;
    Facts last;
    std::string why = "timed out";
    for (;;) {
        try {
            last = Run(command);
            bool all = true;
            for (const std::wstring& condition : conditions)
                all = all && Holds(condition, last);
            if (all)
                return last;
        } catch (const Missing& e) {
            why = e.what();
        }
        if (::GetTickCount64() >= deadline)
            break;
        ::Sleep(100);
    }
    Print(last);
    throw Missing("wait timed out (" + why + ")");
}

// Wine closes the desktop as soon as no program uses it and starts its desktop process again for
// the next window; that process inherits the output of the program that needed it, and a test
// runner waiting for a test's output to close then waits for the desktop until its time-out.
Facts HoldDesktop(const Args&) {
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"KavetProbe desktop holder", WS_POPUP, 0, 0, 1, 1,
                                          nullptr, nullptr, nullptr, nullptr);
    if (!window)
        throw Missing("no window could be made");
    std::printf("ready\n");
    std::fflush(stdout);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    return {};
}

Facts Run(const Args& args) {
    const std::wstring& name = args.at(0);
    const Args rest(args.begin() + 1, args.end());
    static const std::pair<const wchar_t*, std::function<Facts(const Args&)>> commands[] = {
        {L"find", Find},
        {L"windows", Windows},
        {L"focus", Focus},
        {L"text", Text},
        {L"rect", Rect},
        {L"status", Status},
        {L"list", List},
        {L"tree", Tree},
        {L"wait", Wait},
        {L"idle", Idle},
        {L"post", [](const Args& a) { return Message(a, true); }},
        {L"send", [](const Args& a) { return Message(a, false); }},
        {L"drop", Drop},
        {L"device-change", DeviceChange},
        {L"define-drive", DefineDrive},
        {L"reg-delete", RegDelete},
        {L"reg-set-sz", [](const Args& a) { return RegSet(a, REG_SZ); }},
        {L"reg-set-dword", [](const Args& a) { return RegSet(a, REG_DWORD); }},
        {L"reg-get", RegGet},
        {L"hold-desktop", HoldDesktop},
    };
    for (const auto& [command, run] : commands)
        if (name == command)
            return run(rest);
    throw Usage("unknown command: " + Utf8(name));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    const Args args(argv + 1, argv + argc);
    try {
        if (args.empty())
            throw Usage("KavetProbe COMMAND [ARGS] (see the header of KavetProbe.cpp)");
        Print(Run(args));
        return 0;
    } catch (const Usage& e) {
        std::fprintf(stderr, "usage: %s\n", e.what());
        return 2;
    } catch (const Missing& e) {
        std::fprintf(stderr, "probe: %s\n", e.what());
        return 1;
    }
}
