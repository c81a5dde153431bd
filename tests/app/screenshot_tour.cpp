// Walks through the desktop program as a new user would and photographs each step: the main
// window with the ISIN example (the README's screenshot), the Russian open dialog and error box,
// the user guide, a splitter drag, zoom and fit, the container presets, the plan's commands and
// dialogs. Run it under Xvfb:
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/tests/app/stowbel_screenshot_tour DIR
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <cstdio>
#include <functional>

#include "app/main_window.h"
#include "app/qt_translations.h"
#include "app/scheme_view.h"
#include "app/splash_window.h"
#include "app/user_dialogs.h"

using namespace stowbel;

namespace {

class Tour {
public:
    Tour(QString directory, MainWindow& window)
        : directory_(std::move(directory)), window_(window) {}

    void Shoot(const QString& name) const {
        QTest::qWait(400);  // let the X server paint
        const QString path = directory_ + "/" + name + ".png";
        QGuiApplication::primaryScreen()->grabWindow(0).save(path);
        std::printf("%s\n", qPrintable(path));
    }

    // Runs a step that opens a modal dialog, photographs the dialog and closes it.
    void ShootModal(const QString& name, const std::function<void()>& open) const {
        QTimer::singleShot(800, [this, name] {
            Shoot(name);
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
            }
        });
        open();
    }

    SchemeView* View(const char* pane) const {
        return window_.findChild<QFrame*>(pane)->findChild<SchemeView*>();
    }

private:
    QString directory_;
    MainWindow& window_;
};

