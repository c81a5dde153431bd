#include "app/startup.h"

#include <QApplication>
#include <QThread>

#include "app/about_box.h"
#include "app/main_window.h"
#include "app/qt_translations.h"
#include "app/splash_window.h"
#include "app/user_dialogs.h"

namespace stowbel {

int RunProgram(QApplication& app, const SplashWait& wait) {
    InstallQtTranslations(app);
    const AppPaths paths = AppPaths::BesideProgram();
    {
        SplashWindow splash(paths.programDirectory);
        splash.show();
        splash.repaint();
        QApplication::processEvents();  // let the window system show it once
        wait(kSplashMilliseconds);
    }
    QtUserDialogs dialogs;
    MainWindow window(paths, dialogs);
    AboutBox about(&window);  // created with the other windows, shown by nobody
    window.showMaximized();
    QApplication::processEvents();
    return app.exec();
}

}  // namespace stowbel
