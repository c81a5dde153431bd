#pragma once

#include "scheme/canvas.h"

namespace stowbel {

// A picture nobody needs: keeps its size and the canvas state, draws nothing.
class NullCanvas : public Canvas {
public:
    void Resize(int width, int height) override {
        width_ = width;
        height_ = height;
    }
    int Width() const override { return width_; }
    int Height() const override { return height_; }

    void Rectangle(int, int, int, int) override {}
    void FillRect(int, int, int, int) override {}
    void Polygon(const std::array<PixelPoint, 4>&) override {}
    void Ellipse(int, int, int, int) override {}
    void Arc(int, int, int, int, int, int, int, int) override {}
    void TextOut(int, int, std::string_view) override {}

protected:
    void DrawLine(PixelPoint, PixelPoint) override {}

private:
    int width_ = 0;
    int height_ = 0;
};

}  // namespace stowbel
