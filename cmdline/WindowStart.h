// The console program's way to the window: Kavet24.com, asked for no operation, starts
// Kavet24.exe beside it and returns, so that typing "Kavet24" alone still opens the window.
#pragma once

#include <optional>
#include <string>

// Starts the window program of the same name beside this one, with this program's arguments and
// current folder, without waiting for it (Windows asks for the administrator rights it needs);
// why it could not, when it could not.
std::optional<std::wstring> StartWindowProgram();
