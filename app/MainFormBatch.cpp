// The file operations' menu and toolbar commands: each asks what it needs (or not, once the user
// said so) and hands the request to the window's batches; also the undo command and the subfolders
// option.
#include "app/MainForm.h"

#include "base/TextHelpers.h"
#include "base/TimeText.h"
#include "batch/BatchWork.h"
#include "operations/ApiPath.h"
#include "operations/FileStamping.h"
#include "operations/dialogs/CopyStampForm.h"
#include "operations/dialogs/OperationPrompts.h"
#include "operations/dialogs/StampChoiceForm.h"
#include "ui/MessageBox.h"

#include <optional>

void TMainForm::BtnDateTimeClick() {
    const std::optional<DateTimeChoice> choice = AskDateTime(Handle(), FontName(), Settings);
    if (!choice)
        return;
    BatchRequest request{BatchOperation::DateTime, choice->Stamps};
    request.When = choice->When;
    batches_->RunRequest(request);
}

void TMainForm::BtnTimeZeroClick() {
    if (ConfirmTimeZero(Handle(), FontName(), Settings))
        batches_->RunRequest(BatchRequest{BatchOperation::TimeZero});
}

void TMainForm::ShiftClick() {
    const std::optional<ShiftChoice> choice = AskShift(Handle(), FontName(), Settings);
    if (!choice)
        return;
    BatchRequest request{BatchOperation::Shift, choice->Stamps};
    request.Shift = choice->Shift;
    batches_->RunRequest(request);
}

void TMainForm::CopyStampClick() {
    const std::optional<CopyStampChoice> choice = AskCopyStamp(Handle(), FontName());
    if (!choice)
        return;
    BatchRequest request{BatchOperation::CopyStamp, choice->Targets};
    request.CopySource = choice->Source;
    batches_->RunRequest(request);
}

void TMainForm::FromFileClick() {
    const std::optional<std::wstring> path = PickReferenceFile(
        Handle(), folders_->Listing() ? StoredCaseFolder(folders_->Listing()->Folder()) : std::wstring());
    if (!path)
        return;
    std::wstring error;
    const std::optional<ReferenceFile> reference = ReadReferenceFile(*path, error);
    if (!reference) {
        ShowMessageBox(Handle(), L"Les dates de " + Quoted(*path) + L" ne peuvent être lues :\r\n" + error,
                       MB_OK | MB_ICONWARNING);
        return;
    }
    const std::optional<StampSet> stamps =
        AskStamps(Handle(), FontName(),
                  StampChoiceTexts{L"Dates d'un autre fichier",
                                   L"Les dates cochées de chaque fichier prendront celles de " +
                                       Quoted(reference->Name) + L".",
                                   {L"Date de création : " + JournalTimeText(reference->Creation),
                                    L"Date de modification : " + JournalTimeText(reference->LastWrite),
                                    L"Date de dernier accès : " + JournalTimeText(reference->LastAccess)},
                                   kAllStamps});
    if (!stamps)
        return;
    BatchRequest request{BatchOperation::FromFile, *stamps};
    request.Reference = *reference;
    batches_->RunRequest(request);
}

void TMainForm::PhotoDateClick() {
    const std::optional<StampSet> stamps =
        AskStamps(Handle(), FontName(),
                  StampChoiceTexts{
                      L"Date de prise de vue",
                      L"Les dates cochées de chaque photo JPEG ou TIFF prendront la date de sa prise de vue, "
                      L"lue dans ses données Exif. Une photo sans cette date est laissée telle quelle.",
                      StampChecks::kDateTexts,
                      {Stamp::Creation, Stamp::LastWrite}});
    if (stamps)
        batches_->RunRequest(BatchRequest{BatchOperation::PhotoDate, *stamps});
}

void TMainForm::SubFoldersClick() {
    Settings.SubFolders = !Settings.SubFolders;
    OptionsSousDossiers->SetChecked(Settings.SubFolders);
}

void TMainForm::BtnNameMajClick() {
    if (ConfirmUpperCase(Handle(), FontName(), Settings))
        batches_->RunRequest(BatchRequest{BatchOperation::Upper});
}

void TMainForm::BtnNameMinClick() {
    if (ConfirmLowerCase(Handle(), FontName(), Settings))
        batches_->RunRequest(BatchRequest{BatchOperation::Lower});
}

void TMainForm::BtnNameMajMinClick() {
    if (ConfirmFirstUpper(Handle(), FontName(), Settings))
        batches_->RunRequest(BatchRequest{BatchOperation::FirstUpper});
}

void TMainForm::UndoClick() {
    batches_->ChooseAndUndo();
}
