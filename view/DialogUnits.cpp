#include "view/DialogUnits.h"

#include <QFontMetrics>

namespace chimeset {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average over the letters of both cases, rounded up, as dialog layouts measure it.
    static const QString kLetters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = qMax(1, (metrics.horizontalAdvance(kLetters) / 26 + 1) / 2);
    baseY_ = qMax(1, metrics.height());
}

}  // namespace chimeset
