// Redrawing the pictures after their panes changed size: what a planner waits for after a
// splitter drag or a window resize.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFrame>
#include <QTemporaryDir>
#include <cstdlib>

#include "app/image_view.h"
#include "app/main_window.h"
#include "app/picture_redraw.h"
#include "app/user_dialogs.h"

namespace {

using namespace stowbel;

class NoDialogs : public UserDialogs {
public:
    QString OpenFileName(QWidget*, const QString&) override { return {}; }
    QString SaveFileName(QWidget*, const QString&) override { return {}; }
    QString SavePlanFileName(QWidget*, const QString&) override { return {}; }
    bool SetUpPrinter(QWidget*, QPrinter&) override { return false; }
    int chooseExample(QWidget*) override { return 0; }
    void ShowError(QWidget*, const QString&) override {}
    void ShowMessage(QWidget*, const QString&) override {}
    bool OpenDocument(const QString&) override { return false; }
};

QString SizeText(const QWidget& widget) {
    return QStringLiteral("%1x%2").arg(widget.width()).arg(widget.height());
}

// The main window at 1280 x 900 with the HMAN example calculated; each iteration draws its 2D
// scheme, main 3D view and summary picture again at the panes' sizes.
void BM_RedrawHmanAt1280x900(benchmark::State& state) {
    QTemporaryDir dir;
    NoDialogs dialogs;
    const QString root = dir.path();
    MainWindow window(AppPaths{root, root + "/IN", root + "/OUT"}, dialogs);
    window.show();
    window.setWindowState(Qt::WindowNoState);
    window.resize(1280, 900);
    QApplication::processEvents();
    window.loadExample(QStringLiteral("HMAN"));
    auto* redraw = window.findChild<PictureRedraw*>();
    const QWidget& view2D =
        *window.findChild<QFrame*>(QStringLiteral("Graph2DPanel"))->findChild<ImageView*>();
    const QWidget& view3D =
        *window.findChild<QFrame*>(QStringLiteral("Graph3DPanel"))->findChild<ImageView*>();
    for (auto _ : state) {
        redraw->Redraw();
    }
    state.SetLabel(QStringLiteral("window %1, 2D %2, 3D %3")
                       .arg(SizeText(window), SizeText(view2D), SizeText(view3D))
                       .toStdString());
}

BENCHMARK(BM_RedrawHmanAt1280x900)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
