#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

namespace stowbel {

// How a picture lies in its pane while the user zooms and pans: a point p of the picture is
// shown at p * scale + offset. At rest (scale 1, no offset) the picture lies as drawn, from the
// pane's upper left corner.
class ViewZoom {
public:
    static constexpr double kMinScale = 0.1;
    static constexpr double kMaxScale = 32.0;
    // Room left around the content that a fit puts into the pane, in pane pixels.
    static constexpr double kFitMargin = 8.0;

    double Scale() const { return scale_; }
    QPointF Offset() const { return offset_; }
    bool AtRest() const { return scale_ == 1.0 && offset_.isNull(); }
    QTransform Transform() const;
    QPointF ToPicture(QPointF panePoint) const;
    QPointF ToPane(QPointF picturePoint) const;

    void Reset();
    // Multiplies the scale by factor (within the limits) and keeps the picture point under
    // panePoint where it is.
    void ZoomAt(QPointF panePoint, double factor);
    void PanBy(QPointF paneDelta);
    // Scales the content rectangle of the picture to fill the pane with a small margin, keeping
    // its aspect, and centres it.
    void Fit(const QRectF& content, const QSizeF& pane);

private:
    double scale_ = 1.0;
    QPointF offset_;
};

}  // namespace stowbel
