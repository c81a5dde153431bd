#include "app/user_guide.h"

#include <QFileInfo>

namespace stowbel {

GuideFiles GuideFiles::In(const QString& programDirectory) {
    const QString dir = programDirectory + QLatin1Char('/');
    return {dir + QLatin1String(kGuideChmFile), dir + QLatin1String(kGuideHtmlFile)};
}

GuideOutcome OpenUserGuide(const GuideFiles& files, const DesktopOpener& openWithDesktop) {
    const bool chmExists = QFileInfo::exists(files.chm);
    if (chmExists && openWithDesktop(files.chm)) {
        return GuideOutcome::OpenedByDesktop;
    }
    if (QFileInfo(files.html).isFile()) {
        return GuideOutcome::ShowHtml;
    }
    return chmExists ? GuideOutcome::CannotOpen : GuideOutcome::NotFound;
}

}  // namespace stowbel
