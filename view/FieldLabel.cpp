#include "view/FieldLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace chimeset {

FieldLabel::FieldLabel(const QString& objectName, QWidget* parent) : QLabel(parent) {
    setObjectName(objectName);
    setTextFormat(Qt::PlainText);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
}

void FieldLabel::SetColours(const QColor& background, const QColor& text) {
    if (background == background_ && text == text_) return;
    background_ = background;
    text_ = text;
    QPalette colours = parentWidget() ? parentWidget()->palette() : QPalette();
    if (background.isValid()) colours.setColor(QPalette::Window, background);
    if (text.isValid()) colours.setColor(QPalette::WindowText, text);
    setPalette(colours);
    setAutoFillBackground(background.isValid());
}

QSize FieldLabel::sizeHint() const {
    return minimumSize().isEmpty() ? QLabel::sizeHint() : minimumSize();
}

QSize FieldLabel::minimumSizeHint() const {
    return minimumSize().isEmpty() ? QLabel::minimumSizeHint() : minimumSize();
}

void FieldLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void FieldLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
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
    QLabel::keyPressEvent(event);
}

void FieldLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = contentsRect().adjusted(1, 1, -1, -1);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

}  // namespace chimeset
