#pragma once
#include <string>
#include <string_view>

namespace cli {

// `text` as a JSON string in UTF-8: quotes, backslashes and control characters escaped, a
// surrogate pair written as its character and a lone surrogate as an escape.
void AppendJsonUtf16(std::string& out, std::u16string_view text);

}  // namespace cli
