#include "job/watch_engine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <new>
#include <stdexcept>

#include <unistd.h>

#include "../example_text.h"
#include "../temp_dir.h"
#include "files/codepage.h"
#include "files/file_error.h"
#include "job/watch_job.h"
#include "order/errors.h"
#include "pictures/raster_pictures.h"
#include "plan/pdf_plan_writer.h"

namespace stowbel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

CalculationJob PictureJob() {
    static const RasterPictureMaker maker;
    CalculationJob job;
    job.SetPictureMaker(&maker);
    return job;
}

class WatchEngineTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(in_);
        fs::create_directories(out_);
        now_ = fs::file_time_type::clock::now();
    }

    WatchEngine Engine() {
        return WatchEngine(
            {in_.string(), out_.string()},
            [this](const std::string& path, const std::vector<std::string>& lines) {
                const std::string name = fs::path(path).filename().string();
                calls_.push_back(name);
                linesSeen_[name] = lines;
                const auto preset = outcomes_.find(name);
                return preset != outcomes_.end() ? preset->second : OrderOutcome{};
            },
            [this] { return now_; },
            [this](const std::string& order, const std::string& what) { Logged(order, what); });
    }

    // An order file last written age ago by the test clock.
    fs::path Order(const std::string& name, const std::string& text,
                   std::chrono::milliseconds age = 10s) {
        const fs::path path = in_ / name;
        dir_.Write("IN/" + name, text);
        fs::last_write_time(path, now_ - age);
        return path;
    }

    void Logged(const std::string& order, const std::string& what) {
        log_.push_back(order.empty() ? what : order + ": " + what);
    }

    std::vector<std::string> Names(const fs::path& directory) const {
        std::vector<std::string> names;
        if (fs::exists(directory)) {
            for (const auto& entry : fs::directory_iterator(directory)) {
                names.push_back(entry.path().filename().string());
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir_;
    fs::path in_ = dir_.Path() / "IN";
    fs::path out_ = dir_.Path() / "OUT";
    fs::file_time_type now_;
    std::vector<std::string> calls_;
    std::map<std::string, std::vector<std::string>> linesSeen_;
    std::map<std::string, OrderOutcome> outcomes_;
    std::vector<std::string> log_;
};

TEST_F(WatchEngineTest, TakesOrderNamesOnlyOldestFirst) {
    Order("t2.txt", "b", 30s);
    Order("T1.TXT", "a", 20s);
    Order("t3.txt", "c", 40s);
    Order("x.txt", "d", 50s);
    Order("t4.doc", "e", 50s);
    WatchEngine engine = Engine();
    EXPECT_EQ(engine.Tick().done, 3);
    EXPECT_EQ(calls_, (std::vector<std::string>{"t3.txt", "t2.txt", "T1.TXT"}));
    EXPECT_EQ(Names(in_ / "done"), (std::vector<std::string>{"T1.TXT", "t2.txt", "t3.txt"}));
    EXPECT_EQ(Names(in_), (std::vector<std::string>{"done", "t4.doc", "x.txt"}));
    EXPECT_EQ(log_.size(), 3U);
}

TEST_F(WatchEngineTest, AFreshFileWaitsUntilItStopsChanging) {
    const fs::path order = Order("t1.txt", "2450,", 0s);
    WatchEngine engine = Engine();
    EXPECT_EQ(engine.Tick().Looked(), 0);  // first look: it may still be being copied
    dir_.Write("IN/t1.txt", "2450,16100,");
    fs::last_write_time(order, now_ + 1ms);
    now_ += 100ms;
    EXPECT_EQ(engine.Tick().Looked(), 0);  // it changed since the last look
    now_ += 100ms;
    EXPECT_EQ(engine.Tick().Looked(), 0);  // unchanged, but only for a moment
    now_ += 1900ms;
    EXPECT_EQ(engine.Tick().Looked(), 1);  // unchanged through two seconds of looks
    EXPECT_EQ(linesSeen_["t1.txt"], (std::vector<std::string>{"2450,16100,"}));
}

TEST_F(WatchEngineTest, AFileWrittenInPiecesWithPausesBetweenLooksIsReadWhole) {
    // The writer pauses longer than the looks are apart, but never two seconds.
    const fs::path order = Order("t1.txt", "", 0s);
    WatchEngine engine = Engine();
    std::string text;
    for (const char* piece : {"2450,16100,", "2200,50,0,ISIN\n", "800,1200,0,SQR,1,0,2\n"}) {
        text += piece;
        dir_.Write("IN/t1.txt", text);
        fs::last_write_time(order, now_);
        for (int look = 0; look < 4; ++look) {
            EXPECT_EQ(engine.Tick().Looked(), 0) << text;
            now_ += 300ms;
        }
    }
    now_ += 900ms;
    EXPECT_EQ(engine.Tick().Looked(), 1);
    EXPECT_EQ(linesSeen_["t1.txt"].size(), 2U);
}

TEST_F(WatchEngineTest, AFileUnchangedForTwoSecondsIsReadyAtOnce) {
    Order("t1.txt", "x", 2s);
    WatchEngine engine = Engine();
    EXPECT_EQ(engine.Tick().done, 1);
}

TEST_F(WatchEngineTest, AFileDatedInTheFutureIsReadyAfterTwoSecondsOfLooks) {
    const fs::path order = Order("t1.txt", "x", 0s);
    fs::last_write_time(order, now_ + 1h);
    WatchEngine engine = Engine();
    EXPECT_EQ(engine.Tick().Looked(), 0);
    now_ += 2s;
    EXPECT_EQ(engine.Tick().done, 1);
}

TEST_F(WatchEngineTest, DoneNamesThatClashGetANumber) {
    fs::create_directories(in_ / "done");
    dir_.Write("IN/done/t1.txt", "older");
    dir_.Write("IN/done/t1-1.txt", "older");
    fs::create_directories(in_ / "done/t1-2.txt");               // a directory
    fs::create_symlink(in_ / "nowhere", in_ / "done/t1-3.txt");  // a dangling link
    Order("t1.txt", "new");
    WatchEngine engine = Engine();
    engine.Tick();
    EXPECT_EQ(Names(in_ / "done"),
              (std::vector<std::string>{"t1-1.txt", "t1-2.txt", "t1-3.txt", "t1-4.txt", "t1.txt"}));
    EXPECT_EQ(ReadBytes((in_ / "done/t1-4.txt").string()), "new");
    EXPECT_EQ(ReadBytes((in_ / "done/t1.txt").string()), "older");
    EXPECT_TRUE(fs::is_symlink(in_ / "done/t1-3.txt"));
    ASSERT_EQ(log_.size(), 1U);
    EXPECT_NE(log_[0].find("IN/done/t1-4.txt"), std::string::npos) << log_[0];
}

TEST_F(WatchEngineTest, AFaultyOrderMovesToFailedWithAnErrorFile) {
    Order("t7.txt", "x");
    outcomes_["t7.txt"] = {OrderOutcome::Kind::Failed, "'' is not a valid integer value", 3};
    WatchEngine engine = Engine();
    engine.Tick();
    EXPECT_EQ(Names(in_ / "failed"), (std::vector<std::string>{"t7.txt"}));
    const std::string text = Windows1251ToUtf8(ReadBytes((out_ / "r7.txt.err").string()));
    EXPECT_EQ(text,
              "Заказ t7.txt не рассчитан.\r\n"
              "Ошибка в строке 3: '' is not a valid integer value\r\n"
              "Заказ перенесён в каталог IN/failed.\r\n");
}

TEST_F(WatchEngineTest, AWriteFailureLeavesTheOrderForALaterTick) {
    Order("t1.txt", "x");
    outcomes_["t1.txt"] = {OrderOutcome::Kind::Retry, "OUT/r1.txt: No space left on device", 0};
    WatchEngine engine = Engine();
    engine.Tick();
    EXPECT_TRUE(fs::exists(in_ / "t1.txt"));
    EXPECT_FALSE(fs::exists(out_ / "r1.txt.err"));
    outcomes_.clear();
    engine.Tick();
    EXPECT_EQ(calls_.size(), 2U);
    EXPECT_EQ(Names(in_ / "done"), (std::vector<std::string>{"t1.txt"}));
}

TEST_F(WatchEngineTest, NonFilesNamedLikeOrdersAreReportedAndMovedAside) {
    fs::create_directories(in_ / "t9.txt");
    Order("real.txt", "x");
    fs::create_symlink(in_ / "real.txt", in_ / "t8.txt");
    WatchEngine engine = Engine();
    engine.Tick();
    EXPECT_TRUE(calls_.empty());
    EXPECT_EQ(Names(in_ / "failed"), (std::vector<std::string>{"t8.txt", "t9.txt"}));
    EXPECT_TRUE(fs::exists(out_ / "r9.txt.err"));
    EXPECT_TRUE(fs::exists(in_ / "real.txt"));
}

TEST_F(WatchEngineTest, StopsBetweenOrders) {
    Order("t1.txt", "x", 20s);
    Order("t2.txt", "x", 10s);
    std::atomic<bool> stop{false};
    WatchEngine engine(
        {in_.string(), out_.string()},
        [&](const std::string&, const std::vector<std::string>&) {
            stop = true;
            return OrderOutcome{};
        },
        [this] { return now_; });
    EXPECT_EQ(engine.Tick(&stop).done, 1);
    EXPECT_TRUE(fs::exists(in_ / "t2.txt"));
}

TEST_F(WatchEngineTest, RealCalculationStoresResultsAndErrors) {
    Order("t0001.txt", ExampleText("ISIN"), 20s);
    Order("t0002.txt", "2450,16100,2200,50,0,ISIN\n800,1200,0,SQR,1,0,2\n", 10s);
    Order("t0003.txt", "// nothing\n", 5s);
    WatchEngine engine({in_.string(), out_.string()}, JobProcessor(PictureJob(), out_.string()),
                       [this] { return now_; });
    const TickSummary summary = engine.Tick();
    EXPECT_EQ(summary.done, 1);
    EXPECT_EQ(summary.failed, 2);
    EXPECT_EQ(Names(out_),
              (std::vector<std::string>{"r0001.txt", "r0001.txt.jpg", "r0001.txt2d.jpg",
                                        "r0001.txt3d.jpg", "r0002.txt.err", "r0003.txt.err"}));
    EXPECT_EQ(Names(in_ / "failed"), (std::vector<std::string>{"t0002.txt", "t0003.txt"}));
    // The line is named once, by the error file; the message itself is bare.
    EXPECT_EQ(Windows1251ToUtf8(ReadBytes((out_ / "r0002.txt.err").string())),
              "Заказ t0002.txt не рассчитан.\r\n"
              "Ошибка в строке 2: поле «Высота» должно быть больше нуля, а указано 0.\r\n"
              "Заказ перенесён в каталог IN/failed.\r\n");
    EXPECT_EQ(Windows1251ToUtf8(ReadBytes((out_ / "r0003.txt.err").string())),
              "Заказ t0003.txt не рассчитан.\r\n"
              "Ошибка: нечего рассчитывать: в заказе нет ни одной строки кроме комментариев\r\n"
              "Заказ перенесён в каталог IN/failed.\r\n");
}

// With the option on, each calculated order's plan is among its results by the time the order
// leaves IN; a faulty order gets none.
TEST_F(WatchEngineTest, TheLoadingPlanIsStoredWithTheResultsWhenAsked) {
    const PdfPlanWriter plans;
    for (const bool withPlan : {false, true}) {
        SCOPED_TRACE(withPlan ? "with plan" : "without plan");
        fs::remove_all(out_);
        fs::remove_all(in_);
        fs::create_directories(in_);
        Order("t0001.txt", ExampleText("HMAN"), 20s);
        Order("t0002.txt", "2450,16100,2200,50,0,ISIN\n800,1200,0,SQR,1,0,2\n", 10s);
        CalculationJob job = PictureJob();
        job.WritePlan(withPlan ? &plans : nullptr);
        std::vector<std::string> seenWhenDone;
        WatchEngine engine(
            {in_.string(), out_.string()},
            [&, store = JobProcessor(job, out_.string())](
                const std::string& path, const std::vector<std::string>& lines) mutable {
                const OrderOutcome outcome = store(path, lines);
                if (fs::path(path).filename() == "t0001.txt") {
                    seenWhenDone = Names(out_);  // before the order leaves IN
                }
                return outcome;
            },
            [this] { return now_; });
        const TickSummary summary = engine.Tick();
        EXPECT_EQ(summary.done, 1);
        EXPECT_EQ(summary.failed, 1);
        std::vector<std::string> expected{"r0001.txt", "r0001.txt2d.jpg", "r0001.txt3d.jpg"};
        if (withPlan) {
            expected.insert(expected.begin() + 1, "r0001.txt.pdf");
        }
        EXPECT_EQ(seenWhenDone, expected);
        expected.push_back("r0002.txt.err");
        EXPECT_EQ(Names(out_), expected);
        if (withPlan) {
            EXPECT_EQ(ReadBytes((out_ / "r0001.txt.pdf").string()).substr(0, 5), "%PDF-");
        }
    }
}

TEST_F(WatchEngineTest, HugeOrderFileFailsWithoutBeingRead) {
    const fs::path order = Order("t1.txt", "");
    fs::resize_file(order, 100 * 1024 * 1024);
    fs::last_write_time(order, now_ - 10s);
    WatchEngine engine = Engine();
    engine.Tick();
    EXPECT_TRUE(calls_.empty());
    EXPECT_EQ(Names(in_ / "failed"), (std::vector<std::string>{"t1.txt"}));
    const std::string text = Windows1251ToUtf8(ReadBytes((out_ / "r1.txt.err").string()));
    EXPECT_NE(text.find("слишком велик"), std::string::npos);
}

TEST_F(WatchEngineTest, NamesWithBlanksAndCyrillicLetters) {
    Order("t заказ 1.txt", "x");
    WatchEngine engine = Engine();
    engine.Tick();
    EXPECT_EQ(Names(in_ / "done"), (std::vector<std::string>{"t заказ 1.txt"}));
}

TEST_F(WatchEngineTest, UnreadableOrderFails) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    const fs::path order = Order("t1.txt", "x");
    fs::permissions(order, fs::perms::none);
    WatchEngine engine = Engine();
    engine.Tick();
    EXPECT_EQ(Names(in_ / "failed"), (std::vector<std::string>{"t1.txt"}));
}

TEST_F(WatchEngineTest, UnwritableOutputKeepsEveryOrderAndSaysWhy) {
    fs::remove(out_);
    dir_.Write("OUT", "a file where the output directory should be");
    Order("t1.txt", ExampleText("ISIN"), 20s);
    Order("t2.txt", "2450,16100,2200,50,0,ISIN\n800,1200,BOX\n", 10s);
    WatchEngine engine(
        {in_.string(), out_.string()}, JobProcessor(PictureJob(), out_.string()),
        [this] { return now_; },
        [this](const std::string& order, const std::string& what) { Logged(order, what); });
    engine.Tick();
    EXPECT_TRUE(fs::exists(in_ / "t1.txt"));
    EXPECT_TRUE(fs::exists(in_ / "t2.txt"));
    ASSERT_EQ(log_.size(), 2U);
    EXPECT_NE(log_[0].find("повтор"), std::string::npos);
    EXPECT_NE(log_[1].find("остаётся в IN"), std::string::npos);
}

// Whatever one order throws fails that order alone; the orders after it are still done.
TEST_F(WatchEngineTest, AnExceptionFailsOnlyItsOrder) {
    struct Case {
        std::string name;
        std::function<void()> thrower;
        std::string errorText;  // expected in the error file
    };
    const std::vector<Case> cases = {
        {"t1.txt", [] { throw std::runtime_error("iconv cannot convert UTF-8 to CP1251"); },
         "iconv cannot convert"},
        {"t2.txt", [] { throw std::bad_alloc(); }, "памяти"},
        {"t3.txt", [] { throw 42; }, "непредвиденная"},
        {"t4.txt",
         [] { throw OrderError(OrderError::Kind::Validation, "в поле «Ширина» не число", 2); },
         "Ошибка в строке 2: в поле «Ширина» не число"},
        {"t5.txt", [] { throw std::runtime_error("first line\nsecond line"); },
         "first line second line"},
    };
    auto age = 60s;
    for (const Case& c : cases) {
        Order(c.name, "x", age);
        age -= 1s;
    }
    Order("t6.txt", "x", 1min);  // the oldest: done first
    Order("t7.txt", "x", 10s);   // the newest: done last
    WatchEngine engine(
        {in_.string(), out_.string()},
        [&](const std::string& path, const std::vector<std::string>&) {
            const std::string name = fs::path(path).filename().string();
            calls_.push_back(name);
            for (const Case& c : cases) {
                if (c.name == name) {
                    c.thrower();
                }
            }
            return OrderOutcome{};
        },
        [this] { return now_; },
        [this](const std::string& order, const std::string& what) { Logged(order, what); });
    const TickSummary summary = engine.Tick();
    EXPECT_EQ(summary.done, 2);
    EXPECT_EQ(summary.failed, 5);
    EXPECT_EQ(calls_.size(), 7U);
    EXPECT_EQ(Names(in_ / "done"), (std::vector<std::string>{"t6.txt", "t7.txt"}));
    EXPECT_EQ(log_.size(), 7U);
    for (const Case& c : cases) {
        EXPECT_TRUE(fs::exists(in_ / "failed" / c.name)) << c.name;
        const std::string text =
            Windows1251ToUtf8(ReadBytes((out_ / ("r" + c.name.substr(1) + ".err")).string()));
        EXPECT_NE(text.find(c.errorText), std::string::npos) << text;
        EXPECT_NE(text.find("Заказ " + c.name), std::string::npos) << text;
        EXPECT_TRUE(text.ends_with("\r\n")) << text;
        EXPECT_EQ(text.find(c.errorText), text.rfind(c.errorText)) << text;
    }
}

TEST_F(WatchEngineTest, AFileErrorThrownWhileStoringLeavesTheOrderForALaterTick) {
    Order("t1.txt", "x");
    bool full = true;
    WatchEngine engine(
        {in_.string(), out_.string()},
        [&](const std::string&, const std::vector<std::string>&) {
            calls_.emplace_back("t1.txt");
            if (full) {
                throw FileError("OUT/r1.txt", "No space left on device");
            }
            return OrderOutcome{};
        },
        [this] { return now_; },
        [this](const std::string& order, const std::string& what) { Logged(order, what); });
    EXPECT_EQ(engine.Tick().notProcessed, 1);
    EXPECT_EQ(engine.Tick().notProcessed, 1);  // calculated again, but not said again
    EXPECT_TRUE(fs::exists(in_ / "t1.txt"));
    EXPECT_FALSE(fs::exists(out_ / "r1.txt.err"));
    ASSERT_EQ(log_.size(), 1U);
    EXPECT_NE(log_[0].find("No space left on device"), std::string::npos) << log_[0];
    full = false;
    EXPECT_EQ(engine.Tick().done, 1);
    EXPECT_EQ(calls_.size(), 3U);
    ASSERT_EQ(log_.size(), 2U);
    EXPECT_EQ(log_[1], "t1.txt: рассчитан");
}

// Results stored, but the order cannot leave IN: only the move is tried again, and the problem
// is said once and listed until it clears.
TEST_F(WatchEngineTest, AnOrderThatCannotLeaveInIsNotCalculatedAgain) {
    for (const bool faulty : {false, true}) {
        SCOPED_TRACE(faulty ? "failed order" : "done order");
        const std::string target = faulty ? "failed" : "done";
        fs::remove_all(in_);
        fs::create_directories(in_);
        calls_.clear();
        log_.clear();
        outcomes_.clear();
        if (faulty) {
            outcomes_["t1.txt"] = {OrderOutcome::Kind::Failed, "'' is not a valid integer value",
                                   1};
        }
        dir_.Write("IN/" + target, "a file where the directory should be");
        Order("t1.txt", "x");
        WatchEngine engine = Engine();
        for (int tick = 0; tick < 3; ++tick) {
            EXPECT_EQ(engine.Tick().notProcessed, 1);
        }
        EXPECT_EQ(calls_.size(), 1U);
        ASSERT_EQ(log_.size(), 1U);
        EXPECT_NE(log_[0].find("не перенесён"), std::string::npos) << log_[0];
        ASSERT_EQ(engine.UnmovedOrders().size(), 1U);
        EXPECT_EQ(engine.UnmovedOrders()[0].name, "t1.txt");
        EXPECT_FALSE(engine.UnmovedOrders()[0].reason.empty());
        EXPECT_EQ(fs::exists(out_ / "r1.txt.err"), faulty);

        fs::remove(in_ / target);
        const TickSummary summary = engine.Tick();
        EXPECT_EQ(faulty ? summary.failed : summary.done, 1);
        EXPECT_EQ(calls_.size(), 1U);
        EXPECT_TRUE(fs::exists(in_ / target / "t1.txt"));
        EXPECT_TRUE(engine.UnmovedOrders().empty());
        ASSERT_EQ(log_.size(), 2U);
        EXPECT_NE(log_[1].find("перенесён в IN/" + target), std::string::npos) << log_[1];
    }
}

TEST_F(WatchEngineTest, AnUnmovedOrderReplacedByANewFileIsCalculatedAgain) {
    dir_.Write("IN/done", "a file where the directory should be");
    Order("t1.txt", "x");
    WatchEngine engine = Engine();
    engine.Tick();
    Order("t1.txt", "a longer, different order");
    engine.Tick();
    EXPECT_EQ(calls_.size(), 2U);
    EXPECT_EQ(linesSeen_["t1.txt"], (std::vector<std::string>{"a longer, different order"}));
    fs::remove(in_ / "t1.txt");
    engine.Tick();
    EXPECT_TRUE(engine.UnmovedOrders().empty());  // gone from IN: nothing left to say
}

TEST_F(WatchEngineTest, TheFirstTickRemovesTemporaryFilesOfAKilledWriter) {
    fs::rename(out_, dir_.Path() / "OUT.away");  // unreadable for a while
    WatchEngine engine = Engine();
    engine.Tick();
    fs::rename(dir_.Path() / "OUT.away", out_);
    dir_.Write("OUT/r1.txt.Ab3xYz.tmp", "half a report");
    dir_.Write("OUT/notes.tmp", "not ours");
    engine.Tick();
    dir_.Write("OUT/r2.txt.Ab3xYz.tmp", "written after the sweep");
    engine.Tick();  // sweeps once: a later temporary file may be a living writer's
    EXPECT_EQ(Names(out_), (std::vector<std::string>{"notes.tmp", "r2.txt.Ab3xYz.tmp"}));
    ASSERT_EQ(log_.size(), 1U);
    EXPECT_NE(log_[0].find(": 1"), std::string::npos) << log_[0];
}

TEST_F(WatchEngineTest, AnUnreadableInputDirectoryIsSaidOnceUntilItIsBack) {
    WatchEngine engine = Engine();
    fs::rename(in_, dir_.Path() / "IN.away");
    engine.Tick();
    engine.Tick();
    ASSERT_EQ(log_.size(), 1U);
    EXPECT_NE(log_[0].find("недоступен"), std::string::npos) << log_[0];
    EXPECT_FALSE(engine.InputProblem().empty());
    fs::rename(dir_.Path() / "IN.away", in_);
    Order("t1.txt", "x");
    EXPECT_EQ(engine.Tick().done, 1);
    EXPECT_TRUE(engine.InputProblem().empty());
    ASSERT_EQ(log_.size(), 3U);
    EXPECT_NE(log_[1].find("снова доступен"), std::string::npos) << log_[1];
}

}  // namespace
}  // namespace stowbel
