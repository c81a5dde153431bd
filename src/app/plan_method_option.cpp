#include "app/plan_method_option.h"

#include <QAction>
#include <QLabel>
#include <QWidget>

namespace stowbel {

PlanMethodOption::PlanMethodOption(QWidget* window) : QObject(window) {
    action_ = new QAction(QStringLiteral("Плотная укладка"), window);
    action_->setObjectName(QStringLiteral("DenseItem"));
    action_->setCheckable(true);
    action_->setChecked(false);
    action_->setStatusTip(
        QStringLiteral("Плотная укладка: груз в любом месте и положении, разные грузы друг на "
                       "друге; без неё груз ставится рядами"));
    status_ = new QLabel(window);
    status_->setObjectName(QStringLiteral("PlanMethodStatus"));
    status_->setContentsMargins(12, 0, 4, 0);  // apart from the watch field beside it
    status_->setToolTip(QStringLiteral("Способ расчёта показанного плана"));
    status_->setText(NameOf(Chosen()));
    // Nothing is recalculated; before the first plan the field tells what the next one uses.
    connect(action_, &QAction::toggled, this, [this] {
        if (!planShown_) {
            status_->setText(NameOf(Chosen()));
        }
    });
}

PlanMethod PlanMethodOption::Chosen() const {
    return action_->isChecked() ? PlanMethod::Dense : PlanMethod::Rows;
}

void PlanMethodOption::ShowPlanMethod(PlanMethod method) {
    planShown_ = true;
    status_->setText(NameOf(method));
}

QString PlanMethodOption::NameOf(PlanMethod method) {
    return method == PlanMethod::Dense ? QStringLiteral("Плотная укладка")
                                       : QStringLiteral("Рядами");
}

}  // namespace stowbel
