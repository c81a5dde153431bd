// The desktop program as a planner meets it: Russian dialogs, the user guide, pictures that
// follow their panes, zoom in the scheme panes, the tool bar's icons and the container presets.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>

#include "app/container_menu.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/qt_translations.h"
#include "app/scheme_view.h"
#include "app/screen_pictures.h"
#include "app/user_dialogs.h"
#include "fake_dialogs.h"
#include "test_window.h"

using namespace stowbel;

namespace {

void Wheel(QWidget* widget, QPoint at, int notches) {
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// Where the drawn content of the view's picture lies in the pane.
QRectF ShownContent(const SchemeView& view, const QRect& content) {
    const QRectF area(content);
    return QRectF(view.Zoom().ToPane(area.topLeft()), view.Zoom().ToPane(area.bottomRight()));
}

QSize DrawnSize(ImageSize size) {
    return {size.width, size.height};
}

bool CentredIn(const QRectF& shown, const QWidget& pane) {
    return std::abs(shown.center().x() - pane.width() / 2.0) < 1 &&
           std::abs(shown.center().y() - pane.height() / 2.0) < 1;
}

void DragSplitter(QWidget* splitter, int dx) {
    QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(splitter, QPoint(5 + dx, 5));
    QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(5 + dx, 5));
}

}  // namespace

class DesktopTest : public QObject, protected WindowFixture {
    Q_OBJECT

private:
    QString Beside(const QString& name) const { return dir_->path() + "/" + name; }
    // The picture a scheme pane shows.
    QImage Shown(const char* pane) const { return View(pane)->Picture(); }
    SchemeView* View(const char* pane) const {
        return window_->findChild<QFrame*>(pane)->findChild<SchemeView*>();
    }
    ContainerMenu* Presets() const { return window_->findChild<ContainerMenu*>("ContainerMenu"); }
    QAction* Preset(const QString& name) const {
        for (QAction* action : Presets()->actions()) {
            if (action->text().section('\t', 0, 0) == name) {
                return action;
            }
        }
        return nullptr;
    }
    HelpWindow* Help() const { return window_->findChild<HelpWindow*>(); }

private slots:
    void initTestCase() { QVERIFY(InstallQtTranslations(*qApp)); }

    void init() { QVERIFY(Open(QSize(1280, 900))); }

    void cleanup() { Close(); }

    // Russian throughout

