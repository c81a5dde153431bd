#include "app/main_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFrame>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>

#include "app/container_menu.h"
#include "app/container_presets.h"
#include "app/help_window.h"
#include "app/image_view.h"
#include "app/picture_redraw.h"
#include "app/splash_window.h"
#include "app/user_dialogs.h"
#include "app/user_guide.h"
#include "order/errors.h"
#include "order/examples.h"
#include "order/parser.h"
#include "output/file_error.h"
#include "output/order_file.h"
#include "output/report_file.h"
#include "output/result_files.h"
#include "scheme/raster_canvas.h"
#include "scheme/scheme_painter.h"

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

}  // namespace

AppPaths AppPaths::BesideProgram() {
    const QString dir = QCoreApplication::applicationDirPath();
    return {dir, dir + QStringLiteral("/IN"), dir + QStringLiteral("/OUT")};
}

MainWindow::MainWindow(const AppPaths& paths, UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      paths_(paths),
      dialogs_(dialogs),
      format_(NumberFormat::FromEnvironment()) {
    setObjectName(QStringLiteral("SDIAppForm"));
    setWindowTitle(QStringLiteral("Расчёт загрузки поддонов в контейнер"));
    // A missing directory surfaces later as a file error when results are written.
    QDir().mkpath(paths_.inDirectory);
    QDir().mkpath(paths_.outDirectory);

    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    CreateActions();
    CreateMenus();
    CreateToolBar();
    SetupInterface();
    CreateContainerMenu();
    pictureRedraw_ = new PictureRedraw(pictures_.Pictures(), *view2DImage_, *view3DImage_, this);

    watchTimer_ = new QTimer(this);
    watchTimer_->setObjectName(QStringLiteral("Timer1"));
    watchTimer_->setInterval(kWatchInterval);
    connect(watchTimer_, &QTimer::timeout, this, &MainWindow::watchTick);
    watchEngine_ = std::make_unique<WatchEngine>(
        WatchEngine::Options{paths_.inDirectory.toStdString(), paths_.outDirectory.toStdString()},
        [this](const std::string& path, const std::vector<std::string>& lines) {
            return ProcessWatchedOrder(path, lines);
        });

    calculateAction_->setEnabled(false);
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
    calculateAction_->setEnabled(HasSignificantLine(ToStd(OrderLines())));
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

void MainWindow::exitProgram() {
    close();
}

void MainWindow::toggleAlternation() {
    // The tick is the option: the next calculation reads it.
    alternateAction_->toggle();
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
    watchAction_->setChecked(on);
    if (on) {
        watchTimer_->start();
        statusBar()->showMessage(QStringLiteral("Дежурство: каталог ") + paths_.inDirectory);
    } else {
        watchTimer_->stop();
        statusBar()->clearMessage();
    }
    SetManualCommandsEnabled(!on);
}

void MainWindow::watchTick() {
    if (watchTickRunning_) {
        return;
    }
    watchTickRunning_ = true;
    watchEngine_->Tick();
    watchTickRunning_ = false;
}

OrderOutcome MainWindow::ProcessWatchedOrder(const std::string& path,
                                             const std::vector<std::string>& lines) {
    orderEditor_->setPlainText(JoinLines(lines));
    currentOrderFile_ = QString::fromStdString(path);
    const QString name = QFileInfo(currentOrderFile_).fileName();
    if (!HasSignificantLine(lines)) {
        const QString message = QStringLiteral("нечего рассчитывать");
        statusBar()->showMessage(name + QStringLiteral(": ") + message);
        return {OrderOutcome::Kind::Failed, message.toStdString(), -1};
    }
    const OrderOutcome outcome = Calculate(false);
    if (outcome.kind == OrderOutcome::Kind::Done) {
        statusBar()->showMessage(name + QStringLiteral(": рассчитан"));
    } else {
        const QString message = QString::fromStdString(outcome.message);
        statusBar()->showMessage(name + QStringLiteral(": ") + message);
        reportView_->appendPlainText(QStringLiteral("Ошибка: ") + message);
    }
    QCoreApplication::processEvents();  // show each order while the tick goes on
    return outcome;
}

void MainWindow::ShowReport(const std::vector<std::string>& lines) {
    reportView_->setPlainText(JoinLines(lines));
}

void MainWindow::SelectOrderLine(int lineIndex) {
    const QTextBlock block = orderEditor_->document()->findBlockByNumber(lineIndex);
    if (!block.isValid()) {
        return;
    }
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    orderEditor_->setTextCursor(cursor);
    orderEditor_->setFocus();
}

void MainWindow::calculate() {
    if (WatchModeOn() || !HasSignificantLine(ToStd(OrderLines()))) {
        return;
    }
    Calculate(true);
}

OrderOutcome MainWindow::Calculate(bool interactive) {
    const std::vector<std::string> lines = ToStd(OrderLines());
    pictures_.Pictures().SetImageSizes({view2DImage_->width(), view2DImage_->height()},
                                       {view3DImage_->width(), view3DImage_->height()},
                                       {kSummaryWidth, kSummaryHeight});
    SchemePainter painter(pictures_.Pictures());
    RunOptions options;
    options.format = format_;
    options.alternate = alternateAction_->isChecked();
    RunResult result;
    try {
        RunCalculation(lines, model_, options, painter, result);
    } catch (const OrderError& e) {
        // A faulty container line comes before the run touched the report and the pictures.
        if (result.calculated) {
            ShowReport(result.report);
            pictureRedraw_->Remember({lines, options});
        }
        view3DImage_->update();
        view2DImage_->update();
        SelectOrderLine(e.LineIndex());
        if (interactive) {
            dialogs_.ShowError(this, QString::fromStdString(e.what()));
        }
        return {OrderOutcome::Kind::Failed, e.what(), e.LineIndex()};
    }
    ShowReport(result.report);
    pictureRedraw_->Remember({lines, options});
    view3DImage_->update();
    view2DImage_->update();
    if (currentOrderFile_.isEmpty() || !QFileInfo(currentOrderFile_).isFile()) {
        return {};
    }
    try {
        StoreResults(paths_.outDirectory.toStdString(), currentOrderFile_.toStdString(),
                     ToStd(ReportLines()), pictures_.Images(), model_.container.HMAN);
    } catch (const FileError& e) {
        if (interactive) {
            dialogs_.ShowError(this, QString::fromStdString(e.what()));
        }
        return {OrderOutcome::Kind::Retry, e.what(), -1};
    }
    return {};
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
    calculateAction_->setEnabled(true);
    calculate();
}

void MainWindow::showAbout() {
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
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShowDone_) {
        firstShowDone_ = true;
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    LayoutPanels();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* splitter = qobject_cast<QFrame*>(watched);
    const int tag = splitter != nullptr ? splitter->property("tag").toInt() : 0;
    if (tag == 0) {
        return QMainWindow::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) {
                return true;
            }
            splitterDragKind_ = tag;
            splitterDragStartPos_ = mouse->globalPosition().toPoint();
            splitterDragStartSize_ = tag == 1   ? leftPanel_->width()
                                     : tag == 2 ? resultPanel_->height()
                                                : graph3DPanel_->width();
            return true;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (splitterDragKind_ == 0) {
                return true;
            }
            if (!(mouse->buttons() & Qt::LeftButton)) {
                splitterDragKind_ = 0;
                return true;
            }
            const QPoint delta = mouse->globalPosition().toPoint() - splitterDragStartPos_;
            if (splitterDragKind_ == 1) {
                leftPanel_->resize(
                    DragLeftWidth(splitterDragStartSize_, delta.x(), client_->width()),
                    leftPanel_->height());
            } else if (splitterDragKind_ == 2) {
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
            splitterDragKind_ = 0;
            return true;
        default:
            return QMainWindow::eventFilter(watched, event);
    }
}

}  // namespace stowbel
