// Text crosses into the dialogs as Windows-1252 bytes and comes back the same way.
#pragma once

#include <QString>
#include <string>

#include "common/CodePage.h"

namespace chimeset {

inline QString ToQString(const std::string& text) {
    return QString::fromStdString(Windows1252ToUtf8(text));
}

// Characters that the code page cannot hold become "?".
inline std::string FromQString(const QString& text) {
    return Utf8ToWindows1252(text.toStdString());
}

}  // namespace chimeset
