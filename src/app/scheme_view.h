#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <limits>

#include "app/image_view.h"
#include "app/view_zoom.h"

namespace stowbel {

// A scheme pane's picture that the user can look into: the wheel zooms around the pointer,
// dragging with the left button pans, a double click fits the drawn content to the pane and a
// second one shows the picture as drawn again. A small hint in the lower left corner says so.
// A picture drawn larger than its pane is shown reduced to fit it at rest, as far as the pane's
// smallest scale allows. Only the view changes; the picture is never touched.
class SchemeView : public ImageView {
    Q_OBJECT
public:
    explicit SchemeView(QWidget* parent);

    const ViewZoom& Zoom() const { return zoom_; }
    bool Fitted() const { return fitted_; }
    QString HintText() const;
    // The smallest scale at which the view shows a picture larger than the pane whole at rest.
    void SetMinRestScale(double scale);
    // A note in the upper right corner (what the picture leaves out), and the picture row from
    // which what is cut is covered; a row at or below the picture's height covers nothing.
    void SetCoverage(const QString& note, int coverFromRow);
    const QString& Note() const { return note_; }
    // Fits the drawn content of the picture to the pane.
    void FitToPane();
    // The part of a picture that is drawn on: every pixel that is not white background. Empty
    // for a blank picture.
    static QRect DrawnContent(const QImage& picture);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // A new picture (a calculation or a redraw): a fitted view is fitted anew, any other view
    // goes back to rest.
    void FollowPicture();
    void PaintHint(QPainter& painter) const;
    void PaintNote(QPainter& painter) const;
    // The view at rest: the picture from the upper left corner, reduced to fit where it is
    // larger than the pane.
    void ShowAtRest();

    ViewZoom zoom_;
    bool fitted_ = false;
    bool dragging_ = false;
    QPoint dragLast_;
    qint64 pictureKey_ = 0;
    QRect content_;
    bool atRest_ = true;
    double minRestScale_ = 1.0;
    QString note_;
    int coverFromRow_ = std::numeric_limits<int>::max();  // covers nothing
};

}  // namespace stowbel
