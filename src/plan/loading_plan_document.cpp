#include "plan/loading_plan_document.h"

#include <QBuffer>
#include <QFont>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <regex>

#include "calc/container_weight.h"
#include "files/atomic_file.h"
#include "pictures/picture_maker.h"
#include "plan/loading_plan.h"
#include "plan/page_text.h"
#include "plan/plan_layout.h"
#include "scheme/container_views.h"
#include "scheme/raster_canvas.h"

namespace stowbel {

namespace {

constexpr const char* kFontFiles[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                      "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"};

const QColor kGrid(0xB0, 0xB0, 0xB0);
const QColor kHeaderFill(0xE4, 0xE4, 0xE4);
const QColor kStripe(0xF3, 0xF3, 0xF3);
const QColor kQuiet(0x50, 0x50, 0x50);
const QColor kCentreOfGravity(0xC8, 0x00, 0x00);
// Room for the container's mass line above its 3D view: three lines of small text.
constexpr double kMassLine = 12;
// The summary picture writes the report lines this many pixels apart at its bottom.
constexpr int kSummaryLineStep = 20;
// Between the table of what was not loaded and the picture below it.
constexpr double kNotLoadedGap = 5;

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

// A column of the loading list: its heading, its share of the block's width and whether its
// values are numbers, which line up on the right.
struct Column {
    QString heading;
    double share;
    bool number;
};

// withHeight: a plan that stands stacks on other cargo gives the height each stands at.
std::vector<Column> ListColumns(bool withMass, bool withHeight, bool withLoadLimit) {
    std::vector<Column> columns;
    columns.push_back({QStringLiteral("№"), 7, true});
    columns.push_back({QStringLiteral("Груз"), 37.5, false});
    columns.push_back({QStringLiteral("Укладка"), 15, false});
    columns.push_back({QStringLiteral("Мест"), 8.5, true});
    columns.push_back({QStringLiteral("x, мм"), 12, true});
    columns.push_back({QStringLiteral("y, мм"), 12, true});
    if (withHeight) {
        columns.push_back({QStringLiteral("h, мм"), 12, true});
    }
    if (withMass) {
        columns.push_back({QStringLiteral("Масса, кг"), 15, true});
    }
    if (withLoadLimit) {
        columns.push_back({QStringLiteral("Сверху, кг"), 24, true});
    }
    return columns;
}

// Black or white, whichever reads better on the colour.
QColor TextOn(const QColor& fill) {
    const double luminance = 0.299 * fill.red() + 0.587 * fill.green() + 0.114 * fill.blue();
    return luminance > 140 ? Qt::black : Qt::white;
}

class PlanPainter {
public:
    // painter is active on device.
    PlanPainter(QPagedPaintDevice& device, QPainter& painter, const LoadingPlanInput& input)
        : device_(device),
          input_(input),
          painter_(painter),
          unitsPerMm_(device.logicalDpiX() / 25.4),
          family_(PlanFontFamily()),
          text_(painter_, device, family_, unitsPerMm_) {
        page_.width = device.width() / unitsPerMm_;
        page_.height = device.height() / unitsPerMm_;
        painter_.setRenderHint(QPainter::Antialiasing, true);
        painter_.setRenderHint(QPainter::TextAntialiasing, true);
        for (const PlanCargoLine& line : input.cargo) {
            withMass_ = withMass_ || line.unitMass.has_value();
            withLoadLimit_ = withLoadLimit_ || line.type.LoadLimit.has_value();
        }
        withHeight_ = input.result.method != PlanMethod::Rows;
        for (int c = 1; c <= input.result.containers; ++c) {
            lists_.push_back(
                MakeLoadingList(input.result, c, input.container, input.cargo, input.format));
        }
        PlanContents contents{ReportHeights(LayOutOverview(page_).report.width(), true),
                              ReportHeights(ContinuedReportArea(page_).width(), false),
                              {},
                              withMass_,
                              withLoadLimit_,
                              withHeight_};
        for (const auto& list : lists_) {
            contents.listLengths.push_back(static_cast<int>(list.size()));
        }
        pages_ = PaginateLoadingPlan(page_, input.container, contents);
        // A list that does not fit its container's page is condensed: runs of identical stacks
        // share a row, so that a long order stays a plan of one page per container.
        listRows_ = lists_;
        bool condensed = false;
        for (const PlanPage& page : pages_) {
            if (page.kind == PlanPageKind::ListContinued && page.firstItem > 0) {
                auto& rows = listRows_[static_cast<std::size_t>(page.container - 1)];
                if (rows.size() == lists_[static_cast<std::size_t>(page.container - 1)].size()) {
                    rows = GroupIdenticalRows(rows);
                    contents.listLengths[static_cast<std::size_t>(page.container - 1)] =
                        static_cast<int>(rows.size());
                    condensed = true;
                }
            }
        }
        if (condensed) {
            pages_ = PaginateLoadingPlan(page_, input.container, contents);
        }
    }

