#include "cli/cli.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../example_text.h"
#include "../temp_dir.h"
#include "cli/json_result.h"
#include "cli/options.h"
#include "cli_run.h"

namespace stowbel {
namespace {

namespace fs = std::filesystem;

QJsonObject JsonOf(const CliRun& run) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
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
    const QJsonObject first = JsonOf(run)["stacks"].toArray().first().toObject();
    EXPECT_EQ(first["shape"].toString(), "RND");
    EXPECT_DOUBLE_EQ(first["x"].toDouble(), 575);
    EXPECT_DOUBLE_EQ(first["d"].toDouble(), 1000);
}

TEST_F(CliTest, LyingDrumsInJson) {
    // Drums 1000 across and 2300 long do not stand under a 2200 ceiling: they lie across the
    // container, two circles of 1000 one above the other. The first axis is 500 mm from the
    // front (no clearance beyond the gap), its lower unit's axis 500 mm above the floor.
    const std::string order =
        dir.Write("t.txt", "2450,16100,2200,0,0,ISIN\n1000,1000,2300,RND,0,1,2\n");
    const CliRun run = Cli({"calc", order, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonArray stacks = JsonOf(run)["stacks"].toArray();
    ASSERT_FALSE(stacks.isEmpty());
    const QJsonObject first = stacks.first().toObject();
    EXPECT_EQ(first["shape"].toString(), "RND-LYING");
    EXPECT_EQ(first["line"].toInt(), 1);
    EXPECT_DOUBLE_EQ(first["d"].toDouble(), 1000);
    EXPECT_DOUBLE_EQ(first["length"].toDouble(), 2300);
    EXPECT_DOUBLE_EQ(first["x"].toDouble(), 500);
    EXPECT_DOUBLE_EQ(first["z"].toDouble(), 1700);
    EXPECT_DOUBLE_EQ(first["y"].toDouble(), 0);
    EXPECT_EQ(first["count"].toInt(), 1);
}

TEST(OptionsTest, ValuesFlagsPositionalsAndMistakes) {
    const std::vector<OptionSpec> specs{{"out", true}, {"json", false}};
    const ParsedOptions both =
        ParseOptions({"a.txt", "--out", "D", "--json", "--out=E", "-"}, specs);
    EXPECT_TRUE(both.error.empty());
    EXPECT_EQ(both.Value("out"), "E");  // the last one counts
    EXPECT_TRUE(both.IsSet("json"));
    EXPECT_EQ(both.positional, (std::vector<std::string>{"a.txt", "-"}));
    EXPECT_EQ(ParseOptions({"--", "--json"}, specs).positional,
              (std::vector<std::string>{"--json"}));
    EXPECT_EQ(ParseOptions({"--out"}, specs).error, "option '--out' needs a value");
    EXPECT_EQ(ParseOptions({"--json=1"}, specs).error, "option '--json' takes no value");
    EXPECT_EQ(ParseOptions({"--jsn"}, specs).error, "unknown option '--jsn'");
    EXPECT_EQ(ParseOptions({"-j"}, specs).error, "unknown option '-j'");
}

TEST(JsonResultTest, EscapesWhatJsonNeedsAndKeepsUtf8) {
    RunResult result;
    result.report = {"Заказ \"1\" \\ x", std::string("a\tb\x01")};
    result.placed = 3;
    PlacedStack stack;
    stack.shape = StackShape::Round;
    stack.x = 1564.95;
    stack.y = 550;
    stack.d = 1000;
    stack.count = 2;
    result.stacks = {stack};
    EXPECT_EQ(ResultToJson(result, JobError{JobError::Kind::Order, "поле «Высота»", 7}),
              "{\"containerDetails\":[],\"containers\":0,\"error\":\"поле «Высота»\","
              "\"errorLine\":7,\"placed\":3,"
              "\"report\":[\"Заказ \\\"1\\\" \\\\ x\",\"a\\tb\\u0001\"],"
              "\"stacks\":[{\"container\":1,\"count\":2,\"d\":1000,\"line\":0,\"shape\":\"RND\","
              "\"x\":1564.95,\"y\":550}]}");
    EXPECT_EQ(ResultToJson(RunResult{}, std::nullopt),
              "{\"containerDetails\":[],\"containers\":0,\"error\":null,\"errorLine\":null,"
              "\"placed\":0,\"report\":[],"
              "\"stacks\":[]}");
}

TEST_F(CliTest, DecimalSeparatorOverride) {
    const std::string order = dir.Write("t.txt", ExampleText("HMAN"));
    const CliRun run = Cli({"calc", order, "--decimal-separator", ","});
    EXPECT_NE(run.out.find("до 9,6 м."), std::string::npos);
}

struct ErrorCase {
    const char* name;
    const char* order;
    const char* message;
    int line;  // 0: none
    std::size_t reportLines;
};

std::ostream& operator<<(std::ostream& os, const ErrorCase& c) {
    return os << c.name;
}

class CliErrorTest : public testing::TestWithParam<ErrorCase> {
protected:
    TempDir dir;
};

// stderr names the file and the line once; the JSON carries the bare message and the line.
TEST_P(CliErrorTest, FileAndLineOnStderrBareMessageAndLineInJson) {
    const ErrorCase& c = GetParam();
    const std::string order = dir.Write("t.txt", c.order);
    const CliRun run = Cli({"calc", order});
    EXPECT_EQ(run.status, kExitOrderError);
    const std::string where = c.line > 0 ? ": строка " + std::to_string(c.line) + ": " : ": ";
    EXPECT_EQ(run.err, "stowbel-cli: " + order + where + c.message + "\n");
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'),
              static_cast<std::ptrdiff_t>(c.reportLines));

    const CliRun json = Cli({"calc", order, "--json"});
    EXPECT_EQ(json.status, kExitOrderError);
    const QJsonObject root = JsonOf(json);
    EXPECT_EQ(root["error"].toString().toStdString(), c.message);
    if (c.line > 0) {
        EXPECT_EQ(root["errorLine"].toInt(), c.line);
    } else {
        EXPECT_TRUE(root["errorLine"].isNull());
    }
    EXPECT_EQ(root["report"].toArray().size(), static_cast<qsizetype>(c.reportLines));
}

INSTANTIATE_TEST_SUITE_P(
    Orders, CliErrorTest,
    testing::Values(
        ErrorCase{"Conversion",
                  "2450,16100,2200,50,0,ISIN\n800,1200,2100,SQR,1,0,2\n800,1200,2100,BOX,1,0,2\n",
                  "'' is not a valid integer value", 3, 2},
        ErrorCase{"Validation", "// header\n2450,16100,2200,50,0,ISIN\n800,1200,0,SQR,1,0,2\n",
                  "поле «Высота» должно быть больше нуля, а указано 0.", 3, 0},
        ErrorCase{"NothingToCalculate", "// only a comment\n\n",
                  "нечего рассчитывать: в заказе нет ни одной строки кроме комментариев", 0, 0}),
    [](const testing::TestParamInfo<ErrorCase>& p) { return std::string(p.param.name); });

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
    EXPECT_EQ(Cli({"--version"}).out, "stowbel-cli " STOWBEL_VERSION "\n");
    EXPECT_EQ(Cli({"--help"}).status, 0);
}

TEST_F(CliTest, PictureSizesAreOptions) {
    const std::string order = dir.Write("t0001.txt", ExampleText("ISIN"));
    ASSERT_EQ(Cli({"calc", order, "--out", dir.Path().string(), "--scheme-size", "640x480"}).status,
              0);
    QImage scheme(QString::fromStdString(dir / "r0001.txt2d.jpg"));
    EXPECT_EQ(scheme.size(), QSize(640, 480));
}

// The real program starts no GUI application for a bare calculation and one for --out.
TEST_F(CliTest, TheRealBinaryRuns) {
    const std::string order = dir.Write("t0001.txt", ExampleText("ISIN"));
    const std::string command = std::string(STOWBEL_CLI_BINARY) + " calc '" + order +
                                "' --decimal-separator . > '" + (dir / "out.txt") + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadBytes(dir / "out.txt"), GoldenReport("example_isin_report.txt"));

