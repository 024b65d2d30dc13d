// The one path rule a 32-bit program on 64-bit Windows needs: the system folder it names is not the
// one the system hands it. Platform-free, so that the rule is tested natively.
#pragma once

#include <string>
#include <string_view>

// The path a 32-bit program on 64-bit Windows must hand the file-system calls to reach `path`
// itself. Windows redirects such a program's access to the system folder (`systemFolder`,
// "C:\Windows\System32") to its 32-bit twin, SysWOW64; the alias `nativeFolder`
// ("C:\Windows\Sysnative") reaches the real one. A path inside the system folder, or the folder
// itself, letter case aside and in the "\\?\" form too, gets the alias in its place; any other path
// comes back as given.
std::wstring UnredirectedPath(std::wstring_view path, std::wstring_view systemFolder,
                              std::wstring_view nativeFolder);
