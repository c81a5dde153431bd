#pragma once

#include <QPointF>

#include "scheme/canvas.h"

class QPainter;

namespace stowbel {

// The canvas interface on a painter that someone else owns: a page of a PDF or of a printer.
// Canvas coordinates are whole device units from an origin on the page; a pen of width w is
// w pen units wide, so thin lines keep a visible width at any device resolution. Figures are
// antialiased vectors; Resize does nothing, since the page is the painter's.
class PainterCanvas : public Canvas {
public:
    PainterCanvas(QPainter& painter, QPointF origin, double penUnit, int width, int height);

    void Resize(int /*width*/, int /*height*/) override {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }

    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2) override;
    void Polygon(const std::array<PixelPoint, 4>& points) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void TextOut(int x, int y, std::string_view text) override;

protected:
    void DrawLine(PixelPoint from, PixelPoint to) override;

private:
    enum class Use { Outline, OutlineAndFill, Fill };
    QPainter& Prepared(Use use);
    QPointF At(int x, int y) const;

    QPainter& painter_;
    QPointF origin_;
    double penUnit_;
    int width_;
    int height_;
};

}  // namespace stowbel
