#pragma once

#include <array>
#include <string_view>

#include "order/model.h"

namespace stowbel {

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// A raster canvas with GDI-style state: pen (colour, width) and solid brush keep their values
// between calls and between runs; text is written in the canvas's default font. Rectangles and
// ellipses are given by two corners; the right and bottom edges are exclusive.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void Resize(int width, int height) = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    void SetPenColour(Colour colour) { penColour_ = colour & 0xFFFFFFU; }
    void SetPenWidth(int width) { penWidth_ = width; }
    void SetBrushColour(Colour colour) { brushColour_ = colour & 0xFFFFFFU; }
    Colour PenColour() const { return penColour_; }
    int PenWidth() const { return penWidth_; }
    Colour BrushColour() const { return brushColour_; }

    // Filled with the brush, outlined with the pen.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    // Filled with the brush, no outline.
    virtual void FillRect(int x1, int y1, int x2, int y2) = 0;
    void MoveTo(int x, int y) { position_ = {x, y}; }
    // A line with the pen from the current position; the end becomes the current position.
    void LineTo(int x, int y) {
        DrawLine(position_, {x, y});
        position_ = {x, y};
    }
    virtual void Polygon(const std::array<PixelPoint, 4>& points) = 0;
    virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
    // Outline of the ellipse in (x1, y1)-(x2, y2), counter-clockwise on the screen from the ray
    // through (x3, y3) to the ray through (x4, y4).
    virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
    // UTF-8 text, upper-left corner at (x, y), black on the brush colour.
    virtual void TextOut(int x, int y, std::string_view text) = 0;

protected:
    virtual void DrawLine(PixelPoint from, PixelPoint to) = 0;

private:
    Colour penColour_ = 0;
    int penWidth_ = 1;
    Colour brushColour_ = 0xFFFFFF;
    PixelPoint position_;
};

}  // namespace stowbel
