// The directory tree's background look into folders: for each folder it was given, whether it has
// one subfolder the tree would show, so that a large folder's children can be shown at once and
// their expand buttons settle afterwards.
//
// Stop protocol: the worker never waits for the user-interface thread. Answers are queued under a
// lock and announced by a message posted to the tree's window (at most one unread announcement at
// a time, so answers arrive in batches); the tree takes them with TakeAnswers. Stopping is
// Terminate and WaitFor, which ends within one folder's look. Answers still queued when the
// object goes are lost: the tree keeps its own record of the folders it still waits for and asks
// a new probe about them. The worker holds no node and no pointer into the tree; the node in a job
// is only handed back, never used.
#pragma once

#include "dirtree/DirTypes.h"
#include "base/Locale.h"
#include "ui/Thread.h"

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

class SubfolderProbe : public Thread {
public:
    struct Job {
        HTREEITEM Node;
        uint64_t Ticket;       // tells a current request from an older one for a reused node handle
        std::wstring DiskPath; // as the file system spells it, ending with "\"
        std::wstring Path;     // the tree's form, which the recycle-bin rule looks at
    };
    struct Answer {
        HTREEITEM Node;
        uint64_t Ticket;
        bool HasSubfolder;
    };
    // What makes a subfolder one the tree shows, without the owner's handlers (a probe runs only
    // when the owner has none).
    struct Filter {
        TDirTypes DirTypes;
        bool GoBelowRecycleBin = false;
        const Locale* Locale = nullptr;
    };

    // The jobs are done in the order given once Start is called; target receives message (with
    // no parameters) when answers are waiting.
    SubfolderProbe(std::vector<Job> jobs, Filter filter, HWND target, UINT message);
    ~SubfolderProbe() override;

    // User-interface thread: the answers queued since the last call; a later answer is announced
    // by a new message.
    std::vector<Answer> TakeAnswers();
    // True once every job has an answer queued (or the worker was stopped).
    bool Finished() const { return finished_; }

protected:
    void Execute() override;

private:
    bool HasAcceptedSubfolder(const Job& job) const;
    void Deliver(const Answer& answer, bool last);

    const std::vector<Job> jobs_;
    const Filter filter_;
    const HWND target_;
    const UINT message_;
    std::mutex mutex_;
    std::vector<Answer> answers_;
    bool announced_ = false;     // a message is on its way and the tree has not taken answers since
    bool everAnnounced_ = false; // the first answer goes at once: it is for a node in view
    DWORD lastAnnounced_ = 0;    // tick of the last message, so that later answers go in batches
    std::atomic<bool> finished_{false};
};
