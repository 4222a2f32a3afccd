#pragma once
#include <optional>
#include <string>

#include "common/cstring.h"

namespace cli {

// Text typed on the command line as the options dialog's edit boxes would hold it.

// The argument as UTF-16: natively it is UTF-8 (nothing when it is not valid UTF-8); in the
// Windows build the C runtime hands it over in the ANSI code page.
std::optional<std::u16string> ArgumentText(const std::string& argument);

// The first `limit` characters, as the box's length limit keeps them, in the component's
// single-byte text. A character outside the Basic Multilingual Plane is never cut in half.
CString BoxText(const std::u16string& typed, int limit);

}  // namespace cli
