// The plan view of the main window: one container of the calculation shown at a time, over the
// two scheme panes while "План" is on.
#include <QAction>
#include <QFrame>
#include <QMenuBar>
#include <QToolBar>

#include "app/main_window.h"
#include "app/plan_view.h"
#include "app/result_marks.h"
#include "app/tool_icons.h"

namespace stowbel {

void MainWindow::CreatePlanView() {
    planView_ = new PlanView(graphPanel_);
    planView_->hide();
    resultMarks_->AddPictureView(planView_);

    planAction_ = new QAction(QStringLiteral("П&лан"), this);
    planAction_->setObjectName(QStringLiteral("PlanItem"));
    planAction_->setCheckable(true);
    planAction_->setShortcut(QKeySequence(Qt::Key_F4));
    SetTooltipHint(planAction_,
                   QStringLiteral("План погрузки по контейнерам вместо 3D- и 2D-схем: вид сверху, "
                                  "вид от двери и список погрузки (F4)"));
    connect(planAction_, &QAction::toggled, this, &MainWindow::ShowPlanView);
    // Beside "Расчёт" in the menu bar, and at the end of the tool bar's commands.
    QAction* watchMenu = findChild<QAction*>(QStringLiteral("Edit1Action"));
    menuBar()->insertAction(watchMenu, planAction_);
    // The menu bar would show an icon instead of the text: the button has an action of its own.
    auto* button = new QAction(MakeToolIcon(ToolIcon::Plan), QStringLiteral("План"), this);
    button->setObjectName(QStringLiteral("ToolButtonPlanAction"));
    button->setCheckable(true);
    SetTooltipHint(button, QStringLiteral("План"));
    connect(button, &QAction::toggled, planAction_, &QAction::setChecked);
    connect(planAction_, &QAction::toggled, button, &QAction::setChecked);
    QAction* exit = findChild<QAction*>(QStringLiteral("ToolButton6Action"));
    toolBar_->insertAction(exit, button);
    toolBar_->widgetForAction(button)->setObjectName(QStringLiteral("ToolButtonPlan"));
}

void MainWindow::ShowPlanView(bool shown) {
    planView_->setVisible(shown);
    if (shown) {
        planView_->raise();
    }
}

}  // namespace stowbel
