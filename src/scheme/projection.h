#pragma once

namespace stowbel {

// A point of the 3D scene in millimetres: x along the container, y across, z down from the
// ceiling.
struct Point3D {
    double x = 0;
    double y = 0;
    double z = 0;
    bool operator==(const Point3D&) const = default;
};

// The one fitted projection of a run's 3D views: rotated millimetres per pixel and the pixel
// position of the rotated origin in a drawing cell.
// The rotations turn about the origin.
struct ProjectionState {
    double Scale = 0;
    double OffsetX = 0;
    double OffsetY = 0;
};

// Turns a point about the centre by angle degrees in the plane of the two coordinates that the
// axis (1: y-z, 2: x-z, 3: x-y) does not name; every coordinate is truncated to whole mm.
Point3D RotatePoint3D(const Point3D& centre, const Point3D& point, int axis, double angle);

// The fixed axonometric rotation: 90 degrees about axis 1, 45 about axis 2, -30 about axis 1.
Point3D RotateScene(const Point3D& point);
// Lying frame: the scene rotation without its first turn; (u, v, w) lands where the scene
// rotation puts (u, -w, v).
Point3D RotateLying(const Point3D& point);

// Fits the projection so that the box takes 1/1.3 of the tighter dimension of a view of the
// given size, centred in it. A box that projects to a single point gets a scale of 1.
void FitProjection3D(ProjectionState& projection, int viewWidth, int viewHeight, double x1,
                     double y1, double z1, double x2, double y2, double z2);

}  // namespace stowbel
