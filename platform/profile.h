#pragma once
#include <cstddef>
#include <string>

namespace platform {

// Profile (INI) files, as GetPrivateProfileStringA and WritePrivateProfileStringA treat them:
// section and key names match without regard to case and only the first section of a name counts;
// keys and values are read without surrounding blanks, and a value in one matching pair of
// quotes loses them.

// The value of `key` in `section` of `file`, cut to `size` - 1 characters; `defaultValue` when
// the file, the section or the key is missing.
std::string ReadProfileValue(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t size, const std::string& file);

// Writes `key`=`value` into `section`, replacing the key's value or adding the key (and the
// section) as needed; creates the file when its folder exists. False when it cannot be written.
bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& file);

}  // namespace platform
