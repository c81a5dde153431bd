// The speed goals of the command-line tool and the calculation job, as ratios of medians:
//   stowbel-cli calc --json against a minimal program that only calculates (goal: 2x at most),
//   stowbel-cli calc --out against the same job in-process (goal: 3x at most),
//   the in-process job against encoding its stored pictures alone (goal: 1.3x at most).
// Processes are timed from spawn to exit. The results are stored in WORK_DIR (default: the
// temporary directory); on a disk, flushing them dominates the job.
// Usage: stowbel_bench_ratios [RUNS [WORK_DIR]]
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "job/calculation_job.h"
#include "order/examples.h"
#include "pictures/jpeg_encoder.h"
#include "pictures/raster_pictures.h"

extern char** environ;

namespace {

using namespace stowbel;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    return n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

// Milliseconds per call of each subject, the median of runs calls after a few to warm up. The
// subjects take turns, so that whatever else the machine does meanwhile weighs on all alike.
std::vector<double> MedianMs(int runs, const std::vector<std::function<void()>>& subjects) {
    std::vector<std::vector<double>> samples(subjects.size());
    for (int i = -3; i < runs; ++i) {
        for (std::size_t k = 0; k < subjects.size(); ++k) {
            const auto start = Clock::now();
            subjects[k]();
            const double ms =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            if (i >= 0) {
                samples[k].push_back(ms);
            }
        }
    }
    std::vector<double> medians;
    for (const std::vector<double>& subject : samples) {
        medians.push_back(Median(subject));
    }
    return medians;
}

// Runs a program to its end with its output thrown away.
void RunProcess(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[0]);
        std::exit(2);
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", argv[0]);
        std::exit(2);
    }
}

struct Row {
    const char* what;
    double ms;
};

void Print(const Row& row) {
    std::printf("  %-44s %8.2f ms\n", row.what, row.ms);
}

// Prints the ratio and whether it meets its goal; returns whether it does.
bool PrintRatio(const char* what, double numerator, double denominator, double goal) {
    const double ratio = numerator / denominator;
    const bool met = ratio <= goal;
    std::printf("  %-44s %8.2fx  (goal %.1fx: %s)\n", what, ratio, goal, met ? "met" : "NOT met");
    return met;
}

bool MeasureOrder(const char* name, int runs, const fs::path& work) {
    const fs::path order = work / (std::string("t") + name + ".txt");
    {
        std::ofstream out(order);
        for (const std::string& line : ExampleOrder(name)) {
            out << line << "\n";
        }
    }
    const std::string out = (work / "OUT").string();
    const std::string cli = STOWBEL_CLI_BINARY;

    const RasterPictureMaker maker;
    CalculationJob job;
    job.SetOrderLines(ExampleOrder(name))
        .SetPictureMaker(&maker)
        .StoreResultsIn(out, order.string());

    // Encoding alone: the pictures the job stores, one after the other with one encoder.
    CalculationJob drawing = job;
    drawing.SetShownPictures(PictureSet::All());
    const JobResult drawn = drawing.Run();
    std::vector<QImage> stored{ImageOf(drawn.pictures.scheme2D), ImageOf(drawn.pictures.view3D)};
    if (drawn.filesWritten.size() == 4) {
        stored.push_back(ImageOf(drawn.pictures.summary));
    }

    const std::vector<double> medians =
        MedianMs(runs, {[&] {
                            RunProcess({STOWBEL_MINIMAL_CALC_BINARY, order.string()});
                        },
                        [&] {
                            RunProcess({cli, "calc", order.string(), "--json"});
                        },
                        [&] {
                            RunProcess({cli, "calc", order.string(), "--out", out});
                        },
                        [&] {
                            if (job.Run().error) {
                                std::exit(2);
                            }
                        },
                        [&] {
                            JpegEncoder encoder;
                            for (const QImage& image : stored) {
                                EncodePicture(encoder, image);
                            }
                        }});
    const double minimal = medians[0];
    const double json = medians[1];
    const double cliOut = medians[2];
    const double inProcess = medians[3];
    const double encoding = medians[4];

    std::printf("Order %s: medians of %d runs\n", name, runs);
    Print({"minimal calculation without Qt (process)", minimal});
    Print({"stowbel-cli calc --json (process)", json});
    Print({"stowbel-cli calc --out (process)", cliOut});
    Print({"calculation job storing results (in-process)", inProcess});
    Print({"encoding the stored pictures alone", encoding});
    bool met = PrintRatio("calc --json / minimal program", json, minimal, 2.0);
    met = PrintRatio("calc --out / in-process job", cliOut, inProcess, 3.0) && met;
    met = PrintRatio("in-process job / encoding alone", inProcess, encoding, 1.3) && met;
    std::printf("\n");
    return met;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 41;
    const fs::path parent = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path();
    const fs::path work = parent / ("stowbel-ratios-" + std::to_string(getpid()));
    fs::create_directories(work);
    std::printf("%u processor(s), results stored in %s\n\n", std::thread::hardware_concurrency(),
                parent.c_str());
    bool met = true;
    for (const char* name : {"ISIN", "HMAN"}) {
        met = MeasureOrder(name, runs, work) && met;
    }
    fs::remove_all(work);
    return met ? 0 : 1;
}
