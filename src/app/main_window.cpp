#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFrame>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QStatusBar>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <utility>

#include "app/background_calculation.h"
#include "app/container_menu.h"
#include "app/container_presets.h"
#include "app/eliding_label.h"
#include "app/help_window.h"
#include "app/image_view.h"
#include "app/panel_layout.h"
#include "app/picture_redraw.h"
#include "app/plan_method_option.h"
#include "app/splash_window.h"
#include "app/user_dialogs.h"
#include "app/user_guide.h"
#include "files/file_error.h"
#include "files/order_file.h"
#include "files/report_file.h"
#include "job/watch_job.h"
#include "order/examples.h"
#include "order/parser.h"
#include "plan/loading_plan_document.h"

namespace stowbel {

namespace {

std::vector<std::string> ToStd(const QStringList& lines) {
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines) {
        result.push_back(line.toStdString());
    }
    return result;
}

QStringList LinesOf(const QPlainTextEdit* editor) {
    const QString text = editor->toPlainText();
    if (text.isEmpty()) {
        return {};
    }
    return text.split(QLatin1Char('\n'));
}

QString JoinLines(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& line : lines) {
        list << QString::fromStdString(line);
    }
    return list.join(QLatin1Char('\n'));
}

// The error box names the faulty line below the message; the message itself stays as it is.
QString ErrorBoxText(const JobError& error) {
    QString text = QString::fromStdString(error.message);
    if (error.line > 0) {
        text += QStringLiteral("\nСтрока ") + QString::number(error.line);
    }
    return text;
}

}  // namespace

AppPaths AppPaths::BesideProgram() {
    const QString dir = QCoreApplication::applicationDirPath();
    return {dir, dir + QStringLiteral("/IN"), dir + QStringLiteral("/OUT")};
}

