#pragma once
#include <string>
#include <string_view>

namespace cli {

// How a file's text is written, as far as the statement reader cares: it reads single-byte text
// with LF or CRLF line ends, and a spreadsheet may save something else.
enum class TextShape {
    Readable,
    Utf16,           // a byte-order mark FF FE or FE FF, or a NUL byte in the first line
    CrOnlyLineEnds,  // a CR inside the first line: the whole file reads as one line
};

// The shape of the text that `start` (the first bytes of a file) begins.
TextShape ShapeOfText(std::string_view start);
// The first bytes of the file at `path`, enough to tell its shape; empty when it cannot be read.
std::string StartOfFile(const std::string& path);
// What is wrong with the shape and what to do, after "FILE "; empty for readable text.
std::string ShapeAdvice(TextShape shape);

}  // namespace cli
