#pragma once

#include <QImage>
#include <array>
#include <memory>

#include "scheme/canvas.h"

class QPainter;

namespace stowbel {

// Draws with QPainter on a 24-bit QImage.
//
// GDI-style figures map onto QPainter's pixel rules so that a figure with corners (x1, y1) and
// (x2, y2) covers the pixels x1 .. x2 - 1 and y1 .. y2 - 1: rectangles are filled over that area
// and outlined on its edge pixels, ellipses and arcs are inscribed in it. Nothing is
// antialiased: the pictures are technical drawings of thin lines and flat faces, and crisp edges
// keep them sharp after JPEG compression. Figures outside the bitmap are clipped silently.
//
// Opaque drawing without antialiasing is idempotent, so a figure that repeats the one before it
// with the same colours is skipped, and a figure wholly outside the bitmap is not handed to
// QPainter at all: a cylinder of a few pixels draws a handful of arcs instead of 256.
class RasterCanvas : public Canvas {
public:
    RasterCanvas();
    ~RasterCanvas() override;
    RasterCanvas(const RasterCanvas&) = delete;
    RasterCanvas& operator=(const RasterCanvas&) = delete;

    void Resize(int width, int height) override;
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }

    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2) override;
    void Polygon(const std::array<PixelPoint, 4>& points) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void TextOut(int x, int y, std::string_view text) override;

    // The picture as drawn so far.
    const QImage& Image() const;

protected:
    void DrawLine(PixelPoint from, PixelPoint to) override;

private:
    enum class Use { Outline, OutlineAndFill, Nothing };
    // The painter, with the canvas's pen and brush as the figure needs them.
    QPainter& Painter(Use use);
    // True when the figure repeats the previous one exactly or lies outside the bitmap.
    bool Skip(int kind, const std::array<int, 8>& coords, int left, int top, int right, int bottom);
    void EndPainting() const;

    QImage image_;
    mutable std::unique_ptr<QPainter> painter_;
    struct Last {
        int kind = -1;
        std::array<int, 8> coords{};
        Colour pen = 0;
        int penWidth = 0;
        Colour brush = 0;
    } last_;
};

// A colour with red in the low byte as Qt sees it.
QColor ToQColor(Colour colour);

}  // namespace stowbel
