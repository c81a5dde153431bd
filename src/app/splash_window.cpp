#include "app/splash_window.h"

#include <QFile>
#include <QFont>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace stowbel {

SplashWindow::SplashWindow(const QString& programDirectory, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Window) {
    setObjectName(QStringLiteral("SplashForm"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);

    const QString path = programDirectory + QStringLiteral("/Splash.jpg");
    if (QFile::exists(path)) {
        picture_.load(path);  // a picture that cannot be decoded leaves the window black
    }

    versionLabel_ = new QLabel(QStringLiteral("версия " STOWBEL_VERSION), this);
    versionLabel_->setObjectName(QStringLiteral("VersionLabel"));
    versionLabel_->setAttribute(Qt::WA_TranslucentBackground);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(18);
    font.setBold(true);
    versionLabel_->setFont(font);
    versionLabel_->setStyleSheet(QStringLiteral("color: rgb(0, 255, 255);"));
    versionLabel_->adjustSize();
    versionLabel_->move(kWidth - versionLabel_->width() - 34,
                        kHeight - versionLabel_->height() - 80);

    if (const QScreen* screen = this->screen()) {
        move(screen->geometry().center() - rect().center());
    }
}

QRect SplashWindow::PictureRect() const {
    if (picture_.isNull()) {
        return {};
    }
    const QSize size = picture_.size().scaled(kWidth, kHeight, Qt::KeepAspectRatio);
    return QRect(QPoint((kWidth - size.width()) / 2, (kHeight - size.height()) / 2), size);
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!picture_.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(PictureRect(), picture_);
    }
}

void SplashWindow::mousePressEvent(QMouseEvent*) {
    emit Clicked();
}

}  // namespace stowbel
