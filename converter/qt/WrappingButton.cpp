#include "converter/qt/WrappingButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace chimeset {

WrappingButton::WrappingButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();  // the frame only; the caption follows, wrapped
    painter.drawControl(QStyle::CE_PushButton, option);

    QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    area.adjust(2, 2, -2, -2);
    const int flags =
        Qt::AlignCenter | Qt::TextWordWrap |
        (style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this) ? Qt::TextShowMnemonic
                                                                         : Qt::TextHideMnemonic);
    style()->drawItemText(&painter, area, flags, option.palette, isEnabled(), text(),
                          QPalette::ButtonText);
}

}  // namespace chimeset
