#pragma once

#include <QImage>
#include <QWidget>

namespace stowbel {

class RasterCanvas;

// Shows one picture of the last run at its own size from the upper left corner, as drawn.
class ImageView : public QWidget {
    Q_OBJECT
public:
    ImageView(const RasterCanvas& canvas, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    // The picture shown.
    const QImage& Picture() const;

private:
    const RasterCanvas& canvas_;
};

}  // namespace stowbel
