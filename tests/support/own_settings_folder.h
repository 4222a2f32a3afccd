#pragma once
// varrow run as a process with BANKSERV.INI and the files beside it in a folder of the test's own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/temp_dir.h"

// Natively the settings folder follows VARROW_COMMON_APPDATA; under Wine it is the prefix's, which
// the component's own tests use, so there these tests are skipped.
class OwnSettingsFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "the settings folder of varrow.exe is the Wine prefix's";
#else
        std::filesystem::create_directories(folder);
        ::setenv("VARROW_COMMON_APPDATA", appData.Path().c_str(), 1);
#endif
    }
    void TearDown() override {
#ifndef _WIN32
        ::unsetenv("VARROW_COMMON_APPDATA");
#endif
    }

    TempDir appData;
    const std::filesystem::path folder = appData.Path() / "TESK" / "Tesk EBanking";
};
