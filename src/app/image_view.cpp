#include "app/image_view.h"

#include <QPainter>

namespace stowbel {

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
}

void ImageView::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void ImageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

}  // namespace stowbel
