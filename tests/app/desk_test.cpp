// The desktop on the dock: a result that no longer describes the order is marked, an order
// error never looks like a result, the keys and the title.
#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <QDialog>
#include <QLabel>
#include <QSet>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <cmath>

#include "app/image_view.h"
#include "app/main_window.h"
#include "app/plan_drawing.h"
#include "app/plan_view.h"
#include "app/result_marks.h"
#include "app/scheme_view.h"
#include "app/screen_pictures.h"
#include "app/splash_window.h"
#include "fake_dialogs.h"
#include "job/calculation_job.h"
#include "order/examples.h"
#include "pictures/raster_pictures.h"
#include "test_window.h"

using namespace stowbel;

namespace {

std::vector<std::string> Lines(const QString& text) {
    std::vector<std::string> lines;
    for (const QString& line : text.split('\n')) {
        lines.push_back(line.toStdString());
    }
    return lines;
}

// The run of an order as the command line makes it, to compare the window against.
JobResult RunOf(const std::vector<std::string>& lines, ImageSize view3D = kDefaultView3DSize) {
    static const RasterPictureMaker maker;
    PictureSizes sizes;
    sizes.view3D = view3D;
    CalculationJob job;
    job.SetOrderLines(lines).SetPictureSizes(sizes).SetShownPictures(PictureSet::Shown());
    job.SetPictureMaker(&maker);
    return job.Run();
}

void Wheel(QWidget* widget, QPoint at, int notches) {
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

bool TouchesTheEdge(const QRect& content, const QImage& picture) {
    return content.left() <= 0 || content.top() <= 0 || content.right() >= picture.width() - 1 ||
           content.bottom() >= picture.height() - 1;
}

// 700 pallets two abreast: far more containers than a pane shows.
const char* kManyContainers = "2450,16100,2200,50,0,HMAN\n800,1200,2100,SQR,1,0,700";
// The payload example of the guide: masses, a payload and three containers.
const char* kWithPayload =
    "2450,16100,2200,50,0,HMAN,16000\n800,1200,2100,SQR,1,0,20,650\n"
    "1000,1200,2150,SQR,0,0,36,480\n800,1000,1000,SQR,1,0,50,120";

}  // namespace

class DeskTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakeDialogs> dialogs_;
    std::unique_ptr<MainWindow> window_;

