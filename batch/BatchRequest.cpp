#include "batch/BatchRequest.h"

namespace {

// "+1 h 02 min", "-3 j 4 h", "+45 s": a camera clock's error as a sentence says it.
std::wstring SpanText(const DateShift& shift) {
    std::wstring text;
    // Minutes and seconds after a larger unit take two digits, as on a clock.
    const auto add = [&text](int value, const wchar_t* unit, bool clockPart = false) {
        if (value == 0)
            return;
        const bool padded = clockPart && !text.empty() && value < 10;
        text +=
            (text.empty() ? L"" : L" ") + std::wstring(padded ? L"0" : L"") + std::to_wstring(value) + unit;
    };
    add(shift.Days, L" j");
    add(shift.Hours, L" h");
    add(shift.Minutes, L" min", true);
    add(shift.Seconds, L" s", true);
    return (shift.Backward ? L"-" : L"+") + text;
}

} // namespace

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
    case BatchOperation::FromTree:
        return L"Copier les dates de " + request.OtherTree;
    case BatchOperation::CameraClock:
        return L"Recaler l'horloge (" + request.Camera + L", " + SpanText(request.Shift) + L")";
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
