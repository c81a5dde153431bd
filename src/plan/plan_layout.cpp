#include "plan/plan_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace stowbel {

namespace {

constexpr double kGap = 5;
// The top view: bands for the metre scale and the wall names around the floor, and the limits
// of its height so that a short container does not crowd out the list.
constexpr double kTopViewBands = 9;
constexpr double kTopViewWallBands = 18;
constexpr double kTopViewMinHeight = 30;
constexpr double kTopViewMaxHeight = 78;
constexpr double kView3DShare = 0.30;
// The narrowest block of list columns that still reads well, without and with the mass.
constexpr double kMinBlockWidth = 88;
constexpr double kMinBlockWidthWithMass = 105;
constexpr double kMinBlockWidthWithLoadLimit = 125;
constexpr double kHeightColumnWidth = 14;
constexpr int kMaxBlocks = 3;
constexpr double kOverviewTotals = 17;
constexpr double kOverviewContainer = 12;
constexpr double kReportShare = 0.46;

// How many items of the given heights, from first on, fit a height.
int Fitting(const std::vector<double>& heights, std::size_t first, double room) {
    int count = 0;
    double used = 0;
    for (std::size_t i = first; i < heights.size(); ++i) {
        used += heights[i];
        if (used > room && count > 0) {
            break;
        }
        ++count;
    }
    return count;
}

}  // namespace

ContainerPageAreas LayOutContainerPage(const PlanPageGeometry& page, const Container& container) {
    const double top = page.Title().bottom() + 2;
    double floorHeight = kTopViewMaxHeight;
    if (container.Length > 0) {
        floorHeight =
            (page.ContentWidth() - kTopViewWallBands) * container.Width / container.Length;
    }
    const double topHeight =
        std::clamp(floorHeight + kTopViewBands, kTopViewMinHeight, kTopViewMaxHeight);
    ContainerPageAreas areas;
    areas.topView = QRectF(page.ContentLeft(), top, page.ContentWidth(), topHeight);
    const double lowerTop = areas.topView.bottom() + kGap;
    const double lowerHeight = page.ContentBottom() - kGap / 2 - lowerTop;
    const double width3D = page.ContentWidth() * kView3DShare;
    areas.view3D = QRectF(page.ContentLeft(), lowerTop, width3D, lowerHeight);
    areas.table = QRectF(page.ContentLeft() + width3D + kGap, lowerTop,
                         page.ContentWidth() - width3D - kGap, lowerHeight);
    return areas;
}

ContinuedListAreas LayOutContinuedListPage(const PlanPageGeometry& page,
                                           const Container& container) {
    const ContainerPageAreas first = LayOutContainerPage(page, container);
    ContinuedListAreas areas;
    areas.topView = first.topView;
    const double top = first.topView.bottom() + kGap;
    areas.table =
        QRectF(page.ContentLeft(), top, page.ContentWidth(), page.ContentBottom() - kGap / 2 - top);
    return areas;
}

QRectF ContinuedListArea(const PlanPageGeometry& page) {
    const double top = page.Title().bottom() + 2;
    return {page.ContentLeft(), top, page.ContentWidth(), page.ContentBottom() - kGap / 2 - top};
}

QRectF ListGrid::Block(int i) const {
    const double top = area.top() + PlanPageGeometry::kTableNote;
    return {area.left() + i * (blockWidth + kBlockGap), top, blockWidth, area.bottom() - top};
}

ListGrid LayOutList(const QRectF& area, bool withMass, int rows, bool withLoadLimit,
                    bool withHeight) {
    ListGrid grid;
    grid.area = area;
    const double room = area.height() - PlanPageGeometry::kTableNote - PlanPageGeometry::kHeaderRow;
    grid.rowsPerBlock = std::max(1, static_cast<int>(std::floor(room / PlanPageGeometry::kRow)));
    const double minimum = (withLoadLimit ? kMinBlockWidthWithLoadLimit
                            : withMass    ? kMinBlockWidthWithMass
                                          : kMinBlockWidth) +
                           (withHeight ? kHeightColumnWidth : 0);
    const int fitting = static_cast<int>(
        std::floor((area.width() + ListGrid::kBlockGap) / (minimum + ListGrid::kBlockGap)));
    grid.blocks = rows <= grid.rowsPerBlock ? 1 : std::clamp(fitting, 1, kMaxBlocks);
    grid.blockWidth = (area.width() - (grid.blocks - 1) * ListGrid::kBlockGap) / grid.blocks;
    return grid;
}

OverviewAreas LayOutOverview(const PlanPageGeometry& page) {
    OverviewAreas areas;
    double y = page.Title().bottom() + 1;
    areas.container = QRectF(page.ContentLeft(), y, page.ContentWidth(), kOverviewContainer);
    y = areas.container.bottom() + 2;
    areas.totals = QRectF(page.ContentLeft(), y, page.ContentWidth(), kOverviewTotals);
    y = areas.totals.bottom() + kGap;
    const double height = page.ContentBottom() - kGap / 2 - y;
    const double reportWidth = page.ContentWidth() * kReportShare;
    areas.report = QRectF(page.ContentLeft(), y, reportWidth, height);
    areas.picture = QRectF(page.ContentLeft() + reportWidth + kGap, y,
                           page.ContentWidth() - reportWidth - kGap, height);
    return areas;
}

QRectF ContinuedReportArea(const PlanPageGeometry& page) {
    return ContinuedListArea(page);
}

std::vector<PlanPage> PaginateLoadingPlan(const PlanPageGeometry& page, const Container& container,
                                          const PlanContents& contents) {
    const std::vector<double>& reportHeights = contents.reportHeights;
    std::vector<PlanPage> pages;
    const int onOverview = Fitting(reportHeights, 0, LayOutOverview(page).report.height());
    pages.push_back({PlanPageKind::Overview, 0, 0, onOverview});
    const double continuedRoom = ContinuedReportArea(page).height();
    const std::vector<double>& continued =
        contents.continuedReportHeights.size() == reportHeights.size()
            ? contents.continuedReportHeights
            : reportHeights;
    for (std::size_t first = static_cast<std::size_t>(onOverview); first < reportHeights.size();) {
        const int count = Fitting(continued, first, continuedRoom);
        pages.push_back({PlanPageKind::ReportContinued, 0, static_cast<int>(first), count});
        first += static_cast<std::size_t>(count);
    }

    const QRectF firstArea = LayOutContainerPage(page, container).table;
    const int laterCapacity =
        LayOutList(LayOutContinuedListPage(page, container).table, contents.withMass,
                   std::numeric_limits<int>::max(), contents.withLoadLimit, contents.withHeight)
            .Capacity();
    for (std::size_t c = 0; c < contents.listLengths.size(); ++c) {
        const int number = static_cast<int>(c) + 1;
        const int rows = contents.listLengths[c];
        const int first = std::min(rows, LayOutList(firstArea, contents.withMass, rows,
                                                    contents.withLoadLimit, contents.withHeight)
                                             .Capacity());
        pages.push_back({PlanPageKind::Container, number, 0, first});
        for (int from = first; from < rows; from += laterCapacity) {
            pages.push_back(
                {PlanPageKind::ListContinued, number, from, std::min(laterCapacity, rows - from)});
        }
    }
    return pages;
}

}  // namespace stowbel
