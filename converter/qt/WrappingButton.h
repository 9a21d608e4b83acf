// A push button whose caption wraps over several lines, for the tall square buttons.
#pragma once

#include <QPushButton>

namespace chimeset {

class WrappingButton : public QPushButton {
    Q_OBJECT

  public:
    explicit WrappingButton(const QString& text, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace chimeset
