#include "app/picture_redraw.h"

#include <QEvent>
#include <utility>

#include "app/image_view.h"
#include "app/screen_pictures.h"
#include "pictures/raster_pictures.h"

namespace stowbel {

PictureRedraw::PictureRedraw(ImageView& view2D, ImageView& view3D, QObject* parent)
    : QObject(parent), view2D_(view2D), view3D_(view3D) {
    setObjectName(QStringLiteral("PictureRedraw"));
    wait_.setSingleShot(true);
    wait_.setInterval(kWaitMilliseconds);
    connect(&wait_, &QTimer::timeout, this, &PictureRedraw::RedrawIfResized);
    view2D_.installEventFilter(this);
    view3D_.installEventFilter(this);
}

void PictureRedraw::Remember(std::shared_ptr<const CalculationRecord> record,
                             const PictureMaker& maker) {
    record_ = std::move(record);
    maker_ = &maker;
}

void PictureRedraw::Redraw() {
    if (!record_) {
        return;
    }
    PictureSizes sizes;
    sizes.scheme2D = Scheme2DDrawingSize(view2D_.size());
    sizes.view3D = View3DDrawingSize(view3D_.size());
    const RunPictures pictures =
        DrawPictures(*maker_, record_->drawing, sizes, PictureSet::Shown());
    view2D_.SetPicture(ImageOf(pictures.scheme2D));
    view3D_.SetPicture(ImageOf(pictures.view3D));
    emit Redrawn();
}

bool PictureRedraw::RedrawIfResized() {
    const auto differs = [](const ImageView& view, ImageSize drawn) {
        return view.Picture().size() != QSize(drawn.width, drawn.height);
    };
    if (!record_ || view2D_.width() <= 0 || view2D_.height() <= 0 || view3D_.width() <= 0 ||
        view3D_.height() <= 0) {
        return false;
    }
    if (!differs(view2D_, Scheme2DDrawingSize(view2D_.size())) &&
        !differs(view3D_, View3DDrawingSize(view3D_.size()))) {
        return false;
    }
    Redraw();
    return true;
}

bool PictureRedraw::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && record_) {
        wait_.start();  // restarts a running wait: a drag redraws once, when it rests
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace stowbel