void Wheel(QWidget* widget, QPoint at, int notches) {
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    InstallQtTranslations(app);
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const QString program = STOWBEL_PROGRAM_DIR;
    QtUserDialogs dialogs;
    MainWindow window(AppPaths{program, program + "/IN", program + "/OUT"}, dialogs);
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    window.show();
    Tour tour(out, window);
    auto* editor = window.findChild<QPlainTextEdit*>("Memo1");

    window.loadExample("ISIN");
    tour.Shoot("01-main-isin");

    tour.ShootModal("02-open-dialog", [&] { window.openOrder(); });
    editor->setPlainText("2450,16800,2200,50,30,ISIN\n800,1200,2100,BOX,1,0,10\n");
    tour.ShootModal("03-error-box", [&] { window.calculate(); });
    std::unique_ptr<QMenu> barMenu(window.createPopupMenu());
    barMenu->popup(window.mapToGlobal(QPoint(400, 60)));
    tour.Shoot("04-toolbar-context-menu");
    barMenu->close();

    window.openUserGuide();
    tour.Shoot("05-user-guide");
    if (QWidget* help = window.findChild<QWidget*>("HelpWindow")) {
        help->close();
    }

    window.loadExample("HMAN");
    tour.Shoot("06-hman-before-drag");
    QWidget* splitter = window.findChild<QFrame*>("GraphSplitter");
    QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(5, 5));
    for (int dx = -20; dx >= -300; dx -= 20) {
        QTest::mouseMove(splitter, QPoint(5 + dx, 5));
        QTest::qWait(15);
    }
    QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(5 - 300, 5));
    tour.Shoot("07-hman-after-drag");

    SchemeView* view2D = tour.View("Graph2DPanel");
    Wheel(view2D, QPoint(view2D->width() / 4, 90), 4);
    tour.Shoot("08-zoom-2d");
    view2D->FitToPane();
    tour.View("Graph3DPanel")->FitToPane();
    tour.Shoot("09-fit-both");

    QMenu* presets = window.findChild<QMenu*>("ContainerMenu");
    const QRect item = window.menuBar()->actionGeometry(presets->menuAction());
    presets->popup(window.menuBar()->mapToGlobal(item.bottomLeft()));
    tour.Shoot("10-container-menu");
    presets->close();
    for (QAction* action : presets->actions()) {
        if (action->text().startsWith("40' HC\t")) {
            action->trigger();
        }
    }
    tour.Shoot("11-preset-40hc");
    window.calculate();
    tour.Shoot("12-preset-40hc-calculated");

    const auto popUp = [&](const char* name) {
        QMenu* menu = window.findChild<QMenu*>(name);
        menu->popup(window.menuBar()->mapToGlobal(
            window.menuBar()->actionGeometry(menu->menuAction()).bottomLeft()));
        return menu;
    };
    QMenu* file = popUp("File1");
    tour.Shoot("13-file-menu-plan");
    file->close();
    QMenu* options = popUp("N3D1");
    tour.Shoot("14-options-menu");
    options->close();
    tour.ShootModal("15-print-dialog", [&] { window.printPlan(); });
    tour.ShootModal("16-save-plan-dialog", [&] { window.savePlan(); });

    // A result that no longer describes the order, and one stopped by an order error.
    window.loadExample("HMAN");
    editor->moveCursor(QTextCursor::End);
    editor->insertPlainText("\n800,1200,1000,SQR,1,0,4\n");
    tour.Shoot("17-order-changed");
    editor->insertPlainText("800,1200,1000,BOX,1,0,4\n");
    tour.ShootModal("18-order-error", [&] { window.calculate(); });
    tour.Shoot("19-order-error-banner");

    // The plan view, one container at a time, a row and its stack selected.
    editor->setPlainText(
        "2450,16100,2200,50,0,HMAN,16000\n800,1200,2100,SQR,1,0,20,650\n"
        "1000,1200,2150,SQR,0,0,36,480\n800,1000,1000,SQR,1,0,50,120\n");
    window.calculate();
    window.findChild<QAction*>("PlanItem")->trigger();
    tour.Shoot("20-plan-view");
    if (auto* list = window.findChild<QTableWidget*>("PlanList")) {
        list->selectRow(4);
    }
    if (auto* next = window.findChild<QToolButton*>("PlanNext")) {
        next->click();
    }
    tour.Shoot("21-plan-view-second");
    window.findChild<QAction*>("PlanItem")->trigger();

    // Many containers in the 2D pane, and a narrow window.
    editor->setPlainText("2450,16100,2200,50,0,HMAN\n800,1200,2100,SQR,1,0,700\n");
    window.calculate();
    tour.Shoot("22-many-containers");
    window.showNormal();
    window.setGeometry(QRect(40, 40, 900, 640));
    QTest::qWait(600);
    tour.Shoot("23-narrow-window");

    QMenu* watch = popUp("Edit1");
    window.findChild<QAction*>("CutItem")->trigger();
    watch->close();
    watch = popUp("Edit1");
    tour.Shoot("24-watch-menu-ticked");
    watch->close();
    window.findChild<QAction*>("CutItem")->trigger();

    {
        SplashWindow splash(program);
        splash.show();
        tour.Shoot("25-splash");
    }
    tour.ShootModal("26-about", [&] { window.showAbout(); });

    // Dense loading: a search that takes its time shows its progress; closing it cancels.
    window.findChild<QAction*>("DenseItem")->setChecked(true);
    QString heavy = "2330,5870,2200,0,0,ISIN\n";
    for (int i = 0; i < 20; ++i) {
        heavy +=
            QString("%1,%2,%3,SQR,1,2,40\n").arg(300 + 17 * i).arg(420 + 23 * i).arg(250 + 29 * i);
    }
    editor->setPlainText(heavy);
    tour.ShootModal("27-dense-progress", [&] { window.calculate(); });
    editor->setPlainText(
        "2350,5900,2390,0,0,ISIN\n1000,1200,1400,SQR,1,0,6\n600,800,900,SQR,1,2,40\n"
        "400,600,500,SQR,1,2,30\n600,600,900,RND,0,0,6\n");
    window.calculate();
    tour.Shoot("28-dense-plan");
    return 0;
}
