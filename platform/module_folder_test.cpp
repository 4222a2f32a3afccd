#include "platform/module_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace platform {
namespace {

TEST(ModuleFolder, HoldsTheRunningProgram) {
    const auto folder = ModuleFolder();
    ASSERT_TRUE(folder);
#ifdef _WIN32
    const char* program = "platform_tests.exe";
#else
    const char* program = "platform_tests";
#endif
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(*folder) / program)) << *folder;
}

}  // namespace
}  // namespace platform
