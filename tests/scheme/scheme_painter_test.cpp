#include "scheme/scheme_painter.h"

#include <gtest/gtest.h>

#include "scheme_test_support.h"

namespace stowbel {
namespace {

using Coords = std::vector<int>;

constexpr Colour kBrown = 0x000080;

StackEvent Stack(int x1, int y1, int x2, int y2, int count) {
    StackEvent stack;
    stack.typeCount = 1;
    stack.x1 = x1;
    stack.y1 = y1;
    stack.x2 = x2;
    stack.y2 = y2;
    stack.unitHeight = 1000;
    stack.count = count;
    stack.labelled = count >= 2;
    stack.labelX = (x1 + x2) / 2.0L;
    stack.labelY = (y1 + y2) / 2.0L;
    return stack;
}

class SchemePainterTest : public testing::Test {
protected:
    void Prepare(bool hman) {
        spec.HowManyContainers = hman;
        painter.RunPrepared(spec);
        painter.TypeColourSet(kBrown);
        recorded.ClearRecords();
    }
    RecordedPictures recorded;
    SchemePainter painter{recorded.pictures};
    Container spec = MakeContainer(2450, 16100, 2200);
};

TEST_F(SchemePainterTest, StackOfTwoWithItsLabel) {
    Prepare(false);
    painter.StackPlaced(Stack(50, 50, 1250, 850, 2));
    const auto& f = recorded.scheme2D->Figures();
    ASSERT_EQ(f.size(), 4U);
    EXPECT_EQ(f[0].coords, (Coords{102, 52, 157, 89}));
    EXPECT_EQ(f[0].pen, kBrown);
    EXPECT_EQ(f[0].brush, 0xFFFFFFU);
    EXPECT_EQ(f[3].kind, FigureKind::Text);
    EXPECT_EQ(f[3].coords, (Coords{127, 67}));
    EXPECT_EQ(f[3].text, "2");
    // Two layers of three faces in each 3D picture.
    EXPECT_EQ(recorded.view3D->CountOf(FigureKind::Polygon), 6U);
    EXPECT_EQ(recorded.summary->CountOf(FigureKind::Polygon), 6U);
}

TEST_F(SchemePainterTest, SummaryUnitsAreBlackOnTheColourTheLastBoxLeft) {
    Prepare(false);
    painter.StackPlaced(Stack(50, 50, 1250, 850, 1));
    const auto& f = recorded.summary->Figures();
    ASSERT_EQ(f.size(), 6U);  // box, then the crossed rectangle
    EXPECT_EQ(f[3].kind, FigureKind::Rectangle);
    EXPECT_EQ(f[3].pen, 0U);
    EXPECT_EQ(f[3].brush, kBrown);
    EXPECT_EQ(recorded.scheme2D->CountOf(FigureKind::Text), 0U);
}

TEST_F(SchemePainterTest, SummaryBoxesAreShiftedInOffsetAndInY) {
    Prepare(false);
    painter.StackPlaced(Stack(50, 50, 1250, 850, 1));
    // The box (50, 212, 1200)-(1250, 1012, 2200): 162 mm further across and the cell 162 px
    // lower, with the projection fitted to the 516 x 340 cell (Scale 33.044186, offsets
    // 111.953128 and 41.944190). Corners worked out by the rotation rule, one at a time.
    const std::vector<Coords> faces{{91, 246, 91, 272, 117, 285, 117, 259},
                                    {117, 259, 117, 285, 134, 277, 134, 251},
                                    {108, 238, 91, 246, 117, 259, 134, 251}};
    for (std::size_t i = 0; i < faces.size(); ++i) {
        EXPECT_EQ(recorded.summary->Figures()[i].coords, faces[i]) << "face " << i;
    }
}

TEST_F(SchemePainterTest, HmanDrawsNoUnitsIntoTheSummary) {
    Prepare(true);
    painter.StackPlaced(Stack(50, 50, 1250, 850, 2));
    RoundEvent drum{1, 575, 550, 1000, 1000, 2};
    painter.RoundPlaced(drum);
    EXPECT_TRUE(recorded.summary->Figures().empty());
    EXPECT_FALSE(recorded.scheme2D->Figures().empty());
}

TEST_F(SchemePainterTest, BlockCOfTheFifthLineAppearsIn2DOnly) {
    Prepare(false);
    StackEvent stack = Stack(50, 50, 1250, 850, 2);
    stack.block = StackBlock::C;
    stack.typeCount = 5;
    painter.StackPlaced(stack);
    EXPECT_TRUE(recorded.view3D->Figures().empty());
    EXPECT_EQ(recorded.scheme2D->CountOf(FigureKind::Rectangle), 1U);
    stack.block = StackBlock::A;
    painter.StackPlaced(stack);
    EXPECT_EQ(recorded.view3D->CountOf(FigureKind::Polygon), 6U);
}

TEST_F(SchemePainterTest, RoundStackOutlineLabelAndCylinders) {
    Prepare(false);
    painter.RoundPlaced(RoundEvent{1, 575, 550, 1000, 1000, 2});
    const auto& f = recorded.scheme2D->Figures();
    ASSERT_EQ(f.size(), 2U);
    // 561 / 12250 pixels per mm: 75 mm round to 3 px, 575 mm to 26 px, 550 mm to 25 px.
    EXPECT_EQ(f[0].kind, FigureKind::Ellipse);
    EXPECT_EQ(f[0].coords[0], 103);
    EXPECT_EQ(f[1].kind, FigureKind::Text);  // label at the centre, no shift
    EXPECT_EQ(f[1].coords, (Coords{126, 75}));
    EXPECT_EQ(recorded.view3D->CountOf(FigureKind::Arc), 2U * 256U);
    // The summary gets both cylinders and then the outline again, but no label.
    EXPECT_EQ(recorded.summary->Figures().back().kind, FigureKind::Ellipse);
    EXPECT_EQ(recorded.summary->CountOf(FigureKind::Text), 0U);
}

TEST_F(SchemePainterTest, NextContainersFillTheTwoWideGrid) {
    Prepare(false);
    const std::vector<std::pair<int, int>> cells{
        {556, 0}, {0, 380}, {556, 380}, {0, 760}, {556, 760}};
    for (int number = 2; number <= 6; ++number) {
        painter.ContainerBegun(number);
        const auto cell = cells[static_cast<std::size_t>(number - 2)];
        EXPECT_EQ(painter.Geometry().Origin3DX, cell.first) << number;
        EXPECT_EQ(painter.Geometry().Origin3DY, cell.second) << number;
    }
    EXPECT_EQ(recorded.scheme2D->CountOf(FigureKind::Rectangle), 5U);
    painter.ContainerBegun(7);
    EXPECT_EQ(recorded.scheme2D->CountOf(FigureKind::Rectangle), 5U);
}

TEST_F(SchemePainterTest, SecondContainerOutlineAndPenBack) {
    Prepare(false);
    painter.ContainerBegun(2);
    const Figure& outline = recorded.scheme2D->Figures().front();
    EXPECT_EQ(outline.coords, (Coords{100, 182, 837, 294}));
    EXPECT_EQ(recorded.scheme2D->PenColour(), kBrown);
    EXPECT_EQ(recorded.view3D->CountOf(FigureKind::Polygon), 3U);
    EXPECT_EQ(recorded.summary->CountOf(FigureKind::Polygon), 3U);
}

TEST_F(SchemePainterTest, HmanNextContainerOnlyInTheMainPictures) {
    Prepare(true);
    painter.ContainerBegun(2);
    EXPECT_TRUE(recorded.summary->Figures().empty());
    EXPECT_EQ(recorded.view3D->CountOf(FigureKind::Polygon), 3U);
}

TEST(SchemePainterCellTest, OddViewWidthRoundsTiesToEven) {
    RecordedPictures recorded;
    recorded.pictures.SetImageSizes({1000, 761}, {1111, 760}, {1112, 760});
    SchemePainter painter(recorded.pictures);
    painter.RunPrepared(MakeContainer(2450, 16100, 2200));
    painter.ContainerBegun(2);
    EXPECT_EQ(painter.Geometry().Origin3DX, 556);  // Round(555.5)
}

TEST_F(SchemePainterTest, LyingUnitsInTheMainViewOnly) {
    Prepare(false);
    LyingRoundEvent lying;
    lying.typeCount = 1;
    lying.x = 600;
    lying.z = 1700;
    lying.y = 50;
    lying.diameter = 1000;
    lying.axisLength = 1000;
    lying.count = 2;
    painter.LyingRoundPlaced(lying);
    EXPECT_EQ(recorded.view3D->CountOf(FigureKind::Ellipse), 2U * 256U);
    EXPECT_TRUE(recorded.scheme2D->Figures().empty());
    EXPECT_TRUE(recorded.summary->Figures().empty());
}

}  // namespace
}  // namespace stowbel

