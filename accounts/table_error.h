#pragma once
#include <cstddef>
#include <stdexcept>
#include <string>

// A modulus table file that cannot be used: it cannot be read, or a line of it is not in the
// published format. The message is one line that names the file and, where one is at fault, the line.
class TableError : public std::runtime_error {
public:
    TableError(const std::string& file, std::size_t line, const std::string& reason)
        : std::runtime_error(file + (line > 0 ? " line " + std::to_string(line) : std::string()) + ": " + reason),
          m_file(file),
          m_line(line) {}

    const std::string& File() const noexcept { return m_file; }
    // 1-based; 0 when the fault is the file's as a whole.
    std::size_t Line() const noexcept { return m_line; }

private:
    std::string m_file;
    std::size_t m_line;
};
