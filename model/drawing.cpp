#include "drawing.h"

#include <charconv>
#include <cstdio>
#include <string_view>

namespace {

// Coordinates to a tenth of a pixel, always with a point.
std::string number(double value)
{
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1).ptr;
    std::string text(buffer, end);
    if (text.ends_with(".0"))
        text.resize(text.size() - 2);
    return text == "-0" ? "0" : text;
}

std::string colour(Colour c)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", c.red, c.green, c.blue);
    return buffer;
}

std::string escaped(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

struct ShapeWriter
{
    std::string& out;

    void operator()(const Box& box) const
    {
        out += "<rect x=\"" + number(box.x) + "\" y=\"" + number(box.y) + "\" width=\"" +
               number(box.width) + "\" height=\"" + number(box.height) + "\" fill=\"" +
               colour(box.fill) + "\"/>\n";
    }

    void operator()(const Path& path) const
    {
        out += "<polyline fill=\"none\" stroke=\"" + colour(path.colour) + "\" stroke-width=\"" +
               number(path.width) + "\"";
        if (path.crisp)
            out += " shape-rendering=\"crispEdges\"";
        if (path.dashed) {
            out += " stroke-dasharray=\"" + number(dashLength * path.width) + ' ' +
                   number(dashGap * path.width) + "\"";
        }
        out += " points=\"";
        const char* separator = "";
        for (const Point& point : path.points) {
            out += separator + number(point.x) + ',' + number(point.y);
            separator = " ";
        }
        out += "\"/>\n";
    }

    void operator()(const Label& label) const
    {
        static constexpr const char* anchors[] = {"start", "middle", "end"};
        out += "<text x=\"" + number(label.at.x) + "\" y=\"" + number(label.at.y) +
               "\" font-size=\"" + number(label.size) + "\" text-anchor=\"" +
               anchors[static_cast<int>(label.anchor)] + "\" fill=\"" + colour(label.colour) +
               "\">" + escaped(label.text) + "</text>\n";
    }
};

} // namespace

std::string svgDocument(const Drawing& drawing)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
                      number(drawing.width) + "\" height=\"" + number(drawing.height) +
                      "\" viewBox=\"0 0 " + number(drawing.width) + ' ' + number(drawing.height) +
                      "\" font-family=\"" + drawingFont + ", Arial, sans-serif\">\n";
    out += "<title>" + escaped(drawing.title) + "</title>\n";
    out += "<desc>" + escaped(drawing.description) + "</desc>\n";
    const ShapeWriter write{out};
    for (const Box& box : drawing.boxes)
        write(box);
    for (const Path& path : drawing.paths)
        write(path);
    for (const Label& label : drawing.labels)
        write(label);
    out += "</svg>\n";
    return out;
}
