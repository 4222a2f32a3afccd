#include "cli/box_text.h"

#include "cli/utf8.h"
#include "platform/code_page.h"

namespace cli {

std::optional<std::u16string> ArgumentText(const std::string& argument) {
#ifdef _WIN32
    return platform::AnsiToWide(argument);
#else
    return Utf8ToUtf16(argument);
#endif
}

CString BoxText(const std::u16string& typed, int limit) {
    std::size_t kept = std::min(typed.size(), static_cast<std::size_t>(limit));
    if (kept > 0 && kept < typed.size() && typed[kept - 1] >= 0xD800 && typed[kept - 1] <= 0xDBFF) --kept;
    return CString(std::u16string_view(typed).substr(0, kept));
}

}  // namespace cli
