#include "payments/upload_line.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(UploadLine, EmptyFieldsAndTheLineEnd) {
    std::string out;
    UploadLine line(out, 5);
    line.Put(2, "a").Put(4, "b");
    line.Finish();
    EXPECT_EQ(out, ",a,,b,\r\n");
}

TEST(UploadLine, FirstAndLastField) {
    std::string out;
    UploadLine line(out, 3);
    line.Put(1, "x").Put(3, "z");
    line.Finish();
    EXPECT_EQ(out, "x,,z\r\n");
}

TEST(UploadLine, EachShapeHasItsFieldCount) {
    for (const int fields : {kShortLineFields, kLongLineFields}) {
        std::string out;
        UploadLine(out, fields).Finish();
        EXPECT_EQ(out, std::string(static_cast<std::size_t>(fields - 1), ',') + "\r\n") << fields << " fields";
    }
}

TEST(UploadLine, AppendsToWhatIsThere) {
    std::string out = "first\r\n";
    UploadLine line(out, 2);
    line.Put(1, "1");
    line.Finish();
    EXPECT_EQ(out, "first\r\n1,\r\n");
}

TEST(UploadLine, CharactersThatWouldBreakTheShapeAreReplaced) {
    const std::pair<std::string, std::string> cases[] = {
        {"1234,567", "1234?567"},
        {"\"12345\"", "?12345?"},
        {"1234\r\n56", "1234??56"},
        {std::string("12\0" "34", 5), "12?34"},
        {"1 2\t3;4", "1 2\t3;4"},  // nothing else is touched
        {"\xE9\xFF", "\xE9\xFF"},
    };
    for (const auto& [value, written] : cases) {
        std::string out;
        UploadLine line(out, 3);
        line.Put(2, value);
        line.Finish();
        EXPECT_EQ(out, "," + written + ",\r\n") << "value [" << value << "]";
    }
}

TEST(UploadLine, FieldsOutOfPlaceAreRefused) {
    std::string out;
    UploadLine line(out, 5);
    EXPECT_THROW(line.Put(0, "x"), std::logic_error);
    EXPECT_THROW(line.Put(6, "x"), std::logic_error);
    line.Put(3, "x");
    EXPECT_THROW(line.Put(3, "y"), std::logic_error);
    EXPECT_THROW(line.Put(2, "y"), std::logic_error);
    line.Finish();
    EXPECT_THROW(line.Put(5, "y"), std::logic_error);
    EXPECT_THROW(line.Finish(), std::logic_error);
    EXPECT_EQ(out, ",,x,,\r\n");
}

TEST(UploadLine, ALineNeedsAField) {
    std::string out;
    EXPECT_THROW(UploadLine(out, 0), std::logic_error);
}

}  // namespace
