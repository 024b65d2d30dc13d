// Fonts made from a face name and a pixel height, as the forms and labels ask for them.
#pragma once

#include "base/Handles.h"

#include <string>

// Height in pixels as the platform takes it: negative for the character height (-11 is the
// usual 8-point text at 96 dots per inch).
GdiObject MakeFont(const std::wstring& face, int height, bool bold = false, bool underline = false);

// The face name of a font, or an empty text for none.
std::wstring FontFaceName(HFONT font);
