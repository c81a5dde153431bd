// Building the main window: panes, splitters, menu and tool bar.
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/image_view.h"
#include "app/main_window.h"
#include "app/panel_layout.h"
#include "app/plan_method_option.h"
#include "app/scheme_view.h"
#include "app/tool_icons.h"

namespace stowbel {

namespace {

QPlainTextEdit* CreateEditor(const char* name, QWidget* parent) {
    auto* editor = new QPlainTextEdit(parent);
    editor->setObjectName(QString::fromLatin1(name));
    // The lines the program reads are the text's own lines: long ones scroll, never wrap.
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return editor;
}

void FillWith(QWidget* pane, QWidget* content) {
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(content);
}

}  // namespace

QFrame* MainWindow::CreatePane(const char* name, QWidget* parent, int minWidth, int minHeight) {
    auto* pane = new QFrame(parent);
    pane->setObjectName(QString::fromLatin1(name));
    pane->setMinimumSize(minWidth, minHeight);
    return pane;
}

QFrame* MainWindow::CreateSplitter(const char* name, QWidget* parent, Qt::CursorShape cursor) {
    auto* splitter = new QFrame(parent);
    splitter->setObjectName(QString::fromLatin1(name));
    splitter->setFrameStyle(QFrame::Panel | QFrame::Raised);
    splitter->setAutoFillBackground(true);
    splitter->setCursor(cursor);
    splitter->resize(kSplitterThickness, kSplitterThickness);
    return splitter;
}

void MainWindow::AddSchemeView(QFrame* pane, const char* titleName, const QString& title,
                               ImageView*& view) {
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* label = new QLabel(title, pane);
    label->setObjectName(QString::fromLatin1(titleName));
    label->setFixedHeight(kTitleHeight);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont font = label->font();
    font.setPointSize(14);
    label->setFont(font);
    layout->addWidget(label);
    view = new SchemeView(pane);
    view->setObjectName(QStringLiteral("Image1"));
    layout->addWidget(view, 1);
}

void MainWindow::SetupInterface() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client_);

    leftPanel_ = CreatePane("LeftPanel", client_, kMinLeftWidth, 0);
    leftPanel_->resize(kInitialLeftWidth, leftPanel_->height());
    leftSplitter_ = CreateSplitter("LeftSplitter", client_, Qt::SizeHorCursor);
    workPanel_ = CreatePane("WorkPanel", client_, 0, 0);
    resultPanel_ = CreatePane("ResultPanel", workPanel_, 0, kMinResultHeight);
    resultPanel_->resize(resultPanel_->width(), kInitialResultHeight);
    topSplitter_ = CreateSplitter("TopSplitter", workPanel_, Qt::SizeVerCursor);
    graphPanel_ = CreatePane("GraphPanel", workPanel_, 0, 0);
    graph3DPanel_ = CreatePane("Graph3DPanel", graphPanel_, kMinGraphPaneWidth, 0);
    graph3DPanel_->resize(kInitialGraph3DWidth, graph3DPanel_->height());
    graphSplitter_ = CreateSplitter("GraphSplitter", graphPanel_, Qt::SizeHorCursor);
    graph2DPanel_ = CreatePane("Graph2DPanel", graphPanel_, kMinGraphPaneWidth, 0);

    orderEditor_ = CreateEditor("Memo1", leftPanel_);
    FillWith(leftPanel_, orderEditor_);
    reportView_ = CreateEditor("Memo2", resultPanel_);
    FillWith(resultPanel_, reportView_);
    AddSchemeView(graph3DPanel_, "Title3D", QStringLiteral("3D-схема"), view3DImage_);
    AddSchemeView(graph2DPanel_, "Title2D", QStringLiteral("2D-схема"), view2DImage_);
    paneLayout_ =
        new PaneLayout({client_, leftPanel_, leftSplitter_, workPanel_, resultPanel_, topSplitter_,
                        graphPanel_, graph3DPanel_, graphSplitter_, graph2DPanel_},
                       *this);
}

void MainWindow::SetTooltipHint(QAction* action, const QString& hint) {
    action->setStatusTip(hint);
    action->setToolTip(hint);
}

