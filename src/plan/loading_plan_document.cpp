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
#include <regex>

#include "files/atomic_file.h"
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

QString Q(const std::string& text) {
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
std::vector<Column> ListColumns(bool withMass, bool withHeight) {
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
                              withHeight_};
        for (const auto& list : lists_) {
            contents.listLengths.push_back(static_cast<int>(list.size()));
        }
        pages_ = PaginateLoadingPlan(page_, input.container, contents);
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
                case PlanPageKind::ListContinued:
                    Title(ContainerTitle(page.container) +
                              QStringLiteral(": список погрузки, продолжение"),
                          {});
                    List(ContinuedListArea(page_), page);
                    break;
            }
            Footer(static_cast<int>(i) + 1, static_cast<int>(pages_.size()));
        }
        painter_.end();
    }

private:
    double U(double mm) const { return mm * unitsPerMm_; }
    QRectF R(const QRectF& mm) const {
        return {U(mm.left()), U(mm.top()), U(mm.width()), U(mm.height())};
    }

    void Title(const QString& left, const QString& right) {
        const QRectF title = page_.Title();
        text_.Line(title, left, 18, true, Qt::AlignLeft);
        if (!right.isEmpty()) {
            text_.Line(title, right, 11, false, Qt::AlignRight, kQuiet);
        }
        painter_.setPen(QPen(Qt::black, U(0.4)));
        painter_.drawLine(QPointF(U(title.left()), U(title.bottom())),
                          QPointF(U(title.right()), U(title.bottom())));
    }

    void Footer(int number, int count) {
        const QRectF footer = page_.Footer();
        painter_.setPen(QPen(kGrid, U(0.25)));
        painter_.drawLine(QPointF(U(footer.left()), U(footer.top() + 2)),
                          QPointF(U(footer.right()), U(footer.top() + 2)));
        const QRectF text(footer.left(), footer.top() + 3, footer.width(), 6);
        const std::string program =
            input_.program.empty() ? ProgramNameAndVersion() : input_.program;
        text_.Line(text,
                   Q(program) + QStringLiteral(" — план погрузки «") + Q(input_.orderName) +
                       QStringLiteral("»"),
                   8, false, Qt::AlignLeft, kQuiet);
        text_.Line(text, QStringLiteral("Страница %1 из %2").arg(number).arg(count), 9, true,
                   Qt::AlignRight);
    }

    // The height in mm each report line takes written across a width in mm.
    std::vector<double> ReportHeights(double widthMm, bool withHeading) {
        std::vector<double> heights;
        for (const std::string& line : input_.result.report) {
            heights.push_back(text_.ParagraphHeight(Q(line).trimmed(), kReportPoints, widthMm) +
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
            const QString line = Q(input_.result.report[static_cast<std::size_t>(i)]).trimmed();
            y += text_.Paragraph(QRectF(area.left(), y, area.width(), area.bottom() - y), line,
                                 kReportPoints) +
                 kReportSpacing;
        }
    }

    void Overview(const PlanPage& page) {
        Title(QStringLiteral("План погрузки: ") + Q(input_.orderName),
              input_.createdAt.toString(QStringLiteral("dd.MM.yyyy HH:mm")));
        const OverviewAreas areas = LayOutOverview(page_);
        text_.Wrapped(areas.container, Q(DescribeContainer(input_)), 10.5, Qt::black);
        Totals(areas.totals);
        ReportLines(areas.report, page.firstItem, page.itemCount);
        Picture(areas.picture);
    }

    void Totals(const QRectF& area) {
        const PlanTotals totals = ComputePlanTotals(input_);
        std::vector<std::pair<QString, QString>> cells{
            {QStringLiteral("Контейнеров"), QString::number(totals.containers)},
            {QStringLiteral("Погружено мест"), QString::number(totals.placed)},
            {QStringLiteral("Не погружено мест"), QString::number(totals.notPlaced)}};
        if (totals.mass) {
            cells.push_back(
                {QStringLiteral("Масса груза, кг"), Q(FormatMass(*totals.mass, input_.format))});
        }
        const double gap = 4;
        const double width = (area.width() - gap * 3) / 4;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const QRectF cell(area.left() + static_cast<double>(i) * (width + gap), area.top(),
                              width, area.height());
            painter_.setPen(Qt::NoPen);
            painter_.setBrush(kHeaderFill);
            painter_.drawRoundedRect(R(cell), U(1.5), U(1.5));
            text_.Line(QRectF(cell.left() + 3, cell.top() + 1, cell.width() - 6, 6), cells[i].first,
                       9, false, Qt::AlignLeft, kQuiet);
            text_.Line(QRectF(cell.left() + 3, cell.top() + 6.5, cell.width() - 6, 10),
                       cells[i].second, 20, true, Qt::AlignLeft);
        }
    }

    void Picture(const QRectF& area) {
        const QString caption = input_.container.HowManyContainers
                                    ? QStringLiteral("Схема загрузки, вид сверху")
                                    : QStringLiteral("Сводный рисунок расчёта");
        text_.Line(QRectF(area.left(), area.top(), area.width(), kReportHeading - 1), caption, 11,
                   true, Qt::AlignLeft);
        const QImage& image = input_.overview;
        if (image.isNull()) {
            return;
        }
        const QRectF room(area.left(), area.top() + kReportHeading, area.width(),
                          area.height() - kReportHeading);
        const double scale = std::min(room.width() / image.width(), room.height() / image.height());
        const QRectF target(room.left(), room.top(), image.width() * scale, image.height() * scale);
        painter_.drawImage(R(target), image);
        painter_.setPen(QPen(kGrid, U(0.25)));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(R(target));
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
        QString text = QStringLiteral("%1 мест, %2 штаб.; занято %3 из %4 м по длине")
                           .arg(units)
                           .arg(rows.size())
                           .arg(Q(FormatM1(reach, input_.format)))
                           .arg(Q(FormatM1(input_.container.Length, input_.format)));
        if (const std::optional<double> mass = TotalMass(rows); mass && withMass_) {
            text += QStringLiteral("; %1 кг").arg(Q(FormatMass(*mass, input_.format)));
        }
        return text;
    }

    void ContainerPage(const PlanPage& page) {
        Title(ContainerTitle(page.container), ContainerSummary(page.container));
        const ContainerPageAreas areas = LayOutContainerPage(page_, input_.container);
        // The views draw in the order the run placed the stacks, which keeps near units over
        // far ones in 3D, and number them as the list does.
        std::vector<const LoadingListRow*> placed;
        for (const LoadingListRow& row : lists_[static_cast<std::size_t>(page.container - 1)]) {
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
        ContainerViewStyle style;
        style.fontFamily = family_;
        style.unitsPerMm = unitsPerMm_;
        DrawContainerTopView(painter_, R(areas.topView), load, style);
        const QRectF caption(areas.view3D.left(), areas.view3D.top(), areas.view3D.width(),
                             PlanPageGeometry::kTableNote);
        text_.Line(caption, QStringLiteral("Вид со стороны двери"), 8, false, Qt::AlignLeft,
                   kQuiet);
        const double legend = Legend(areas.view3D, page.container);
        QRectF view = areas.view3D;
        view.setTop(caption.bottom());
        view.setBottom(areas.view3D.bottom() - legend);
        DrawContainer3DView(painter_, R(view), load, style);
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
            QString text = QStringLiteral("Заказ %1: ").arg(entry.stack->type) + Q(entry.sizes) +
                           QStringLiteral(", %1 мест").arg(entry.units);
            if (withMass_ && entry.mass) {
                text += QStringLiteral(", %1 кг").arg(Q(FormatMass(*entry.mass, input_.format)));
            }
            text_.Line(QRectF(area.left() + swatch + 1.5, y, area.width() - swatch - 1.5, line),
                       text, 9, false, Qt::AlignLeft);
        }
        return height;
    }

    void List(const QRectF& area, const PlanPage& page) {
        const std::vector<LoadingListRow>& rows =
            lists_[static_cast<std::size_t>(page.container - 1)];
        const ListGrid grid = LayOutList(
            area, withMass_, static_cast<int>(rows.size()) - page.firstItem, withHeight_);
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
        const std::vector<Column> columns = ListColumns(withMass_, withHeight_);
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
        painter_.drawRect(R(header));
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
                    R(QRectF(block.left(), y, block.width(), PlanPageGeometry::kRow)));
            }
            ListRow(rows[static_cast<std::size_t>(i)], block.left(), y, widths);
            y += PlanPageGeometry::kRow;
        }
        painter_.setPen(QPen(kGrid, U(0.2)));
        painter_.drawLine(QPointF(U(block.left()), U(y)), QPointF(U(block.right()), U(y)));
    }

    // A cell's text box: its column less a little padding on both sides.
    static QRectF Cell(double x, double y, double width, double height) {
        return {x + 1, y, width - 2, height};
    }

    // The type's colour with its number in the report ("Заказ n") on it.
    void Swatch(const QRectF& mm, const PlacedStack& stack) {
        const QColor colour = ToQColor(CargoPalette::Entry(stack.colourIndex).colour);
        painter_.setPen(QPen(Qt::black, U(0.2)));
        painter_.setBrush(colour);
        painter_.drawRect(R(mm));
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
        text_.Line(next(0), QString::number(row.number), points, true, Qt::AlignRight);
        const QRectF cargo = next(1);
        const double swatch = 5;
        Swatch(QRectF(cargo.left(), y + (h - swatch) / 2, swatch, swatch), row.stack);
        text_.Line(QRectF(cargo.left() + swatch + 1.5, y, cargo.width() - swatch - 1.5, h),
                   Q(row.sizes), points, false, Qt::AlignLeft);
        text_.TwoLines(next(2), Q(row.lay), points);
        text_.Line(next(3), QString::number(row.stack.count), points, true, Qt::AlignRight);
        text_.Line(next(4), QString::number(row.x), points, false, Qt::AlignRight);
        text_.Line(next(5), QString::number(row.y), points, false, Qt::AlignRight);
        std::size_t column = 6;
        if (withHeight_) {
            text_.Line(next(column++), QString::number(row.base), points, false, Qt::AlignRight);
        }
        if (withMass_) {
            text_.Line(next(column),
                       row.mass ? Q(FormatMass(*row.mass, input_.format)) : QStringLiteral("—"),
                       points, false, Qt::AlignRight);
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
    bool withHeight_ = false;  // the list gives the height each stack stands at
    std::vector<std::vector<LoadingListRow>> lists_;
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
        writer.setTitle(QStringLiteral("План погрузки: ") + Q(input.orderName));
        writer.setCreator(Q(input.program));
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
