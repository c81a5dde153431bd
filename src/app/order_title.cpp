#include "app/order_title.h"

namespace stowbel {

QString OrderTitle::Caption() {
    return QStringLiteral("Расчёт загрузки поддонов в контейнер");
}

void OrderTitle::Loaded(const QString& name) {
    name_ = name;
    edited_ = false;
}

void OrderTitle::Edited() {
    if (name_.isEmpty()) {
        name_ = QStringLiteral("Новый заказ");
    }
    edited_ = true;
}

QString OrderTitle::Text() const {
    if (name_.isEmpty()) {
        return Caption();
    }
    return name_ + (edited_ ? QStringLiteral("*") : QString()) + QStringLiteral(" — ") + Caption();
}

}  // namespace stowbel
