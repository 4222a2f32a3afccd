#include "platform/file_search.h"

#include <windows.h>

namespace platform {

bool AnyFileMatches(const std::string& pattern) {
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    ::FindClose(search);
    return true;
}

}  // namespace platform
