#include "app/tracked_dialogs.h"

namespace stowbel {

TrackedDialogs::Scope::Scope(TrackedDialogs& dialogs) : dialogs_(dialogs) {
    if (dialogs_.open_++ == 0 && dialogs_.callbacks_.opened) {
        dialogs_.callbacks_.opened();
    }
}

TrackedDialogs::Scope::~Scope() {
    if (--dialogs_.open_ == 0 && dialogs_.callbacks_.allClosed) {
        dialogs_.callbacks_.allClosed();
    }
}

TrackedDialogs::TrackedDialogs(UserDialogs& dialogs, Callbacks callbacks)
    : dialogs_(dialogs), callbacks_(std::move(callbacks)) {}

QString TrackedDialogs::OpenFileName(QWidget* parent, const QString& directory) {
    const Scope scope(*this);
    return dialogs_.OpenFileName(parent, directory);
}

QString TrackedDialogs::SaveFileName(QWidget* parent, const QString& directory) {
    const Scope scope(*this);
    return dialogs_.SaveFileName(parent, directory);
}

QString TrackedDialogs::SavePlanFileName(QWidget* parent, const QString& suggested) {
    const Scope scope(*this);
    return dialogs_.SavePlanFileName(parent, suggested);
}

bool TrackedDialogs::SetUpPrinter(QWidget* parent, QPrinter& printer) {
    const Scope scope(*this);
    return dialogs_.SetUpPrinter(parent, printer);
}

int TrackedDialogs::chooseExample(QWidget* parent) {
    const Scope scope(*this);
    return dialogs_.chooseExample(parent);
}

void TrackedDialogs::ShowError(QWidget* parent, const QString& message) {
    const Scope scope(*this);
    dialogs_.ShowError(parent, message);
}

void TrackedDialogs::ShowMessage(QWidget* parent, const QString& message) {
    const Scope scope(*this);
    dialogs_.ShowMessage(parent, message);
}

}  // namespace stowbel
