// The platform-free half of the placement store: reading and writing the stored position texts,
// the resolution suffix of value names, the show-command to window-state rule and the derived
// store name. Stored texts may be garbled by hand or by other programs: every reader here falls
// back to a default rather than fail.
#pragma once

#include "placement/PlacementTypes.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

using FourNumbers = std::array<int, 4>;

// The words of a stored position text: the runs of characters between blanks and commas (runs of
// several separators count as one).
std::vector<std::wstring_view> PlacementWords(std::wstring_view text);

// A word as a decimal integer (optional sign, digits only, within 32 bits), else the default.
int DecimalOrDefault(std::wstring_view word, int defaultValue);

// Words 1 to 4 of a stored position text, each with its own default when missing or not a number.
FourNumbers ReadFourNumbers(std::wstring_view text, const FourNumbers& defaults);
// The stored form: "%d,%d,%d,%d".
std::wstring FourNumbersText(const FourNumbers& numbers);

// "(%dx%d)" with the screen's width and height, appended to the position value names so that a
// placement is kept per screen resolution.
std::wstring ResolutionSuffix(int width, int height);

// The window state a stored show command stands for; unknown commands give the default.
WindowState StateFromShowCmd(int showCmd, WindowState defaultState);

// The state a form starts in when nothing says otherwise: maximized for a main form that is an
// MDI frame or a normal form placed where the system likes.
WindowState DefaultWindowState(bool isMainForm, FormStyle style, FormPosition position);

// The store name used when none is set: "Software\[prefix\]name" in the registry, where name is
// the application's title (when asked for and not empty) or the program's file name without folder
// and extension; otherwise the program's file name with its extension changed to ".INI".
std::wstring DerivedStoreName(bool useRegistry, const std::wstring& prefix, bool useApplicationTitle,
                              const std::wstring& applicationTitle, const std::wstring& programPath);
