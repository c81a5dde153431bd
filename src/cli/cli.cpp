#include "cli/cli.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

#include "cli/calc_command.h"
#include "cli/options.h"
#include "cli/program_directory.h"
#include "cli/watch_command.h"
#include "order/examples.h"

namespace stowbel {

namespace {

constexpr const char* kVersion = "stowbel-cli " STOWBEL_VERSION;

constexpr const char* kUsage =
    "Usage: stowbel-cli COMMAND [OPTIONS]\n"
    "\n"
    "Load planning without a desktop.\n"
    "\n"
    "Commands:\n"
    "  calc ORDER_FILE [--out DIR] [--pdf FILE] [--json] [--no-alternate]\n"
    "       [--dense] [--time-limit SECONDS]\n"
    "       [--decimal-separator C] [--scheme-size WxH] [--view-size WxH] [--summary-size WxH]\n"
    "      Calculates an order file and prints the report. --out also stores the report\n"
    "      and the pictures in DIR under their result names; --pdf writes the printable\n"
    "      loading plan to FILE (dated SOURCE_DATE_EPOCH when that is set). --dense plans\n"
    "      by dense loading instead of rows; --time-limit caps its search (default 10 s).\n"
    "  example HMAN|ISIN\n"
    "      Prints a built-in example order.\n"
    "  watch [--in DIR] [--out DIR] [--interval MS] [--once] [--pdf] [--dense]\n"
    "        [--time-limit SECONDS]\n"
    "      Calculates order files t*.txt that appear in DIR (default IN beside the program)\n"
    "      and stores their results in OUT; done orders move to IN/done, faulty ones to\n"
    "      IN/failed with an error file in OUT. --pdf also stores each order's loading plan\n"
    "      beside its results (r0001.txt.pdf). --once processes what is ready and exits\n"
    "      (status 1 when some order could not be processed at all, e.g. OUT not writable).\n"
    "      Stops after the current order on SIGINT or SIGTERM. Logs to stderr.\n"
    "      --dense and --time-limit as for calc.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Shows this help.\n"
    "  -v, --version  Shows the version.\n"
    "\n"
    "Exit status: 0 calculated, 1 order error or nothing to calculate, 2 usage or file error.\n";

int UsageError(std::ostream& err, const std::string& message) {
    err << "stowbel-cli: " << message << "\n"
        << "Try 'stowbel-cli --help'.\n";
    return kExitUsage;
}

// A positive number of at most five digits, the whole text.
bool ParseSide(std::string_view text, int& side) {
    if (text.empty() || text.size() > 5) {
        return false;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), side);
    return ec == std::errc() && end == text.data() + text.size() && side > 0;
}

// WIDTHxHEIGHT, for example 1000x761.
bool ParseSize(const std::string& text, ImageSize& size) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos) {
        return false;
    }
    const std::string_view whole(text);
    return ParseSide(whole.substr(0, x), size.width) && ParseSide(whole.substr(x + 1), size.height);
}

// --dense and --time-limit SECONDS: how the plan is made and how long a dense search may take.
bool ReadPlanMethod(const ParsedOptions& options, PlanMethod& method, double& seconds,
                    std::ostream& err) {
    method = options.IsSet("dense") ? PlanMethod::Dense : PlanMethod::Rows;
    if (!options.IsSet("time-limit")) {
        return true;
    }
    const std::string& text = options.Value("time-limit");
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (ec != std::errc() || end != text.data() + text.size() || !(seconds > 0) ||
        seconds > 86400) {
        UsageError(err, "--time-limit takes a positive number of seconds, at most 86400");
        return false;
    }
    return true;
}