    QPlainTextEdit* Editor(const char* name) const {
        return window_->findChild<QPlainTextEdit*>(name);
    }
    QAction* Action(const char* name) const { return window_->findChild<QAction*>(name); }
    ResultMarks* Marks() const { return window_->findChild<ResultMarks*>(); }
    ImageView* Picture(const char* pane) const {
        return window_->findChild<QFrame*>(pane)->findChild<ImageView*>();
    }
    // What covers the report and each picture pane, in that order.
    QStringList Covers() const {
        return {Marks()->TextOver(Editor("Memo2")->viewport()),
                Marks()->TextOver(Picture("Graph3DPanel")),
                Marks()->TextOver(Picture("Graph2DPanel"))};
    }
    void OpenOrder(const QString& name, const QByteArray& text) {
        const QString path = window_->Paths().inDirectory + "/" + name;
        WriteFile(path, text);
        dialogs_->openName = path;
        window_->openOrder();
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        dialogs_ = std::make_unique<FakeDialogs>();
        window_ = ShowTestWindow(dir_->path(), *dialogs_, QSize(1280, 900));
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() {
        window_.reset();
        dialogs_.reset();
        dir_.reset();
    }

    void aChangedOrderMarksTheResultUntilCalculated() {
        const QString stale = "Заказ изменён — нажмите Расчёт (F9)";
        QCOMPARE(Covers(), QStringList({"", "", ""}));
        window_->loadExample("ISIN");
        QCOMPARE(Marks()->Current(), ResultMarks::State::Current);
        QCOMPARE(Covers(), QStringList({"", "", ""}));

        Editor("Memo1")->moveCursor(QTextCursor::End);
        QTest::keyClicks(Editor("Memo1"), "// 2");
        QCOMPARE(Covers(), QStringList({stale, stale, stale}));
        QVERIFY(Editor("Memo2")->viewport()->findChild<ResultOverlay*>()->isVisible());
        // The old result is still there under the mark, to compare.
        QVERIFY(!window_->ReportLines().isEmpty());
        QVERIFY(!Picture("Graph2DPanel")->Picture().isNull());

        window_->calculate();
        QCOMPARE(Covers(), QStringList({"", "", ""}));
    }

    void presetsAndClearMarkTheResultAndNewTakesItAway() {
        window_->loadExample("HMAN");
        window_->clearOrder();
        QCOMPARE(Marks()->Current(), ResultMarks::State::Stale);

        window_->loadExample("HMAN");
        window_->newOrder();
        QCOMPARE(Marks()->Current(), ResultMarks::State::None);
        QCOMPARE(Covers(), QStringList({"", "", ""}));
        QVERIFY(window_->ReportLines().isEmpty());
        QVERIFY(Picture("Graph2DPanel")->Picture().isNull());
        QVERIFY(Picture("Graph3DPanel")->Picture().isNull());
        QVERIFY(!Action("FilePrintPlanItem")->isEnabled());
        // Typing into the new order marks nothing: there is nothing shown to mislead.
        QTest::keyClicks(Editor("Memo1"), "2450");
        QCOMPARE(Marks()->Current(), ResultMarks::State::None);
    }

    void anOrderErrorEndsTheReportAndBannersThePictures() {
        struct Case {
            const char* order;
            int line;
            int reportLinesBefore;  // lines the run made before the faulty line
            QString lastLine;
            bool pictures;
        };
        const Case cases[] = {
            {"2450,16100,2200,50,0,ISIN\n800,1200,2100,SQR,1,0,2\n800,1200,2100,BOX,1,0,2\n", 3, 2,
             "Ошибка: строка 3: поле «Тип»: «BOX» — не SQR и не RND", true},
            {"// header\n2450,0,2200,50,0,ISIN\n", 2, 0, "", false},
        };
        for (const Case& c : cases) {
            window_->loadExample("ISIN");
            Editor("Memo1")->setPlainText(QString::fromUtf8(c.order));
            window_->calculate();
            const QStringList report = window_->ReportLines();
            QCOMPARE(report.size(), c.reportLinesBefore + 1);
            QVERIFY(report.last().startsWith(QStringLiteral("Ошибка: строка %1: ").arg(c.line)));
            if (!c.lastLine.isEmpty()) {
                QCOMPARE(report.last(), c.lastLine);
            }
            const QString banner = QStringLiteral("Расчёт прерван: ошибка в строке %1").arg(c.line);
            QCOMPARE(Covers(), QStringList({"", banner, banner}));
            QCOMPARE(!Picture("Graph2DPanel")->Picture().isNull(), c.pictures);
            QVERIFY(!Action("FileSavePlanItem")->isEnabled());
        }
        // Put right, the result is current again.
        Editor("Memo1")->setPlainText("2450,16100,2200,50,0,ISIN\n800,1200,2100,SQR,1,0,2\n");
        window_->calculate();
        QCOMPARE(Covers(), QStringList({"", "", ""}));
        QVERIFY(!window_->ReportLines().last().startsWith("Ошибка"));
    }

    void f9CalculatesAndF1OpensTheGuide() {
        Editor("Memo1")->setPlainText("2450,16100,2200,50,0,ISIN\n800,1200,2100,SQR,1,0,2\n");
        window_->activateWindow();
        QTest::keyClick(window_.get(), Qt::Key_F9);
        QVERIFY(!window_->ReportLines().isEmpty());
        QCOMPARE(Marks()->Current(), ResultMarks::State::Current);

        QTest::keyClick(window_.get(), Qt::Key_F1);
        QCOMPARE(dialogs_->messages.size(), 1);
        QVERIFY(dialogs_->messages.front().startsWith("Файл руководства не найден:"));
        QCOMPARE(Action("N2")->shortcut(), QKeySequence(Qt::Key_F9));
        QCOMPARE(Action("N5")->shortcut(), QKeySequence(Qt::Key_F1));
    }

    void titleNamesTheOrderWithAStarWhileEdited() {
        const QString caption = "Расчёт загрузки поддонов в контейнер";
        QCOMPARE(window_->windowTitle(), caption);
        OpenOrder("t0007.txt", "2450,16100,2200,50,0,ISIN\n");
        QCOMPARE(window_->windowTitle(), "t0007.txt — " + caption);
        QTest::keyClicks(Editor("Memo1"), "x");
        QCOMPARE(window_->windowTitle(), "t0007.txt* — " + caption);
        window_->calculate();  // calculating saves nothing of the order: it stays edited
        QCOMPARE(window_->windowTitle(), "t0007.txt* — " + caption);

        window_->loadExample("HMAN");
        QCOMPARE(window_->windowTitle(), "Пример HMAN — " + caption);
        window_->newOrder();
        QCOMPARE(window_->windowTitle(), "Новый заказ — " + caption);
    }

    // The specified panes on screen

    void the3DPictureIsShownWholeInANarrowPane() {
        const std::vector<std::string> hman = ExampleOrder("HMAN");
        // Drawn at the pane's own size, the second container runs out of the picture.
        const QImage atPane = ImageOf(RunOf(hman, {600, 400}).pictures.view3D);
        QVERIFY(TouchesTheEdge(SchemeView::DrawnContent(atPane), atPane));

        const ImageSize drawn = View3DDrawingSize({600, 400});
        const QImage picture = ImageOf(RunOf(hman, drawn).pictures.view3D);
        const QRect content = SchemeView::DrawnContent(picture);
        QVERIFY(!TouchesTheEdge(content, picture));
        SchemeView view(nullptr);
        view.resize(600, 400);
        view.SetMinRestScale(kMin3DShownScale);
        view.SetPicture(picture);
        view.grab();  // paints: the view follows its picture
        const QRectF shown(view.Zoom().ToPane(QPointF(content.topLeft())),
                           view.Zoom().ToPane(QPointF(content.bottomRight())));
        QVERIFY2(QRectF(0, 0, 600, 400).contains(shown), qPrintable(QString("%1,%2 %3x%4")
                                                                        .arg(shown.x())
                                                                        .arg(shown.y())
                                                                        .arg(shown.width())
                                                                        .arg(shown.height())));
        // Whole, and no smaller than it must be: it fills the pane in one direction.
        QVERIFY(std::abs(picture.width() * view.Zoom().Scale() - 600) < 1.5 ||
                std::abs(picture.height() * view.Zoom().Scale() - 400) < 1.5);
    }

    void theWindows3DPaneShowsItsPictureWhole() {
        window_->resize(900, 700);
        window_->loadExample("HMAN");
        auto* view = static_cast<SchemeView*>(Picture("Graph3DPanel"));
        view->repaint();
        const QImage& picture = view->Picture();
        const ImageSize drawn = View3DDrawingSize(view->size());
        QCOMPARE(picture.size(), QSize(drawn.width, drawn.height));
        const QRect content = SchemeView::DrawnContent(picture);
        const QRectF shown(view->Zoom().ToPane(QPointF(content.topLeft())),
                           view->Zoom().ToPane(QPointF(content.bottomRight())));
        QVERIFY(QRectF(view->rect()).contains(shown));
    }

    void the2DPaneSaysHowManyContainersItShows() {
        const int containers = RunOf(Lines(kManyContainers)).record->run.containers;
        QVERIFY(containers > 10);
        Editor("Memo1")->setPlainText(kManyContainers);
        window_->calculate();
        auto* view = static_cast<SchemeView*>(Picture("Graph2DPanel"));
        // Containers lie one below the other, 20 pixels apart, the first 50 pixels down, at the
        // scale that leaves room for five.
        const QSize size = view->Picture().size();
        const double scale =
            std::min((size.width() - 200.0) / 16100, (size.height() - 200.0) / 12250);
        const int band = static_cast<int>(std::lround(2450 * scale));
        int whole = 0;
        while (50 + whole * (band + 20) + band < size.height()) {
            ++whole;
        }
        QCOMPARE(view->Note(),
                 QStringLiteral("показаны %1 из %2 контейнеров").arg(whole).arg(containers));

        window_->loadExample("ISIN");  // one container: nothing left out
        QCOMPARE(view->Note(), QString());
    }

    void aNarrow2DPaneKeepsTheSchemeLegible() {
        window_->loadExample("HMAN");
        QFrame* splitter = window_->findChild<QFrame*>("GraphSplitter");
        QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(splitter, QPoint(5 + 2000, 5));
        QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(5 + 2000, 5));
        auto* view = static_cast<SchemeView*>(Picture("Graph2DPanel"));
        QVERIFY(view->width() < 250);
        QTRY_VERIFY(view->Picture().width() >= 400);
        view->repaint();
        QVERIFY(view->Zoom().Scale() >= kMin2DShownScale);
        // The containers' outlines are drawn, not collapsed onto the margin.
        const QRect content = SchemeView::DrawnContent(view->Picture());
        QVERIFY(content.width() > 200);
    }

