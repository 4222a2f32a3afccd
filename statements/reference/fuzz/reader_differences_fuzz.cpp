// Fuzz target: the reader and the reference give the same answers for any bytes read as a
// statement (reader_differences.h).
#include "statements/reference/reader_differences.h"
#include "tests/support/fuzz_check.h"

std::vector<std::string> FuzzCheck(std::string_view input) { return ReaderDifferences(input); }