int Calc(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
         const DrawingSource& drawing) {
    const ParsedOptions options = ParseOptions(arguments, {{"out", true},
                                                           {"pdf", true},
                                                           {"json", false},
                                                           {"no-alternate", false},
                                                           {"dense", false},
                                                           {"time-limit", true},
                                                           {"decimal-separator", true},
                                                           {"scheme-size", true},
                                                           {"view-size", true},
                                                           {"summary-size", true}});
    if (!options.error.empty()) {
        return UsageError(err, options.error);
    }
    if (options.positional.size() != 1) {
        return UsageError(err, "calc needs exactly one ORDER_FILE");
    }
    CalcRequest request;
    request.orderFile = options.positional.front();
    if (options.IsSet("out")) {
        request.outputDirectory = options.Value("out");
    }
    if (options.IsSet("pdf")) {
        request.planFile = options.Value("pdf");
    }
    request.json = options.IsSet("json");
    request.alternate = !options.IsSet("no-alternate");
    if (!ReadPlanMethod(options, request.method, request.timeLimitSeconds, err)) {
        return kExitUsage;
    }
    request.format = NumberFormat::FromEnvironment();
    if (options.IsSet("decimal-separator")) {
        const std::string& separator = options.Value("decimal-separator");
        if (separator.size() != 1) {
            return UsageError(err, "--decimal-separator takes one character");
        }
        request.format.decimalSeparator = separator.front();
    }
    const std::pair<const char*, ImageSize*> sizes[] = {{"scheme-size", &request.sizes.scheme2D},
                                                        {"view-size", &request.sizes.view3D},
                                                        {"summary-size", &request.sizes.summary}};
    for (const auto& [name, size] : sizes) {
        if (options.IsSet(name) && !ParseSize(options.Value(name), *size)) {
            return UsageError(
                err, std::string("--") + name + " takes WIDTHxHEIGHT, for example 1000x761");
        }
    }
    return RunCalcCommand(request, out, err, drawing);
}

int Example(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 1 || (arguments[0] != "HMAN" && arguments[0] != "ISIN")) {
        return UsageError(err, "example takes HMAN or ISIN");
    }
    for (const std::string& line : ExampleOrder(arguments[0])) {
        out << line << "\n";
    }
    return kExitOk;
}

int Watch(const std::vector<std::string>& arguments, std::ostream& err,
          const DrawingSource& drawing) {
    const ParsedOptions options = ParseOptions(arguments, {{"in", true},
                                                           {"out", true},
                                                           {"interval", true},
                                                           {"once", false},
                                                           {"pdf", false},
                                                           {"dense", false},
                                                           {"time-limit", true}});
    if (!options.error.empty()) {
        return UsageError(err, options.error);
    }
    if (!options.positional.empty()) {
        return UsageError(err, "watch takes no file names");
    }
    WatchRequest request;
    const std::string programDirectory = ProgramDirectory();
    request.inDirectory = options.IsSet("in") ? options.Value("in") : programDirectory + "/IN";
    request.outDirectory = options.IsSet("out") ? options.Value("out") : programDirectory + "/OUT";
    request.once = options.IsSet("once");
    request.plan = options.IsSet("pdf");
    if (!ReadPlanMethod(options, request.method, request.timeLimitSeconds, err)) {
        return kExitUsage;
    }
    if (options.IsSet("interval")) {
        const std::string& text = options.Value("interval");
        const auto [end, ec] =
            std::from_chars(text.data(), text.data() + text.size(), request.intervalMs);
        if (ec != std::errc() || end != text.data() + text.size() || request.intervalMs < 1) {
            return UsageError(err, "--interval takes a positive number of milliseconds");
        }
    }
    return RunWatchCommand(request, err, drawing);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const DrawingSource& drawing) {
    if (args.size() < 2) {
        err << kUsage;
        return kExitUsage;
    }
    const std::string& command = args[1];
    if (command == "-h" || command == "--help" || command == "help") {
        out << kUsage;
        return kExitOk;
    }
    if (command == "-v" || command == "--version") {
        out << kVersion << "\n";
        return kExitOk;
    }
    const std::vector<std::string> rest(args.begin() + 2, args.end());
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end() ||
        std::find(rest.begin(), rest.end(), "-h") != rest.end()) {
        out << kUsage;
        return kExitOk;
    }
    if (command == "calc") {
        return Calc(rest, out, err, drawing);
    }
    if (command == "example") {
        return Example(rest, out, err);
    }
    if (command == "watch") {
        return Watch(rest, err, drawing);
    }
    return UsageError(err, "unknown command '" + command + "'");
}

}  // namespace stowbel
