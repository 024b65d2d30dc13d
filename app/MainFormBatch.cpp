// The five file operations: each asks what it needs (or not, once the user said so), then runs
// one per-file function over the selected rows, or over every row when none is selected, on a
// worker thread with its progress shown, re-lists the folder once at the end and reports every
// file not done as asked.
#include "app/MainForm.h"

#include "base/TextHelpers.h"
#include "operations/ApiPath.h"

#include "operations/FileNameCase.h"
#include "operations/FileStamping.h"
#include "operations/BatchReport.h"
#include "operations/dialogs/BatchProgress.h"
#include "operations/dialogs/BatchReportForm.h"
#include "operations/dialogs/OperationPrompts.h"
#include "ui/MessageBox.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

void TMainForm::RunBatch(const std::function<FileOutcome(const std::wstring&)>& perFile) {
    // The window may have closed while its dialog was up: the listing is gone then.
    if (closing_ || !Listing)
        return;
    // The batch's own changes must not wake the monitor; the re-list at the end shows them all.
    FolderMonitor->SetActive(false);
    struct MonitorBack {
        TMainForm& form;
        ~MonitorBack() {
            if (form.closing_)
                return; // the close switched the monitor off for good
            try {
                form.FolderMonitor->SetActive(true);
            } catch (...) {
            }
        }
    } monitorBack{*this};
    try {
        std::vector<std::wstring> paths;
        std::vector<std::wstring> names;
        const int rows = FileList->ItemCount();
        const bool anySelected = FileList->NextItemIndex(-1, sdAll, {isSelected}) >= 0;
        // The listing holds the tree's upper-cased form of the folder. The same folder spelt as
        // stored saves a file system that tells letter case apart (Wine on Linux) a search of
        // every folder along the path on each call for each file.
        const std::wstring stored = StoredCaseFolder(Listing->Folder());
        const std::wstring folder = stored == StripTrailingBackslashes(Listing->Folder())
                                        ? std::wstring()
                                        : WithTrailingBackslash(stored);
        for (int i = 0; i < rows && static_cast<size_t>(i) < Listing->Count(); ++i) {
            if (anySelected && !FileList->IsSelected(i))
                continue;
            const size_t entry = static_cast<size_t>(i);
            names.emplace_back((*Listing)[entry].Name);
            paths.push_back(folder.empty() ? Listing->FullName(entry) : folder + names.back());
        }
        BatchProgressResult run;
        {
            struct Running {
                bool& flag;
                ~Running() { flag = false; }
            } running{batchRunning_ = true};
            run = RunWithProgress(Handle(), FontName(), paths, perFile);
        }
        BatchReport report;
        for (size_t i = 0; i < run.Outcomes.size() && i < names.size(); ++i)
            report.Add(std::move(names[i]), run.Outcomes[i]);
        report.SetNotReached(paths.size() - std::min(paths.size(), run.Outcomes.size()));
        if (std::exchange(closeAfterBatch_, false)) {
            // Every file is done; what the user must still learn is where a file went.
            ReportStrandedFiles();
            Close();
            return;
        }
        DirTreeChange();
        ReportStrandedFiles();
        ShowBatchNote(report.CountLine());
        if (report.NeedsWindow() && !closing_)
            ShowBatchReport(Handle(), FontName(), report);
    } catch (...) {
        // A failure of the list or the listing ends the batch without a message; every file
        // already done stays done.
    }
}

void TMainForm::ReportStrandedFiles() {
    // A rename that could give a file neither its new name nor its old one back left it under a
    // temporary name: the user must learn which file that is, or it looks lost.
    const std::vector<StrandedFile> stranded = TakeStrandedFiles();
    if (stranded.empty())
        return;
    std::wstring text = L"\r\nCes fichiers n'ont pu être renommés ni reprendre leur nom :";
    for (const StrandedFile& file : stranded)
        text += L"\r\n« " + file.OldName + L" » porte maintenant le nom « " + file.TemporaryPath + L" ».";
    // Told even when the window closed meanwhile: then the box stands on its own.
    ShowMessageBox(closing_ ? nullptr : Handle(), text, MB_OK | MB_ICONWARNING);
}

void TMainForm::BtnDateTimeClick() {
    const std::optional<DateTimeChoice> choice = AskDateTime(Handle(), FontName(), Settings);
    if (!choice)
        return;
    const CivilTime when = choice->When;
    const int mask = choice->ActionMask;
    const auto stamping = std::make_shared<FileStamping>(BatchStamping());
    RunBatch([stamping, when, mask](const std::wstring& path) {
        return stamping->FileSetDateTime(path, when, mask);
    });
}

void TMainForm::BtnTimeZeroClick() {
    if (ConfirmTimeZero(Handle(), FontName(), Settings)) {
        const auto stamping = std::make_shared<FileStamping>(BatchStamping());
        RunBatch([stamping](const std::wstring& path) { return stamping->FileTimeZero(path); });
    }
}

void TMainForm::BtnNameMajClick() {
    if (ConfirmUpperCase(Handle(), FontName(), Settings))
        RunBatch([](const std::wstring& path) { return FileNameMaj(path); });
}

void TMainForm::BtnNameMinClick() {
    if (ConfirmLowerCase(Handle(), FontName(), Settings))
        RunBatch([](const std::wstring& path) { return FileNameMin(path); });
}

void TMainForm::BtnNameMajMinClick() {
    if (ConfirmFirstUpper(Handle(), FontName(), Settings))
        RunBatch([](const std::wstring& path) { return FileNameMajMin(path); });
}
