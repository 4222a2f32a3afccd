#pragma once
#include <string>
#include <string_view>

namespace platform {

// Conversions between UTF-16 and the system's ANSI code page (CP_ACP). Natively the ANSI code page
// is Windows-1252, as it is under Wine in an English locale; a character it lacks becomes '?'.
std::string WideToAnsi(std::u16string_view text);
std::u16string AnsiToWide(std::string_view text);

}  // namespace platform
