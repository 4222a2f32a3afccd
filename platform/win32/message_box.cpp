#include "platform/message_box.h"

#include <windows.h>

namespace platform {
namespace {

UINT StyleOf(const MessageBoxRequest& request) {
    UINT style = request.buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    if (request.defaultButton == DefaultButton::Second) style |= MB_DEFBUTTON2;
    switch (request.icon) {
        case MessageIcon::Error: style |= MB_ICONSTOP; break;
        case MessageIcon::Question: style |= MB_ICONQUESTION; break;
        case MessageIcon::Warning: style |= MB_ICONEXCLAMATION; break;
        case MessageIcon::Information: style |= MB_ICONINFORMATION; break;
        case MessageIcon::None: break;
    }
    return style;
}

}  // namespace

MessageAnswer ShowMessageBox(const MessageBoxRequest& request) {
    if (const auto& hook = MessageBoxHook()) return hook(request);
    return static_cast<MessageAnswer>(::MessageBoxA(static_cast<HWND>(request.owner), request.text.c_str(),
                                                    request.caption.c_str(), StyleOf(request)));
}

WindowHandle ActiveWindow() { return ::GetActiveWindow(); }

}  // namespace platform