    void Paint() {
        for (std::size_t i = 0; i < pages_.size(); ++i) {
            if (i > 0) {
                device_.newPage();
            }
            const PlanPage& page = pages_[i];
            switch (page.kind) {
                case PlanPageKind::Overview:
                    Overview(page);
                    break;
                case PlanPageKind::ReportContinued:
                    Title(QStringLiteral("Отчёт расчёта, продолжение"), {});
                    ReportLines(ContinuedReportArea(page_), page.firstItem, page.itemCount);
                    break;
                case PlanPageKind::Container:
                    ContainerPage(page);
                    break;
                case PlanPageKind::ListContinued: {
                    Title(ContainerTitle(page.container) +
                              QStringLiteral(": список погрузки, продолжение"),
                          {});
                    const ContinuedListAreas areas =
                        LayOutContinuedListPage(page_, input_.container);
                    TopView(areas.topView, page.container);
                    List(areas.table, page);
                    break;
                }
            }
            Footer(static_cast<int>(i) + 1, static_cast<int>(pages_.size()));
        }
        painter_.end();
    }

private:
    // A length on the page in millimetres, in the paint device's units.
    double DeviceUnits(double mm) const { return mm * unitsPerMm_; }
    QRectF DeviceRect(const QRectF& mm) const {
        return {DeviceUnits(mm.left()), DeviceUnits(mm.top()), DeviceUnits(mm.width()),
                DeviceUnits(mm.height())};
    }

    void Title(const QString& left, const QString& right) {
        const QRectF title = page_.Title();
        text_.Line(title, left, 18, true, Qt::AlignLeft);
        if (!right.isEmpty()) {
            text_.Line(title, right, 11, false, Qt::AlignRight, kQuiet);
        }
        painter_.setPen(QPen(Qt::black, DeviceUnits(0.4)));
        painter_.drawLine(QPointF(DeviceUnits(title.left()), DeviceUnits(title.bottom())),
                          QPointF(DeviceUnits(title.right()), DeviceUnits(title.bottom())));
    }

    void Footer(int number, int count) {
        const QRectF footer = page_.Footer();
        painter_.setPen(QPen(kGrid, DeviceUnits(0.25)));
        painter_.drawLine(QPointF(DeviceUnits(footer.left()), DeviceUnits(footer.top() + 2)),
                          QPointF(DeviceUnits(footer.right()), DeviceUnits(footer.top() + 2)));
        const QRectF text(footer.left(), footer.top() + 3, footer.width(), 6);
        const std::string program =
            input_.program.empty() ? ProgramNameAndVersion() : input_.program;
        text_.Line(text,
                   ToQString(program) + QStringLiteral(" — план погрузки «") +
                       ToQString(input_.orderName) + QStringLiteral("»"),
                   8, false, Qt::AlignLeft, kQuiet);
        text_.Line(text, QStringLiteral("Страница %1 из %2").arg(number).arg(count), 9, true,
                   Qt::AlignRight);
    }

    // The height in mm each report line takes written across a width in mm.
    std::vector<double> ReportHeights(double widthMm, bool withHeading) {
        std::vector<double> heights;
        for (const std::string& line : input_.result.report) {
            heights.push_back(
                text_.ParagraphHeight(ToQString(line).trimmed(), kReportPoints, widthMm) +
                kReportSpacing);
        }
        // The heading above the lines takes room on the first page.
        if (withHeading && !heights.empty()) {
            heights.front() += kReportHeading;
        }
        return heights;
    }

