#include "app/image_view.h"

#include <QPainter>

#include "scheme/raster_canvas.h"

namespace stowbel {

ImageView::ImageView(const RasterCanvas& canvas, QWidget* parent)
    : QWidget(parent), canvas_(canvas) {
    setAutoFillBackground(true);
}

void ImageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Picture());
}

const QImage& ImageView::Picture() const {
    return canvas_.Image();
}

}  // namespace stowbel
