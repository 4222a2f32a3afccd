// libFuzzer target: any bytes read as a statement, under AddressSanitizer and
// UndefinedBehaviorSanitizer, must keep the reader's properties (statements/reader_checks.h).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "statements/reader_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto problems = CheckStatementRead(std::string_view(reinterpret_cast<const char*>(data), size));
    if (problems.empty()) return 0;
    for (const auto& problem : problems) std::fprintf(stderr, "statement reader: %s\n", problem.c_str());
    std::abort();
}
