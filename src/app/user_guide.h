#pragma once

#include <QString>
#include <functional>

namespace stowbel {

// The user guide beside the program: the compiled help file, and the same guide as HTML for
// desktops that cannot open the compiled one.
inline constexpr const char* kGuideChmFile = "Stowbel_UserGuide_RU.chm";
inline constexpr const char* kGuideHtmlFile = "Stowbel_UserGuide_RU.html";

struct GuideFiles {
    QString chm;
    QString html;

    static GuideFiles In(const QString& programDirectory);
};

// What opening the guide came to.
enum class GuideOutcome {
    OpenedByDesktop,  // the desktop opened the compiled guide
    ShowHtml,         // the program shows the HTML guide itself
    NotFound,         // neither file exists
    CannotOpen,       // the compiled guide exists but could not be opened, and there is no HTML
};

// Asks the desktop to open a document; false when it cannot.
using DesktopOpener = std::function<bool(const QString& path)>;

// The compiled guide goes to the desktop first; where that fails or the file is missing, the
// HTML guide is the fallback.
GuideOutcome OpenUserGuide(const GuideFiles& files, const DesktopOpener& openWithDesktop);

}  // namespace stowbel
