// The desktop's style, with the few pictures it would read from PNG files drawn instead: the
// menu bar's overflow arrows and, in Fusion, the group box frame. Reading the first PNG makes
// Qt load every image plugin with its libraries (the SVG module and the JPEG library among
// them), which cost a start of the program as much as reading the tower database.
#pragma once

#include <QProxyStyle>

namespace chimeset {

class ProgramStyle : public QProxyStyle {
    Q_OBJECT

  public:
    // Takes over `base`, as every proxy style does.
    explicit ProgramStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

  private:
    [[maybe_unused]] bool fusion_;  // only Fusion draws its group box frame from a PNG
};

}  // namespace chimeset
