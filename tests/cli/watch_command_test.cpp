#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "../temp_dir.h"
#include "cli/cli.h"
#include "order/examples.h"
#include "test_drawing.h"

namespace stowbel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct WatchRun {
    int status = -1;
    std::string log;
};

class WatchCommandTest : public testing::Test {
protected:
    void SetUp() override { fs::create_directories(in_); }

    WatchRun Watch(std::vector<std::string> extra = {}) {
        std::vector<std::string> args{"stowbel-cli", "watch", "--in",
                                      in_.string(),  "--out", out_.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        std::ostringstream out;
        std::ostringstream err;
        WatchRun run;
        run.status = RunCli(args, out, err, TestDrawing());
        run.log = err.str();
        return run;
    }

    // An order written long enough ago to be ready at the first look.
    void Order(const std::string& name, const std::string& text) {
        dir_.Write("IN/" + name, text);
        fs::last_write_time(in_ / name, fs::file_time_type::clock::now() - 10s);
    }

    static std::string Example() {
        std::string text;
        for (const std::string& line : ExampleOrder("ISIN")) {
            text += line + "\n";
        }
        return text;
    }

    TempDir dir_;
    fs::path in_ = dir_.Path() / "IN";
    fs::path out_ = dir_.Path() / "OUT";
};

TEST_F(WatchCommandTest, OnceCountsFailedOrdersAsProcessed) {
    Order("t1.txt", Example());
    Order("t2.txt", "2450,16100,2200,50,0,ISIN\n800,1200,BOX\n");
    const WatchRun run = Watch({"--once"});
    EXPECT_EQ(run.status, 0) << run.log;
    EXPECT_TRUE(fs::exists(in_ / "done/t1.txt"));
    EXPECT_TRUE(fs::exists(in_ / "failed/t2.txt"));
    EXPECT_NE(run.log.find("запуск (один проход): заказы из " + in_.string() + ", результаты в " +
                           out_.string()),
              std::string::npos)
        << run.log;
    EXPECT_NE(run.log.find("рассчитано 1, с ошибкой 1, не обработано 0"), std::string::npos)
        << run.log;
}

TEST_F(WatchCommandTest, OnceWithNothingReadyExitsZero) {
    dir_.Write("IN/t1.txt", Example());  // just written: not ready at a single look
    const WatchRun run = Watch({"--once"});
    EXPECT_EQ(run.status, 0) << run.log;
    EXPECT_TRUE(fs::exists(in_ / "t1.txt"));
}

TEST_F(WatchCommandTest, OnceExitsOneWhenResultsCannotBeWritten) {
    dir_.Write("OUT", "a file where the output directory should be");
    Order("t1.txt", Example());
    Order("t2.txt", "2450,16100,2200,50,0,ISIN\n800,1200,BOX\n");
    const WatchRun run = Watch({"--once"});
    EXPECT_EQ(run.status, 1) << run.log;
    EXPECT_TRUE(fs::exists(in_ / "t1.txt"));
    EXPECT_TRUE(fs::exists(in_ / "t2.txt"));
    EXPECT_NE(run.log.find("не обработано 2"), std::string::npos) << run.log;
}

TEST_F(WatchCommandTest, UsageErrorsExitTwo) {
    dir_.Write("not-a-directory", "");
    const std::vector<std::vector<std::string>> cases = {
        {"--interval", "0"},
        {"--interval", "soon"},
        {"--bogus"},
        {"extra-file"},
        {"--in", dir_ / "not-a-directory", "--once"},
    };
    for (const auto& extra : cases) {
        const WatchRun run = Watch(extra);
        EXPECT_EQ(run.status, 2) << extra.front() << "\n" << run.log;
    }
}

}  // namespace
}  // namespace stowbel
