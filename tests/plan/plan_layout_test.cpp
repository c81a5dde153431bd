#include "plan/plan_layout.h"

#include <gtest/gtest.h>

#include <numeric>

namespace stowbel {
namespace {

Container LongContainer() {
    Container c;
    c.Width = 2450;
    c.Length = 16100;
    c.Height = 2200;
    return c;
}

bool Inside(const QRectF& inner, const QRectF& outer) {
    return outer.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(inner);
}

TEST(PlanLayoutTest, ContainerPagePartsLieOnThePageWithoutOverlapping) {
    const PlanPageGeometry page;
    const QRectF content(page.ContentLeft(), page.Title().bottom(), page.ContentWidth(),
                         page.ContentBottom() - page.Title().bottom());
    for (const double length : {3000.0, 6000.0, 16100.0, 40000.0}) {
        Container c = LongContainer();
        c.Length = length;
        const ContainerPageAreas areas = LayOutContainerPage(page, c);
        EXPECT_TRUE(Inside(areas.topView, content)) << length;
        EXPECT_TRUE(Inside(areas.view3D, content)) << length;
        EXPECT_TRUE(Inside(areas.table, content)) << length;
        EXPECT_FALSE(areas.topView.intersects(areas.view3D)) << length;
        EXPECT_FALSE(areas.view3D.intersects(areas.table)) << length;
        EXPECT_GE(areas.topView.height(), 30) << length;
        EXPECT_LE(areas.topView.height(), 78) << length;
    }
}

TEST(PlanLayoutTest, ListBlocksShareTheWidthOnlyWhenOneBlockIsNotEnough) {
    const QRectF area(0, 0, 186, 118);
    const ListGrid one = LayOutList(area, false, 10);
    EXPECT_EQ(one.blocks, 1);
    EXPECT_DOUBLE_EQ(one.blockWidth, 186);
    // (118 - 8.5 - 7) / 6.6 = 15.5 rows of 6.6 mm under the note and the header row.
    EXPECT_EQ(one.rowsPerBlock, 15);
    const ListGrid two = LayOutList(area, false, 16);
    EXPECT_EQ(two.blocks, 2);
    EXPECT_DOUBLE_EQ(two.blockWidth, (186 - 5) / 2.0);
    EXPECT_EQ(two.Capacity(), 30);
    EXPECT_LE(two.Block(1).right(), area.right() + 1e-9);
    // A mass column needs wider blocks: the same width then takes one.
    EXPECT_EQ(LayOutList(area, true, 16).blocks, 1);
    EXPECT_EQ(LayOutList(QRectF(0, 0, 280, 160), false, 1000).blocks, 3);
}

TEST(PlanLayoutTest, PagesHoldEveryRowAndReportLineOnceInOrder) {
    const PlanPageGeometry page;
    PlanContents contents;
    contents.reportHeights = std::vector<double>(60, 9.0);  // more than the first page holds
    contents.listLengths = {30, 0, 400, 1};
    const std::vector<PlanPage> pages = PaginateLoadingPlan(page, LongContainer(), contents);
    ASSERT_FALSE(pages.empty());
    EXPECT_EQ(pages.front().kind, PlanPageKind::Overview);

    int nextLine = 0;
    std::vector<int> nextRow(contents.listLengths.size(), 0);
    int container = 0;
    for (const PlanPage& p : pages) {
        switch (p.kind) {
            case PlanPageKind::Overview:
            case PlanPageKind::ReportContinued:
                EXPECT_EQ(container, 0) << "the report comes before the containers";
                EXPECT_EQ(p.firstItem, nextLine);
                EXPECT_GT(p.itemCount, 0);
                nextLine += p.itemCount;
                break;
            case PlanPageKind::Container:
                EXPECT_EQ(p.container, container + 1);
                container = p.container;
                [[fallthrough]];
            case PlanPageKind::ListContinued: {
                EXPECT_EQ(p.container, container);
                auto& next = nextRow[static_cast<std::size_t>(container - 1)];
                EXPECT_EQ(p.firstItem, next);
                next += p.itemCount;
                break;
            }
        }
    }
    EXPECT_EQ(nextLine, 60);
    EXPECT_EQ(nextRow, contents.listLengths);
    EXPECT_EQ(container, 4);
    // An empty container still gets its page.
    const auto empty = std::find_if(pages.begin(), pages.end(), [](const PlanPage& p) {
        return p.kind == PlanPageKind::Container && p.container == 2;
    });
    ASSERT_NE(empty, pages.end());
    EXPECT_EQ(empty->itemCount, 0);
}

// Lines written across a whole continuation page take less height than in the first page's
// column: lines of 4.5 mm fill its 174.5 mm (from 22 mm below the top to 2.5 mm above the
// footer at 199 mm) 38 at a time.
TEST(PlanLayoutTest, ContinuedReportLinesAreCountedAtTheirOwnHeight) {
    PlanContents contents;
    contents.reportHeights = std::vector<double>(100, 9.0);
    contents.continuedReportHeights = std::vector<double>(100, 4.5);
    const auto pages = PaginateLoadingPlan(PlanPageGeometry{}, LongContainer(), contents);
    EXPECT_DOUBLE_EQ(ContinuedReportArea(PlanPageGeometry{}).height(), 174.5);
    ASSERT_GE(pages.size(), 2U);
    EXPECT_EQ(pages[1].kind, PlanPageKind::ReportContinued);
    EXPECT_EQ(pages[1].itemCount, 38);
}

TEST(PlanLayoutTest, ShortReportAndListsGiveOnePageEach) {
    PlanContents contents;
    contents.reportHeights = std::vector<double>(7, 8.0);
    contents.listLengths = {30, 26, 25};
    const auto pages = PaginateLoadingPlan(PlanPageGeometry{}, LongContainer(), contents);
    ASSERT_EQ(pages.size(), 4U);
    EXPECT_EQ(pages[0].itemCount, 7);
    EXPECT_EQ(pages[1].itemCount, 30);
    EXPECT_EQ(pages[3].container, 3);
}

}  // namespace
}  // namespace stowbel
