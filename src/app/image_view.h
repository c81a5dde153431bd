#pragma once

#include <QImage>
#include <QWidget>

namespace stowbel {

// Shows one picture of the last run at its own size from the upper left corner, as drawn. The
// view keeps its own copy of the picture (QImage shares the pixels until either side changes).
class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent);

    void SetImage(const QImage& image);
    const QImage& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

}  // namespace stowbel
