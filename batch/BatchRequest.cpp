#include "batch/BatchRequest.h"

std::wstring OperationName(const BatchRequest& request) {
    switch (request.Operation) {
    case BatchOperation::DateTime:
        return L"Date-Heure";
    case BatchOperation::TimeZero:
        return L"Heure Zéro";
    case BatchOperation::Shift:
        return L"Décaler les dates (" + ShiftText(request.Shift) + L")";
    case BatchOperation::CopyStamp:
        return L"Copier une date (" + StampNames({request.CopySource}) + L" \u2192 " +
               StampNames(request.Stamps) + L")";
    case BatchOperation::FromFile:
        return L"Dates d'un autre fichier (" + StampNames(request.Stamps) + L" de « " +
               request.Reference.Name + L" »)";
    case BatchOperation::PhotoDate:
        return L"Date de prise de vue (" + StampNames(request.Stamps) + L")";
    case BatchOperation::NameDate:
        return L"Date du nom de fichier (" + StampNames(request.Stamps) +
               (request.NamePattern.empty() ? L"" : L", modèle « " + request.NamePattern + L" »") + L")";
    case BatchOperation::Upper:
        return L"Majuscules";
    case BatchOperation::Lower:
        return L"Minuscules";
    case BatchOperation::FirstUpper:
        return L"Maj-minuscules";
    case BatchOperation::FolderContent:
        return L"Dater les dossiers d'après leur contenu";
    }
    return L"";
}

bool DatesFolders(const BatchRequest& request) {
    if (!request.Folders)
        return false;
    switch (request.Operation) {
    case BatchOperation::DateTime:
    case BatchOperation::TimeZero:
    case BatchOperation::Shift:
    case BatchOperation::CopyStamp:
    case BatchOperation::FromFile:
        return true;
    default:
        return false;
    }
}

std::wstring UndoName(const std::wstring& operation) {
    return L"Annulation de « " + operation + L" »";
}
