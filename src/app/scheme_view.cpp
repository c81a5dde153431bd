#include "app/scheme_view.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace stowbel {

namespace {

constexpr double kWheelStepFactor = 1.25;  // one notch of the wheel
constexpr double kWheelNotch = 120.0;      // angle delta of one notch
constexpr int kHintMargin = 4;
constexpr int kHintPadding = 3;
constexpr int kHintPointSize = 8;

}  // namespace

SchemeView::SchemeView(QWidget* parent) : ImageView(parent) {
    setCursor(Qt::OpenHandCursor);
    // Shown in the status bar while the mouse is over the picture, as the program's hints are.
    setStatusTip(
        QStringLiteral("Колесо мыши — масштаб вокруг указателя, перетаскивание — сдвиг, "
                       "двойной щелчок — вписать схему в окно или вернуть как нарисовано"));
}

QRect SchemeView::DrawnContent(const QImage& picture) {
    const QImage image =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
            ? picture
            : picture.convertToFormat(QImage::Format_RGB32);
    const QRgb white = qRgb(255, 255, 255);
    int left = image.width();
    int right = -1;
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int first = 0;
        while (first < image.width() && (row[first] | 0xFF000000u) == white) {
            ++first;
        }
        if (first == image.width()) {
            continue;
        }
        int last = image.width() - 1;
        while ((row[last] | 0xFF000000u) == white) {
            --last;
        }
        left = std::min(left, first);
        right = std::max(right, last);
        if (top < 0) {
            top = y;
        }
        bottom = y;
    }
    if (top < 0) {
        return {};
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void SchemeView::FollowPicture() {
    const QImage& picture = Picture();
    if (picture.cacheKey() == pictureKey_) {
        return;
    }
    pictureKey_ = picture.cacheKey();
    content_ = DrawnContent(picture);
    if (fitted_ && !content_.isEmpty()) {
        zoom_.Fit(content_, size());
    } else {
        fitted_ = false;
        ShowAtRest();
    }
}

void SchemeView::ShowAtRest() {
    atRest_ = true;
    zoom_.Reset();
    const QSize picture = Picture().size();
    if (picture.isEmpty() || width() <= 0 || height() <= 0) {
        return;
    }
    const double whole = std::min({1.0, static_cast<double>(width()) / picture.width(),
                                   static_cast<double>(height()) / picture.height()});
    const double scale = std::max(whole, std::min(minRestScale_, 1.0));
    if (scale < 1.0) {
        zoom_.ZoomAt(QPointF(0, 0), scale);
    }
}

void SchemeView::SetMinRestScale(double scale) {
    minRestScale_ = scale;
    if (atRest_ && !fitted_) {
        ShowAtRest();
        update();
    }
}

void SchemeView::SetCoverage(const QString& note, int coverFromRow) {
    note_ = note;
    coverFromRow_ = coverFromRow;
    update();
}

void SchemeView::FitToPane() {
    FollowPicture();
    if (content_.isEmpty()) {
        return;
    }
    zoom_.Fit(content_, size());
    fitted_ = true;
    atRest_ = false;
    update();
}

QString SchemeView::HintText() const {
    if (zoom_.AtRest()) {
        return QStringLiteral("Колесо — масштаб, перетаскивание — сдвиг, двойной щелчок — вписать");
    }
    if (atRest_) {
        return QStringLiteral("Масштаб %1 %; колесо — масштаб, двойной щелчок — вписать")
            .arg(std::lround(zoom_.Scale() * 100));
    }
    const QString scale = QStringLiteral("Масштаб %1 %").arg(std::lround(zoom_.Scale() * 100));
    return fitted_ ? scale + QStringLiteral("; двойной щелчок — как нарисовано")
                   : scale + QStringLiteral("; двойной щелчок — вписать");
}

void SchemeView::paintEvent(QPaintEvent*) {
    FollowPicture();
    QPainter painter(this);
    if (!zoom_.AtRest()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setTransform(zoom_.Transform());
    }
    painter.drawImage(0, 0, Picture());
    if (coverFromRow_ < Picture().height()) {
        // What the picture cuts in half would pass for a container loaded that way.
        painter.fillRect(QRect(0, coverFromRow_, Picture().width(), Picture().height()), Qt::white);
    }
    painter.resetTransform();
    if (!content_.isEmpty()) {
        PaintHint(painter);
    }
    PaintNote(painter);
}

void SchemeView::PaintNote(QPainter& painter) const {
    if (note_.isEmpty() || Picture().isNull()) {
        return;
    }
    QFont font = painter.font();
    font.setPointSize(kHintPointSize + 1);
    font.setBold(true);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int room = width() - 2 * kHintMargin - 2 * kHintPadding;
    if (room <= 0) {
        return;
    }
    const QString text = metrics.elidedText(note_, Qt::ElideRight, room);
    const int textWidth = metrics.horizontalAdvance(text);
    const QRect textRect(width() - kHintMargin - kHintPadding - textWidth,
                         kHintMargin + kHintPadding, textWidth, metrics.height());
    const QRect box = textRect.adjusted(-kHintPadding, -kHintPadding, kHintPadding, kHintPadding);
    painter.fillRect(box, QColor(255, 255, 240, 230));
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(QColor(40, 40, 40));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
}

void SchemeView::PaintHint(QPainter& painter) const {
    QFont font = painter.font();
    font.setPointSize(kHintPointSize);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int room = width() - 2 * kHintMargin - 2 * kHintPadding;
    if (room <= 0) {
        return;
    }
    const QString text = metrics.elidedText(HintText(), Qt::ElideRight, room);
    const QRect textRect(kHintMargin + kHintPadding,
                         height() - kHintMargin - kHintPadding - metrics.height(),
                         metrics.horizontalAdvance(text), metrics.height());
    const QRect box = textRect.adjusted(-kHintPadding, -kHintPadding, kHintPadding, kHintPadding);
    painter.fillRect(box, QColor(255, 255, 240, 215));
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(QColor(40, 40, 40));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
}

void SchemeView::resizeEvent(QResizeEvent* event) {
    ImageView::resizeEvent(event);
    if (fitted_ && !content_.isEmpty()) {
        zoom_.Fit(content_, size());
    } else if (atRest_) {
        ShowAtRest();
    }
}

void SchemeView::wheelEvent(QWheelEvent* event) {
    FollowPicture();
    const double notches = event->angleDelta().y() / kWheelNotch;
    if (notches == 0) {
        event->ignore();
        return;
    }
    zoom_.ZoomAt(event->position(), std::pow(kWheelStepFactor, notches));
    fitted_ = false;
    atRest_ = false;
    event->accept();
    update();
}

void SchemeView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        ImageView::mousePressEvent(event);
        return;
    }
    FollowPicture();
    dragging_ = true;
    dragLast_ = event->position().toPoint();
    setCursor(Qt::ClosedHandCursor);
    event->accept();
}

void SchemeView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        ImageView::mouseMoveEvent(event);
        return;
    }
    if (!(event->buttons() & Qt::LeftButton)) {
        dragging_ = false;
        setCursor(Qt::OpenHandCursor);
        return;
    }
    const QPoint now = event->position().toPoint();
    if (now != dragLast_) {
        zoom_.PanBy(now - dragLast_);
        fitted_ = false;
        atRest_ = false;
        dragLast_ = now;
        update();
    }
    event->accept();
}

void SchemeView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
        setCursor(Qt::OpenHandCursor);
    }
    ImageView::mouseReleaseEvent(event);
}

void SchemeView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        ImageView::mouseDoubleClickEvent(event);
        return;
    }
    if (fitted_) {
        fitted_ = false;
        ShowAtRest();
        update();
    } else {
        FitToPane();
    }
    event->accept();
}

}  // namespace stowbel
