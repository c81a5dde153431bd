#include "app/help_window.h"

#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace stowbel {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Руководство пользователя"));
    resize(820, 720);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::ShowGuide(const QString& htmlPath) {
    const QUrl url = QUrl::fromLocalFile(htmlPath);
    if (browser_->source() != url) {
        browser_->setSource(url);
    }
    show();
    raise();
    activateWindow();
}

}  // namespace stowbel
