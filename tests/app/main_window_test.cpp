#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "app/image_view.h"
#include "app/main_window.h"
#include "app/screen_pictures.h"
#include "app/splash_window.h"
#include "app/startup.h"
#include "app/user_dialogs.h"
#include "fake_dialogs.h"
#include "test_window.h"

using namespace stowbel;

class MainWindowTest : public QObject, protected WindowFixture {
    Q_OBJECT

private:
    QStringList OutFiles() const {
        return QDir(window_->Paths().outDirectory).entryList(QDir::Files, QDir::Name);
    }
    QLabel* WatchStatus() const { return window_->findChild<QLabel*>("WatchStatus"); }

private slots:
    void init() { QVERIFY(Open(QSize(1280, 900))); }

    void cleanup() { Close(); }

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
        QCOMPARE(Editor("Memo1")->lineWrapMode(), QPlainTextEdit::NoWrap);
    }

    void calculateIsEnabledExactlyForASignificantLine() {
        Editor("Memo1")->setPlainText("2");
        QVERIFY(Action("N2")->isEnabled());
        Editor("Memo1")->setPlainText("//2");
        QVERIFY(!Action("N2")->isEnabled());
        Editor("Memo1")->setPlainText("  \n\t");
        QVERIFY(!Action("N2")->isEnabled());
    }

    void calculateButtonWithAnEmptyOrderDoesNothing() {
        Editor("Memo2")->setPlainText("earlier report");
        window_->findChild<QToolButton*>("ToolButton7")->click();
        QCOMPARE(Editor("Memo2")->toPlainText(), QString("earlier report"));
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

        // HMAN stores three files; the summary picture of the earlier outcome goes.
        WriteFile(Out("r0001.txt.jpg"), "older");
        Editor("Memo1")->setPlainText("2450,16800,2200,50,30,HMAN\n800,1200,2100,SQR,1,0,10\n");
        window_->calculate();
        QCOMPARE(OutFiles(), QStringList({"r0001.txt", "r0001.txt2d.jpg", "r0001.txt3d.jpg"}));
        QVERIFY(ReadFile(Out("r0001.txt2d.jpg")).startsWith("\xFF\xD8"));
    }

    void typedOrdersAndExamplesStoreNothing() {
        Editor("Memo1")->setPlainText("2450,16800,2200,50,30,ISIN\n800,1200,2100,SQR,1,0,10\n");
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
        Editor("Memo1")->appendPlainText("800,1200,2100,SQR,1,0,1");
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
        Editor("Memo1")->setPlainText("kept");
        window_->showExamples();
        QCOMPARE(Editor("Memo1")->toPlainText(), QString("kept"));
    }

    void saveAsksFirstAndThenWritesTheReportWithoutAsking() {
        window_->loadExample("ISIN");
        dialogs_->saveName = dir_->path() + "/report.txt";
        window_->saveReport();
        QCOMPARE(dialogs_->saveAsked, 1);
        const QByteArray first = ReadFile(dialogs_->saveName);
        QVERIFY(first.startsWith("\xC7\xE0\xEA\xE0\xE7 1"));  // "Заказ 1" in Windows-1251
        QVERIFY(!first.contains("ISIN"));                     // the report, not the order
        Editor("Memo2")->setPlainText("edited");
        window_->saveReport();
        QCOMPARE(dialogs_->saveAsked, 1);
        QCOMPARE(ReadFile(dialogs_->saveName), QByteArray("edited\r\n"));
        window_->loadExample("ISIN");  // an example forgets the save name
        window_->saveReport();
        QCOMPARE(dialogs_->saveAsked, 2);
    }

    void anOrderErrorIsShownAndItsLineSelected() {
        Editor("Memo1")->setPlainText(
            "2450,16100,2200,50,0,ISIN\n800,1200,2100,SQR,1,0,2\n800,1200,2100,BOX,1,0,2\n");
        window_->calculate();
        // The conversion message naming the field and its text, and the line below it.
        QCOMPARE(dialogs_->errors, QStringList({"поле «Тип»: «BOX» — не SQR и не RND\nСтрока 3"}));
        // The report keeps the lines made before the faulty line and ends with the error.
        QCOMPARE(window_->ReportLines().size(), 3);
        const QTextCursor cursor = Editor("Memo1")->textCursor();
        QCOMPARE(cursor.selectedText(), QString("800,1200,2100,BOX,1,0,2"));

        // A refused value: the message does not name its line, the box does, once.
        Editor("Memo1")->setPlainText(
            "// header\n2450,16100,2200,50,0,ISIN\n800,1200,0,SQR,1,0,2\n");
        window_->calculate();
        QCOMPARE(dialogs_->errors.last(),
                 QString("поле «Высота» должно быть больше нуля, а указано 0.\nСтрока 3"));
    }

    void containerLineErrorReplacesThePreviousReport() {
        window_->loadExample("ISIN");
        Editor("Memo1")->setPlainText("2450,0,2200,50,0,ISIN\n");
        window_->calculate();
        QCOMPARE(dialogs_->errors.size(), 1);
        QVERIFY(dialogs_->errors.front().contains("Длина"));
        // The example's report would pass for this order's: only the error is left.
        QCOMPARE(window_->ReportLines().size(), 1);
        QVERIFY(window_->ReportLines().front().startsWith("Ошибка: строка 1: "));
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
        QVERIFY(Editor("Memo1")->isReadOnly());
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
        QVERIFY(Editor("Memo2")->toPlainText().contains("Ошибка"));
        QCOMPARE(window_->OrderLines().at(1), QString("800,1200,BOX"));

        window_->toggleWatchMode();
        QVERIFY(!Editor("Memo1")->isReadOnly());
        QVERIFY(Action("FileOpenItem")->isEnabled());
        QVERIFY(Action("N2")->isEnabled());
    }

    void watchModeCalculatesTheFileLinesAsTheyAre() {
        // A paragraph separator inside a line splits it in an editor, but not in the order file:
        // the order is one container line, and the report stored is the one calculated.
        WriteFile(In("t0004.txt"),
                  "2450,16800,2200,50,30,ISIN\xE2\x80\xA9"
                  "800,1200,2100,SQR,1,0,10\n");
        QFile file(In("t0004.txt"));
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime::currentDateTime().addSecs(-10),
                         QFileDevice::FileModificationTime);
        file.close();
        window_->toggleWatchMode();
        window_->watchTick();
        const QByteArray stored = ReadFile(Out("r0004.txt"));
        QCOMPARE(stored.count("\r\n"), 1);
        QVERIFY(stored.startsWith("\xC2\xF1\xE5"));  // "Все" in Windows-1251
        QCOMPARE(window_->ReportLines().size(), 1);
        window_->toggleWatchMode();
    }

    void calculateStaysDisabledThroughWatchTicks() {
        window_->toggleWatchMode();
        auto* button = window_->findChild<QToolButton*>("ToolButton7");
        for (const char* name : {"t0002.txt", "t0003.txt"}) {
            DropReadyOrder(name, "2450,16800,2200,50,30,ISIN\n800,1200,2100,SQR,1,0,10\n");
            window_->watchTick();
            QVERIFY(QFile::exists(In(QString("done/") + name)));
            QVERIFY(!window_->OrderLines().isEmpty());  // the editor shows the order
            QVERIFY(!Action("N2")->isEnabled());
            QVERIFY(!button->isEnabled());
        }
        window_->toggleWatchMode();
        QVERIFY(Action("N2")->isEnabled());
        QVERIFY(button->isEnabled());
    }

    // A tick never replaces the order and report behind an open dialog: it waits, and runs
    // when the dialog has closed.
    void aTickWaitsWhileADialogIsOpen() {
        window_->loadExample("ISIN");
        dialogs_->saveName = dir_->path() + "/before.txt";
        window_->saveReportAs();
        window_->toggleWatchMode();

        const QByteArray hman = "2450,16800,2200,50,30,HMAN\n800,1200,2100,SQR,1,0,10\n";
        DropReadyOrder("t0005.txt", hman);
        QString waiting = "t0005.txt";
        bool calculatedBehindTheDialog = true;
        dialogs_->whileOpen = [&] {
            window_->watchTick();  // the timer fires
            calculatedBehindTheDialog = !QFile::exists(In(waiting));
        };
        dialogs_->saveName = dir_->path() + "/during.txt";
        window_->saveReportAs();
        QVERIFY(!calculatedBehindTheDialog);
        QCOMPARE(ReadFile(dir_->path() + "/during.txt"), ReadFile(dir_->path() + "/before.txt"));
        QTRY_VERIFY(QFile::exists(In("done/t0005.txt")));  // the waiting tick, right after

        waiting = "t0006.txt";
        DropReadyOrder(waiting, hman);
        window_->openUserGuide();  // a message box: the guide is missing
        QVERIFY(!calculatedBehindTheDialog);
        QTRY_VERIFY(QFile::exists(In("done/t0006.txt")));
        dialogs_->whileOpen = {};

        // Any modal window of the program counts, not only the ones the window asks for.
        DropReadyOrder("t0007.txt", hman);
        QMessageBox box(QMessageBox::Information, "Сообщение", "Открыто", QMessageBox::Ok,
                        window_.get());
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        QTRY_COMPARE(QApplication::activeModalWidget(), &box);
        window_->watchTick();
        QVERIFY(QFile::exists(In("t0007.txt")));
        box.close();
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        window_->watchTick();
        QVERIFY(QFile::exists(In("done/t0007.txt")));
    }

    void watchButtonAndStatusFieldShowTheState() {
        auto* button = window_->findChild<QToolButton*>("ToolButton5");
        QLabel* status = WatchStatus();
        QVERIFY(status != nullptr);
        QVERIFY(button->isCheckable());
        QVERIFY(!button->isChecked());
        QVERIFY(status->text().startsWith("Дежурство: выключено"));

        button->click();
        QVERIFY(button->isChecked());
        QVERIFY(Action("CutItem")->isChecked());
        QVERIFY(status->text().startsWith("Дежурство: включено"));
        QVERIFY(status->toolTip().contains("каждые 5 с"));
        DropReadyOrder("t0008.txt", "2450,16800,2200,50,30,ISIN\n800,1200,2100,SQR,1,0,10\n");
        window_->watchTick();
        QVERIFY2(status->toolTip().contains("Последний заказ: t0008.txt: рассчитан"),
                 qPrintable(status->toolTip()));

        // The hint of a hovered command takes the status bar's message, not the field.
        const QString shown = status->text();
        QVERIFY(shown.contains("последний заказ: t0008.txt: рассчитан"));
        QStatusTipEvent hint(Action("FileOpenItem")->statusTip());
        QApplication::sendEvent(window_.get(), &hint);
        QCOMPARE(window_->statusBar()->currentMessage(), Action("FileOpenItem")->statusTip());
        QVERIFY(status->isVisible());
        QCOMPARE(status->text(), shown);

        Action("CutItem")->trigger();  // the menu item switches off what the button switched on
        QVERIFY(!button->isChecked());
        QVERIFY(status->text().startsWith("Дежурство: выключено"));
        button->click();
        QVERIFY(Action("CutItem")->isChecked());
        QVERIFY(button->isChecked());
    }

    void anOrderStuckInInIsShownUntilItLeaves() {
        window_->toggleWatchMode();
        WriteFile(In("done"), "a file where the directory should be");
        DropReadyOrder("t0009.txt", "2450,16800,2200,50,30,ISIN\n800,1200,2100,SQR,1,0,10\n");
        window_->watchTick();
        QVERIFY2(WatchStatus()->text().contains("не перенесены из IN: t0009.txt"),
                 qPrintable(WatchStatus()->text()));
        QVERIFY2(WatchStatus()->toolTip().contains("Не перенесён из IN: t0009.txt ("),
                 qPrintable(WatchStatus()->toolTip()));
        QVERIFY(QFile::exists(Out("r0009.txt")));
        WriteFile(Out("r0009.txt"), "marker");
        window_->watchTick();  // the order is not calculated again
        QCOMPARE(ReadFile(Out("r0009.txt")), QByteArray("marker"));
        QVERIFY(WatchStatus()->text().contains("t0009.txt"));

        QFile::remove(In("done"));
        window_->watchTick();
        QVERIFY(QFile::exists(In("done/t0009.txt")));
        QVERIFY2(!WatchStatus()->toolTip().contains("Не перенесён"),
                 qPrintable(WatchStatus()->toolTip()));
    }

    void aMissingInFolderIsShownUntilItIsBack() {
        window_->toggleWatchMode();
        QDir root(dir_->path());
        QVERIFY(root.rename("IN", "IN.away"));
        window_->watchTick();
        QVERIFY2(WatchStatus()->text().contains("каталог IN недоступен"),
                 qPrintable(WatchStatus()->text()));
        QVERIFY(root.rename("IN.away", "IN"));
        window_->watchTick();
        QVERIFY2(!WatchStatus()->text().contains("недоступен"), qPrintable(WatchStatus()->text()));
    }

    void alternationOptionToggles() {
        Action("N3")->trigger();
        QVERIFY(!Action("N3")->isChecked());
        Action("N3")->trigger();
        QVERIFY(Action("N3")->isChecked());
    }

    void schemePanesShowPicturesAtTheirSize() {
        window_->loadExample("ISIN");
        // The 2D scheme at its pane's size unless that is too small to read; the 3D view at least
        // as large as its two cells need, in the pane's proportions, to be shown reduced.
        auto* pane2D = window_->findChild<QFrame*>("Graph2DPanel");
        const QImage& image2D = pane2D->findChild<ImageView*>()->Picture();
        const ImageSize drawn2D =
            Scheme2DDrawingSize(QSize(pane2D->width(), pane2D->height() - 32));
        QCOMPARE(image2D.size(), QSize(drawn2D.width, drawn2D.height));
        QVERIFY(drawn2D.width >= std::max(pane2D->width(), 400));
        QVERIFY(drawn2D.height >= std::max(pane2D->height() - 32, 360));
        auto* pane3D = window_->findChild<QFrame*>("Graph3DPanel");
        const QImage& image3D = pane3D->findChild<ImageView*>()->Picture();
        const ImageSize drawn = View3DDrawingSize(QSize(pane3D->width(), pane3D->height() - 32));
        QCOMPARE(image3D.size(), QSize(drawn.width, drawn.height));
        QVERIFY(image3D.width() >= 680 && image3D.height() >= 580);
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
        QVERIFY(Editor("Memo1")->toPlainText().isEmpty());
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
