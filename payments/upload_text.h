#pragma once
#include <limits>
#include <string_view>
#include <vector>

// An upload file's bytes taken apart into lines and fields as they stand, damage and all: the
// reading side of upload_line.h.

enum class LineEnd { CrLf, Lf, Cr, None };

struct TextLine {
    std::string_view text;  // without its line end
    LineEnd end = LineEnd::CrLf;
};

struct UploadText {
    bool byteOrderMark = false;  // a UTF-8 byte order mark before the first line, not in it
    char separator = ',';        // ';' where a spreadsheet's locale put semicolons for the commas
    std::vector<TextLine> lines;
};

// Splits at CR LF, a lone LF and a lone CR alike, so that a file saved with other line ends still
// shows its lines. Nothing after the last line end is no line.
UploadText ReadUploadText(std::string_view bytes);

struct SplitLine {
    std::vector<std::string_view> fields;  // field 1 first; a quoted one inside its quotes
    std::vector<int> quoted;               // the numbers (from 1) of the fields that were in quotes
};

// The fields of one line into `out`, whose room is kept from line to line; no more than `most` of
// them. A field that starts with a double quote runs to the quote that closes it, separators
// included, as a spreadsheet writes it; a doubled quote inside stays as it is.
void SplitUploadLine(std::string_view line, char separator, SplitLine& out,
                     std::size_t most = std::numeric_limits<std::size_t>::max());
