#include "job/calculation_job.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "../example_text.h"
#include "../temp_dir.h"
#include "calc/planner.h"
#include "calc/run.h"
#include "files/codepage.h"
#include "files/report_file.h"
#include "order/examples.h"
#include "pictures/raster_pictures.h"
#include "plan/pdf_plan_writer.h"
#include "plan/plan_writer.h"
#include "scheme/raster_canvas.h"
#include "scheme/scheme_painter.h"

namespace stowbel {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kFaultyThirdLine{"2450,16100,2200,50,0,ISIN",
                                                "800,1200,2100,SQR,1,0,2", "800,1200,0,SQR,1,0,2"};

const RasterPictureMaker kMaker;

CalculationJob Job(std::vector<std::string> lines) {
    CalculationJob job;
    job.SetOrderLines(std::move(lines)).SetPictureMaker(&kMaker);
    return job;
}

QImage DecodedJpeg(const std::string& path) {
    QImage image;
    EXPECT_TRUE(image.load(QString::fromStdString(path), "JPG")) << path;
    return image;
}

class CalculationJobTest : public testing::Test {
protected:
    TempDir dir;
    std::string Out() const { return dir / "OUT"; }
};

TEST_F(CalculationJobTest, StoresTheReportAndThreePicturesOutsideHman) {
    CalculationJob job = Job(ExampleOrder("ISIN"));
    job.StoreResultsIn(Out(), "IN/t0001.txt");
    const JobResult result = job.Run();
    ASSERT_FALSE(result.error) << result.error->message;
    const std::string base = dir / "OUT/r0001.txt";
    EXPECT_EQ(result.filesWritten,
              (std::vector<std::string>{base, base + "2d.jpg", base + "3d.jpg", base + ".jpg"}));
    EXPECT_EQ(ReadBytes(base), EncodeReportFile(result.record->run.report));
    EXPECT_EQ(result.record->run.report.size(), 7U);
    EXPECT_EQ(DecodedJpeg(base + "2d.jpg").size(), QSize(1000, 761));
    EXPECT_EQ(DecodedJpeg(base + "3d.jpg").size(), QSize(1112, 760));
    EXPECT_EQ(DecodedJpeg(base + ".jpg").size(), QSize(1112, 760));
}

// The job plans by the method it is set to; its progress hook hears the search, and a cancel
// leaves nothing stored and an empty result.
TEST_F(CalculationJobTest, DenseLoadingReportsProgressAndCanBeCancelled) {
    const std::vector<std::string> order{"2352,5898,2393,0,0,ISIN", "400,600,500,SQR,1,2,100",
                                         "300,500,450,SQR,1,1,100"};
    double lastProgress = -1;
    DenseSettings settings;
    settings.progress = [&](double share) { lastProgress = share; };
    CalculationJob job = Job(order);
    job.SetPlanMethod(PlanMethod::Dense).SetDenseSettings(settings);
    const JobResult dense = job.Run();
    ASSERT_FALSE(dense.error);
    EXPECT_EQ(dense.record->run.method, PlanMethod::Dense);
    EXPECT_FALSE(dense.cancelled);
    EXPECT_GT(lastProgress, 0);
    EXPECT_LE(lastProgress, 1);

    settings.cancelled = [] { return true; };
    job.SetDenseSettings(settings).StoreResultsIn(Out(), "t0001.txt");
    const JobResult cancelled = job.Run();
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_FALSE(cancelled.error);
    EXPECT_TRUE(cancelled.record->run.report.empty());
    EXPECT_TRUE(cancelled.filesWritten.empty());
    EXPECT_FALSE(fs::exists(Out()));
}

TEST_F(CalculationJobTest, HmanStoresNoSummaryAndDrawsNone) {
    fs::create_directories(Out());
    dir.Write("OUT/r0001.txt.jpg", "older");  // of an earlier outcome: it goes
    CalculationJob job = Job(ExampleOrder("HMAN"));
    job.StoreResultsIn(Out(), "t0001.txt");
    const JobResult result = job.Run();
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.filesWritten.size(), 3U);
    EXPECT_FALSE(fs::exists(dir / "OUT/r0001.txt.jpg"));
    EXPECT_EQ(result.pictures.summary, nullptr);
    EXPECT_NE(result.pictures.view3D, nullptr);
}