    void ReportLines(const QRectF& area, int first, int count) {
        double y = area.top();
        if (first == 0) {
            text_.Line(QRectF(area.left(), y, area.width(), kReportHeading - 1),
                       QStringLiteral("Отчёт расчёта"), 11, true, Qt::AlignLeft);
            y += kReportHeading;
        }
        for (int i = first; i < first + count; ++i) {
            const QString line =
                ToQString(input_.result.report[static_cast<std::size_t>(i)]).trimmed();
            y += text_.Paragraph(QRectF(area.left(), y, area.width(), area.bottom() - y), line,
                                 kReportPoints) +
                 kReportSpacing;
        }
    }

    void Overview(const PlanPage& page) {
        Title(QStringLiteral("План погрузки: ") + ToQString(input_.orderName),
              input_.createdAt.toString(QStringLiteral("dd.MM.yyyy HH:mm")));
        const OverviewAreas areas = LayOutOverview(page_);
        text_.Wrapped(areas.container, ToQString(DescribeContainer(input_)), 10.5, Qt::black);
        Totals(areas.totals);
        ReportLines(areas.report, page.firstItem, page.itemCount);
        QRectF picture = areas.picture;
        picture.setTop(picture.top() + NotLoaded(areas.picture));
        Picture(picture);
    }

    // What the run left, by cargo line, at the top of the area; returns the height used.
    double NotLoaded(const QRectF& area) {
        const std::vector<NotLoadedLine> lines = NotLoadedLines(input_.result, input_.cargo);
        if (lines.empty()) {
            return 0;
        }
        const double row = PlanPageGeometry::kRow;
        const double header = PlanPageGeometry::kHeaderRow;
        // At most half the area; the lines that do not fit are counted in the last row.
        const int room = std::max(
            1, static_cast<int>(std::floor((area.height() / 2 - kReportHeading - header) / row)));
        const int shown =
            static_cast<int>(lines.size()) <= room ? static_cast<int>(lines.size()) : room - 1;
        text_.Line(QRectF(area.left(), area.top(), area.width(), kReportHeading - 1),
                   QStringLiteral("Не погружено"), 11, true, Qt::AlignLeft);
        double y = area.top() + kReportHeading;
        const QString headings[] = {QStringLiteral("Груз"), QStringLiteral("Заказано"),
                                    QStringLiteral("Погружено"), QStringLiteral("Не погружено")};
        const double widths[] = {area.width() * 0.46, area.width() * 0.17, area.width() * 0.17,
                                 area.width() * 0.20};
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(kHeaderFill);
        painter_.drawRect(DeviceRect(QRectF(area.left(), y, area.width(), header)));
        double x = area.left();
        for (int c = 0; c < 4; ++c) {
            text_.Line(Cell(x, y, widths[c], header), headings[c], 8, true,
                       c == 0 ? Qt::AlignLeft : Qt::AlignRight);
            x += widths[c];
        }
        y += header;
        for (int i = 0; i < shown; ++i) {
            const NotLoadedLine& line = lines[static_cast<std::size_t>(i)];
            if (i % 2 == 1) {
                painter_.setPen(Qt::NoPen);
                painter_.setBrush(kStripe);
                painter_.drawRect(DeviceRect(QRectF(area.left(), y, area.width(), row)));
            }
            x = area.left();
            const double swatch = 5;
            PlacedStack colour;
            colour.type = line.type;
            colour.colourIndex = line.type - 1;
            Swatch(QRectF(x + 1, y + (row - swatch) / 2, swatch, swatch), colour);
            text_.Line(QRectF(x + swatch + 2.5, y, widths[0] - swatch - 3.5, row),
                       QStringLiteral("Заказ %1: ").arg(line.type) +
                           ToQString(CargoSizes(*line.cargo, input_.format)),
                       9, false, Qt::AlignLeft);
            x += widths[0];
            const int values[] = {line.ordered, line.placed, line.Left()};
            for (int c = 0; c < 3; ++c) {
                text_.Line(Cell(x, y, widths[c + 1], row), QString::number(values[c]), 9, c == 2,
                           Qt::AlignRight);
                x += widths[c + 1];
            }
            y += row;
        }
        if (shown < static_cast<int>(lines.size())) {
            int more = 0;
            for (std::size_t i = static_cast<std::size_t>(shown); i < lines.size(); ++i) {
                more += lines[i].Left();
            }
            text_.Line(Cell(area.left(), y, area.width(), row),
                       QStringLiteral("и ещё %1 строк заказа: %2 мест")
                           .arg(lines.size() - static_cast<std::size_t>(shown))
                           .arg(more),
                       9, false, Qt::AlignLeft, kQuiet);
            y += row;
        }
        painter_.setPen(QPen(kGrid, DeviceUnits(0.2)));
        painter_.drawLine(QPointF(DeviceUnits(area.left()), DeviceUnits(y)),
                          QPointF(DeviceUnits(area.right()), DeviceUnits(y)));
        return y - area.top() + kNotLoadedGap;
    }

