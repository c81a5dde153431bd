#include "app/main_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFrame>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/image_view.h"
#include "app/splash_form.h"
#include "app/user_dialogs.h"
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

constexpr const char* kGuideFile = "Stowbel_UserGuide_RU.chm";

}  // namespace

AppPaths AppPaths::BesideProgram() {
    const QString dir = QCoreApplication::applicationDirPath();
    return {dir, dir + QStringLiteral("/IN"), dir + QStringLiteral("/OUT")};
}

TSDIAppForm::TSDIAppForm(const AppPaths& paths, UserDialogs& dialogs, QWidget* parent)
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

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(kWatchInterval);
    connect(timer1_, &QTimer::timeout, this, &TSDIAppForm::Timer1Timer);
    watchEngine_ = std::make_unique<WatchEngine>(
        WatchEngine::Options{paths_.inDirectory.toStdString(), paths_.outDirectory.toStdString()},
        [this](const std::string& path, const std::vector<std::string>& lines) {
            return ProcessWatchedOrder(path, lines);
        });

    n2_->setEnabled(false);
    connect(memo1_, &QPlainTextEdit::textChanged, this, &TSDIAppForm::Memo1Change);
    n3_->setChecked(true);
    memo2_->clear();
    resize(1280, 900);
}

TSDIAppForm::~TSDIAppForm() = default;

QStringList TSDIAppForm::OrderLines() const {
    return LinesOf(memo1_);
}
QStringList TSDIAppForm::ReportLines() const {
    return LinesOf(memo2_);
}

void TSDIAppForm::Memo1Change() {
    n2_->setEnabled(HasSignificantLine(ToStd(OrderLines())));
}

void TSDIAppForm::FileNew1Execute() {
    // A new order starts with the field headers and is no longer the opened file.
    const std::vector<std::string> example = ExampleOrder("ISIN");
    memo1_->setPlainText(QString::fromStdString(example[0]) + QLatin1Char('\n') +
                         QString::fromStdString(example[2]) + QLatin1Char('\n'));
    currentOrderFile_.clear();
}

void TSDIAppForm::FileOpenItemClick() {
    const QString path = dialogs_.OpenFileName(this, paths_.inDirectory);
    if (path.isEmpty()) {
        return;
    }
    try {
        memo1_->setPlainText(JoinLines(ReadOrderFile(path.toStdString())));
        currentOrderFile_ = path;
    } catch (const FileError& e) {
        dialogs_.ShowError(this, QString::fromStdString(e.what()));
    }
}

void TSDIAppForm::WriteReport(const QString& path) {
    try {
        SaveReport(path.toStdString(), ToStd(ReportLines()));
    } catch (const FileError& e) {
        dialogs_.ShowError(this, QString::fromStdString(e.what()));
    }
}

void TSDIAppForm::FileSaveItemClick() {
    if (saveFileName_.isEmpty()) {
        FileSaveAsItemClick();
        return;
    }
    WriteReport(saveFileName_);
}

void TSDIAppForm::FileSaveAsItemClick() {
    const QString path = dialogs_.SaveFileName(this, paths_.outDirectory);
    if (path.isEmpty()) {
        return;
    }
    saveFileName_ = path;
    WriteReport(path);
}

void TSDIAppForm::N4Click() {
    memo1_->clear();
}

void TSDIAppForm::FileExit1Execute() {
    close();
}

void TSDIAppForm::N3Click() {
    // The tick is the option: the next calculation reads it.
    n3_->toggle();
}

bool TSDIAppForm::WatchModeOn() const {
    return timer1_->isActive();
}

void TSDIAppForm::SetManualCommandsEnabled(bool enabled) {
    // While watch mode fills the editor, nothing may replace its text or calculate by hand.
    memo1_->setReadOnly(!enabled);
    for (QAction* action : {fileNewItem_, fileOpenItem_, n4_, demoItem_}) {
        action->setEnabled(enabled);
    }
    for (QWidget* button : manualButtons_) {
        button->setEnabled(enabled);
    }
    if (enabled) {
        Memo1Change();
    } else {
        n2_->setEnabled(false);
    }
}

