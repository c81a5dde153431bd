#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "../example_text.h"
#include "../temp_dir.h"
#include "files/result_files.h"
#include "files/result_set.h"
#include "job/watch_engine.h"
#include "job/watch_job.h"
#include "pictures/raster_pictures.h"

namespace stowbel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Watch mode with the real calculation job against names and folders a hostile or careless
// writer can make.
class WatchHostileTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(in_);
        fs::create_directories(out_);
        now_ = fs::file_time_type::clock::now() + 10s;
        job_.SetPictureMaker(&maker_);
    }

    WatchEngine Engine() {
        return WatchEngine(
            {in_.string(), out_.string()}, JobProcessor(job_, out_.string()),
            [this] { return now_; },
            [this](const std::string& order, const std::string& what) {
                log_.push_back(order.empty() ? what : order + ": " + what);
            });
    }

    void Order(const std::string& name, const std::string& text) { dir_.Write("IN/" + name, text); }

    static std::vector<std::string> Names(const fs::path& directory) {
        std::vector<std::string> names;
        std::error_code ec;
        for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
            names.push_back(it->path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string Log() const {
        std::string all;
        for (const std::string& line : log_) {
            all += line + "\n";
        }
        return all;
    }

    const RasterPictureMaker maker_;
    CalculationJob job_;
    TempDir dir_;
    fs::path in_ = dir_.Path() / "IN";
    fs::path out_ = dir_.Path() / "OUT";
    fs::file_time_type now_;
    std::vector<std::string> log_;
};

// The name fits IN but "r…txt2d.jpg" and its temporary name do not fit OUT: the order fails
// once, with an error file under a shortened name, instead of being calculated at every tick.
TEST_F(WatchHostileTest, ANameTooLongForItsResultsFailsOnce) {
    const std::string name = "t" + std::string(240, '7') + ".txt";
    Order(name, ExampleText("ISIN"));
    WatchEngine engine = Engine();
    const TickSummary first = engine.Tick();
    EXPECT_EQ(first.failed, 1);
    EXPECT_EQ(Names(in_ / "failed"), std::vector<std::string>{name});
    const std::string err = ErrorFilePath(out_.string(), name);
    EXPECT_NE(err, ResultPath(out_.string(), name) + ".err");
    EXPECT_EQ(Names(out_), std::vector<std::string>{fs::path(err).filename().string()});
    EXPECT_EQ(log_.size(), 1U) << Log();
    EXPECT_NE(Log().find("слишком длинное"), std::string::npos) << Log();
    EXPECT_EQ(engine.Tick().Looked(), 0);
    EXPECT_EQ(log_.size(), 1U);
}

// A line break in a file name cannot forge a line of the log.
TEST_F(WatchHostileTest, ControlCharactersInANameAreEscapedInTheLog) {
    Order("t1.txt\n2026-12-11 04:00:00 t2.txt: рассчитан\x1b[0m.txt", ExampleText("ISIN"));
    WatchEngine engine = Engine();
    EXPECT_EQ(engine.Tick().done, 1);
    ASSERT_EQ(log_.size(), 1U);
    EXPECT_EQ(log_[0].find('\n'), std::string::npos) << log_[0];
    EXPECT_EQ(log_[0].find('\x1b'), std::string::npos) << log_[0];
    EXPECT_NE(log_[0].find("t1.txt\\n2026-12-11"), std::string::npos) << log_[0];
}

TEST_F(WatchHostileTest, AnOrderWithoutCargoLinesIsDoneWithANote) {
    Order("t1.txt", "2450,16100,2200,50,0,ISIN\n// nothing yet\n");
    WatchEngine engine = Engine();
    EXPECT_EQ(engine.Tick().done, 1);
    EXPECT_NE(Log().find("нет ни одной строки груза"), std::string::npos) << Log();
}

struct FolderCase {
    const char* name;
    const char* folder;  // "done" or "failed"
    bool link;           // a symbolic link to another folder, else a plain file
};

std::ostream& operator<<(std::ostream& os, const FolderCase& c) {
    return os << c.name;
}

class NotARealFolder : public WatchHostileTest, public testing::WithParamInterface<FolderCase> {};

// IN/done or IN/failed that is not a real folder: said once, the orders wait in IN, nothing is
// moved through a link.
TEST_P(NotARealFolder, KeepsTheOrdersWaitingAndSaysSoOnce) {
    const FolderCase& c = GetParam();
    const fs::path elsewhere = dir_.Path() / "elsewhere";
    fs::create_directories(elsewhere);
    if (c.link) {
        fs::create_directory_symlink(elsewhere, in_ / c.folder);
    } else {
        dir_.Write(std::string("IN/") + c.folder, "a file");
    }
    // One order for each folder.
    Order("t1.txt", ExampleText("ISIN"));
    Order("t2.txt", "2450,16100,2200,50,0,ISIN\n800,x\n");
    WatchEngine engine = Engine();
    const TickSummary first = engine.Tick();
    EXPECT_EQ(first.notProcessed, 1);
    EXPECT_EQ(first.done + first.failed, 1);
    EXPECT_TRUE(Names(elsewhere).empty());
    const std::string said = Log();
    EXPECT_NE(said.find(std::string("IN/") + c.folder), std::string::npos) << said;
    EXPECT_NE(said.find(c.link ? "символическая ссылка" : "файл, а не папка"), std::string::npos)
        << said;
    now_ += 5s;
    EXPECT_EQ(engine.Tick().notProcessed, 1);
    EXPECT_EQ(Log(), said);  // not said again
    EXPECT_TRUE(Names(elsewhere).empty());
}

INSTANTIATE_TEST_SUITE_P(Folders, NotARealFolder,
                         testing::Values(FolderCase{"DoneIsALink", "done", true},
                                         FolderCase{"FailedIsALink", "failed", true},
                                         FolderCase{"DoneIsAFile", "done", false},
                                         FolderCase{"FailedIsAFile", "failed", false}),
                         [](const testing::TestParamInfo<FolderCase>& p) {
                             return std::string(p.param.name);
                         });

}  // namespace
}  // namespace stowbel
