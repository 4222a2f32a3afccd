#pragma once
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// Comma-separated text as RFC 4180 has it: a field in double quotes may hold commas, line breaks
// and doubled quotes ("" for one "). Fields come back as the bytes of the file; decoding them is
// the caller's business. A leading UTF-8 byte order mark is skipped.
//
// Records end at CR LF, LF or a lone CR outside quotes. A line with nothing on it holds no
// record and is skipped, which also makes the last line break optional. What cannot be read
// unambiguously is refused: a quote that is never closed, text after a closing quote, and a
// quote inside an unquoted field.

struct CsvRecord {
    std::size_t line = 0;  // 1-based line of the file where the record starts
    std::vector<std::string> fields;
};

class CsvError : public std::runtime_error {
public:
    CsvError(std::size_t line, const std::string& what) : std::runtime_error(what), line_(line) {}
    std::size_t Line() const noexcept { return line_; }

private:
    std::size_t line_;
};

std::vector<CsvRecord> ReadCsv(std::string_view text);

}  // namespace cli
