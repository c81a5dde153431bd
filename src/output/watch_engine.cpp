#include "output/watch_engine.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <iomanip>
#include <sstream>

#include "output/atomic_file.h"
#include "output/file_error.h"
#include "output/order_file.h"
#include "output/report_file.h"
#include "output/result_files.h"

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

std::string Now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    std::ostringstream out;
    out << std::put_time(&local, "%Y-%m-%d %H:%M:%S");
    return out.str();
}

}  // namespace

bool WatchEngine::IsOrderName(const std::string& name) {
    const std::string lower = Lower(name);
    return lower.size() >= 5 && lower.front() == 't' && lower.ends_with(".txt");
}

fs::path MoveWithoutOverwriting(const fs::path& file, const fs::path& directory) {
    fs::create_directories(directory);
    const std::string stem = file.stem().string();
    const std::string extension = file.extension().string();
    fs::path target = directory / file.filename();
    for (int n = 1; fs::exists(fs::symlink_status(target)); ++n) {
        target = directory / (stem + "-" + std::to_string(n) + extension);
    }
    fs::rename(file, target);
    return target;
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
    if (logger_) {
        logger_(Now() + " " + order.filename().string() + ": " + what);
    }
}

std::vector<WatchEngine::Candidate> WatchEngine::ReadyOrders() {
    std::vector<Candidate> ready;
    std::map<fs::path, Seen> looked;
    std::error_code ec;
    fs::directory_iterator it(options_.inDirectory, ec);
    if (ec) {
        return ready;
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
        const fs::file_status status = fs::symlink_status(path, ec);
        if (ec) {
            continue;
        }
        if (!fs::is_regular_file(status)) {
            // Not an order file, whatever its name: reported and moved aside like a bad order.
            ready.push_back({path, now, false});
            continue;
        }
        const Seen current{fs::file_size(path, ec), fs::last_write_time(path, ec)};
        if (ec) {
            continue;
        }
        looked[path] = current;
        const auto before = seen_.find(path);
        const bool unchanged = before != seen_.end() && before->second.size == current.size &&
                               before->second.time == current.time;
        const bool settled = now - current.time >= options_.settleTime;
        if (unchanged || settled) {
            ready.push_back({path, current.time, true});
        }
    }
    seen_ = std::move(looked);
    std::sort(ready.begin(), ready.end(), [](const Candidate& a, const Candidate& b) {
        return a.time != b.time ? a.time < b.time : a.path < b.path;
    });
    return ready;
}

void WatchEngine::Fail(const fs::path& order, const std::string& message, int line) {
    const std::string name = order.filename().string();
    const std::string errorFile = ResultPath(options_.outDirectory, name) + ".err";
    try {
        fs::create_directories(options_.outDirectory);
        WriteFileAtomically(errorFile, ErrorFileText(name, message, line));
    } catch (const std::exception& e) {
        // Without its error file the order stays where it is and is tried again.
        Log(order, std::string("ошибка не записана, заказ остаётся в IN: ") + e.what());
        return;
    }
    const std::string error =
        (line > 0 ? "ошибка в строке " + std::to_string(line) + ": " : "ошибка: ") + message;
    try {
        MoveWithoutOverwriting(order, fs::path(options_.inDirectory) / kFailedDirectory);
        Log(order, error);
    } catch (const std::exception& e) {
        Log(order, error + "; не удалось перенести: " + e.what());
    }
}

void WatchEngine::Process(const Candidate& order) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(order.path, ec))) {
        return;  // taken away since the look: nothing to report
    }
    if (!order.regular) {
        Fail(order.path, "это не обычный файл", 0);
        return;
    }
    std::vector<std::string> lines;
    try {
        lines = ReadOrderFile(order.path.string());
    } catch (const FileError& e) {
        Fail(order.path, e.what(), 0);
        return;
    }
    const OrderOutcome outcome = processor_(order.path.string(), lines);
    switch (outcome.kind) {
        case OrderOutcome::Kind::Done:
            try {
                MoveWithoutOverwriting(order.path, fs::path(options_.inDirectory) / kDoneDirectory);
                Log(order.path, "рассчитан");
            } catch (const std::exception& e) {
                Log(order.path, std::string("рассчитан, но не перенесён: ") + e.what());
            }
            break;
        case OrderOutcome::Kind::Failed:
            Fail(order.path, outcome.message, outcome.line);
            break;
        case OrderOutcome::Kind::Retry:
            Log(order.path, "результаты не записаны, повтор позже: " + outcome.message);
            break;
    }
}

int WatchEngine::Tick(const std::atomic<bool>* stop) {
    int taken = 0;
    for (const Candidate& order : ReadyOrders()) {
        if (stop != nullptr && stop->load()) {
            break;
        }
        Process(order);
        ++taken;
    }
    return taken;
}

}  // namespace stowbel