    // The plan view

    void thePlanShowsOneContainerAtATime() {
        window_->loadExample("HMAN");
        const JobResult run = RunOf(ExampleOrder("HMAN"));
        auto* plan = window_->findChild<PlanView*>();
        QVERIFY(plan->isHidden());
        Action("PlanItem")->trigger();
        QVERIFY(plan->isVisible());
        QCOMPARE(plan->geometry(), window_->findChild<QFrame*>("GraphPanel")->rect());
        QCOMPARE(plan->SelectorText(),
                 QStringLiteral("Конт. 1 из %1").arg(run.record->run.containers));
        auto* previous = plan->findChild<QToolButton*>("PlanPrevious");
        auto* next = plan->findChild<QToolButton*>("PlanNext");
        QVERIFY(!previous->isEnabled());

        // Every container's list holds its stacks, and all lists together every unit placed.
        int units = 0;
        for (int c = 1; c <= run.record->run.containers; ++c) {
            QCOMPARE(plan->ContainerShown(), c);
            const int stacks = static_cast<int>(
                std::count_if(run.record->run.stacks.begin(), run.record->run.stacks.end(),
                              [c](const PlacedStack& s) { return s.container == c; }));
            QCOMPARE(plan->List()->rowCount(), stacks);
            for (int row = 0; row < plan->List()->rowCount(); ++row) {
                units += plan->List()->item(row, 3)->text().toInt();
            }
            QCOMPARE(next->isEnabled(), c < run.record->run.containers);
            QTest::mouseClick(next, Qt::LeftButton);
        }
        QCOMPARE(units, run.record->run.placed);
        QTest::mouseClick(previous, Qt::LeftButton);
        QCOMPARE(plan->ContainerShown(), run.record->run.containers - 1);

        Action("PlanItem")->trigger();
        QVERIFY(plan->isHidden());
    }

