#include "app/image_view.h"

#include <QPainter>

namespace stowbel {

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
}

void ImageView::SetImage(const QImage& image) {
    image_ = image;
    update();
}

void ImageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

}  // namespace stowbel
