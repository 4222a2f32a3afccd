#pragma once
#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "accounts/sort_code.h"

// The records of a modulus table file: one a line, fields separated by spaces. Lines may end in
// CR LF or LF; blank lines hold no record but are counted. Every failure is a TableError that
// names the file and the line.
class TableLines {
public:
    TableLines(std::istream& in, std::string fileName);

    // Moves to the next record; false at the end of the file.
    bool Next();

    const std::vector<std::string_view>& Fields() const noexcept { return m_fields; }
    std::size_t Line() const noexcept { return m_line; }
    const std::string& FileName() const noexcept { return m_fileName; }

    [[noreturn]] void Fail(const std::string& reason) const;
    // Fails unless the record has between `fewest` and `most` fields.
    void ExpectFieldCount(std::size_t fewest, std::size_t most) const;
    // Field `index` as a sort code, failing unless it is six digits.
    SortCode SortCodeField(std::size_t index, const char* what) const;
    // Field `index` as a whole number from `lowest` to `highest`, failing otherwise.
    int NumberField(std::size_t index, int lowest, int highest, const char* what) const;

private:
    std::istream& m_in;
    std::string m_fileName;
    std::string m_text;
    std::vector<std::string_view> m_fields;
    std::size_t m_line = 0;
};

// A field as a message may show it: printable characters only, and not too many of them.
std::string ShownField(std::string_view field);
