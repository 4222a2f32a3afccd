#include "platform/code_page.h"

#include <windows.h>

namespace platform {

std::string WideToAnsi(std::u16string_view text) {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    // Two bytes a character hold the text in any single- or double-byte code page: one call then
    // converts it, where asking for the size first would take two.
    std::string out(text.size() * 2, '\0');
    int written = ::WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), length * 2, nullptr, nullptr);
    if (written == 0) {
        written = ::WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
        out.assign(static_cast<std::size_t>(written), '\0');
        ::WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), written, nullptr, nullptr);
    }
    out.resize(static_cast<std::size_t>(written));
    return out;
}

std::u16string AnsiToWide(std::string_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int needed = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::u16string out(static_cast<std::size_t>(needed), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(out.data()), needed);
    return out;
}

}  // namespace platform