TEST_F(CalculationJobTest, AFailedWriteNamesItsFileAndWritesNoneOfTheSet) {
    fs::create_directories(dir / "OUT/r0001.txt3d.jpg");  // a directory where a picture goes
    CalculationJob job = Job(ExampleOrder("ISIN"));
    job.StoreResultsIn(Out(), "t0001.txt");
    const JobResult result = job.Run();
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->kind, JobError::Kind::File);
    EXPECT_EQ(result.error->message.find(dir / "OUT/r0001.txt3d.jpg"), 0U);
    EXPECT_EQ(result.error->line, 0);
    EXPECT_TRUE(result.filesWritten.empty());
    EXPECT_FALSE(fs::exists(dir / "OUT/r0001.txt"));
    EXPECT_FALSE(fs::exists(dir / "OUT/r0001.txt2d.jpg"));
    EXPECT_FALSE(fs::exists(dir / "OUT/r0001.txt.jpg"));
    EXPECT_EQ(result.record->run.report.size(), 7U);  // the calculation itself succeeded
}

TEST_F(CalculationJobTest, AnOutputDirectoryThatCannotBeMadeIsAFileError) {
    const std::string blocker = dir.Write("file", "x");
    CalculationJob job = Job(ExampleOrder("ISIN"));
    job.StoreResultsIn(blocker + "/OUT", "t0001.txt");
    const JobResult result = job.Run();
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->kind, JobError::Kind::File);
    EXPECT_EQ(result.error->message.find(blocker + "/OUT: "), 0U);
    EXPECT_TRUE(result.filesWritten.empty());
}

TEST_F(CalculationJobTest, AnOrderErrorStoresNothingAndCarriesItsLine) {
    CalculationJob job = Job(kFaultyThirdLine);
    job.SetShownPictures(PictureSet::Shown());
    job.StoreResultsIn(Out(), "t0001.txt");
    const JobResult result = job.Run();
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->kind, JobError::Kind::Order);
    EXPECT_EQ(result.error->message, "поле «Высота» должно быть больше нуля, а указано 0.");
    EXPECT_EQ(result.error->line, 3);
    EXPECT_EQ(result.record->run.report.size(), 2U);  // the lines of the type above the fault
    EXPECT_FALSE(fs::exists(Out()));
    EXPECT_TRUE(result.filesWritten.empty());
    // What was drawn before the fault is shown.
    EXPECT_NE(result.pictures.scheme2D, nullptr);
    EXPECT_EQ(result.pictures.summary, nullptr);
}

TEST_F(CalculationJobTest, AFaultyContainerLineDrawsNothing) {
    CalculationJob job = Job({"// header", "2450,0,2200,50,0,ISIN"});
    job.SetShownPictures(PictureSet::All());
    const JobResult result = job.Run();
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->line, 2);
    EXPECT_FALSE(result.record->run.calculated);
    EXPECT_EQ(result.pictures.scheme2D, nullptr);
}

TEST_F(CalculationJobTest, NothingToCalculateHasOneMessage) {
    CalculationJob job = Job({"// only a comment", "", "   "});
    job.StoreResultsIn(Out(), "t0001.txt");
    const JobResult result = job.Run();
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->kind, JobError::Kind::Order);
    EXPECT_EQ(result.error->message, kNothingToCalculate);
    EXPECT_EQ(result.error->line, 0);
    EXPECT_FALSE(fs::exists(Out()));
}

// Without pictures a job needs no picture maker, and so no toolkit.
TEST_F(CalculationJobTest, NothingIsDrawnThatNobodyNeeds) {
    CalculationJob job;
    job.SetOrderLines(ExampleOrder("HMAN"));
    const JobResult result = job.Run();
    EXPECT_FALSE(result.error);
    EXPECT_EQ(result.record->run.placed, 106);
    EXPECT_EQ(result.pictures.scheme2D, nullptr);
    EXPECT_EQ(result.pictures.view3D, nullptr);
    EXPECT_EQ(result.pictures.summary, nullptr);

    job.SetShownPictures(PictureSet::Shown());
    EXPECT_THROW(job.Run(), std::logic_error);  // drawing without a maker is a mistake
}

TEST_F(CalculationJobTest, SettingsApplyAndACopyRunsAnotherOrder) {
    CalculationJob job;
    job.SetPictureMaker(&kMaker)
        .SetNumberFormat(NumberFormat{','})
        .SetAlternate(false)
        .SetPictureSizes({{640, 480}, {300, 200}, {400, 300}})
        .SetShownPictures(PictureSet::All());
    CalculationJob copy = job;
    copy.SetOrderLines(ExampleOrder("HMAN"));
    const JobResult result = copy.Run();
    EXPECT_NE(result.record->run.report.back().find("5,7 м."), std::string::npos);
    EXPECT_EQ(ImageOf(result.pictures.scheme2D).size(), QSize(640, 480));
    EXPECT_EQ(ImageOf(result.pictures.view3D).size(), QSize(300, 200));
    EXPECT_EQ(ImageOf(result.pictures.summary).size(), QSize(400, 300));
    EXPECT_TRUE(job.OrderLines().empty());
}

