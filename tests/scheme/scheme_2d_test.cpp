#include "scheme/scheme_2d.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scheme/scheme_3d.h"
#include "scheme_test_support.h"

namespace stowbel {
namespace {

using Coords = std::vector<int>;

class PrepareSchemesTest : public testing::Test {
protected:
    RecordedPictures recorded;
    SchemeGeometry geometry;
    Container spec = MakeContainer(2450, 16100, 2200);
};

TEST_F(PrepareSchemesTest, ScaleAndFirstOutlineOfTheDefaultScheme) {
    PrepareSchemes(recorded.pictures, spec, geometry);
    EXPECT_NEAR(geometry.SchemeScale, 561.0 / 12250.0, 1e-12);  // height bound, below 800/16100
    EXPECT_EQ(geometry.SchemeX0, 100);
    EXPECT_EQ(geometry.SchemeY0, 50);
    EXPECT_EQ(geometry.SummaryShift, 162);
    for (RecordingCanvas* canvas : {recorded.scheme2D, recorded.summary}) {
        const Figure& outline = canvas->Figures().back();
        EXPECT_EQ(outline.kind, FigureKind::Rectangle);
        EXPECT_EQ(outline.coords, (Coords{100, 50, 837, 162}));
        EXPECT_EQ(outline.pen, 0U);
        EXPECT_EQ(outline.penWidth, 2);
        EXPECT_EQ(outline.brush, 0xFFFFFFU);
        EXPECT_EQ(canvas->PenWidth(), 1);
    }
}

TEST_F(PrepareSchemesTest, IdblReservesASecondWidthInTheSummary) {
    spec.ContinueFirstTwoOnly = true;
    PrepareSchemes(recorded.pictures, spec, geometry);
    EXPECT_EQ(geometry.SummaryShift, 274);
}

TEST_F(PrepareSchemesTest, SizesBitmapsAtLeast100AndClearsTheImageArea) {
    recorded.pictures.SetImageSizes({80, 761}, {1112, 50}, {1112, 760});
    PrepareSchemes(recorded.pictures, spec, geometry);
    EXPECT_EQ(recorded.scheme2D->Width(), 100);
    EXPECT_EQ(recorded.scheme2D->Height(), 761);
    EXPECT_EQ(recorded.view3D->Height(), 100);
    const Figure& clear = recorded.scheme2D->Figures().front();
    EXPECT_EQ(clear.kind, FigureKind::FillRect);
    EXPECT_EQ(clear.coords, (Coords{0, 0, 80, 761}));
    EXPECT_EQ(clear.brush, 0xFFFFFFU);
}

TEST_F(PrepareSchemesTest, OutlineIsBlackEvenAfterAColouredRun) {
    recorded.scheme2D->SetPenColour(0x00FF00);
    recorded.summary->SetPenColour(0x00FF00);
    PrepareSchemes(recorded.pictures, spec, geometry);
    EXPECT_EQ(recorded.scheme2D->Figures().back().pen, 0U);
    EXPECT_EQ(recorded.summary->Figures().back().pen, 0U);
}

TEST_F(PrepareSchemesTest, TinyPictureOrEmptyContainerKeepsTheScalePositive) {
    recorded.pictures.SetImageSizes({150, 150}, {1112, 760}, {1112, 760});
    PrepareSchemes(recorded.pictures, spec, geometry);
    EXPECT_GT(geometry.SchemeScale, 0);
    EXPECT_TRUE(std::isfinite(geometry.SchemeScale));
}

TEST_F(PrepareSchemesTest, DrawsTheFirstContainerBoxInBothViews) {
    PrepareSchemes(recorded.pictures, spec, geometry);
    EXPECT_EQ(recorded.view3D->CountOf(FigureKind::Polygon), 3U);
    EXPECT_EQ(recorded.summary->CountOf(FigureKind::Polygon), 3U);
    // Far faces of a white box: wall y = 0, wall x = 0, floor.
    const auto& f = recorded.view3D->Figures();
    EXPECT_EQ(f[1].brush, 0xBFBFBFU);
    EXPECT_EQ(f[2].brush, 0x808080U);
    EXPECT_EQ(f[3].brush, 0xFFFFFFU);
}

TEST(FitSchemeProjectionTest, ViewCellHasMinimumSize) {
    RecordedPictures recorded;
    const Container spec = MakeContainer(2450, 16100, 2200);
    recorded.pictures.SetImageSizes({1000, 761}, {500, 400}, {1112, 760});
    FitSchemeProjection(recorded.pictures, spec);
    // Half the view less 40 would be 210 x 160: the cell is 300 x 250. The container's rotated
    // outline is 13116 x 8463 mm, so the width decides: 1.3 * 13116 / 300 = 56.836 mm per pixel,
    // and OffsetX = (300 - 13116 / 56.836) / 2 + 1732 / 56.836.
    EXPECT_NEAR(recorded.pictures.Projection().Scale, 56.836, 1e-9);
    EXPECT_NEAR(recorded.pictures.Projection().OffsetX, 65.089028, 1e-6);
}

TEST(DrawReportLinesTest, LinesEndTwentyPixelsAboveTheBottom) {
    RecordedPictures recorded;
    recorded.summary->SetBrushColour(0x123456);
    DrawReportLines(recorded.pictures, {"a", "b", "c", "d", "e"});
    const auto& f = recorded.summary->Figures();
    ASSERT_EQ(f.size(), 5U);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(f[static_cast<std::size_t>(k)].coords, (Coords{10, 660 + 20 * k}));
        EXPECT_EQ(f[static_cast<std::size_t>(k)].brush, 0xFFFFFFU);
    }
    EXPECT_EQ(f[4].text, "e");
}

TEST(DrawCrossedRectTest, RectangleAndBothDiagonals) {
    RecordedPictures recorded;
    DrawCrossedRect(recorded.pictures, 102, 52, 157, 89, false);
    const auto& f = recorded.scheme2D->Figures();
    ASSERT_EQ(f.size(), 3U);
    EXPECT_EQ(f[0].coords, (Coords{102, 52, 157, 89}));
    EXPECT_EQ(f[1].coords, (Coords{102, 52, 157, 89}));
    EXPECT_EQ(f[2].coords, (Coords{102, 89, 157, 52}));
    EXPECT_TRUE(recorded.summary->Figures().empty());
}

}  // namespace
}  // namespace stowbel