MainWindow::MainWindow(const AppPaths& paths, UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      paths_(paths),
      dialogs_(dialogs, {[this] { DialogOpened(); }, [this] { DialogsClosed(); }}),
      format_(NumberFormat::FromEnvironment()) {
    setObjectName(QStringLiteral("SDIAppForm"));
    setWindowTitle(QStringLiteral("Расчёт загрузки поддонов в контейнер"));
    // A missing directory surfaces later as a file error when results are written.
    QDir().mkpath(paths_.inDirectory);
    QDir().mkpath(paths_.outDirectory);

    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    // A permanent field: hints of hovered commands take the rest of the bar, never this.
    watchStatus_ = new ElidingLabel(this);
    watchStatus_->setObjectName(QStringLiteral("WatchStatus"));
    statusBar()->addPermanentWidget(watchStatus_);
    CreateActions();
    statusBar()->addPermanentWidget(planMethod_->StatusField());
    background_ = new BackgroundCalculation(this);
    CreateMenus();
    CreateToolBar();
    SetupInterface();
    CreateContainerMenu();
    pictureRedraw_ = new PictureRedraw(*view2DImage_, *view3DImage_, this);

    watchTimer_ = new QTimer(this);
    watchTimer_->setObjectName(QStringLiteral("Timer1"));
    watchTimer_->setInterval(kWatchInterval);
    connect(watchTimer_, &QTimer::timeout, this, &MainWindow::watchTick);
    watchEngine_ = std::make_unique<WatchEngine>(
        WatchEngine::Options{paths_.inDirectory.toStdString(), paths_.outDirectory.toStdString()},
        [this](const std::string& path, const std::vector<std::string>& lines) {
            return ProcessWatchedOrder(path, lines);
        },
        WatchEngine::DefaultClock,
        [this](const std::string& order, const std::string& what) {
            const QString event =
                QString::fromStdString(order.empty() ? what : order + ": " + what);
            (order.empty() ? lastWatchNotice_ : lastWatchEvent_) = event;
            ShowWatchStatus();
        });
    ShowWatchStatus();

    calculateAction_->setEnabled(false);
    printPlanAction_->setEnabled(false);
    savePlanAction_->setEnabled(false);
    connect(orderEditor_, &QPlainTextEdit::textChanged, this, &MainWindow::orderTextChanged);
    alternateAction_->setChecked(true);
    reportView_->clear();
    resize(1280, 900);
}

MainWindow::~MainWindow() = default;

QStringList MainWindow::OrderLines() const {
    return LinesOf(orderEditor_);
}
QStringList MainWindow::ReportLines() const {
    return LinesOf(reportView_);
}

void MainWindow::orderTextChanged() {
    // An example once changed is an order of its own; loading one names it after this.
    exampleName_.clear();
    // Watch mode fills the editor at every order; calculating by hand stays off meanwhile.
    calculateAction_->setEnabled(!WatchModeOn() && HasSignificantLine(ToStd(OrderLines())));
}

void MainWindow::newOrder() {
    // A new order starts with the field headers and is no longer the opened file.
    const std::vector<std::string> example = ExampleOrder("ISIN");
    orderEditor_->setPlainText(QString::fromStdString(example[0]) + QLatin1Char('\n') +
                               QString::fromStdString(example[2]) + QLatin1Char('\n'));
    currentOrderFile_.clear();
}

void MainWindow::openOrder() {
    const QString path = dialogs_.OpenFileName(this, paths_.inDirectory);
    if (path.isEmpty()) {
        return;
    }
    try {
        orderEditor_->setPlainText(JoinLines(ReadOrderFile(path.toStdString())));
        currentOrderFile_ = path;
    } catch (const FileError& e) {
        dialogs_.ShowError(this, QString::fromStdString(e.what()));
    }
}

void MainWindow::WriteReport(const QString& path) {
    try {
        SaveReport(path.toStdString(), ToStd(ReportLines()));
    } catch (const FileError& e) {
        dialogs_.ShowError(this, QString::fromStdString(e.what()));
    }
}

void MainWindow::saveReport() {
    if (saveFileName_.isEmpty()) {
        saveReportAs();
        return;
    }
    WriteReport(saveFileName_);
}

void MainWindow::saveReportAs() {
    const QString path = dialogs_.SaveFileName(this, paths_.outDirectory);
    if (path.isEmpty()) {
        return;
    }
    saveFileName_ = path;
    WriteReport(path);
}

void MainWindow::clearOrder() {
    orderEditor_->clear();
}

void MainWindow::printPlan() {
    if (!shownPlan_.Available()) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    // The print dialog offers the name for a file, so it has no colon.
    printer.setDocName(QStringLiteral("План погрузки - ") +
                       QString::fromStdString(shownPlan_.OrderName()));
    if (!dialogs_.SetUpPrinter(this, printer)) {
        return;
    }
    const bool printed = PaintLoadingPlan(printer, shownPlan_.Input());
    if (!printed || printer.printerState() == QPrinter::Error) {
        QString message = QStringLiteral("Не удалось напечатать план погрузки");
        if (!printer.outputFileName().isEmpty()) {
            message += QStringLiteral(" в файл ") + printer.outputFileName();
        }
        dialogs_.ShowError(this, message + QLatin1Char('.'));
    }
}

void MainWindow::savePlan() {
    if (!shownPlan_.Available()) {
        return;
    }
    const QString path = dialogs_.SavePlanFileName(
        this, QString::fromStdString(shownPlan_.SuggestedPath(paths_.outDirectory.toStdString())));
    if (path.isEmpty()) {
        return;
    }
    if (const std::optional<JobError> error = shownPlan_.Save(planWriter_, path.toStdString())) {
        dialogs_.ShowError(this, ErrorBoxText(*error));
        return;
    }
    statusBar()->showMessage(QStringLiteral("План погрузки сохранён: ") + path, 5000);
}

void MainWindow::exitProgram() {
    close();
}

bool MainWindow::WatchModeOn() const {
    return watchTimer_->isActive();
}

void MainWindow::SetManualCommandsEnabled(bool enabled) {
    // While watch mode fills the editor, nothing may replace its text or calculate by hand.
    orderEditor_->setReadOnly(!enabled);
    for (QAction* action : {newAction_, openAction_, clearAction_, examplesAction_}) {
        action->setEnabled(enabled);
    }
    for (QWidget* button : manualButtons_) {
        button->setEnabled(enabled);
    }
    if (enabled) {
        orderTextChanged();
    } else {
        calculateAction_->setEnabled(false);
    }
}

void MainWindow::toggleWatchMode() {
    const bool on = !watchTimer_->isActive();
    // The menu item and the tool button both show the state, whichever was clicked.
    watchAction_->setChecked(on);
    watchToolAction_->setChecked(on);
    if (on) {
        watchTimer_->start();
    } else {
        watchTimer_->stop();
        watchTickInterrupted_ = true;
        watchTickDeferred_ = false;
    }
    SetManualCommandsEnabled(!on);
    ShowWatchStatus();
}

void MainWindow::ShowWatchStatus() {
    const bool on = WatchModeOn();
    QStringList line{on ? QStringLiteral("Дежурство: включено")
                        : QStringLiteral("Дежурство: выключено")};
    QStringList details{on ? QStringLiteral("Дежурство включено: каталог IN проверяется "
                                            "каждые %1 с")
                                 .arg(kWatchInterval / 1000)
                           : QStringLiteral("Дежурство выключено")};
    const std::string& inputProblem = watchEngine_->InputProblem();
    if (!inputProblem.empty()) {
        line << QStringLiteral("каталог IN недоступен");
        details << QString::fromStdString("Каталог IN недоступен: " + inputProblem);
    }
    QStringList unmoved;
    for (const UnmovedOrder& order : watchEngine_->UnmovedOrders()) {
        unmoved << QString::fromStdString(order.name);
        details << QString::fromStdString("Не перенесён из IN: " + order.name + " (" +
                                          order.reason + ")");
    }
    if (!unmoved.isEmpty()) {
        line << QStringLiteral("не перенесены из IN: ") + unmoved.join(QStringLiteral(", "));
    }
    if (!lastWatchEvent_.isEmpty()) {
        line << QStringLiteral("последний заказ: ") + lastWatchEvent_;
        details << QStringLiteral("Последний заказ: ") + lastWatchEvent_;
    }
    if (!lastWatchNotice_.isEmpty()) {
        details << QStringLiteral("Последнее сообщение: ") + lastWatchNotice_;
    }
    details << QStringLiteral("Каталог заказов: ") + paths_.inDirectory
            << QStringLiteral("Каталог результатов: ") + paths_.outDirectory;
    watchStatus_->setText(line.join(QStringLiteral("; ")));
    watchStatus_->setToolTip(details.join(QLatin1Char('\n')));
}

void MainWindow::DialogOpened() {
    // A dialog opened while a tick shows its orders: the tick stops after the current order.
    watchTickInterrupted_ = true;
}

void MainWindow::DialogsClosed() {
    if (watchTickDeferred_ && WatchModeOn()) {
        QTimer::singleShot(0, this, &MainWindow::watchTick);
    }
}

void MainWindow::watchTick() {
    if (!WatchModeOn()) {
        return;
    }
    // A tick behind an open dialog would replace the order and the report the user is working
    // with (a Save As would save another order's report).
    if (watchTickRunning_ || dialogs_.AnyOpen() || QApplication::activeModalWidget() != nullptr) {
        watchTickDeferred_ = true;
        return;
    }
    watchTickDeferred_ = false;
    watchTickRunning_ = true;
    watchTickInterrupted_ = false;
    try {
        watchEngine_->Tick(&watchTickInterrupted_);
    } catch (...) {
        // The engine answers for every order itself; nothing may reach the event loop.
        lastWatchNotice_ = QStringLiteral("сбой при просмотре каталога IN");
    }
    watchTickRunning_ = false;
    if (watchTickInterrupted_ && WatchModeOn()) {
        watchTickDeferred_ = true;
    }
    ShowWatchStatus();
    if (watchTickDeferred_ && !dialogs_.AnyOpen()) {
        QTimer::singleShot(0, this, &MainWindow::watchTick);
    }
}

OrderOutcome MainWindow::ProcessWatchedOrder(const std::string& path,
                                             const std::vector<std::string>& lines) {
    // Shown as they are calculated: the order file's own lines, then the report the job stored.
    orderEditor_->setPlainText(JoinLines(lines));
    currentOrderFile_ = QString::fromStdString(path);
    lastWatchEvent_ = QFileInfo(currentOrderFile_).fileName() + QStringLiteral(": расчёт");
    ShowWatchStatus();
    CalculationJob job = NewJob(lines);
    job.SetOrderName(path);
    const CalculationJob drawing = job;
    job.StoreResultsIn(paths_.outDirectory.toStdString(), path);
    StorePlanWhenAsked(job);
    const JobResult result = job.Run();
    ShowResult(drawing, result);
    if (result.error) {
        const JobError& error = *result.error;
        QString described = QString::fromStdString(error.message);
        if (error.line > 0) {
            described = QStringLiteral("строка ") + QString::number(error.line) +
                        QStringLiteral(": ") + described;
            SelectOrderLine(error.line);
        }
        reportView_->appendPlainText(QStringLiteral("Ошибка: ") + described);
    }
    QCoreApplication::processEvents();  // show each order while the tick goes on
    return WatchOutcome(result);
}

CalculationJob MainWindow::NewJob(std::vector<std::string> lines) const {
    PictureSizes sizes;
    sizes.scheme2D = {view2DImage_->width(), view2DImage_->height()};
    sizes.view3D = {view3DImage_->width(), view3DImage_->height()};
    sizes.summary = kDefaultSummarySize;
    CalculationJob job;
    job.SetOrderLines(std::move(lines))
        .SetNumberFormat(format_)
        .SetAlternate(alternateAction_->isChecked())
        .SetPlanMethod(planMethod_->Chosen())
        .SetPictureSizes(sizes)
        .SetShownPictures(PictureSet::Shown())
        .SetPictureMaker(&pictureMaker_);
    return job;
}

void MainWindow::StorePlanWhenAsked(CalculationJob& job) const {
    if (storePlanOption_->isChecked()) {
        job.WritePlan(&planWriter_);
    }
}

void MainWindow::RememberPlan(const CalculationJob& drawing, const JobResult& result) {
    // A faulty order has no plan, as in watch mode and on the command line; results that could
    // not be stored leave the calculation whole.
    const bool whole = !result.error || result.error->kind == JobError::Kind::File;
    if (result.run.calculated && whole) {
        shownPlan_.Remember(drawing);
    } else {
        shownPlan_.Forget();
    }
    printPlanAction_->setEnabled(shownPlan_.Available());
    savePlanAction_->setEnabled(shownPlan_.Available());
}

void MainWindow::ShowResult(const CalculationJob& drawing, const JobResult& result) {
    RememberPlan(drawing, result);
    if (!result.run.calculated) {
        return;  // a faulty container line comes before the run touched anything
    }
    ShowReport(result.run.report);
    planMethod_->ShowPlanMethod(result.run.method);
    view3DImage_->SetPicture(ImageOf(result.pictures.view3D));
    view2DImage_->SetPicture(ImageOf(result.pictures.scheme2D));
    pictureRedraw_->Remember(drawing, result.record);
}

void MainWindow::ShowReport(const std::vector<std::string>& lines) {
    reportView_->setPlainText(JoinLines(lines));
}

void MainWindow::SelectOrderLine(int line) {
    const QTextBlock block = orderEditor_->document()->findBlockByNumber(line - 1);
    if (!block.isValid()) {
        return;
    }
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    orderEditor_->setTextCursor(cursor);
    orderEditor_->setFocus();
}

void MainWindow::calculate() {
    if (WatchModeOn()) {
        return;
    }
    std::vector<std::string> lines = ToStd(OrderLines());
    if (!HasSignificantLine(lines)) {
        return;  // the tool button stays enabled; an empty order is simply not calculated
    }
    CalculationJob job = NewJob(std::move(lines));
    job.SetOrderName(currentOrderFile_.toStdString(), exampleName_.toStdString());
    const CalculationJob drawing = job;
    // Results are stored only for an order that came from an existing file.
    if (!currentOrderFile_.isEmpty() && QFileInfo(currentOrderFile_).isFile()) {
        job.StoreResultsIn(paths_.outDirectory.toStdString(), currentOrderFile_.toStdString());
        StorePlanWhenAsked(job);
    }
    const JobResult result = background_->Run(job);
    if (result.cancelled) {
        return;  // the previous result stays shown
    }
    ShowResult(drawing, result);
    if (!result.error) {
        return;
    }
    if (result.error->kind == JobError::Kind::Order) {
        SelectOrderLine(result.error->line);
    }
    dialogs_.ShowError(this, ErrorBoxText(*result.error));
}

int MainWindow::chooseExample() {
    return dialogs_.chooseExample(this);
}

void MainWindow::showExamples() {
    switch (chooseExample()) {
        case 1:
            loadExample(QStringLiteral("HMAN"));
            break;
        case 2:
            loadExample(QStringLiteral("ISIN"));
            break;
        default:
            break;
    }
}

void MainWindow::loadExample(const QString& name) {
    if (WatchModeOn()) {
        return;
    }
    orderEditor_->setUpdatesEnabled(false);
    orderEditor_->setPlainText(JoinLines(ExampleOrder(name.toStdString())));
    orderEditor_->setUpdatesEnabled(true);
    reportView_->clear();
    // An example is no order file: nothing is stored, and Save asks for a name.
    currentOrderFile_.clear();
    saveFileName_.clear();
    exampleName_ = name;
    calculateAction_->setEnabled(true);
    calculate();
}

void MainWindow::showAbout() {
    const TrackedDialogs::Scope dialog(dialogs_);
    SplashWindow splash(paths_.programDirectory);
    splash.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(&splash, &SplashWindow::Clicked, &loop, &QEventLoop::quit);
    splash.show();
    loop.exec();
}

void MainWindow::openUserGuide() {
    const GuideFiles files = GuideFiles::In(paths_.programDirectory);
    switch (
        OpenUserGuide(files, [this](const QString& path) { return dialogs_.OpenDocument(path); })) {
        case GuideOutcome::OpenedByDesktop:
            break;
        case GuideOutcome::ShowHtml:
            ShowHelpWindow(files.html);
            break;
        case GuideOutcome::NotFound:
            dialogs_.ShowMessage(this,
                                 QStringLiteral("Файл руководства не найден:\r\n") + files.chm);
            break;
        case GuideOutcome::CannotOpen:
            dialogs_.ShowMessage(this,
                                 QStringLiteral("Не удалось открыть руководство пользователя."));
            break;
    }
}

void MainWindow::ShowHelpWindow(const QString& htmlPath) {
    auto* help = findChild<HelpWindow*>();
    if (help == nullptr) {
        help = new HelpWindow(this);
    }
    help->ShowGuide(htmlPath);
}

void MainWindow::CreateContainerMenu() {
    auto* containers = new ContainerMenu(
        paths_.programDirectory + QLatin1Char('/') + QLatin1String(kContainerPresetsFile),
        *orderEditor_, this);
    // Between "Параметры" and "Помощь".
    QAction* help = findChild<QAction*>(QStringLiteral("Help1Action"));
    menuBar()->insertMenu(help, containers);
    connect(containers, &ContainerMenu::Applied, this,
            [this](const QString& message) { statusBar()->showMessage(message, 5000); });
}

void MainWindow::LayoutPanels() {
    if (client_ == nullptr) {
        return;
    }
    LayoutInput input;
    input.clientWidth = client_->width();
    input.clientHeight = client_->height();
    input.leftWidth = leftPanel_->width();
    input.resultHeight = resultPanel_->height();
    input.graph3DWidth = graph3DPanel_->width();
    input.graph3DWidthSet = graph3DWidthSet_;
    const PanelBounds b = stowbel::LayoutPanels(input);
    const auto place = [](QWidget* w, const PaneRect& r) {
        w->setGeometry(r.left, r.top, r.width, r.height);
    };
    place(leftPanel_, b.leftPanel);
    place(leftSplitter_, b.leftSplitter);
    place(workPanel_, b.workPanel);
    place(resultPanel_, b.resultPanel);
    place(topSplitter_, b.topSplitter);
    place(graphPanel_, b.graphPanel);
    place(graph3DPanel_, b.graph3DPanel);
    place(graphSplitter_, b.graphSplitter);
    place(graph2DPanel_, b.graph2DPanel);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutPanels();
    watchStatus_->setMaximumWidth(width() / 2);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShowDone_) {
        firstShowDone_ = true;
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    LayoutPanels();
}

MainWindow::Splitter MainWindow::SplitterOf(const QObject* object) const {
    if (object == nullptr) {
        return Splitter::None;
    }
    if (object == leftSplitter_) {
        return Splitter::Left;
    }
    if (object == topSplitter_) {
        return Splitter::Top;
    }
    return object == graphSplitter_ ? Splitter::Graph : Splitter::None;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const Splitter splitter = SplitterOf(watched);
    if (splitter == Splitter::None) {
        return QMainWindow::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) {
                return true;
            }
            splitterDragKind_ = splitter;
            splitterDragStartPos_ = mouse->globalPosition().toPoint();
            splitterDragStartSize_ = splitter == Splitter::Left  ? leftPanel_->width()
                                     : splitter == Splitter::Top ? resultPanel_->height()
                                                                 : graph3DPanel_->width();
            return true;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (splitterDragKind_ == Splitter::None) {
                return true;
            }
            if (!(mouse->buttons() & Qt::LeftButton)) {
                splitterDragKind_ = Splitter::None;
                return true;
            }
            const QPoint delta = mouse->globalPosition().toPoint() - splitterDragStartPos_;
            if (splitterDragKind_ == Splitter::Left) {
                leftPanel_->resize(
                    DragLeftWidth(splitterDragStartSize_, delta.x(), client_->width()),
                    leftPanel_->height());
            } else if (splitterDragKind_ == Splitter::Top) {
                resultPanel_->resize(
                    resultPanel_->width(),
                    DragResultHeight(splitterDragStartSize_, delta.y(), workPanel_->height()));
            } else {
                graph3DWidthSet_ = true;
                graph3DPanel_->resize(
                    DragGraph3DWidth(splitterDragStartSize_, delta.x(), graphPanel_->width()),
                    graph3DPanel_->height());
            }
            LayoutPanels();
            update();
            return true;
        }
        case QEvent::MouseButtonRelease:
            splitterDragKind_ = Splitter::None;
            return true;
        default:
            return QMainWindow::eventFilter(watched, event);
    }
}

}  // namespace stowbel
