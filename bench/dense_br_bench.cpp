// Dense loading on the Bischoff & Ratcliff instances and on single-kind pallet floors:
//   stowbel_bench_dense_br BR_FOLDER [--instances 20] [--classes 1-7] [--steps N]
// Prints per class the mean, least and most volume filled and the mean time; every plan is
// checked against the plan rules.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "br_instances.h"
#include "calc/dense/check_plan.h"
#include "calc/dense/dense_pack.h"

namespace {

using stowbel::dense::PackResult;

struct Options {
    std::string folder;
    int instances = 20;
    int firstClass = 1, lastClass = 7;
    std::int64_t steps = stowbel::dense::SearchLimits{}.stepBudget;
    bool pallets = true;
};

Options ParseOptions(int argc, char** argv) {
    Options o;
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: %s BR_FOLDER [--instances 20] [--classes 1-7] [--steps N] "
                     "[--no-pallets]\n",
                     argv[0]);
        std::exit(2);
    }
    o.folder = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::string value = i + 1 < argc ? argv[i + 1] : "";
        if (arg == "--instances") {
            o.instances = std::stoi(value);
            ++i;
        } else if (arg == "--classes") {
            const auto dash = value.find('-');
            o.firstClass = std::stoi(value.substr(0, dash));
            o.lastClass =
                dash == std::string::npos ? o.firstClass : std::stoi(value.substr(dash + 1));
            ++i;
        } else if (arg == "--steps") {
            o.steps = std::stoll(value);
            ++i;
        } else if (arg == "--no-pallets") {
            o.pallets = false;
        } else {
            std::fprintf(stderr, "unknown option %s\n", arg.c_str());
            std::exit(2);
        }
    }
    return o;
}

double FilledPercent(const stowbel::dense::Hold& hold, const PackResult& r) {
    double volume = 0;
    for (const auto& b : r.boxes)
        volume += static_cast<double>(b.size.along) * static_cast<double>(b.size.across) *
                  static_cast<double>(b.size.height);
    return 100.0 * volume /
           (static_cast<double>(hold.length) * static_cast<double>(hold.width) *
            static_cast<double>(hold.height));
}

int RunClasses(const Options& o) {
    int broken = 0;
    std::printf("class  n   mean %%   min %%   max %%   mean s  steps\n");
    for (int c = o.firstClass; c <= o.lastClass; ++c) {
        const std::string path = o.folder + "/BR" + std::to_string(c) + ".txt";
        const auto instances = stowbel::bench::ReadBrFile(path);
        const int n = std::min<int>(o.instances, static_cast<int>(instances.size()));
        double sum = 0, least = 100, most = 0, seconds = 0;
        std::int64_t steps = 0;
        for (int i = 0; i < n; ++i) {
            const auto& inst = instances[static_cast<std::size_t>(i)];
            const auto hold = stowbel::bench::BrHold(inst);
            const auto kinds = stowbel::bench::BrKinds(inst);
            stowbel::dense::SearchLimits limits;
            limits.stepBudget = o.steps;
            const auto start = std::chrono::steady_clock::now();
            const PackResult r = stowbel::dense::PackOne(hold, kinds, limits);
            const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
            const auto violations = stowbel::dense::CheckPlan(hold, kinds, r);
            if (!violations.empty()) {
                ++broken;
                std::printf("BR%d instance %d breaks %zu rules, first: %s\n", c, inst.number,
                            violations.size(), violations.front().c_str());
            }
            const double filled = FilledPercent(hold, r);
            sum += filled;
            least = std::min(least, filled);
            most = std::max(most, filled);
            seconds += spent.count();
            steps += r.steps;
            if (r.timeCapReached)
                std::printf("BR%d instance %d reached the time cap\n", c, inst.number);
        }
        std::printf("BR%d  %3d  %6.2f  %6.2f  %6.2f  %6.2f  %lld\n", c, n, sum / n, least, most,
                    seconds / n, static_cast<long long>(steps / std::max(1, n)));
        std::fflush(stdout);
    }
    return broken;
}

int RunPallets(const Options& o) {
    struct Floor {
        const char* name;
        std::int64_t length, width, along, across;
        int target;
    };
    const Floor floors[] = {
        {"EUR 1200x800 in 20' 5898x2352", 5898, 2352, 1200, 800, 11},
        {"1200x1000 in 20' 5898x2352", 5898, 2352, 1200, 1000, 10},
        {"EUR 1200x800 in 40' 12032x2352", 12032, 2352, 1200, 800, 25},
        {"1200x1000 in 40' 12032x2352", 12032, 2352, 1200, 1000, 22},
        {"EUR 1200x800 in 13.6 m 13600x2450", 13600, 2450, 1200, 800, 34},
        {"1200x1000 in 13.6 m 13600x2450", 13600, 2450, 1200, 1000, 26},
    };
    int broken = 0;
    for (const Floor& f : floors) {
        stowbel::dense::Hold hold;
        hold.length = f.length;
        hold.width = f.width;
        hold.height = 1500;
        stowbel::dense::BoxKind pallet;
        pallet.quantity = 100;
        pallet.orientations = {{f.along, f.across, 1500}, {f.across, f.along, 1500}};
        stowbel::dense::SearchLimits limits;
        limits.stepBudget = o.steps;
        const auto start = std::chrono::steady_clock::now();
        const PackResult r = stowbel::dense::PackOne(hold, {pallet}, limits);
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        const bool ok = stowbel::dense::CheckPlan(hold, {pallet}, r).empty();
        const int placed = static_cast<int>(r.boxes.size());
        if (!ok || placed < f.target)
            ++broken;
        std::printf("%-36s %3d (target %d)%s %.2f s\n", f.name, placed, f.target,
                    ok ? "" : " BROKEN RULES", spent.count());
    }
    return broken;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const Options o = ParseOptions(argc, argv);
        int broken = 0;
        if (o.pallets)
            broken += RunPallets(o);
        broken += RunClasses(o);
        return broken == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
}
