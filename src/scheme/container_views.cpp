#include "scheme/container_views.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <string>

#include "order/rounding.h"
#include "scheme/draw_order.h"
#include "scheme/painter_canvas.h"
#include "scheme/primitives3d.h"
#include "scheme/projection.h"
#include "scheme/raster_canvas.h"

namespace stowbel {

namespace {

// Paper millimetres of the top view's furniture.
constexpr double kWallBand = 9;      // left and right of the floor: the wall names
constexpr double kScaleBand = 7;     // above the floor: the metre scale
constexpr double kOutlinePen = 0.6;  // the container's walls
constexpr double kDoorPen = 1.6;
constexpr double kStackPen = 0.25;
constexpr double kUnitPen3D = 0.12;
constexpr double kMinNumberedSide = 9;  // smaller stacks show their count only
// Paper mm by which a stack's outline lies inside the outline of what it stands on.
constexpr double kLevelInset = 0.8;
// Paper mm around a label's place that must be free for it to be written.
constexpr double kLabelRoom = 7;
constexpr double kTouch = 1e-6;
constexpr double kPointsPerMm = 72 / 25.4;
constexpr Colour kWhite = 0xFFFFFF;
// How much of the tighter side of the area the 3D box takes (the schemes take 1 / 1.3).
constexpr double kFill3D = 0.96;

QFont ViewFont(const ContainerViewStyle& style, const QPainter& painter, double points, bool bold) {
    QFont font = painter.font();
    if (!style.fontFamily.isEmpty()) {
        font.setFamily(style.fontFamily);
    }
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double UnitsPerMm(const ContainerViewStyle& style, const QPainter& painter) {
    if (style.unitsPerMm > 0) {
        return style.unitsPerMm;
    }
    return painter.device()->logicalDpiX() / 25.4;
}

QPen Pen(QColor colour, double width) {
    QPen pen(colour);
    pen.setWidthF(width);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QColor TypeColour(const PlacedStack& stack) {
    return ToQColor(CargoPalette::Entry(stack.colourIndex).colour);
}

// Text centred on a point, rotated by angle degrees about it.
void CentredText(QPainter& painter, QPointF centre, double angle, const QString& text) {
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(QPointF(-metrics.horizontalAdvance(text) / 2, metrics.capHeight() / 2), text);
    painter.restore();
}

// The largest point size up to maxPoints at which the text fits the length.
double FittedPoints(const QPainter& painter, QFont font, const QString& text, double length,
                    double maxPoints) {
    font.setPointSizeF(maxPoints);
    const double width = QFontMetricsF(font, painter.device()).horizontalAdvance(text);
    if (width <= length) {
        return maxPoints;
    }
    // Unhinted widths scale with the size.
    return std::max(4.0, std::floor(maxPoints * length / width * 2) / 2);
}

void DrawWallNames(QPainter& painter, const QRectF& floor, const ContainerViewStyle& style,
                   double mm) {
    const QString front = QStringLiteral("ПЕРЕДНЯЯ СТЕНКА");
    const QString door = QStringLiteral("ДВЕРЬ");
    QFont font = ViewFont(style, painter, 9, true);
    font.setPointSizeF(FittedPoints(painter, font, front, floor.height() - mm, 9));
    painter.setFont(font);
    painter.setPen(Qt::black);
    CentredText(painter, QPointF(floor.left() - kWallBand / 2 * mm, floor.center().y()), -90,
                front);
    font.setPointSizeF(FittedPoints(painter, font, door, floor.height() - mm, 14));
    painter.setFont(font);
    CentredText(painter, QPointF(floor.right() + kWallBand / 2 * mm, floor.center().y()), 90, door);
}

// Ticks every 1, 2, 5, 10 ... metres along the first side wall, at least 8 mm apart on paper.
void DrawMetreScale(QPainter& painter, const TopViewFit& fit, const Container& container,
                    const ContainerViewStyle& style, double mm) {
    int step = 1;
    for (const int candidate : {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}) {
        step = candidate;
        if (candidate * 1000.0 * fit.scale >= 8 * mm) {
            break;
        }
    }
    painter.setPen(Pen(Qt::black, 0.2 * mm));
    painter.setFont(ViewFont(style, painter, 7, false));
    const QFontMetricsF metrics(painter.font(), painter.device());
    const int metres = static_cast<int>(container.Length / 1000);
    for (int m = 0; m <= metres; m += step) {
        const QPointF at = fit.At(m * 1000.0, 0);
        painter.drawLine(at, at - QPointF(0, 1.5 * mm));
        QString label = QString::number(m);
        if (m + step > metres) {
            label += QStringLiteral(" м");
        }
        const double width = metrics.horizontalAdvance(QString::number(m));
        painter.drawText(at - QPointF(width / 2, 2.2 * mm), label);
    }
}

void DrawStackLabel(QPainter& painter, const QRectF& shape, int count,
                    const ContainerViewStyle& style, double mm) {
    const QString text = QString::number(count);
    const double side = std::min(shape.width(), shape.height()) / mm;
    const double points = std::clamp(side * 0.42 * kPointsPerMm, 5.0, 16.0);
    painter.setFont(ViewFont(style, painter, points, true));
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double height = metrics.capHeight() + 2 * 0.7 * mm;  // digits have no descent
    const double width = std::max(metrics.horizontalAdvance(text) + 2 * 0.9 * mm, height);
    const QRectF badge(shape.center() - QPointF(width / 2, height / 2), QSizeF(width, height));
    painter.setPen(Pen(Qt::black, 0.15 * mm));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(badge, height / 2, height / 2);
    painter.setPen(Qt::black);
    CentredText(painter, badge.center(), 0, text);
}

// The stack's number in the list, small in its upper left corner, where the stack is large
// enough to keep it clear of the unit count.
void DrawListNumber(QPainter& painter, const QRectF& shape, int number,
                    const ContainerViewStyle& style, double mm) {
    if (std::min(shape.width(), shape.height()) < kMinNumberedSide * mm) {
        return;
    }
    const QString text = QString::number(number);
    painter.setFont(ViewFont(style, painter, 6, false));
    const QFontMetricsF metrics(painter.font(), painter.device());
    const QRectF box(
        shape.topLeft() + QPointF(0.5 * mm, 0.5 * mm),
        QSizeF(metrics.horizontalAdvance(text) + 0.8 * mm, metrics.capHeight() + 0.8 * mm));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    painter.setPen(Qt::black);
    CentredText(painter, box.center(), 0, text);
}

// The rows' stacks as the run placed them, their labels over all of them.
void DrawStacksInOrder(QPainter& painter, const TopViewFit& fit, const ContainerLoad& load,
                       const ContainerViewStyle& style) {
    const double mm = style.unitsPerMm;
    // Lying drums lower down first, so that the rows above cover them as they do in the load.
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < load.stacks.size(); ++i) {
        order.push_back(i);
    }
    const auto depth = [&](std::size_t i) {
        const PlacedStack& s = load.stacks[i];
        return s.shape == StackShape::RoundLying ? -s.z : 0.0;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return depth(a) < depth(b); });
    std::vector<QRectF> shapes;
    for (const std::size_t i : order) {
        const PlacedStack* stack = &load.stacks[i];
        const QRectF mmRect = FloorRect(*stack);
        const QRectF shape(fit.At(mmRect.left(), mmRect.top()),
                           fit.At(mmRect.right(), mmRect.bottom()));
        shapes.push_back(shape);
        painter.setPen(Pen(Qt::black, kStackPen * mm));
        painter.setBrush(TypeColour(*stack));
        if (stack->shape == StackShape::Round) {
            painter.drawEllipse(shape);
        } else if (stack->shape == StackShape::RoundLying) {
            painter.drawRoundedRect(shape, shape.width() / 2, shape.width() / 2);
        } else {
            painter.drawRect(shape);
        }
    }
    // Rows of lying drums above each other share their outline from above: one label gives
    // all their units, and the corner the number of the lowest.
    for (std::size_t k = 0; k < order.size(); ++k) {
        int count = 0;
        bool first = true;
        for (std::size_t other = 0; other < order.size(); ++other) {
            if (shapes[other] == shapes[k]) {
                count += load.stacks[order[other]].count;
                first = first && other >= k;
            }
        }
        if (!first) {
            continue;
        }
        DrawStackLabel(painter, shapes[k], count, style, mm);
        if (order[k] < load.numbers.size() && load.numbers[order[k]] > 0) {
            DrawListNumber(painter, shapes[k], load.numbers[order[k]], style, mm);
        }
    }
}

// Stacks of a plan that stands cargo on cargo, from the floor up, each with its labels: what
// stands higher covers what carries it, inset by one step for each level it stands on.
void DrawStacksByPlace(QPainter& painter, const TopViewFit& fit, const ContainerLoad& load,
                       const ContainerViewStyle& style) {
    const double mm = style.unitsPerMm;
    std::vector<SceneBox> spaces;
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < load.stacks.size(); ++i) {
        spaces.push_back(SpaceOf(load.stacks[i], load.container));
        order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return spaces[a].z1 < spaces[b].z1; });
    std::vector<int> level(load.stacks.size(), 0);
    for (std::size_t k = 0; k < order.size(); ++k) {
        const SceneBox& upper = spaces[order[k]];
        for (std::size_t j = 0; j < k; ++j) {
            const SceneBox& lower = spaces[order[j]];
            const bool carries = std::abs(upper.z1 - lower.z2) <= kTouch && upper.x1 < lower.x2 &&
                                 lower.x1 < upper.x2 && upper.y1 < lower.y2 && lower.y1 < upper.y2;
            if (carries) {
                level[order[k]] = std::max(level[order[k]], level[order[j]] + 1);
            }
        }
    }
    std::vector<QRectF> shapes(load.stacks.size());
    for (const std::size_t i : order) {
        const PlacedStack& stack = load.stacks[i];
        const QRectF mmRect = FloorRect(stack);
        QRectF shape(fit.At(mmRect.left(), mmRect.top()), fit.At(mmRect.right(), mmRect.bottom()));
        const double inset =
            std::min(level[i] * kLevelInset * mm, std::min(shape.width(), shape.height()) / 4);
        shape.adjust(inset, inset, -inset, -inset);
        shapes[i] = shape;
        painter.setPen(Pen(Qt::black, kStackPen * mm));
        painter.setBrush(TypeColour(stack));
        if (stack.shape == StackShape::Round) {
            painter.drawEllipse(shape);
        } else if (stack.shape == StackShape::RoundLying) {
            painter.drawRoundedRect(shape, shape.width() / 2, shape.width() / 2);
        } else {
            painter.drawRect(shape);
        }
    }
    // The labels of what the view shows: a label that something higher would cover is left out
    // rather than shown in pieces.
    const auto covered = [&](std::size_t k, const QRectF& label) {
        for (std::size_t j = 0; j < shapes.size(); ++j) {
            if (spaces[j].z1 > spaces[k].z1 + kTouch && shapes[j].intersects(label)) {
                return true;
            }
        }
        return false;
    };
    for (const std::size_t i : order) {
        const QRectF& shape = shapes[i];
        const QRectF badge(shape.center() - QPointF(kLabelRoom, kLabelRoom) * mm / 2,
                           QSizeF(kLabelRoom, kLabelRoom) * mm);
        if (!covered(i, badge)) {
            DrawStackLabel(painter, shape, load.stacks[i].count, style, mm);
        }
        const QRectF corner(shape.topLeft(), QSizeF(kLabelRoom, kLabelRoom / 2) * mm);
        if (i < load.numbers.size() && load.numbers[i] > 0 && !covered(i, corner)) {
            DrawListNumber(painter, shape, load.numbers[i], style, mm);
        }
    }
}

}  // namespace