    void Totals(const QRectF& area) {
        const PlanTotals totals = ComputePlanTotals(input_);
        std::vector<std::pair<QString, QString>> cells{
            {QStringLiteral("Контейнеров"), QString::number(totals.containers)},
            {QStringLiteral("Погружено мест"), QString::number(totals.placed)},
            {QStringLiteral("Не погружено мест"), QString::number(totals.notPlaced)}};
        if (totals.mass) {
            cells.push_back({QStringLiteral("Масса груза, кг"),
                             ToQString(FormatMass(*totals.mass, input_.format))});
        }
        const double gap = 4;
        const double width = (area.width() - gap * 3) / 4;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const QRectF cell(area.left() + static_cast<double>(i) * (width + gap), area.top(),
                              width, area.height());
            painter_.setPen(Qt::NoPen);
            painter_.setBrush(kHeaderFill);
            painter_.drawRoundedRect(DeviceRect(cell), DeviceUnits(1.5), DeviceUnits(1.5));
            text_.Line(QRectF(cell.left() + 3, cell.top() + 1, cell.width() - 6, 6), cells[i].first,
                       9, false, Qt::AlignLeft, kQuiet);
            text_.Line(QRectF(cell.left() + 3, cell.top() + 6.5, cell.width() - 6, 10),
                       cells[i].second, 20, true, Qt::AlignLeft);
        }
    }

    void Picture(const QRectF& area) {
        const QString caption = OverviewPicture(input_.container) == stowbel::Picture::Scheme2D
                                    ? QStringLiteral("Схема загрузки, вид сверху")
                                    : QStringLiteral("Сводный рисунок расчёта");
        text_.Line(QRectF(area.left(), area.top(), area.width(), kReportHeading - 1), caption, 11,
                   true, Qt::AlignLeft);
        QImage image = input_.overview;
        if (image.isNull()) {
            return;
        }
        if (!input_.container.HowManyContainers) {
            // The report lines at the bottom of the summary picture are on the page as text:
            // the picture ends above them.
            const int lines = static_cast<int>(input_.result.report.size());
            const int height = image.height() - kSummaryLineStep * lines - kSummaryLineStep / 2;
            if (lines > 0 && height > image.height() / 4) {
                image = image.copy(0, 0, image.width(), height);
            }
        }
        const QRectF room(area.left(), area.top() + kReportHeading, area.width(),
                          area.height() - kReportHeading);
        const double scale = std::min(room.width() / image.width(), room.height() / image.height());
        const QRectF target(room.left(), room.top(), image.width() * scale, image.height() * scale);
        painter_.drawImage(DeviceRect(target), image);
        painter_.setPen(QPen(kGrid, DeviceUnits(0.25)));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(DeviceRect(target));
    }

    QString ContainerTitle(int number) const {
        return QStringLiteral("Контейнер %1 из %2").arg(number).arg(input_.result.containers);
    }

