#include "app/plan_view.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "app/plan_drawing.h"
#include "calc/container_weight.h"
#include "scheme/raster_canvas.h"

namespace stowbel {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QTableWidgetItem* Cell(const QString& text, bool number) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return item;
}

}  // namespace

PlanView::PlanView(QWidget* pane) : QWidget(pane) {
    setObjectName(QStringLiteral("PlanView"));
    setAutoFillBackground(true);
    setGeometry(pane->rect());
    pane->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    auto* header = new QHBoxLayout();
    header->setContentsMargins(4, 0, 4, 0);
    previous_ = new QToolButton(this);
    previous_->setObjectName(QStringLiteral("PlanPrevious"));
    previous_->setArrowType(Qt::LeftArrow);
    previous_->setToolTip(QStringLiteral("Предыдущий контейнер"));
    previous_->setStatusTip(previous_->toolTip());
    next_ = new QToolButton(this);
    next_->setObjectName(QStringLiteral("PlanNext"));
    next_->setArrowType(Qt::RightArrow);
    next_->setToolTip(QStringLiteral("Следующий контейнер"));
    next_->setStatusTip(next_->toolTip());
    selector_ = new QLabel(this);
    selector_->setObjectName(QStringLiteral("PlanSelector"));
    QFont font = selector_->font();
    font.setBold(true);
    selector_->setFont(font);
    selector_->setMinimumWidth(selector_->fontMetrics().horizontalAdvance("Конт. 888 из 888"));
    selector_->setAlignment(Qt::AlignCenter);
    header->addWidget(previous_);
    header->addWidget(selector_);
    header->addWidget(next_);
    header->addStretch(1);
    layout->addLayout(header);

    auto* body = new QSplitter(Qt::Horizontal, this);
    body->setObjectName(QStringLiteral("PlanSplitter"));
    drawing_ = new PlanDrawing(body);
    list_ = new QTableWidget(body);
    list_->setObjectName(QStringLiteral("PlanList"));
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    list_->setAlternatingRowColors(true);
    body->addWidget(drawing_);
    body->addWidget(list_);
    body->setStretchFactor(0, 3);
    body->setStretchFactor(1, 2);
    layout->addWidget(body, 1);

    connect(previous_, &QToolButton::clicked, this, [this] { ShowContainer(container_ - 1); });
    connect(next_, &QToolButton::clicked, this, [this] { ShowContainer(container_ + 1); });
    connect(drawing_, &PlanDrawing::StackClicked, this, &PlanView::StackClicked);
    connect(list_, &QTableWidget::itemSelectionChanged, this, [this] {
        const QList<QTableWidgetItem*> items = list_->selectedItems();
        const int row = items.isEmpty() ? -1 : items.front()->row();
        drawing_->SetSelected(row >= 0 && row < static_cast<int>(stackOfRow_.size())
                                  ? stackOfRow_[static_cast<std::size_t>(row)]
                                  : -1);
    });
    Clear();
}

bool PlanView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}

QString PlanView::SelectorText() const {
    return selector_->text();
}

void PlanView::ShowPlan(LoadingPlanInput input) {
    input_ = std::move(input);
    ShowContainer(std::clamp(container_, 1, std::max(1, input_->result.containers)));
}

void PlanView::Clear() {
    input_.reset();
    container_ = 0;
    rows_.clear();
    rowOfStack_.clear();
    stackOfRow_.clear();
    drawing_->Clear();
    list_->clear();
    list_->setRowCount(0);
    list_->setColumnCount(0);
    selector_->setText(QStringLiteral("Конт. — из —"));
    previous_->setEnabled(false);
    next_->setEnabled(false);
}

