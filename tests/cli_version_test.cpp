// varrow --version as a process, natively and under Wine: the version the build was given.
#include <gtest/gtest.h>

#include "tests/support/process.h"
#include "varrow_version.h"

TEST(VersionOption, PrintsTheBuildsVersion) {
    const ProcessResult run = RunVarrow({"--version"});
    EXPECT_EQ(run.out, "varrow " VARROW_VERSION_TEXT "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitCode, 0);
}
