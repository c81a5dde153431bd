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

    void SetPicture(const QImage& picture);
    // The picture shown.
    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

}  // namespace stowbel
