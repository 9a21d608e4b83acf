// A sunken text field of the form that reports clicks: a static control, not an edit.
// "&" is shown as it is. Space and Return click it when it has the keyboard focus.
#pragma once

#include <QColor>
#include <QLabel>

namespace chimeset {

class FieldLabel : public QLabel {
    Q_OBJECT

  public:
    FieldLabel(const QString& objectName, QWidget* parent = nullptr);

    // Background and text colours; an invalid colour restores the form's default.
    void SetColours(const QColor& background, const QColor& text);
    QColor Background() const { return background_; }
    QColor TextColour() const { return text_; }

    // The field's size comes from the form, not from its text: a long name is cut, and
    // never widens the form.
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
    QColor background_;
    QColor text_;
    bool pressed_ = false;
};

}  // namespace chimeset
