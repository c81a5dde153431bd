#include "scheme/primitives3d.h"

#include <gtest/gtest.h>

#include "scheme/recording_canvas.h"

namespace stowbel {
namespace {

using Coords = std::vector<int>;

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0;

TEST(ShadeTest, RoundsEachComponentTiesToEven) {
    EXPECT_EQ(Shade(kWhite, 0.75L), 0xBFBFBFU);  // 191.25
    EXPECT_EQ(Shade(kWhite, 0.5L), 0x808080U);   // 127.5 -> 128
    EXPECT_EQ(Shade(kWhite, 1), kWhite);
    EXPECT_EQ(Shade(0x050301, 0.5L), 0x020200U);     // 2.5 -> 2, 1.5 -> 2, 0.5 -> 0
    EXPECT_EQ(Shade(0xFF0000FFU, 0.5L), 0x000080U);  // bits above 23 ignored
}

class PrimitiveTest : public testing::Test {
protected:
    void SetUp() override {
        projection.Scale = 10;
        projection.OffsetX = 100;
        projection.OffsetY = 50;
    }
    ProjectionState projection;
    RecordingCanvas canvas;
};

TEST_F(PrimitiveTest, BoxDrawsThreeShadedFacesAndLeavesPenBlackBrushFull) {
    canvas.SetPenColour(0x123456);
    DrawBox3D(canvas, {projection}, {0, 0, 0, 1000, 1000, 1000, kWhite});
    const auto& f = canvas.Figures();
    ASSERT_EQ(f.size(), 3U);
    EXPECT_EQ(canvas.CountOf(FigureKind::Polygon), 3U);
    EXPECT_EQ(f[0].brush, 0xBFBFBFU);
    EXPECT_EQ(f[1].brush, 0x808080U);
    EXPECT_EQ(f[2].brush, kWhite);
    for (const Figure& figure : f) {
        EXPECT_EQ(figure.pen, kBlack);
    }
    EXPECT_EQ(canvas.PenColour(), kBlack);
    EXPECT_EQ(canvas.BrushColour(), kWhite);
}

TEST_F(PrimitiveTest, BoxAddsTheCellOffsetBeforeTruncating) {
    // Corner (0, 0, 0) projects to (100, 50); with offsets 7 and 9 the first face point of the
    // top face (V0) is (107, 59).
    DrawBox3D(canvas, {projection, 7, 9}, {0, 0, 0, 1000, 1000, 1000, kWhite});
    const Figure& top = canvas.Figures()[2];
    EXPECT_EQ(top.coords[0], 107);
    EXPECT_EQ(top.coords[1], 59);
}

TEST_F(PrimitiveTest, BoxGivenFarCornerFirstDrawsTheBackWallsAndFloor) {
    DrawBox3D(canvas, {projection}, {1000, 1000, 1000, 0, 0, 0, kWhite});
    // Face y = y2 is now the wall at y = 0: its corners (1000, 0, 1000), (1000, 0, 0), (0, 0, 0)
    // and (0, 0, 1000). The scene turns (1000, 0, 0) to (707, 353, -612) and (0, 0, 1000) to
    // (0, 866, 499); at 10 mm per pixel from (100, 50) they land at (170, 85) and (100, 136).
    const Figure& wall = canvas.Figures()[0];
    ASSERT_EQ(wall.coords.size(), 8U);
    EXPECT_EQ((Coords{wall.coords.begin() + 2, wall.coords.end()}),
              (Coords{170, 85, 100, 50, 100, 136}));
    EXPECT_EQ(wall.brush, 0xBFBFBFU);
}

TEST_F(PrimitiveTest, UprightCylinderFigureCountsAndColourState) {
    const Colour colour = 0x0000FF;
    DrawUprightCylinder3D(canvas, {projection, 3, 4}, {500, 500, 0, 250, 1000, colour});
    EXPECT_EQ(canvas.CountOf(FigureKind::Arc), 256U);
    EXPECT_EQ(canvas.CountOf(FigureKind::Line), 2U);
    EXPECT_EQ(canvas.CountOf(FigureKind::Ellipse), 1U);
    const auto& f = canvas.Figures();
    EXPECT_EQ(f[0].pen, Shade(colour, 0.75L));
    EXPECT_EQ(f[254].pen, Shade(colour, 0.75L));
    EXPECT_EQ(f[257].kind, FigureKind::Arc);  // the bottom rim, after the two lines
    EXPECT_EQ(f[257].pen, kBlack);
    EXPECT_EQ(f.back().kind, FigureKind::Ellipse);
    EXPECT_EQ(f.back().brush, colour);
    EXPECT_EQ(canvas.PenColour(), kBlack);
    EXPECT_EQ(canvas.BrushColour(), colour);
    // Each arc starts at the left end of its ellipse and ends at the right end.
    const Figure& arc = f[0];
    EXPECT_EQ(arc.coords[4], arc.coords[0]);
    EXPECT_EQ(arc.coords[6], arc.coords[2]);
}

TEST_F(PrimitiveTest, UprightCylinderRoundsBeforeOffsetting) {
    // Top centre (0, 0, 0) projects to (100, 50); s = 25 px.
    DrawUprightCylinder3D(canvas, {projection, 1000, 2000}, {0, 0, 0, 250, 1000, kWhite});
    const Figure& top = canvas.Figures().back();
    EXPECT_EQ(top.coords, (std::vector<int>{1075, 2038, 1125, 2062}));
}

TEST_F(PrimitiveTest, LyingCylinderDrawsCapsAndLeavesTheDarkerPen) {
    const Colour colour = 0x00FF00;
    DrawLyingCylinder3D(canvas, {projection}, {500, 500, 0, 250, 1000, colour});
    EXPECT_EQ(canvas.CountOf(FigureKind::Ellipse), 256U);
    EXPECT_EQ(canvas.Figures().size(), 256U);
    EXPECT_EQ(canvas.Figures()[0].pen, kBlack);
    EXPECT_EQ(canvas.Figures()[1].pen, Shade(colour, 0.75L));
    EXPECT_EQ(canvas.PenColour(), Shade(colour, 0.75L));
    EXPECT_EQ(canvas.BrushColour(), colour);
    // An ellipse s wide and 2s high.
    const auto& c = canvas.Figures()[0].coords;
    EXPECT_NEAR(c[2] - c[0], 25, 1);
    EXPECT_NEAR(c[3] - c[1], 50, 1);
}

}  // namespace
}  // namespace stowbel
