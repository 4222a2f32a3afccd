#include "cli/shared/input_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "cli/shared/usage_error.h"

namespace cli {

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
}  // namespace

std::string ReadInputFile(const std::string& path) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw UsageError("cannot read '" + path + "': " + std::strerror(errno));
    std::string bytes;
    char buffer[64 * 1024];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
    if (std::ferror(file.get())) throw UsageError("cannot read '" + path + "'");
    return bytes;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace cli
