#include "app/screen_pictures.h"

#include <algorithm>
#include <cmath>

namespace stowbel {

namespace {

// Two cells of the 3D view side by side and above each other, each at least the smallest fitted
// area (300 x 250) and its margin of 40 pixels.
constexpr int kMin3DWidth = 2 * (300 + 40);
constexpr int kMin3DHeight = 2 * (250 + 40);
// The 2D scheme keeps 100 pixels either side of the containers and 200 in all above and below.
constexpr int kMin2DWidth = 400;
constexpr int kMin2DHeight = 360;

ImageSize GrownTo(QSize pane, int minWidth, int minHeight) {
    const int width = std::max(pane.width(), 1);
    const int height = std::max(pane.height(), 1);
    const double factor = std::max(
        {1.0, static_cast<double>(minWidth) / width, static_cast<double>(minHeight) / height});
    return {std::max(minWidth, static_cast<int>(std::ceil(width * factor))),
            std::max(minHeight, static_cast<int>(std::ceil(height * factor)))};
}

int Round(double value) {
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

ImageSize View3DDrawingSize(QSize pane) {
    return GrownTo(pane, kMin3DWidth, kMin3DHeight);
}

ImageSize Scheme2DDrawingSize(QSize pane) {
    return GrownTo(pane, kMin2DWidth, kMin2DHeight);
}

Scheme2DCoverage CoverageOf2DScheme(ImageSize picture, const Container& container, int containers) {
    Scheme2DCoverage coverage{0, picture.height};
    if (container.Length <= 0 || container.Width <= 0) {
        return coverage;
    }
    // The scheme's own scale and placing: room for five containers one below the other, 20
    // pixels apart, the first 50 pixels from the top.
    const double scale = std::min((picture.width - 200.0) / container.Length,
                                  (picture.height - 200.0) / (5.0 * container.Width));
    const int band = Round(container.Width * scale);
    for (int k = 1; k <= containers; ++k) {
        const int top = kSchemeTop + (k - 1) * (band + 20);
        if (top + band >= picture.height) {
            coverage.cutFrom = std::min(top - 10, picture.height);
            break;
        }
        coverage.whole = k;
    }
    return coverage;
}

QString ShownContainersNote(int whole, int containers) {
    if (whole >= containers) {
        return {};
    }
    const int last = containers % 100;
    const bool one = last % 10 == 1 && last != 11;
    return QStringLiteral("показаны %1 из %2 %3")
        .arg(whole)
        .arg(containers)
        .arg(one ? QStringLiteral("контейнера") : QStringLiteral("контейнеров"));
}

}  // namespace stowbel
