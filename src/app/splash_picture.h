#pragma once

#include <QImage>
#include <QSize>

namespace stowbel {

// The program's own splash picture: its name, version and purpose over the first container of
// the built-in HMAN example, loaded as the program plans it and drawn from the door. The build
// stores it beside the program as the optional "Splash.jpg"; the About box shows it too.
QImage DrawSplashPicture(QSize size);

inline constexpr QSize kSplashPictureSize{900, 640};

}  // namespace stowbel