    QString ContainerSummary(int number) const {
        const std::vector<LoadingListRow>& rows = lists_[static_cast<std::size_t>(number - 1)];
        int units = 0;
        double reach = 0;
        for (const LoadingListRow& row : rows) {
            units += row.stack.count;
            const PlacedStack& s = row.stack;
            reach = std::max(reach, s.shape == StackShape::Rectangular ? s.x2 : s.x + s.d / 2);
        }
        QString text =
            QStringLiteral("%1 мест, %2 штаб.; занято %3 из %4 м по длине")
                .arg(units)
                .arg(rows.size())
                .arg(ToQString(FormatMetresToTenths(reach, input_.format)))
                .arg(ToQString(FormatMetresToTenths(input_.container.Length, input_.format)));
        if (const std::optional<double> mass = ContainerMass(input_.result, number);
            mass && withMass_) {
            text += QStringLiteral("; %1 кг").arg(ToQString(FormatMass(*mass, input_.format)));
        }
        return text;
    }

    // The views draw in the order the run placed the stacks, which keeps near units over far
    // ones in 3D, and number them as the list does.
    ContainerLoad LoadOf(int container) const {
        std::vector<const LoadingListRow*> placed;
        for (const LoadingListRow& row : lists_[static_cast<std::size_t>(container - 1)]) {
            placed.push_back(&row);
        }
        std::sort(placed.begin(), placed.end(),
                  [](const LoadingListRow* a, const LoadingListRow* b) {
                      return a->resultIndex < b->resultIndex;
                  });
        ContainerLoad load;
        load.container = input_.container;
        load.method = input_.result.method;
        for (const LoadingListRow* row : placed) {
            load.stacks.push_back(row->stack);
            load.numbers.push_back(row->number);
        }
        return load;
    }

    ContainerViewStyle Style() const {
        ContainerViewStyle style;
        style.fontFamily = family_;
        style.unitsPerMm = unitsPerMm_;
        return style;
    }

    // The container's weight when the order gives the masses of what it carries.
    const ContainerWeight* WeightOf(int container) const {
        const auto& weights = input_.result.weights;
        if (container < 1 || container > static_cast<int>(weights.size())) {
            return nullptr;
        }
        const ContainerWeight& weight = weights[static_cast<std::size_t>(container - 1)];
        return weight.mass ? &weight : nullptr;
    }

    // The top view, with the centre of gravity marked where the masses are known.
    void TopView(const QRectF& area, int container) {
        DrawContainerTopView(painter_, DeviceRect(area), LoadOf(container), Style());
        const ContainerWeight* weight = WeightOf(container);
        if (weight == nullptr || !weight->cogX || !weight->cogY) {
            return;
        }
        const TopViewFit fit = FitTopView(DeviceRect(area), input_.container, Style());
        const QPointF at = fit.At(*weight->cogX, *weight->cogY);
        const double half = DeviceUnits(3);
        painter_.setPen(QPen(kCentreOfGravity, DeviceUnits(0.7)));
        painter_.drawLine(at - QPointF(half, half), at + QPointF(half, half));
        painter_.drawLine(at - QPointF(half, -half), at + QPointF(half, -half));
        painter_.setBrush(Qt::white);
        painter_.drawEllipse(at, DeviceUnits(0.9), DeviceUnits(0.9));
        const QRectF label(at.x() / unitsPerMm_ + 3.2, at.y() / unitsPerMm_ - 6.5, 7, 4.2);
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(QColor(255, 255, 255, 225));
        painter_.drawRect(DeviceRect(label));
        text_.Line(label, QStringLiteral("ЦТ"), 8, true, Qt::AlignHCenter, kCentreOfGravity);
    }

