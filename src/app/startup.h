#pragma once

#include <functional>

class QApplication;

namespace stowbel {

// How start-up waits while the splash is shown; tests pass one that does not sleep.
using SplashWait = std::function<void(int milliseconds)>;

inline constexpr int kSplashMilliseconds = 2500;

// Start-up: the splash for 2500 ms, then the maximised main window until it is closed.
int RunProgram(QApplication& app, const SplashWait& wait);

}  // namespace stowbel
