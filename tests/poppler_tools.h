#pragma once

#include <cstdio>
#include <optional>
#include <regex>
#include <string>

namespace stowbel {

// The poppler command-line tools that read the plan's PDF. Tests that need them skip without
// them.
inline bool HavePopplerTool(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command and returns what it printed, or nothing when it failed.
inline std::optional<std::string> CommandOutput(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return std::nullopt;
    }
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    if (pclose(pipe) != 0) {
        return std::nullopt;
    }
    return output;
}

// The number of pages pdfinfo finds in a PDF file; -1 when it cannot read it.
inline int PdfPages(const std::string& pdf) {
    const std::optional<std::string> info = CommandOutput("pdfinfo '" + pdf + "' 2>/dev/null");
    std::smatch match;
    if (!info || !std::regex_search(*info, match, std::regex(R"(Pages:\s+(\d+))"))) {
        return -1;
    }
    return std::stoi(match[1]);
}

// Runs of white space (line breaks included) as one blank, none at the ends.
inline std::string CollapseBlanks(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f';
        if (!blank) {
            out += c;
        } else if (!out.empty() && out.back() != ' ') {
            out += ' ';
        }
    }
    if (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

}  // namespace stowbel
