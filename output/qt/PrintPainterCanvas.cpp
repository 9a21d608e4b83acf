#include "output/qt/PrintPainterCanvas.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

#include "common/qt/Codec.h"

namespace chimeset {
namespace {

constexpr int kTitlePointSize = 14;

QFont MakeFont(const std::string& face, double points, QPaintDevice& device) {
    QFont font(FromWindows1252(face), -1, QFont::Normal);
    font.setPointSizeF(points);
    // Metrics and drawing both in the device's own resolution, never the screen's.
    return QFont(font, &device);
}

QRect ToRect(const PrintRect& box) {
    return QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
}

// Comments keep their line breaks as CR LF; the text layout wants line separators.
QString WrappableText(const std::string& text) {
    QString result = FromWindows1252(text);
    result.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    result.replace(QLatin1Char('\r'), QChar::LineSeparator);
    result.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return result;
}

int LeadingOf(const QFontMetrics& metrics) {
    return std::max(0, metrics.leading());
}

}  // namespace

PrintPainterCanvas::PrintPainterCanvas(QPaintDevice& device, QPainter* painter,
                                       const std::string& face, int size)
    : device_(device),
      painter_(painter),
      titleFont_(MakeFont(face, kTitlePointSize, device)),
      bodyFont_(MakeFont(face, size / 10.0, device)),
      titleMetrics_(titleFont_, &device),
      bodyMetrics_(bodyFont_, &device),
      current_(&bodyFont_),
      metrics_(&bodyMetrics_) {
    if (painter_) painter_->setBackgroundMode(Qt::TransparentMode);
}

int PrintPainterCanvas::DpiX() const {
    return device_.logicalDpiX();
}
int PrintPainterCanvas::DpiY() const {
    return device_.logicalDpiY();
}

PrintRect PrintPainterCanvas::PrintableArea() const {
    // A painter on a printer starts at the printable area's corner.
    return {0, 0, device_.width(), device_.height()};
}

void PrintPainterCanvas::SelectFont(PrintFont font) {
    const bool title = font == PrintFont::Title;
    current_ = title ? &titleFont_ : &bodyFont_;
    metrics_ = title ? &titleMetrics_ : &bodyMetrics_;
    if (painter_) painter_->setFont(*current_);
}

int PrintPainterCanvas::LineHeight() const {
    return metrics_->height() + LeadingOf(*metrics_);
}

int PrintPainterCanvas::TextWidth(const std::string& text) {
    return metrics_->horizontalAdvance(FromWindows1252(text));
}

void PrintPainterCanvas::DrawLine(const std::string& text, const PrintRect& box, TextAlign align,
                                  TextPlace place, bool inverse) {
    if (!painter_ || text.empty() || box.right <= box.left || box.bottom <= box.top) return;
    const QString shown = FromWindows1252(text);
    const int flags = Qt::TextSingleLine |
                      (align == TextAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft) |
                      (place == TextPlace::Top ? Qt::AlignTop : Qt::AlignBottom);
    const QRect rect = ToRect(box);
    painter_->save();
    painter_->setClipRect(rect, Qt::IntersectClip);
    if (inverse) {
        // The text background covers the text's own cells, as an opaque text mode does.
        const QRect extent = painter_->boundingRect(rect, flags, shown);
        painter_->fillRect(QRect(extent.left(), extent.top(), extent.width(), metrics_->height()),
                           Qt::black);
        painter_->setPen(Qt::white);
    } else {
        painter_->setPen(Qt::black);
    }
    painter_->drawText(rect, flags, shown);
    painter_->restore();
}

int PrintPainterCanvas::MeasureWrapped(const std::string& text, int width) {
    if (text.empty() || width <= 0) return 0;
    QTextLayout layout(WrappableText(text), *current_, &device_);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    int lines = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines * LineHeight();
}

void PrintPainterCanvas::DrawWrapped(const std::string& text, const PrintRect& box) {
    const int width = box.right - box.left;
    if (!painter_ || text.empty() || width <= 0) return;
    const QString wrappable = WrappableText(text);
    QTextLayout layout(wrappable, *current_, &device_);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    struct Piece {
        int start;
        int length;
    };
    std::vector<Piece> pieces;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        pieces.push_back({line.textStart(), line.textLength()});
    }
    layout.endLayout();

    const int lineHeight = LineHeight();
    const int fitting = lineHeight > 0 ? (box.bottom - box.top) / lineHeight : 0;
    const int shown = std::min<int>(fitting, static_cast<int>(pieces.size()));
    painter_->save();
    painter_->setClipRect(ToRect(box), Qt::IntersectClip);
    painter_->setPen(Qt::black);
    for (int i = 0; i < shown; ++i) {
        const Piece& piece = pieces[static_cast<std::size_t>(i)];
        QString lineText;
        if (i == shown - 1 && shown < static_cast<int>(pieces.size())) {
            // The last line that fits carries the rest of the text, cut with an ellipsis.
            lineText = wrappable.mid(piece.start);
            lineText.replace(QChar::LineSeparator, QLatin1Char(' '));
            lineText = metrics_->elidedText(lineText, Qt::ElideRight, width);
        } else {
            lineText = wrappable.mid(piece.start, piece.length);
            lineText.remove(QChar::LineSeparator);
        }
        const QRect rect(box.left, box.top + i * lineHeight, width, lineHeight);
        painter_->drawText(rect, Qt::TextSingleLine | Qt::AlignLeft | Qt::AlignTop, lineText);
    }
    painter_->restore();
}

void PrintPainterCanvas::FillBlack(const PrintRect& box) {
    if (!painter_ || box.right <= box.left || box.bottom <= box.top) return;
    painter_->fillRect(ToRect(box), Qt::black);
}

}  // namespace chimeset
