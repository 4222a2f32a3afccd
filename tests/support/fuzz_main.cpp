// libFuzzer's entry point over the target's FuzzCheck: a broken property is a crash, with its
// lines on standard error and the input kept by libFuzzer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/support/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto problems = FuzzCheck(std::string_view(reinterpret_cast<const char*>(data), size));
    if (problems.empty()) return 0;
    for (const auto& problem : problems) std::fprintf(stderr, "broken property: %s\n", problem.c_str());
    std::abort();
}
