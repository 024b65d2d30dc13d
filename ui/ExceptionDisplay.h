// The application's exception display: what reaches a window procedure or a thread boundary is
// shown to the user here, in an error message box, instead of crossing that boundary.
#pragma once

#include <exception>
#include <functional>
#include <string>

// The text shown for an exception: the program's own French message, or a generic text.
std::wstring ExceptionText(const std::exception& e);

// Shows the exception (or hands it to the sink installed by SetExceptionSink).
void ReportException(const std::exception& e);
void ReportUnknownException();
// Inside a catch block only: reports the exception being handled, whatever its type.
void ReportCurrentException();

// Tests install a sink so that no modal box blocks them; pass an empty function to restore the box.
void SetExceptionSink(std::function<void(const std::wstring&)> sink);
