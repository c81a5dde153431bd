#include "app/background_calculation.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cmath>
#include <future>
#include <memory>

namespace stowbel {

namespace {

constexpr int kSteps = 1000;
constexpr int kPollMilliseconds = 50;

}  // namespace

BackgroundCalculation::BackgroundCalculation(QWidget* window) : QObject(window), window_(window) {
    setObjectName(QStringLiteral("BackgroundCalculation"));
}

JobResult BackgroundCalculation::Run(CalculationJob job) {
    // Shared with the job's copies of the hooks, which may outlive this call in a job kept for
    // drawing again.
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    auto done = std::make_shared<std::atomic<double>>(0.0);
    DenseSettings settings;
    settings.cancelled = [cancel] { return cancel->load(); };
    settings.progress = [done](double share) { done->store(share); };
    job.SetDenseSettings(settings);

    std::future<JobResult> running =
        std::async(std::launch::async, [job = std::move(job)] { return job.Run(); });
    if (running.wait_for(std::chrono::milliseconds(quiet_)) == std::future_status::ready) {
        return running.get();
    }

    QProgressDialog dialog(QStringLiteral("Идёт расчёт загрузки..."), QStringLiteral("Отмена"), 0,
                           kSteps, window_);
    dialog.setObjectName(QStringLiteral("CalculationProgress"));
    dialog.setWindowTitle(QStringLiteral("Расчёт"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(kPollMilliseconds);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        dialog.setValue(static_cast<int>(std::lround(std::clamp(done->load(), 0.0, 1.0) * kSteps)));
        if (running.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
            loop.quit();
        }
    });
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, [&] {
        cancel->store(true);
        dialog.setLabelText(QStringLiteral("Расчёт прерывается..."));
    });
    dialog.show();
    poll.start();
    loop.exec();
    poll.stop();
    JobResult result = running.get();
    if (cancel->load()) {
        // Pressed while the job was finishing: the user asked for the previous result.
        result = JobResult{};
        result.cancelled = true;
    }
    return result;
}

}  // namespace stowbel
