#pragma once

#include <QObject>

#include "calc/run_result.h"

class QAction;
class QLabel;
class QWidget;

namespace stowbel {

// The option "Плотная укладка" of the Parameters menu, off at start, and the status-bar field
// that names the method of the plan shown ("Плотная укладка" or "Рядами"). Until a plan is
// shown the field names the method the next calculation will use.
class PlanMethodOption : public QObject {
    Q_OBJECT
public:
    explicit PlanMethodOption(QWidget* window);

    QAction* Action() const { return action_; }
    QLabel* StatusField() const { return status_; }

    // How the next calculation plans, by the option's tick.
    PlanMethod Chosen() const;
    // The plan shown was made this way.
    void ShowPlanMethod(PlanMethod method);

    static QString NameOf(PlanMethod method);

private:
    QAction* action_ = nullptr;
    QLabel* status_ = nullptr;
    bool planShown_ = false;
};

}  // namespace stowbel
