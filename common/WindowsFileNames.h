// Names Windows will not take for a plain file: its device names (CON, NUL, COM1, ... with
// any extension), names ending in a dot or a blank, and paths past the length the plain
// Windows calls accept. Logs move between machines, so the rules are known on every platform.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace chimeset {

// The longest path that the file calls of Windows take without the "\\?\" prefix: MAX_PATH
// (260) less its terminating NUL.
constexpr std::size_t kWindowsMaxPath = 259;

// True when Windows reads the file name (no folder) as a device: CON, PRN, AUX, NUL, COM0 to
// COM9, LPT0 to LPT9, CONIN$ or CONOUT$, in any case, with or without an extension.
bool IsWindowsDeviceName(std::string_view fileName);

// Why Windows would not make or open the path as the file it names, for the user; empty when
// it would. Only the file name and the length are judged: the folders exist already.
std::string WindowsPathProblem(std::string_view path);

}  // namespace chimeset
