#pragma once
#include <functional>
#include <string>

namespace platform {

using WindowHandle = void*;

enum class MessageIcon { None, Error, Question, Warning, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };
// The button that Enter presses: the first (OK, Yes) unless the question is safer answered No.
enum class DefaultButton { First, Second };

struct MessageBoxRequest {
    WindowHandle owner = nullptr;
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    DefaultButton defaultButton = DefaultButton::First;
};

// A modal message box owned by the given window (MessageBoxA in the Windows build). The native
// build has no window system: it writes the text to standard error and answers Ok or No.
MessageAnswer ShowMessageBox(const MessageBoxRequest& request);

// When set, ShowMessageBox() calls it instead of the platform.
std::function<MessageAnswer(const MessageBoxRequest&)>& MessageBoxHook();

// The window that is active on this thread (GetActiveWindow); none natively.
WindowHandle ActiveWindow();

}  // namespace platform
