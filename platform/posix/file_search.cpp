#include "platform/file_search.h"

#include <algorithm>
#include <glob.h>

namespace platform {

bool AnyFileMatches(const std::string& pattern) {
    std::string posix = pattern;
    std::replace(posix.begin(), posix.end(), '\\', '/');
    // "*.*" in a Windows pattern matches every name, with or without a dot; "." always exists.
    const std::string suffix = "/*.*";
    if (posix.size() >= suffix.size() && posix.compare(posix.size() - suffix.size(), suffix.size(), suffix) == 0) {
        posix.replace(posix.size() - suffix.size(), suffix.size(), "/.");
    }
    glob_t matches{};
    const int result = ::glob(posix.c_str(), GLOB_NOSORT, nullptr, &matches);
    const bool found = result == 0 && matches.gl_pathc > 0;
    ::globfree(&matches);
    return found;
}

}  // namespace platform
