#include "view/FieldLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace chimeset {

FieldLabel::FieldLabel(const QString& objectName, QWidget* parent) : QFrame(parent) {
    setObjectName(objectName);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void FieldLabel::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    // Screen readers read a field by its name, as they read a label by its text.
    setAccessibleName(text_);
    update(contentsRect());
    if (minimumSize().isEmpty()) updateGeometry();
}

void FieldLabel::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void FieldLabel::setWordWrap(bool on) {
    wordWrap_ = on;
    update();
    updateGeometry();
}

void FieldLabel::setMargin(int margin) {
    margin_ = margin;
    update();
    updateGeometry();
}

void FieldLabel::SetColours(const QColor& background, const QColor& text) {
    if (background == background_ && text == textColour_) return;
    background_ = background;
    textColour_ = text;
    QPalette colours = parentWidget() ? parentWidget()->palette() : QPalette();
    if (background.isValid()) colours.setColor(QPalette::Window, background);
    if (text.isValid()) colours.setColor(QPalette::WindowText, text);
    setPalette(colours);
    setAutoFillBackground(background.isValid());
}

int FieldLabel::Indent() const {
    return frameWidth() > 0 ? fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - margin_ : 0;
}

Qt::Alignment FieldLabel::VisualAlignment() const {
    return QStyle::visualAlignment(text_.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight,
                                   alignment_);
}

QSize FieldLabel::TextSize() const {
    const QFontMetrics metrics = fontMetrics();
    const Qt::Alignment align = VisualAlignment();
    // Twice the indent, one each side, as a label reckons it.
    const int indent =
        frameWidth() > 0 ? metrics.horizontalAdvance(QLatin1Char('x')) - 2 * margin_ : 0;
    const int across =
        2 * margin_ + (indent > 0 && (align & (Qt::AlignLeft | Qt::AlignRight)) ? indent : 0);
    const int down =
        2 * margin_ + (indent > 0 && (align & (Qt::AlignTop | Qt::AlignBottom)) ? indent : 0);
    const QMargins frame = contentsMargins();
    int flags = static_cast<int>(align & ~(Qt::AlignVCenter | Qt::AlignHCenter));
    int width = 2000;
    if (wordWrap_) {
        flags |= Qt::TextWordWrap;
        width = qMin(metrics.averageCharWidth() * 80, maximumSize().width());
    }
    width -= across + frame.left() + frame.right();
    QRect bounds = metrics.boundingRect(0, 0, width, 2000, flags, text_);
    if (wordWrap_ && bounds.height() < 4 * metrics.lineSpacing() && bounds.width() > width / 2)
        bounds = metrics.boundingRect(0, 0, width / 2, 2000, flags, text_);
    if (wordWrap_ && bounds.height() < 2 * metrics.lineSpacing() && bounds.width() > width / 4)
        bounds = metrics.boundingRect(0, 0, width / 4, 2000, flags, text_);
    return QSize(bounds.width() + across + frame.left() + frame.right(),
                 bounds.height() + down + frame.top() + frame.bottom());
}

QSize FieldLabel::sizeHint() const {
    return minimumSize().isEmpty() ? TextSize().expandedTo(minimumSize()) : minimumSize();
}

QSize FieldLabel::minimumSizeHint() const {
    return sizeHint();
}

void FieldLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QFrame::mousePressEvent(event);
}

void FieldLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    QFrame::mouseReleaseEvent(event);
    if (wasPressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}

void FieldLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QFrame::keyPressEvent(event);
}

void FieldLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const Qt::Alignment align = VisualAlignment();
    QRect area = contentsRect().adjusted(margin_, margin_, -margin_, -margin_);
    if (const int indent = Indent(); indent > 0) {
        if (align & Qt::AlignLeft) area.setLeft(area.left() + indent);
        if (align & Qt::AlignRight) area.setRight(area.right() - indent);
        if (align & Qt::AlignTop) area.setTop(area.top() + indent);
        if (align & Qt::AlignBottom) area.setBottom(area.bottom() - indent);
    }
    int flags = static_cast<int>(align) | (wordWrap_ ? Qt::TextWordWrap : 0) |
                (text_.isRightToLeft() ? Qt::TextForceRightToLeft : Qt::TextForceLeftToRight);
    style()->drawItemText(&painter, area, flags, palette(), isEnabled(), text_, foregroundRole());
    if (!hasFocus()) return;
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = contentsRect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

}  // namespace chimeset
