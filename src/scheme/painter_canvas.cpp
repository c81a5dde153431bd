#include "scheme/painter_canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <QString>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "scheme/raster_canvas.h"

namespace stowbel {

namespace {

QRectF Box(QPointF a, QPointF b) {
    return QRectF(a, b).normalized();
}

// The parametric angle in degrees, counter-clockwise on screen, of the ray from the centre of
// the ellipse inscribed in box through a point.
double RayAngle(const QRectF& box, QPointF point) {
    const double rx = std::max(box.width() / 2, 0.5);
    const double ry = std::max(box.height() / 2, 0.5);
    const double dx = point.x() - box.center().x();
    const double dy = box.center().y() - point.y();  // screen y grows downward
    return std::atan2(rx * dy, ry * dx) * 180.0 / std::numbers::pi;
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter, QPointF origin, double penUnit, int width,
                             int height)
    : painter_(painter), origin_(origin), penUnit_(penUnit), width_(width), height_(height) {}

QPointF PainterCanvas::At(int x, int y) const {
    return origin_ + QPointF(x, y);
}

QPainter& PainterCanvas::Prepared(Use use) {
    if (use == Use::Fill) {
        painter_.setPen(Qt::NoPen);
    } else {
        QPen pen(ToQColor(PenColour()));
        pen.setWidthF(std::max(PenWidth(), 1) * penUnit_);
        pen.setJoinStyle(Qt::RoundJoin);
        pen.setCapStyle(Qt::RoundCap);
        painter_.setPen(pen);
    }
    if (use == Use::Outline) {
        painter_.setBrush(Qt::NoBrush);
    } else {
        painter_.setBrush(ToQColor(BrushColour()));
    }
    return painter_;
}

void PainterCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Prepared(Use::OutlineAndFill).drawRect(Box(At(x1, y1), At(x2, y2)));
}

void PainterCanvas::FillRect(int x1, int y1, int x2, int y2) {
    Prepared(Use::Fill).drawRect(Box(At(x1, y1), At(x2, y2)));
}

void PainterCanvas::Polygon(const std::array<PixelPoint, 4>& points) {
    QPolygonF polygon;
    for (const PixelPoint& p : points) {
        polygon << At(p.x, p.y);
    }
    Prepared(Use::OutlineAndFill).drawPolygon(polygon);
}

void PainterCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Prepared(Use::OutlineAndFill).drawEllipse(Box(At(x1, y1), At(x2, y2)));
}

void PainterCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    const QRectF box = Box(At(x1, y1), At(x2, y2));
    const double start = RayAngle(box, At(x3, y3));
    double span = RayAngle(box, At(x4, y4)) - start;
    while (span <= 0) {
        span += 360;  // counter-clockwise; equal rays give the whole ellipse
    }
    Prepared(Use::Outline)
        .drawArc(box, static_cast<int>(std::lround(start * 16)),
                 static_cast<int>(std::lround(span * 16)));
}

void PainterCanvas::TextOut(int x, int y, std::string_view text) {
    QFont font = painter_.font();
    if (!CurrentFont().family.empty()) {
        font.setFamily(QString::fromStdString(CurrentFont().family));
    }
    if (CurrentFont().pixelSize > 0) {
        font.setPixelSize(CurrentFont().pixelSize);
    }
    font.setBold(CurrentFont().bold);
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetricsF metrics(font, painter_.device());
    const QPointF corner = At(x, y);
    painter_.setFont(font);
    Prepared(Use::Fill).drawRect(
        QRectF(corner, QSizeF(metrics.horizontalAdvance(qtext), metrics.height())));
    painter_.setPen(Qt::black);
    painter_.drawText(corner + QPointF(0, metrics.ascent()), qtext);
}

void PainterCanvas::DrawLine(PixelPoint from, PixelPoint to) {
    Prepared(Use::Outline).drawLine(At(from.x, from.y), At(to.x, to.y));
}

}  // namespace stowbel
