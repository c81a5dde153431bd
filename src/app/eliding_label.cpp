#include "app/eliding_label.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace stowbel {

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) {}

QSize ElidingLabel::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance(QStringLiteral("Wwww…")),
            QLabel::minimumSizeHint().height()};
}

QString ElidingLabel::VisibleText() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void ElidingLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(),
                          isEnabled(), VisibleText(), foregroundRole());
}

}  // namespace stowbel
