#include "cli/cli.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <QCoreApplication>

#include "cli/calc_command.h"
#include "cli/watch_command.h"
#include "order/examples.h"

namespace stowbel {

namespace {

constexpr const char* kVersion = "stowbel-cli 2.69";

constexpr const char* kUsage =
    "Usage: stowbel-cli COMMAND [OPTIONS]\n"
    "\n"
    "Load planning without a desktop.\n"
    "\n"
    "Commands:\n"
    "  calc ORDER_FILE [--out DIR] [--pdf FILE] [--json] [--no-alternate]\n"
    "       [--decimal-separator C] [--scheme-size WxH] [--view-size WxH] [--summary-size WxH]\n"
    "      Calculates an order file and prints the report. --out also stores the report\n"
    "      and the pictures in DIR under their result names; --pdf writes the printable\n"
    "      loading plan to FILE (dated SOURCE_DATE_EPOCH when that is set).\n"
    "  example HMAN|ISIN\n"
    "      Prints a built-in example order.\n"
    "  watch [--in DIR] [--out DIR] [--interval MS] [--once]\n"
    "      Calculates order files t*.txt that appear in DIR (default IN beside the program)\n"
    "      and stores their results in OUT; done orders move to IN/done, faulty ones to\n"
    "      IN/failed with an error file in OUT. --once processes what is ready and exits.\n"
    "      Stops after the current order on SIGINT or SIGTERM.\n"
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

bool ParseSize(const QString& text, ImageSize& size) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return false;
    }
    size.width = match.captured(1).toInt();
    size.height = match.captured(2).toInt();
    return size.width > 0 && size.height > 0;
}

int Calc(const QStringList& arguments, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    const QCommandLineOption outOption("out", "", "DIR");
    const QCommandLineOption pdfOption("pdf", "", "FILE");
    const QCommandLineOption jsonOption("json");
    const QCommandLineOption noAlternateOption("no-alternate");
    const QCommandLineOption separatorOption("decimal-separator", "", "C");
    const QCommandLineOption schemeOption("scheme-size", "", "WxH");
    const QCommandLineOption viewOption("view-size", "", "WxH");
    const QCommandLineOption summaryOption("summary-size", "", "WxH");
    parser.addOptions({outOption, pdfOption, jsonOption, noAlternateOption, separatorOption,
                       schemeOption, viewOption, summaryOption});
    if (!parser.parse(arguments)) {
        return UsageError(err, parser.errorText().toStdString());
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return UsageError(err, "calc needs exactly one ORDER_FILE");
    }
    CalcRequest request;
    request.orderFile = positional.front().toStdString();
    if (parser.isSet(outOption)) {
        request.outputDirectory = parser.value(outOption).toStdString();
    }
    if (parser.isSet(pdfOption)) {
        request.planFile = parser.value(pdfOption).toStdString();
    }
    request.json = parser.isSet(jsonOption);
    request.alternate = !parser.isSet(noAlternateOption);
    request.format = NumberFormat::FromEnvironment();
    if (parser.isSet(separatorOption)) {
        const QByteArray separator = parser.value(separatorOption).toUtf8();
        if (separator.size() != 1) {
            return UsageError(err, "--decimal-separator takes one character");
        }
        request.format.decimalSeparator = separator.front();
    }
    const std::pair<const QCommandLineOption*, ImageSize*> sizes[] = {
        {&schemeOption, &request.scheme2D},
        {&viewOption, &request.view3D},
        {&summaryOption, &request.summary}};
    for (const auto& [option, size] : sizes) {
        if (parser.isSet(*option) && !ParseSize(parser.value(*option), *size)) {
            return UsageError(err, "--" + option->names().front().toStdString() +
                                       " takes WIDTHxHEIGHT, for example 1000x761");
        }
    }
    return RunCalcCommand(request, out, err);
}

int Example(const QStringList& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 3 || (arguments[2] != "HMAN" && arguments[2] != "ISIN")) {
        return UsageError(err, "example takes HMAN or ISIN");
    }
    for (const std::string& line : ExampleOrder(arguments[2].toStdString())) {
        out << line << "\n";
    }
    return kExitOk;
}

int Watch(const QStringList& arguments, std::ostream& err) {
    QCommandLineParser parser;
    const QCommandLineOption inOption("in", "", "DIR");
    const QCommandLineOption outOption("out", "", "DIR");
    const QCommandLineOption intervalOption("interval", "", "MS");
    const QCommandLineOption onceOption("once");
    parser.addOptions({inOption, outOption, intervalOption, onceOption});
    if (!parser.parse(arguments)) {
        return UsageError(err, parser.errorText().toStdString());
    }
    if (!parser.positionalArguments().isEmpty()) {
        return UsageError(err, "watch takes no file names");
    }
    const QString programDirectory = QCoreApplication::applicationDirPath();
    WatchRequest request;
    request.inDirectory =
        (parser.isSet(inOption) ? parser.value(inOption) : programDirectory + "/IN").toStdString();
    request.outDirectory =
        (parser.isSet(outOption) ? parser.value(outOption) : programDirectory + "/OUT")
            .toStdString();
    request.once = parser.isSet(onceOption);
    if (parser.isSet(intervalOption)) {
        bool ok = false;
        request.intervalMs = parser.value(intervalOption).toInt(&ok);
        if (!ok || request.intervalMs < 1) {
            return UsageError(err, "--interval takes a positive number of milliseconds");
        }
    }
    return RunWatchCommand(request, err);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    QStringList arguments;
    for (const std::string& arg : args) {
        arguments << QString::fromStdString(arg);
    }
    if (arguments.size() < 2) {
        err << kUsage;
        return kExitUsage;
    }
    const QString command = arguments[1];
    if (command == "-h" || command == "--help" || command == "help") {
        out << kUsage;
        return kExitOk;
    }
    if (command == "-v" || command == "--version") {
        out << kVersion << "\n";
        return kExitOk;
    }
    QStringList rest = arguments;
    rest.removeAt(1);
    if (rest.contains("--help") || rest.contains("-h")) {
        out << kUsage;
        return kExitOk;
    }
    if (command == "calc") {
        return Calc(rest, out, err);
    }
    if (command == "example") {
        return Example(arguments, out, err);
    }
    if (command == "watch") {
        return Watch(rest, err);
    }
    return UsageError(err, "unknown command '" + command.toStdString() + "'");
}

}  // namespace stowbel
