#pragma once

#include <QPoint>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <optional>

#include "app/view_zoom.h"
#include "calc/run_result.h"
#include "scheme/container_views.h"

namespace stowbel {

// One container of the plan drawn at the pane's size: its top view above (the stacks numbered as
// in the loading list, lying drums as their rows, the centre of gravity marked) and the 3D view
// from the door below, the drawings of the printed plan. The wheel zooms around the pointer,
// dragging pans and a double click shows the whole again. A click on a stack of the top view
// selects it; the selected stack is outlined in both views.
class PlanDrawing : public QWidget {
    Q_OBJECT
public:
    explicit PlanDrawing(QWidget* parent);

    // The container to show; weight is its mass and centre of gravity, massLine the line that
    // says so (empty when the order gives no masses).
    void SetContainer(ContainerLoad load, std::optional<ContainerWeight> weight,
                      const QString& massLine);
    void Clear();
    // The stack (an index into the load's stacks) to outline; -1 for none.
    void SetSelected(int stack);
    int Selected() const { return selected_; }
    const ViewZoom& Zoom() const { return zoom_; }
    const QString& MassLine() const { return massLine_; }

    // Where the top view shows a stack, and the centre of gravity, in the widget's pixels.
    QRectF StackOnScreen(int stack) const;
    std::optional<QPointF> CentreOfGravityOnScreen() const;

signals:
    void StackClicked(int stack);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The areas of the two views before any zoom.
    QRectF TopArea() const;
    QRectF ThreeDArea() const;
    TopViewFit TopFit() const;
    QRectF StackOnDrawing(int stack) const;
    int StackAt(QPointF drawingPoint) const;
    void PaintCentreOfGravity(QPainter& painter, const TopViewFit& fit) const;

    std::optional<ContainerLoad> load_;
    std::optional<ContainerWeight> weight_;
    QString massLine_;
    int selected_ = -1;
    ViewZoom zoom_;
    bool dragging_ = false;
    bool dragged_ = false;
    QPoint dragLast_;
};

}  // namespace stowbel
