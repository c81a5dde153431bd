#include "cli/cli.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../temp_dir.h"
#include "order/examples.h"

namespace stowbel {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun Cli(std::vector<std::string> args) {
    args.insert(args.begin(), "stowbel-cli");
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = RunCli(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string ExampleText(const char* name) {
    std::string text;
    for (const std::string& line : ExampleOrder(name)) {
        text += line + "\n";
    }
    return text;
}

std::string GoldenReport(const char* file) {
    std::ifstream in(std::string(STOWBEL_CALC_DATA_DIR) + "/" + file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CliTest : public testing::Test {
protected:
    TempDir dir;
};

TEST_F(CliTest, ExamplePrintsTheSevenLines) {
    const CliRun run = Cli({"example", "ISIN"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, ExampleText("ISIN"));
    EXPECT_EQ(Cli({"example", "hman"}).status, kExitUsage);
}

TEST_F(CliTest, CalcPrintsTheReportAndStoresTheResultFiles) {
    const std::string order = dir.Write("t0001.txt", ExampleText("ISIN"));
    const CliRun run = Cli({"calc", order, "--out", dir / "OUT", "--decimal-separator", "."});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, GoldenReport("example_isin_report.txt"));
    for (const char* name : {"r0001.txt", "r0001.txt2d.jpg", "r0001.txt3d.jpg", "r0001.txt.jpg"}) {
        EXPECT_TRUE(fs::is_regular_file(dir / ("OUT/" + std::string(name)))) << name;
    }
}

TEST_F(CliTest, HmanStoresNoSummaryPicture) {
    const std::string order = dir.Write("t0002.txt", ExampleText("HMAN"));
    EXPECT_EQ(Cli({"calc", order, "--out", dir.Path().string()}).status, 0);
    EXPECT_TRUE(fs::exists(dir / "r0002.txt3d.jpg"));
    EXPECT_FALSE(fs::exists(dir / "r0002.txt.jpg"));
}

TEST_F(CliTest, JsonCarriesTheResultAsData) {
    const std::string order = dir.Write("t.txt", ExampleText("HMAN"));
    const CliRun run = Cli({"calc", order, "--json", "--decimal-separator", "."});
    ASSERT_EQ(run.status, 0);
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    EXPECT_EQ(root["containers"].toInt(), 3);
    EXPECT_EQ(root["placed"].toInt(), 106);
    EXPECT_TRUE(root["error"].isNull());
    EXPECT_EQ(root["report"].toArray().size(), 7);
    const QJsonObject first = root["stacks"].toArray().first().toObject();
    EXPECT_EQ(first["shape"].toString(), "SQR");
    EXPECT_EQ(first["line"].toInt(), 3);
    EXPECT_EQ(first["container"].toInt(), 1);
    EXPECT_EQ(first["x1"].toInt(), 50);
    EXPECT_EQ(first["y2"].toInt(), 850);
    EXPECT_EQ(first["count"].toInt(), 1);
}

TEST_F(CliTest, RoundStacksInJson) {
    const std::string order =
        dir.Write("t.txt", "2450,16100,2200,50,50,ISIN\n1000,1000,2000,RND,0,0,2\n");
    const CliRun run = Cli({"calc", order, "--json"});
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    const QJsonObject first = root["stacks"].toArray().first().toObject();
    EXPECT_EQ(first["shape"].toString(), "RND");
    EXPECT_DOUBLE_EQ(first["x"].toDouble(), 575);
    EXPECT_DOUBLE_EQ(first["d"].toDouble(), 1000);
}

TEST_F(CliTest, DecimalSeparatorOverride) {
    const std::string order = dir.Write("t.txt", ExampleText("HMAN"));
    const CliRun run = Cli({"calc", order, "--decimal-separator", ","});
    EXPECT_NE(run.out.find("до 9,6 м."), std::string::npos);
}

TEST_F(CliTest, OrderErrorKeepsTheLinesBeforeItAndNamesFileAndLine) {
    const std::string order = dir.Write(
        "t.txt", "2450,16100,2200,50,0,ISIN\n800,1200,2100,SQR,1,0,2\n800,1200,2100,BOX,1,0,2\n");
    const CliRun run = Cli({"calc", order});
    EXPECT_EQ(run.status, kExitOrderError);
    EXPECT_NE(run.out.find("Заказ 1"), std::string::npos);
    EXPECT_NE(run.err.find("t.txt: строка 3: '' is not a valid integer value"), std::string::npos);

    const CliRun json = Cli({"calc", order, "--json"});
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(root["report"].toArray().size(), 2);
    EXPECT_TRUE(root["error"].toString().contains("строка 3"));
}

TEST_F(CliTest, NothingToCalculate) {
    const std::string order = dir.Write("t.txt", "// only a comment\n\n");
    const CliRun run = Cli({"calc", order});
    EXPECT_EQ(run.status, kExitOrderError);
    EXPECT_NE(run.err.find("нечего рассчитывать"), std::string::npos);
}

TEST_F(CliTest, FileAndUsageErrors) {
    EXPECT_EQ(Cli({"calc", dir / "missing.txt"}).status, kExitUsage);
    EXPECT_EQ(Cli({"calc", dir.Path().string()}).status, kExitUsage);
    const std::string order = dir.Write("t.txt", ExampleText("ISIN"));
    const std::string blocker = dir.Write("file", "x");
    const CliRun unwritable = Cli({"calc", order, "--out", blocker + "/OUT"});
    EXPECT_EQ(unwritable.status, kExitUsage);
    EXPECT_NE(unwritable.err.find(blocker), std::string::npos);
    EXPECT_EQ(Cli({"calc"}).status, kExitUsage);
    EXPECT_EQ(Cli({"calc", order, "--view-size", "12"}).status, kExitUsage);
    EXPECT_EQ(Cli({"frobnicate"}).status, kExitUsage);
    EXPECT_EQ(Cli({"--version"}).out, "stowbel-cli 2.69\n");
    EXPECT_EQ(Cli({"--help"}).status, 0);
}

TEST_F(CliTest, PictureSizesAreOptions) {
    const std::string order = dir.Write("t0001.txt", ExampleText("ISIN"));
    ASSERT_EQ(Cli({"calc", order, "--out", dir.Path().string(), "--scheme-size", "640x480"}).status,
              0);
    QImage scheme(QString::fromStdString(dir / "r0001.txt2d.jpg"));
    EXPECT_EQ(scheme.size(), QSize(640, 480));
}

TEST_F(CliTest, TheRealBinaryRuns) {
    const std::string order = dir.Write("t0001.txt", ExampleText("ISIN"));
    const std::string command = std::string(STOWBEL_CLI_BINARY) + " calc '" + order +
                                "' --decimal-separator . > '" + (dir / "out.txt") + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadBytes(dir / "out.txt"), GoldenReport("example_isin_report.txt"));
}

}  // namespace
}  // namespace stowbel
