// The page layout's device on Qt: a QPrinter (or any paint device), measured with its own
// font metrics and, while a painter is given, drawn on.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <optional>

#include "output/PrintCanvas.h"

class QPainter;
class QPaintDevice;

namespace chimeset {

class PrintPainterCanvas : public PrintCanvas {
  public:
    // face and size (tenths of a point) give the body font; the title font is the same
    // face at 14 points. painter may be null for a pass that only measures.
    PrintPainterCanvas(QPaintDevice& device, QPainter* painter, const std::string& face, int size);

    int DpiX() const override;
    int DpiY() const override;
    PrintRect PrintableArea() const override;
    void SelectFont(PrintFont font) override;
    int LineHeight() const override;
    int TextWidth(const std::string& text) override;
    void DrawLine(const std::string& text, const PrintRect& box, TextAlign align, TextPlace place,
                  bool inverse) override;
    int MeasureWrapped(const std::string& text, int width) override;
    void DrawWrapped(const std::string& text, const PrintRect& box) override;
    void FillBlack(const PrintRect& box) override;

    const QFont& CurrentFont() const { return *current_; }

  private:
    QPaintDevice& device_;
    QPainter* painter_;
    QFont titleFont_;
    QFont bodyFont_;
    QFontMetrics titleMetrics_;
    QFontMetrics bodyMetrics_;
    const QFont* current_;
    const QFontMetrics* metrics_;
};

}  // namespace chimeset
