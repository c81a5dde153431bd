#pragma once

#include <string>
#include <vector>

#include "order/model.h"
#include "order/rounding.h"
#include "scheme/scheme_pictures.h"

namespace stowbel {

// Sizes and clears the three pictures, sets the 2D scale and margins, fits the 3D projection and
// draws the first container in all three pictures.
void PrepareSchemes(SchemePictures& pictures, const Container& container, SchemeGeometry& geometry);

// The current container's outline: black, 2 pixels wide, filled with the brush.
void DrawContainerOutline2D(SchemePictures& pictures, const Container& container,
                            const SchemeGeometry& geometry, bool includeSummary);

// One rectangular unit with both diagonals, in the current pen and brush of each picture.
void DrawCrossedRect(SchemePictures& pictures, int x1, int y1, int x2, int y2, bool includeSummary);

void DrawStackLabel(Canvas& canvas, int x, int y, int count);

void DrawRoundOutline(Canvas& canvas, int x1, int y1, int x2, int y2);

// A small cross marking a container's centre of gravity, centred on (x, y). The pen is left as
// it was.
void DrawCentreOfGravityMark(Canvas& canvas, int x, int y);

// The report lines at the bottom of the summary picture, 20 pixels apart.
void DrawReportLines(SchemePictures& pictures, const std::vector<std::string>& lines);

// Pixel position of a floor point of the current container.
inline int SchemeX(const SchemeGeometry& geometry, long double mm) {
    return geometry.SchemeX0 + RoundToInt(mm * geometry.SchemeScale);
}
inline int SchemeY(const SchemeGeometry& geometry, long double mm) {
    return geometry.SchemeY0 + RoundToInt(mm * geometry.SchemeScale);
}

}  // namespace stowbel
