// Outcome texts of the report.
#include "operations/FileOutcome.h"

FileOutcome FileOutcome::Failed(Failure why, std::wstring detail) {
    FileOutcome outcome;
    // A failure without a reason would count as done.
    outcome.why_ = why == Failure::None ? Failure::Other : why;
    outcome.detail_ = std::move(detail);
    return outcome;
}

FileOutcome FileOutcome::AlreadyAsBefore() {
    FileOutcome outcome;
    outcome.alreadyAsBefore_ = true;
    return outcome;
}

FileOutcome FileOutcome::AlreadyAsAsked() {
    FileOutcome outcome;
    outcome.alreadyAsAsked_ = true;
    return outcome;
}

void FileOutcome::AddRemark(std::wstring remark) {
    remarks_.push_back(std::move(remark));
}

std::wstring FailureText(Failure why) {
    switch (why) {
    case Failure::None:
        return L"";
    case Failure::NotFound:
        return L"fichier introuvable";
    case Failure::InUse:
        return L"fichier utilisé par un autre programme";
    case Failure::AccessDenied:
        return L"accès refusé";
    case Failure::ReadOnlyMedium:
        return L"support en lecture seule";
    case Failure::CaseTwin:
        return L"un autre fichier porte le même nom à la casse près";
    case Failure::CaseKept:
        return L"le système de fichiers a gardé l'ancienne casse";
    case Failure::DateOutOfRange:
        return L"date hors de ce que le système de fichiers peut enregistrer";
    case Failure::PathTooLong:
        return L"chemin trop long";
    case Failure::ChangedSince:
        return L"modifié depuis l'opération, laissé tel quel";
    case Failure::NotJournalled:
        return L"journal d'annulation non écrit, fichier laissé tel quel";
    case Failure::Other:
        break;
    }
    return L"erreur du système";
}

std::wstring FileOutcome::ReasonText() const {
    if (Done()) {
        std::wstring text;
        for (const std::wstring& remark : remarks_)
            text += (text.empty() ? L"" : L" ; ") + remark;
        return text;
    }
    if (detail_.empty())
        return FailureText(why_);
    // The system's own message says it all; the others name what they refer to.
    return why_ == Failure::Other ? detail_ : FailureText(why_) + L" (" + detail_ + L")";
}
