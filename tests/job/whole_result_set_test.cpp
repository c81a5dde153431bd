#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "../temp_dir.h"
#include "job/calculation_job.h"
#include "order/examples.h"
#include "pictures/raster_pictures.h"
#include "plan/pdf_plan_writer.h"

namespace stowbel {
namespace {

namespace fs = std::filesystem;

const RasterPictureMaker kMaker;
const PdfPlanWriter kPlans;

// The result files of order t1.txt in a folder, by their suffixes after "r1.txt".
std::vector<std::string> ResultFiles(const std::string& out) {
    std::vector<std::string> names;
    if (!fs::exists(out)) {
        return names;
    }
    for (const auto& entry : fs::directory_iterator(out)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct Outcome {
    const char* example;  // "ISIN", "HMAN", or "" for a faulty order
    bool plan = false;
};

JobResult Store(const std::string& out, const Outcome& outcome) {
    CalculationJob job;
    job.SetOrderLines(*outcome.example != '\0'
                          ? ExampleOrder(outcome.example)
                          : std::vector<std::string>{"2450,16100,2200,50,0,ISIN", "800,x"})
        .SetPictureMaker(&kMaker)
        .StoreResultsIn(out, "IN/t1.txt");
    if (outcome.plan) {
        job.WritePlan(&kPlans);
    }
    return job.Run();
}

struct ResentCase {
    const char* name;
    Outcome first;
    Outcome second;
    std::vector<std::string> files;  // in OUT after the second
};

std::ostream& operator<<(std::ostream& os, const ResentCase& c) {
    return os << c.name;
}

class ResentOrderCases : public testing::TestWithParam<ResentCase> {};

// A new outcome under the same name replaces the whole earlier set.
TEST_P(ResentOrderCases, LeaveOnlyTheNewSet) {
    const ResentCase& c = GetParam();
    const TempDir dir;
    const std::string out = dir / "OUT";
    Store(out, c.first);
    Store(out, c.second);
    EXPECT_EQ(ResultFiles(out), c.files);
}

const std::vector<std::string> kIsinSet{"r1.txt", "r1.txt.jpg", "r1.txt2d.jpg", "r1.txt3d.jpg"};
const std::vector<std::string> kHmanSet{"r1.txt", "r1.txt2d.jpg", "r1.txt3d.jpg"};

INSTANTIATE_TEST_SUITE_P(
    Outcomes, ResentOrderCases,
    testing::Values(ResentCase{"IsinThenHman", {"ISIN"}, {"HMAN"}, kHmanSet},
                    ResentCase{"HmanThenIsin", {"HMAN"}, {"ISIN"}, kIsinSet},
                    ResentCase{"WithPlanThenWithout", {"ISIN", true}, {"ISIN"}, kIsinSet},
                    ResentCase{"WithoutPlanThenWith",
                               {"HMAN"},
                               {"HMAN", true},
                               {"r1.txt", "r1.txt.pdf", "r1.txt2d.jpg", "r1.txt3d.jpg"}},
                    // calc --out leaves the earlier results alone when the order has an error.
                    ResentCase{"GoodThenFaulty", {"ISIN"}, {""}, kIsinSet}),
    [](const testing::TestParamInfo<ResentCase>& p) { return std::string(p.param.name); });

TEST(WholeResultSetTest, AnErrorFileOfAnEarlierOutcomeGoesWhenTheResultsCome) {
    const TempDir dir;
    fs::create_directories(dir / "OUT");
    dir.Write("OUT/r1.txt.err", "earlier error");
    ASSERT_FALSE(Store(dir / "OUT", {"HMAN"}).error);
    EXPECT_EQ(ResultFiles(dir / "OUT"), kHmanSet);
}

// When one file cannot be made, none takes its name: the earlier set stays as it was and no
// temporary file is left.
TEST(WholeResultSetTest, AFailureChangesNothing) {
    const TempDir dir;
    const std::string out = dir / "OUT";
    ASSERT_FALSE(Store(out, {"ISIN"}).error);
    const std::string report = ReadBytes(out + "/r1.txt");
    fs::remove(out + "/r1.txt3d.jpg");
    fs::create_directory(out + "/r1.txt3d.jpg");  // a folder where a picture goes
    const JobResult result = Store(out, {"HMAN"});
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->kind, JobError::Kind::File);
    EXPECT_TRUE(result.filesWritten.empty());
    EXPECT_EQ(ReadBytes(out + "/r1.txt"), report);
    EXPECT_EQ(ResultFiles(out), kIsinSet);
}

struct SpecialPlanCase {
    const char* name;
    void (*make)(const std::string& path);
    const char* words;
};

std::ostream& operator<<(std::ostream& os, const SpecialPlanCase& c) {
    return os << c.name;
}

class SpecialPlanTargets : public testing::TestWithParam<SpecialPlanCase> {};

// calc --out OUT --pdf TARGET: a target that is no regular file is refused before anything is
// written, in OUT as well.
TEST_P(SpecialPlanTargets, AreRefusedAndNothingIsWritten) {
    const TempDir dir;
    const std::string target = dir / "plan.pdf";
    GetParam().make(target);
    struct stat before {};
    ASSERT_EQ(lstat(target.c_str(), &before), 0);
    CalculationJob job;
    job.SetOrderLines(ExampleOrder("ISIN"))
        .SetPictureMaker(&kMaker)
        .StoreResultsIn(dir / "OUT", "t1.txt")
        .WritePlan(&kPlans, target);
    const JobResult result = job.Run();
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->kind, JobError::Kind::File);
    EXPECT_NE(result.error->message.find(GetParam().words), std::string::npos)
        << result.error->message;
    EXPECT_TRUE(result.filesWritten.empty());
    EXPECT_TRUE(ResultFiles(dir / "OUT").empty());
    struct stat after {};
    ASSERT_EQ(lstat(target.c_str(), &after), 0);
    EXPECT_EQ(before.st_mode, after.st_mode);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, SpecialPlanTargets,
    testing::Values(SpecialPlanCase{"Fifo", [](const std::string& p) { mkfifo(p.c_str(), 0600); },
                                    "именованный канал"},
                    SpecialPlanCase{"Directory",
                                    [](const std::string& p) { fs::create_directory(p); },
                                    "каталог"}),
    [](const testing::TestParamInfo<SpecialPlanCase>& p) { return std::string(p.param.name); });

// A disk that fills up while the results are written: where a small tmpfs can be mounted (as
// root, with the right to mount), else skipped.
TEST(WholeResultSetTest, AFullDiskLeavesNoPartOfASet) {
    const TempDir dir;
    const std::string disk = dir / "disk";
    fs::create_directory(disk);
    if (geteuid() != 0 || mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=48k") != 0) {
        GTEST_SKIP() << "a tmpfs cannot be mounted here (needs root and the right to mount)";
    }
    const JobResult result = Store(disk + "/OUT", {"ISIN"});
    const std::vector<std::string> left = ResultFiles(disk + "/OUT");
    umount(disk.c_str());
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->kind, JobError::Kind::File);
    EXPECT_NE(result.error->message.find("нет места на диске"), std::string::npos)
        << result.error->message;
    EXPECT_TRUE(left.empty()) << left.front();
}

}  // namespace
}  // namespace stowbel
