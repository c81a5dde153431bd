#pragma once

#include "order/model.h"
#include "scheme/canvas.h"
#include "scheme/projection.h"

namespace stowbel {

// Each of the three colour components multiplied by k and rounded ties to even; bits above
// the 24 colour bits are ignored.
Colour Shade(Colour colour, long double k);

// Where the figures of one drawing cell of a 3D view land: the view's projection and the
// cell's offset in pixels.
struct Cell3D {
    const ProjectionState& projection;
    int ox = 0;
    int oy = 0;
};

// A box between two corners, in whole millimetres of the scene.
struct Box3D {
    int x1 = 0, y1 = 0, z1 = 0;
    int x2 = 0, y2 = 0, z2 = 0;
    Colour colour = 0;
};

// A standing cylinder given by the centre of its top face.
struct UprightCylinder3D {
    double x = 0, y = 0, z = 0;
    double radius = 0;
    double height = 0;
    Colour colour = 0;
};

// A cylinder lying with its axis along the third coordinate of the lying frame, from the cap at
// (x, y, z) to the cap at (x, y, z - length).
struct LyingCylinder3D {
    double x = 0, y = 0, z = 0;
    double radius = 0;
    double length = 0;
    Colour colour = 0;
};

// A shaded box: with x1 < x2, y1 < y2, z1 < z2 the faces toward the viewer (y = y2, x = x2 and
// the top z = z1); given far corner first, the back walls and the floor. The cell offset is
// added before truncating to pixels. Leaves the pen black and the brush Shade(colour, 1).
void DrawBox3D(Canvas& canvas, const Cell3D& cell, const Box3D& box);

// Pixel positions are rounded and then offset. 255 shading arcs, two outline lines, the bottom
// rim and the top face. Leaves the pen black and the brush Shade(colour, 1).
void DrawUprightCylinder3D(Canvas& canvas, const Cell3D& cell, const UprightCylinder3D& cylinder);

// Leaves the pen Shade(colour, 0.75) and the brush Shade(colour, 1).
void DrawLyingCylinder3D(Canvas& canvas, const Cell3D& cell, const LyingCylinder3D& cylinder);

}  // namespace stowbel
