#pragma once

#include <QMenu>
#include <QString>

#include "order/container_sizes.h"

class QPlainTextEdit;

namespace stowbel {

// The menu "Контейнер": the presets file beside the program, read again whenever the menu opens
// so that a desk's edits show at once. Choosing a preset writes its inner sizes into the order's
// container line and keeps the rest of that line; the editor's undo takes it back.
class ContainerMenu : public QMenu {
    Q_OBJECT
public:
    ContainerMenu(const QString& presetsPath, QPlainTextEdit& orderEditor, QWidget* parent);

    // Builds the items from the file as it is now.
    void Reload();
    // Puts the sizes into the editor's order; nothing while the editor is read-only.
    void ApplySizes(const QString& name, const ContainerSizes& sizes);

signals:
    // What was put where, for the status bar.
    void Applied(const QString& message);

private:
    QString presetsPath_;
    QPlainTextEdit& orderEditor_;
};

}  // namespace stowbel
