#include "cli/watch_command.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <system_error>
#include <thread>

#include "cli/cli.h"
#include "output/watch_engine.h"
#include "output/watch_job.h"

namespace stowbel {

namespace {

// Set by SIGINT and SIGTERM: a signal handler can only reach process-wide state.
std::atomic<bool> stopRequested{false};

extern "C" void RequestStop(int) {
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
    InstallStopHandlers();

    CalculationJob job;
    job.SetNumberFormat(NumberFormat::FromEnvironment()).SetPictureMaker(&tools.pictures);
    WatchEngine engine({request.inDirectory, request.outDirectory},
                       JobProcessor(job, request.outDirectory), WatchEngine::DefaultClock,
                       [&err](const std::string& line) { err << line << std::endl; });

    if (request.once) {
        // A single look cannot see a file stay unchanged; files settled for 2 s are ready.
        engine.Tick(&stopRequested);
        return kExitOk;
    }
    err << "stowbel-cli: watching " << request.inDirectory << " every " << request.intervalMs
        << " ms\n";
    while (!stopRequested.load()) {
        engine.Tick(&stopRequested);
        SleepUnlessStopped(request.intervalMs);
    }
    err << "stowbel-cli: stopped\n";
    return kExitOk;
}

}  // namespace stowbel
