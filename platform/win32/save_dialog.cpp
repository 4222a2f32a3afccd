#include "platform/save_dialog.h"

#include <windows.h>
#include <commdlg.h>

namespace platform {
namespace {

constexpr std::size_t kPathBuffer = 260;
constexpr std::size_t kTitleBuffer = 256;

// The explorer-style dialog calls a hook with every message; this one leaves them all to the
// dialog, which keeps its standard behaviour while the hook flag lets the dialog be sized.
UINT_PTR CALLBACK KeepDefaultBehaviour(HWND, UINT, WPARAM, LPARAM) { return 0; }

}  // namespace

std::optional<std::string> ShowSaveDialog(const SaveDialogRequest& request) {
    if (const auto& hook = SaveDialogHook()) return hook(request);
    char path[kPathBuffer] = {};
    request.initialPath.copy(path, kPathBuffer - 1);
    char title[kTitleBuffer] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = static_cast<HWND>(request.owner);
    dialog.lpstrFilter = request.filter.empty() ? nullptr : request.filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = kPathBuffer;
    dialog.lpstrFileTitle = title;
    dialog.nMaxFileTitle = kTitleBuffer;
    dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_ENABLESIZING |
                   OFN_ENABLEHOOK;
    dialog.lpfnHook = KeepDefaultBehaviour;
    if (!::GetSaveFileNameA(&dialog)) return std::nullopt;
    return std::string(path);
}

}  // namespace platform
