// The file operations' menu and toolbar commands: each asks what it needs (or not, once the user
// said so) and hands the request to the window's batches; also the undo command and the subfolders
// option.
#include "app/MainForm.h"

#include "base/TextHelpers.h"
#include "base/TimeText.h"
#include "batch/BatchWork.h"
#include "batch/FromTree.h"
#include "operations/ApiPath.h"
#include "operations/FileStamping.h"
#include "operations/dialogs/CameraClockForm.h"
#include "operations/dialogs/CopyStampForm.h"
#include "operations/dialogs/FromTreeForm.h"
#include "operations/dialogs/NameDateForm.h"
#include "operations/dialogs/OperationPrompts.h"
#include "operations/dialogs/StampChoiceForm.h"
#include "ui/MessageBox.h"
#include "ui/OpenFileDialog.h"

#include <optional>

namespace {

// Where the file dialogs open: the folder shown, spelt as stored; none before any listing.
std::wstring ShownFolderAsStored(const FolderView& folders) {
    return folders.Listing() ? StoredCaseFolder(folders.Listing()->Folder()) : std::wstring();
}

// The requests of the dialogs' choices, the same for "Aperçu..." and for the run.
BatchRequest DateTimeRequest(const DateTimeChoice& choice) {
    BatchRequest request{BatchOperation::DateTime, choice.Stamps};
    request.When = choice.When;
    return request;
}

BatchRequest ShiftRequest(const ShiftChoice& choice) {
    BatchRequest request{BatchOperation::Shift, choice.Stamps};
    request.Shift = choice.Shift;
    return request;
}

BatchRequest CopyStampRequest(const CopyStampChoice& choice) {
    BatchRequest request{BatchOperation::CopyStamp, choice.Targets};
    request.CopySource = choice.Source;
    return request;
}

BatchRequest FromFileRequest(const ReferenceFile& reference, StampSet stamps) {
    BatchRequest request{BatchOperation::FromFile, stamps};
    request.Reference = reference;
    return request;
}

BatchRequest NameDateRequest(const NameDateChoice& choice) {
    BatchRequest request{BatchOperation::NameDate, choice.Stamps};
    request.NamePattern = choice.Pattern;
    return request;
}

// The dialog's choice as a request, its folder checked again against the folder shown; none when
// that folder has gone meanwhile.
std::optional<BatchRequest> FromTreeRequest(const std::wstring& shown, const FromTreeChoice& choice) {
    const OtherTreeCheck check = CheckOtherTree(shown, choice.Folder);
    if (!check.Folder)
        return std::nullopt;
    BatchRequest request{BatchOperation::FromTree, choice.Stamps};
    request.OtherTree = *check.Folder;
    request.EvenIfSizeDiffers = choice.EvenIfSizeDiffers;
    return request;
}

BatchRequest CameraClockRequest(const std::wstring& camera, const CameraClockChoice& choice) {
    BatchRequest request{BatchOperation::CameraClock, choice.Stamps};
    request.Shift = choice.Shift;
    request.Camera = camera;
    return request;
}

// "Aperçu..." in a confirmation: the request it confirms, previewed over it.
ConfirmationPreview PreviewOf(BatchController& batches, const BatchRequest& request) {
    return [&batches, request](HWND owner) { batches.PreviewRequest(owner, request); };
}

} // namespace

void TMainForm::BtnDateTimeClick() {
    const std::optional<DateTimeChoice> choice =
        AskDateTime(Handle(), FontName(), Settings, [this](HWND owner, const DateTimeChoice& shown) {
            batches_->PreviewRequest(owner, DateTimeRequest(shown));
        });
    if (choice)
        batches_->RunRequest(DateTimeRequest(*choice));
}

void TMainForm::BtnTimeZeroClick() {
    const BatchRequest request{BatchOperation::TimeZero};
    if (ConfirmTimeZero(Handle(), FontName(), Settings, PreviewOf(*batches_, request)))
        batches_->RunRequest(request);
}

void TMainForm::ShiftClick() {
    const std::optional<ShiftChoice> choice =
        AskShift(Handle(), FontName(), Settings, [this](HWND owner, const ShiftChoice& shown) {
            batches_->PreviewRequest(owner, ShiftRequest(shown));
        });
    if (choice)
        batches_->RunRequest(ShiftRequest(*choice));
}

void TMainForm::CopyStampClick() {
    const std::optional<CopyStampChoice> choice =
        AskCopyStamp(Handle(), FontName(), [this](HWND owner, const CopyStampChoice& shown) {
            batches_->PreviewRequest(owner, CopyStampRequest(shown));
        });
    if (choice)
        batches_->RunRequest(CopyStampRequest(*choice));
}

void TMainForm::FromFileClick() {
    const std::optional<std::wstring> path = PickReferenceFile(Handle(), ShownFolderAsStored(*folders_));
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
                                   kAllStamps},
                  [this, &reference](HWND owner, StampSet shown) {
                      batches_->PreviewRequest(owner, FromFileRequest(*reference, shown));
                  });
    if (stamps)
        batches_->RunRequest(FromFileRequest(*reference, *stamps));
}

