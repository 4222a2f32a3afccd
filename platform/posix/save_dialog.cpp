#include "platform/save_dialog.h"

namespace platform {

std::optional<std::string> ShowSaveDialog(const SaveDialogRequest& request) {
    if (const auto& hook = SaveDialogHook()) return hook(request);
    return std::nullopt;
}

}  // namespace platform