QRectF FloorRect(const PlacedStack& stack) {
    switch (stack.shape) {
        case StackShape::Rectangular:
            return QRectF(QPointF(stack.x1, stack.y1), QPointF(stack.x2, stack.y2));
        case StackShape::Round:
            return QRectF(stack.x - stack.d / 2, stack.y - stack.d / 2, stack.d, stack.d);
        case StackShape::RoundLying:
            return QRectF(stack.x - stack.d / 2, stack.y, stack.d, stack.length * stack.count);
    }
    return {};
}

ContainerLoad LoadOfContainer(const RunResult& result, const Container& container, int number) {
    ContainerLoad load;
    load.container = container;
    load.method = result.method;
    for (const PlacedStack& stack : result.stacks) {
        if (stack.container == number) {
            load.stacks.push_back(stack);
        }
    }
    return load;
}

TopViewFit FitTopView(const QRectF& area, const Container& container,
                      const ContainerViewStyle& style) {
    const double mm = style.unitsPerMm;
    const double width = area.width() - 2 * kWallBand * mm;
    const double height = area.height() - kScaleBand * mm;
    TopViewFit fit;
    if (container.Length <= 0 || container.Width <= 0 || width <= 0 || height <= 0) {
        fit.scale = 0;
        fit.origin = area.topLeft();
        return fit;
    }
    fit.scale = std::min(width / container.Length, height / container.Width);
    const double floorWidth = container.Length * fit.scale;
    fit.origin =
        QPointF(area.left() + (area.width() - floorWidth) / 2, area.top() + kScaleBand * mm);
    return fit;
}

