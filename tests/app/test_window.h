#pragma once

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QPlainTextEdit>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/main_window.h"
#include "app/user_dialogs.h"
#include "fake_dialogs.h"

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

// What every test of the main window starts from: a window of its own in a fresh temporary
// folder, answered by fake dialogs, and the few ways the tests reach into it. A test class
// derives from it beside QObject, opens the window in init() and closes it in cleanup().
class WindowFixture {
protected:
    // Shows a new window (at size, when given) and waits until it is on screen.
    bool Open(QSize size = {}) {
        dir_ = std::make_unique<QTemporaryDir>();
        dialogs_ = std::make_unique<FakeDialogs>();
        window_ = ShowTestWindow(dir_->path(), *dialogs_, size);
        return QTest::qWaitForWindowExposed(window_.get());
    }
    void Close() {
        window_.reset();
        dialogs_.reset();
        dir_.reset();
    }

    QString In(const QString& name) const { return window_->Paths().inDirectory + "/" + name; }
    QString Out(const QString& name) const { return window_->Paths().outDirectory + "/" + name; }
    QAction* Action(const char* name) const { return window_->findChild<QAction*>(name); }
    QPlainTextEdit* Editor(const char* name = "Memo1") const {
        return window_->findChild<QPlainTextEdit*>(name);
    }
    // Writes an order into IN and opens it as the open dialog would.
    void OpenOrder(const QString& name, const QByteArray& text) {
        WriteFile(In(name), text);
        dialogs_->openName = In(name);
        window_->openOrder();
    }
    // An order file in IN written long enough ago to be ready at the next tick.
    void DropReadyOrder(const QString& name, const QByteArray& text) {
        WriteFile(In(name), text);
        QFile file(In(name));
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime::currentDateTime().addSecs(-10),
                         QFileDevice::FileModificationTime);
    }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakeDialogs> dialogs_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace stowbel