    void messageBoxButtonsAndFileDialogsSpeakRussian() {
        QMessageBox box(QMessageBox::Question, "t", "x",
                        QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No |
                            QMessageBox::Save | QMessageBox::Open);
        const auto text = [&](QMessageBox::StandardButton b) {
            return box.button(b)->text().remove('&');
        };
        QCOMPARE(text(QMessageBox::Cancel), QString("Отмена"));
        QCOMPARE(text(QMessageBox::Yes), QString("Да"));
        QCOMPARE(text(QMessageBox::No), QString("Нет"));
        QCOMPARE(text(QMessageBox::Save), QString("Сохранить"));
        QCOMPARE(text(QMessageBox::Open), QString("Открыть"));

        QFileDialog dialog(nullptr, "t", dir_->path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QCOMPARE(dialog.findChild<QLabel*>("lookInLabel")->text(), QString("Перейти к:"));
        QCOMPARE(dialog.findChild<QLabel*>("fileNameLabel")->text().remove('&'),
                 QString("Имя файла:"));
    }

    void theEditorsContextMenuSpeaksRussian() {
        std::unique_ptr<QMenu> menu(Editor()->createStandardContextMenu());
        int entries = 0;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) {
                continue;
            }
            ++entries;
            const QString text = action->text();
            const bool cyrillic = std::any_of(text.begin(), text.end(), [](QChar ch) {
                return ch.unicode() >= 0x0400 && ch.unicode() <= 0x04FF;
            });
            QVERIFY2(cyrillic, qPrintable(text));
        }
        QVERIFY(entries >= 5);  // undo, redo, cut, copy, paste, delete, select all
    }

    void theToolBarHasARussianTitle() {
        auto* bar = window_->findChild<QToolBar*>("ToolBar1");
        QCOMPARE(bar->windowTitle(), QString("Панель инструментов"));
        std::unique_ptr<QMenu> menu(window_->createPopupMenu());
        QVERIFY(menu != nullptr);
        QStringList entries;
        for (QAction* action : menu->actions()) {
            entries << action->text();
        }
        QCOMPARE(entries, QStringList({"Панель инструментов"}));
    }

    // Help

    void userGuideOpensOnTheDesktopOrInTheProgram_data() {
        QTest::addColumn<bool>("chm");
        QTest::addColumn<bool>("html");
        QTest::addColumn<bool>("desktopOpens");
        QTest::addColumn<bool>("helpWindow");
        QTest::addColumn<QString>("message");
        const QString cannot = "Не удалось открыть руководство пользователя.";
        QTest::newRow("desktop opens the compiled guide") << true << true << true << false << "";
        QTest::newRow("desktop cannot: HTML guide") << true << true << false << true << "";
        QTest::newRow("no compiled guide: HTML guide") << false << true << false << true << "";
        QTest::newRow("desktop cannot, no HTML") << true << false << false << false << cannot;
        QTest::newRow("neither") << false << false << false << false << "not found";
    }

    void userGuideOpensOnTheDesktopOrInTheProgram() {
        QFETCH(bool, chm);
        QFETCH(bool, html);
        QFETCH(bool, desktopOpens);
        QFETCH(bool, helpWindow);
        QFETCH(QString, message);
        const QString chmPath = Beside("Stowbel_UserGuide_RU.chm");
        const QString htmlPath = Beside("Stowbel_UserGuide_RU.html");
        if (chm) {
            WriteFile(chmPath, "ITSF");
        }
        if (html) {
            WriteFile(htmlPath, "<html><body><h1>Руководство</h1></body></html>");
        }
        dialogs_->desktopOpens = desktopOpens;
        window_->openUserGuide();

        QCOMPARE(dialogs_->openedByDesktop, chm ? QStringList({chmPath}) : QStringList());
        QCOMPARE(Help() != nullptr && Help()->isVisible(), helpWindow);
        if (helpWindow) {
            QCOMPARE(Help()->Browser().source(), QUrl::fromLocalFile(htmlPath));
            QVERIFY(Help()->Browser().toPlainText().contains("Руководство"));
            window_->openUserGuide();  // a second time: the same window comes to the front
            QCOMPARE(window_->findChildren<HelpWindow*>().size(), 1);
        }
        if (message.isEmpty()) {
            QVERIFY(dialogs_->messages.isEmpty());
        } else if (message == "not found") {
            QCOMPARE(dialogs_->messages,
                     QStringList({"Файл руководства не найден:\r\n" + chmPath}));
        } else {
            QCOMPARE(dialogs_->messages, QStringList({message}));
        }
    }

    void theBuildPutsTheGuideAndThePresetsBesideTheProgram() {
        const QString dir = STOWBEL_PROGRAM_DIR;
        const QByteArray guide = ReadFile(dir + "/Stowbel_UserGuide_RU.html");
        QVERIFY(guide.contains("<html"));
        QVERIFY(guide.contains("Stowbel_Containers.txt"));  // the presets file is documented
        QCOMPARE(ReadFile(dir + "/Stowbel_Containers.txt"), ReadFile(STOWBEL_PRESETS_SOURCE));
    }

    // Pictures follow their panes

    void picturesAreRedrawnAtThePaneSizeAfterADrag() {
        window_->loadExample("HMAN");
        const QStringList report = window_->ReportLines();
        SchemeView* view2D = View("Graph2DPanel");
        SchemeView* view3D = View("Graph3DPanel");
        const QSize before = Shown("Graph2DPanel").size();
        QCOMPARE(before, DrawnSize(Scheme2DDrawingSize(view2D->size())));

        DragSplitter(window_->findChild<QFrame*>("GraphSplitter"), -150);
        // The drag itself only moves the panes; the drawing waits until it rests.
        QCOMPARE(Shown("Graph2DPanel").size(), before);
        QTRY_COMPARE(Shown("Graph2DPanel").size(), DrawnSize(Scheme2DDrawingSize(view2D->size())));
        QCOMPARE(Shown("Graph3DPanel").size(), DrawnSize(View3DDrawingSize(view3D->size())));
        QVERIFY(Shown("Graph2DPanel").width() > before.width());
        QCOMPARE(window_->ReportLines(), report);
        QVERIFY(QDir(window_->Paths().outDirectory).isEmpty());

        // A window resize too.
        window_->resize(1500, 1000);
        QTRY_COMPARE(Shown("Graph2DPanel").size(), DrawnSize(Scheme2DDrawingSize(view2D->size())));
        QCOMPARE(Shown("Graph3DPanel").size(), DrawnSize(View3DDrawingSize(view3D->size())));
    }

    void aRedrawDrawsWhatTheLastCalculationDrewAtTheNewSize() {
        // Two units across leave room at the side: the alternation option moves every other row.
        Editor()->setPlainText("2450,16100,2200,50,0,ISIN\n800,1200,1000,SQR,0,0,9\n");
        window_->calculate();
        QAction* alternate = window_->findChild<QAction*>("N3");
        DragSplitter(window_->findChild<QFrame*>("GraphSplitter"), -120);
        alternate->setChecked(false);  // for the next calculation, not for the redraw
        SchemeView* view2D = View("Graph2DPanel");
        QTRY_COMPARE(Shown("Graph2DPanel").size(), DrawnSize(Scheme2DDrawingSize(view2D->size())));
        const QImage redrawn2D = Shown("Graph2DPanel");
        const QImage redrawn3D = Shown("Graph3DPanel");

        window_->calculate();  // without alternation
        QVERIFY(Shown("Graph2DPanel") != redrawn2D);
        alternate->setChecked(true);
        window_->calculate();  // as the example was calculated, at the new size
        QVERIFY(Shown("Graph2DPanel") == redrawn2D);
        QVERIFY(Shown("Graph3DPanel") == redrawn3D);
    }

    void nothingIsRedrawnBeforeTheFirstCalculation() {
        const QImage blank = Shown("Graph2DPanel");
        DragSplitter(window_->findChild<QFrame*>("GraphSplitter"), -100);
        QTest::qWait(300);
        QVERIFY(Shown("Graph2DPanel") == blank);
    }

    // Zoom

    void wheelZoomsAroundThePointerDragPansDoubleClickFits() {
        window_->loadExample("HMAN");
        SchemeView* view = View("Graph2DPanel");
        const QImage stored = Shown("Graph2DPanel");
        const QImage atRest = view->grab().toImage();
        // At rest the picture lies from the upper left corner, reduced only where it is drawn
        // larger than a narrow pane.
        const double rest = view->Zoom().Scale();
        QVERIFY(rest <= 1.0 && rest >= kMin2DShownScale);
        QCOMPARE(view->Zoom().Offset(), QPointF());
        QVERIFY(view->HintText().contains("олесо"));

        const QPoint pointer(200, 150);
        const QPointF under = view->Zoom().ToPicture(pointer);
        Wheel(view, pointer, 2);
        QCOMPARE(view->Zoom().Scale(), rest * 1.25 * 1.25);
        QCOMPARE(view->Zoom().ToPicture(pointer), under);  // the point stays put
        Wheel(view, pointer, -1);
        QCOMPARE(view->Zoom().Scale(), rest * 1.25);
        QVERIFY(view->HintText().contains(QString("%1 %").arg(std::lround(rest * 125))));
        QVERIFY(view->grab().toImage() != atRest);

        const QPointF offset = view->Zoom().Offset();
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(view, QPoint(130, 110));
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(130, 110));
        QCOMPARE(view->Zoom().Offset(), offset + QPointF(30, 10));

        QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY(view->Fitted());
        const QRect content = SchemeView::DrawnContent(stored);
        QVERIFY(!content.isEmpty());
        const QRectF shown = ShownContent(*view, content);
        const double margin = ViewZoom::kFitMargin;
        const QRectF room = QRectF(view->rect()).adjusted(margin, margin, -margin, -margin);
        QVERIFY(room.adjusted(-1, -1, 1, 1).contains(shown));
        // The content fills the room in one direction, centred.
        QVERIFY(std::abs(shown.width() - room.width()) < 1 ||
                std::abs(shown.height() - room.height()) < 1);
        QVERIFY(CentredIn(shown, *view));

        QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY(!view->Fitted());
        QCOMPARE(view->Zoom().Scale(), rest);
        QCOMPARE(view->Zoom().Offset(), QPointF());
        QVERIFY(view->grab().toImage() == atRest);
        // Looking never changes the picture that is stored.
        QVERIFY(Shown("Graph2DPanel") == stored);
    }

    void aNewPictureEndsTheZoomAndAFittedViewStaysFitted() {
        window_->loadExample("HMAN");
        SchemeView* view2D = View("Graph2DPanel");
        SchemeView* view3D = View("Graph3DPanel");
        Wheel(view2D, QPoint(100, 100), 3);
        view3D->FitToPane();
        window_->loadExample("ISIN");
        view2D->repaint();
        view3D->repaint();
        QCOMPARE(view2D->Zoom().Offset(), QPointF());  // at rest
        QVERIFY(view2D->Zoom().Scale() <= 1.0);
        QVERIFY(view3D->Fitted());
        const QRect content = SchemeView::DrawnContent(Shown("Graph3DPanel"));
        QVERIFY(CentredIn(ShownContent(*view3D, content), *view3D));
    }

    // Icons

    void toolButtonsHaveDistinctIconsOf64Pixels() {
        const char* names[] = {"ToolButton1", "ToolButton7",    "ToolButton2",    "ToolButton3",
                               "ToolButton5", "ToolButtonDemo", "ToolButtonPlan", "ToolButton6"};
        QCOMPARE(window_->findChild<QToolBar*>("ToolBar1")->iconSize(), QSize(64, 64));
        std::vector<QImage> images;
        for (const char* name : names) {
            auto* button = window_->findChild<QToolButton*>(name);
            QVERIFY2(button != nullptr, name);
            const QIcon icon = button->icon();
            QVERIFY2(icon.availableSizes().contains(QSize(64, 64)), name);
            const QImage image = icon.pixmap(QSize(64, 64), 1.0).toImage();
            QCOMPARE(image.size(), QSize(64, 64));
            int opaque = 0;
            for (int y = 0; y < 64; ++y) {
                for (int x = 0; x < 64; ++x) {
                    opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
                }
            }
            QVERIFY2(opaque > 64 * 64 / 5, name);  // a picture, not a speck
            images.push_back(image);
        }
        for (std::size_t i = 0; i < images.size(); ++i) {
            for (std::size_t j = i + 1; j < images.size(); ++j) {
                QVERIFY2(images[i] != images[j],
                         qPrintable(QString("%1 and %2 look alike").arg(names[i], names[j])));
            }
        }
    }

    // Container presets

    void aPresetReplacesTheSizesAndKeepsTheRestOfTheLine() {
        QFile::copy(STOWBEL_PRESETS_SOURCE, Beside("Stowbel_Containers.txt"));
        Presets()->Reload();
        QStringList names;
        for (QAction* action : Presets()->actions()) {
            QVERIFY(action->isEnabled());
            names << action->text().section('\t', 0, 0);
        }
        QCOMPARE(names,
                 QStringList({"20'", "40'", "40' HC", "45' HC", "Полуприцеп-штора 13,6 м",
                              "Грузовик 16,1 м (пример HMAN)", "Грузовик 16,8 м (пример ISIN)"}));
        QCOMPARE(Preset("40' HC")->text().section('\t', 1), QString("12032 × 2352 × 2698"));

        window_->loadExample("HMAN");
        Editor()->document()->clearUndoRedoStacks();
        const QStringList before = window_->OrderLines();
        Preset("40' HC")->trigger();
        QStringList expected = before;
        expected[1] = "2352,12032,2698,50,0,HMAN";
        QCOMPARE(window_->OrderLines(), expected);
        QCOMPARE(Editor()->textCursor().selectedText(), expected[1]);
        QVERIFY(window_->statusBar()->currentMessage().contains("40' HC"));
        Editor()->undo();
        QCOMPARE(window_->OrderLines(), before);

        // An empty order gets a container line with the example's clearance, gap and mode.
        window_->clearOrder();
        Preset("20'")->trigger();
        QCOMPARE(window_->OrderLines(),
                 QStringList({"//Ширина,Длина,Высота,ОтступПоБортам,ОтступМеждуГЕ,Режим",
                              "2352,5898,2393,50,30,ISIN"}));
        QVERIFY(window_->findChild<QAction*>("N2")->isEnabled());
    }

    void presetsFileProblemsShowInTheMenu() {
        Presets()->Reload();
        QCOMPARE(Presets()->actions().size(), 1);
        QVERIFY(!Presets()->actions().front()->isEnabled());
        QVERIFY(Presets()->actions().front()->text().contains("Stowbel_Containers.txt"));

        WriteFile(Beside("Stowbel_Containers.txt"),
                  "// мой список\n"
                  "Фура; 13600; 2450; 2700\n"
                  "Газель 4 м; 4000; 2000\n");
        emit Presets()->aboutToShow();  // the menu reads the file as it opens
        const QList<QAction*> actions = Presets()->actions();
        QCOMPARE(actions.size(), 3);  // the preset, a separator, the problem
        QVERIFY(actions[0]->isEnabled());
        QVERIFY(actions[1]->isSeparator());
        QVERIFY(!actions[2]->isEnabled());
        QVERIFY(actions[2]->text().startsWith("Stowbel_Containers.txt, строка 3:"));
    }

    void presetsAreOffWhileWatchModeOwnsTheEditor() {
        QFile::copy(STOWBEL_PRESETS_SOURCE, Beside("Stowbel_Containers.txt"));
        window_->loadExample("HMAN");
        const QStringList before = window_->OrderLines();
        window_->toggleWatchMode();
        emit Presets()->aboutToShow();
        QVERIFY(!Preset("40'")->isEnabled());
        Presets()->ApplySizes("40'", {12032, 2352, 2393});
        QCOMPARE(window_->OrderLines(), before);
        window_->toggleWatchMode();
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
