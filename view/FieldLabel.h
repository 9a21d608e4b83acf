// A sunken text field of the form that reports clicks: a static control, not an edit.
// "&" is shown as it is. Space and Return click it when it has the keyboard focus.
//
// It looks and sizes as a plain-text QLabel with a sunken panel frame does, and keeps that
// label's names for its text, alignment, word wrap and margin. It is not one: a QLabel that
// takes the keyboard focus lays its text out through a whole text document, several times the
// work of drawing it, for each of the form's fields at every start.
#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

namespace chimeset {

class FieldLabel : public QFrame {
    Q_OBJECT

  public:
    FieldLabel(const QString& objectName, QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);
    // Room kept clear inside the frame, all round.
    int margin() const { return margin_; }
    void setMargin(int margin);

    // Background and text colours; an invalid colour restores the form's default.
    void SetColours(const QColor& background, const QColor& text);
    QColor Background() const { return background_; }
    QColor TextColour() const { return textColour_; }

    // The field's size comes from the form, not from its text: a long name is cut, and
    // never widens the form. Without a size from the form, the text's size, as a label's.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // The indent a framed label gives its text on the side it is aligned to.
    int Indent() const;
    Qt::Alignment VisualAlignment() const;
    QSize TextSize() const;

    QString text_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap_ = false;
    int margin_ = 0;
    QColor background_;
    QColor textColour_;
    bool pressed_ = false;
};

}  // namespace chimeset
