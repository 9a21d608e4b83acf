#include "common/qt/Codec.h"

#include <QDir>
#include <QFile>

#include "common/CodePage.h"
#include "common/PlainFormQuestion.h"

namespace chimeset {

QString FromWindows1252(std::string_view text) {
    const std::string utf8 = Windows1252ToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
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
