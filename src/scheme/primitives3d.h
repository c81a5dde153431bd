#pragma once

#include "order/model.h"
#include "scheme/canvas.h"
#include "scheme/projection.h"

namespace stowbel {

// Each of the three colour components multiplied by k and rounded ties to even; bits above
// the 24 colour bits are ignored.
Colour Shade(Colour colour, long double k);

// A shaded box: with x1 < x2, y1 < y2, z1 < z2 the faces toward the viewer (y = y2, x = x2 and
// the top z = z1); given far corner first, the back walls and the floor. The cell offset is
// added before truncating to pixels. Leaves the pen black and the brush Shade(colour, 1).
void DrawBox3D(const ProjectionState& projection, int ox, int oy, int x1, int y1, int z1, int x2,
               int y2, int z2, Canvas& canvas, Colour colour);

// A standing cylinder given by the centre of its top face. Pixel positions are rounded and then
// offset. 255 shading arcs, two outline lines, the bottom rim and the top face. Leaves the pen
// black and the brush Shade(colour, 1).
void DrawUprightCylinder3D(const ProjectionState& projection, int ox, int oy, Canvas& canvas,
                           double x, double y, double z, double radius, double height,
                           Colour colour);

// A cylinder lying with its axis along the third coordinate of the lying frame, from the cap
// at (x, y, z) to the cap at (x, y, z - length). Leaves the pen Shade(colour, 0.75) and the
// brush Shade(colour, 1).
void DrawLyingCylinder3D(const ProjectionState& projection, int ox, int oy, Canvas& canvas,
                         double x, double y, double z, double radius, double length, Colour colour);

}  // namespace stowbel
