#include "common/qt/SingleLineValidator.h"

#include "common/TextFolding.h"

namespace chimeset {

QValidator::State SingleLineValidator::validate(QString& input, int& position) const {
    for (const QChar c : forbidden_) {
        if (input.contains(c)) return Invalid;
    }
    QString clean;
    clean.reserve(input.size());
    int cursor = position;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QChar c = input[i];
        if (!IsControlCharacter(c.unicode())) {
            clean += c;
        } else if (c == QLatin1Char('\r') && i + 1 < input.size() &&
                   input[i + 1] == QLatin1Char('\n')) {
            // One blank for the two characters of a Windows line break.
            if (i < position) --cursor;
        } else {
            clean += QLatin1Char(' ');
        }
    }
    if (clean != input) {
        input = clean;
        position = qBound(0, cursor, static_cast<int>(clean.size()));
    }
    return Acceptable;
}

}  // namespace chimeset
