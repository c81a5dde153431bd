#pragma once

#include <QSize>
#include <QString>

#include "order/model.h"
#include "scheme/scheme_pictures.h"

namespace stowbel {

// The sizes the shown pictures are drawn at for their panes. The 3D view keeps room for its two
// cells of at least the smallest fitted area, so that a narrow or low pane never cuts a container
// (the pane then shows the picture reduced to fit); the 2D scheme is drawn no smaller than its
// labels stay legible at. Both keep the pane's proportions where they grow. The stored pictures
// are drawn at their own sizes and never come here.
ImageSize View3DDrawingSize(QSize pane);
ImageSize Scheme2DDrawingSize(QSize pane);

// How much a view may reduce each picture to show it whole in its pane.
inline constexpr double kMin3DShownScale = 0.0;  // always whole
inline constexpr double kMin2DShownScale = 0.6;  // below this the labels are no longer legible

// How many of a run's containers the 2D scheme of the given height shows whole, and the picture
// row from which the first container it cuts begins (the picture's height when none is cut).
struct Scheme2DCoverage {
    int whole = 0;
    int cutFrom = 0;
};
Scheme2DCoverage CoverageOf2DScheme(ImageSize picture, const Container& container, int containers);

// "показаны 6 из 28 контейнеров", or empty when the scheme shows every container.
QString ShownContainersNote(int whole, int containers);

}  // namespace stowbel
