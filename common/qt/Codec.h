// The one crossing between the core's Windows-1252 text and Qt's Unicode strings, and
// between paths as the core hands them to the C library and paths as Qt shows them.
#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/Prompter.h"

namespace chimeset {

QString FromWindows1252(std::string_view text);

// A character that Windows-1252 cannot hold becomes "?"; *replaced counts them. For text
// of the program's own, or where a "?" is the honest mark of a lost character.
std::string ToWindows1252(const QString& text, std::size_t* replaced = nullptr);

// Text that the user typed, to be stored: when Windows-1252 cannot hold all of it, the
// user is asked whether its plain form will do. std::nullopt when the user wants to change
// the text instead.
std::optional<std::string> TypedToWindows1252(const QString& text, Prompter& prompter);

// Paths in the file system's own encoding (UTF-8 here, the ANSI code page on Windows),
// which is what fopen and rename in the core expect.
QString FromNativePath(const std::string& path);
std::string ToNativePath(const QString& path);

}  // namespace chimeset
