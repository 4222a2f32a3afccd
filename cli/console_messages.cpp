#include "cli/console_messages.h"

#include <cstdio>

namespace cli {

namespace {

platform::MessageAnswer PrintInsteadOfShowing(const platform::MessageBoxRequest& request) {
    PrintMessage(request.text);
    return request.buttons == platform::MessageButtons::YesNo ? platform::MessageAnswer::No
                                                              : platform::MessageAnswer::Ok;
}

}  // namespace

ConsoleMessages::ConsoleMessages() : hook_(platform::MessageBoxHook(), PrintInsteadOfShowing) {}

std::string AsPlainLines(std::string_view text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            lines += text[i];
        } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
            lines += '\n';
        }
    }
    return lines;
}

void PrintMessage(std::string_view text) {
    const std::string lines = AsPlainLines(text) + "\n";
    std::fwrite(lines.data(), 1, lines.size(), stderr);
    std::fflush(stderr);
}

}  // namespace cli
