// Whether the texts of a window's labels, check boxes, buttons and group boxes show whole in the
// font each control really uses, measured against the room the control gives its text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One line per control of `root` (at any depth) whose text is cut, naming the text and the room
// missing; empty when every text fits. dpi: the DPI the window's form was built for, which sizes
// the room taken by check marks and button edges.
std::vector<std::wstring> CutTexts(HWND root, int dpi);