// The three pictures one painter draws while the run goes on.
struct DrawnDuringTheRun {
    DrawnDuringTheRun(const std::vector<std::string>& order, const RunOptions& options)
        : pictures{std::unique_ptr<Canvas>(scheme), std::unique_ptr<Canvas>(view),
                   std::unique_ptr<Canvas>(summary)} {
        SchemePainter painter(pictures);
        OrderModel model;
        PlanCalculation(order, model, options, painter, result);
    }

    // Owned by pictures, which is made after them.
    RasterCanvas* scheme = new RasterCanvas;
    RasterCanvas* view = new RasterCanvas;
    RasterCanvas* summary = new RasterCanvas;
    SchemePictures pictures;
    RunResult result;
};

// Dense plans too, whose pictures are drawn container by container by place: the record keeps
// the method, so each picture drawn from it is the one a painter draws during the run.
TEST_F(CalculationJobTest, DensePicturesAreTheSameAsDrawnDuringTheRun) {
    const std::vector<std::vector<std::string>> orders{
        ExampleOrder("ISIN"),
        {"2350,5900,2390,0,0,ISIN", "1000,1200,1400,SQR,1,0,6", "600,800,900,SQR,1,2,40",
         "400,600,500,SQR,1,2,30", "600,600,900,RND,0,0,6"},
        {"2450,6000,2200,50,0,HMAN,9000", "800,1200,900,SQR,1,1,30,300",
         "600,400,500,SQR,1,2,60,40"}};
    DenseSettings quick;
    quick.stepBudget = 3000;
    for (const std::vector<std::string>& order : orders) {
        RunOptions options;
        options.method = PlanMethod::Dense;
        options.dense = quick;
        const DrawnDuringTheRun run(order, options);

        CalculationJob job = Job(order);
        job.SetPlanMethod(PlanMethod::Dense).SetDenseSettings(quick);
        job.SetShownPictures(PictureSet::All());
        const JobResult result = job.Run();
        EXPECT_EQ(result.record->run.method, PlanMethod::Dense) << order.front();
        EXPECT_EQ(result.record->run.report, run.result.report);
        EXPECT_TRUE(ImageOf(result.pictures.scheme2D) == run.scheme->Image()) << order.front();
        EXPECT_TRUE(ImageOf(result.pictures.view3D) == run.view->Image()) << order.front();
        EXPECT_TRUE(ImageOf(result.pictures.summary) == run.summary->Image()) << order.front();
    }
}

// The pictures are drawn each on its own from a record of the run; they must come out exactly
// as when one painter draws all three while the run goes on.
TEST_F(CalculationJobTest, PicturesAreTheSameAsDrawnDuringTheRun) {
    const std::vector<std::vector<std::string>> orders{
        ExampleOrder("HMAN"),
        ExampleOrder("ISIN"),
        {"2450,16100,2200,50,0,IDBL", "1000,1000,2000,RND,0,0,14", "1000,1000,2300,RND,0,1,12",
         "800,1200,2100,SQR,1,1,40"},
        // With a payload the 2D scheme also marks each container's centre of gravity.
        {"2450,16100,2200,50,0,HMAN,16000", "800,1200,2100,SQR,1,0,20,650",
         "1000,1200,2150,SQR,0,0,36,480"}};
    for (const std::vector<std::string>& order : orders) {
        const DrawnDuringTheRun run(order, RunOptions{});

        CalculationJob job = Job(order);
        job.SetShownPictures(PictureSet::All());
        const JobResult result = job.Run();
        EXPECT_EQ(result.record->run.report, run.result.report);
        EXPECT_TRUE(ImageOf(result.pictures.scheme2D) == run.scheme->Image()) << order.front();
        EXPECT_TRUE(ImageOf(result.pictures.view3D) == run.view->Image()) << order.front();
        EXPECT_TRUE(ImageOf(result.pictures.summary) == run.summary->Image()) << order.front();
    }
}

// Remembers what each plan was made of; its file is a fixed text, or it fails when told to.
class RecordingPlanWriter : public PlanWriter {
public:
    struct Seen {
        std::string orderFile;
        std::string exampleName;
        std::size_t cargoLines = 0;
        bool overviewDrawn = false;  // the picture of the plan's first page
    };
    bool fail = false;
    mutable std::vector<Seen> seen;

    std::string Render(const PlannedOrder& order) const override {
        const RunPictures& pictures = order.pictures;
        const bool hman = order.record.order.container.HowManyContainers;
        seen.push_back({order.orderFile, std::string(order.exampleName),
                        order.record.order.cargoLines.size(),
                        (hman ? pictures.scheme2D : pictures.summary) != nullptr});
        if (fail) {
            throw std::runtime_error("no room for the plan");
        }
        return "plan of " + order.orderFile;
    }
};

