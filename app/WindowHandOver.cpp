// The platform side of the hand-over: the session's mutex, the mark on the window and the
// WM_COPYDATA that carries the block of PathHandOver.h.
#include "app/WindowHandOver.h"

#include "app/PathHandOver.h"
#include "base/ApiPath.h"

#include <shellapi.h>

namespace {

// "Local\": one per logon session, as the windows it lines up are.
constexpr wchar_t kTurnMutexName[] = L"Local\\Kavet24.HandOver";
constexpr wchar_t kMarkProperty[] = L"Kavet24.HandOver";
// The class of every form of the program (ui/Form.cpp).
constexpr wchar_t kFormClass[] = L"KavetForm";
// A window that does not answer within this time is taken as hung: the start opens its own.
constexpr UINT kSendTimeoutMs = 10000;

BOOL CALLBACK FindMarkedWindow(HWND hwnd, LPARAM found) {
    wchar_t className[32] = {};
    if (::GetClassNameW(hwnd, className, 32) == 0 || std::wstring_view(className) != kFormClass)
        return TRUE;
    if (::GetWindow(hwnd, GW_OWNER) != nullptr || ::GetPropW(hwnd, kMarkProperty) == nullptr)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

} // namespace

std::optional<HandOverTurn> HandOverTurn::Wait(std::chrono::milliseconds timeout) {
    KernelHandle mutex(::CreateMutexW(nullptr, FALSE, kTurnMutexName));
    if (!mutex)
        return std::nullopt;
    // A start that ended while holding the turn leaves it abandoned: the turn is ours then too.
    const DWORD waited = ::WaitForSingleObject(mutex.Get(), static_cast<DWORD>(timeout.count()));
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED)
        return std::nullopt;
    return HandOverTurn(std::move(mutex));
}

HandOverTurn::~HandOverTurn() {
    if (mutex_)
        ::ReleaseMutex(mutex_.Get());
}

void MarkHandOverWindow(HWND hwnd) {
    ::SetPropW(hwnd, kMarkProperty, reinterpret_cast<HANDLE>(1));
    ::ChangeWindowMessageFilterEx(hwnd, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
}

void AcceptDroppedFiles(HWND hwnd) {
    // Windows keeps these messages of a drop from a process of lower integrity unless the window
    // lets them through; the second carries the dropped names' block between the two.
    constexpr UINT kCopyGlobalData = 0x0049;
    ::ChangeWindowMessageFilterEx(hwnd, WM_DROPFILES, MSGFLT_ALLOW, nullptr);
    ::ChangeWindowMessageFilterEx(hwnd, kCopyGlobalData, MSGFLT_ALLOW, nullptr);
    ::DragAcceptFiles(hwnd, TRUE);
}

HWND FindHandOverWindow() {
    HWND found = nullptr;
    ::EnumWindows(FindMarkedWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool HandPathsTo(HWND window, const std::vector<std::wstring>& paths) {
    std::vector<uint8_t> block = EncodePathHandOver(paths);
    COPYDATASTRUCT copy{};
    copy.dwData = static_cast<ULONG_PTR>(kPathHandOverTag);
    copy.cbData = static_cast<DWORD>(block.size());
    copy.lpData = block.data();
    // Windows lets a window come forward only when the process in front allows it: this start,
    // which Explorer just brought up, passes that on.
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    ::AllowSetForegroundWindow(owner != 0 ? owner : ASFW_ANY);
    DWORD_PTR taken = 0;
    return ::SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy),
                                 SMTO_ABORTIFHUNG | SMTO_BLOCK, kSendTimeoutMs, &taken) != 0 &&
           taken == TRUE;
}

std::vector<std::wstring> FullPaths(const std::vector<std::wstring>& paths) {
    std::vector<std::wstring> full;
    full.reserve(paths.size());
    for (const std::wstring& path : paths)
        full.push_back(FullPath(path));
    return full;
}

std::vector<GivenPath> ExaminePaths(const std::vector<std::wstring>& paths) {
    std::vector<GivenPath> given;
    given.reserve(paths.size());
    for (const std::wstring& path : paths) {
        GivenPath one{FullPath(path), false};
        const DWORD attributes = ::GetFileAttributesW(ApiPath(one.Path).c_str());
        one.IsFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        given.push_back(std::move(one));
    }
    return given;
}
