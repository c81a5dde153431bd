#pragma once

#include <functional>

#include "app/user_dialogs.h"

namespace stowbel {

// The program's dialogs, knowing whether one of them is open: a watch-mode tick must not
// replace the order and report behind an open Save As, message box or examples choice.
class TrackedDialogs : public UserDialogs {
public:
    struct Callbacks {
        std::function<void()> opened;     // a dialog opens
        std::function<void()> allClosed;  // the last open dialog closed
    };

    // Marks a dialog of the program's own (one not asked through this class) as open.
    class Scope {
    public:
        explicit Scope(TrackedDialogs& dialogs);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        TrackedDialogs& dialogs_;
    };

    TrackedDialogs(UserDialogs& dialogs, Callbacks callbacks);

    bool AnyOpen() const { return open_ > 0; }

    QString OpenFileName(QWidget* parent, const QString& directory) override;
    QString SaveFileName(QWidget* parent, const QString& directory) override;
    QString SavePlanFileName(QWidget* parent, const QString& suggested) override;
    bool SetUpPrinter(QWidget* parent, QPrinter& printer) override;
    int chooseExample(QWidget* parent) override;
    void ShowError(QWidget* parent, const QString& message) override;
    void ShowMessage(QWidget* parent, const QString& message) override;
    // The desktop's viewer opens apart from the program: no dialog of ours stays open.
    bool OpenDocument(const QString& path) override { return dialogs_.OpenDocument(path); }

private:
    UserDialogs& dialogs_;
    Callbacks callbacks_;
    int open_ = 0;
};

}  // namespace stowbel
