#include "scheme/projection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace stowbel {

std::ostream& operator<<(std::ostream& os, const Point3D& p) {
    return os << "(" << p.x << ", " << p.y << ", " << p.z << ")";
}

namespace {

TEST(RotatePoint3DTest, TruncatesEveryCoordinateTowardZero) {
    EXPECT_EQ(RotatePoint3D({}, {1000, 0, 0}, 2, 45), (Point3D{707, 0, -707}));
    EXPECT_EQ(RotatePoint3D({}, {0.9, -0.9, 5}, 3, 0), (Point3D{0, 0, 5}));
}

TEST(RotatePoint3DTest, TurnsAboutTheCentre) {
    EXPECT_EQ(RotatePoint3D({100, 100, 0}, {200, 100, 7}, 3, 90), (Point3D{100, 0, 7}));
}

struct SceneCase {
    Point3D in;
    Point3D out;
};

class RotateSceneTest : public testing::TestWithParam<SceneCase> {};

TEST_P(RotateSceneTest, AxonometricDirections) {
    EXPECT_EQ(RotateScene(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Axes, RotateSceneTest,
                         testing::Values(SceneCase{{1000, 0, 0}, {707, 353, -612}},
                                         SceneCase{{0, 1000, 0}, {-707, 353, -612}},
                                         SceneCase{{0, 0, 1000}, {0, 866, 499}}));

TEST(RotateLyingTest, LandsWhereTheSceneRotationPutsTheExchangedPoint) {
    // Up to the millimetre that the scene rotation's extra truncating turn may take off.
    for (const Point3D& p : {Point3D{1200, 300, -800}, Point3D{0, 2200, 0}, Point3D{50, 7, 9}}) {
        const Point3D lying = RotateLying(p);
        const Point3D scene = RotateScene({p.x, -p.z, p.y});
        EXPECT_NEAR(lying.x, scene.x, 1) << p;
        EXPECT_NEAR(lying.y, scene.y, 1) << p;
        EXPECT_NEAR(lying.z, scene.z, 1) << p;
    }
}

TEST(FitProjection3DTest, ContainerInTheDefaultCell) {
    ProjectionState projection;
    FitProjection3D(projection, 516, 340, 0, 0, 0, 16100, 2450, 2200);
    EXPECT_NEAR(projection.Scale, 33.044, 0.001);
    EXPECT_NEAR(projection.OffsetX, 111.95, 0.01);
    EXPECT_NEAR(projection.OffsetY, 41.94, 0.01);
    const Point3D far = RotateScene({16100, 2450, 2200});
    EXPECT_NEAR(far.x / projection.Scale + projection.OffsetX, 404.0, 0.05);
    EXPECT_NEAR(far.y / projection.Scale + projection.OffsetY, 298.1, 0.05);
    const Point3D nearTop = RotateScene({16100, 2450, 0});
    EXPECT_NEAR(nearTop.x / projection.Scale + projection.OffsetX, 404, 0.5);
    EXPECT_NEAR(nearTop.y / projection.Scale + projection.OffsetY, 240, 0.5);
}

TEST(RotateSceneTest, ContainerCornersSpanTheFittedRange) {
    double minX = 0, maxX = 0, maxY = 0;
    for (double x : {0.0, 16100.0}) {
        for (double y : {0.0, 2450.0}) {
            for (double z : {0.0, 2200.0}) {
                const Point3D p = RotateScene({x, y, z});
                minX = std::min(minX, p.x);
                maxX = std::max(maxX, p.x);
                maxY = std::max(maxY, p.y);
            }
        }
    }
    EXPECT_EQ(minX, -1732);
    EXPECT_EQ(maxX, 11384);
    EXPECT_EQ(maxY, 8463);
}

TEST(FitProjection3DTest, DegenerateBoxGetsScaleOne) {
    ProjectionState projection;
    FitProjection3D(projection, 516, 340, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(projection.Scale, 1);
    EXPECT_EQ(projection.OffsetX, 258);
    EXPECT_EQ(projection.OffsetY, 170);
}

}  // namespace
}  // namespace stowbel
