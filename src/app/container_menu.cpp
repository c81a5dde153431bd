#include "app/container_menu.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include "app/container_presets.h"

namespace stowbel {

namespace {

QString SizesText(const ContainerSizes& sizes) {
    return QStringLiteral("%1 × %2 × %3").arg(sizes.length).arg(sizes.width).arg(sizes.height);
}

std::vector<std::string> EditorLines(const QPlainTextEdit& editor) {
    const QString text = editor.toPlainText();
    std::vector<std::string> lines;
    if (text.isEmpty()) {
        return lines;
    }
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        lines.push_back(line.toStdString());
    }
    return lines;
}

}  // namespace

ContainerMenu::ContainerMenu(const QString& presetsPath, QPlainTextEdit& orderEditor,
                             QWidget* parent)
    : QMenu(QStringLiteral("&Контейнер"), parent),
      presetsPath_(presetsPath),
      orderEditor_(orderEditor) {
    setObjectName(QStringLiteral("ContainerMenu"));
    menuAction()->setObjectName(QStringLiteral("ContainerMenuAction"));
    menuAction()->setStatusTip(
        QStringLiteral("Внутренние размеры контейнера или кузова — в строку контейнера заказа"));
    connect(this, &QMenu::aboutToShow, this, &ContainerMenu::Reload);
    Reload();
}

void ContainerMenu::Reload() {
    clear();
    const ContainerPresetList list = ReadContainerPresets(presetsPath_.toStdString());
    const bool editable = !orderEditor_.isReadOnly();
    for (const ContainerPreset& preset : list.presets) {
        const QString name = QString::fromStdString(preset.name);
        // The sizes stand in the shortcut column; "&" in a name is no access key.
        QString label = name;
        label.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = addAction(label + QLatin1Char('\t') + SizesText(preset.sizes));
        action->setStatusTip(
            QStringLiteral("Длина × ширина × высота внутри, мм; зазоры и режим строки остаются"));
        action->setEnabled(editable);
        const ContainerSizes sizes = preset.sizes;
        connect(action, &QAction::triggered, this,
                [this, name, sizes] { ApplySizes(name, sizes); });
    }
    if (!list.problems.empty()) {
        if (!list.presets.empty()) {
            addSeparator();
        }
        for (const std::string& problem : list.problems) {
            addAction(QString::fromStdString(problem))->setEnabled(false);
        }
    }
}

void ContainerMenu::ApplySizes(const QString& name, const ContainerSizes& sizes) {
    if (orderEditor_.isReadOnly()) {
        return;
    }
    const ContainerLineEdit edit = WithContainerSizes(EditorLines(orderEditor_), sizes);
    QTextDocument* document = orderEditor_.document();
    // One edit block: a single undo restores the order as it was.
    QTextCursor cursor(document);
    QString text;
    if (edit.inserted) {
        cursor.select(QTextCursor::Document);
        QStringList lines;
        for (const std::string& line : edit.lines) {
            lines << QString::fromStdString(line);
        }
        text = lines.join(QLatin1Char('\n'));
    } else {
        cursor = QTextCursor(document->findBlockByNumber(edit.lineIndex));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        text = QString::fromStdString(edit.lines[static_cast<std::size_t>(edit.lineIndex)]);
    }
    cursor.beginEditBlock();
    cursor.insertText(text);
    cursor.endEditBlock();

    // Show the line that changed.
    QTextCursor line(document->findBlockByNumber(edit.lineIndex));
    line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    orderEditor_.setTextCursor(line);
    orderEditor_.ensureCursorVisible();
    emit Applied(QStringLiteral("Контейнер «%1»: %2 мм").arg(name, SizesText(sizes)));
}

}  // namespace stowbel
