#include "job/watch_engine.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <set>

#include "files/atomic_file.h"
#include "files/file_error.h"
#include "files/order_file.h"
#include "files/report_file.h"
#include "files/result_files.h"
#include "order/errors.h"

namespace stowbel {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDoneDirectory = "done";
constexpr const char* kFailedDirectory = "failed";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return text;
}

// Messages go into one log line and one line of the error file.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char ch) { return ch == '\r' || ch == '\n'; }, ' ');
    return text;
}

// The error file's bytes. Should the code-page conversion itself fail, the text is written as
// it is (UTF-8), so that the order still gets its error file and leaves IN.
std::string ErrorFileBytes(const std::string& name, const std::string& message, int line) {
    try {
        return ErrorFileText(name, message, line);
    } catch (const std::exception&) {
        const std::string where =
            line > 0 ? "Ошибка в строке " + std::to_string(line) + ": " : "Ошибка: ";
        return "Заказ " + name + " не рассчитан.\r\n" + where + message + "\r\n";
    }
}

// ", перенесён как IN/done/t1-1.txt" when the order had to take a numbered name.
std::string RenamedNote(const fs::path& order, const fs::path& target) {
    if (target.filename() == order.filename()) {
        return {};
    }
    return ", перенесён как IN/" + target.parent_path().filename().string() + "/" +
           target.filename().string();
}

}  // namespace

bool WatchEngine::IsOrderName(const std::string& name) {
    const std::string lower = Lower(name);
    return lower.size() >= 5 && lower.front() == 't' && lower.ends_with(".txt");
}

std::string ErrorFileText(const std::string& orderName, const std::string& message, int line) {
    std::vector<std::string> lines{"Заказ " + orderName + " не рассчитан."};
    if (line > 0) {
        lines.push_back("Ошибка в строке " + std::to_string(line) + ": " + message);
    } else {
        lines.push_back("Ошибка: " + message);
    }
    lines.push_back("Заказ перенесён в каталог IN/" + std::string(kFailedDirectory) + ".");
    return EncodeReportFile(lines);
}

WatchEngine::WatchEngine(Options options, OrderProcessor processor, Clock clock, Logger logger)
    : options_(std::move(options)),
      processor_(std::move(processor)),
      clock_(std::move(clock)),
      logger_(std::move(logger)) {}

void WatchEngine::Log(const fs::path& order, const std::string& what) {
    if (!logger_) {
        return;
    }
    try {
        logger_(order.filename().string(), what);
    } catch (...) {
        // A log that cannot be written must not stop the orders.
    }
}

void WatchEngine::SayRetry(const fs::path& order, const std::string& what) {
    std::string& said = retriesSaid_[order];
    if (said != what) {
        said = what;
        Log(order, what);
    }
}

std::vector<UnmovedOrder> WatchEngine::UnmovedOrders() const {
    std::vector<UnmovedOrder> unmoved;
    for (const auto& [path, pending] : pendingMoves_) {
        unmoved.push_back({path.filename().string(), pending.reason});
    }
    return unmoved;
}

