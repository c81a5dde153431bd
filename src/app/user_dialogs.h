#pragma once

#include <QString>

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
    int chooseExample(QWidget* parent) override;
    void ShowError(QWidget* parent, const QString& message) override;
    void ShowMessage(QWidget* parent, const QString& message) override;
    bool OpenDocument(const QString& path) override;
};

}  // namespace stowbel
