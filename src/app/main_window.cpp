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
#include <QPlainTextEdit>
#include <QPrinter>
#include <QStatusBar>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <utility>

#include "app/about_box.h"
#include "app/background_calculation.h"
#include "app/container_menu.h"
#include "app/container_presets.h"
#include "app/eliding_label.h"
#include "app/help_window.h"
#include "app/image_view.h"
#include "app/panel_layout.h"
#include "app/picture_redraw.h"
#include "app/plan_method_option.h"
#include "app/plan_view.h"
#include "app/result_marks.h"
#include "app/scheme_view.h"
#include "app/screen_pictures.h"
#include "app/splash_window.h"
#include "app/user_dialogs.h"
#include "app/user_guide.h"
#include "app/watch_schedule.h"
#include "files/file_error.h"
#include "files/order_file.h"
#include "files/report_file.h"
#include "job/watch_job.h"
#include "order/examples.h"
#include "order/parser.h"
#include "plan/loading_plan.h"
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
    setWindowTitle(OrderTitle::Caption());
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
    static_cast<SchemeView*>(view3DImage_)->SetMinRestScale(kMin3DShownScale);
    static_cast<SchemeView*>(view2DImage_)->SetMinRestScale(kMin2DShownScale);
    connect(pictureRedraw_, &PictureRedraw::Redrawn, this, &MainWindow::ShowSchemeCoverage);
    resultMarks_ = new ResultMarks(this);
    resultMarks_->AddReportView(reportView_->viewport());
    resultMarks_->AddPictureView(view3DImage_);
    resultMarks_->AddPictureView(view2DImage_);
    CreatePlanView();

    watchSchedule_ = new WatchSchedule(
        "Timer1", kWatchInterval,
        {[this](const std::atomic<bool>* interrupted) { RunWatchTick(interrupted); },
         [this] { return dialogs_.AnyOpen(); },
         [] { return QApplication::activeModalWidget() != nullptr; }},
        this);
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
    connect(orderEditor_, &QPlainTextEdit::textChanged, this, [this] {
        resultMarks_->OrderChanged();
        title_.Edited();
        setWindowTitle(title_.Text());
    });
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
    OrderLoaded(QStringLiteral("Новый заказ"));
    ClearResult();
}

void MainWindow::OrderLoaded(const QString& name) {
    title_.Loaded(name);
    setWindowTitle(title_.Text());
}

void MainWindow::ClearResult() {
    reportView_->clear();
    view3DImage_->SetPicture(QImage());
    view2DImage_->SetPicture(QImage());
    pictureRedraw_->Forget();
    shownContainers_ = 0;
    ShowSchemeCoverage();
    planView_->Clear();
    shownPlan_.Forget();
    printPlanAction_->setEnabled(false);
    savePlanAction_->setEnabled(false);
    resultMarks_->Cleared();
}