namespace stowbel {
namespace {

class CentreOfGravityMarkTest : public SchemePainterTest {};

TEST_F(CentreOfGravityMarkTest, AKnownCentreGetsARedCrossInTheSchemeOnly) {
    Prepare(false);
    ContainerWeight load;
    load.mass = 1000;
    load.payload = 26500;
    load.cogX = 1250;
    load.cogY = 850;
    painter.ContainerWeighed(load);
    const auto& f = recorded.scheme2D->Figures();
    ASSERT_EQ(f.size(), 2U);
    // 1250 mm and 850 mm at the scheme's scale of the first stack test: 57 and 39 px.
    const int cx = 100 + 57;
    const int cy = 50 + 39;
    EXPECT_EQ(f[0].kind, FigureKind::Line);
    EXPECT_EQ(f[0].coords, (Coords{cx - 10, cy, cx + 11, cy}));
    EXPECT_EQ(f[1].coords, (Coords{cx, cy - 10, cx, cy + 11}));
    EXPECT_EQ(f[0].pen, 0x0000FFU);
    EXPECT_EQ(f[0].penWidth, 2);
    EXPECT_TRUE(recorded.summary->Figures().empty());
    // The type's pen is back for the stacks that follow.
    EXPECT_EQ(recorded.pictures.Scheme2D().PenColour(), kBrown);
    EXPECT_EQ(recorded.pictures.Scheme2D().PenWidth(), 1);
}

TEST_F(CentreOfGravityMarkTest, NoCentreNoMark) {
    Prepare(true);
    ContainerWeight load;
    load.mass = 0;
    painter.ContainerWeighed(load);
    EXPECT_TRUE(recorded.scheme2D->Figures().empty());
}

}  // namespace
}  // namespace stowbel
