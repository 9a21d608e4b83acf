// What the page layout needs of a printing device: its geometry, two fonts, measuring and
// drawing text. The Qt implementation draws on a QPrinter; tests may measure with fixed
// metrics. Coordinates are device pixels; text is Windows-1252.
#pragma once

#include <cstdint>
#include <string>

namespace chimeset {

struct PrintRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

enum class PrintFont { Title, Body };
enum class TextAlign { Left, Centre };
enum class TextPlace { Top, Bottom };

class PrintCanvas {
  public:
    virtual ~PrintCanvas() = default;

    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;
    // The printable area of the page.
    virtual PrintRect PrintableArea() const = 0;

    virtual void SelectFont(PrintFont font) = 0;
    // Character height plus external leading of the selected font.
    virtual int LineHeight() const = 0;

    // The width of the text on one line in the selected font.
    virtual int TextWidth(const std::string& text) = 0;
    // One line in the rectangle, clipped to it; inverse draws white on a black text
    // background.
    virtual void DrawLine(const std::string& text, const PrintRect& box, TextAlign align,
                          TextPlace place, bool inverse) = 0;
    // The height that the text takes word-wrapped within the width, line breaks kept.
    virtual int MeasureWrapped(const std::string& text, int width) = 0;
    // The text word-wrapped in the box; the last line that fits ends in "..." when more
    // of the text is left.
    virtual void DrawWrapped(const std::string& text, const PrintRect& box) = 0;
    virtual void FillBlack(const PrintRect& box) = 0;
};

}  // namespace chimeset