void TSDIAppForm::CutItemClick() {
    const bool on = !timer1_->isActive();
    cutItem_->setChecked(on);
    if (on) {
        timer1_->start();
        statusBar()->showMessage(QStringLiteral("Дежурство: каталог ") + paths_.inDirectory);
    } else {
        timer1_->stop();
        statusBar()->clearMessage();
    }
    SetManualCommandsEnabled(!on);
}

void TSDIAppForm::Timer1Timer() {
    if (watchTickRunning_) {
        return;
    }
    watchTickRunning_ = true;
    watchEngine_->Tick();
    watchTickRunning_ = false;
}

OrderOutcome TSDIAppForm::ProcessWatchedOrder(const std::string& path,
                                              const std::vector<std::string>& lines) {
    memo1_->setPlainText(JoinLines(lines));
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
        memo2_->appendPlainText(QStringLiteral("Ошибка: ") + message);
    }
    QCoreApplication::processEvents();  // show each order while the tick goes on
    return outcome;
}

void TSDIAppForm::ShowReport(const std::vector<std::string>& lines) {
    memo2_->setPlainText(JoinLines(lines));
}

void TSDIAppForm::SelectOrderLine(int lineIndex) {
    const QTextBlock block = memo1_->document()->findBlockByNumber(lineIndex);
    if (!block.isValid()) {
        return;
    }
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    memo1_->setTextCursor(cursor);
    memo1_->setFocus();
}

void TSDIAppForm::N2Click() {
    if (WatchModeOn() || !HasSignificantLine(ToStd(OrderLines()))) {
        return;
    }
    Calculate(true);
}

OrderOutcome TSDIAppForm::Calculate(bool interactive) {
    const std::vector<std::string> lines = ToStd(OrderLines());
    pictures_.Pictures().SetImageSizes({view2DImage_->width(), view2DImage_->height()},
                                       {view3DImage_->width(), view3DImage_->height()},
                                       {kSummaryWidth, kSummaryHeight});
    SchemePainter painter(pictures_.Pictures());
    RunOptions options;
    options.format = format_;
    options.alternate = n3_->isChecked();
    RunResult result;
    try {
        RunCalculation(lines, model_, options, painter, result);
    } catch (const OrderError& e) {
        // A faulty container line comes before the run touched the report.
        if (result.calculated) {
            ShowReport(result.report);
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

int TSDIAppForm::SelectDemoData() {
    return dialogs_.SelectDemoData(this);
}

void TSDIAppForm::DemoClick() {
    switch (SelectDemoData()) {
        case 1:
            LoadDemoData(QStringLiteral("HMAN"));
            break;
        case 2:
            LoadDemoData(QStringLiteral("ISIN"));
            break;
        default:
            break;
    }
}

void TSDIAppForm::LoadDemoData(const QString& name) {
    if (WatchModeOn()) {
        return;
    }
    memo1_->setUpdatesEnabled(false);
    memo1_->setPlainText(JoinLines(ExampleOrder(name.toStdString())));
    memo1_->setUpdatesEnabled(true);
    memo2_->clear();
    // An example is no order file: nothing is stored, and Save asks for a name.
    currentOrderFile_.clear();
    saveFileName_.clear();
    n2_->setEnabled(true);
    N2Click();
}

void TSDIAppForm::HelpAbout1Execute() {
    TSplashForm splash(paths_.programDirectory);
    splash.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(&splash, &TSplashForm::Clicked, &loop, &QEventLoop::quit);
    splash.show();
    loop.exec();
}

void TSDIAppForm::N5Click() {
    const QString path = paths_.programDirectory + QLatin1Char('/') + QLatin1String(kGuideFile);
    if (!QFileInfo::exists(path)) {
        dialogs_.ShowMessage(this, QStringLiteral("Файл руководства не найден:\r\n") + path);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        dialogs_.ShowMessage(this, QStringLiteral("Не удалось открыть руководство пользователя."));
    }
}

void TSDIAppForm::LayoutPanels() {
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

void TSDIAppForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutPanels();
}

void TSDIAppForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShowDone_) {
        firstShowDone_ = true;
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    LayoutPanels();
}

bool TSDIAppForm::eventFilter(QObject* watched, QEvent* event) {
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
