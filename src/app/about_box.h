#pragma once

#include <QDialog>

namespace stowbel {

// The About box: the program's purpose and version beside its splash picture. Created at start
// with the other windows; the About command shows one.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace stowbel