    void aRowAndItsStackSelectEachOther() {
        window_->loadExample("ISIN");
        Action("PlanItem")->trigger();
        auto* plan = window_->findChild<PlanView*>();
        PlanDrawing* drawing = plan->Drawing();
        QTableWidget* list = plan->List();
        QVERIFY(list->rowCount() > 3);

        list->selectRow(2);
        const int stack = drawing->Selected();
        QVERIFY(stack >= 0);
        const QRectF onScreen = drawing->StackOnScreen(stack);
        QVERIFY(QRectF(drawing->rect()).contains(onScreen));
        // The row gives the near edges of the stack it outlines.
        const auto near = [&](int row) {
            return QPoint(list->item(row, 4)->text().toInt(), list->item(row, 5)->text().toInt());
        };
        const QPoint rowEdges = near(2);

        // Clicking another stack selects its row; clicking the first again selects row 2.
        list->selectRow(0);
        const QRectF other = drawing->StackOnScreen(drawing->Selected());
        drawing->SetSelected(-1);
        QTest::mouseClick(drawing, Qt::LeftButton, {}, other.center().toPoint());
        QCOMPARE(list->currentRow(), 0);
        QTest::mouseClick(drawing, Qt::LeftButton, {}, onScreen.center().toPoint());
        QCOMPARE(list->currentRow(), 2);
        QCOMPARE(drawing->Selected(), stack);
        QCOMPARE(near(list->currentRow()), rowEdges);

        // Zoom and pan as in the scheme panes; a double click shows the whole again.
        Wheel(drawing, onScreen.center().toPoint(), 2);
        QCOMPARE(drawing->Zoom().Scale(), 1.25 * 1.25);
        const QRectF zoomed = drawing->StackOnScreen(stack);
        QVERIFY(std::abs(zoomed.center().x() - onScreen.center().x()) <
                onScreen.width());  // the stack stays under the pointer
        QTest::mouseClick(drawing, Qt::LeftButton, {}, zoomed.center().toPoint());
        QCOMPARE(list->currentRow(), 2);
        QTest::mouseDClick(drawing, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(drawing->Zoom().AtRest());
    }

    void thePlanMarksTheCentreOfGravityWithAPayload() {
        Editor("Memo1")->setPlainText(kWithPayload);
        window_->calculate();
        Action("PlanItem")->trigger();
        auto* plan = window_->findChild<PlanView*>();
        PlanDrawing* drawing = plan->Drawing();
        QVERIFY(drawing->MassLine().startsWith("Конт. 1: "));
        QVERIFY(drawing->MassLine().contains("от 16000 кг"));
        QVERIFY(drawing->MassLine().contains("центр тяжести"));
        const std::optional<QPointF> cog = drawing->CentreOfGravityOnScreen();
        QVERIFY(cog.has_value());
        // The centre lies among the stacks: between the first and the last along the floor.
        double left = 1e9;
        double right = -1e9;
        for (int row = 0; row < plan->List()->rowCount(); ++row) {
            plan->List()->selectRow(row);
            const QRectF r = drawing->StackOnScreen(drawing->Selected());
            left = std::min(left, r.left());
            right = std::max(right, r.right());
        }
        QVERIFY(cog->x() > left && cog->x() < right);
        QCOMPARE(plan->List()->horizontalHeaderItem(6)->text(), QString("Масса, кг"));

        // Without masses there is no mass line and no mark.
        window_->loadExample("ISIN");
        QVERIFY(drawing->MassLine().isEmpty());
        QVERIFY(!drawing->CentreOfGravityOnScreen().has_value());
        QCOMPARE(plan->List()->columnCount(), 6);
    }

    void thePlanIsMarkedAndClearedWithTheResult() {
        window_->loadExample("HMAN");
        auto* plan = window_->findChild<PlanView*>();
        QTest::keyClicks(Editor("Memo1"), "1");
        QCOMPARE(Marks()->TextOver(plan), ResultMarks::StaleText());
        window_->newOrder();
        QCOMPARE(plan->Containers(), 0);
        QCOMPARE(plan->List()->rowCount(), 0);
        QCOMPARE(plan->SelectorText(), QString("Конт. — из —"));
    }

    // Splash and About

    void theBuildShipsASplashPictureOfOurOwn() {
        const QImage picture(QString(STOWBEL_PROGRAM_DIR) + "/Splash.jpg");
        QCOMPARE(picture.size(), QSize(900, 640));
        // A drawing, not a blank: many colours, the container's cargo among them.
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 4) {
            for (int x = 0; x < picture.width(); x += 4) {
                colours.insert(picture.pixel(x, y) & 0xF0F0F0);
            }
        }
        QVERIFY(colours.size() > 50);
        SplashWindow splash(STOWBEL_PROGRAM_DIR);
        QCOMPARE(splash.PictureRect(), QRect(0, 0, 900, 640));  // fills the window
    }

    void aboutShowsThePurposeAndTheVersion() {
        QString title;
        QString version;
        QString comments;
        bool picture = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            title = box->windowTitle();
            version = box->findChild<QLabel*>("Version")->text();
            comments = box->findChild<QLabel*>("Comments")->text();
            picture = !box->findChild<QLabel*>("ProgramIcon")->pixmap().isNull();
            box->accept();
        });
        window_->showAbout();
        QCOMPARE(title, QString("О программе"));
        QCOMPARE(version, QString("Версия " STOWBEL_VERSION));
        QVERIFY(comments.contains("план погрузки"));
        QVERIFY(picture);
    }

    void theWatchItemIsTickedWhileWatching() {
        QAction* item = Action("CutItem");
        QVERIFY(item->isCheckable());
        QVERIFY(!item->isChecked());
        item->trigger();
        QVERIFY(item->isChecked());
        QCOMPARE(item->text(), QString("Поставить на &дежурство"));
        item->trigger();
        QVERIFY(!item->isChecked());
    }
};

QTEST_MAIN(DeskTest)
#include "desk_test.moc"
