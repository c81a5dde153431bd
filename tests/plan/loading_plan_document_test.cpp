#include "plan/loading_plan_document.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPdfWriter>
#include <QTimeZone>
#include <regex>
#include <sstream>

#include "../poppler_tools.h"
#include "../temp_dir.h"
#include "calc/run.h"
#include "files/file_error.h"
#include "job/calculation_job.h"
#include "order/examples.h"
#include "pictures/raster_pictures.h"
#include "plan/loading_plan.h"
#include "plan/plan_layout.h"
#include "plan/plan_writer.h"
#include "scheme/container_views.h"
#include "scheme/scheme_painter.h"

namespace stowbel {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

const QDateTime kPlanTime(QDate(2024, 3, 5), QTime(14, 30), QTimeZone::utc());

// A calculated order as the command-line tool plans it, pictures included.
LoadingPlanInput Planned(const std::vector<std::string>& lines, const std::string& name,
                         PlanMethod method = PlanMethod::Rows) {
    const RasterPictureMaker maker;
    CalculationJob job;
    job.SetOrderLines(lines).SetPictureMaker(&maker).SetShownPictures(PictureSet::All());
    job.SetPlanMethod(method);
    const JobResult result = job.Run();
    LoadingPlanInput input = MakeLoadingPlanInput(*result.record);
    input.orderName = name;
    input.createdAt = kPlanTime;
    input.overview = OverviewImage(result.pictures, input.container);
    return input;
}

// The HMAN example, and an order whose lists run over several pages.
const char* kLongOrder = "2350,13600,2600,0,0,HMAN\n300,400,250,SQR,1,0,3000\n";

// A row of the loading list as pdftotext gives it.
std::string Cells(const LoadingListRow& row) {
    const auto span = [](long long first, long long last) {
        return first == last ? std::to_string(first)
                             : std::to_string(first) + "–" + std::to_string(last);
    };
    std::ostringstream cells;
    if (row.lastNumber > 0) {
        cells << row.number << "-" << row.lastNumber << " " << row.stack.type << " " << row.sizes
              << " " << row.lay << " " << row.stack.count << " " << span(row.x, row.xLast) << " "
              << span(row.y, row.yLast);
    } else {
        cells << row.number << " " << row.stack.type << " " << row.sizes << " " << row.lay << " "
              << row.stack.count << " " << row.x << " " << row.y;
    }
    return cells.str();
}

class LoadingPlanPdfTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"pdfinfo", "pdftotext", "pdftoppm", "pdffonts"}) {
            if (!HavePopplerTool(tool)) {
                GTEST_SKIP() << tool << " (poppler-utils) is not installed";
            }
        }
    }

    std::string Write(const LoadingPlanInput& input, const std::string& name = "plan.pdf") {
        const std::string path = dir / name;
        WriteLoadingPlanPdf(input, path);
        return path;
    }

    static int Pages(const std::string& pdf) { return PdfPages(pdf); }

    static std::string Text(const std::string& pdf, int page = 0) {
        const std::string range =
            page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
        return CollapseBlanks(
            CommandOutput("pdftotext -raw" + range + " '" + pdf + "' -").value_or(""));
    }

    TempDir dir;
};

TEST_F(LoadingPlanPdfTest, OnePagePerContainerAfterTheOverview) {
    const std::string pdf = Write(Planned(ExampleOrder("HMAN"), "Пример HMAN"));
    EXPECT_EQ(Pages(pdf), 1 + 3);
    const std::string info = CommandOutput("pdfinfo '" + pdf + "'").value_or("");
    EXPECT_NE(info.find("842 x 595 pts (A4)"), std::string::npos) << info;
    EXPECT_NE(info.find("План погрузки: Пример HMAN"), std::string::npos) << info;
}

TEST_F(LoadingPlanPdfTest, FontsAreEmbedded) {
    const std::string fonts =
        CommandOutput("pdffonts '" + Write(Planned(ExampleOrder("ISIN"), "t0001.txt")) + "'")
            .value_or("");
    std::istringstream lines(fonts);
    int dejaVu = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.find("DejaVuSans") == 0) {
            ++dejaVu;
            EXPECT_TRUE(std::regex_search(line, std::regex(R"(\byes\s+(yes|no)\s+yes\b)"))) << line;
        }
    }
    EXPECT_GE(dejaVu, 1) << fonts;
}

