#include "platform/profile.h"

#include <vector>
#include <windows.h>

namespace platform {

std::string ReadProfileValue(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t size, const std::string& file) {
    if (size == 0) return {};
    std::vector<char> buffer(size, '\0');
    const DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                                    static_cast<DWORD>(size), file.c_str());
    return std::string(buffer.data(), length);
}

bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& file) {
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}

}  // namespace platform
