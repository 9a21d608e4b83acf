// The one crossing between the core's Windows-1252 text and Qt's Unicode strings, and
// between paths as the core hands them to the C library and paths as Qt shows them.
#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

namespace chimeset {

QString FromWindows1252(std::string_view text);

// A character that Windows-1252 cannot hold becomes "?"; *replaced counts them.
std::string ToWindows1252(const QString& text, std::size_t* replaced = nullptr);

// Paths in the file system's own encoding (UTF-8 here, the ANSI code page on Windows),
// which is what fopen and rename in the core expect.
QString FromNativePath(const std::string& path);
std::string ToNativePath(const QString& path);

}  // namespace chimeset