std::vector<WatchEngine::Candidate> WatchEngine::ReadyOrders() {
    std::vector<Candidate> ready;
    std::map<fs::path, Seen> looked;
    std::set<fs::path> listed;
    std::error_code ec;
    fs::directory_iterator it(options_.inDirectory, ec);
    // Said once when the directory becomes unreadable and once when it can be read again.
    if (ec) {
        if (inputProblem_.empty()) {
            inputProblem_ = ec.message();
            Log({}, "каталог " + options_.inDirectory + " недоступен: " + inputProblem_);
        }
        return ready;
    }
    if (!inputProblem_.empty()) {
        inputProblem_.clear();
        Log({}, "каталог " + options_.inDirectory + " снова доступен");
    }
    const fs::file_time_type now = clock_();
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) {
            break;
        }
        const fs::path path = it->path();
        if (!IsOrderName(path.filename().string())) {
            continue;
        }
        listed.insert(path);
        const fs::file_status status = fs::symlink_status(path, ec);
        if (ec) {
            continue;
        }
        if (!fs::is_regular_file(status)) {
            // Not an order file, whatever its name: reported and moved aside like a bad order.
            ready.push_back({path, Seen{0, now, now}, false});
            continue;
        }
        Seen current{fs::file_size(path, ec), fs::last_write_time(path, ec), now};
        if (ec) {
            continue;
        }
        const auto before = seen_.find(path);
        if (before != seen_.end() && before->second.SameFile(current)) {
            current.unchangedSince = before->second.unchangedSince;
        }
        looked[path] = current;
        const bool settled = now - current.time >= options_.settleTime ||
                             now - current.unchangedSince >= options_.settleTime;
        if (settled) {
            ready.push_back({path, current, true});
        }
    }
    seen_ = std::move(looked);
    std::erase_if(pendingMoves_, [&](const auto& entry) { return !listed.contains(entry.first); });
    std::erase_if(retriesSaid_, [&](const auto& entry) { return !listed.contains(entry.first); });
    std::sort(ready.begin(), ready.end(), [](const Candidate& a, const Candidate& b) {
        return a.seen.time != b.seen.time ? a.seen.time < b.seen.time : a.path < b.path;
    });
    return ready;
}

OrderOutcome WatchEngine::CalculateAndStoreOrder(const std::string& path,
                                                 const std::vector<std::string>& lines) {
    try {
        return processor_(path, lines);
    } catch (const FileError& e) {
        return {OrderOutcome::Kind::Retry, e.what(), 0};
    } catch (const OrderError& e) {
        return {OrderOutcome::Kind::Failed, e.Message(), e.Line()};
    } catch (const std::bad_alloc&) {
        return {OrderOutcome::Kind::Failed, "не хватило памяти для расчёта заказа", 0};
    } catch (const std::exception& e) {
        return {OrderOutcome::Kind::Failed, e.what(), 0};
    } catch (...) {
        return {OrderOutcome::Kind::Failed, "непредвиденная ошибка расчёта", 0};
    }
}

WatchEngine::Result WatchEngine::MoveOut(const Candidate& order, const std::string& directory,
                                         const std::string& doneText) {
    const Result moved = directory == kDoneDirectory ? Result::Done : Result::Failed;
    try {
        const fs::path target =
            MoveWithoutOverwriting(order.path, fs::path(options_.inDirectory) / directory);
        Log(order.path, doneText + RenamedNote(order.path, target));
        return moved;
    } catch (const std::exception& e) {
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(order.path, ec))) {
            Log(order.path, doneText + "; заказ тем временем забран из IN");
            return moved;
        }
        pendingMoves_[order.path] = {order.seen, directory, doneText, e.what()};
        Log(order.path, doneText + ", но не перенесён из IN в IN/" + directory + ": " + e.what() +
                            "; повторяется только перенос");
        return Result::NotProcessed;
    }
}

WatchEngine::Result WatchEngine::RetryMove(const Candidate& order, PendingMove& pending) {
    const Result moved = pending.directory == kDoneDirectory ? Result::Done : Result::Failed;
    fs::path target;
    try {
        target =
            MoveWithoutOverwriting(order.path, fs::path(options_.inDirectory) / pending.directory);
    } catch (const std::exception& e) {
        std::error_code ec;
        if (fs::exists(fs::symlink_status(order.path, ec))) {
            pending.reason = e.what();  // said once already; the status shows the latest reason
            return Result::NotProcessed;
        }
        pendingMoves_.erase(order.path);
        return Result::Gone;
    }
    Log(order.path, "перенесён в IN/" + pending.directory + RenamedNote(order.path, target) + " (" +
                        pending.doneText + ")");
    pendingMoves_.erase(order.path);
    return moved;
}