void DrawContainerTopView(QPainter& painter, const QRectF& area, const ContainerLoad& load,
                          const ContainerViewStyle& givenStyle) {
    ContainerViewStyle style = givenStyle;
    style.unitsPerMm = UnitsPerMm(givenStyle, painter);
    const double mm = style.unitsPerMm;
    const TopViewFit fit = FitTopView(area, load.container, style);
    if (fit.scale <= 0) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF floor(fit.At(0, 0), fit.At(load.container.Length, load.container.Width));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(floor);

    if (load.method == PlanMethod::Rows) {
        DrawStacksInOrder(painter, fit, load, style);
    } else {
        DrawStacksByPlace(painter, fit, load, style);
    }

    painter.setBrush(Qt::NoBrush);
    painter.setPen(Pen(Qt::black, kOutlinePen * mm));
    painter.drawRect(floor);
    painter.setPen(Pen(Qt::black, kDoorPen * mm));
    painter.drawLine(floor.topLeft(), floor.bottomLeft());
    QPen door = Pen(QColor(0x60, 0x60, 0x60), kDoorPen * mm);
    door.setDashPattern({2, 1.2});
    door.setCapStyle(Qt::FlatCap);
    painter.setPen(door);
    painter.drawLine(floor.topRight(), floor.bottomRight());
    DrawWallNames(painter, floor, style, mm);
    DrawMetreScale(painter, fit, load.container, style, mm);
    painter.restore();
}

