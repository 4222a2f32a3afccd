#pragma once
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

// Where `varrow statement` writes: standard output, or the file named by -o. The file is opened at
// the first write, so a statement refused before anything is written leaves no file behind.
class OutputTarget {
public:
    explicit OutputTarget(std::optional<std::string> path);
    ~OutputTarget();
    OutputTarget(const OutputTarget&) = delete;
    OutputTarget& operator=(const OutputTarget&) = delete;

    void Write(std::string_view bytes);
    // Flushes, and closes the file; false when the output could not be opened or written.
    bool Finish();
    // "the output", or the file's name.
    std::string Name() const;

private:
    std::FILE* Stream();

    std::optional<std::string> path_;
    std::FILE* stream_ = nullptr;
    bool failed_ = false;
};

}  // namespace cli
