#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "common/civil_date.h"
#include "common/cstring.h"
#include "platform/hook.h"
#include "platform/message_box.h"

namespace cli {

// What varrow export puts where Process has a user: the message boxes, the dialog's edit boxes
// and the day that counts as today.

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

// Text typed on the command line as the options dialog's edit boxes would hold it.

// The argument as UTF-16: natively it is UTF-8 (nothing when it is not valid UTF-8); in the
// Windows build the C runtime hands it over in the ANSI code page.
std::optional<std::u16string> ArgumentText(const std::string& argument);

// The first `limit` characters, as the box's length limit keeps them, in the component's
// single-byte text. A character outside the Basic Multilingual Plane is never cut in half.
CString BoxText(const std::u16string& typed, int limit);

// --today: while an object of this class lives, the local clock reads midnight of the given day,
// for the default processing date and for the checks on the chosen one.
class FixedToday {
public:
    explicit FixedToday(double day);

private:
    platform::ScopedHook<CivilDateTime()> hook_;
};

}  // namespace cli
