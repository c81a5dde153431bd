#include "scheme/raster_canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace stowbel {

namespace {

// Coordinates far outside any picture are pulled in so that the rasteriser's fixed-point
// arithmetic never overflows; only absurd orders produce them.
constexpr int kCoordinateLimit = 1 << 20;
// Room around the bitmap for thick pens when deciding that a figure is outside it.
constexpr int kCullMargin = 8;
constexpr int kTextPixelSize = 12;

int Clamp(int v) {
    return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
}

struct Box {
    int left;
    int top;
    int right;  // exclusive
    int bottom;
};

Box Normalised(int x1, int y1, int x2, int y2) {
    return {Clamp(std::min(x1, x2)), Clamp(std::min(y1, y2)), Clamp(std::max(x1, x2)),
            Clamp(std::max(y1, y2))};
}

// The rectangle QPainter outlines or inscribes into to cover the pixels left .. right - 1.
QRect InnerRect(const Box& b) {
    return QRect(b.left, b.top, std::max(b.right - b.left - 1, 0),
                 std::max(b.bottom - b.top - 1, 0));
}

// The parametric ellipse angle, in degrees counter-clockwise on screen, of the ray from the
// centre through a point.
double RayAngle(const Box& b, int x, int y) {
    const double cx = (b.left + b.right - 1) / 2.0;
    const double cy = (b.top + b.bottom - 1) / 2.0;
    const double rx = std::max((b.right - b.left - 1) / 2.0, 0.5);
    const double ry = std::max((b.bottom - b.top - 1) / 2.0, 0.5);
    const double dx = x - cx;
    const double dy = cy - y;  // screen y grows downward
    return std::atan2(rx * dy, ry * dx) * 180.0 / std::numbers::pi;
}

enum Kind { kRectangle, kFillRect, kPolygon, kEllipse, kArc, kLine };

}  // namespace

QColor ToQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFFU), static_cast<int>((colour >> 8) & 0xFFU),
                  static_cast<int>((colour >> 16) & 0xFFU));
}

RasterCanvas::RasterCanvas() : image_(1, 1, QImage::Format_RGB32) {
    image_.fill(Qt::white);
}

RasterCanvas::~RasterCanvas() {
    EndPainting();
}

void RasterCanvas::EndPainting() const {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

const QImage& RasterCanvas::Image() const {
    EndPainting();
    return image_;
}

void RasterCanvas::Resize(int width, int height) {
    EndPainting();
    image_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image_.fill(Qt::white);
    last_ = Last{};
}

QPainter& RasterCanvas::Painter(Use use) {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
    }
    if (use == Use::Outline || use == Use::OutlineAndFill) {
        QPen pen(ToQColor(PenColour()));
        pen.setWidth(std::max(PenWidth(), 1));
        pen.setJoinStyle(Qt::MiterJoin);
        painter_->setPen(pen);
    } else {
        painter_->setPen(Qt::NoPen);
    }
    if (use == Use::OutlineAndFill) {
        painter_->setBrush(ToQColor(BrushColour()));
    } else {
        painter_->setBrush(Qt::NoBrush);
    }
    return *painter_;
}

bool RasterCanvas::Skip(int kind, const std::array<int, 8>& coords, int left, int top, int right,
                        int bottom) {
    if (right < -kCullMargin || bottom < -kCullMargin || left > image_.width() + kCullMargin ||
        top > image_.height() + kCullMargin) {
        return true;
    }
    const Last current{kind, coords, PenColour(), PenWidth(), BrushColour()};
    if (current.kind == last_.kind && current.coords == last_.coords && current.pen == last_.pen &&
        current.penWidth == last_.penWidth && current.brush == last_.brush) {
        return true;
    }
    last_ = current;
    return false;
}

void RasterCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    const Box b = Normalised(x1, y1, x2, y2);
    if (b.right <= b.left || b.bottom <= b.top ||
        Skip(kRectangle, {x1, y1, x2, y2}, b.left, b.top, b.right, b.bottom)) {
        return;
    }
    QPainter& p = Painter(Use::Outline);
    p.fillRect(QRect(b.left, b.top, b.right - b.left, b.bottom - b.top), ToQColor(BrushColour()));
    p.drawRect(InnerRect(b));
}

void RasterCanvas::FillRect(int x1, int y1, int x2, int y2) {
    const Box b = Normalised(x1, y1, x2, y2);
    if (Skip(kFillRect, {x1, y1, x2, y2}, b.left, b.top, b.right, b.bottom)) {
        return;
    }
    Painter(Use::Nothing)
        .fillRect(QRect(b.left, b.top, b.right - b.left, b.bottom - b.top),
                  ToQColor(BrushColour()));
}

void RasterCanvas::Polygon(const std::array<PixelPoint, 4>& points) {
    QPolygon polygon;
    int left = kCoordinateLimit, top = kCoordinateLimit;
    int right = -kCoordinateLimit, bottom = -kCoordinateLimit;
    for (const PixelPoint& pt : points) {
        const QPoint q(Clamp(pt.x), Clamp(pt.y));
        polygon << q;
        left = std::min(left, q.x());
        top = std::min(top, q.y());
        right = std::max(right, q.x());
        bottom = std::max(bottom, q.y());
    }
    const std::array<int, 8> coords{points[0].x, points[0].y, points[1].x, points[1].y,
                                    points[2].x, points[2].y, points[3].x, points[3].y};
    if (Skip(kPolygon, coords, left, top, right, bottom)) {
        return;
    }
    Painter(Use::OutlineAndFill).drawPolygon(polygon);
}

void RasterCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    const Box b = Normalised(x1, y1, x2, y2);
    if (Skip(kEllipse, {x1, y1, x2, y2}, b.left, b.top, b.right, b.bottom)) {
        return;
    }
    Painter(Use::OutlineAndFill).drawEllipse(InnerRect(b));
}

void RasterCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    const Box b = Normalised(x1, y1, x2, y2);
    if (Skip(kArc, {x1, y1, x2, y2, x3, y3, x4, y4}, b.left, b.top, b.right, b.bottom)) {
        return;
    }
    const double start = RayAngle(b, x3, y3);
    double span = RayAngle(b, x4, y4) - start;
    while (span <= 0) {
        span += 360;  // counter-clockwise; equal rays give the whole ellipse
    }
    Painter(Use::Outline)
        .drawArc(InnerRect(b), static_cast<int>(std::lround(start * 16)),
                 static_cast<int>(std::lround(span * 16)));
}

void RasterCanvas::TextOut(int x, int y, std::string_view text) {
    last_ = Last{};
    // The canvas's default font: the toolkit's default face, 12 pixels high.
    QFont font;
    font.setPixelSize(kTextPixelSize);
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetrics metrics(font);
    const QRect box(Clamp(x), Clamp(y), metrics.horizontalAdvance(qtext), metrics.height());
    if (!box.intersects(QRect(0, 0, image_.width(), image_.height()))) {
        return;
    }
    QPainter& p = Painter(Use::Nothing);
    p.setFont(font);
    p.fillRect(box, ToQColor(BrushColour()));
    p.setPen(Qt::black);
    p.drawText(box.left(), box.top() + metrics.ascent(), qtext);
}

void RasterCanvas::DrawLine(PixelPoint from, PixelPoint to) {
    const int x1 = Clamp(from.x), y1 = Clamp(from.y), x2 = Clamp(to.x), y2 = Clamp(to.y);
    if (Skip(kLine, {from.x, from.y, to.x, to.y, 0, 0, 0, 0}, std::min(x1, x2), std::min(y1, y2),
             std::max(x1, x2), std::max(y1, y2))) {
        return;
    }
    Painter(Use::Outline).drawLine(x1, y1, x2, y2);
}

}  // namespace stowbel
