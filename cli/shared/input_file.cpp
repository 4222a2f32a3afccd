#include "cli/shared/input_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "cli/shared/usage_error.h"
#include "common/unique_resource.h"

namespace cli {

std::string ReadInputFile(const std::string& path) {
    const UniqueFile file(std::fopen(path.c_str(), "rb"));
    if (!file) throw UsageError("cannot read '" + path + "': " + std::strerror(errno));
    std::string bytes;
    // Where the size can be told, the file in one read; the loop below takes whatever follows.
    if (std::fseek(file.Get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(file.Get());
        std::rewind(file.Get());
        if (size > 0) {
            bytes.resize(static_cast<std::size_t>(size));
            bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.Get()));
        }
    }
    char buffer[64 * 1024];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.Get())) > 0) bytes.append(buffer, got);
    if (std::ferror(file.Get())) throw UsageError("cannot read '" + path + "'");
    return bytes;
}

std::optional<std::string> ReadInputLine(std::FILE* input) {
    std::string line;
    int c = 0;
    while ((c = std::fgetc(input)) != EOF && c != '\n') line += static_cast<char>(c);
    if (c == EOF && line.empty()) return std::nullopt;
    return line;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace cli
