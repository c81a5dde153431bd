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

}  // namespace

QColor ToQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFFU), static_cast<int>((colour >> 8) & 0xFFU),
                  static_cast<int>((colour >> 16) & 0xFFU));
}

RasterCanvas::RasterCanvas() : image_(1, 1, QImage::Format_RGB32) {
    image_.fill(Qt::white);
}

void RasterCanvas::Resize(int width, int height) {
    image_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image_.fill(Qt::white);
}

namespace {

class Painter {
  public:
    Painter(QImage& image, const Canvas& canvas, bool withPen, bool withBrush) : painter_(&image) {
        painter_.setRenderHint(QPainter::Antialiasing, false);
        if (withPen) {
            QPen pen(ToQColor(canvas.PenColour()));
            pen.setWidth(std::max(canvas.PenWidth(), 1));
            pen.setJoinStyle(Qt::MiterJoin);
            painter_.setPen(pen);
        } else {
            painter_.setPen(Qt::NoPen);
        }
        if (withBrush) {
            painter_.setBrush(ToQColor(canvas.BrushColour()));
        } else {
            painter_.setBrush(Qt::NoBrush);
        }
    }
    QPainter* operator->() { return &painter_; }

  private:
    QPainter painter_;
};

}  // namespace

void RasterCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    const Box b = Normalised(x1, y1, x2, y2);
    if (b.right <= b.left || b.bottom <= b.top) {
        return;
    }
    Painter p(image_, *this, true, false);
    p->fillRect(QRect(b.left, b.top, b.right - b.left, b.bottom - b.top), ToQColor(BrushColour()));
    p->drawRect(InnerRect(b));
}

void RasterCanvas::FillRect(int x1, int y1, int x2, int y2) {
    const Box b = Normalised(x1, y1, x2, y2);
    Painter p(image_, *this, false, false);
    p->fillRect(QRect(b.left, b.top, b.right - b.left, b.bottom - b.top), ToQColor(BrushColour()));
}

void RasterCanvas::Polygon(const std::array<PixelPoint, 4>& points) {
    QPolygon polygon;
    for (const PixelPoint& pt : points) {
        polygon << QPoint(Clamp(pt.x), Clamp(pt.y));
    }
    Painter p(image_, *this, true, true);
    p->drawPolygon(polygon);
}

void RasterCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    const Box b = Normalised(x1, y1, x2, y2);
    Painter p(image_, *this, true, true);
    p->drawEllipse(InnerRect(b));
}

void RasterCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    const Box b = Normalised(x1, y1, x2, y2);
    const double start = RayAngle(b, x3, y3);
    double span = RayAngle(b, x4, y4) - start;
    while (span <= 0) {
        span += 360;  // counter-clockwise; equal rays give the whole ellipse
    }
    Painter p(image_, *this, true, false);
    p->drawArc(InnerRect(b), static_cast<int>(std::lround(start * 16)),
               static_cast<int>(std::lround(span * 16)));
}

void RasterCanvas::TextOut(int x, int y, std::string_view text) {
    QFont font;
    if (!CurrentFont().family.empty()) {
        font.setFamily(QString::fromStdString(CurrentFont().family));
    }
    font.setPixelSize(CurrentFont().pixelSize > 0 ? CurrentFont().pixelSize : 12);
    font.setBold(CurrentFont().bold);
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetrics metrics(font);
    Painter p(image_, *this, false, false);
    p->setFont(font);
    const QRect box(Clamp(x), Clamp(y), metrics.horizontalAdvance(qtext), metrics.height());
    p->fillRect(box, ToQColor(BrushColour()));
    p->setPen(Qt::black);
    p->drawText(box.left(), box.top() + metrics.ascent(), qtext);
}

void RasterCanvas::DrawLine(PixelPoint from, PixelPoint to) {
    Painter p(image_, *this, true, false);
    p->drawLine(Clamp(from.x), Clamp(from.y), Clamp(to.x), Clamp(to.y));
}

}  // namespace stowbel