    const std::string store = std::string(STOWBEL_CLI_BINARY) + " calc '" + order + "' --out '" +
                              (dir / "OUT") + "' > /dev/null 2>&1";
    EXPECT_EQ(std::system(store.c_str()), 0);
    QImage scheme(QString::fromStdString(dir / "OUT/r0001.txt2d.jpg"));
    EXPECT_EQ(scheme.size(), QSize(1000, 761));
    EXPECT_TRUE(fs::is_regular_file(dir / "OUT/r0001.txt.jpg"));
}

// Two processes write the same plan for the same order, whatever seeds their hashes.
TEST_F(CliTest, TheRealBinaryWritesTheSamePlanTwice) {
    const std::string order = dir.Write("t0001.txt", ExampleText("HMAN"));
    for (const char* name : {"a.pdf", "b.pdf", "c.pdf", "d.pdf"}) {
        const std::string command = "SOURCE_DATE_EPOCH=0 " + std::string(STOWBEL_CLI_BINARY) +
                                    " calc '" + order + "' --pdf '" + (dir / name) +
                                    "' > /dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    const std::string first = ReadBytes(dir / "a.pdf");
    for (const char* name : {"b.pdf", "c.pdf", "d.pdf"}) {
        EXPECT_EQ(ReadBytes(dir / name), first) << name;
    }
}

// watch --once takes what is ready (settled for 2 s), stores it and exits; a file still being
// written stays for a later look. The real program hands the command over to the drawing one.
TEST_F(CliTest, WatchOnceProcessesWhatIsReadyAndExits) {
    fs::create_directories(dir / "IN");
    const std::string ready = dir.Write("IN/t0001.txt", ExampleText("ISIN"));
    fs::last_write_time(ready, fs::file_time_type::clock::now() - std::chrono::seconds(10));
    dir.Write("IN/t0002.txt", "2450,16100,2200,50,0,ISIN\n800,1200,0,SQR,1,0,2\n");
    fs::last_write_time(dir / "IN/t0002.txt",
                        fs::file_time_type::clock::now() - std::chrono::seconds(10));
    dir.Write("IN/t0003.txt", ExampleText("HMAN"));  // just written: not ready yet
    const std::string command = std::string(STOWBEL_CLI_BINARY) + " watch --once --in '" +
                                (dir / "IN") + "' --out '" + (dir / "OUT") + "' 2> '" +
                                (dir / "log.txt") + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(fs::is_regular_file(dir / "IN/done/t0001.txt"));
    EXPECT_TRUE(fs::is_regular_file(dir / "OUT/r0001.txt.jpg"));
    EXPECT_TRUE(fs::is_regular_file(dir / "IN/failed/t0002.txt"));
    EXPECT_TRUE(fs::is_regular_file(dir / "OUT/r0002.txt.err"));
    EXPECT_TRUE(fs::is_regular_file(dir / "IN/t0003.txt"));
    const std::string log = ReadBytes(dir / "log.txt");
    EXPECT_NE(log.find("t0002.txt: ошибка в строке 2: поле «Высота»"), std::string::npos) << log;
}

// Without --decimal-separator the separator is the one of the user's regional settings.
TEST_F(CliTest, NumberFormatComesFromTheEnvironment) {
    const std::string locales = dir / "locales";
    fs::create_directories(locales);
    const std::string make =
        "localedef -i ru_RU -f UTF-8 '" + locales + "/ru_RU.UTF-8' > /dev/null 2>&1";
    if (std::system(make.c_str()) != 0) {
        GTEST_SKIP() << "no Russian locale can be compiled here";
    }
    const std::string order = dir.Write("t.txt", ExampleText("HMAN"));
    for (const auto& [locale, expected] :
         {std::pair{"ru_RU.UTF-8", "до 9,6 м."}, std::pair{"C.UTF-8", "до 9.6 м."}}) {
        const std::string command = "LOCPATH='" + locales + "' LC_ALL=" + locale + " " +
                                    STOWBEL_CLI_BINARY + " calc '" + order + "' > '" +
                                    (dir / "out.txt") + "' 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        EXPECT_NE(ReadBytes(dir / "out.txt").find(expected), std::string::npos) << locale;
    }
}

}  // namespace
}  // namespace stowbel
