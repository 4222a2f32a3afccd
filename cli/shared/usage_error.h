#pragma once
#include <stdexcept>
#include <string>

namespace cli {

// Something the user typed or the payment list holds that the command cannot take. The command
// prints it as one line with a pointer to its --help and exits with kUsageError.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace cli
