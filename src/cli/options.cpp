#include "cli/options.h"

#include <algorithm>

namespace stowbel {

ParsedOptions ParseOptions(const std::vector<std::string>& args,
                           const std::vector<OptionSpec>& specs) {
    ParsedOptions parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
            parsed.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::string body = arg.starts_with("--") ? arg.substr(2) : std::string();
        const std::size_t equals = body.find('=');
        const std::string name = body.substr(0, equals);
        const auto spec = std::find_if(specs.begin(), specs.end(),
                                       [&](const OptionSpec& s) { return s.name == name; });
        if (spec == specs.end()) {
            parsed.error = "unknown option '" + arg + "'";
            return parsed;
        }
        if (!spec->takesValue) {
            if (equals != std::string::npos) {
                parsed.error = "option '--" + name + "' takes no value";
                return parsed;
            }
            parsed.set[name] = "";
        } else if (equals != std::string::npos) {
            parsed.set[name] = body.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            parsed.set[name] = args[++i];
        } else {
            parsed.error = "option '--" + name + "' needs a value";
            return parsed;
        }
    }
    return parsed;
}

}  // namespace stowbel
