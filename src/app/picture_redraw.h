#pragma once

#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

#include "job/calculation_job.h"

namespace stowbel {

class ImageView;

// Keeps the pictures of the last calculation as large as their panes. A pane that changes size
// (a splitter drag, a window resize) starts a short wait that each further change restarts; when
// it runs out, the 2D scheme and the main 3D view are drawn again at the panes' sizes. Only the
// pictures change: the report and the stored files are not touched, and an order error ends the
// drawing where the calculation ended it.
class PictureRedraw : public QObject {
    Q_OBJECT
public:
    static constexpr int kWaitMilliseconds = 150;

    PictureRedraw(ImageView& view2D, ImageView& view3D, QObject* parent);

    // The calculation whose pictures are shown now, as a job that stores nothing, and what its
    // run told the pictures: with the record the pictures are drawn from it, without it the job
    // runs again. Nothing is redrawn before the first.
    void Remember(CalculationJob drawing, std::shared_ptr<const PlacementRecording> record = {});
    // Draws at the panes' sizes now.
    void Redraw();
    // Draws when a pane's size differs from its picture's; true when it drew.
    bool RedrawIfResized();

signals:
    void Redrawn();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ImageView& view2D_;
    ImageView& view3D_;
    std::optional<CalculationJob> drawing_;
    std::shared_ptr<const PlacementRecording> record_;
    QTimer wait_;
};

}  // namespace stowbel
