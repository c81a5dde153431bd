#include "scheme/projection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "order/rounding.h"

namespace stowbel {

namespace {

// A turn by a fixed angle about one axis, its cosine and sine computed once.
struct Turn {
    int axis;
    long double c;
    long double s;

    Turn(int axis_, double angle) : axis(axis_) {
        // The quotient is taken in double precision and only then multiplied by pi in extended
        // precision; the truncated coordinates depend on it ((0, 0, 1000) turns to z = 499).
        const double turns = angle / 180;
        const long double theta = turns * std::numbers::pi_v<long double>;
        c = std::cos(theta);
        s = std::sin(theta);
    }

    Point3D Apply(const Point3D& centre, const Point3D& point) const {
        // The turning pair (a, b) and the coordinate that stays.
        double Point3D::*first = &Point3D::y;
        double Point3D::*second = &Point3D::z;
        if (axis == 2) {
            first = &Point3D::x;
            second = &Point3D::z;
        } else if (axis == 3) {
            first = &Point3D::x;
            second = &Point3D::y;
        }
        const long double a = point.*first - centre.*first;
        const long double b = point.*second - centre.*second;
        // Truncated while still in extended precision: 499.99999999999997 must not become 500.
        Point3D result = point;
        result.*first = static_cast<double>(Trunc(centre.*first + c * a + s * b));
        result.*second = static_cast<double>(Trunc(centre.*second + c * b - s * a));
        result.x = static_cast<double>(Trunc(result.x));
        result.y = static_cast<double>(Trunc(result.y));
        result.z = static_cast<double>(Trunc(result.z));
        return result;
    }
};

// The three turns of the axonometric view.
const Turn& Upright() {
    static const Turn turn(1, 90);
    return turn;
}
const Turn& Around() {
    static const Turn turn(2, 45);
    return turn;
}
const Turn& Down() {
    static const Turn turn(1, -30);
    return turn;
}

}  // namespace

Point3D RotatePoint3D(const Point3D& centre, const Point3D& point, int axis, double angle) {
    return Turn(axis, angle).Apply(centre, point);
}

Point3D RotateScene(const Point3D& point) {
    return RotateLying(Upright().Apply({}, point));
}

Point3D RotateLying(const Point3D& point) {
    return Down().Apply({}, Around().Apply({}, point));
}

void FitProjection3D(ProjectionState& projection, int viewWidth, int viewHeight, double x1,
                     double y1, double z1, double x2, double y2, double z2) {
    const std::array<Point3D, 8> corners{{{x1, y1, z1},
                                          {x1, y1, z2},
                                          {x2, y1, z2},
                                          {x2, y1, z1},
                                          {x1, y2, z1},
                                          {x1, y2, z2},
                                          {x2, y2, z2},
                                          {x2, y2, z1}}};
    const Point3D first = RotateScene(corners[0]);
    long double minX = first.x, maxX = first.x, minY = first.y, maxY = first.y;
    for (std::size_t i = 1; i < corners.size(); ++i) {
        const Point3D p = RotateScene(corners[i]);
        minX = std::min<long double>(minX, p.x);
        maxX = std::max<long double>(maxX, p.x);
        minY = std::min<long double>(minY, p.y);
        maxY = std::max<long double>(maxY, p.y);
    }
    const long double sx = std::fabs(maxX - minX) / viewWidth;
    const long double sy = std::fabs(maxY - minY) / viewHeight;
    long double scale = 1.3L * (sx > sy ? sx : sy);
    if (!(scale > 0) || !std::isfinite(scale)) {
        scale = 1;  // a box that projects to one point
    }
    projection.Scale = static_cast<double>(scale);
    const long double stored = projection.Scale;
    projection.OffsetX =
        static_cast<double>((viewWidth - (maxX - minX) / stored) / 2 - minX / stored);
    projection.OffsetY =
        static_cast<double>((viewHeight - (maxY - minY) / stored) / 2 - minY / stored);
}

}  // namespace stowbel
