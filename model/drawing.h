#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A picture in pixels from the top-left corner: what the program writes as
// an SVG document and what its windows paint, so that both show the same.
// The boxes are drawn first, then the lines over them, then the texts over
// everything, each in its order.
struct Colour
{
    std::uint8_t red, green, blue;

    bool operator==(const Colour&) const = default;
};

struct Point
{
    double x, y;
};

// A filled rectangle.
struct Box
{
    double x, y, width, height;
    Colour fill;
};

// An open line through its points.
struct Path
{
    std::vector<Point> points;
    Colour colour{};
    double width = 1;
    bool dashed = false;
    // Drawn without smoothing, as lines of a grid are: sharp, and quick to draw.
    bool crisp = false;
};

enum class Anchor
{
    Start,
    Middle,
    End,
};

// One line of text, `at` on its baseline.
struct Label
{
    Point at;
    std::string text;
    double size;
    Anchor anchor;
    Colour colour;
};

struct Drawing
{
    double width, height;
    std::vector<Box> boxes;
    std::vector<Path> paths;
    std::vector<Label> labels;
    // What it shows, in words: the document's title and description.
    std::string title;
    std::string description;
};

// A dash and the gap after it, in multiples of the line's width.
inline constexpr double dashLength = 4, dashGap = 3;

// The font every label is set in, of one weight: Liberation Sans, which has
// Arial's metrics and is the face the windows' texts already use, so a first
// picture loads no face of its own.
inline constexpr const char* drawingFont = "Liberation Sans";

// A complete SVG 1.1 document of the drawing, in UTF-8.
std::string svgDocument(const Drawing& drawing);
