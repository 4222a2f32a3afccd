#pragma once
#include <string>
#include <string_view>

// Text from the user's files quoted inside a one-line message: control characters are shown as
// escapes (\r, \n, \t, \x00) so that the message stays one line, and long text is cut.
std::string Shown(std::string_view text);
