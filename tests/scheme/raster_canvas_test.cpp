#include "scheme/raster_canvas.h"

#include <gtest/gtest.h>

#include <QDir>
#include <climits>

#include "calc/run.h"
#include "order/examples.h"
#include "scheme/primitives3d.h"
#include "scheme/recording_canvas.h"
#include "scheme/scheme_painter.h"

namespace stowbel {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kGreen = 0x00FF00;

QRgb Pixel(const RasterCanvas& canvas, int x, int y) {
    return canvas.Image().pixel(x, y) & 0xFFFFFFU;
}
QRgb Rgb(int r, int g, int b) {
    return qRgb(r, g, b) & 0xFFFFFFU;
}

class RasterCanvasTest : public testing::Test {
protected:
    void SetUp() override { canvas.Resize(60, 40); }
    RasterCanvas canvas;
};

TEST_F(RasterCanvasTest, RectangleCoversTheCornersButNotTheFarEdge) {
    canvas.SetPenColour(kRed);
    canvas.SetBrushColour(kBlue);
    canvas.Rectangle(10, 10, 20, 20);
    EXPECT_EQ(Pixel(canvas, 10, 10), Rgb(255, 0, 0));
    EXPECT_EQ(Pixel(canvas, 19, 19), Rgb(255, 0, 0));
    EXPECT_EQ(Pixel(canvas, 15, 15), Rgb(0, 0, 255));
    EXPECT_EQ(Pixel(canvas, 20, 20), Rgb(255, 255, 255));
    EXPECT_EQ(Pixel(canvas, 20, 15), Rgb(255, 255, 255));
}

TEST_F(RasterCanvasTest, FillRectHasNoOutline) {
    canvas.SetPenColour(kRed);
    canvas.SetBrushColour(kBlue);
    canvas.FillRect(0, 0, 5, 5);
    EXPECT_EQ(Pixel(canvas, 0, 0), Rgb(0, 0, 255));
    EXPECT_EQ(Pixel(canvas, 5, 5), Rgb(255, 255, 255));
}

TEST_F(RasterCanvasTest, EllipseIsFilledInsideItsRectangleOnly) {
    canvas.SetPenColour(0);
    canvas.SetBrushColour(kRed);
    canvas.Ellipse(10, 0, 50, 40);
    EXPECT_EQ(Pixel(canvas, 30, 20), Rgb(255, 0, 0));
    EXPECT_EQ(Pixel(canvas, 11, 1), Rgb(255, 255, 255));
}

TEST_F(RasterCanvasTest, ArcRunsCounterClockwiseFromStartToEnd) {
    canvas.SetPenColour(0);
    // Left end to right end counter-clockwise on screen: the lower half only.
    canvas.Arc(10, 0, 50, 40, 10, 20, 50, 20);
    int lower = 0;
    int upper = 0;
    for (int x = 10; x < 50; ++x) {
        for (int y = 0; y < 40; ++y) {
            if (Pixel(canvas, x, y) == 0) {
                (y > 20 ? lower : upper) += 1;
            }
        }
    }
    EXPECT_GT(lower, 30);
    EXPECT_LE(upper, 4);
}

TEST_F(RasterCanvasTest, TextIsDrawnOnTheBrushColour) {
    canvas.SetBrushColour(kBlue);
    canvas.TextOut(2, 2, "28");
    EXPECT_EQ(Pixel(canvas, 2, 2), Rgb(0, 0, 255));
    int black = 0;
    for (int x = 2; x < 30; ++x) {
        for (int y = 2; y < 20; ++y) {
            black += Pixel(canvas, x, y) == 0 ? 1 : 0;
        }
    }
    EXPECT_GT(black, 5);
}

TEST_F(RasterCanvasTest, FiguresFarOutsideTheBitmapAreClippedSilently) {
    canvas.SetPenColour(kRed);
    canvas.SetBrushColour(kBlue);
    // A rectangle around everything fills the whole bitmap; its outline lies far outside.
    canvas.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(Pixel(canvas, 0, 0), Rgb(0, 0, 255));
    EXPECT_EQ(Pixel(canvas, 59, 39), Rgb(0, 0, 255));
    // A line from far left to far right crosses the whole bitmap.
    canvas.MoveTo(-100000000, 5);
    canvas.LineTo(100000000, 5);
    EXPECT_EQ(Pixel(canvas, 0, 5), Rgb(255, 0, 0));
    EXPECT_EQ(Pixel(canvas, 59, 5), Rgb(255, 0, 0));
    EXPECT_EQ(Pixel(canvas, 30, 6), Rgb(0, 0, 255));

    // Figures wholly outside change no pixel.
    const QImage before = canvas.Image();
    canvas.Arc(1000, 1000, 2000, 2000, 0, 0, 0, 0);
    canvas.TextOut(100000, 100000, "1");
    canvas.Ellipse(-5000000, -5000000, -4000000, -4000000);
    canvas.Polygon({{{-2000000000, 0}, {-2000000000, 10}, {-1000000000, 10}, {-1000000000, 0}}});
    EXPECT_EQ(canvas.Image(), before);

    // A triangle whose corners are all far outside still covers the bitmap's middle.
    canvas.SetBrushColour(kGreen);
    canvas.Polygon({{{-2000000000, -2000000000},
                     {2000000000, -2000000000},
                     {0, 2000000000},
                     {0, 2000000000}}});
    EXPECT_EQ(Pixel(canvas, 30, 20), Rgb(0, 255, 0));
}

TEST(RasterBoxTest, WhiteContainerBoxShowsItsThreeShades) {
    ProjectionState projection;
    FitProjection3D(projection, 300, 250, 0, 0, 0, 1000, 1000, 1000);
    RasterCanvas raster;
    raster.Resize(300, 250);
    RecordingCanvas recorded;
    const Box3D box{0, 0, 0, 1000, 1000, 1000, 0xFFFFFF};
    DrawBox3D(raster, {projection}, box);
    DrawBox3D(recorded, {projection}, box);
    const std::vector<int> expected{191, 128, 255};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& c = recorded.Figures()[i].coords;
        const int cx = (c[0] + c[2] + c[4] + c[6]) / 4;
        const int cy = (c[1] + c[3] + c[5] + c[7]) / 4;
        EXPECT_EQ(qRed(raster.Image().pixel(cx, cy)), expected[i]) << "face " << i;
    }
}

