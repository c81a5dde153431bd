#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPageLayout>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <QTest>
#include <functional>

#include "app/user_dialogs.h"

namespace stowbel {

// Answers the main window's questions in place of a person and remembers what it was asked.
class FakeDialogs : public UserDialogs {
public:
    QString openName;
    QString saveName;
    int demoChoice = 0;
    int openAsked = 0;
    int saveAsked = 0;
    QStringList errors;
    QStringList messages;
    bool desktopOpens = false;  // whether the desktop has a viewer for a document
    QStringList openedByDesktop;
    QString planName;                 // the answer to the plan's save dialog
    QStringList planSuggestions;      // where each plan's save dialog started
    QList<QPageLayout> printLayouts;  // the printer's page when each print dialog opened
    QStringList printDocNames;        // and the document's name
    // What the print dialog does with the printer; cancels unless set.
    std::function<bool(QPrinter&)> printAnswer;
    // What happens while a dialog is open (the watch-mode timer may fire).
    std::function<void()> whileOpen;

    QString OpenFileName(QWidget*, const QString&) override {
        ++openAsked;
        WhileOpen();
        return openName;
    }
    QString SaveFileName(QWidget*, const QString&) override {
        ++saveAsked;
        WhileOpen();
        return saveName;
    }
    QString SavePlanFileName(QWidget*, const QString& suggested) override {
        planSuggestions << suggested;
        WhileOpen();
        return planName;
    }
    bool SetUpPrinter(QWidget*, QPrinter& printer) override {
        printLayouts << printer.pageLayout();
        printDocNames << printer.docName();
        WhileOpen();
        return printAnswer ? printAnswer(printer) : false;
    }
    int chooseExample(QWidget*) override {
        WhileOpen();
        return demoChoice;
    }
    void ShowError(QWidget*, const QString& message) override {
        errors << message;
        WhileOpen();
    }
    void ShowMessage(QWidget*, const QString& message) override {
        messages << message;
        WhileOpen();
    }
    bool OpenDocument(const QString& path) override {
        openedByDesktop << path;
        return desktopOpens;
    }

private:
    void WhileOpen() const {
        if (whileOpen) {
            whileOpen();
        }
    }
};

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace stowbel
