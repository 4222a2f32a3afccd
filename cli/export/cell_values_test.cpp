#include "cli/export/cell_values.h"

#include <gtest/gtest.h>

namespace cli {

namespace {

TEST(ParseDecimalCell, ReadsPlainDecimalsWithAPoint) {
    const std::pair<const char*, double> cases[] = {
        {"", 0},           {"0", 0},         {"100", 100},        {"100.00", 100},   {"1234.5", 1234.5},
        {"-5.00", -5},     {"+7.25", 7.25},  {"0.004", 0.004},    {".5", 0.5},       {"5.", 5},
        {"-.5", -0.5},     {"0.125", 0.125}, {"1234567.891", 1234567.891},
        {"00012.50", 12.5},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseDecimalCell(text), expected) << "'" << text << "'";
    }
}

TEST(ParseDecimalCell, RefusesAnythingElse) {
    const char* const cases[] = {
        "12,50", "1,234.50", ("\xC2\xA3" "5"), "5 ", " 5", "1e3", "1E3", "0x10", "inf", "nan", "-", "+", ".",
        "1.2.3", "--5", "+-5", "5-", "abc", "12.5p",
    };
    for (const char* text : cases) {
        EXPECT_THROW(ParseDecimalCell(text), CellError) << "'" << text << "'";
    }
}

TEST(ParseLongCell, ReadsWholeNumbersOf32Bits) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"", 0}, {"0", 0}, {"1", 1}, {"+1", 1}, {"23", 23}, {"-1", -1},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"007", 7},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseLongCell(text), expected) << "'" << text << "'";
    }
    for (const char* text : {"2147483648", "-2147483649", "1.0", "1.", " 1", "1 ", "x", "-", "+", "+-1", "0x1", "1e2"}) {
        EXPECT_THROW(ParseLongCell(text), CellError) << "'" << text << "'";
    }
}

TEST(ParseShortCell, ReadsWholeNumbersOf16Bits) {
    EXPECT_EQ(ParseShortCell(""), 0);
    EXPECT_EQ(ParseShortCell("826"), 826);
    EXPECT_EQ(ParseShortCell("32767"), 32767);
    EXPECT_EQ(ParseShortCell("-32768"), -32768);
    for (const char* text : {"32768", "-32769", "GBP", "8.26"}) {
        EXPECT_THROW(ParseShortCell(text), CellError) << "'" << text << "'";
    }
}

TEST(ParseDateCell, ReadsBothWrittenFormsAndEmptyAsNoDate) {
    EXPECT_EQ(ParseDateCell(""), 0);
    EXPECT_EQ(ParseDateCell("07/12/2026"), 46363);
    EXPECT_EQ(ParseDateCell("2026-12-07"), 46363);
    for (const char* text : {"31/02/2026", "7/12/2026", "07/12/26", "today"}) {
        EXPECT_THROW(ParseDateCell(text), CellError) << "'" << text << "'";
    }
}

TEST(ParseTextCell, DecodesUtf8AndRefusesInvalidBytes) {
    EXPECT_EQ(ParseTextCell("O'Brien, Ltd"), u"O'Brien, Ltd");
    EXPECT_EQ(ParseTextCell("Caf\xC3\xA9"), u"Caf\u00E9");
    try {
        ParseTextCell("Caf\xE9");
        ADD_FAILURE() << "Windows-1252 text was taken as UTF-8";
    } catch (const CellError& e) {
        EXPECT_STREQ(e.what(), "is not valid UTF-8 (at byte 4)");
    }
}

}  // namespace

}  // namespace cli
