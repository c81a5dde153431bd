#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <map>
#include <regex>
#include <sstream>
#include <tuple>

#include <stdlib.h>

#include "../example_text.h"
#include "../poppler_tools.h"
#include "../temp_dir.h"
#include "cli/cli.h"
#include "cli_run.h"
#include "order/examples.h"
#include "order/parser.h"

namespace stowbel {
namespace {

// A row of a loading list as the plan prints it.
struct Row {
    int container, number, type, count;
    long long x, y;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Row& r) {
    return os << "{container " << r.container << ", #" << r.number << ", type " << r.type
              << ", count " << r.count << ", x " << r.x << ", y " << r.y << "}";
}

// The rows the JSON's stacks make by the plan's rule, worked out here on their own: near edges
// in whole mm, container by container from the front wall, then from the floor up, then from
// the first side wall; cargo lines numbered in the order they stand in the order text.
std::vector<Row> RowsFromJson(const QJsonArray& stacks, const std::string& order) {
    std::istringstream in(order);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    std::map<int, int> typeOfLine;
    double height = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text = StripComment(lines[i]);
        if (text.empty()) {
            continue;
        }
        if (height == 0) {
            height = std::stod(std::string(text.substr(text.find(',', text.find(',') + 1) + 1)));
            continue;
        }
        const int next = static_cast<int>(typeOfLine.size()) + 1;
        typeOfLine[static_cast<int>(i)] = next;
    }
    struct Keyed {
        std::tuple<int, long long, long long, long long, int> key;
        Row row;
    };
    std::vector<Keyed> keyed;
    for (int i = 0; i < stacks.size(); ++i) {
        const QJsonObject s = stacks[i].toObject();
        const QString shape = s["shape"].toString();
        const double r = s["d"].toDouble() / 2;
        long long x = s["x1"].toInt();
        long long y = s["y1"].toInt();
        long long bottom = 0;
        if (shape == "RND") {
            x = std::llrint(s["x"].toDouble() - r);
            y = std::llrint(s["y"].toDouble() - r);
        } else if (shape == "RND-LYING") {
            x = std::llrint(s["x"].toDouble() - r);
            y = std::llrint(s["y"].toDouble());
            bottom = std::llrint(height - s["z"].toDouble() - r);
        }
        const int container = s["container"].toInt();
        keyed.push_back({{container, x, bottom, y, i},
                         {container, 0, typeOfLine[s["line"].toInt()], s["count"].toInt(), x, y}});
    }
    std::sort(keyed.begin(), keyed.end(),
              [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    std::vector<Row> rows;
    int container = 0;
    int number = 0;
    for (Keyed& k : keyed) {
        number = k.row.container == container ? number + 1 : 1;
        container = k.row.container;
        k.row.number = number;
        rows.push_back(k.row);
    }
    return rows;
}

// The rows of the lists in the PDF's text, page after page.
std::vector<Row> RowsFromPdf(const std::string& pdf) {
    const std::string text =
        CollapseBlanks(CommandOutput("pdftotext -raw '" + pdf + "' -").value_or(""));
    static const std::regex title(R"(Контейнер (\d+) из \d+)");
    static const std::regex row(
        R"((\d+) (\d+) [\d.,]+×[\d.,]+×[\d.,]+ (?:вдоль|поперёк|торцем, вдоль|торцем, поперёк|стоя|лёжа, низ \d+) (\d+) (\d+) (\d+))");
    std::vector<Row> rows;
    int container = 0;
    // A container's first page begins with its title; its rows follow until the next one.
    std::vector<std::pair<std::size_t, int>> titles;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), title);
         it != std::sregex_iterator(); ++it) {
        titles.push_back({static_cast<std::size_t>(it->position()), std::stoi((*it)[1])});
    }
    std::size_t nextTitle = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), row);
         it != std::sregex_iterator(); ++it) {
        while (nextTitle < titles.size() &&
               titles[nextTitle].first < static_cast<std::size_t>(it->position())) {
            container = titles[nextTitle++].second;
        }
        rows.push_back({container, std::stoi((*it)[1]), std::stoi((*it)[2]), std::stoi((*it)[3]),
                        std::stoll((*it)[4]), std::stoll((*it)[5])});
    }
    return rows;
}

struct PlanCase {
    const char* name;
    std::string order;
};

