#include "scheme/primitives3d.h"

#include <array>

#include "order/rounding.h"

namespace stowbel {

namespace {

constexpr Colour kBlack = 0;
constexpr int kShadingSteps = 255;

struct ScreenPoint {
    long double x;
    long double y;
};

ScreenPoint Project(const ProjectionState& projection, const Point3D& rotated) {
    return {rotated.x / static_cast<long double>(projection.Scale) + projection.OffsetX,
            rotated.y / static_cast<long double>(projection.Scale) + projection.OffsetY};
}

PixelPoint BoxCorner(const Cell3D& cell, int x, int y, int z) {
    const Point3D r =
        RotateScene({static_cast<double>(x), static_cast<double>(y), static_cast<double>(z)});
    const ScreenPoint p = Project(cell.projection, r);
    return {TruncToInt(cell.ox + p.x), TruncToInt(cell.oy + p.y)};
}

int Px(long double value, int offset) {
    return RoundToInt(value) + offset;
}

// The lower half of an ellipse 2s wide and s high centred at c: from its left end
// counter-clockwise to its right end.
void LowerHalfEllipse(Canvas& canvas, ScreenPoint c, long double s, int ox, int oy) {
    canvas.Arc(Px(c.x - s, ox), Px(c.y - s / 2, oy), Px(c.x + s, ox), Px(c.y + s / 2, oy),
               Px(c.x - s, ox), Px(c.y, oy), Px(c.x + s, ox), Px(c.y, oy));
}

ScreenPoint Between(ScreenPoint from, ScreenPoint to, int i) {
    return {from.x + (to.x - from.x) * i / kShadingSteps,
            from.y + (to.y - from.y) * i / kShadingSteps};
}

}  // namespace

Colour Shade(Colour colour, long double k) {
    Colour result = 0;
    for (unsigned shift = 0; shift < 24; shift += 8) {
        const long double component = (colour >> shift) & 0xFFU;
        const auto shaded = static_cast<Colour>(RoundToInt(component * k)) & 0xFFU;
        result |= shaded << shift;
    }
    return result;
}

void DrawBox3D(Canvas& canvas, const Cell3D& cell, const Box3D& box) {
    const auto [x1, y1, z1, x2, y2, z2, colour] = box;
    const std::array<PixelPoint, 8> v{BoxCorner(cell, x1, y1, z1), BoxCorner(cell, x1, y1, z2),
                                      BoxCorner(cell, x2, y1, z2), BoxCorner(cell, x2, y1, z1),
                                      BoxCorner(cell, x1, y2, z1), BoxCorner(cell, x1, y2, z2),
                                      BoxCorner(cell, x2, y2, z2), BoxCorner(cell, x2, y2, z1)};
    canvas.SetPenColour(kBlack);
    canvas.SetBrushColour(Shade(colour, 0.75L));
    canvas.Polygon({v[4], v[5], v[6], v[7]});
    canvas.SetBrushColour(Shade(colour, 0.5L));
    canvas.Polygon({v[7], v[6], v[2], v[3]});
    canvas.SetBrushColour(Shade(colour, 1));
    canvas.Polygon({v[0], v[4], v[7], v[3]});
}

void DrawUprightCylinder3D(Canvas& canvas, const Cell3D& cell, const UprightCylinder3D& cylinder) {
    const auto [x, y, z, radius, height, colour] = cylinder;
    const auto [projection, ox, oy] = cell;
    const ScreenPoint top = Project(projection, RotateScene({x, y, z}));
    const ScreenPoint bottom = Project(projection, RotateScene({x, y, z + height}));
    const long double s = radius / static_cast<long double>(projection.Scale);

    canvas.SetPenColour(Shade(colour, 0.75L));
    for (int i = 1; i <= kShadingSteps; ++i) {
        LowerHalfEllipse(canvas, Between(top, bottom, i), s, ox, oy);
    }
    canvas.SetPenColour(kBlack);
    canvas.MoveTo(Px(top.x - s, ox), Px(top.y, oy));
    canvas.LineTo(Px(bottom.x - s, ox), Px(bottom.y, oy));
    canvas.MoveTo(Px(top.x + s, ox), Px(top.y, oy));
    canvas.LineTo(Px(bottom.x + s, ox), Px(bottom.y, oy));
    LowerHalfEllipse(canvas, bottom, s, ox, oy);
    canvas.SetBrushColour(Shade(colour, 1));
    canvas.Ellipse(Px(top.x - s, ox), Px(top.y - s / 2, oy), Px(top.x + s, ox),
                   Px(top.y + s / 2, oy));
}

void DrawLyingCylinder3D(Canvas& canvas, const Cell3D& cell, const LyingCylinder3D& cylinder) {
    const auto [x, y, z, radius, length, colour] = cylinder;
    const ProjectionState& projection = cell.projection;
    // Plain copies: clang 14 lets no lambda capture a structured binding.
    const int ox = cell.ox;
    const int oy = cell.oy;
    const ScreenPoint nearCap = Project(projection, RotateLying({x, y, z}));
    const ScreenPoint farCap = Project(projection, RotateLying({x, y, z - length}));
    const long double s = radius / static_cast<long double>(projection.Scale);
    const auto capAt = [&](ScreenPoint c) {
        canvas.Ellipse(Px(c.x - s / 2, ox), Px(c.y - s, oy), Px(c.x + s / 2, ox), Px(c.y + s, oy));
    };
    canvas.SetPenColour(kBlack);
    canvas.SetBrushColour(Shade(colour, 1));
    capAt(nearCap);
    canvas.SetPenColour(Shade(colour, 0.75L));
    for (int i = 1; i <= kShadingSteps; ++i) {
        capAt(Between(nearCap, farCap, i));
    }
}

}  // namespace stowbel