    void ContainerPage(const PlanPage& page) {
        Title(ContainerTitle(page.container), ContainerSummary(page.container));
        const ContainerPageAreas areas = LayOutContainerPage(page_, input_.container);
        TopView(areas.topView, page.container);
        double top = areas.view3D.top();
        if (const ContainerWeight* weight = WeightOf(page.container)) {
            // The mass line of the report, for the driver: mass, payload, centre of gravity.
            const QRectF massLine(areas.view3D.left(), top, areas.view3D.width(), kMassLine);
            text_.Wrapped(
                massLine,
                ToQString(ContainerWeightLine(*weight, input_.container.Width, input_.format)), 8.5,
                Qt::black);
            top = massLine.bottom();
        }
        const QRectF caption(areas.view3D.left(), top, areas.view3D.width(),
                             PlanPageGeometry::kTableNote);
        text_.Line(caption, QStringLiteral("Вид со стороны двери"), 8, false, Qt::AlignLeft,
                   kQuiet);
        const double legend = Legend(areas.view3D, page.container);
        QRectF view = areas.view3D;
        view.setTop(caption.bottom());
        view.setBottom(areas.view3D.bottom() - legend);
        DrawContainer3DView(painter_, DeviceRect(view), LoadOf(page.container), Style());
        List(areas.table, page);
    }

