#pragma once

#include <string>
#include <vector>

#include "scheme/canvas.h"

namespace stowbel {

enum class FigureKind { Rectangle, FillRect, Line, Polygon, Ellipse, Arc, Text };

// One drawing call with its exact coordinates and the canvas state it was drawn with.
struct Figure {
    FigureKind kind;
    std::vector<int> coords;  // as given: corners, points, or x, y of a text
    Colour pen = 0;
    int penWidth = 1;
    Colour brush = 0;
    std::string text;
};

// Keeps every figure instead of drawing it; for tests and for anything that wants the
// drawing as data.
class RecordingCanvas : public Canvas {
public:
    void Resize(int width, int height) override {
        width_ = width;
        height_ = height;
    }
    int Width() const override { return width_; }
    int Height() const override { return height_; }

    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2) override;
    void Polygon(const std::array<PixelPoint, 4>& points) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void TextOut(int x, int y, std::string_view text) override;

    const std::vector<Figure>& Figures() const { return figures_; }
    std::size_t CountOf(FigureKind kind) const;
    void Clear() { figures_.clear(); }

protected:
    void DrawLine(PixelPoint from, PixelPoint to) override;

private:
    void Record(FigureKind kind, std::vector<int> coords, std::string text = {});

    int width_ = 0;
    int height_ = 0;
    std::vector<Figure> figures_;
};

}  // namespace stowbel
