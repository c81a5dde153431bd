#include "app/desktop_open.h"

#include <QDesktopServices>
#include <QUrl>

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#endif

namespace stowbel {

namespace {

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
constexpr int kQueryMilliseconds = 2000;

// xdg-open reports success as soon as it has started, whether or not any application takes the
// document, so ask the desktop first whether one is registered for the file's type.
bool HasApplicationFor(const QString& path) {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) {
        return false;
    }
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(kQueryMilliseconds)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}
#else
bool HasApplicationFor(const QString&) {
    return true;  // the shell itself says whether it could open the document
}
#endif

}  // namespace

bool OpenWithDesktop(const QString& path) {
    return HasApplicationFor(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace stowbel
