#pragma once
#include <string>
#include <string_view>

// Text from the user's files quoted inside a one-line message: control characters are shown as
// escapes (\r, \n, \t, \x00) so that the message stays one line, and long text is cut.
std::string Shown(std::string_view text);

// The same in plain ASCII: every byte above 0x7F is shown as an escape too, so that the message
// reads alike whatever the code page of the terminal.
std::string ShownAscii(std::string_view text);
