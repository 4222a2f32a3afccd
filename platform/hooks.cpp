// The slots through which tests and the command line replace a platform call. Each world's call
// looks in its slot first, so the slots are the same in both and live here once.
#include "platform/debug_output.h"
#include "platform/local_clock.h"
#include "platform/message_box.h"
#include "platform/module_folder.h"
#include "platform/save_dialog.h"
#include "platform/shell_folder.h"

namespace platform {

std::function<void(std::string_view)>& DebugOutputHook() {
    static std::function<void(std::string_view)> slot;
    return slot;
}

std::function<CivilDateTime()>& LocalTimeHook() {
    static std::function<CivilDateTime()> slot;
    return slot;
}

std::function<MessageAnswer(const MessageBoxRequest&)>& MessageBoxHook() {
    static std::function<MessageAnswer(const MessageBoxRequest&)> slot;
    return slot;
}

std::function<std::optional<std::string>()>& ModuleFolderHook() {
    static std::function<std::optional<std::string>()> slot;
    return slot;
}

std::function<std::optional<std::string>()>& CommonAppDataFolderHook() {
    static std::function<std::optional<std::string>()> slot;
    return slot;
}

std::function<std::optional<std::string>(const SaveDialogRequest&)>& SaveDialogHook() {
    static std::function<std::optional<std::string>(const SaveDialogRequest&)> slot;
    return slot;
}

}  // namespace platform
