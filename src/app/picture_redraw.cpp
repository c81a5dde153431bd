#include "app/picture_redraw.h"

#include <QEvent>
#include <QWidget>

#include "order/errors.h"
#include "scheme/scheme_painter.h"

namespace stowbel {

void DrawPictures(const PictureSource& source, SchemePictures& pictures) {
    OrderModel model;  // the run writes the order into it; the caller's stays as it is
    SchemePainter painter(pictures);
    RunResult result;
    try {
        RunCalculation(source.lines, model, source.options, painter, result);
    } catch (const OrderError&) {
        // The calculation showed this error when it ran; the drawing stops where it stopped.
    }
}

PictureRedraw::PictureRedraw(SchemePictures& pictures, QWidget& view2D, QWidget& view3D,
                             QObject* parent)
    : QObject(parent), pictures_(pictures), view2D_(view2D), view3D_(view3D) {
    setObjectName(QStringLiteral("PictureRedraw"));
    wait_.setSingleShot(true);
    wait_.setInterval(kWaitMilliseconds);
    connect(&wait_, &QTimer::timeout, this, &PictureRedraw::RedrawIfResized);
    view2D_.installEventFilter(this);
    view3D_.installEventFilter(this);
}

void PictureRedraw::Remember(PictureSource source) {
    source_ = std::move(source);
}

void PictureRedraw::Redraw() {
    if (!source_) {
        return;
    }
    pictures_.SetImageSizes({view2D_.width(), view2D_.height()},
                            {view3D_.width(), view3D_.height()}, pictures_.SummarySize());
    DrawPictures(*source_, pictures_);
    view2D_.update();
    view3D_.update();
    emit Redrawn();
}

bool PictureRedraw::RedrawIfResized() {
    const auto differs = [](const QWidget& view, const Canvas& picture) {
        return view.width() != picture.Width() || view.height() != picture.Height();
    };
    if (!source_ || view2D_.width() <= 0 || view2D_.height() <= 0 || view3D_.width() <= 0 ||
        view3D_.height() <= 0) {
        return false;
    }
    if (!differs(view2D_, pictures_.Scheme2D()) && !differs(view3D_, pictures_.View3D())) {
        return false;
    }
    Redraw();
    return true;
}

bool PictureRedraw::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && source_) {
        wait_.start();  // restarts a running wait: a drag redraws once, when it rests
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace stowbel
