// The French message of a folder watch that cannot be set up, and the clean-up of the system's
// error text that goes into it. Platform-free so that the exact text is checked everywhere.
#pragma once

#include <cstdint>
#include <string>

// The system's text without its trailing control characters, blanks and full stops.
std::wstring TrimSystemErrorText(std::wstring text);

// "Le rafraîchissement automatique ..." on two lines, with the code and the system's text.
std::wstring MonitorErrorMessage(uint32_t errorCode, const std::wstring& systemText);