void TMainForm::PhotoDateClick() {
    const std::optional<StampSet> stamps =
        AskStamps(Handle(), FontName(),
                  StampChoiceTexts{
                      L"Date de prise de vue",
                      L"Les dates cochées de chaque photo ou vidéo (JPEG, TIFF, HEIC, MP4, MOV...) prendront "
                      L"la date de sa prise de vue, lue dans le fichier. Un fichier sans cette date est "
                      L"laissé tel quel.",
                      StampChecks::kDateTexts,
                      {Stamp::Creation, Stamp::LastWrite}},
                  [this](HWND owner, StampSet shown) {
                      batches_->PreviewRequest(owner, BatchRequest{BatchOperation::PhotoDate, shown});
                  });
    if (stamps)
        batches_->RunRequest(BatchRequest{BatchOperation::PhotoDate, *stamps});
}

void TMainForm::NameDateClick() {
    const std::optional<NameDateChoice> choice =
        AskNameDate(Handle(), FontName(), Settings, [this](HWND owner, const NameDateChoice& shown) {
            batches_->PreviewRequest(owner, NameDateRequest(shown));
        });
    if (choice)
        batches_->RunRequest(NameDateRequest(*choice));
}

void TMainForm::FromTreeClick() {
    if (!folders_->Listing())
        return;
    const std::wstring shown = StoredCaseFolder(folders_->Listing()->Folder());
    const auto check = [&shown](const std::wstring& typed) -> std::optional<std::wstring> {
        const OtherTreeCheck checked = CheckOtherTree(shown, typed);
        if (checked.Folder)
            return std::nullopt;
        return OtherTreeProblemSentence(checked.Problem, typed);
    };
    const auto pick = [](HWND owner, const std::wstring& start) {
        return AskFolder(owner, L"Le dossier dont les fichiers ont les bonnes dates :", start);
    };
    const std::optional<FromTreeChoice> choice = AskFromTree(
        Handle(), FontName(), check, pick, [this, &shown](HWND owner, const FromTreeChoice& made) {
            if (const std::optional<BatchRequest> request = FromTreeRequest(shown, made))
                batches_->PreviewRequest(owner, *request);
        });
    if (!choice)
        return;
    if (const std::optional<BatchRequest> request = FromTreeRequest(shown, *choice))
        batches_->RunRequest(*request);
}

void TMainForm::CameraClockClick() {
    const std::optional<std::wstring> path = PickReferenceFile(Handle(), ShownFolderAsStored(*folders_));
    if (!path)
        return;
    std::wstring error;
    const std::optional<CameraReference> reference = ReadCameraReference(*path, error);
    if (!reference) {
        ShowMessageBox(Handle(),
                       L"L'appareil et la date de prise de vue de " + Quoted(*path) +
                           L" ne peuvent être lus :\r\n" + error,
                       MB_OK | MB_ICONWARNING);
        return;
    }
    const std::wstring camera = reference->Camera;
    const std::optional<CameraClockChoice> choice =
        AskCameraClock(Handle(), FontName(), {reference->Name, camera, reference->Taken},
                       [this, &camera](HWND owner, const CameraClockChoice& shown) {
                           batches_->PreviewRequest(owner, CameraClockRequest(camera, shown));
                       });
    if (choice)
        batches_->RunRequest(CameraClockRequest(camera, *choice));
}

void TMainForm::SubFoldersClick() {
    Settings.SubFolders = !Settings.SubFolders;
    OptionsSousDossiers->SetChecked(Settings.SubFolders);
}

void TMainForm::FoldersClick() {
    Settings.Folders = !Settings.Folders;
    OptionsDossiers->SetChecked(Settings.Folders);
}

void TMainForm::FolderDatesClick() {
    FolderDates(folders_->SelectedTreePath());
}

void TMainForm::FolderDates(const std::wstring& treePath) {
    if (treePath.empty() || treePath == L"?")
        return;
    const std::wstring folder = StoredCaseFolder(treePath);
    const std::optional<DateTimeChoice> choice =
        AskDateTime(Handle(), FontName(), Settings, [this, &folder](HWND owner, const DateTimeChoice& shown) {
            batches_->PreviewOnFolder(owner, folder, DateTimeRequest(shown));
        });
    if (choice)
        batches_->RunOnFolder(folder, DateTimeRequest(*choice));
}

void TMainForm::FolderContentClick() {
    batches_->RunFolderContent();
}

void TMainForm::BtnNameMajClick() {
    const BatchRequest request{BatchOperation::Upper};
    if (ConfirmUpperCase(Handle(), FontName(), Settings, PreviewOf(*batches_, request)))
        batches_->RunRequest(request);
}

void TMainForm::BtnNameMinClick() {
    const BatchRequest request{BatchOperation::Lower};
    if (ConfirmLowerCase(Handle(), FontName(), Settings, PreviewOf(*batches_, request)))
        batches_->RunRequest(request);
}

void TMainForm::BtnNameMajMinClick() {
    const BatchRequest request{BatchOperation::FirstUpper};
    if (ConfirmFirstUpper(Handle(), FontName(), Settings, PreviewOf(*batches_, request)))
        batches_->RunRequest(request);
}

void TMainForm::UndoClick() {
    batches_->ChooseAndUndo();
}
