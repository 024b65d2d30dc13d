// The arguments of a command line as the program got them, its own name left out: what the console
// program hands on, untouched, to the window program it starts.
#pragma once

#include <string>
#include <string_view>

// The text after the program's name and the blanks that follow it. The name is read as Windows
// reads it: up to the closing quote when it opens with one, else up to the first blank.
std::wstring CommandTail(std::wstring_view commandLine);
