#include "platform/save_dialog.h"

namespace platform {

std::function<std::optional<std::string>(const SaveDialogRequest&)>& SaveDialogHook() {
    static std::function<std::optional<std::string>(const SaveDialogRequest&)> hook;
    return hook;
}

std::optional<std::string> ShowSaveDialog(const SaveDialogRequest& request) {
    if (const auto& hook = SaveDialogHook()) return hook(request);
    return std::nullopt;
}

}  // namespace platform