TEST_F(CalculationJobTest, APlanIsStoredLastBesideTheResultsInEveryMode) {
    for (const char* mode : {"ISIN", "HMAN"}) {
        SCOPED_TRACE(mode);
        RecordingPlanWriter plans;
        CalculationJob job = Job(ExampleOrder(mode));
        job.StoreResultsIn(Out(), "IN/t0001.txt").WritePlan(&plans);
        const JobResult result = job.Run();
        ASSERT_FALSE(result.error) << result.error->message;
        const std::string base = dir / "OUT/r0001.txt";
        ASSERT_FALSE(result.filesWritten.empty());
        EXPECT_EQ(result.filesWritten.back(), base + ".pdf");
        EXPECT_EQ(result.filesWritten.size(), std::string(mode) == "HMAN" ? 4U : 5U);
        EXPECT_EQ(ReadBytes(base + ".pdf"), "plan of IN/t0001.txt");
        ASSERT_EQ(plans.seen.size(), 1U);
        EXPECT_TRUE(plans.seen[0].overviewDrawn);
        EXPECT_EQ(plans.seen[0].cargoLines, 3U);  // each example has three cargo lines
    }
}

TEST_F(CalculationJobTest, APlanFileOfItsOwnNeedsNoStoredResults) {
    RecordingPlanWriter plans;
    CalculationJob job = Job(ExampleOrder("HMAN"));
    job.SetOrderName("", "HMAN").WritePlan(&plans, dir / "plan.pdf");
    const JobResult result = job.Run();
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.filesWritten, std::vector<std::string>{dir / "plan.pdf"});
    EXPECT_FALSE(fs::exists(Out()));
    ASSERT_EQ(plans.seen.size(), 1U);
    EXPECT_EQ(plans.seen[0].orderFile, "");
    EXPECT_EQ(plans.seen[0].exampleName, "HMAN");
    EXPECT_TRUE(plans.seen[0].overviewDrawn);
    // Only the picture the plan shows is drawn.
    EXPECT_EQ(result.pictures.view3D, nullptr);
    EXPECT_EQ(result.pictures.summary, nullptr);
}

TEST_F(CalculationJobTest, NoPlanWithoutAPlaceForItOrForAFaultyOrder) {
    RecordingPlanWriter plans;
    CalculationJob job = Job(ExampleOrder("ISIN"));
    job.WritePlan(&plans);  // neither a file nor stored results
    EXPECT_TRUE(job.Run().filesWritten.empty());

    CalculationJob faulty = Job(kFaultyThirdLine);
    faulty.StoreResultsIn(Out(), "t0001.txt").WritePlan(&plans);
    EXPECT_TRUE(faulty.Run().filesWritten.empty());
    faulty.WritePlan(&plans, dir / "plan.pdf");
    EXPECT_TRUE(faulty.Run().filesWritten.empty());
    EXPECT_FALSE(fs::exists(dir / "plan.pdf"));
    EXPECT_TRUE(plans.seen.empty());
}

// A plan that cannot be made or stored is a file error, like a picture's: none of the set is
// written, and watch mode tries the order again later.
TEST_F(CalculationJobTest, APlanThatFailsIsAFileErrorNamingItsPath) {
    RecordingPlanWriter failing;
    failing.fail = true;
    CalculationJob job = Job(ExampleOrder("ISIN"));
    job.StoreResultsIn(Out(), "t0001.txt").WritePlan(&failing);
    JobResult result = job.Run();
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->kind, JobError::Kind::File);
    EXPECT_EQ(result.error->message, dir / "OUT/r0001.txt.pdf" + ": no room for the plan");
    EXPECT_TRUE(result.filesWritten.empty());
    EXPECT_FALSE(fs::exists(dir / "OUT/r0001.txt.pdf"));

    RecordingPlanWriter plans;
    fs::create_directories(dir / "OUT/r0002.txt.pdf");  // a directory where the plan goes
    job.StoreResultsIn(Out(), "t0002.txt").WritePlan(&plans);
    result = job.Run();
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->kind, JobError::Kind::File);
    EXPECT_EQ(result.error->message.find(dir / "OUT/r0002.txt.pdf"), 0U);
    EXPECT_TRUE(result.filesWritten.empty());
}

TEST_F(CalculationJobTest, ThePdfWriterStoresAReadablePlan) {
    const PdfPlanWriter plans;
    CalculationJob job = Job(ExampleOrder("HMAN"));
    job.StoreResultsIn(Out(), "t0001.txt").WritePlan(&plans);
    const JobResult result = job.Run();
    ASSERT_FALSE(result.error) << result.error->message;
    EXPECT_EQ(ReadBytes(dir / "OUT/r0001.txt.pdf").substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace stowbel
