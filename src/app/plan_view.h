#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "plan/loading_list.h"
#include "plan/loading_plan.h"

class QLabel;
class QTableWidget;
class QToolButton;

namespace stowbel {

class PlanDrawing;

// The loading plan of the calculation shown, one container at a time: a selector ("Конт. 2 из
// 6" between previous and next), the container's drawings (see PlanDrawing) and its loading list
// as a table beside them. Selecting a row outlines its stack, and clicking a stack selects its
// row. Drawn from the plan's data at the pane's size, never from the stored pictures. It covers
// the pane it is made in, whatever that pane's size, when it is shown.
class PlanView : public QWidget {
    Q_OBJECT
public:
    explicit PlanView(QWidget* pane);

    // The plan of a calculation; the container shown stays where the new plan has it.
    void ShowPlan(LoadingPlanInput input);
    void Clear();
    void ShowContainer(int number);  // from 1
    int ContainerShown() const { return container_; }
    int Containers() const { return input_ ? input_->result.containers : 0; }

    QTableWidget* List() const { return list_; }
    PlanDrawing* Drawing() const { return drawing_; }
    QString SelectorText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SelectRow(int row);
    void StackClicked(int stack);
    void FillList();

    std::optional<LoadingPlanInput> input_;
    int container_ = 0;
    std::vector<LoadingListRow> rows_;
    // For each stack of the drawing, its row in the list, and back.
    std::vector<int> rowOfStack_;
    std::vector<int> stackOfRow_;

    QToolButton* previous_ = nullptr;
    QToolButton* next_ = nullptr;
    QLabel* selector_ = nullptr;
    PlanDrawing* drawing_ = nullptr;
    QTableWidget* list_ = nullptr;
};

}  // namespace stowbel
