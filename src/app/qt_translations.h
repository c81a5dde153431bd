#pragma once

class QCoreApplication;

namespace stowbel {

// Loads Qt's own Russian texts (file dialogs, message box buttons, context menus) from the
// translations Qt is installed with, whatever the user's language: the program speaks Russian
// throughout. Returns false, and the texts stay English, when the translations are missing.
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace stowbel
