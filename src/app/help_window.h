#pragma once

#include <QWidget>

class QTextBrowser;

namespace stowbel {

// A small window of the program that shows the HTML user guide.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent);

    // Shows the guide, brought to the front when the window is already open.
    void ShowGuide(const QString& htmlPath);
    const QTextBrowser& Browser() const { return *browser_; }

private:
    QTextBrowser* browser_ = nullptr;
};

}  // namespace stowbel
