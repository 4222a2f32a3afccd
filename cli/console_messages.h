#pragma once
#include <string>
#include <string_view>

#include "platform/hook.h"
#include "platform/message_box.h"

namespace cli {

// The command line has no one to click a message box: while an object of this class lives, every
// message box of the component prints its text on standard error instead, in the Windows build
// too, and is answered with OK (a Yes/No question with No).
class ConsoleMessages {
public:
    ConsoleMessages();

private:
    platform::ScopedHook<platform::MessageAnswer(const platform::MessageBoxRequest&)> hook_;
};

// A message text as lines of a terminal: CR LF and a lone CR become a plain line break.
std::string AsPlainLines(std::string_view text);

// Prints a message text on standard error, ended by a line break.
void PrintMessage(std::string_view text);

}  // namespace cli
