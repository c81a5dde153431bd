// Plans of a method other than the rows: drawn by place when the run leaves a container.
#include <gtest/gtest.h>

#include "calc/placement_recording.h"
#include "scheme/draw_order.h"
#include "scheme/scheme_painter.h"
#include "scheme_test_support.h"

namespace stowbel {
namespace {

using Coords = std::vector<int>;

constexpr Colour kBrown = 0x000080;
constexpr Colour kGreen = 0x008000;

StackEvent Stack(int x1, int y1, int x2, int y2, int count, double base = 0) {
    StackEvent stack;
    stack.typeCount = 1;
    stack.x1 = x1;
    stack.y1 = y1;
    stack.x2 = x2;
    stack.y2 = y2;
    stack.unitHeight = 1000;
    stack.count = count;
    stack.base = base;
    return stack;
}

std::vector<Figure> OfKind(const RecordingCanvas& canvas, FigureKind kind) {
    std::vector<Figure> found;
    for (const Figure& f : canvas.Figures()) {
        if (f.kind == kind) {
            found.push_back(f);
        }
    }
    return found;
}

class DenseDrawingTest : public testing::Test {
protected:
    void Prepare(PlanMethod method, bool hman = false) {
        spec.HowManyContainers = hman;
        painter.RunPrepared(spec);
        painter.MethodChosen(method);
        painter.TypeColourSet(kBrown);
        recorded.ClearRecords();
    }
    RecordedPictures recorded;
    SchemePainter painter{recorded.pictures};
    Container spec = MakeContainer(2450, 16100, 2200);
};

TEST_F(DenseDrawingTest, AUnitOnAnotherIsDrawnWhereTheRowsDrawTheSecondLayer) {
    // The rows' stack of two, its second layer: the reference, drawn by the rows' own rule.
    Prepare(PlanMethod::Rows);
    painter.StackPlaced(Stack(50, 50, 1250, 850, 2));
    const std::vector<Figure> rows = OfKind(*recorded.view3D, FigureKind::Polygon);
    ASSERT_EQ(rows.size(), 6U);

    // The same two units as two stacks of one, the upper told first: nothing is drawn until the
    // container is left, then the lower unit first and the upper at its height.
    Prepare(PlanMethod::Dense);
    painter.StackPlaced(Stack(50, 50, 1250, 850, 1, 1000));
    painter.StackPlaced(Stack(50, 50, 1250, 850, 1, 0));
    EXPECT_TRUE(recorded.view3D->Figures().empty());
    painter.ReportComplete({});
    const std::vector<Figure> dense = OfKind(*recorded.view3D, FigureKind::Polygon);
    ASSERT_EQ(dense.size(), 6U);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(dense[i].coords, rows[i].coords) << "face " << i;
        EXPECT_EQ(dense[i].brush, rows[i].brush) << "face " << i;
    }
    // The summary's 3D part too, shifted as the rows shift it.
    EXPECT_EQ(OfKind(*recorded.summary, FigureKind::Polygon).size(), 6U);
}

TEST_F(DenseDrawingTest, FartherSolidsAreDrawnFirstWhateverOrderTheyAreTold) {
    Prepare(PlanMethod::Dense);
    painter.StackPlaced(Stack(1300, 50, 2500, 2400, 1));  // nearer the door, across the width
    painter.TypeColourSet(kGreen);
    painter.StackPlaced(Stack(50, 50, 1250, 850, 1));  // at the front wall
    painter.ReportComplete({});
    const std::vector<Figure> faces = OfKind(*recorded.view3D, FigureKind::Polygon);
    ASSERT_EQ(faces.size(), 6U);
    // The top face of each box is drawn in the colour itself, last of its three.
    EXPECT_EQ(faces[2].brush, kGreen);
    EXPECT_EQ(faces[5].brush, kBrown);
}

TEST_F(DenseDrawingTest, TopViewShowsWhatStandsOnAStackInsideItsOutline) {
    Prepare(PlanMethod::Dense);
    painter.StackPlaced(Stack(50, 50, 1250, 850, 3));
    painter.StackPlaced(Stack(1300, 50, 2500, 850, 3));
    painter.TypeColourSet(kGreen);
    painter.StackPlaced(Stack(50, 50, 1250, 850, 2, 3000));
    painter.ReportComplete({});
    const std::vector<Figure> rects = OfKind(*recorded.scheme2D, FigureKind::Rectangle);
    ASSERT_EQ(rects.size(), 3U);
    // The floor stacks as the rows draw them (see the rows' stack test), the one on the first
    // 2 pixels inside, in its own colour on white.
    EXPECT_EQ(rects[0].coords, (Coords{102, 52, 157, 89}));
    EXPECT_EQ(rects[0].pen, kBrown);
    EXPECT_EQ(rects[2].coords, (Coords{104, 54, 155, 87}));
    EXPECT_EQ(rects[2].pen, kGreen);
    EXPECT_EQ(rects[2].brush, 0xFFFFFFU);
    // Numbers where they show whole: the covered first stack's 3 is left out, the second
    // stack's 3 and the 2 on top are written, each a little up and left of its centre.
    const std::vector<Figure> labels = OfKind(*recorded.scheme2D, FigureKind::Text);
    ASSERT_EQ(labels.size(), 2U);
    EXPECT_EQ(labels[0].text, "3");
    EXPECT_EQ(labels[0].coords, (Coords{(160 + 214) / 2 - 3, (52 + 89) / 2 - 4}));
    EXPECT_EQ(labels[1].text, "2");
    EXPECT_EQ(labels[1].coords, (Coords{129 - 3, 70 - 4}));
    // The summary: black on the unit's colour, whatever the 3D drawing left.
    const std::vector<Figure> summary = OfKind(*recorded.summary, FigureKind::Rectangle);
    ASSERT_EQ(summary.size(), 3U);
    EXPECT_EQ(summary[2].pen, 0U);
    EXPECT_EQ(summary[2].brush, kGreen);
    // The pen of the 2D scheme is the colour of the type told last.
    EXPECT_EQ(recorded.pictures.Scheme2D().PenColour(), kGreen);
}

TEST_F(DenseDrawingTest, EveryLineAndBlockOfADrawnContainerAppearsIn3D) {
    Prepare(PlanMethod::Dense);
    StackEvent stack = Stack(50, 50, 1250, 850, 1);
    stack.block = StackBlock::C;
    stack.typeCount = 5;
    painter.StackPlaced(stack);
    painter.RoundPlaced(RoundEvent{6, 2575, 550, 1000, 1000, 2});
    painter.ReportComplete({});
    EXPECT_EQ(recorded.view3D->CountOf(FigureKind::Polygon), 3U);
    EXPECT_EQ(recorded.view3D->CountOf(FigureKind::Arc), 2U * 256U);
}

TEST_F(DenseDrawingTest, EachContainerIsDrawnInItsCellWhenTheRunLeavesIt) {
    Prepare(PlanMethod::Dense);
    painter.StackPlaced(Stack(50, 50, 1250, 850, 1));
    painter.ContainerBegun(2);
    painter.StackPlaced(Stack(50, 50, 1250, 850, 1));
    painter.ReportComplete({});
    const std::vector<Figure> rects = OfKind(*recorded.scheme2D, FigureKind::Rectangle);
    // The first container's unit, the second container's outline, its unit below it.
    ASSERT_EQ(rects.size(), 3U);
    EXPECT_EQ(rects[0].coords, (Coords{102, 52, 157, 89}));
    EXPECT_EQ(rects[2].coords, (Coords{102, 184, 157, 221}));
}

TEST_F(DenseDrawingTest, HmanKeepsUnitsOutOfTheSummary) {
    Prepare(PlanMethod::Dense, true);
    painter.StackPlaced(Stack(50, 50, 1250, 850, 2));
    painter.ReportComplete({});
    EXPECT_EQ(recorded.summary->CountOf(FigureKind::Polygon), 0U);
    EXPECT_EQ(recorded.summary->CountOf(FigureKind::Rectangle), 0U);
    EXPECT_EQ(recorded.scheme2D->CountOf(FigureKind::Rectangle), 1U);
}

TEST_F(DenseDrawingTest, ARecordReplayedDrawsWhatTheRunDrew) {
    PlacementRecording recording;
    RecordedPictures direct;
    SchemePainter live(direct.pictures);
    const auto tell = [&](PlacementObserver& o) {
        o.RunPrepared(spec);
        o.MethodChosen(PlanMethod::Dense);
        o.TypeColourSet(kBrown);
        o.StackPlaced(Stack(50, 50, 1250, 850, 1, 1000));
        o.StackPlaced(Stack(50, 50, 1250, 850, 1));
        o.ReportComplete({"Все поддоны влезают"});
    };
    tell(live);
    tell(recording);
    recording.Replay(painter);
    for (const auto& [a, b] :
         {std::pair{direct.scheme2D, recorded.scheme2D}, std::pair{direct.view3D, recorded.view3D},
          std::pair{direct.summary, recorded.summary}}) {
        ASSERT_EQ(a->Figures().size(), b->Figures().size());
        for (std::size_t i = 0; i < a->Figures().size(); ++i) {
            EXPECT_EQ(a->Figures()[i].coords, b->Figures()[i].coords);
            EXPECT_EQ(a->Figures()[i].brush, b->Figures()[i].brush);
        }
    }
}

// Solids given as (x1, y1, z1)-(x2, y2, z2): a solid comes after every solid it stands above or
// lies nearer the door or the second side wall than, where the two can meet on the screen.
// (Boxes of the same width one behind the other along the container never meet on the screen.)
TEST(BackToFrontOrderTest, FarBeforeNearLowBeforeHigh) {
    struct Case {
        const char* name;
        std::vector<SceneBox> boxes;
        std::vector<std::size_t> order;
    };
    const std::vector<Case> cases{
        {"near the door given first",
         {{2000, 0, 0, 3000, 2400, 1000}, {0, 0, 0, 1000, 1000, 1000}},
         {1, 0}},
        {"upper given first",
         {{0, 0, 1000, 1000, 1000, 2000}, {0, 0, 0, 1000, 1000, 1000}},
         {1, 0}},
        {"second side wall given first",
         {{0, 1500, 0, 1000, 2400, 1000}, {0, 0, 0, 1000, 1000, 1000}},
         {1, 0}},
        // A long low box behind a tall one on the floor and a box on the long one: the box on
        // top still lies behind the tall one.
        {"on top and behind",
         {{2000, 0, 0, 3000, 2400, 2000},
          {0, 0, 1000, 1000, 1000, 1500},
          {0, 0, 0, 1900, 1000, 1000}},
         {2, 1, 0}},
        // Apart on the screen: the order they are given in stays.
        {"far apart", {{0, 2000, 0, 100, 2400, 100}, {5000, 0, 0, 5100, 100, 100}}, {0, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BackToFrontOrder(c.boxes), c.order) << c.name;
    }
}

}  // namespace
}  // namespace stowbel
