// stowbel-cli-draw: the command-line tool with the toolkit that drawing needs. stowbel-cli hands
// its commands that draw over to it; it runs every command itself.
#include <QGuiApplication>
#include <QHashSeed>
#include <QString>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "pictures/raster_pictures.h"
#include "plan/pdf_plan_writer.h"

namespace {

// Qt's own notices about the environment (no runtime directory on a server) are not the
// tool's output.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith("QStandardPaths:")) {
        return;
    }
    std::cerr << message.toStdString() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    // The tool draws off-screen and never needs a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Qt orders a PDF's font objects by hash; a seed that differs from process to process would
    // give the same order a plan with other bytes.
    QHashSeed::setDeterministicGlobalSeed();
    qInstallMessageHandler(QuietMessages);
    // Started only when something is drawn.
    std::unique_ptr<QGuiApplication> app;
    const stowbel::RasterPictureMaker pictures;
    const stowbel::PdfPlanWriter plans;
    const stowbel::DrawingSource drawing = [&]() -> stowbel::Drawing {
        if (!app) {
            app = std::make_unique<QGuiApplication>(argc, argv);
        }
        return {pictures, plans};
    };
    const std::vector<std::string> args(argv, argv + argc);
    return stowbel::RunCli(args, std::cout, std::cerr, drawing);
}