// Every report line, every row of every loading list and the footer of every page are text in
// the document, whatever pages they fell on.
TEST_F(LoadingPlanPdfTest, TextHoldsTheReportTheListsAndTheFooters) {
    for (const std::string& order : {Join(ExampleOrder("HMAN")), std::string(kLongOrder)}) {
        const LoadingPlanInput input = Planned(Lines(order), "t0001.txt");
        const std::string pdf = Write(input);
        const std::string text = Text(pdf);
        for (const std::string& line : input.result.report) {
            EXPECT_NE(text.find(CollapseBlanks(line)), std::string::npos) << line;
        }
        std::size_t rows = 0;
        int condensed = 0;
        for (int c = 1; c <= input.result.containers; ++c) {
            std::size_t from = 0;
            const std::vector<LoadingListRow> full =
                MakeLoadingList(input.result, c, input.container, input.cargo, input.format);
            // A list too long for its page shows runs of identical stacks as one row "1-6".
            const bool whole =
                full.size() < 2 || text.find(" " + Cells(full[1]) + " ") != std::string::npos;
            condensed += whole ? 0 : 1;
            for (const LoadingListRow& row : whole ? full : GroupIdenticalRows(full)) {
                // Rows follow each other through the document.
                const std::size_t at = text.find(" " + Cells(row) + " ", from);
                EXPECT_NE(at, std::string::npos) << "container " << c << ": " << Cells(row);
                from = at == std::string::npos ? from : at;
                rows += row.lastNumber > 0
                            ? static_cast<std::size_t>(row.lastNumber - row.number + 1)
                            : 1;
            }
        }
        EXPECT_EQ(rows, input.result.stacks.size());
        EXPECT_EQ(condensed > 0, order == kLongOrder);

        const int pages = Pages(pdf);
        EXPECT_GT(pages, input.result.containers);
        for (int page = 1; page <= pages; ++page) {
            const std::string footer =
                "Страница " + std::to_string(page) + " из " + std::to_string(pages);
            const std::string pageText = Text(pdf, page);
            EXPECT_NE(pageText.find(footer), std::string::npos) << footer;
            EXPECT_NE(pageText.find("Stowbel 2.69"), std::string::npos) << page;
        }
    }
}

