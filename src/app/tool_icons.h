#pragma once

#include <QIcon>
#include <QImage>

namespace stowbel {

// The tool bar's icons: one set drawn by the program in one style, so that they look alike on
// every desktop, each one distinct.
enum class ToolIcon { Open, Calculate, Save, SaveAs, Watch, Examples, Exit, Plan };

inline constexpr int kToolIconSize = 64;

// One icon drawn at side x side pixels on a transparent background.
QImage DrawToolIcon(ToolIcon icon, int side = kToolIconSize);

// The icon at 64 x 64 pixels, and twice that for screens of double pixel density.
QIcon MakeToolIcon(ToolIcon icon);

}  // namespace stowbel