void PlanView::ShowContainer(int number) {
    if (!input_ || input_->result.containers < 1) {
        const std::optional<LoadingPlanInput> keep = input_;
        Clear();
        input_ = keep;
        return;
    }
    container_ = std::clamp(number, 1, input_->result.containers);
    const int count = input_->result.containers;
    selector_->setText(QStringLiteral("Конт. %1 из %2").arg(container_).arg(count));
    previous_->setEnabled(container_ > 1);
    next_->setEnabled(container_ < count);

    rows_ = MakeLoadingList(input_->result, container_, input_->container, input_->cargo,
                            input_->format);
    // The drawing takes the stacks in the order the run placed them (lying rows lower down
    // first) and numbers them as the list does.
    std::vector<std::size_t> byPlacement(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        byPlacement[i] = i;
    }
    std::sort(byPlacement.begin(), byPlacement.end(), [this](std::size_t a, std::size_t b) {
        return rows_[a].resultIndex < rows_[b].resultIndex;
    });
    ContainerLoad load;
    load.container = input_->container;
    rowOfStack_.clear();
    stackOfRow_.assign(rows_.size(), -1);
    for (const std::size_t row : byPlacement) {
        stackOfRow_[row] = static_cast<int>(load.stacks.size());
        rowOfStack_.push_back(static_cast<int>(row));
        load.stacks.push_back(rows_[row].stack);
        load.numbers.push_back(rows_[row].number);
    }
    std::optional<ContainerWeight> weight;
    QString massLine;
    const auto& weights = input_->result.weights;
    if (container_ <= static_cast<int>(weights.size())) {
        weight = weights[static_cast<std::size_t>(container_ - 1)];
        if (weight->mass) {
            massLine = Q(ContainerWeightLine(*weight, input_->container.Width, input_->format));
        }
    }
    drawing_->SetContainer(std::move(load), weight, massLine);
    FillList();
}

void PlanView::FillList() {
    const bool withMass =
        std::any_of(rows_.begin(), rows_.end(), [](const LoadingListRow& row) { return row.mass; });
    QStringList headings{QStringLiteral("№"),    QStringLiteral("Груз"),  QStringLiteral("Укладка"),
                         QStringLiteral("Мест"), QStringLiteral("x, мм"), QStringLiteral("y, мм")};
    if (withMass) {
        headings << QStringLiteral("Масса, кг");
    }
    const QSignalBlocker quiet(list_);
    list_->clear();
    list_->setColumnCount(static_cast<int>(headings.size()));
    list_->setHorizontalHeaderLabels(headings);
    list_->setRowCount(static_cast<int>(rows_.size()));
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const LoadingListRow& row = rows_[i];
        const int r = static_cast<int>(i);
        list_->setItem(r, 0, Cell(QString::number(row.number), true));
        QTableWidgetItem* cargo =
            Cell(QStringLiteral("Заказ %1: ").arg(row.stack.type) + Q(row.sizes), false);
        cargo->setData(Qt::DecorationRole,
                       ToQColor(CargoPalette::Entry(row.stack.colourIndex).colour));
        list_->setItem(r, 1, cargo);
        list_->setItem(r, 2, Cell(Q(row.lay), false));
        list_->setItem(r, 3, Cell(QString::number(row.stack.count), true));
        list_->setItem(r, 4, Cell(QString::number(row.x), true));
        list_->setItem(r, 5, Cell(QString::number(row.y), true));
        if (withMass) {
            list_->setItem(
                r, 6,
                Cell(row.mass ? Q(FormatMass(*row.mass, input_->format)) : QStringLiteral("—"),
                     true));
        }
    }
    list_->resizeColumnsToContents();
    list_->clearSelection();
}

void PlanView::SelectRow(int row) {
    list_->selectRow(row);
    if (QTableWidgetItem* item = list_->item(row, 0)) {
        list_->scrollToItem(item);
    }
}

void PlanView::StackClicked(int stack) {
    if (stack >= 0 && stack < static_cast<int>(rowOfStack_.size())) {
        SelectRow(rowOfStack_[static_cast<std::size_t>(stack)]);
    }
}

}  // namespace stowbel
