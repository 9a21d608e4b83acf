#include "map/SvgMapPainter.h"

#include <cstdio>

#include "common/XmlText.h"

namespace chimeset {
namespace {

std::string Number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    std::string text(buffer);
    if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0)
        text.resize(text.size() - 2);
    if (text == "-0") text = "0";
    return text;
}

std::string Colour(MapColour colour) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return buffer;
}

std::string Paint(const char* what, MapColour colour) {
    std::string out = std::string(" ") + what + "=\"" + Colour(colour) + "\"";
    if (colour.alpha != 255)
        out += std::string(" ") + what + "-opacity=\"" + Number(colour.alpha / 255.0 * 100) + "%\"";
    return out;
}

}  // namespace

SvgMapPainter::SvgMapPainter(double width, double height) : width_(width), height_(height) {}

std::string SvgMapPainter::Finish() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           Number(width_) + "\" height=\"" + Number(height_) + "\" viewBox=\"0 0 " +
           Number(width_) + " " + Number(height_) +
           "\" font-family=\"DejaVu Sans, Arial, sans-serif\">\n" + body_ + "</svg>\n";
}

void SvgMapPainter::Points(const std::vector<ScreenPoint>& points) {
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i) body_ += ' ';
        body_ += Number(points[i].x);
        body_ += ',';
        body_ += Number(points[i].y);
    }
}

void SvgMapPainter::Clear(MapColour colour) {
    body_ += "<rect width=\"100%\" height=\"100%\"" + Paint("fill", colour) + "/>\n";
}

void SvgMapPainter::Polygon(const std::vector<ScreenPoint>& points, MapColour fill,
                            MapColour outline, double outlineWidth) {
    body_ += "<polygon points=\"";
    Points(points);
    body_ += "\"" + Paint("fill", fill);
    if (outlineWidth > 0)
        body_ += Paint("stroke", outline) + " stroke-width=\"" + Number(outlineWidth) +
                 "\" stroke-linejoin=\"round\"";
    body_ += "/>\n";
}

void SvgMapPainter::Polyline(const std::vector<ScreenPoint>& points, MapColour colour,
                             double width) {
    body_ += "<polyline points=\"";
    Points(points);
    body_ += "\" fill=\"none\"" + Paint("stroke", colour) + " stroke-width=\"" + Number(width) +
             "\" stroke-linejoin=\"round\" stroke-linecap=\"round\"/>\n";
}

void SvgMapPainter::Dots(const std::vector<ScreenPoint>& centres, const DotStyle& style) {
    body_ += "<g" + Paint("fill", style.fill);
    if (style.outline.alpha != 0)
        body_ +=
            Paint("stroke", style.outline) + " stroke-width=\"" + Number(style.outlineWidth) + "\"";
    body_ += ">\n";
    const std::string r = Number(style.radius);
    const std::string side = Number(style.radius * 2);
    for (const ScreenPoint& c : centres) {
        if (style.shape == DotShape::Square)
            body_ += "<rect x=\"" + Number(c.x - style.radius) + "\" y=\"" +
                     Number(c.y - style.radius) + "\" width=\"" + side + "\" height=\"" + side +
                     "\"/>\n";
        else
            body_ +=
                "<circle cx=\"" + Number(c.x) + "\" cy=\"" + Number(c.y) + "\" r=\"" + r + "\"/>\n";
    }
    body_ += "</g>\n";
}

void SvgMapPainter::Ring(ScreenPoint centre, double radius, MapColour colour, double width) {
    body_ += "<circle cx=\"" + Number(centre.x) + "\" cy=\"" + Number(centre.y) + "\" r=\"" +
             Number(radius) + "\" fill=\"none\"" + Paint("stroke", colour) + " stroke-width=\"" +
             Number(width) + "\"/>\n";
}

void SvgMapPainter::Rectangle(double x, double y, double width, double height, MapColour fill,
                              MapColour outline) {
    body_ += "<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(width) +
             "\" height=\"" + Number(height) + "\"" + Paint("fill", fill) +
             Paint("stroke", outline) + "/>\n";
}

void SvgMapPainter::Text(double x, double y, const std::string& text, double size, bool bold,
                         MapColour colour, bool halo) {
    std::string attributes = " x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" font-size=\"" +
                             Number(size) + "\"" + (bold ? " font-weight=\"bold\"" : "");
    const std::string escaped = XmlEscape(text);
    if (halo)
        body_ += "<text" + attributes +
                 " fill=\"none\" stroke=\"#ffffff\" stroke-width=\"3\" stroke-opacity=\"80%\" "
                 "stroke-linejoin=\"round\">" +
                 escaped + "</text>\n";
    body_ += "<text" + attributes + Paint("fill", colour) + ">" + escaped + "</text>\n";
}

double SvgMapPainter::TextWidth(const std::string& text, double size, bool bold) {
    std::size_t characters = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
    return static_cast<double>(characters) * size * (bold ? 0.62 : 0.56);
}

}  // namespace chimeset
