#include "scheme/scheme_3d.h"

#include <algorithm>

#include "order/rounding.h"
#include "scheme/primitives3d.h"

namespace stowbel {

namespace {

constexpr Colour kWhite = 0xFFFFFF;

// Far corner first: the box shows the floor and the two back walls.
void OpenBox(SchemePictures& pictures, Canvas& canvas, const Container& container, int ox, int oy,
             int yShift) {
    DrawBox3D(canvas, {pictures.Projection(), ox, oy},
              {TruncToInt(container.Length), TruncToInt(container.Width) + yShift,
               TruncToInt(container.Height), 0, yShift, 0, kWhite});
}

}  // namespace

void FitSchemeProjection(SchemePictures& pictures, const Container& container) {
    const ImageSize view = pictures.View3DSize();
    const int vw = std::max(view.width / 2 - 40, 300);
    const int vh = std::max(view.height / 2 - 40, 250);
    FitProjection3D(pictures.Projection(), vw, vh, 0, 0, 0, container.Length, container.Width,
                    container.Height);
}

void DrawFirstContainer3D(SchemePictures& pictures, const Container& container,
                          SchemeGeometry& geometry) {
    OpenBox(pictures, pictures.View3D(), container, 0, 0, 0);
    OpenBox(pictures, pictures.Summary(), container, 0, geometry.SummaryShift,
            geometry.SummaryShift);
    geometry.Origin3DX = 0;
    geometry.Origin3DY = 0;
}

void StepContainerCell(SchemePictures& pictures, SchemeGeometry& geometry, int number) {
    const ImageSize view = pictures.View3DSize();
    if ((number - 1) % 2 == 1) {
        geometry.Origin3DX = RoundToInt(view.width / 2.0L + geometry.Origin3DX);
    } else {
        geometry.Origin3DX = 0;
        geometry.Origin3DY = RoundToInt(view.height / 2.0L + geometry.Origin3DY);
    }
}

void DrawContainerBoxes3D(SchemePictures& pictures, const Container& container,
                          const SchemeGeometry& geometry, bool includeSummary) {
    OpenBox(pictures, pictures.View3D(), container, geometry.Origin3DX, geometry.Origin3DY, 0);
    if (includeSummary) {
        OpenBox(pictures, pictures.Summary(), container, geometry.Origin3DX,
                geometry.Origin3DY + geometry.SummaryShift, geometry.SummaryShift);
    }
}

void DrawUnitBox3D(SchemePictures& pictures, const Container& container,
                   const SchemeGeometry& geometry, int x1, int y1, int x2, int y2,
                   const UnitLevel& level, Colour colour, bool includeSummary) {
    // Less a base of 0 the floor stays exactly where the rows have always drawn it.
    const long double floor = static_cast<long double>(container.Height) - level.base;
    const auto h = static_cast<long double>(level.unitHeight);
    const int zTop = TruncToInt(floor - level.layer * h);
    const int zBottom = TruncToInt(floor - (level.layer - 1) * h);
    DrawBox3D(pictures.View3D(), {pictures.Projection(), geometry.Origin3DX, geometry.Origin3DY},
              {x1, y1, zTop, x2, y2, zBottom, colour});
    if (includeSummary) {
        const int shift = geometry.SummaryShift;
        DrawBox3D(pictures.Summary(),
                  {pictures.Projection(), geometry.Origin3DX, geometry.Origin3DY + shift},
                  {x1, y1 + shift, zTop, x2, y2 + shift, zBottom, colour});
    }
}

void DrawUnitCylinder3D(SchemePictures& pictures, const Container& container,
                        const SchemeGeometry& geometry, long double x, long double y,
                        const UnitLevel& level, double diameter, Colour colour,
                        bool includeSummary) {
    const long double floor = static_cast<long double>(container.Height) - level.base;
    const auto zTop = static_cast<double>(
        Trunc(floor - level.layer * static_cast<long double>(level.unitHeight)));
    const UprightCylinder3D cylinder{static_cast<double>(x), static_cast<double>(y), zTop,
                                     diameter / 2,           level.unitHeight,       colour};
    DrawUprightCylinder3D(pictures.View3D(),
                          {pictures.Projection(), geometry.Origin3DX, geometry.Origin3DY},
                          cylinder);
    if (includeSummary) {
        const int shift = geometry.SummaryShift;
        UprightCylinder3D shifted = cylinder;
        shifted.y = static_cast<double>(y + shift);
        DrawUprightCylinder3D(
            pictures.Summary(),
            {pictures.Projection(), geometry.Origin3DX, geometry.Origin3DY + shift}, shifted);
    }
}

}  // namespace stowbel
