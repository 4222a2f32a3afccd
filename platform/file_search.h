#pragma once
#include <string>

namespace platform {

// Whether anything matches a search pattern such as "C:\Payments\*.*" (FindFirstFileA, the search
// closed again). A present directory always matches, through its "." entry.
bool AnyFileMatches(const std::string& pattern);

}  // namespace platform
