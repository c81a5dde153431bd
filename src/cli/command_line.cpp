#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <utility>

#include "cli/program_directory.h"

namespace stowbel {

namespace {

constexpr const char* kVersion = "stowbel-cli " STOWBEL_VERSION;

constexpr const char* kFooter =
    "calc stores the report and the pictures in --out DIR under their result names; --pdf\n"
    "writes the printable loading plan (dated SOURCE_DATE_EPOCH when that is set).\n"
    "watch calculates order files t*.txt that appear in --in DIR (default IN beside the\n"
    "program) and stores their results in --out (default OUT beside the program); done orders\n"
    "move to IN/done, faulty ones to IN/failed with an error file in OUT. --once processes what\n"
    "is ready and exits (status 1 when some order could not be processed at all, e.g. OUT not\n"
    "writable). Stops after the current order on SIGINT or SIGTERM. Logs to stderr.\n"
    "\n"
    "Exit status: 0 calculated, 1 order error or nothing to calculate, 2 usage or file error,\n"
    "3 a command that draws could not start stowbel-cli-draw beside the program.";

// An option's value as the command line gives it; checked after reading, where the message
// can say what is wrong in the option's own terms.
struct Text {
    std::string value;
    bool given = false;
};

// The option declarations: one line each where they are used below.
void Flag(CLI::App& command, const std::string& name, bool& set, const std::string& help) {
    command.add_flag(name, set, help);
}

void Value(CLI::App& command, const std::string& name, Text& text, const std::string& valueName,
           const std::string& help) {
    command
        .add_option_function<std::string>(
            name,
            [&text](const std::string& value) {
                text.value = value;
                text.given = true;
            },
            help)
        ->type_name(valueName);
}

// All that the command line can say, as it says it.
struct Arguments {
    // calc
    std::string orderFile;
    Text out, pdf, decimalSeparator, schemeSize, viewSize, summarySize;
    bool json = false;
    bool noAlternate = false;
    // calc and watch
    bool dense = false;
    Text timeLimit;
    // example
    std::string example;
    // watch
    Text in, watchOut, interval;
    bool once = false;
    bool plan = false;
};

// The tool's commands and options, declared once: they read the command line and make the help.
class Declarations {
public:
    Declarations() : app_("Load planning without a desktop.", "stowbel-cli") {
        app_.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
        app_.set_help_flag("-h,--help", "Shows this help.");
        app_.set_version_flag("-v,--version", kVersion, "Shows the version.");
        app_.require_subcommand(1);
        app_.footer(kFooter);
        help_ = app_.add_subcommand("help", "Shows this help.");

        calc_ = app_.add_subcommand(
            "calc", "Calculates an order file and prints the report (or the result as JSON).");
        calc_->add_option("ORDER_FILE", a_.orderFile, "The order file.")->required();
        Value(*calc_, "--out", a_.out, "DIR", "Also stores the report and the pictures in DIR.");
        Value(*calc_, "--pdf", a_.pdf, "FILE", "Also writes the printable loading plan to FILE.");
        Flag(*calc_, "--json", a_.json, "Prints the result as one JSON object.");
        Flag(*calc_, "--no-alternate", a_.noAlternate, "Rows keep their side.");
        Flag(*calc_, "--dense", a_.dense, "Plans by dense loading instead of rows.");
        Value(*calc_, "--time-limit", a_.timeLimit, "SECONDS",
              "Caps a dense search (default 10 s).");
        Value(*calc_, "--decimal-separator", a_.decimalSeparator, "C",
              "Instead of the one of LC_NUMERIC.");
        Value(*calc_, "--scheme-size", a_.schemeSize, "WxH", "The 2D scheme (default 1000x761).");
        Value(*calc_, "--view-size", a_.viewSize, "WxH", "The 3D view (default 1112x760).");
        Value(*calc_, "--summary-size", a_.summarySize, "WxH", "The summary (default 1112x760).");

        example_ = app_.add_subcommand("example", "Prints a built-in example order.");
        example_->add_option("NAME", a_.example, "HMAN or ISIN.")
            ->required()
            ->check(CLI::IsMember({"HMAN", "ISIN"}));

        watch_ = app_.add_subcommand(
            "watch", "Calculates the order files that appear in a folder, until stopped.");
        Value(*watch_, "--in", a_.in, "DIR",
              "Where orders appear (default IN beside the program).");
        Value(*watch_, "--out", a_.watchOut, "DIR", "Results (default OUT beside the program).");
        Value(*watch_, "--interval", a_.interval, "MS", "Looks every MS milliseconds (5000).");
        Flag(*watch_, "--once", a_.once, "Processes what is ready and exits.");
        Flag(*watch_, "--pdf", a_.plan, "Also stores each order's loading plan (r0001.txt.pdf).");
        Flag(*watch_, "--dense", a_.dense, "Plans by dense loading instead of rows.");
        Value(*watch_, "--time-limit", a_.timeLimit, "SECONDS",
              "Caps a dense search (default 10 s).");

        // A flag takes no value ("--json=1" is a mistake).
        for (CLI::App* command : {calc_, watch_}) {
            for (CLI::Option* option : command->get_options()) {
                option->disable_flag_override();
            }
        }
    }

    CommandLine Read(const std::vector<std::string>& args);
    std::string Help() const {
        return app_.get_formatter()->make_help(&app_, "stowbel-cli", CLI::AppFormatMode::All);
    }

private:
    CommandLine Calc() const;
    CommandLine Watch() const;