void MainWindow::CreateActions() {
    const auto make = [this](const char* name, const QString& caption, const QString& hint) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setStatusTip(hint);
        return action;
    };
    newAction_ = make("FileNewItem", "&Создать", "Создать файл исходных данных");
    newAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    openAction_ = make("FileOpenItem", "&Открыть", "Открыть файл исходных данных");
    openAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    saveAction_ = make("FileSaveItem", "&Сохранить", "Сохранить файл исходных данных");
    saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAsAction_ = make("FileSaveAsItem", "Сохранить &как...",
                         "Сохранить файл исходных данных под другим именем");
    examplesAction_ = make("DemoItem", "&Примеры...",
                           "Загрузить демонстрационный набор исходных данных и рассчитать его");
    clearAction_ = make("N4", "Очистить", "");
    exitAction_ = make("FileExitItem", "В&ыход", "Выйти из программы");
    calculateAction_ = make("N2", "&Расчёт", "Вычисление загрузки");
    calculateAction_->setShortcut(QKeySequence(Qt::Key_F9));
    watchAction_ =
        make("CutItem", "Поставить на &дежурство",
             "Проверять каталог IN постоянно и выполнять расчёт при появлении в нём файла "
             "исходных данных");
    watchAction_->setCheckable(true);
    alternateAction_ = make("N3", "Чередовать выравнивание", "");
    alternateAction_->setCheckable(true);
    planMethod_ = new PlanMethodOption(this);
    printPlanAction_ = make("FilePrintPlanItem", "&Печать плана...", "");
    SetTooltipHint(printPlanAction_,
                   "Напечатать план погрузки последнего расчёта: обзор заказа и по странице на "
                   "каждый контейнер");
    printPlanAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    savePlanAction_ = make("FileSavePlanItem", "Сохранить план в PD&F...", "");
    SetTooltipHint(savePlanAction_, "Сохранить план погрузки последнего расчёта в файл PDF");
    storePlanOption_ = make("StorePlanItem", "Сохранять план погрузки в PDF", "");
    SetTooltipHint(storePlanOption_,
                   "Сохранять в каталог OUT рядом с отчётом и рисунками план погрузки "
                   "(r<имя заказа>.pdf)");
    storePlanOption_->setCheckable(true);
    aboutAction_ = make("HelpAboutItem", "&О программе", "версия программы и информация об авторе");
    userGuideAction_ = make("N5", "Руководство пользователя", "");
    userGuideAction_->setShortcut(QKeySequence(Qt::Key_F1));

    connect(newAction_, &QAction::triggered, this, &MainWindow::newOrder);
    connect(openAction_, &QAction::triggered, this, &MainWindow::openOrder);
    connect(saveAction_, &QAction::triggered, this, &MainWindow::saveReport);
    connect(saveAsAction_, &QAction::triggered, this, &MainWindow::saveReportAs);
    connect(examplesAction_, &QAction::triggered, this, &MainWindow::showExamples);
    connect(clearAction_, &QAction::triggered, this, &MainWindow::clearOrder);
    connect(printPlanAction_, &QAction::triggered, this, &MainWindow::printPlan);
    connect(savePlanAction_, &QAction::triggered, this, &MainWindow::savePlan);
    connect(exitAction_, &QAction::triggered, this, &MainWindow::exitProgram);
    connect(calculateAction_, &QAction::triggered, this, &MainWindow::calculate);
    connect(watchAction_, &QAction::triggered, this, &MainWindow::toggleWatchMode);
    // The option item is checkable: choosing it flips the tick, and the next calculation reads it.
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::showAbout);
    connect(userGuideAction_, &QAction::triggered, this, &MainWindow::openUserGuide);
}

void MainWindow::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    const auto menu = [bar](const char* name, const QString& caption, const QString& hint) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Action"));
        m->menuAction()->setStatusTip(hint);
        m->setToolTipsVisible(false);
        return m;
    };
    QMenu* file = menu("File1", "&Файл", "Исходные данные");
    file->addAction(newAction_);
    file->addAction(openAction_);
    file->addAction(saveAction_);
    file->addAction(saveAsAction_);
    file->addSeparator()->setObjectName(QStringLiteral("PlanSeparator"));
    file->addAction(printPlanAction_);
    file->addAction(savePlanAction_);
    file->addSeparator()->setObjectName(QStringLiteral("ExamplesSeparator"));
    file->addAction(examplesAction_);
    file->addAction(clearAction_);
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    file->addAction(exitAction_);
    bar->addAction(calculateAction_);
    QMenu* watch = menu("Edit1", "&Дежурство",
                        "Работа в фоновом режиме - расчёт при появлении файла в каталоге IN");
    watch->addAction(watchAction_);
    QMenu* options = menu("N3D1", "Параметры", "");
    options->addAction(alternateAction_);
    options->addAction(planMethod_->Action());
    options->addAction(storePlanOption_);
    QMenu* help = menu("Help1", "&Помощь", "Руководство пользователя");
    help->addAction(aboutAction_);
    help->addAction(userGuideAction_);
}

void MainWindow::CreateToolBar() {
    // The title names the bar in the window's context menu.
    toolBar_ = addToolBar(QStringLiteral("Панель инструментов"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(kToolIconSize, kToolIconSize));
    struct Button {
        const char* name;
        const char* hint;
        ToolIcon icon;
        void (MainWindow::*handler)();
    };
    const Button buttons[] = {
        {"ToolButton1", "Открыть", ToolIcon::Open, &MainWindow::openOrder},
        {"ToolButton7", "Расчет", ToolIcon::Calculate, &MainWindow::calculate},
        {"ToolButton2", "Сохранить", ToolIcon::Save, &MainWindow::saveReport},
        {"ToolButton3", "Сохранить как...", ToolIcon::SaveAs, &MainWindow::saveReportAs},
        {"ToolButton5", "Дежурство", ToolIcon::Watch, &MainWindow::toggleWatchMode},
        {"ToolButtonDemo", "Примеры", ToolIcon::Examples, &MainWindow::showExamples},
        {"ToolButton6", "Выход", ToolIcon::Exit, &MainWindow::exitProgram},
    };
    for (const Button& b : buttons) {
        auto* action = new QAction(MakeToolIcon(b.icon), QString::fromUtf8(b.hint), this);
        action->setObjectName(QString::fromLatin1(b.name) + QStringLiteral("Action"));
        SetTooltipHint(action, QString::fromUtf8(b.hint));
        connect(action, &QAction::triggered, this, b.handler);
        if (b.handler == &MainWindow::toggleWatchMode) {
            // Pressed while watch mode is on.
            action->setCheckable(true);
            watchToolAction_ = action;
        }
        toolBar_->addAction(action);
        QWidget* button = toolBar_->widgetForAction(action);
        button->setObjectName(QString::fromLatin1(b.name));
        if (b.handler == &MainWindow::openOrder || b.handler == &MainWindow::calculate ||
            b.handler == &MainWindow::showExamples) {
            manualButtons_.push_back(button);
        }
    }
}

}  // namespace stowbel
