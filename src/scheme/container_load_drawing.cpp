#include "scheme/container_load_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "scheme/draw_order.h"
#include "scheme/primitives3d.h"
#include "scheme/scheme_2d.h"
#include "scheme/scheme_3d.h"

namespace stowbel {

namespace {

constexpr Colour kBlack = 0;
constexpr Colour kWhite = 0xFFFFFF;
// Stack numbers sit a little up and left of the point they label, as the rows write them.
constexpr int kLabelShiftX = 3;
constexpr int kLabelShiftY = 4;
// Pixels by which a stack's outline in the top view lies inside the outline of what it stands
// on, so that both stay visible.
constexpr int kLevelInset = 2;
constexpr double kTouch = 1e-6;

template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

SceneBox SolidOf(const HeldPlacement& held, const Container& spec) {
    return std::visit(
        Overloaded{
            [](const StackEvent& s) {
                return SceneBox{static_cast<double>(s.x1),
                                static_cast<double>(s.y1),
                                s.base,
                                static_cast<double>(s.x2),
                                static_cast<double>(s.y2),
                                s.base + s.count * s.unitHeight};
            },
            [](const RoundEvent& u) {
                const double r = u.diameter / 2;
                const auto x = static_cast<double>(u.x);
                const auto y = static_cast<double>(u.y);
                return SceneBox{x - r, y - r, 0, x + r, y + r, u.count * u.unitHeight};
            },
            [&](const LyingRoundEvent& u) {
                const double r = u.diameter / 2;
                const auto x = static_cast<double>(u.x);
                const auto y = static_cast<double>(u.y);
                const double axis = spec.Height - static_cast<double>(u.z);
                return SceneBox{x - r, y, axis - r, x + r, y + u.count * u.axisLength, axis + r};
            },
        },
        held.what);
}

void Draw3D(SchemePictures& pictures, const Container& spec, const SchemeGeometry& geometry,
            const HeldPlacement& held, bool summary) {
    std::visit(Overloaded{
                   [&](const StackEvent& s) {
                       for (int layer = 1; layer <= s.count; ++layer) {
                           DrawUnitBox3D(pictures, spec, geometry, s.x1, s.y1, s.x2, s.y2,
                                         {layer, s.unitHeight, s.base}, held.colour, summary);
                       }
                   },
                   [&](const RoundEvent& u) {
                       for (int layer = 1; layer <= u.count; ++layer) {
                           DrawUnitCylinder3D(pictures, spec, geometry, u.x, u.y,
                                              {layer, u.unitHeight, 0}, u.diameter, held.colour,
                                              summary);
                       }
                   },
                   [&](const LyingRoundEvent& u) {
                       const double radius = u.diameter / 2;
                       const auto draw = [&](Canvas& canvas, int oy, int shift) {
                           for (int i = 0; i < u.count; ++i) {
                               // The lying frame (u, v, w) shows the scene point (u, -w, v).
                               const long double y0 =
                                   u.y + shift + static_cast<long double>(i) * u.axisLength;
                               DrawLyingCylinder3D(
                                   canvas, {pictures.Projection(), geometry.Origin3DX, oy},
                                   {static_cast<double>(u.x), static_cast<double>(u.z),
                                    static_cast<double>(-y0), radius, u.axisLength, held.colour});
                           }
                       };
                       draw(pictures.View3D(), geometry.Origin3DY, 0);
                       if (summary) {
                           const int shift = geometry.SummaryShift;
                           draw(pictures.Summary(), geometry.Origin3DY + shift, shift);
                       }
                   },
               },
               held.what);
}

// A placement's outline in the top view: its floor rectangle in pixels, the height it stands
// at, its units and whether it is round.
struct TopShape {
    std::size_t index = 0;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double bottom = 0, top = 0;
    int count = 0;
    enum class Kind { Box, Standing, Lying } kind = Kind::Box;
    int level = 0;  // 0 on the floor, else one more than the highest level it stands on
};

TopShape TopShapeOf(const HeldPlacement& held, const SceneBox& solid,
                    const SchemeGeometry& geometry) {
    TopShape shape;
    shape.x1 = SchemeX(geometry, solid.x1);
    shape.y1 = SchemeY(geometry, solid.y1);
    shape.x2 = SchemeX(geometry, solid.x2);
    shape.y2 = SchemeY(geometry, solid.y2);
    shape.bottom = solid.z1;
    shape.top = solid.z2;
    std::visit(Overloaded{
                   [&](const StackEvent& s) { shape.count = s.count; },
                   [&](const RoundEvent& u) {
                       shape.count = u.count;
                       shape.kind = TopShape::Kind::Standing;
                   },
                   [&](const LyingRoundEvent& u) {
                       shape.count = u.count;
                       shape.kind = TopShape::Kind::Lying;
                   },
               },
               held.what);
    return shape;
}

bool StandsOn(const SceneBox& upper, const SceneBox& lower) {
    return std::abs(upper.z1 - lower.z2) <= kTouch && upper.x1 < lower.x2 - kTouch &&
           lower.x1 < upper.x2 - kTouch && upper.y1 < lower.y2 - kTouch &&
           lower.y1 < upper.y2 - kTouch;
}

// The shape's outline in pixels, inside the outline of what carries it.
struct PixelRect {
    int x1, y1, x2, y2;
    bool Meets(const PixelRect& o) const {
        return x1 < o.x2 && o.x1 < x2 && y1 < o.y2 && o.y1 < y2;
    }
};

PixelRect Outline(const TopShape& shape) {
    const int inset =
        std::min(kLevelInset * shape.level,
                 std::max(0, std::min(shape.x2 - shape.x1, shape.y2 - shape.y1) / 2 - 2));
    return {shape.x1 + inset, shape.y1 + inset, shape.x2 - inset, shape.y2 - inset};
}

void DrawTopShape(Canvas& canvas, const TopShape& shape) {
    const PixelRect r = Outline(shape);
    if (shape.kind == TopShape::Kind::Standing) {
        DrawRoundOutline(canvas, r.x1, r.y1, r.x2, r.y2);
        return;
    }
    // A box with both diagonals; a row of lying drums as its outline alone.
    canvas.Rectangle(r.x1, r.y1, r.x2, r.y2);
    if (shape.kind == TopShape::Kind::Box) {
        canvas.MoveTo(r.x1, r.y1);
        canvas.LineTo(r.x2, r.y2);
        canvas.MoveTo(r.x1, r.y2);
        canvas.LineTo(r.x2, r.y1);
    }
}

// Where a shape's number of units is written: drums at the centre, stacks a little up and left
// of it, as the rows write them.
PixelPoint LabelAt(const TopShape& shape) {
    const PixelRect r = Outline(shape);
    const int cx = (r.x1 + r.x2) / 2;
    const int cy = (r.y1 + r.y2) / 2;
    if (shape.kind == TopShape::Kind::Standing) {
        return {cx, cy};
    }
    return {cx - kLabelShiftX, cy - kLabelShiftY};
}

// The room a label takes: a generous guess at the default font's digits.
PixelRect LabelRoom(const TopShape& shape) {
    constexpr int kDigitWidth = 8;
    constexpr int kTextHeight = 14;
    const PixelPoint at = LabelAt(shape);
    const auto digits = static_cast<int>(std::to_string(shape.count).size());
    return {at.x, at.y, at.x + kDigitWidth * digits, at.y + kTextHeight};
}

void DrawTopView(SchemePictures& pictures, const SchemeGeometry& geometry,
                 const std::vector<HeldPlacement>& load, const std::vector<SceneBox>& solids,
                 bool summary) {
    std::vector<TopShape> shapes;
    for (std::size_t i = 0; i < load.size(); ++i) {
        shapes.push_back(TopShapeOf(load[i], solids[i], geometry));
        shapes.back().index = i;
    }
    // From the floor up: what stands higher covers what it stands on.
    std::stable_sort(shapes.begin(), shapes.end(),
                     [](const TopShape& a, const TopShape& b) { return a.bottom < b.bottom; });
    for (std::size_t k = 0; k < shapes.size(); ++k) {
        for (std::size_t j = 0; j < k; ++j) {
            if (StandsOn(solids[shapes[k].index], solids[shapes[j].index])) {
                shapes[k].level = std::max(shapes[k].level, shapes[j].level + 1);
            }
        }
    }
    Canvas& scheme = pictures.Scheme2D();
    const Colour pen = scheme.PenColour();
    for (const TopShape& shape : shapes) {
        const Colour colour = load[shape.index].colour;
        scheme.SetPenColour(colour);
        scheme.SetBrushColour(kWhite);
        DrawTopShape(scheme, shape);
        if (summary) {
            pictures.Summary().SetPenColour(kBlack);
            pictures.Summary().SetBrushColour(colour);
            DrawTopShape(pictures.Summary(), shape);
        }
    }
    // Numbers of units where the view shows them whole: a number that something standing
    // higher covers is left out rather than shown in pieces.
    for (std::size_t k = 0; k < shapes.size(); ++k) {
        const TopShape& shape = shapes[k];
        if (shape.count < 2) {
            continue;
        }
        const PixelRect room = LabelRoom(shape);
        bool covered = false;
        for (std::size_t j = k + 1; j < shapes.size() && !covered; ++j) {
            covered = shapes[j].bottom > shape.bottom + kTouch && Outline(shapes[j]).Meets(room);
        }
        if (covered) {
            continue;
        }
        const PixelPoint at = LabelAt(shape);
        scheme.SetBrushColour(kWhite);
        DrawStackLabel(scheme, at.x, at.y, shape.count);
        if (summary) {
            pictures.Summary().SetBrushColour(load[shape.index].colour);
            DrawStackLabel(pictures.Summary(), at.x, at.y, shape.count);
        }
    }
    scheme.SetPenColour(pen);
    scheme.SetBrushColour(kWhite);
}

}  // namespace

void DrawContainerLoad(SchemePictures& pictures, const Container& spec,
                       const SchemeGeometry& geometry, const std::vector<HeldPlacement>& load,
                       const ContainerLoadOptions& options) {
    std::vector<SceneBox> solids;
    solids.reserve(load.size());
    for (const HeldPlacement& held : load) {
        solids.push_back(SolidOf(held, spec));
    }
    if (options.in3D) {
        for (const std::size_t i : BackToFrontOrder(solids)) {
            Draw3D(pictures, spec, geometry, load[i], options.summary);
        }
    }
    DrawTopView(pictures, geometry, load, solids, options.summary);
}

}  // namespace stowbel
