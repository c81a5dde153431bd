#pragma once

#include <QObject>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>

#include "calc/run.h"
#include "scheme/scheme_pictures.h"

class QWidget;

namespace stowbel {

// What a calculation drew its pictures from: enough to draw them again.
struct PictureSource {
    std::vector<std::string> lines;
    RunOptions options;
};

// Draws the order's pictures anew at the sizes the pictures are set to. Only the pictures
// change: the caller's order model, report and stored files are not touched. An order error ends
// the drawing where the calculation ended it.
void DrawPictures(const PictureSource& source, SchemePictures& pictures);

// Keeps the pictures of the last calculation as large as their panes. A pane that changes size
// (a splitter drag, a window resize) starts a short wait that each further change restarts; when
// it runs out, the 2D scheme and the main 3D view are drawn again at the panes' sizes. The summary
// picture keeps its size.
class PictureRedraw : public QObject {
    Q_OBJECT
public:
    static constexpr int kWaitMilliseconds = 150;

    PictureRedraw(SchemePictures& pictures, QWidget& view2D, QWidget& view3D, QObject* parent);

    // The calculation whose pictures are shown now; nothing is redrawn before the first.
    void Remember(PictureSource source);
    // Draws at the panes' sizes now.
    void Redraw();
    // Draws when a pane's size differs from its picture's; true when it drew.
    bool RedrawIfResized();

signals:
    void Redrawn();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SchemePictures& pictures_;
    QWidget& view2D_;
    QWidget& view3D_;
    std::optional<PictureSource> source_;
    QTimer wait_;
};

}  // namespace stowbel
