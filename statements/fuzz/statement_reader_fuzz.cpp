// Fuzz target: any bytes read as a statement must keep the reader's properties
// (statements/reader_checks.h).
#include "statements/reader_checks.h"
#include "tests/support/fuzz_check.h"

std::vector<std::string> FuzzCheck(std::string_view input) { return CheckStatementRead(input); }