    // The cargo lines in the container, at the bottom of the area, one line each: its colour and
    // number, its sizes and how many of its units the container takes. Returns the height used.
    double Legend(const QRectF& area, int container) {
        struct Entry {
            const PlacedStack* stack;
            std::string sizes;
            int units = 0;
            std::optional<double> mass = 0.0;
        };
        std::vector<Entry> entries;
        for (const LoadingListRow& row : lists_[static_cast<std::size_t>(container - 1)]) {
            auto found = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) {
                return e.stack->line == row.stack.line;
            });
            if (found == entries.end()) {
                entries.push_back({&row.stack, row.sizes, 0, 0.0});
                found = entries.end() - 1;
            }
            found->units += row.stack.count;
            found->mass =
                found->mass && row.mass ? std::optional(*found->mass + *row.mass) : std::nullopt;
        }
        std::sort(entries.begin(), entries.end(),
                  [](const Entry& a, const Entry& b) { return a.stack->type < b.stack->type; });
        const double line = 6;
        const double height =
            std::min(area.height() / 2, line * (static_cast<double>(entries.size()) + 1));
        double y = area.bottom() - height;
        text_.Line(QRectF(area.left(), y, area.width(), line), QStringLiteral("Груз в контейнере"),
                   9, true, Qt::AlignLeft);
        for (const Entry& entry : entries) {
            y += line;
            if (y + line > area.bottom() + 0.01) {
                break;
            }
            const double swatch = 4.6;
            Swatch(QRectF(area.left(), y + (line - swatch) / 2, swatch, swatch), *entry.stack);
            QString text = QStringLiteral("Заказ %1: ").arg(entry.stack->type) +
                           ToQString(entry.sizes) + QStringLiteral(", %1 мест").arg(entry.units);
            if (withMass_ && entry.mass) {
                text += QStringLiteral(", %1 кг").arg(
                    ToQString(FormatMass(*entry.mass, input_.format)));
            }
            text_.Line(QRectF(area.left() + swatch + 1.5, y, area.width() - swatch - 1.5, line),
                       text, 9, false, Qt::AlignLeft);
        }
        return height;
    }

    void List(const QRectF& area, const PlanPage& page) {
        const std::vector<LoadingListRow>& rows =
            listRows_[static_cast<std::size_t>(page.container - 1)];
        const ListGrid grid =
            LayOutList(area, withMass_, static_cast<int>(rows.size()) - page.firstItem,
                       withLoadLimit_, withHeight_);
        const QRectF note(area.left(), area.top(), area.width(), PlanPageGeometry::kTableNote - 1);
        const QString rule = withHeight_
                                 ? QStringLiteral(
                                       "Грузить по порядку номеров: каждый штабель после "
                                       "того, на чём он стоит, и всего, что между ним и "
                                       "передней стенкой. x — от передней стенки, y — от "
                                       "первой боковой стенки (верхний край вида сверху) до "
                                       "ближнего края штабеля, h — от пола до его низа, в мм.")
                                 : QStringLiteral(
                                       "Грузить по порядку номеров, от передней стенки к двери. "
                                       "x — от передней стенки, y — от первой боковой стенки "
                                       "(верхний край вида сверху) до ближнего края штабеля, "
                                       "в мм.");
        text_.Wrapped(note, rule, 8, kQuiet);
        for (int b = 0; b < grid.blocks; ++b) {
            const int first = page.firstItem + b * grid.rowsPerBlock;
            const int count = std::min(grid.rowsPerBlock, page.firstItem + page.itemCount - first);
            if (count <= 0) {
                break;
            }
            ListBlock(grid.Block(b), rows, first, count);
        }
    }

    void ListBlock(const QRectF& block, const std::vector<LoadingListRow>& rows, int first,
                   int count) {
        const std::vector<Column> columns = ListColumns(withMass_, withHeight_, withLoadLimit_);
        double shares = 0;
        for (const Column& column : columns) {
            shares += column.share;
        }
        std::vector<double> widths;
        for (const Column& column : columns) {
            widths.push_back(block.width() * column.share / shares);
        }
        double y = block.top();
        const QRectF header(block.left(), y, block.width(), PlanPageGeometry::kHeaderRow);
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(kHeaderFill);
        painter_.drawRect(DeviceRect(header));
        double x = block.left();
        for (std::size_t c = 0; c < columns.size(); ++c) {
            text_.Line(Cell(x, y, widths[c], PlanPageGeometry::kHeaderRow), columns[c].heading, 8,
                       true, columns[c].number ? Qt::AlignRight : Qt::AlignLeft);
            x += widths[c];
        }
        y += PlanPageGeometry::kHeaderRow;
        for (int i = first; i < first + count; ++i) {
            if ((i - first) % 2 == 1) {
                painter_.setPen(Qt::NoPen);
                painter_.setBrush(kStripe);
                painter_.drawRect(
                    DeviceRect(QRectF(block.left(), y, block.width(), PlanPageGeometry::kRow)));
            }
            ListRow(rows[static_cast<std::size_t>(i)], block.left(), y, widths);
            y += PlanPageGeometry::kRow;
        }
        painter_.setPen(QPen(kGrid, DeviceUnits(0.2)));
        painter_.drawLine(QPointF(DeviceUnits(block.left()), DeviceUnits(y)),
                          QPointF(DeviceUnits(block.right()), DeviceUnits(y)));
    }

    // "1200" or, for a run of stacks, "1200–9600" from the nearest to the farthest.
    static QString Span(long long first, long long last) {
        return first == last ? QString::number(first)
                             : QStringLiteral("%1–%2").arg(first).arg(last);
    }

    // A cell's text box: its column less a little padding on both sides.
    static QRectF Cell(double x, double y, double width, double height) {
        return {x + 1, y, width - 2, height};
    }

    // The type's colour with its number in the report ("Заказ n") on it.
    void Swatch(const QRectF& mm, const PlacedStack& stack) {
        const QColor colour = ToQColor(CargoPalette::Entry(stack.colourIndex).colour);
        painter_.setPen(QPen(Qt::black, DeviceUnits(0.2)));
        painter_.setBrush(colour);
        painter_.drawRect(DeviceRect(mm));
        text_.Line(mm, QString::number(stack.type), 7.5, true, Qt::AlignHCenter, TextOn(colour));
    }

    void ListRow(const LoadingListRow& row, double left, double y, const std::vector<double>& w) {
        const double h = PlanPageGeometry::kRow;
        constexpr double points = 9;
        double x = left;
        const auto next = [&](std::size_t c) {
            const QRectF cell = Cell(x, y, w[c], h);
            x += w[c];
            return cell;
        };
        if (row.lastNumber > 0) {
            text_.Line(next(0), QStringLiteral("%1-%2").arg(row.number).arg(row.lastNumber), 7,
                       true, Qt::AlignRight);
        } else {
            text_.Line(next(0), QString::number(row.number), points, true, Qt::AlignRight);
        }
        const QRectF cargo = next(1);
        const double swatch = 5;
        Swatch(QRectF(cargo.left(), y + (h - swatch) / 2, swatch, swatch), row.stack);
        text_.Line(QRectF(cargo.left() + swatch + 1.5, y, cargo.width() - swatch - 1.5, h),
                   ToQString(row.sizes), points, false, Qt::AlignLeft);
        text_.TwoLines(next(2), ToQString(row.lay), points);
        text_.Line(next(3), QString::number(row.stack.count), points, true, Qt::AlignRight);
        text_.Line(next(4), Span(row.x, row.lastNumber > 0 ? row.xLast : row.x), points, false,
                   Qt::AlignRight);
        text_.Line(next(5), Span(row.y, row.lastNumber > 0 ? row.yLast : row.y), points, false,
                   Qt::AlignRight);
        std::size_t column = 6;
        if (withHeight_) {
            text_.Line(next(column++), QString::number(row.base), points, false, Qt::AlignRight);
        }
        if (withMass_) {
            text_.Line(
                next(column++),
                row.mass ? ToQString(FormatMass(*row.mass, input_.format)) : QStringLiteral("—"),
                points, false, Qt::AlignRight);
        }
        if (withLoadLimit_) {
            const std::string limit = LoadLimitText(row.stack.loadLimit, input_.format);
            text_.Line(next(column), limit.empty() ? QStringLiteral("—") : ToQString(limit), points,
                       false, Qt::AlignRight);
        }
    }

    static constexpr double kReportPoints = 9.5;
    static constexpr double kReportSpacing = 1.6;
    static constexpr double kReportHeading = 7;

    QPagedPaintDevice& device_;
    const LoadingPlanInput& input_;
    QPainter& painter_;
    double unitsPerMm_ = 1;
    PlanPageGeometry page_;
    QString family_;
    bool withMass_ = false;
    bool withLoadLimit_ = false;  // some cargo line gives what its units may carry on top
    bool withHeight_ = false;     // the list gives the height each stack stands at
    std::vector<std::vector<LoadingListRow>> lists_;
    // The rows each container's list shows: lists_, condensed where a list is too long.
    std::vector<std::vector<LoadingListRow>> listRows_;
    std::vector<PlanPage> pages_;
    PageText text_;
};

