#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

#include "calc/run_result.h"
#include "order/model.h"

class QPainter;

namespace stowbel {

// One container of a run with what was placed in it, for drawings of that container alone.
struct ContainerLoad {
    Container container;
    std::vector<PlacedStack> stacks;  // in the order the run placed them
    std::vector<int> numbers;         // optional: each stack's number in a list, 0 for none
    // A plan by the rows is drawn in the order of the stacks; any other by place, each stack at
    // the height it stands at.
    PlanMethod method = PlanMethod::Rows;
};

// The stacks of container number (from 1) of a run.
// A stack's outline on the floor, in millimetres from the front wall and the first side wall.
QRectF FloorRect(const PlacedStack& stack);

ContainerLoad LoadOfContainer(const RunResult& result, const Container& container, int number);

// Where a top view puts the floor in its area.
struct TopViewFit {
    double scale = 0;  // device units per millimetre of floor
    QPointF origin;    // the corner of the front wall and the first side wall
    QPointF At(double x, double y) const { return origin + QPointF(x * scale, y * scale); }
};

struct ContainerViewStyle {
    QString fontFamily;     // empty: the painter's font
    double unitsPerMm = 0;  // device units per millimetre of paper
};

// The floor as large as the area allows, with bands left for the wall names at both ends and the
// metre scale above. The front wall is the left edge, the first side wall the upper edge.
TopViewFit FitTopView(const QRectF& area, const Container& container,
                      const ContainerViewStyle& style);

// The container seen from above: every stack as a rectangle or circle filled in its type's
// colour and labelled with its number of units (and, where it has room, its number in the list
// in a corner), the front wall and the door named, a metre scale along the first side wall.
// Drawn by place, stacks go from the floor up, each with its labels, so that what stands higher
// covers what it stands on, its outline a little inside the outline of what carries it.
void DrawContainerTopView(QPainter& painter, const QRectF& area, const ContainerLoad& load,
                          const ContainerViewStyle& style);

// The container alone as an open box seen from the door, its units drawn layer by layer with the
// primitives of the 3D schemes, the projection fitted to the area. Drawn by place, farther
// stacks go first and every unit stands at its height.
void DrawContainer3DView(QPainter& painter, const QRectF& area, const ContainerLoad& load,
                         const ContainerViewStyle& style);

}  // namespace stowbel
