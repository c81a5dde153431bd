#include "app/result_marks.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace stowbel {

namespace {

constexpr int kBannerMargin = 6;
constexpr int kBannerPadding = 6;

}  // namespace

ResultOverlay::ResultOverlay(QWidget* covered) : QWidget(covered) {
    setObjectName(QStringLiteral("ResultOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(covered->rect());
    covered->installEventFilter(this);
    hide();
}

void ResultOverlay::Show(Look look, const QString& text) {
    look_ = look;
    text_ = text;
    if (text.isEmpty()) {
        hide();
        return;
    }
    setGeometry(parentWidget()->rect());
    raise();
    show();
    update();
}

bool ResultOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}

void ResultOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Pale enough that the old result is still there to compare, plainly not current.
    painter.fillRect(rect(), QColor(235, 235, 235, look_ == Look::Stale ? 170 : 110));
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int room = width() - 2 * (kBannerMargin + kBannerPadding);
    if (room <= 0) {
        return;
    }
    const QString text = metrics.elidedText(text_, Qt::ElideRight, room);
    const QRect textRect(kBannerMargin + kBannerPadding, kBannerMargin + kBannerPadding,
                         metrics.horizontalAdvance(text), metrics.height());
    const QRect box =
        textRect.adjusted(-kBannerPadding, -kBannerPadding, kBannerPadding, kBannerPadding);
    const bool stale = look_ == Look::Stale;
    painter.fillRect(box, stale ? QColor(255, 243, 205) : QColor(200, 30, 30));
    painter.setPen(stale ? QColor(150, 110, 0) : QColor(120, 0, 0));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(stale ? QColor(60, 45, 0) : Qt::white);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
}

QString ResultMarks::StaleText() {
    return QStringLiteral("Заказ изменён — нажмите Расчёт (F9)");
}

QString ResultMarks::InterruptedText(int line) {
    return line > 0 ? QStringLiteral("Расчёт прерван: ошибка в строке %1").arg(line)
                    : QStringLiteral("Расчёт прерван: ошибка в заказе");
}

ResultMarks::ResultMarks(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("ResultMarks"));
}

void ResultMarks::AddReportView(QWidget* view) {
    reportOverlays_.push_back(new ResultOverlay(view));
    Apply();
}

void ResultMarks::AddPictureView(QWidget* view) {
    pictureOverlays_.push_back(new ResultOverlay(view));
    Apply();
}

void ResultMarks::ResultShown(bool orderError, int errorLine) {
    state_ = orderError ? State::Interrupted : State::Current;
    errorLine_ = errorLine;
    Apply();
}

void ResultMarks::OrderChanged() {
    if (state_ == State::Current || state_ == State::Interrupted) {
        state_ = State::Stale;
        Apply();
    }
}

void ResultMarks::Cleared() {
    state_ = State::None;
    Apply();
}

QString ResultMarks::TextOver(const QWidget* view) const {
    for (const auto* list : {&reportOverlays_, &pictureOverlays_}) {
        for (const ResultOverlay* overlay : *list) {
            if (overlay->parentWidget() == view) {
                return overlay->isHidden() ? QString() : overlay->Text();
            }
        }
    }
    return {};
}

void ResultMarks::Apply() {
    const bool stale = state_ == State::Stale;
    const bool interrupted = state_ == State::Interrupted;
    for (ResultOverlay* overlay : reportOverlays_) {
        overlay->Show(ResultOverlay::Look::Stale, stale ? StaleText() : QString());
    }
    for (ResultOverlay* overlay : pictureOverlays_) {
        if (stale) {
            overlay->Show(ResultOverlay::Look::Stale, StaleText());
        } else if (interrupted) {
            overlay->Show(ResultOverlay::Look::Interrupted, InterruptedText(errorLine_));
        } else {
            overlay->Show(ResultOverlay::Look::Stale, QString());
        }
    }
}

}  // namespace stowbel
