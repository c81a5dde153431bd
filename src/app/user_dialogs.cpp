#include "app/user_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "app/desktop_open.h"

namespace stowbel {

namespace {

const QString kTitle = QStringLiteral("Расчёт загрузки поддонов в контейнер");

}  // namespace

QString QtUserDialogs::OpenFileName(QWidget* parent, const QString& directory) {
    QFileDialog dialog(parent, QStringLiteral("Открыть"), directory);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

QString QtUserDialogs::SaveFileName(QWidget* parent, const QString& directory) {
    QFileDialog dialog(parent, QStringLiteral("Сохранить как"), directory);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

QString QtUserDialogs::SavePlanFileName(QWidget* parent, const QString& suggested) {
    QFileDialog dialog(parent, QStringLiteral("Сохранить план в PDF"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Документ PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

bool QtUserDialogs::SetUpPrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Печать плана"));
    return dialog.exec() == QDialog::Accepted;
}

int QtUserDialogs::chooseExample(QWidget* parent) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Демонстрационные данные"),
                    QStringLiteral("Выберите демонстрационный набор исходных данных:"),
                    QMessageBox::NoButton, parent);
    QPushButton* hman = box.addButton(QStringLiteral("HMAN"), QMessageBox::YesRole);
    QPushButton* isin = box.addButton(QStringLiteral("ISIN"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(hman);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == hman) {
        return 1;
    }
    if (box.clickedButton() == isin) {
        return 2;
    }
    return 0;
}

void QtUserDialogs::ShowError(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, kTitle, message);
}

void QtUserDialogs::ShowMessage(QWidget* parent, const QString& message) {
    QMessageBox::information(parent, kTitle, message);
}

bool QtUserDialogs::OpenDocument(const QString& path) {
    return OpenWithDesktop(path);
}

}  // namespace stowbel
