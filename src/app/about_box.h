#pragma once

#include <QDialog>

namespace stowbel {

// The About box. Created at start with the other windows; the About command shows the splash
// instead.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace stowbel
