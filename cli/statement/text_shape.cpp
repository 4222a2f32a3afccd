#include "cli/statement/text_shape.h"

#include <fstream>

namespace cli {

namespace {

// More than the longest header line the reader takes.
constexpr std::size_t kStartLength = 4096;

}  // namespace

TextShape ShapeOfText(std::string_view start) {
    if (start.rfind("\xFF\xFE", 0) == 0 || start.rfind("\xFE\xFF", 0) == 0) return TextShape::Utf16;
    const std::string_view firstLine = start.substr(0, start.find('\n'));
    if (firstLine.find('\0') != std::string_view::npos) return TextShape::Utf16;
    // A CR before the LF ends a CRLF line; a CR with more of the line after it ends a line of its own.
    const auto cr = firstLine.find('\r');
    if (cr != std::string_view::npos && cr + 1 < firstLine.size()) return TextShape::CrOnlyLineEnds;
    return TextShape::Readable;
}

std::string StartOfFile(const std::string& path) {
    std::ifstream file(path, std::ios::in | std::ios::binary);
    std::string start(kStartLength, '\0');
    file.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(file.gcount()));
    return start;
}

std::string ShapeAdvice(TextShape shape) {
    switch (shape) {
    case TextShape::Utf16:
        return "is UTF-16 text, which the reader cannot read: save it as CSV with ANSI or UTF-8 text";
    case TextShape::CrOnlyLineEnds:
        return "has CR-only line ends, so the reader sees one long line: save it as CSV with ANSI or UTF-8 "
               "text (CRLF or LF line ends)";
    case TextShape::Readable: break;
    }
    return {};
}

}  // namespace cli
