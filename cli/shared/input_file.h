#pragma once
#include <cstdio>
#include <optional>
#include <string>

namespace cli {

// The bytes of a file named on the command line; throws UsageError when it cannot be read.
std::string ReadInputFile(const std::string& path);

// The next line of `input` without its LF (a CR before it stays); nothing at the end.
std::optional<std::string> ReadInputLine(std::FILE* input);

// True when both names lead to the same existing file.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace cli