std::ostream& operator<<(std::ostream& os, const PlanCase& c) {
    return os << c.name;
}

class PlanListTest : public testing::TestWithParam<PlanCase> {
protected:
    TempDir dir;
};

// The plan's loading lists and the JSON come from the same run: row by row they name the same
// stacks.
TEST_P(PlanListTest, ListsEqualTheStacksOfTheJson) {
    if (!HavePopplerTool("pdftotext")) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    const std::string order = dir.Write("t0001.txt", GetParam().order);
    const std::string pdf = dir / "plan.pdf";
    const CliRun run = Cli({"calc", order, "--json", "--pdf", pdf, "--decimal-separator", "."});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    const std::vector<Row> expected = RowsFromJson(root["stacks"].toArray(), GetParam().order);
    ASSERT_FALSE(expected.empty());
    const std::vector<Row> printed = RowsFromPdf(pdf);
    ASSERT_EQ(printed.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(printed[i], expected[i]) << "row " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Orders, PlanListTest,
    testing::Values(
        PlanCase{"HmanExample", ExampleText("HMAN")}, PlanCase{"IsinExample", ExampleText("ISIN")},
        PlanCase{"StandingDrumsAndBoxes",
                 "2450,12000,2200,50,50,ISIN\n1000,1000,1000,RND,0,0,14\n800,1200,2100,SQR,0,1,6\n"
                 "600,600,900,RND,0,1,12\n"},
        PlanCase{"OnEndAndLying",
                 "2450,16100,2000,50,0,ISIN\n800,1200,2100,SQR,0,1,10\n1000,1000,2300,RND,0,1,5\n"},
        PlanCase{"ManyContainers", "2350,6000,2600,0,0,HMAN\n800,1200,1300,SQR,1,0,60\n"}));

class PlanCliTest : public testing::Test {
protected:
    TempDir dir;
};

TEST_F(PlanCliTest, WritesThePlanBesideTheUsualOutput) {
    const std::string order = dir.Write("t0001.txt", ExampleText("HMAN"));
    const CliRun plain = Cli({"calc", order});
    const CliRun run = Cli({"calc", order, "--pdf", dir / "plan.pdf", "--out", dir / "OUT"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, plain.out);
    EXPECT_EQ(ReadBytes(dir / "plan.pdf").rfind("%PDF-", 0), 0U);
    EXPECT_TRUE(std::filesystem::exists(dir / "OUT/r0001.txt3d.jpg"));
    // No leftovers of the atomic write.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3);
}

TEST_F(PlanCliTest, SourceDateEpochMakesTheSameBytesTwice) {
    const std::string order = dir.Write("t0001.txt", ExampleText("ISIN"));
    setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    const int first = Cli({"calc", order, "--pdf", dir / "a.pdf"}).status;
    const int second = Cli({"calc", order, "--pdf", dir / "b.pdf"}).status;
    unsetenv("SOURCE_DATE_EPOCH");
    ASSERT_EQ(first, 0);
    ASSERT_EQ(second, 0);
    const std::string bytes = ReadBytes(dir / "a.pdf");
    EXPECT_EQ(bytes, ReadBytes(dir / "b.pdf"));
    EXPECT_NE(bytes.find("/CreationDate (D:20231114221320Z)"), std::string::npos);
}

TEST_F(PlanCliTest, FailuresWriteNoPlan) {
    const std::string good = dir.Write("t0001.txt", ExampleText("ISIN"));
    const CliRun unwritable = Cli({"calc", good, "--pdf", dir / "missing/plan.pdf"});
    EXPECT_EQ(unwritable.status, kExitUsage);
    EXPECT_NE(unwritable.err.find(dir / "missing/plan.pdf"), std::string::npos) << unwritable.err;

    const std::string faulty =
        dir.Write("t0002.txt", "2450,16100,2200,50,0,ISIN\n800,1200,2100,BOX,1,0,2\n");
    EXPECT_EQ(Cli({"calc", faulty, "--pdf", dir / "plan.pdf"}).status, kExitOrderError);
    EXPECT_FALSE(std::filesystem::exists(dir / "plan.pdf"));
    EXPECT_EQ(Cli({"calc", good, "--pdf"}).status, kExitUsage);
}

}  // namespace
}  // namespace stowbel