TEST(RasterSceneTest, ThreeContainerSceneIsSavedForPeopleToLookAt) {
    auto* scheme = new RasterCanvas;
    auto* view = new RasterCanvas;
    auto* summary = new RasterCanvas;
    SchemePictures pictures{std::unique_ptr<Canvas>(scheme), std::unique_ptr<Canvas>(view),
                            std::unique_ptr<Canvas>(summary)};
    SchemePainter painter(pictures);
    Container spec;
    spec.Width = 2450;
    spec.Length = 16100;
    spec.Height = 2200;
    spec.SideClearance = 50;
    painter.RunPrepared(spec);
    const std::vector<Colour> colours{0x000080, 0x008000, 0x008080};
    for (int container = 1; container <= 3; ++container) {
        painter.TypeColourSet(colours[static_cast<std::size_t>(container - 1)]);
        if (container > 1) {
            painter.ContainerBegun(container);
        }
        for (int row = 0; row < 8; ++row) {
            StackEvent stack;
            stack.typeCount = container;
            stack.x1 = 50 + row * 1200;
            stack.x2 = stack.x1 + 1200;
            stack.y1 = 50;
            stack.y2 = 850;
            stack.unitHeight = 1000;
            stack.count = 2;
            stack.labelled = true;
            stack.labelX = (stack.x1 + stack.x2) / 2.0L;
            stack.labelY = 450;
            painter.StackPlaced(stack);
        }
        painter.RoundPlaced(RoundEvent{container, 10400, 1600, 1000, 1000, 2});
    }
    painter.ReportComplete({"Заказ 1 -  (коричневый) 1200 х 800 х 1000 - 16 мест ", "Итог"});
    // A white bitmap would mean nothing was drawn.
    EXPECT_NE(scheme->Image().pixel(102, 52) & 0xFFFFFFU, 0xFFFFFFU);
    QDir().mkpath(STOWBEL_TEST_OUTPUT_DIR);
    const QString dir = QStringLiteral(STOWBEL_TEST_OUTPUT_DIR) + "/";
    EXPECT_TRUE(scheme->Image().save(dir + "scene-2d.png"));
    EXPECT_TRUE(view->Image().save(dir + "scene-3d.png"));
    EXPECT_TRUE(summary->Image().save(dir + "scene-summary.png"));
}

TEST(RasterSceneTest, ExampleOrdersAreDrawnAndSaved) {
    for (const char* name : {"HMAN", "ISIN"}) {
        auto* scheme = new RasterCanvas;
        auto* view = new RasterCanvas;
        auto* summary = new RasterCanvas;
        SchemePictures pictures{std::unique_ptr<Canvas>(scheme), std::unique_ptr<Canvas>(view),
                                std::unique_ptr<Canvas>(summary)};
        SchemePainter painter(pictures);
        OrderModel model;
        RunResult result;
        RunCalculation(ExampleOrder(name), model, RunOptions{}, painter, result);
        EXPECT_EQ(scheme->Image().size(), QSize(1000, 761));
        EXPECT_EQ(view->Image().size(), QSize(1112, 760));
        QDir().mkpath(STOWBEL_TEST_OUTPUT_DIR);
        const QString base = QStringLiteral(STOWBEL_TEST_OUTPUT_DIR "/example-") + name;
        EXPECT_TRUE(scheme->Image().save(base + "-2d.png"));
        EXPECT_TRUE(view->Image().save(base + "-3d.png"));
        EXPECT_TRUE(summary->Image().save(base + "-summary.png"));
    }
}

}  // namespace
}  // namespace stowbel
