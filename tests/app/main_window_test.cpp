#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/startup.h"
#include "app/user_dialogs.h"
#include "scheme/raster_canvas.h"

using namespace stowbel;

namespace {

// Answers the main window's questions in place of a person and remembers what it was asked.
class FakeDialogs : public UserDialogs {
public:
    QString openName;
    QString saveName;
    int demoChoice = 0;
    int openAsked = 0;
    int saveAsked = 0;
    QStringList errors;
    QStringList messages;

    QString OpenFileName(QWidget*, const QString&) override {
        ++openAsked;
        return openName;
    }
    QString SaveFileName(QWidget*, const QString&) override {
        ++saveAsked;
        return saveName;
    }
    int chooseExample(QWidget*) override { return demoChoice; }
    void ShowError(QWidget*, const QString& message) override { errors << message; }
    void ShowMessage(QWidget*, const QString& message) override { messages << message; }
    bool OpenDocument(const QString&) override { return false; }
};

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakeDialogs> dialogs_;
    std::unique_ptr<MainWindow> window_;

    QString In(const QString& name) const { return window_->Paths().inDirectory + "/" + name; }
    QString Out(const QString& name) const { return window_->Paths().outDirectory + "/" + name; }
    QPlainTextEdit* Memo(const char* name) const {
        return window_->findChild<QPlainTextEdit*>(name);
    }
    QAction* Action(const char* name) const { return window_->findChild<QAction*>(name); }
    QStringList OutFiles() const {
        return QDir(window_->Paths().outDirectory).entryList(QDir::Files, QDir::Name);
    }
    void OpenOrder(const QString& name, const QByteArray& text) {
        WriteFile(In(name), text);
        dialogs_->openName = In(name);
        window_->openOrder();
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        dialogs_ = std::make_unique<FakeDialogs>();
        const QString root = dir_->path();
        window_ =
            std::make_unique<MainWindow>(AppPaths{root, root + "/IN", root + "/OUT"}, *dialogs_);
        window_->resize(1280, 900);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() {
        window_.reset();
        dialogs_.reset();
        dir_.reset();
    }

    void startsWithDirectoriesAndCommandStates() {
        QVERIFY(QDir(window_->Paths().inDirectory).exists());
        QVERIFY(QDir(window_->Paths().outDirectory).exists());
        QCOMPARE(window_->windowTitle(), QString("Расчёт загрузки поддонов в контейнер"));
        QVERIFY(!Action("N2")->isEnabled());
        QVERIFY(Action("N3")->isChecked());
        QVERIFY(!Action("CutItem")->isChecked());
        auto* timer = window_->findChild<QTimer*>("Timer1");
        QVERIFY(timer != nullptr);
        QVERIFY(!timer->isActive());
        QCOMPARE(timer->interval(), 5000);
        QCOMPARE(Action("FileOpenItem")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QCOMPARE(Action("FileOpenItem")->statusTip(), QString("Открыть файл исходных данных"));
        for (const char* name : {"ToolButton1", "ToolButton7", "ToolButton2", "ToolButton3",
                                 "ToolButton5", "ToolButton6"}) {
            QVERIFY2(window_->findChild<QToolButton*>(name) != nullptr, name);
        }
        for (const char* name :
             {"LeftPanel", "LeftSplitter", "WorkPanel", "ResultPanel", "TopSplitter", "GraphPanel",
              "Graph3DPanel", "GraphSplitter", "Graph2DPanel"}) {
            QVERIFY2(window_->findChild<QFrame*>(name) != nullptr, name);
        }
        QCOMPARE(Memo("Memo1")->lineWrapMode(), QPlainTextEdit::NoWrap);
    }

    void calculateIsEnabledExactlyForASignificantLine() {
        Memo("Memo1")->setPlainText("2");
        QVERIFY(Action("N2")->isEnabled());
        Memo("Memo1")->setPlainText("//2");
        QVERIFY(!Action("N2")->isEnabled());
        Memo("Memo1")->setPlainText("  \n\t");
        QVERIFY(!Action("N2")->isEnabled());
    }

    void calculateButtonWithAnEmptyOrderDoesNothing() {
        Memo("Memo2")->setPlainText("earlier report");
        window_->findChild<QToolButton*>("ToolButton7")->click();
        QCOMPARE(Memo("Memo2")->toPlainText(), QString("earlier report"));
        QVERIFY(dialogs_->errors.isEmpty());
    }

    void calculatingAnOpenedOrderStoresItsResults() {
        OpenOrder("t0001.txt", "2450,16800,2200,50,30,ISIN\r\n800,1200,2100,SQR,1,0,10\r\n");
        QCOMPARE(window_->CurrentOrderFile(), In("t0001.txt"));
        window_->calculate();
        QVERIFY(dialogs_->errors.isEmpty());
        QCOMPARE(OutFiles(),
                 QStringList({"r0001.txt", "r0001.txt.jpg", "r0001.txt2d.jpg", "r0001.txt3d.jpg"}));
        QVERIFY(ReadFile(Out("r0001.txt")).endsWith("\r\n"));
        QVERIFY(window_->ReportLines().size() == 3);

        // HMAN stores three files and leaves the older summary picture alone.
        WriteFile(Out("r0001.txt.jpg"), "older");
        Memo("Memo1")->setPlainText("2450,16800,2200,50,30,HMAN\n800,1200,2100,SQR,1,0,10\n");
        window_->calculate();
        QCOMPARE(ReadFile(Out("r0001.txt.jpg")), QByteArray("older"));
        QVERIFY(ReadFile(Out("r0001.txt2d.jpg")).startsWith("\xFF\xD8"));
    }

    void typedOrdersAndExamplesStoreNothing() {
        Memo("Memo1")->setPlainText("2450,16800,2200,50,30,ISIN\n800,1200,2100,SQR,1,0,10\n");
        window_->calculate();
        QVERIFY(!window_->ReportLines().isEmpty());
        QVERIFY(OutFiles().isEmpty());

        OpenOrder("t0002.txt", "2450,16100,2200,50,0,ISIN\n");
        window_->loadExample("HMAN");
        QVERIFY(window_->CurrentOrderFile().isEmpty());
        QCOMPARE(window_->OrderLines().size(), 7);
        QVERIFY(window_->OrderLines().last().startsWith("//"));
        QCOMPARE(window_->ReportLines().size(), 7);
        QVERIFY(OutFiles().isEmpty());
        Memo("Memo1")->appendPlainText("800,1200,2100,SQR,1,0,1");
        window_->calculate();
        QVERIFY(OutFiles().isEmpty());
    }

    void examplesByChoiceAndByName() {
        dialogs_->demoChoice = 2;
        window_->showExamples();
        QCOMPARE(window_->OrderLines().at(1), QString("2450,16800,2200,50,30,ISIN"));
        for (const QString& name : {QString("hman"), QString()}) {
            window_->loadExample(name);
            QCOMPARE(window_->OrderLines().at(1), QString("2450,16800,2200,50,30,ISIN"));
        }
        dialogs_->demoChoice = 0;
        Memo("Memo1")->setPlainText("kept");
        window_->showExamples();
        QCOMPARE(Memo("Memo1")->toPlainText(), QString("kept"));
    }

    void saveAsksFirstAndThenWritesTheReportWithoutAsking() {
        window_->loadExample("ISIN");
        dialogs_->saveName = dir_->path() + "/report.txt";
        window_->saveReport();
        QCOMPARE(dialogs_->saveAsked, 1);
        const QByteArray first = ReadFile(dialogs_->saveName);
        QVERIFY(first.startsWith("\xC7\xE0\xEA\xE0\xE7 1"));  // "Заказ 1" in Windows-1251
        QVERIFY(!first.contains("ISIN"));                     // the report, not the order
        Memo("Memo2")->setPlainText("edited");
        window_->saveReport();
        QCOMPARE(dialogs_->saveAsked, 1);
        QCOMPARE(ReadFile(dialogs_->saveName), QByteArray("edited\r\n"));
        window_->loadExample("ISIN");  // an example forgets the save name
        window_->saveReport();
        QCOMPARE(dialogs_->saveAsked, 2);
    }

    void anOrderErrorIsShownAndItsLineSelected() {
        Memo("Memo1")->setPlainText(
            "2450,16100,2200,50,0,ISIN\n800,1200,2100,SQR,1,0,2\n800,1200,2100,BOX,1,0,2\n");
        window_->calculate();
        QCOMPARE(dialogs_->errors, QStringList({"'' is not a valid integer value"}));
        QCOMPARE(window_->ReportLines().size(), 2);
        const QTextCursor cursor = Memo("Memo1")->textCursor();
        QCOMPARE(cursor.selectedText(), QString("800,1200,2100,BOX,1,0,2"));
    }

    void containerLineErrorKeepsThePreviousReport() {
        window_->loadExample("ISIN");
        const QStringList before = window_->ReportLines();
        Memo("Memo1")->setPlainText("2450,0,2200,50,0,ISIN\n");
        window_->calculate();
        QCOMPARE(dialogs_->errors.size(), 1);
        QVERIFY(dialogs_->errors.front().contains("Длина"));
        QCOMPARE(window_->ReportLines(), before);
    }

    void watchModeToggles() {
        auto* timer = window_->findChild<QTimer*>("Timer1");
        window_->findChild<QToolButton*>("ToolButton5")->click();
        QVERIFY(timer->isActive());
        QVERIFY(Action("CutItem")->isChecked());
        Action("CutItem")->trigger();
        QVERIFY(!timer->isActive());
        QVERIFY(!Action("CutItem")->isChecked());
    }

    void watchTickCalculatesADroppedOrderAndLocksTheEditor() {
        window_->toggleWatchMode();
        QVERIFY(Memo("Memo1")->isReadOnly());
        QVERIFY(!Action("FileOpenItem")->isEnabled());
        QVERIFY(!Action("N2")->isEnabled());
        QVERIFY(!window_->findChild<QToolButton*>("ToolButton7")->isEnabled());

        WriteFile(In("t0002.txt"), "2450,16800,2200,50,30,HMAN\n800,1200,2100,SQR,1,0,10\n");
        WriteFile(In("t0003.txt"), "2450,16800,2200,50,30,ISIN\n800,1200,BOX\n");
        const QDateTime old = QDateTime::currentDateTime().addSecs(-10);
        for (const char* name : {"t0002.txt", "t0003.txt"}) {
            QFile file(In(name));
            file.open(QIODevice::ReadWrite);
            file.setFileTime(old, QFileDevice::FileModificationTime);
        }
        window_->watchTick();
        QCOMPARE(OutFiles(),
                 QStringList({"r0002.txt", "r0002.txt2d.jpg", "r0002.txt3d.jpg", "r0003.txt.err"}));
        QVERIFY(QFile::exists(In("done/t0002.txt")));
        QVERIFY(QFile::exists(In("failed/t0003.txt")));
        QVERIFY(dialogs_->errors.isEmpty());  // watch mode never opens a dialog
        QVERIFY(Memo("Memo2")->toPlainText().contains("Ошибка"));
        QCOMPARE(window_->OrderLines().at(1), QString("800,1200,BOX"));

        window_->toggleWatchMode();
        QVERIFY(!Memo("Memo1")->isReadOnly());
        QVERIFY(Action("FileOpenItem")->isEnabled());
        QVERIFY(Action("N2")->isEnabled());
    }

    void alternationOptionToggles() {
        window_->toggleAlternation();
        QVERIFY(!Action("N3")->isChecked());
        Action("N3")->trigger();
        QVERIFY(Action("N3")->isChecked());
    }

    void schemePanesShowPicturesAtTheirSize() {
        window_->loadExample("ISIN");
        auto* pane = window_->findChild<QFrame*>("Graph2DPanel");
        const QImage& image =
            static_cast<const RasterCanvas&>(window_->Pictures().Scheme2D()).Image();
        QCOMPARE(image.width(), pane->width());
        QCOMPARE(image.height(), pane->height() - 32);
        QCOMPARE(window_->Pictures().SummarySize().width, 1112);
    }

    void splitterDragStopsAtItsLimitAndThe3DPaneKeepsItsWidth() {
        auto* splitter = window_->findChild<QFrame*>("GraphSplitter");
        auto* pane3D = window_->findChild<QFrame*>("Graph3DPanel");
        auto* graph = window_->findChild<QFrame*>("GraphPanel");
        QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(splitter, QPoint(5 - 100, 5));
        QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(5 - 100, 5));
        const int dragged = pane3D->width();
        QVERIFY(dragged < graph->width() / 2);
        window_->resize(1400, 900);
        QCoreApplication::processEvents();
        QCOMPARE(pane3D->width(), dragged);

        auto* left = window_->findChild<QFrame*>("LeftSplitter");
        QTest::mousePress(left, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(left, QPoint(-2000, 5));
        QTest::mouseRelease(left, Qt::LeftButton, {}, QPoint(-2000, 5));
        QCOMPARE(window_->findChild<QFrame*>("LeftPanel")->width(), 120);
    }

    void userGuideMissingNamesItsPath() {
        window_->openUserGuide();
        QCOMPARE(dialogs_->messages.size(), 1);
        QCOMPARE(dialogs_->messages.front(),
                 "Файл руководства не найден:\r\n" + dir_->path() + "/Stowbel_UserGuide_RU.chm");
    }

    void newOrderStartsWithTheHeadersAndForgetsTheFile() {
        OpenOrder("t0003.txt", "2450,16100,2200,50,0,ISIN\n");
        window_->newOrder();
        QVERIFY(window_->CurrentOrderFile().isEmpty());
        QVERIFY(window_->OrderLines().front().startsWith("//Ширина"));
        QVERIFY(!Action("N2")->isEnabled());
        window_->clearOrder();
        QVERIFY(Memo("Memo1")->toPlainText().isEmpty());
    }

    void openReadsWindows1251OrderFiles() {
        OpenOrder("t0004.txt", "//\xD8\xE8\xF0\xE8\xED\xE0\r\n2450,16100,2200,50,0,ISIN\r\n");
        QCOMPARE(window_->OrderLines().front(), QString("//Ширина"));
    }

    void splashShowsTheVersionAtItsPlace() {
        SplashWindow splash(dir_->path());
        auto* label = splash.findChild<QWidget*>("VersionLabel");
        QVERIFY(label != nullptr);
        QCOMPARE(label->geometry().right() + 1, 900 - 34);
        QCOMPARE(label->geometry().bottom() + 1, 640 - 80);
        QVERIFY(splash.PictureRect().isEmpty());
        QImage square(100, 100, QImage::Format_RGB32);
        square.fill(Qt::red);
        square.save(dir_->path() + "/Splash.jpg");
        SplashWindow withPicture(dir_->path());
        QCOMPARE(withPicture.PictureRect(), QRect(130, 0, 640, 640));
    }

    void startUpShowsTheSplashThenTheMainWindow() {
        window_.reset();
        int waited = 0;
        bool splashShown = false;
        const SplashWait wait = [&](int ms) {
            waited = ms;
            for (QWidget* w : QApplication::topLevelWidgets()) {
                splashShown = splashShown || (w->objectName() == "SplashForm" && w->isVisible());
            }
            QTimer::singleShot(50, [] {
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    if (w->objectName() == "SDIAppForm" && w->isVisible()) {
                        w->close();
                    }
                }
            });
        };
        QCOMPARE(RunProgram(*qApp, wait), 0);
        QCOMPARE(waited, 2500);
        QVERIFY(splashShown);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