namespace {

struct View3D {
    ProjectionState projection;
    QPointF origin;  // device position of the canvas origin

    QPointF Project(double x, double y, double z) const {
        const Point3D r = RotateScene({x, y, z});
        return origin + QPointF(r.x / projection.Scale + projection.OffsetX,
                                r.y / projection.Scale + projection.OffsetY);
    }
    QPointF ProjectLying(double u, double v, double w) const {
        const Point3D r = RotateLying({u, v, w});
        return origin + QPointF(r.x / projection.Scale + projection.OffsetX,
                                r.y / projection.Scale + projection.OffsetY);
    }
};

// A standing cylinder as a filled body and its top face: the outline that the schemes shade
// with 255 arcs, as a few vector figures.
void DrawCylinder(QPainter& painter, const View3D& view, double x, double y, double zTop,
                  double radius, double height, Colour colour, double pen) {
    const QPointF top = view.Project(x, y, zTop);
    const QPointF bottom = view.Project(x, y, zTop + height);
    const double s = radius / view.projection.Scale;
    const QRectF bottomRim(bottom - QPointF(s, s / 2), QSizeF(2 * s, s));
    QPainterPath body;
    body.moveTo(top - QPointF(s, 0));
    body.lineTo(bottom - QPointF(s, 0));
    body.arcTo(bottomRim, 180, 180);
    body.lineTo(top + QPointF(s, 0));
    body.closeSubpath();
    painter.setPen(Pen(Qt::black, pen));
    painter.setBrush(ToQColor(Shade(colour, 0.75L)));
    painter.drawPath(body);
    painter.setBrush(ToQColor(colour));
    painter.drawEllipse(QRectF(top - QPointF(s, s / 2), QSizeF(2 * s, s)));
}

// A cylinder lying across the container: its near cap, the body and the cap toward the viewer.
void DrawLyingCylinder(QPainter& painter, const View3D& view, double x, double z, double y0,
                       double radius, double length, Colour colour, double pen) {
    // The lying frame (u, v, w) shows the scene point (u, -w, v).
    const QPointF nearCap = view.ProjectLying(x, z, -y0);
    const QPointF farCap = view.ProjectLying(x, z, -y0 - length);
    const double s = radius / view.projection.Scale;
    const double a = s / 2;  // caps are ellipses s wide and 2 s high
    const double b = s;
    const QPointF d = farCap - nearCap;
    const double norm = std::hypot(d.x(), d.y());
    QPointF support(0, b);
    if (norm > 0) {
        const double nx = -d.y() / norm;
        const double ny = d.x() / norm;
        const double k = std::sqrt(a * a * nx * nx + b * b * ny * ny);
        support = QPointF(a * a * nx / k, b * b * ny / k);
    }
    painter.setPen(Pen(Qt::black, pen));
    painter.setBrush(ToQColor(colour));
    painter.drawEllipse(nearCap, a, b);
    painter.setBrush(ToQColor(Shade(colour, 0.75L)));
    painter.drawPolygon(
        QPolygonF{nearCap + support, farCap + support, farCap - support, nearCap - support});
    painter.setBrush(ToQColor(colour));
    painter.drawEllipse(farCap, a, b);
}

}  // namespace

