#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// One option a command knows.
struct OptionSpec {
    std::string_view name;        // "--format", "-o"
    bool takesValue = true;       // false: a switch, given or not
    std::string_view sameAs = {};  // the name this one is another spelling of ("--output" for "-o")
};

// Splits a command's arguments into options and positional arguments: "--name=value" and
// "--name value" alike, "--" ends the options. Throws UsageError for an unknown option, one given
// twice, a value missing, or a value given to a switch.
class OptionReader {
public:
    OptionReader(const std::vector<std::string>& args, const std::vector<OptionSpec>& known);

    // The value of an option, under its main name; "" for a switch that was given.
    std::optional<std::string> Take(const std::string& name) const;
    bool Has(const std::string& name) const { return values_.count(name) > 0; }
    const std::vector<std::string>& Positional() const { return positional_; }

private:
    std::size_t ReadOption(const std::vector<std::string>& args, std::size_t i, const std::vector<OptionSpec>& known);

    std::map<std::string, std::string> values_;
    std::vector<std::string> positional_;
};

}  // namespace cli
