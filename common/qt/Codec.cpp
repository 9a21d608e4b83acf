#include "common/qt/Codec.h"

#include <QDir>
#include <QFile>

#include "common/CodePage.h"
#include "common/PlainFormQuestion.h"

namespace chimeset {

QString FromWindows1252(std::string_view text) {
    // Each Windows-1252 character is one UTF-16 unit, so no detour through UTF-8: the tower
    // list converts thousands of names at start-up.
    QString result(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* out = result.data();
    for (const char c : text) {
        // Only 0x80 to 0x9F differ from Latin-1.
        const auto byte = static_cast<unsigned char>(c);
        *out++ =
            QChar(byte < 0x80 || byte > 0x9F ? char16_t{byte}
                                             : static_cast<char16_t>(Windows1252ToCodePoint(byte)));
    }
    return result;
}

std::string ToWindows1252(const QString& text, std::size_t* replaced) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToWindows1252(
        std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), '?', replaced);
}

std::optional<std::string> TypedToWindows1252(const QString& text, Prompter& prompter) {
    return AgreeTextToStore(text.toStdU32String(), prompter);
}

QString FromNativePath(const std::string& path) {
    return QDir::toNativeSeparators(
        QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size()))));
}

std::string ToNativePath(const QString& path) {
    const QByteArray bytes = QFile::encodeName(QDir::toNativeSeparators(path));
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace chimeset
