#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>
#include <vector>

#include "../example_text.h"
#include "../poppler_tools.h"
#include "../temp_dir.h"

extern char** environ;

namespace stowbel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The real stowbel-cli watching a directory, as a service would run it.
class Watcher {
public:
    Watcher(const fs::path& in, const fs::path& out, const std::string& interval,
            const std::string& log = "/dev/null") {
        const std::string binary = STOWBEL_CLI_BINARY;
        const std::string inArg = in.string();
        const std::string outArg = out.string();
        const char* argv[] = {binary.c_str(), "watch",          "--in",
                              inArg.c_str(),  "--out",          outArg.c_str(),
                              "--interval",   interval.c_str(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                         0644);
        if (posix_spawn(&pid_, binary.c_str(), &actions, nullptr, const_cast<char**>(argv),
                        environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Watcher() {
        if (pid_ > 0) {
            Stop(SIGKILL);
        }
    }
    // Sends the signal and waits; returns the exit status, or -1 when killed by the signal.
    int Stop(int signal) {
        kill(pid_, signal);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    bool Running() const { return pid_ > 0; }

private:
    pid_t pid_ = -1;
};

// Runs the real stowbel-cli to its end, its messages into log; returns its exit status, or -1
// when it did not exit.
int RunCliBinary(std::vector<std::string> args, const std::string& log) {
    const std::string binary = STOWBEL_CLI_BINARY;
    args.insert(args.begin(), binary);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, binary.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int OrdersLeft(const fs::path& in) {
    int left = 0;
    for (const auto& entry : fs::directory_iterator(in)) {
        left += entry.is_regular_file() ? 1 : 0;
    }
    return left;
}

bool WaitUntilEmpty(const fs::path& in, std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (OrdersLeft(in) == 0) {
            return true;
        }
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

std::set<std::string> Names(const fs::path& directory) {
    std::set<std::string> names;
    if (fs::exists(directory)) {
        for (const auto& entry : fs::directory_iterator(directory)) {
            names.insert(entry.path().filename().string());
        }
    }
    return names;
}

class WatchEndToEndTest : public testing::Test {
protected:
    void SetUp() override { fs::create_directories(in_); }

    // Orders t000..t099: every tenth malformed.
    void DropOrders(int from, int to, std::set<std::string>& good, std::set<std::string>& bad) {
        for (int i = from; i < to; ++i) {
            std::string number = std::to_string(i);
            number.insert(0, 3 - std::min<std::size_t>(3, number.size()), '0');
            const std::string name = "t" + number + ".txt";
            const bool malformed = i % 10 == 7;
            dir_.Write("IN/" + name, malformed ? "2450,16100,2200,50,0,ISIN\n800,1200,BOX\n"
                                               : ExampleText(i % 2 == 0 ? "ISIN" : "HMAN"));
            (malformed ? bad : good).insert(name);
        }
    }

    void ExpectEveryOrderOnce(const std::set<std::string>& good, const std::set<std::string>& bad) {
        EXPECT_EQ(Names(in_ / "done"), good);
        EXPECT_EQ(Names(in_ / "failed"), bad);
        const std::set<std::string> out = Names(out_);
        for (const std::string& name : good) {
            const std::string result = "r" + name.substr(1);
            EXPECT_TRUE(out.contains(result)) << name;
            EXPECT_TRUE(out.contains(result + "2d.jpg")) << name;
            EXPECT_TRUE(out.contains(result + "3d.jpg")) << name;
        }
        for (const std::string& name : bad) {
            EXPECT_TRUE(out.contains("r" + name.substr(1) + ".err")) << name;
        }
    }

    TempDir dir_;
    fs::path in_ = dir_.Path() / "IN";
    fs::path out_ = dir_.Path() / "OUT";
};

// One pass with --pdf: each calculated order gets its plan beside its results, a faulty one
// none, and without --pdf nobody gets one.
TEST_F(WatchEndToEndTest, OncePassStoresLoadingPlansWhenAsked) {
    const auto ready = [this](const std::string& name, const std::string& text) {
        dir_.Write("IN/" + name, text);
        fs::last_write_time(in_ / name, fs::file_time_type::clock::now() - 10s);
    };
    const std::string log = dir_ / "watch.log";
    ready("t0001.txt", ExampleText("HMAN"));
    ready("t0002.txt", ExampleText("ISIN"));
    ready("t0003.txt", "2450,16100,2200,50,0,ISIN\n800,1200,BOX\n");
    ASSERT_EQ(RunCliBinary(
                  {"watch", "--once", "--pdf", "--in", in_.string(), "--out", out_.string()}, log),
              0)
        << ReadBytes(log);
    EXPECT_EQ(Names(in_ / "done"), (std::set<std::string>{"t0001.txt", "t0002.txt"}));
    EXPECT_EQ(Names(in_ / "failed"), std::set<std::string>{"t0003.txt"});
    const std::set<std::string> out = Names(out_);
    EXPECT_TRUE(out.contains("r0001.txt.pdf"));
    EXPECT_TRUE(out.contains("r0002.txt.pdf"));
    EXPECT_FALSE(out.contains("r0003.txt.pdf"));
    EXPECT_EQ(ReadBytes(out_ / "r0002.txt.pdf").substr(0, 5), "%PDF-");
    if (HavePopplerTool("pdfinfo")) {
        EXPECT_EQ(PdfPages(out_ / "r0001.txt.pdf"), 1 + 3);  // the HMAN example's containers
        EXPECT_EQ(PdfPages(out_ / "r0002.txt.pdf"), 1 + 1);
    }

    ready("t0004.txt", ExampleText("ISIN"));
    ASSERT_EQ(RunCliBinary({"watch", "--once", "--in", in_.string(), "--out", out_.string()}, log),
              0)
        << ReadBytes(log);
    EXPECT_TRUE(fs::exists(out_ / "r0004.txt"));
    EXPECT_FALSE(fs::exists(out_ / "r0004.txt.pdf"));
}

TEST_F(WatchEndToEndTest, HundredOrdersIncludingOneWrittenSlowly) {
    std::set<std::string> good;
    std::set<std::string> bad;
    const std::string log = dir_ / "watch.log";
    Watcher watcher(in_, out_, "500", log);
    ASSERT_TRUE(watcher.Running());
    DropOrders(0, 99, good, bad);

    // The last order arrives in pieces, faster than the watcher looks.
    const std::string text = ExampleText("ISIN");
    {
        std::ofstream slow(in_ / "t099.txt", std::ios::binary);
        for (std::size_t i = 0; i < text.size(); i += 40) {
            slow << text.substr(i, 40) << std::flush;
            std::this_thread::sleep_for(50ms);
        }
    }
    good.insert("t099.txt");

    ASSERT_TRUE(WaitUntilEmpty(in_, 120s));
    EXPECT_EQ(watcher.Stop(SIGTERM), 0);
    ExpectEveryOrderOnce(good, bad);
    const std::string lines = ReadBytes(log);
    EXPECT_NE(lines.find("запуск: заказы из " + in_.string() + ", результаты в " + out_.string() +
                         ", проверка каждые 500 мс"),
              std::string::npos)
        << lines;
    EXPECT_TRUE(lines.ends_with(" остановлен (SIGTERM)\n")) << lines;
    EXPECT_EQ(ReadBytes((out_ / "r099.txt").string()), ReadBytes((out_ / "r000.txt").string()));
}

TEST_F(WatchEndToEndTest, KilledWatcherLosesNoOrderAfterARestart) {
    std::set<std::string> good;
    std::set<std::string> bad;
    DropOrders(0, 60, good, bad);
    for (const auto& entry : fs::directory_iterator(in_)) {
        fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - 10s);
    }
    {
        Watcher first(in_, out_, "100");
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        while (Names(in_ / "done").size() < 10 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(5ms);
        }
        first.Stop(SIGKILL);
    }
    EXPECT_GT(OrdersLeft(in_), 0);
    Watcher second(in_, out_, "100");
    ASSERT_TRUE(WaitUntilEmpty(in_, 120s));
    EXPECT_EQ(second.Stop(SIGINT), 0);
    ExpectEveryOrderOnce(good, bad);
    // A kill between renames never leaves a half result under its name, and the restarted
    // watcher removes the temporary file the killed one may have left.
    for (const std::string& name : Names(out_)) {
        if (name.ends_with(".jpg")) {
            EXPECT_GT(fs::file_size(out_ / name), 100U) << name;
        }
        EXPECT_FALSE(name.ends_with(".tmp")) << name;
    }
}

}  // namespace
}  // namespace stowbel