WatchEngine::Result WatchEngine::Fail(const Candidate& order, const std::string& message,
                                      int line) {
    const std::string name = order.path.filename().string();
    const std::string text = OneLine(message);
    const std::string error =
        (line > 0 ? "ошибка в строке " + std::to_string(line) + ": " : "ошибка: ") + text;
    const std::string errorFile = ResultPath(options_.outDirectory, name) + ".err";
    try {
        fs::create_directories(options_.outDirectory);
        WriteFileAtomically(errorFile, ErrorFileBytes(name, text, line));
        SyncDirectory(options_.outDirectory);
    } catch (const std::exception& e) {
        // Without its error file the order stays where it is and is tried again.
        SayRetry(order.path, error + "; файл ошибки не записан, заказ остаётся в IN: " + e.what());
        return Result::NotProcessed;
    }
    return MoveOut(order, kFailedDirectory, error);
}

WatchEngine::Result WatchEngine::Process(const Candidate& order) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(order.path, ec))) {
        return Result::Gone;  // taken away since the look: nothing to report
    }
    const auto pending = pendingMoves_.find(order.path);
    if (pending != pendingMoves_.end()) {
        if (!order.regular || pending->second.seen.SameFile(order.seen)) {
            return RetryMove(order, pending->second);
        }
        pendingMoves_.erase(pending);  // another file under that name: a new order
    }
    if (!order.regular) {
        return Fail(order, "это не обычный файл", 0);
    }
    std::vector<std::string> lines;
    try {
        lines = ReadOrderFile(order.path.string());
    } catch (const std::exception& e) {
        return Fail(order, e.what(), 0);
    }
    const OrderOutcome outcome = CalculateAndStoreOrder(order.path.string(), lines);
    switch (outcome.kind) {
        case OrderOutcome::Kind::Done:
            // The results must be on disk before the order leaves IN.
            try {
                SyncDirectory(options_.outDirectory);
            } catch (const std::exception& e) {
                SayRetry(order.path, std::string("результаты не сохранены на диске, повтор при "
                                                 "каждой проверке: ") +
                                         e.what());
                return Result::NotProcessed;
            }
            return MoveOut(order, kDoneDirectory, "рассчитан");
        case OrderOutcome::Kind::Failed:
            return Fail(order, outcome.message, outcome.line);
        case OrderOutcome::Kind::Retry:
            break;
    }
    SayRetry(order.path,
             "результаты не записаны, повтор при каждой проверке: " + OneLine(outcome.message));
    return Result::NotProcessed;
}

TickSummary WatchEngine::Tick(const std::atomic<bool>* stop) {
    TickSummary summary;
    try {
        if (!tempFilesSwept_) {
            // Until the output directory can be read (it may be missing or replaced for a
            // while), every tick tries again.
            const int removed = RemoveAbandonedTempFiles(options_.outDirectory);
            tempFilesSwept_ = removed >= 0;
            if (removed > 0) {
                Log({}, "удалено временных файлов, оставшихся от прерванной записи в " +
                            options_.outDirectory + ": " + std::to_string(removed));
            }
        }
        for (const Candidate& order : ReadyOrders()) {
            if (stop != nullptr && stop->load()) {
                break;
            }
            Result result = Result::NotProcessed;
            try {
                result = Process(order);
            } catch (const std::exception& e) {
                SayRetry(order.path, std::string("не обработан, повтор позже: ") + e.what());
            } catch (...) {
                SayRetry(order.path, "не обработан из-за непредвиденной ошибки, повтор позже");
            }
            if (result != Result::NotProcessed) {
                retriesSaid_.erase(order.path);
            }
            switch (result) {
                case Result::Done:
                    ++summary.done;
                    break;
                case Result::Failed:
                    ++summary.failed;
                    break;
                case Result::NotProcessed:
                    ++summary.notProcessed;
                    break;
                case Result::Gone:
                    break;
            }
        }
    } catch (const std::exception& e) {
        Log({}, std::string("каталог IN не просмотрен: ") + e.what());
    } catch (...) {
        Log({}, "каталог IN не просмотрен из-за непредвиденной ошибки");
    }
    return summary;
}

}  // namespace stowbel