// The writer stamps the time of writing; the plan's own time replaces it, padded with blanks
// outside the string so that no byte offset in the file moves.
void StampCreationDate(std::string& pdf, const QDateTime& createdAt) {
    if (!createdAt.isValid()) {
        return;
    }
    static const std::regex pattern(R"(/CreationDate \(D:[^)]*\))");
    std::smatch match;
    if (!std::regex_search(pdf, match, pattern)) {
        return;
    }
    const std::string stamp =
        "/CreationDate (D:" +
        createdAt.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toStdString() + "Z)";
    const auto length = static_cast<std::size_t>(match.length(0));
    if (stamp.size() > length) {
        return;
    }
    pdf.replace(static_cast<std::size_t>(match.position(0)), length,
                stamp + std::string(length - stamp.size(), ' '));
}

}  // namespace

QString PlanFontFamily() {
    // Registered once for the life of the program; the face never changes afterwards.
    static const QString family = [] {
        const QString name = QStringLiteral("DejaVu Sans");
        if (QFontDatabase::hasFamily(name)) {
            return name;
        }
        QString registered;
        for (const char* file : kFontFiles) {
            const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
            if (id >= 0 && registered.isEmpty()) {
                registered = QFontDatabase::applicationFontFamilies(id).value(0);
            }
        }
        return registered.isEmpty() ? QFont().family() : registered;
    }();
    return family;
}

bool PaintLoadingPlan(QPagedPaintDevice& device, const LoadingPlanInput& input) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    PlanPainter(device, painter, input).Paint();
    return true;
}

std::string RenderLoadingPlanPdf(const LoadingPlanInput& input) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(QStringLiteral("План погрузки: ") + ToQString(input.orderName));
        writer.setCreator(ToQString(input.program));
        PaintLoadingPlan(writer, input);
    }
    std::string pdf = bytes.toStdString();
    StampCreationDate(pdf, input.createdAt);
    return pdf;
}

void WriteLoadingPlanPdf(const LoadingPlanInput& input, const std::string& path) {
    WriteFileAtomically(path, RenderLoadingPlanPdf(input));
}

}  // namespace stowbel
