#pragma once

#include <QDialog>

namespace stowbel {

// The About box. Created at start with the other windows; the About command shows the splash
// instead.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace stowbel
