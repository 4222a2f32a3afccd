#include "statements/reference/line_fields.h"

#include <gtest/gtest.h>

#include <string>

#include "statements/field_splitting.h"

namespace {

// The one-pass split must agree with CountFields and GetField for every field of every line.
TEST(LineFields, AgreesWithCountFieldsAndGetField) {
    const std::string lines[] = {
        "",
        "abc",
        "a,b,c",
        "a,\"b,c\",d",
        "a,b,\"1,234.56\"\r",
        "a,b,c\"d",
        "a,\"x\",c\"d",
        "\"a,b\"",
        "a,b,\"c,d",
        ",,,,,,,,,,,,,,,,,,,,,,,,,,",                   // more separators than the split keeps
        "1234567\"9,bcdef\"hij,lmn\"p,rstuv\"x,z,\"2,4\",", // quotes and commas astride 8 and 16 bytes
        "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,\"22,x\"",
        "123456,12345678,Alias,Name,GBP,Current,BIC,Bank,Branch,05/03/2010,N1,N2,N3,N4,N5,DD,12.50,",
    };
    for (const auto& line : lines) {
        LineFields fields;
        fields.Split(line);
        bool quoted = false;
        EXPECT_EQ(fields.Count(), CountFields(line, ',', quoted)) << "line [" << line << "]";
        for (int n = -1; n <= 30; ++n) {
            EXPECT_EQ(fields.Field(n), GetField(line, ',', n)) << "field " << n << " of [" << line << "]";
        }
    }
}

TEST(LineFields, SplittingAgainForgetsTheEarlierLine) {
    LineFields fields;
    fields.Split("a,b,c,d,e");
    fields.Split("x,y");
    EXPECT_EQ(fields.Count(), 2);
    EXPECT_EQ(fields.Field(2), std::optional<std::string_view>("y"));
    EXPECT_EQ(fields.Field(3), std::nullopt);
}

}  // namespace
