#pragma once
// One fuzz target: a property check over any input bytes. Each target defines FuzzCheck in its own
// source file; fuzz_main.cpp makes a libFuzzer program of it and fuzz_corpus_test.cpp replays the
// target's saved inputs as an ordinary test (cmake/fuzzing.cmake builds both).
#include <string>
#include <string_view>
#include <vector>

// One line of text per broken property; empty when all hold. May throw nothing: whatever the code
// under test throws unexpectedly is itself a broken property, reported as a line.
std::vector<std::string> FuzzCheck(std::string_view input);
