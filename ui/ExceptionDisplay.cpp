// Error message boxes for exceptions that reach a window procedure.
#include "ui/ExceptionDisplay.h"

#include "base/Errors.h"
#include "ui/FocusKeeper.h"

#include <windows.h>

namespace {

std::function<void(const std::wstring&)>& Sink() {
    static std::function<void(const std::wstring&)> sink;
    return sink;
}

void Show(const std::wstring& text) {
    if (Sink()) {
        Sink()(text);
        return;
    }
    FocusKeeper keeper;
    ::MessageBoxW(::GetActiveWindow(), text.c_str(), L"Kavet24", MB_OK | MB_ICONERROR);
}

} // namespace

std::wstring ExceptionText(const std::exception& e) {
    if (auto* own = dynamic_cast<const Error*>(&e))
        return own->Message();
    const char* what = e.what();
    std::wstring text;
    for (const char* p = what; p && *p; ++p)
        text += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return text.empty() ? L"Erreur inattendue." : text;
}

void ReportException(const std::exception& e) {
    Show(ExceptionText(e));
}

void ReportUnknownException() {
    Show(L"Erreur inattendue.");
}

void ReportCurrentException() {
    try {
        throw;
    } catch (const std::exception& e) {
        ReportException(e);
    } catch (...) {
        ReportUnknownException();
    }
}

void SetExceptionSink(std::function<void(const std::wstring&)> sink) {
    Sink() = std::move(sink);
}
