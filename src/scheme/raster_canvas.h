#pragma once

#include <QImage>

#include "scheme/canvas.h"

namespace stowbel {

// Draws with QPainter on a 24-bit QImage.
//
// GDI-style figures map onto QPainter's pixel rules so that a figure with corners (x1, y1) and
// (x2, y2) covers the pixels x1 .. x2 - 1 and y1 .. y2 - 1: rectangles are filled over that area
// and outlined on its edge pixels, ellipses and arcs are inscribed in it. Nothing is
// antialiased: the pictures are technical drawings of thin lines and flat faces, and crisp edges
// keep them sharp after JPEG compression. Figures outside the bitmap are clipped silently.
class RasterCanvas : public Canvas {
  public:
    RasterCanvas();

    void Resize(int width, int height) override;
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }

    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2) override;
    void Polygon(const std::array<PixelPoint, 4>& points) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void TextOut(int x, int y, std::string_view text) override;

    const QImage& Image() const { return image_; }

  protected:
    void DrawLine(PixelPoint from, PixelPoint to) override;

  private:
    QImage image_;
};

// A colour with red in the low byte as Qt sees it.
QColor ToQColor(Colour colour);

}  // namespace stowbel
