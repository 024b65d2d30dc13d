// The user's regional date and time texts: writing a date or a time as the remembered setting
// holds it, and reading such a text back (nothing when it no longer reads under the current formats).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

std::wstring ShortDateText(const SYSTEMTIME& date);
std::wstring LongTimeText(const SYSTEMTIME& time);
std::optional<SYSTEMTIME> ReadShortDate(const std::wstring& text);
std::optional<SYSTEMTIME> ReadLongTime(const std::wstring& text);