    CLI::App app_;
    CLI::App* help_ = nullptr;
    CLI::App* calc_ = nullptr;
    CLI::App* example_ = nullptr;
    CLI::App* watch_ = nullptr;
    Arguments a_;
};

CommandLine Mistake(std::string message) {
    return {UsageMistake{std::move(message)}};
}

// A positive number of at most five digits, the whole text.
bool ReadSide(std::string_view text, int& side) {
    if (text.empty() || text.size() > 5) {
        return false;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), side);
    return ec == std::errc() && end == text.data() + text.size() && side > 0;
}

// WIDTHxHEIGHT, for example 1000x761.
bool ReadSize(const std::string& text, ImageSize& size) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos) {
        return false;
    }
    const std::string_view whole(text);
    return ReadSide(whole.substr(0, x), size.width) && ReadSide(whole.substr(x + 1), size.height);
}

// --time-limit SECONDS: a positive number of seconds, at most a day.
bool ReadSeconds(const Text& text, double& seconds) {
    if (!text.given) {
        return true;
    }
    const std::string& value = text.value;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), seconds);
    return ec == std::errc() && end == value.data() + value.size() && seconds > 0 &&
           seconds <= 86400;
}

constexpr const char* kTimeLimitMistake =
    "--time-limit takes a positive number of seconds, at most 86400";

CommandLine Declarations::Read(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        return {UsageMistake{{}, true}};
    }
    // CLI11 takes the arguments last first, without the program name.
    std::vector<std::string> reversed(args.rbegin(), args.rend() - 1);
    try {
        app_.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return {ShowText{Help()}};
    } catch (const CLI::CallForAllHelp&) {
        return {ShowText{Help()}};
    } catch (const CLI::CallForVersion&) {
        return {ShowText{std::string(kVersion) + "\n"}};
    } catch (const CLI::ParseError& e) {
        return Mistake(e.what());
    }
    if (help_->parsed()) {
        return {ShowText{Help()}};
    }
    if (calc_->parsed()) {
        return Calc();
    }
    if (example_->parsed()) {
        return {ExampleRequest{a_.example}};
    }
    return Watch();
}

CommandLine Declarations::Calc() const {
    CalcRequest request;
    request.orderFile = a_.orderFile;
    if (a_.out.given) {
        request.outputDirectory = a_.out.value;
    }
    if (a_.pdf.given) {
        request.planFile = a_.pdf.value;
    }
    request.json = a_.json;
    request.alternate = !a_.noAlternate;
    request.method = a_.dense ? PlanMethod::Dense : PlanMethod::Rows;
    if (!ReadSeconds(a_.timeLimit, request.timeLimitSeconds)) {
        return Mistake(kTimeLimitMistake);
    }
    request.format = NumberFormat::FromEnvironment();
    if (a_.decimalSeparator.given) {
        if (a_.decimalSeparator.value.size() != 1) {
            return Mistake("--decimal-separator takes one character");
        }
        request.format.decimalSeparator = a_.decimalSeparator.value.front();
    }
    const std::pair<const char*, std::pair<const Text*, ImageSize*>> sizes[] = {
        {"scheme-size", {&a_.schemeSize, &request.sizes.scheme2D}},
        {"view-size", {&a_.viewSize, &request.sizes.view3D}},
        {"summary-size", {&a_.summarySize, &request.sizes.summary}}};
    for (const auto& [name, option] : sizes) {
        const auto [text, size] = option;
        if (text->given && !ReadSize(text->value, *size)) {
            return Mistake(std::string("--") + name + " takes WIDTHxHEIGHT, for example 1000x761");
        }
    }
    return {request};
}

CommandLine Declarations::Watch() const {
    WatchRequest request;
    if (!a_.in.given || !a_.watchOut.given) {
        const std::optional<std::string> programDirectory = ProgramDirectory();
        if (!programDirectory) {
            return Mistake("watch needs --in and --out: the program's own folder is unknown");
        }
        request.inDirectory = *programDirectory + "/IN";
        request.outDirectory = *programDirectory + "/OUT";
    }
    if (a_.in.given) {
        request.inDirectory = a_.in.value;
    }
    if (a_.watchOut.given) {
        request.outDirectory = a_.watchOut.value;
    }
    request.once = a_.once;
    request.plan = a_.plan;
    request.method = a_.dense ? PlanMethod::Dense : PlanMethod::Rows;
    if (!ReadSeconds(a_.timeLimit, request.timeLimitSeconds)) {
        return Mistake(kTimeLimitMistake);
    }
    if (a_.interval.given) {
        const std::string& text = a_.interval.value;
        const auto [end, ec] =
            std::from_chars(text.data(), text.data() + text.size(), request.intervalMs);
        if (ec != std::errc() || end != text.data() + text.size() || request.intervalMs < 1) {
            return Mistake("--interval takes a positive number of milliseconds");
        }
    }
    return {request};
}

}  // namespace

CommandLine ReadCommandLine(const std::vector<std::string>& args) {
    return Declarations().Read(args);
}

bool NeedsDrawing(const CommandLine& command) {
    if (const auto* calc = std::get_if<CalcRequest>(&command.what)) {
        return calc->outputDirectory || calc->planFile;
    }
    return std::holds_alternative<WatchRequest>(command.what);
}

std::string HelpText() {
    return Declarations().Help();
}

}  // namespace stowbel
