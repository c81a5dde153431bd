#include "scheme/container_views.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "calc/run.h"
#include "order/examples.h"
#include "scheme/painter_canvas.h"
#include "scheme/primitives3d.h"
#include "scheme/raster_canvas.h"

namespace stowbel {
namespace {

constexpr double kPixelsPerMm = 4;  // of paper

QImage WhitePage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

ContainerLoad HmanContainer(int number) {
    OrderModel model;
    RunResult result;
    PlacementObserver nobody;
    RunCalculation(ExampleOrder("HMAN"), model, RunOptions{}, nobody, result);
    return LoadOfContainer(result, model.container, number);
}

ContainerViewStyle Style() {
    ContainerViewStyle style;
    style.unitsPerMm = kPixelsPerMm;
    return style;
}

int Sum(QColor c) {
    return c.red() + c.green() + c.blue();
}

TEST(ContainerViewsTest, LoadHoldsOneContainersStacksInPlacementOrder) {
    const ContainerLoad second = HmanContainer(2);
    ASSERT_EQ(second.stacks.size(), 26U);  // the 26 units of line 2 that went on
    for (const PlacedStack& s : second.stacks) {
        EXPECT_EQ(s.container, 2);
        EXPECT_EQ(s.line, 4);
    }
    EXPECT_EQ(second.stacks.front().x1, 50);
    EXPECT_TRUE(HmanContainer(4).stacks.empty());
}

// 280 x 60 mm leave 262 mm beside the wall names and 53 mm below the scale: the length bounds
// the scale at 262 / 16100 per mm, and the floor is centred across the width.
TEST(ContainerViewsTest, TopViewFitsTheFloorBetweenItsBands) {
    ContainerViewStyle style;
    style.unitsPerMm = 1;
    const TopViewFit fit = FitTopView(QRectF(10, 20, 280, 60), HmanContainer(1).container, style);
    EXPECT_DOUBLE_EQ(fit.scale, 262.0 / 16100);
    EXPECT_DOUBLE_EQ(fit.origin.x(), 10 + 9);
    EXPECT_DOUBLE_EQ(fit.origin.y(), 20 + 7);
    const TopViewFit tall = FitTopView(QRectF(0, 0, 280, 30), HmanContainer(1).container, style);
    EXPECT_DOUBLE_EQ(tall.scale, 23.0 / 2450);
    EXPECT_DOUBLE_EQ(tall.origin.x(), (280 - 16100 * 23.0 / 2450) / 2);
}

TEST(ContainerViewsTest, TopViewShowsWallsStacksInTheirColourAndFreeFloor) {
    QImage page = WhitePage(1120, 240);
    const QRectF area(0, 0, page.width(), page.height());
    const ContainerLoad load = HmanContainer(1);
    {
        QPainter painter(&page);
        DrawContainerTopView(painter, area, load, Style());
    }
    const TopViewFit fit = FitTopView(area, load.container, Style());
    const auto at = [&](double x, double y) {
        const QPointF p = fit.At(x, y);
        return page.pixelColor(static_cast<int>(p.x()), static_cast<int>(p.y()));
    };
    EXPECT_LT(Sum(at(0, 1225)), 60);                                         // the front wall
    EXPECT_LT(Sum(at(8000, 0)), 150);                                        // the first side wall
    EXPECT_EQ(at(50 + 0.75 * 1200, 50 + 0.8 * 800), QColor(128, 0, 0));      // line 1: 0x000080
    EXPECT_EQ(at(9660 + 0.75 * 1200, 400 + 0.8 * 1000), QColor(0, 128, 0));  // line 2
    EXPECT_EQ(at(3000, 200), QColor(Qt::white));                             // no stack there
    EXPECT_EQ(at(15900, 600), QColor(Qt::white));                            // behind the last row
}

TEST(ContainerViewsTest, ThreeDViewDrawsTheBoxAndTheUnitsInsideItsArea) {
    QImage page = WhitePage(600, 400);
    const QRectF area(100, 50, 400, 300);
    {
        QPainter painter(&page);
        DrawContainer3DView(painter, area, HmanContainer(3), Style());
    }
    int unitTops = 0;
    int sideWall = 0;
    int frontWall = 0;
    int outside = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            unitTops += c == ToQColor(0x008080) ? 1 : 0;      // line 3's colour on the top faces
            sideWall += c == QColor(191, 191, 191) ? 1 : 0;   // white shaded by 0.75
            frontWall += c == QColor(128, 128, 128) ? 1 : 0;  // and by 0.5
            outside += !area.contains(x, y) && c != QColor(Qt::white) ? 1 : 0;
        }
    }
    EXPECT_GT(unitTops, 500);
    EXPECT_GT(sideWall, 2000);
    EXPECT_GT(frontWall, 100);
    EXPECT_EQ(outside, 0);
}

TEST(PainterCanvasTest, CanvasUnitsAreDeviceUnitsFromTheOriginAndPensScale) {
    QImage page = WhitePage(100, 100);
    {
        QPainter painter(&page);
        PainterCanvas canvas(painter, QPointF(10, 20), 4, 80, 60);
        EXPECT_EQ(canvas.Width(), 80);
        canvas.SetBrushColour(0x0000FF);  // red
        canvas.FillRect(0, 0, 20, 10);
        canvas.SetPenColour(0xFF0000);  // blue
        canvas.MoveTo(0, 40);
        canvas.LineTo(60, 40);
    }
    EXPECT_EQ(page.pixelColor(15, 25), QColor(255, 0, 0));
    EXPECT_EQ(page.pixelColor(5, 25), QColor(Qt::white));  // left of the origin
    EXPECT_EQ(page.pixelColor(35, 25), QColor(Qt::white));
    // A pen of width 1 is four units wide: rows 58 to 61 around y = 20 + 40.
    for (const int y : {59, 60}) {
        EXPECT_EQ(page.pixelColor(40, y), QColor(0, 0, 255)) << y;
    }
    EXPECT_EQ(page.pixelColor(40, 54), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(40, 66), QColor(Qt::white));
}

}  // namespace
}  // namespace stowbel
