#include "cli/shared/option_reader.h"

#include <algorithm>

#include "cli/shared/shown_text.h"
#include "cli/shared/usage_error.h"

namespace cli {

OptionReader::OptionReader(const std::vector<std::string>& args, const std::vector<OptionSpec>& known) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            positional_.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else {
            i = ReadOption(args, i, known);
        }
    }
}

std::optional<std::string> OptionReader::Take(const std::string& name) const {
    const auto found = values_.find(name);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

std::size_t OptionReader::ReadOption(const std::vector<std::string>& args, std::size_t i,
                                     const std::vector<OptionSpec>& known) {
    const std::string& arg = args[i];
    const std::size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
    const std::string given = arg.substr(0, equals);
    const auto option = std::find_if(known.begin(), known.end(), [&](const OptionSpec& s) { return s.name == given; });
    if (option == known.end()) throw UsageError("unknown option " + Shown(given));
    const std::string name(option->sameAs.empty() ? option->name : option->sameAs);
    std::string value;
    if (!option->takesValue) {
        if (equals != std::string::npos) throw UsageError(name + " takes no value");
    } else if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
        value = args[++i];
    } else {
        throw UsageError(name + " needs a value");
    }
    if (!values_.emplace(name, value).second) throw UsageError(name + " is given more than once");
    return i;
}

}  // namespace cli
