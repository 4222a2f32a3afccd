// The saved inputs of one fuzz target, replayed as an ordinary test natively and under Wine.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/fuzz_check.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(FuzzCorpus, EverySavedInputKeepsTheProperties) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VARROW_FUZZ_CORPUS_DIR)) {
        if (!entry.is_regular_file()) continue;
        ++inputs;
        for (const auto& problem : FuzzCheck(ReadFileBytes(entry.path().string()))) {
            ADD_FAILURE() << entry.path().filename().string() << ": " << problem;
        }
    }
    EXPECT_GE(inputs, VARROW_FUZZ_CORPUS_MINIMUM) << "the corpus at " << VARROW_FUZZ_CORPUS_DIR << " went missing";
}

}  // namespace
