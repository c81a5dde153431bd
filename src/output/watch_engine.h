#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace stowbel {

// What became of one order file.
struct OrderOutcome {
    enum class Kind {
        Done,    // results stored: the order moves to IN/done
        Failed,  // the order itself is faulty: error file in OUT, the order moves to IN/failed
        Retry,   // the results could not be written: the order stays in IN for a later tick
    };
    Kind kind = Kind::Done;
    std::string message;  // what failed, for Failed and Retry; an order error's bare message
    int line = 0;         // 1-based line of an order error, 0 when none
};

// Calculates one order and stores its results (see JobProcessor); tests put in what they need.
using OrderProcessor =
    std::function<OrderOutcome(const std::string& path, const std::vector<std::string>& lines)>;

// Watches the input directory: every tick calculates the order files that are ready, oldest
// first, stores their results in the output directory and moves each order out of the way.
// An order leaves the input directory only after its results are complete, so a crash at any
// moment loses none; at worst one order is calculated twice.
class WatchEngine {
public:
    using Clock = std::function<std::filesystem::file_time_type()>;
    using Logger = std::function<void(const std::string& line)>;

    struct Options {
        std::string inDirectory;
        std::string outDirectory;
        // A file whose size and time did not change since the last look, or for this long, is
        // complete; anything newer may still be being copied in.
        std::chrono::milliseconds settleTime{2000};
    };

    WatchEngine(Options options, OrderProcessor processor, Clock clock = DefaultClock,
                Logger logger = {});

    // Processes what is ready; stops between orders when stop becomes true. Returns the number
    // of orders looked at (done, failed or left for a retry).
    int Tick(const std::atomic<bool>* stop = nullptr);

    static std::filesystem::file_time_type DefaultClock() {
        return std::filesystem::file_time_type::clock::now();
    }
    static bool IsOrderName(const std::string& name);

private:
    struct Seen {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time;
    };
    struct Candidate {
        std::filesystem::path path;
        std::filesystem::file_time_type time;
        bool regular = true;
    };

    std::vector<Candidate> ReadyOrders();
    void Process(const Candidate& order);
    void Fail(const std::filesystem::path& order, const std::string& message, int line);
    void Log(const std::filesystem::path& order, const std::string& what);

    Options options_;
    OrderProcessor processor_;
    Clock clock_;
    Logger logger_;
    std::map<std::filesystem::path, Seen> seen_;
};

// Moves a file into a directory, never over an existing file: a name that is taken gets a
// numbered suffix ("t0001-1.txt"). Returns the new path. Throws std::filesystem_error.
std::filesystem::path MoveWithoutOverwriting(const std::filesystem::path& file,
                                             const std::filesystem::path& directory);

// The text of an order's error file, in Russian; line is 1-based, 0 when the error concerns no
// single line.
std::string ErrorFileText(const std::string& orderName, const std::string& message, int line);

}  // namespace stowbel
