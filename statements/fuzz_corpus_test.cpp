// The fuzzer's saved inputs, replayed as ordinary tests natively and under Wine.
#include <gtest/gtest.h>

#include <filesystem>

#include "statements/reader_checks.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(StatementReaderCorpus, EverySavedInputKeepsTheReadersProperties) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VARROW_FUZZ_CORPUS_DIR)) {
        if (!entry.is_regular_file()) continue;
        ++inputs;
        const auto problems = CheckStatementRead(ReadFileBytes(entry.path().string()));
        for (const auto& problem : problems) ADD_FAILURE() << entry.path().filename().string() << ": " << problem;
    }
    EXPECT_GE(inputs, 10) << "the corpus at " << VARROW_FUZZ_CORPUS_DIR << " went missing";
}

}  // namespace
