#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "files/file_moves.h"

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

// Calculates one order and stores its results: a calculation job (see JobProcessor), which the
// desktop program also shows in its panes; tests put in what they need. It may throw: a FileError
// means the results could not be written (the order is tried again later), any other exception
// fails the order.
using OrderProcessor =
    std::function<OrderOutcome(const std::string& path, const std::vector<std::string>& lines)>;

// What one tick did with the orders that were ready.
struct TickSummary {
    int done = 0;          // results stored, order moved to IN/done
    int failed = 0;        // error file written, order moved to IN/failed
    int notProcessed = 0;  // left in IN: results or error file not writable, or not movable
    int Looked() const { return done + failed + notProcessed; }
};

// An order whose results (or error file) are stored but which could not leave IN.
struct UnmovedOrder {
    std::string name;
    std::string reason;
};

// Watches the input directory: every tick calculates the order files that are ready, oldest
// first, stores their results in the output directory and moves each order out of the way.
// An order leaves the input directory only after its results are complete and synced to disk,
// so a crash or a power cut at any moment loses none; at worst one order is calculated twice.
// One faulty order never stops the others: whatever it throws fails that order alone.
class WatchEngine {
public:
    using Clock = std::function<std::filesystem::file_time_type()>;
    // One event: the order file's name (empty for an event of the whole input directory) and
    // what happened ("рассчитан"); no time stamp.
    using Logger = std::function<void(const std::string& order, const std::string& what)>;

    struct Options {
        std::string inDirectory;
        std::string outDirectory;
        // A file whose size and time have not changed for this long, by its modification time
        // or by the engine's own looks, is complete; anything newer may still be written.
        std::chrono::milliseconds settleTime{2000};
    };

    WatchEngine(Options options, OrderProcessor processor, Clock clock = DefaultClock,
                Logger logger = {});

    // Processes what is ready; stops between orders when stop becomes true. Never throws.
    TickSummary Tick(const std::atomic<bool>* stop = nullptr);

    // Orders done or failed that are still waiting in IN for their move; each tick retries the
    // move alone, without calculating again.
    std::vector<UnmovedOrder> UnmovedOrders() const;
    // Why the input directory cannot be read; empty while it can.
    const std::string& InputProblem() const { return inputProblem_; }

    static std::filesystem::file_time_type DefaultClock() {
        return std::filesystem::file_time_type::clock::now();
    }
    static bool IsOrderName(const std::string& name);

private:
    enum class Result { Done, Failed, NotProcessed, Gone };
    struct Seen {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time;
        std::filesystem::file_time_type unchangedSince;  // by the engine's clock
        bool SameFile(const Seen& other) const { return size == other.size && time == other.time; }
    };
    struct Candidate {
        std::filesystem::path path;
        Seen seen;
        bool regular = true;
    };
    // Where an unmoved order goes, and what to say when it gets there.
    struct PendingMove {
        Seen seen;
        std::string directory;
        std::string doneText;
        std::string reason;
    };

    std::vector<Candidate> ReadyOrders();
    Result Process(const Candidate& order);
    OrderOutcome CalculateAndStoreOrder(const std::string& path,
                                        const std::vector<std::string>& lines);
    Result Fail(const Candidate& order, const std::string& message, int line);
    Result MoveOut(const Candidate& order, const std::string& directory,
                   const std::string& doneText);
    Result RetryMove(const Candidate& order, PendingMove& pending);
    void Log(const std::filesystem::path& order, const std::string& what);
    // Logs why an order stays in IN for the next tick, unless the last tick said the same.
    void SayRetry(const std::filesystem::path& order, const std::string& what);

    Options options_;
    OrderProcessor processor_;
    Clock clock_;
    Logger logger_;
    std::map<std::filesystem::path, Seen> seen_;
    std::map<std::filesystem::path, PendingMove> pendingMoves_;
    std::map<std::filesystem::path, std::string> retriesSaid_;
    std::string inputProblem_;
    bool tempFilesSwept_ = false;  // temporary files of killed writers removed from OUT
};

// The text of an order's error file, in Russian; line is 1-based, 0 when the error concerns no
// single line.
std::string ErrorFileText(const std::string& orderName, const std::string& message, int line);

}  // namespace stowbel
