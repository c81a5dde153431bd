#include "app/picture_redraw.h"

#include <QEvent>
#include <utility>

#include "app/image_view.h"
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

void PictureRedraw::Remember(CalculationJob drawing,
                             std::shared_ptr<const PlacementRecording> record) {
    drawing_ = std::move(drawing);
    record_ = std::move(record);
}

void PictureRedraw::Redraw() {
    if (!drawing_) {
        return;
    }
    PictureSizes sizes;
    sizes.scheme2D = {view2D_.width(), view2D_.height()};
    sizes.view3D = {view3D_.width(), view3D_.height()};
    drawing_->SetPictureSizes(sizes).SetShownPictures(PictureSet::Shown());
    const PictureMaker* maker = drawing_->Maker();
    if (record_ && maker != nullptr) {
        // A dense search may take seconds; the record draws the same pictures at once.
        view2D_.SetPicture(ImageOf(maker->Draw(*record_, sizes, Picture::Scheme2D)));
        view3D_.SetPicture(ImageOf(maker->Draw(*record_, sizes, Picture::View3D)));
    } else {
        const JobResult result = drawing_->Run();
        view2D_.SetPicture(ImageOf(result.pictures.scheme2D));
        view3D_.SetPicture(ImageOf(result.pictures.view3D));
    }
    emit Redrawn();
}

bool PictureRedraw::RedrawIfResized() {
    const auto differs = [](const ImageView& view) { return view.size() != view.Picture().size(); };
    if (!drawing_ || view2D_.width() <= 0 || view2D_.height() <= 0 || view3D_.width() <= 0 ||
        view3D_.height() <= 0) {
        return false;
    }
    if (!differs(view2D_) && !differs(view3D_)) {
        return false;
    }
    Redraw();
    return true;
}

bool PictureRedraw::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && drawing_) {
        wait_.start();  // restarts a running wait: a drag redraws once, when it rests
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace stowbel
