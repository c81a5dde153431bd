#pragma once

#include <QWidget>

class QLabel;

namespace stowbel {

// The splash window: borderless, 900 x 640, black, "Splash.jpg" from the program's folder
// scaled to fit with its aspect kept, and the version in cyan near the lower right corner.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 900;
    static constexpr int kHeight = 640;

    explicit SplashWindow(const QString& programDirectory, QWidget* parent = nullptr);

    // Where the picture is drawn: centred, scaled to fit; empty without a picture.
    QRect PictureRect() const;

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    QLabel* versionLabel_ = nullptr;
};

}  // namespace stowbel
