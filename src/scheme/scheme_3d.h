#pragma once

#include "order/model.h"
#include "scheme/scheme_pictures.h"

namespace stowbel {

// Fits the projection to the top-left cell of the main 3D view: half the view less 40 pixels,
// at least 300 x 250.
void FitSchemeProjection(SchemePictures& pictures, const Container& container);

// The first container as an open box in the main view and, in every mode, in the summary.
void DrawFirstContainer3D(SchemePictures& pictures, const Container& container,
                          SchemeGeometry& geometry);

// Moves the 3D cell to container number n (1-based over the run): column (n - 1) mod 2 and row
// (n - 1) div 2 of a grid two cells wide, each cell half the main view.
void StepContainerCell(SchemePictures& pictures, SchemeGeometry& geometry, int number);

// The current container as an open box at its cell, in the main view and, when asked, the
// summary picture.
void DrawContainerBoxes3D(SchemePictures& pictures, const Container& container,
                          const SchemeGeometry& geometry, bool includeSummary);

// Where a unit of a stack stands: layer j (1 the lowest) of units unitHeight mm high, in a stack
// whose lowest unit stands base mm above the floor (0: on the floor).
struct UnitLevel {
    int layer = 1;
    double unitHeight = 0;
    double base = 0;
};

// A rectangular unit with floor rectangle (x1, y1)-(x2, y2) mm.
void DrawUnitBox3D(SchemePictures& pictures, const Container& container,
                   const SchemeGeometry& geometry, int x1, int y1, int x2, int y2,
                   const UnitLevel& level, Colour colour, bool includeSummary);

// A standing round unit centred at (x, y) mm.
void DrawUnitCylinder3D(SchemePictures& pictures, const Container& container,
                        const SchemeGeometry& geometry, long double x, long double y,
                        const UnitLevel& level, double diameter, Colour colour,
                        bool includeSummary);

}  // namespace stowbel
