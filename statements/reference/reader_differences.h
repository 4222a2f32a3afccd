#pragma once
#include <string>
#include <string_view>
#include <vector>

// Reads `content` as a statement file opened in binary mode with the reader and with the reference
// (reference_reader.h), and names every difference between them, one line each: the header's
// field count, whether the columns are prepared, and for every line read to the end of the
// content, the result, each field of the record (filled or left by a failure), the error and its
// words, the line number, the end of the file, a blank line and the debug messages; then, read up
// to the first failure once more, whether only blank lines follow it. Empty when both agree.
std::vector<std::string> ReaderDifferences(std::string_view content);
