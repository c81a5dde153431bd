#include "app/panel_layout.h"

#include <gtest/gtest.h>

namespace stowbel {
namespace {

// The area between a 64 pixel tool bar and a 19 pixel status bar of a window of this size.
LayoutInput Client(int width, int height) {
    LayoutInput input;
    input.clientWidth = width;
    input.clientHeight = height - 64 - 19;
    return input;
}

TEST(PanelLayoutTest, FullScreenClientArea) {
    const PanelBounds b = LayoutPanels(Client(1280, 900));
    EXPECT_EQ(b.leftPanel, (PaneRect{0, 0, 260, 817}));
    EXPECT_EQ(b.workPanel, (PaneRect{272, 0, 1008, 817}));
    EXPECT_EQ(b.resultPanel.height, 150);
    EXPECT_EQ(b.graphPanel, (PaneRect{0, 162, 1008, 655}));
    EXPECT_EQ(b.graph3DPanel, (PaneRect{0, 0, 498, 655}));
    EXPECT_EQ(b.graph2DPanel, (PaneRect{510, 0, 498, 655}));
    // Below the 32-pixel titles both scheme images are 498 x 623.
    EXPECT_EQ(b.graph2DPanel.height - 32, 623);
}

TEST(PanelLayoutTest, DesignedRestoredWindow) {
    const PanelBounds b = LayoutPanels(Client(523, 578));
    EXPECT_EQ(b.leftPanel.height, 495);
    EXPECT_EQ(b.leftPanel.width, 120);  // 523 - 420 = 103 is raised to 120
    EXPECT_EQ(b.workPanel.width, 391);
    EXPECT_EQ(b.resultPanel.height, 150);
    EXPECT_EQ(b.graphPanel.height, 333);
    EXPECT_EQ(b.graph3DPanel.width, 189);
    EXPECT_EQ(b.graph2DPanel.width, 190);
}

TEST(PanelLayoutTest, OddWorkWidthGivesTheExtraPixelToThe2DPane) {
    LayoutInput input = Client(1281, 900);  // work width 1009
    const PanelBounds b = LayoutPanels(input);
    EXPECT_EQ(b.workPanel.width, 1009);
    EXPECT_EQ(b.graph3DPanel.width, 498);
    EXPECT_EQ(b.graph2DPanel.width, 499);
}

TEST(PanelLayoutTest, TinyWindowKeepsTheMinimums) {
    const PanelBounds b = LayoutPanels(Client(200, 150));
    EXPECT_EQ(b.leftPanel.width, 120);
    EXPECT_EQ(b.leftPanel.height, 300);
    EXPECT_EQ(b.workPanel.width, 300);
    EXPECT_EQ(b.resultPanel.height, 80);
    EXPECT_EQ(b.graphPanel.height, 208);
    EXPECT_EQ(b.graph3DPanel.width, 180);
}

TEST(PanelLayoutTest, AfterADragThe3DPaneKeepsItsWidth) {
    LayoutInput input = Client(1280, 900);
    input.graph3DWidth = 400;
    input.graph3DWidthSet = true;
    EXPECT_EQ(LayoutPanels(input).graph3DPanel.width, 400);
    input.clientWidth = 1600;  // a wider window gives all the extra width to the 2D pane
    const PanelBounds wide = LayoutPanels(input);
    EXPECT_EQ(wide.graph3DPanel.width, 400);
    EXPECT_EQ(wide.graph2DPanel.width, 1328 - 400 - 12);
}

TEST(PanelLayoutTest, DragLimits) {
    EXPECT_EQ(DragLeftWidth(260, 5000, 1280), 860);  // client width - 420
    EXPECT_EQ(DragLeftWidth(260, -5000, 1280), 120);
    EXPECT_EQ(DragResultHeight(150, 5000, 817), 557);
    EXPECT_EQ(DragResultHeight(150, -5000, 817), 80);
    EXPECT_EQ(DragGraph3DWidth(498, 5000, 1008), 828);
    EXPECT_EQ(DragGraph3DWidth(498, -5000, 1008), 160);
}

}  // namespace
}  // namespace stowbel
