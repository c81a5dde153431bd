#pragma once

#include <map>
#include <string>
#include <vector>

namespace stowbel {

struct OptionSpec {
    std::string name;  // without the leading "--"
    bool takesValue = false;
};

// The options of one command: "--name VALUE", "--name=VALUE" or a flag "--name"; "--" ends the
// options, and everything else is a positional argument. A repeated option keeps its last value.
struct ParsedOptions {
    std::map<std::string, std::string> set;  // a flag has an empty value
    std::vector<std::string> positional;
    std::string error;  // what is wrong with the arguments; empty when nothing

    bool IsSet(const std::string& name) const { return set.contains(name); }
    const std::string& Value(const std::string& name) const { return set.at(name); }
};

ParsedOptions ParseOptions(const std::vector<std::string>& args,
                           const std::vector<OptionSpec>& specs);

}  // namespace stowbel
