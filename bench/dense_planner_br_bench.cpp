// Dense loading and the rows through the real planners, as a user meets them:
//   stowbel_bench_dense_planner BR_FOLDER [--instances 20] [--classes 1-7] [--time-limit 10]
// Each Bischoff & Ratcliff instance becomes an ISIN order text (container line
// "2330,5870,2200,0,0,ISIN", one cargo line per box type, V_ROTATE 2 where all three sizes may
// stand), is planned by both methods and every dense plan is checked by the packing library's
// own checker. Prints per class the mean, least and most volume filled and the mean time, then
// the pallet floors, the drum floor and a large HMAN order.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

#include "br_instances.h"
#include "calc/dense/check_plan.h"
#include "calc/planner.h"

namespace {

using namespace stowbel;

struct Options {
    std::string folder;
    int instances = 20;
    int firstClass = 1, lastClass = 7;
    double timeLimit = 10;
};

Options ParseArguments(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: %s BR_FOLDER [--instances 20] [--classes 1-7] [--time-limit 10]\n",
                     argv[0]);
        std::exit(2);
    }
    Options o;
    o.folder = argv[1];
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        const std::string value = argv[i + 1];
        if (arg == "--instances") {
            o.instances = std::stoi(value);
        } else if (arg == "--classes") {
            const auto dash = value.find('-');
            o.firstClass = std::stoi(value.substr(0, dash));
            o.lastClass =
                dash == std::string::npos ? o.firstClass : std::stoi(value.substr(dash + 1));
        } else if (arg == "--time-limit") {
            o.timeLimit = std::stod(value);
        } else {
            std::fprintf(stderr, "unknown option %s\n", arg.c_str());
            std::exit(2);
        }
    }
    return o;
}

struct Planned {
    RunResult result;
    OrderModel model;
    double seconds = 0;
};

Planned Plan(const std::vector<std::string>& lines, PlanMethod method, double timeLimit) {
    Planned p;
    RunOptions options;
    options.method = method;
    options.dense.timeLimitSeconds = timeLimit;
    PlacementObserver nobody;
    const auto start = std::chrono::steady_clock::now();
    PlanCalculation(lines, p.model, options, nobody, p.result);
    p.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return p;
}

double FilledPercent(const Planned& p) {
    const Container& c = p.model.container;
    long double volume = 0;
    for (const PlacedStack& s : p.result.stacks) {
        const CargoType& t = p.model.cargo.at(static_cast<std::size_t>(s.line));
        volume += static_cast<long double>(s.count) *
                  (t.IsRectangular ? static_cast<long double>(t.Length) * t.Width * t.Height
                                   : std::numbers::pi_v<long double> * t.Length * t.Length / 4 *
                                         t.Height);
    }
    return static_cast<double>(100 * volume /
                               (static_cast<long double>(c.Length) * c.Width * c.Height));
}

// The dense plan as the packing library sees it, for its checker: every unit of every stack.
dense::PackResult AsPackResult(const RunResult& result) {
    dense::PackResult packed;
    packed.containers = result.containers;
    for (const PlacedStack& s : result.stacks) {
        for (int k = 0; k < s.count; ++k) {
            dense::PlacedBox box;
            box.kind = s.line - 1;  // the container line is line 0
            box.container = s.container;
            box.x = s.x1;
            box.y = s.y1;
            box.size = {s.x2 - s.x1, s.y2 - s.y1, static_cast<std::int64_t>(s.unitHeight)};
            box.z = static_cast<std::int64_t>(s.base) + k * box.size.height;
            packed.boxes.push_back(box);
        }
    }
    return packed;
}

struct Tally {
    double sum = 0, least = 100, most = 0, seconds = 0;
    int n = 0;
    void Add(double filled, double spent) {
        sum += filled;
        least = std::min(least, filled);
        most = std::max(most, filled);
        seconds += spent;
        ++n;
    }
};

