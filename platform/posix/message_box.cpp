#include "platform/message_box.h"

#include <cstdio>

namespace platform {

MessageAnswer ShowMessageBox(const MessageBoxRequest& request) {
    if (const auto& hook = MessageBoxHook()) return hook(request);
    // No one can answer here: a question is declined, and a lone CR is shown as a line break.
    std::string text;
    for (std::size_t i = 0; i < request.text.size(); ++i) {
        const char c = request.text[i];
        if (c == '\r') {
            if (i + 1 < request.text.size() && request.text[i + 1] == '\n') continue;
            text += '\n';
        } else {
            text += c;
        }
    }
    std::fprintf(stderr, "%s\n", text.c_str());
    return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

WindowHandle ActiveWindow() { return nullptr; }

}  // namespace platform
