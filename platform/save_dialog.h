#pragma once
#include <functional>
#include <optional>
#include <string>

#include "platform/message_box.h"

namespace platform {

struct SaveDialogRequest {
    WindowHandle owner = nullptr;
    std::string initialPath;       // cut to 259 characters
    std::string filter;            // description and pattern texts, each ended by NUL, then one more NUL
    std::string defaultExtension;  // none when empty
};

// The platform's save dialog (GetSaveFileNameA, with overwrite prompt); the chosen full path, or
// nothing when the user cancelled or the dialog failed. The native build has no such dialog and
// answers nothing.
std::optional<std::string> ShowSaveDialog(const SaveDialogRequest& request);
std::function<std::optional<std::string>(const SaveDialogRequest&)>& SaveDialogHook();

}  // namespace platform