int RunClasses(const Options& o) {
    int broken = 0;
    std::printf("class  n   rows mean/min/max %%      dense mean/min/max %%    dense s  capped\n");
    for (int c = o.firstClass; c <= o.lastClass; ++c) {
        const auto instances = bench::ReadBrFile(o.folder + "/BR" + std::to_string(c) + ".txt");
        const int n = std::min<int>(o.instances, static_cast<int>(instances.size()));
        Tally rows, dense;
        int capped = 0;
        for (int i = 0; i < n; ++i) {
            const bench::BrInstance& inst = instances[static_cast<std::size_t>(i)];
            std::vector<std::string> lines{"2330,5870,2200,0,0,ISIN"};
            const std::vector<std::string> cargo = bench::BrOrderLines(inst);
            lines.insert(lines.end(), cargo.begin(), cargo.end());
            const Planned r = Plan(lines, PlanMethod::Rows, o.timeLimit);
            const Planned d = Plan(lines, PlanMethod::Dense, o.timeLimit);
            rows.Add(FilledPercent(r), r.seconds);
            dense.Add(FilledPercent(d), d.seconds);
            capped += std::any_of(d.result.report.begin(), d.result.report.end(),
                                  [](const std::string& l) { return l.starts_with("Поиск"); });
            if (d.result.method == PlanMethod::Dense) {
                const auto findings =
                    dense::CheckPlan(bench::BrHold(inst), bench::BrKinds(inst),
                                     AsPackResult(d.result));
                if (!findings.empty()) {
                    ++broken;
                    std::printf("BR%d instance %d: %s\n", c, inst.number,
                                findings.front().c_str());
                }
            }
        }
        std::printf("BR%d  %3d  %6.2f %6.2f %6.2f     %6.2f %6.2f %6.2f     %6.2f  %d\n", c, n,
                    rows.sum / n, rows.least, rows.most, dense.sum / n, dense.least, dense.most,
                    dense.seconds / n, capped);
        std::fflush(stdout);
    }
    return broken;
}

void RunOrder(const char* name, const std::vector<std::string>& lines, double timeLimit) {
    const Planned r = Plan(lines, PlanMethod::Rows, timeLimit);
    const Planned d = Plan(lines, PlanMethod::Dense, timeLimit);
    std::printf("%-40s rows %5d in %d   dense %5d in %d  %.2f s\n", name, r.result.placed,
                r.result.containers, d.result.placed, d.result.containers, d.seconds);
}

void RunFloors(double timeLimit) {
    struct Floor {
        const char* name;
        const char* container;
        const char* pallet;
    };
    const Floor floors[] = {
        {"EUR 1200x800 in 20' (target 11)", "2352,5898,2393,0,0,ISIN", "800,1200,1500,SQR,1,0,60"},
        {"1200x1000 in 20' (target 10)", "2352,5898,2393,0,0,ISIN", "1000,1200,1500,SQR,1,0,60"},
        {"EUR 1200x800 in 40' (target 25)", "2352,12032,2393,0,0,ISIN",
         "800,1200,1500,SQR,1,0,60"},
        {"1200x1000 in 40' (target 22)", "2352,12032,2393,0,0,ISIN", "1000,1200,1500,SQR,1,0,60"},
        {"EUR 1200x800 in 13.6 m (target 34)", "2450,13600,2500,0,0,ISIN",
         "800,1200,1500,SQR,1,0,60"},
        {"1200x1000 in 13.6 m (target 26)", "2450,13600,2500,0,0,ISIN",
         "1000,1200,1500,SQR,1,0,60"},
        {"600 mm drums, 13.6 m floor (target 88)", "2450,13600,2500,0,0,ISIN",
         "600,600,1500,RND,0,0,200"},
    };
    for (const Floor& f : floors) {
        RunOrder(f.name, {f.container, f.pallet}, timeLimit);
    }
    // 10,000 units in 20 cargo lines, HMAN.
    std::vector<std::string> large{"2450,13600,2500,0,0,HMAN"};
    for (int i = 0; i < 20; ++i) {
        large.push_back(std::to_string(300 + 37 * i) + "," + std::to_string(400 + 53 * i) + "," +
                        std::to_string(250 + 41 * i) + ",SQR,1," + std::to_string(i % 3) +
                        ",500");
    }
    RunOrder("HMAN 10000 units in 20 lines", large, timeLimit);
}

}  // namespace

int main(int argc, char** argv) {
    const Options o = ParseArguments(argc, argv);
    const int broken = RunClasses(o);
    RunFloors(o.timeLimit);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory %ld MB\n", usage.ru_maxrss / 1024);
    if (broken > 0) {
        std::printf("%d dense plans break the plan rules\n", broken);
        return 1;
    }
    return 0;
}
