// varrow status-text: the texts the host reads through the payment service's StatusText.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/export/cell_values.h"
#include "cli/shared/command_guard.h"
#include "cli/shared/shown_text.h"
#include "cli/shared/usage_error.h"
#include "payments/status_codes.h"

namespace cli {

namespace {

const char* const kStatusTextHelp =
    "usage: varrow status-text CODE...\n"
    "\n"
    "Prints one line per status code: its text as the payment service's StatusText gives it to\n"
    "the host, or an empty line where that operation gives none (codes without a text, codes\n"
    "above 36 and negative codes). A CODE that is not a whole number is a usage error (exit 64).\n";

std::int32_t ParseCode(const std::string& text) {
    try {
        if (!text.empty()) return ParseLongCell(text);
    } catch (const CellError&) {
    }
    throw UsageError(Shown(text) + " is not a status code (a whole number of 32 bits)");
}

}  // namespace

int RunStatusText(const std::vector<std::string>& args) {
    return RunGuarded("status-text", [&] {
        if (AsksForHelp(args)) {
            std::fputs(kStatusTextHelp, stdout);
            return kSuccess;
        }
        if (args.empty()) throw UsageError("no status code given");
        std::vector<std::int32_t> codes;
        for (const auto& arg : args) codes.push_back(ParseCode(arg));
        for (const std::int32_t code : codes) std::printf("%s\n", StatusText(code).value_or("").c_str());
        return kSuccess;
    });
}

}  // namespace cli
