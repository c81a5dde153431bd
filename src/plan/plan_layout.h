#pragma once

#include <QRectF>
#include <vector>

#include "order/model.h"

namespace stowbel {

// Where everything goes on the pages of a loading plan, in millimetres of paper from the upper
// left corner of the paintable area. Made for A4 landscape; other pages get the same parts in
// proportion.
struct PlanPageGeometry {
    double width = 297;
    double height = 210;

    static constexpr double kMargin = 12;
    static constexpr double kTop = 8;
    static constexpr double kFooter = 11;  // band at the bottom for the page number
    static constexpr double kTitle = 12;   // the page's title line
    static constexpr double kRow = 6.6;    // a row of the loading list
    static constexpr double kHeaderRow = 7;
    static constexpr double kTableNote = 8.5;  // two lines that explain the columns

    double ContentLeft() const { return kMargin; }
    double ContentRight() const { return width - kMargin; }
    double ContentWidth() const { return width - 2 * kMargin; }
    double ContentBottom() const { return height - kFooter; }
    QRectF Title() const { return {kMargin, kTop, ContentWidth(), kTitle}; }
    QRectF Footer() const { return {kMargin, height - kFooter, ContentWidth(), kFooter}; }
};

struct ContainerPageAreas {
    QRectF topView;
    QRectF view3D;
    QRectF table;  // note, header row and rows
};

// The first page of a container: the top view across the whole width, as tall as the
// container's proportions need (within limits); below it the 3D view on the left and the
// loading list on the right.
ContainerPageAreas LayOutContainerPage(const PlanPageGeometry& page, const Container& container);

// A page that continues a loading list: the container's top view again, as on its first page,
// so that the loaders find the stacks the page lists, and the list across the page below it.
struct ContinuedListAreas {
    QRectF topView;
    QRectF table;
};
ContinuedListAreas LayOutContinuedListPage(const PlanPageGeometry& page,
                                           const Container& container);
// The area below the title over the whole page (a page that continues the report).
QRectF ContinuedListArea(const PlanPageGeometry& page);

// The loading list in an area: under its note, blocks of columns side by side, each with its
// header row. One block when the rows fit one, else as many as the width takes (at most three).
struct ListGrid {
    QRectF area;
    int blocks = 1;
    int rowsPerBlock = 1;
    double blockWidth = 0;

    static constexpr double kBlockGap = 5;

    int Capacity() const { return blocks * rowsPerBlock; }
    // Block i (from 0) below the note: header row and rows.
    QRectF Block(int i) const;
};
// withLoadLimit: the lists also have a column of what a unit may carry on top; withHeight: a
// column for the height a stack stands at.
ListGrid LayOutList(const QRectF& area, bool withMass, int rows, bool withLoadLimit = false,
                    bool withHeight = false);

struct OverviewAreas {
    QRectF container;  // the container line in words
    QRectF totals;
    QRectF report;
    QRectF picture;
};
OverviewAreas LayOutOverview(const PlanPageGeometry& page);
// A page that continues the report.
QRectF ContinuedReportArea(const PlanPageGeometry& page);

enum class PlanPageKind { Overview, ReportContinued, Container, ListContinued };

struct PlanPage {
    PlanPageKind kind = PlanPageKind::Overview;
    int container = 0;  // from 1, on container pages
    int firstItem = 0;  // first report line or list row on the page
    int itemCount = 0;
};

// The pages in order: the overview (and the report's continuation when it is long), then for
// each container its page and the pages that continue its list. reportHeights gives the height
// in mm of each report line as written on the first page (its heading included in the first),
// continuedReportHeights as written across a continuation page; listLengths the rows of each
// container's list.
struct PlanContents {
    std::vector<double> reportHeights;
    std::vector<double> continuedReportHeights;
    std::vector<int> listLengths;
    bool withMass = false;       // the lists have a mass column
    bool withLoadLimit = false;  // a column of what a unit may carry on top
    bool withHeight = false;     // and one for the height a stack stands at
};
std::vector<PlanPage> PaginateLoadingPlan(const PlanPageGeometry& page, const Container& container,
                                          const PlanContents& contents);

}  // namespace stowbel