TEST_F(LoadingPlanPdfTest, LongListsGoOnWithTheirHeader) {
    const LoadingPlanInput input = Planned(Lines(kLongOrder), "t0002.txt");
    const std::string pdf = Write(input);
    const int pages = Pages(pdf);
    EXPECT_GT(pages, 1 + input.result.containers);
    int continued = 0;
    for (int page = 2; page <= pages; ++page) {
        const std::string text = Text(pdf, page);
        EXPECT_NE(text.find("№ Груз Укладка Мест x, мм y, мм"), std::string::npos) << page;
        continued += text.find("список погрузки, продолжение") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(continued, pages - 1 - input.result.containers);
}

// Page 2 of the HMAN example shows container 1 from above: its thick front wall in black, the
// first stack (50..1250 x 50..850 mm) filled in the colour of cargo line 1, free floor white.
TEST_F(LoadingPlanPdfTest, SecondPageShowsTheContainerOutlineAndAStackInItsColour) {
    const LoadingPlanInput input = Planned(ExampleOrder("HMAN"), "t0001.txt");
    const std::string pdf = Write(input);
    const int dpi = 72;
    ASSERT_TRUE(CommandOutput("pdftoppm -r " + std::to_string(dpi) + " -f 2 -l 2 -png '" + pdf +
                              "' '" + (dir / "page") + "'"));
    const QImage page(QString::fromStdString(dir / "page-2.png"));
    ASSERT_FALSE(page.isNull());
    ASSERT_EQ(page.width(), 842);

    const double unitsPerMm = dpi / 25.4;
    const QRectF area = LayOutContainerPage(PlanPageGeometry{}, input.container).topView;
    ContainerViewStyle style;
    style.unitsPerMm = unitsPerMm;
    const TopViewFit fit = FitTopView(QRectF(area.topLeft() * unitsPerMm, area.size() * unitsPerMm),
                                      input.container, style);
    const auto pixel = [&](double x, double y) {
        const QPointF p = fit.At(x, y);
        return page.pixelColor(static_cast<int>(p.x()), static_cast<int>(p.y()));
    };
    const QColor wall = pixel(0, 1225);
    EXPECT_LT(wall.red() + wall.green() + wall.blue(), 3 * 60) << wall.name().toStdString();
    const QColor stack = pixel(50 + 0.75 * 1200, 50 + 0.8 * 800);
    EXPECT_NEAR(stack.red(), 128, 3);  // CargoPalette entry 0: 0x000080, red in the low byte
    EXPECT_NEAR(stack.green(), 0, 3);
    EXPECT_NEAR(stack.blue(), 0, 3);
    const QColor floor = pixel(3000, 200);  // row 3 of line 1 lies at 400..1200 across
    EXPECT_GT(floor.red() + floor.green() + floor.blue(), 3 * 245) << floor.name().toStdString();
}

TEST_F(LoadingPlanPdfTest, MassesWhenTheOrderGivesThem) {
    // The HMAN example with a unit mass on each cargo line.
    std::vector<std::string> lines = ExampleOrder("HMAN");
    const char* masses[] = {",850", ",420.5", ",100"};
    std::size_t cargo = 0;
    for (std::size_t i = 2; i < lines.size() && cargo < 3; ++i) {
        if (!lines[i].starts_with("//")) {
            lines[i] += masses[cargo++];
        }
    }
    const LoadingPlanInput input = Planned(lines, "t0001.txt");
    const std::string text = Text(Write(input));
    // 20 x 850 + 36 x 420.5 + 50 x 100 kg
    EXPECT_NE(text.find("Масса груза, кг 37138"), std::string::npos);
    EXPECT_NE(text.find("№ Груз Укладка Мест x, мм y, мм Масса, кг"), std::string::npos);
    EXPECT_NE(text.find("1 1 1200×800×2100 вдоль 1 50 50 850"), std::string::npos);
}

TEST_F(LoadingPlanPdfTest, LoadLimitsInTheListWhenTheOrderGivesThem) {
    const LoadingPlanInput input =
        Planned(Lines("2450,16100,2200,50,0,ISIN\n800,1200,700,SQR,1,0,1,300,0\n"
                      "800,1200,700,SQR,1,0,2,300,300\n1000,1200,1000,SQR,0,0,1,250\n"),
                "t0001.txt");
    const std::string text = Text(Write(input));
    EXPECT_NE(text.find("№ Груз Укладка Мест x, мм y, мм Масса, кг Сверху, кг"), std::string::npos)
        << text;
    EXPECT_NE(text.find("300 не штабелировать"), std::string::npos) << text;
    EXPECT_NE(text.find("600 300"), std::string::npos) << text;  // two units of line 2
    EXPECT_NE(text.find("250 —"), std::string::npos) << text;    // line 3 gives no limit

    const std::string plain = Text(Write(Planned(ExampleOrder("HMAN"), "t0001.txt")));
    EXPECT_EQ(plain.find("Сверху"), std::string::npos);
}

// The guide's payload order: three containers, the first loaded to 15880 of 16000 kg.
const char* kPayloadOrder =
    "2450,16100,2200,50,0,HMAN,16000\n800,1200,2100,SQR,1,0,20,650\n"
    "1000,1200,2150,SQR,0,0,36,480\n800,1000,1000,SQR,1,0,50,120\n";

TEST_F(LoadingPlanPdfTest, ContainerPagesCarryTheMassLineAndTheCentreOfGravity) {
    const LoadingPlanInput input = Planned(Lines(kPayloadOrder), "t0005.txt");
    const std::string pdf = Write(input);
    const std::string page2 = Text(pdf, 2);
    EXPECT_NE(page2.find("Конт. 1: 15880 кг (99 % от 16000 кг), центр тяжести 6 м от начала, "
                         "0.01 м от середины поперёк ко второму борту"),
              std::string::npos)
        << page2;
    EXPECT_NE(page2.find("ЦТ"), std::string::npos);
    // Each container's line on its own first page.
    int found = 0;
    for (int page = 3; page <= Pages(pdf); ++page) {
        const std::string text = Text(pdf, page);
        if (text.find("Контейнер 2 из 3") != std::string::npos &&
            text.find("продолжение") == std::string::npos) {
            EXPECT_NE(text.find("Конт. 2: 12480 кг"), std::string::npos) << text;
            ++found;
        }
    }
    EXPECT_EQ(found, 1);

    // The mark: red on the diagonal of its cross, beside the centre the run found.
    const int dpi = 72;
    ASSERT_TRUE(CommandOutput("pdftoppm -r " + std::to_string(dpi) + " -f 2 -l 2 -png '" + pdf +
                              "' '" + (dir / "page") + "'"));
    const QImage page(QString::fromStdString(dir / "page-2.png"));
    ASSERT_FALSE(page.isNull());
    const double unitsPerMm = dpi / 25.4;
    const QRectF area = LayOutContainerPage(PlanPageGeometry{}, input.container).topView;
    ContainerViewStyle style;
    style.unitsPerMm = unitsPerMm;
    const TopViewFit fit = FitTopView(QRectF(area.topLeft() * unitsPerMm, area.size() * unitsPerMm),
                                      input.container, style);
    const ContainerWeight& weight = input.result.weights.front();
    const QPointF centre = fit.At(*weight.cogX, *weight.cogY);
    const QPointF onArm = centre + QPointF(2, 2) * unitsPerMm;
    const QColor arm = page.pixelColor(onArm.toPoint());
    EXPECT_GT(arm.red(), 150) << arm.name().toStdString();
    EXPECT_LT(arm.green() + arm.blue(), 120) << arm.name().toStdString();
}

TEST_F(LoadingPlanPdfTest, NoMassLineNorMarkWithoutMasses) {
    const std::string page2 = Text(Write(Planned(ExampleOrder("HMAN"), "t0001.txt")), 2);
    EXPECT_EQ(page2.find("Конт. 1:"), std::string::npos) << page2;
    EXPECT_EQ(page2.find("ЦТ"), std::string::npos) << page2;
}

TEST_F(LoadingPlanPdfTest, WhatWasNotLoadedIsListedByCargoLine) {
    // 12000 kg take 18 units of 650 kg (19 would be 12350): two of line 1 and all of lines 2
    // and 3 stay behind.
    const std::string pdf = Write(Planned(Lines("2450,13600,2200,50,0,ISIN,12000\n"
                                                "800,1200,2100,SQR,1,0,20,650\n"
                                                "1000,1200,2150,SQR,0,0,36,480\n"
                                                "800,1000,1000,SQR,1,0,50,120\n"),
                                          "t0006.txt"));
    const std::string page1 = Text(pdf, 1);
    EXPECT_NE(page1.find("Не погружено Груз Заказано Погружено Не погружено"), std::string::npos)
        << page1;
    for (const char* row : {"Заказ 1: 1200×800×2100 20 18 2", "Заказ 2: 1200×1000×2150 36 0 36",
                            "Заказ 3: 1000×800×1000 50 0 50"}) {
        EXPECT_NE(page1.find(row), std::string::npos) << row << "\n" << page1;
    }
    // Everything loaded: no table.
    const std::string all = Text(Write(Planned(ExampleOrder("HMAN"), "t0001.txt"), "all.pdf"), 1);
    EXPECT_EQ(all.find("Заказано"), std::string::npos) << all;
}

TEST_F(LoadingPlanPdfTest, ContinuationPagesShowTheContainerFromAbove) {
    const LoadingPlanInput input = Planned(Lines(kLongOrder), "t0002.txt");
    const std::string pdf = Write(input);
    int continued = 0;
    for (int page = 2; page <= Pages(pdf); ++page) {
        const std::string text = Text(pdf, page);
        if (text.find("список погрузки, продолжение") == std::string::npos) {
            continue;
        }
        ++continued;
        EXPECT_NE(text.find("ПЕРЕДНЯЯ СТЕНКА"), std::string::npos) << page;
        EXPECT_NE(text.find("ДВЕРЬ"), std::string::npos) << page;
    }
    EXPECT_GT(continued, 0);
}

// A dense plan's lists give the height each stack stands at, in the loader's order; a plan by
// the rows has no such column.
TEST_F(LoadingPlanPdfTest, DensePlansListTheHeightEachStackStandsAt) {
    const LoadingPlanInput dense =
        Planned(Lines("2350,5900,2390,0,0,ISIN\n1000,1200,1400,SQR,1,0,6\n"
                      "600,800,900,SQR,1,2,40\n400,600,500,SQR,1,2,30\n"),
                "t0001.txt", PlanMethod::Dense);
    ASSERT_EQ(dense.result.method, PlanMethod::Dense);
    const std::string text = Text(Write(dense));
    EXPECT_NE(text.find("№ Груз Укладка Мест x, мм y, мм h, мм"), std::string::npos) << text;
    std::size_t from = 0;
    bool raised = false;
    // The list is long enough to be read grouped: a run of identical stacks is one row "3-4".
    const auto span = [](long long first, long long last) {
        return first == last ? std::to_string(first)
                             : std::to_string(first) + "–" + std::to_string(last);
    };
    for (const LoadingListRow& row : GroupIdenticalRows(
             MakeLoadingList(dense.result, 1, dense.container, dense.cargo, dense.format))) {
        const bool grouped = row.lastNumber > 0;
        std::ostringstream cells;
        cells << row.number << (grouped ? "-" + std::to_string(row.lastNumber) : "") << " "
              << row.stack.type << " " << row.sizes << " " << row.lay << " " << row.stack.count
              << " " << span(row.x, grouped ? row.xLast : row.x) << " "
              << span(row.y, grouped ? row.yLast : row.y) << " " << row.base;
        const std::size_t at = text.find(" " + cells.str() + " ", from);
        EXPECT_NE(at, std::string::npos) << cells.str();
        from = at == std::string::npos ? from : at;
        raised = raised || row.base > 0;
    }
    EXPECT_TRUE(raised);  // the order is one that stands cargo on cargo
    const std::string rows = Text(Write(Planned(ExampleOrder("ISIN"), "t0001.txt"), "rows.pdf"));
    EXPECT_EQ(rows.find("h, мм"), std::string::npos);
}

TEST(LoadingPlanDocumentTest, SameInputSameBytesAndTheDateIsThePlans) {
    const LoadingPlanInput input = Planned(ExampleOrder("HMAN"), "t0001.txt");
    const std::string first = RenderLoadingPlanPdf(input);
    EXPECT_EQ(first.rfind("%PDF-", 0), 0U);
    EXPECT_EQ(RenderLoadingPlanPdf(input), first);
    EXPECT_NE(first.find("/CreationDate (D:20240305143000Z)"), std::string::npos);

    LoadingPlanInput later = input;
    later.createdAt = kPlanTime.addDays(1);
    const std::string second = RenderLoadingPlanPdf(later);
    EXPECT_NE(second, first);
    EXPECT_NE(second.find("/CreationDate (D:20240306143000Z)"), std::string::npos);
}

TEST(LoadingPlanDocumentTest, AnyPageLayoutTakesTheWholePlan) {
    // A printer may hand over a portrait page with margins of its own.
    const LoadingPlanInput input = Planned(ExampleOrder("HMAN"), "t0001.txt");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10)));
        writer.setResolution(300);
        PaintLoadingPlan(writer, input);
    }
    EXPECT_GT(bytes.size(), 1000);
    EXPECT_EQ(bytes.count("/Type /Page\n"), 4);  // the overview and three containers
}

TEST(LoadingPlanDocumentTest, WritingIntoAMissingFolderFailsWithTheFileError) {
    TempDir dir;
    const LoadingPlanInput input = Planned(ExampleOrder("ISIN"), "t0001.txt");
    EXPECT_THROW(WriteLoadingPlanPdf(input, dir / "missing/plan.pdf"), FileError);
    WriteLoadingPlanPdf(input, dir / "plan.pdf");
    EXPECT_EQ(ReadBytes(dir / "plan.pdf"), RenderLoadingPlanPdf(input));
}

}  // namespace
}  // namespace stowbel
