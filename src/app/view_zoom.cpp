#include "app/view_zoom.h"

#include <algorithm>

namespace stowbel {

QTransform ViewZoom::Transform() const {
    return QTransform(scale_, 0, 0, scale_, offset_.x(), offset_.y());
}

QPointF ViewZoom::ToPicture(QPointF panePoint) const {
    return (panePoint - offset_) / scale_;
}

QPointF ViewZoom::ToPane(QPointF picturePoint) const {
    return picturePoint * scale_ + offset_;
}

void ViewZoom::Reset() {
    scale_ = 1.0;
    offset_ = QPointF();
}

void ViewZoom::ZoomAt(QPointF panePoint, double factor) {
    const QPointF fixed = ToPicture(panePoint);
    scale_ = std::clamp(scale_ * factor, kMinScale, kMaxScale);
    offset_ = panePoint - fixed * scale_;
}

void ViewZoom::PanBy(QPointF paneDelta) {
    offset_ += paneDelta;
}

void ViewZoom::Fit(const QRectF& content, const QSizeF& pane) {
    if (content.isEmpty() || pane.isEmpty()) {
        Reset();
        return;
    }
    const double roomX = std::max(pane.width() - 2 * kFitMargin, 1.0);
    const double roomY = std::max(pane.height() - 2 * kFitMargin, 1.0);
    scale_ = std::clamp(std::min(roomX / content.width(), roomY / content.height()), kMinScale,
                        kMaxScale);
    const QPointF paneCentre(pane.width() / 2, pane.height() / 2);
    offset_ = paneCentre - content.center() * scale_;
}

}  // namespace stowbel