void MainWindow::openOrder() {
    const QString path = dialogs_.OpenFileName(this, paths_.inDirectory);
    if (path.isEmpty()) {
        return;
    }
    try {
        orderEditor_->setPlainText(JoinLines(ReadOrderFile(path.toStdString())));
        currentOrderFile_ = path;
        OrderLoaded(QFileInfo(path).fileName());
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
    return watchSchedule_->IsOn();
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
    const bool on = !WatchModeOn();
    // The menu item and the tool button both show the state, whichever was clicked.
    watchAction_->setChecked(on);
    watchToolAction_->setChecked(on);
    if (on) {
        watchSchedule_->Start();
    } else {
        watchSchedule_->Stop();
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
    if (watchSchedule_ != nullptr) {
        watchSchedule_->DialogOpened();
    }
}

void MainWindow::DialogsClosed() {
    if (watchSchedule_ != nullptr) {
        watchSchedule_->DialogsClosed();
    }
}

void MainWindow::watchTick() {
    watchSchedule_->Tick();
}

void MainWindow::RunWatchTick(const std::atomic<bool>* interrupted) {
    try {
        watchEngine_->Tick(interrupted);
    } catch (...) {
        // The engine answers for every order itself; nothing may reach the event loop.
        lastWatchNotice_ = QStringLiteral("сбой при просмотре каталога IN");
    }
    ShowWatchStatus();
}

OrderOutcome MainWindow::ProcessWatchedOrder(const std::string& path,
                                             const std::vector<std::string>& lines) {
    // Shown as they are calculated: the order file's own lines, then the report the job stored.
    orderEditor_->setPlainText(JoinLines(lines));
    currentOrderFile_ = QString::fromStdString(path);
    OrderLoaded(QFileInfo(currentOrderFile_).fileName());
    lastWatchEvent_ = QFileInfo(currentOrderFile_).fileName() + QStringLiteral(": расчёт");
    ShowWatchStatus();
    CalculationJob job = NewJob(lines);
    job.SetOrderName(path);
    job.StoreResultsIn(paths_.outDirectory.toStdString(), path);
    StorePlanWhenAsked(job);
    const JobResult result = job.Run();
    ShowResult(job, result);
    if (result.error && result.error->line > 0) {
        SelectOrderLine(result.error->line);
    }
    QCoreApplication::processEvents();  // show each order while the tick goes on
    return WatchOutcome(result);
}

CalculationJob MainWindow::NewJob(std::vector<std::string> lines) const {
    PictureSizes sizes;
    sizes.scheme2D = Scheme2DDrawingSize(view2DImage_->size());
    sizes.view3D = View3DDrawingSize(view3DImage_->size());
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

void MainWindow::RememberPlan(const CalculationJob& job, const JobResult& result) {
    // A faulty order has no plan, as in watch mode and on the command line; results that could
    // not be stored leave the calculation whole.
    const bool whole = !result.error || result.error->kind == JobError::Kind::File;
    if (result.record->run.calculated && whole) {
        shownPlan_.Remember(result.record, pictureMaker_, job.OrderFile(), job.ExampleName());
    } else {
        shownPlan_.Forget();
    }
    printPlanAction_->setEnabled(shownPlan_.Available());
    savePlanAction_->setEnabled(shownPlan_.Available());
}

void MainWindow::ShowResult(const CalculationJob& job, const JobResult& result) {
    RememberPlan(job, result);
    const RunResult& run = result.record->run;
    // After an order error the report keeps the lines made before the faulty line and ends
    // with the error, and the pictures say that they are no result; a faulty container line
    // leaves no pictures at all.
    const bool orderError = result.error && result.error->kind == JobError::Kind::Order;
    std::vector<std::string> report = run.report;
    if (result.error) {
        const JobError& error = *result.error;
        std::string described = error.message;
        if (error.line > 0) {
            described = "строка " + std::to_string(error.line) + ": " + described;
        }
        report.push_back("Ошибка: " + described);
    }
    ShowReport(report);
    planMethod_->ShowPlanMethod(run.method);
    view3DImage_->SetPicture(ImageOf(result.pictures.view3D));
    view2DImage_->SetPicture(ImageOf(result.pictures.scheme2D));
    pictureRedraw_->Remember(result.record, pictureMaker_);
    shownContainers_ = 0;
    if (run.calculated) {
        LoadingPlanInput plan = MakeLoadingPlanInput(*result.record);
        shownContainer_ = plan.container;
        shownContainers_ = run.containers;
        planView_->ShowPlan(std::move(plan));
    } else {
        planView_->Clear();
    }
    ShowSchemeCoverage();
    resultMarks_->ResultShown(orderError, orderError ? result.error->line : 0);
}

void MainWindow::ShowSchemeCoverage() {
    auto* view = static_cast<SchemeView*>(view2DImage_);
    const QSize picture = view->Picture().size();
    if (shownContainers_ == 0 || picture.isEmpty()) {
        view->SetCoverage(QString(), picture.height());
        return;
    }
    const Scheme2DCoverage coverage =
        CoverageOf2DScheme({picture.width(), picture.height()}, shownContainer_, shownContainers_);
    view->SetCoverage(ShownContainersNote(coverage.whole, shownContainers_), coverage.cutFrom);
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
    // Results are stored only for an order that came from an existing file.
    if (!currentOrderFile_.isEmpty() && QFileInfo(currentOrderFile_).isFile()) {
        job.StoreResultsIn(paths_.outDirectory.toStdString(), currentOrderFile_.toStdString());
        StorePlanWhenAsked(job);
    }
    const JobResult result = background_->Run(job);
    if (result.cancelled) {
        return;  // the previous result stays shown
    }
    ShowResult(job, result);
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
    OrderLoaded(QStringLiteral("Пример ") + name);
    calculateAction_->setEnabled(true);
    calculate();
}

void MainWindow::showAbout() {
    // What the program is for and which version it is, over its own picture.
    const TrackedDialogs::Scope dialog(dialogs_);
    AboutBox about(this);
    about.exec();
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
    if (paneLayout_ != nullptr) {
        paneLayout_->Apply();
    }
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

}  // namespace stowbel
