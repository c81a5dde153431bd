#pragma once

#include <QSize>
#include <QString>
#include <memory>

#include "app/main_window.h"
#include "app/user_dialogs.h"

namespace stowbel {

// A main window whose IN and OUT lie in root, answered by dialogs, shown at size (or at its
// own size when none is given). The caller waits for it to be exposed.
inline std::unique_ptr<MainWindow> ShowTestWindow(const QString& root, UserDialogs& dialogs,
                                                  QSize size = {}) {
    auto window =
        std::make_unique<MainWindow>(AppPaths{root, root + "/IN", root + "/OUT"}, dialogs);
    if (size.isValid()) {
        window->resize(size);
    }
    window->show();
    return window;
}

}  // namespace stowbel
