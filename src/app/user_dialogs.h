#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace stowbel {

// Every question the main window asks the user. The program uses the Qt dialogs; tests answer
// in place of a person.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // An order file to open; empty when cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& directory) = 0;
    // A file to save the report to; empty when cancelled.
    virtual QString SaveFileName(QWidget* parent, const QString& directory) = 0;
    // A PDF file to save the loading plan to, starting at suggested; empty when cancelled.
    virtual QString SavePlanFileName(QWidget* parent, const QString& suggested) = 0;
    // The system print dialog for printer, set up for the plan beforehand. True when the user
    // chose to print; the dialog may have chosen another printer, pages or a file to print to.
    virtual bool SetUpPrinter(QWidget* parent, QPrinter& printer) = 0;
    // 1 for "HMAN", 2 for "ISIN", 0 for cancel.
    virtual int chooseExample(QWidget* parent) = 0;
    virtual void ShowError(QWidget* parent, const QString& message) = 0;
    virtual void ShowMessage(QWidget* parent, const QString& message) = 0;
    // Hands a document to the desktop's application for it; false when none takes it.
    virtual bool OpenDocument(const QString& path) = 0;
};

class QtUserDialogs : public UserDialogs {
public:
    QString OpenFileName(QWidget* parent, const QString& directory) override;
    QString SaveFileName(QWidget* parent, const QString& directory) override;
    QString SavePlanFileName(QWidget* parent, const QString& suggested) override;
    bool SetUpPrinter(QWidget* parent, QPrinter& printer) override;
    int chooseExample(QWidget* parent) override;
    void ShowError(QWidget* parent, const QString& message) override;
    void ShowMessage(QWidget* parent, const QString& message) override;
    bool OpenDocument(const QString& path) override;
};

}  // namespace stowbel
