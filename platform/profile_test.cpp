// The profile-file rules the settings store relies on: the same cases run natively against the
// stand-in and under Wine against the real calls.
#include "platform/profile.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace platform {
namespace {

std::string Read(const std::string& file, const std::string& key, std::size_t size = 259) {
    return ReadProfileValue("MIGRATED", key, "", size, file);
}

TEST(Profile, WrittenValuesReadBack) {
    const TempDir dir;
    const std::string file = dir.File("BANKSERV.INI");
    ASSERT_TRUE(WriteProfileValue("MIGRATED", "VarrowQuidlaneTemplate", "RENT-Q1", file));
    ASSERT_TRUE(WriteProfileValue("MIGRATED", "VarrowQuidlaneBenRef123456_87654321", "INV 42", file));
    EXPECT_EQ(Read(file, "VarrowQuidlaneTemplate"), "RENT-Q1");
    EXPECT_EQ(Read(file, "VarrowQuidlaneBenRef123456_87654321"), "INV 42");
    EXPECT_EQ(ReadProfileValue("Other", "VarrowQuidlaneTemplate", "dflt", 259, file), "dflt");
}

TEST(Profile, NamesMatchWithoutRegardToCaseOrSurroundingBlanks) {
    const struct {
        const char* name;
        const char* firstSection;
        const char* firstKey;
        const char* secondSection;
        const char* secondKey;
        const char* readKey;
    } rows[] = {
        {"case", "MIGRATED", "Key1", "migrated", "KEY1", "key1"},
        {"blanks", "MIGRATED", "Key_ 8765 ", " MIGRATED ", "Key_ 8765", "Key_ 8765 "},
    };
    for (const auto& row : rows) {
        const TempDir dir;
        const std::string file = dir.File("t.ini");
        ASSERT_TRUE(WriteProfileValue(row.firstSection, row.firstKey, "one", file)) << row.name;
        ASSERT_TRUE(WriteProfileValue(row.secondSection, row.secondKey, "two", file)) << row.name;
        EXPECT_EQ(Read(file, row.readKey), "two") << row.name;
        // Replaced, not added: the file holds one entry for the key.
        const std::string text = dir.Read("t.ini");
        EXPECT_EQ(text.find("one"), std::string::npos) << row.name << ": " << text;
        EXPECT_EQ(text.find("="), text.rfind("=")) << row.name << ": " << text;
    }
}

TEST(Profile, ValueRules) {
    const TempDir dir;
    const std::string file = dir.File("t.ini");
    struct Row {
        const char* written;
        const char* read;
    } rows[] = {
        {"plain", "plain"},
        {"  spaced  ", "spaced"},
        {"\"quoted\"", "quoted"},
        {"'single'", "single"},
        {"\"half", "\"half"},
        {"x=y;z", "x=y;z"},
        {"", ""},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(WriteProfileValue("MIGRATED", "k", row.written, file)) << row.written;
        EXPECT_EQ(Read(file, "k"), row.read) << "written as [" << row.written << "]";
    }
}

TEST(Profile, ReadIsCutToTheBufferSize) {
    const TempDir dir;
    const std::string file = dir.File("t.ini");
    ASSERT_TRUE(WriteProfileValue("MIGRATED", "big", std::string(300, 'v'), file));
    EXPECT_EQ(Read(file, "big"), std::string(258, 'v'));
    EXPECT_EQ(Read(file, "big", 10), std::string(9, 'v'));
}

TEST(Profile, OnlyTheFirstSectionOfANameCounts) {
    const TempDir dir;
    const std::string file =
        dir.Write("h.ini", "[MIGRATED]\r\nA = 1 \r\n ; C=commented\r\n[x]\r\nB=2\r\n[MIGRATED]\r\nC=3\r\n");
    EXPECT_EQ(Read(file, "A"), "1");
    EXPECT_EQ(Read(file, "B"), "");
    EXPECT_EQ(Read(file, "C"), "");
    ASSERT_TRUE(WriteProfileValue("MIGRATED", "C", "new", file));
    EXPECT_EQ(Read(file, "C"), "new");
    EXPECT_EQ(ReadProfileValue("x", "B", "", 259, file), "2");
}

TEST(Profile, MissingFileFolderOrKey) {
    const TempDir dir;
    EXPECT_EQ(Read(dir.File("none.ini"), "A"), "");
    EXPECT_FALSE(WriteProfileValue("MIGRATED", "A", "1", dir.File("no-folder/x.ini")));
    const std::string file = dir.File("t.ini");
    ASSERT_TRUE(WriteProfileValue("MIGRATED", "A", "1", file));
    EXPECT_EQ(Read(file, "B"), "");
}

}  // namespace
}  // namespace platform
