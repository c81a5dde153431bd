#include "app/view_zoom.h"

#include <gtest/gtest.h>

namespace stowbel {
namespace {

void ExpectNear(QPointF actual, QPointF expected) {
    EXPECT_NEAR(actual.x(), expected.x(), 1e-9);
    EXPECT_NEAR(actual.y(), expected.y(), 1e-9);
}

TEST(ViewZoomTest, ZoomKeepsThePointUnderThePointerWhereItIs) {
    ViewZoom zoom;
    EXPECT_TRUE(zoom.AtRest());
    zoom.ZoomAt({100, 50}, 2);
    EXPECT_EQ(zoom.Scale(), 2);
    ExpectNear(zoom.Offset(), {-100, -50});  // 100 * 2 - 100 = 100 to the left
    ExpectNear(zoom.ToPicture({100, 50}), {100, 50});
    zoom.ZoomAt({20, 30}, 1.5);
    ExpectNear(zoom.ToPicture({20, 30}), {60, 40});  // where (20, 30) showed (60, 40) before
    ExpectNear(zoom.ToPane(zoom.ToPicture({7, 9})), {7, 9});
    zoom.Reset();
    EXPECT_TRUE(zoom.AtRest());
}

TEST(ViewZoomTest, ScaleStaysWithinItsLimits) {
    ViewZoom zoom;
    zoom.ZoomAt({0, 0}, 1000);
    EXPECT_EQ(zoom.Scale(), ViewZoom::kMaxScale);
    zoom.ZoomAt({0, 0}, 1e-6);
    EXPECT_EQ(zoom.Scale(), ViewZoom::kMinScale);
}

TEST(ViewZoomTest, PanMovesThePicture) {
    ViewZoom zoom;
    zoom.ZoomAt({0, 0}, 3);
    zoom.PanBy({30, -10});
    ExpectNear(zoom.ToPane({10, 10}), {60, 20});
    EXPECT_EQ(zoom.Transform().map(QPointF(10, 10)), QPointF(60, 20));
}

TEST(ViewZoomTest, FitScalesTheContentIntoThePaneAndCentresIt) {
    ViewZoom zoom;
    // A long thin strip, 400 x 20 pixels at (100, 50), into a 216 x 316 pane: the width limits,
    // (216 - 2 * 8) / 400 = 0.5.
    zoom.Fit(QRectF(100, 50, 400, 20), QSizeF(216, 316));
    EXPECT_DOUBLE_EQ(zoom.Scale(), 0.5);
    ExpectNear(zoom.ToPane({100, 50}), {8, 153});
    ExpectNear(zoom.ToPane({500, 70}), {208, 163});
    // A small drawing is enlarged; the height limits here: (116 - 16) / 10 = 10.
    zoom.Fit(QRectF(0, 0, 20, 10), QSizeF(416, 116));
    EXPECT_DOUBLE_EQ(zoom.Scale(), 10);
    ExpectNear(zoom.ToPane({10, 5}), {208, 58});
    // Nothing drawn: back to rest.
    zoom.Fit(QRectF(), QSizeF(416, 116));
    EXPECT_TRUE(zoom.AtRest());
}

}  // namespace
}  // namespace stowbel
