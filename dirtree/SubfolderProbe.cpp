// The directory tree's background look into folders for one subfolder each.
#include "dirtree/SubfolderProbe.h"

#include "dirtree/DirFilters.h"
#include "base/ApiPath.h"
#include "base/Handles.h"

#include <cwchar>
#include <utility>

namespace {

// Answers found within this many milliseconds of the last announcement wait for the next one, so
// that the tree handles them together.
constexpr DWORD kBatchMilliseconds = 15;

} // namespace

SubfolderProbe::SubfolderProbe(std::vector<Job> jobs, Filter filter, HWND target, UINT message)
    : jobs_(std::move(jobs)), filter_(filter), target_(target), message_(message) {}

SubfolderProbe::~SubfolderProbe() {
    Shutdown();
}

std::vector<SubfolderProbe::Answer> SubfolderProbe::TakeAnswers() {
    std::lock_guard<std::mutex> lock(mutex_);
    announced_ = false;
    return std::exchange(answers_, {});
}

void SubfolderProbe::Execute() {
    ThreadErrorModeGuard errorMode;
    for (size_t i = 0; i < jobs_.size() && !Terminated(); ++i) {
        const Job& job = jobs_[i];
        Deliver(Answer{job.Node, job.Ticket, HasAcceptedSubfolder(job)}, i + 1 == jobs_.size());
    }
    finished_ = true;
}

bool SubfolderProbe::HasAcceptedSubfolder(const Job& job) const {
    WIN32_FIND_DATAW data{};
    // Basic information skips the short names; the directory limit is only a hint, so every entry
    // is still tested.
    FindHandle find(::FindFirstFileExW(ApiPath(job.DiskPath + L"*").c_str(), FindExInfoBasic, &data,
                                       FindExSearchLimitToDirectories, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return false; // vanished, denied or not ready: no button, as a look on the spot would give
    do {
        if (Terminated())
            return false;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || std::wcscmp(data.cFileName, L".") == 0 ||
            std::wcscmp(data.cFileName, L"..") == 0)
            continue;
        if (!AttrAcceptedBy(data.dwFileAttributes, filter_.DirTypes))
            continue;
        if (!filter_.GoBelowRecycleBin &&
            IsBelowRecycleBin(job.Path + data.cFileName + L"\\", *filter_.Locale))
            continue;
        return true;
    } while (::FindNextFileW(find.Get(), &data));
    return false;
}

void SubfolderProbe::Deliver(const Answer& answer, bool last) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_.push_back(answer);
    const DWORD now = ::GetTickCount();
    if (announced_ || (!last && everAnnounced_ && now - lastAnnounced_ < kBatchMilliseconds))
        return;
    // A window that is gone takes no message: its tree is stopping this worker anyway.
    if (::PostMessageW(target_, message_, 0, 0)) {
        announced_ = true;
        everAnnounced_ = true;
        lastAnnounced_ = now;
    }
}