void DrawContainer3DView(QPainter& painter, const QRectF& area, const ContainerLoad& load,
                         const ContainerViewStyle& givenStyle) {
    const double mm = UnitsPerMm(givenStyle, painter);
    const Container& c = load.container;
    const int vw = static_cast<int>(area.width());
    const int vh = static_cast<int>(area.height());
    if (vw <= 0 || vh <= 0 || c.Length <= 0 || c.Width <= 0 || c.Height <= 0) {
        return;
    }
    // The schemes' fit leaves the box 1 / 1.3 of the view; fitting to a larger view and moving
    // the result back centres a larger box in the area.
    const double k = 1.3 * kFill3D;
    View3D view;
    FitProjection3D(view.projection, static_cast<int>(vw * k), static_cast<int>(vh * k), 0, 0, 0,
                    c.Length, c.Width, c.Height);
    view.projection.OffsetX -= (static_cast<int>(vw * k) - vw) / 2.0;
    view.projection.OffsetY -= (static_cast<int>(vh * k) - vh) / 2.0;
    view.origin = area.topLeft();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    PainterCanvas canvas(painter, area.topLeft(), kUnitPen3D * mm, vw, vh);
    // Far corner first: the floor and the two back walls.
    DrawBox3D(canvas, {view.projection},
              {TruncToInt(c.Length), TruncToInt(c.Width), TruncToInt(c.Height), 0, 0, 0, kWhite});

    const double pen = kUnitPen3D * mm;
    std::vector<std::size_t> order;
    if (load.method == PlanMethod::Rows) {
        for (std::size_t i = 0; i < load.stacks.size(); ++i) {
            order.push_back(i);
        }
    } else {
        std::vector<SceneBox> spaces;
        for (const PlacedStack& stack : load.stacks) {
            spaces.push_back(SpaceOf(stack, c));
        }
        order = BackToFrontOrder(spaces);
    }
    for (const std::size_t index : order) {
        const PlacedStack& stack = load.stacks[index];
        const Colour colour = CargoPalette::Entry(stack.colourIndex).colour;
        if (stack.shape == StackShape::RoundLying) {
            for (int i = 0; i < stack.count; ++i) {
                DrawLyingCylinder(painter, view, stack.x, stack.z, stack.y + i * stack.length,
                                  stack.d / 2, stack.length, colour, pen);
            }
            continue;
        }
        // Less a base of 0 the floor stays exactly where the rows have always drawn it.
        const long double floor = static_cast<long double>(c.Height) - stack.base;
        const long double h = stack.unitHeight;
        for (int layer = 1; layer <= stack.count; ++layer) {
            const int zTop = TruncToInt(floor - layer * h);
            const int zBottom = TruncToInt(floor - (layer - 1) * h);
            if (stack.shape == StackShape::Rectangular) {
                DrawBox3D(canvas, {view.projection},
                          {stack.x1, stack.y1, zTop, stack.x2, stack.y2, zBottom, colour});
            } else {
                DrawCylinder(painter, view, stack.x, stack.y, zTop, stack.d / 2, stack.unitHeight,
                             colour, pen);
            }
        }
    }
    painter.restore();
}

}  // namespace stowbel
