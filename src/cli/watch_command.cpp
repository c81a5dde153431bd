#include "cli/watch_command.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <sstream>
#include <system_error>
#include <thread>

#include "cli/cli.h"
#include "job/watch_engine.h"
#include "job/watch_job.h"

namespace stowbel {

namespace {

// With --once: some ready order could not be processed (its results or error file could not
// be written, or it could not leave IN).
constexpr int kExitOrdersLeft = 1;

// Set by SIGINT and SIGTERM: a signal handler can only reach process-wide state.
std::atomic<bool> stopRequested{false};
std::atomic<int> stopSignal{0};

extern "C" void RequestStop(int signal) {
    stopSignal.store(signal);
    stopRequested.store(true);
}

void InstallStopHandlers() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void SleepUnlessStopped(int milliseconds) {
    constexpr int kSlice = 50;
    for (int slept = 0; slept < milliseconds && !stopRequested.load(); slept += kSlice) {
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::min(kSlice, milliseconds - slept)));
    }
}

std::string Now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    std::ostringstream out;
    out << std::put_time(&local, "%Y-%m-%d %H:%M:%S");
    return out.str();
}

std::string SignalName(int signal) {
    switch (signal) {
        case SIGINT:
            return "SIGINT";
        case SIGTERM:
            return "SIGTERM";
        default:
            return "сигнал " + std::to_string(signal);
    }
}

// Every line of the log: time, the order file when the line is about one, what happened.
class WatchLog {
public:
    explicit WatchLog(std::ostream& err) : err_(err) {}
    void operator()(const std::string& order, const std::string& what) const {
        err_ << Now() << " " << (order.empty() ? what : order + ": " + what) << std::endl;
    }
    void operator()(const std::string& what) const { (*this)({}, what); }

private:
    std::ostream& err_;
};

}  // namespace

int RunWatchCommand(const WatchRequest& request, std::ostream& err, const DrawingSource& drawing) {
    const Drawing tools = drawing();  // every watched order is drawn
    std::error_code ec;
    std::filesystem::create_directories(request.inDirectory, ec);
    std::filesystem::create_directories(request.outDirectory, ec);
    if (!std::filesystem::is_directory(request.inDirectory)) {
        err << "stowbel-cli: " << request.inDirectory << ": нет такого каталога\n";
        return kExitUsage;
    }
    stopRequested.store(false);
    stopSignal.store(0);
    InstallStopHandlers();

    CalculationJob job;
    job.SetNumberFormat(NumberFormat::FromEnvironment())
        .SetPictureMaker(&tools.pictures)
        .SetPlanMethod(request.method)
        .SetDenseSettings(DenseSettings::WithTimeLimit(request.timeLimitSeconds));
    if (request.plan) {
        job.WritePlan(&tools.plans);
    }
    const WatchLog log(err);
    WatchEngine engine(
        {request.inDirectory, request.outDirectory}, JobProcessor(job, request.outDirectory),
        WatchEngine::DefaultClock,
        [&log](const std::string& order, const std::string& what) { log(order, what); });

    const std::string folders =
        "заказы из " + request.inDirectory + ", результаты в " + request.outDirectory;
    if (request.once) {
        log("запуск (один проход): " + folders);
        // A single look cannot see a file stay unchanged; files settled for 2 s are ready.
        const TickSummary summary = engine.Tick(&stopRequested);
        log("проход завершён: рассчитано " + std::to_string(summary.done) + ", с ошибкой " +
            std::to_string(summary.failed) + ", не обработано " +
            std::to_string(summary.notProcessed));
        return summary.notProcessed > 0 ? kExitOrdersLeft : kExitOk;
    }
    log("запуск: " + folders + ", проверка каждые " + std::to_string(request.intervalMs) + " мс");
    while (!stopRequested.load()) {
        engine.Tick(&stopRequested);
        SleepUnlessStopped(request.intervalMs);
    }
    log("остановлен (" + SignalName(stopSignal.load()) + ")");
    return kExitOk;
}

}  // namespace stowbel
