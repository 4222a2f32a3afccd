#include "statements/field_splitting.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

std::string Show(const std::optional<std::string_view>& field) {
    return field ? "[" + std::string(*field) + "]" : "nothing";
}

TEST(CountFields, CountsSeparatorsOutsideQuotes) {
    const struct {
        const char* line;
        int expected;
    } cases[] = {
        {"", 1},
        {"a", 1},
        {"a,b", 2},
        {",,,", 4},
        {"a,\"b,c\",d", 3},
        {"a\"\"b,c", 2},                          // a doubled quote toggles twice
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,14", 14},
        {"a,\"b,c", 1},                            // ends inside a quote: one less
        {"\"a,b", 0},
        {"a,b,\"", 2},
        {"a,b\r", 2},
    };
    for (const auto& c : cases) {
        bool quoted = false;
        EXPECT_EQ(CountFields(std::string_view(c.line), ',', quoted), c.expected) << "line [" << c.line << "]";
    }
}

TEST(CountFields, MissingLineCountsZero) {
    bool quoted = false;
    EXPECT_EQ(CountFields(static_cast<const char*>(nullptr), ',', quoted), 0);
    EXPECT_EQ(CountFields("a,b", ',', quoted), 2);
}

TEST(CountFields, QuotedStateBelongsToTheCaller) {
    bool quoted = true;
    EXPECT_EQ(CountFields(std::string_view("a,b"), ',', quoted), 0);  // the comma was inside a quote
    EXPECT_TRUE(quoted);
    quoted = false;
    CountFields(std::string_view("a,\"b"), ',', quoted);
    EXPECT_TRUE(quoted);
}

TEST(GetField, FindsFieldsAsTheRulesSay) {
    const struct {
        const char* line;
        int n;
        std::optional<std::string_view> expected;
    } cases[] = {
        {"a,b,c", 1, "a"},
        {"a,b,c", 2, "b"},
        {"a,b,c", 3, "c"},
        {"a,b,c", 4, std::nullopt},
        {"a,b,c", 5, std::nullopt},
        {"a,b,c", 0, std::nullopt},
        {"a,b,c", -1, std::nullopt},
        {"abc", 1, std::nullopt},  // a line without any comma has no last field
        {"a,b,", 3, ""},
        {",b", 1, ""},
        {"\"a\",b", 1, "\"a\""},
        {"a,\"Smith, J & Co\",c", 2, "\"Smith, J & Co\""},
        // The last field: its quotes hold commas, and whatever follows the closing quote goes.
        {"a,b,\"1,234.56\"", 3, "\"1,234.56\""},
        {"a,b,\"1,234.56\"\r", 3, "\"1,234.56\""},
        {"a,b,\"12.50\"xyz", 3, "\"12.50\""},
        {"a,b,12.50\r", 3, "12.50\r"},
        {"a,\"x,y\",12.50", 3, "12.50"},
        // A quote after the last comma without an opening quote before it gives an empty field...
        {"a,b,c\"d", 3, ""},
        // ...or runs back to the nearest earlier quote, even in another field.
        {"a,\"x\",c\"d", 3, "\",c\""},
        // The line's first character is never taken as an opening quote.
        {"\"a,b\"", 1, ""},
        {"x,\"a,b\"", 2, "\"a,b\""},
        // Ends inside a quote: two separators count, so field 3 is the last one, after the last comma.
        {"a,b,\"c,d", 3, "d"},
        {"a,b,\"c,d", 4, std::nullopt},
        {"a,b,\"c,d", 2, "b"},
    };
    for (const auto& c : cases) {
        const auto actual = GetField(c.line, ',', c.n);
        EXPECT_EQ(actual, c.expected) << "field " << c.n << " of [" << c.line << "] gave " << Show(actual);
    }
}

TEST(StripQuotes, RemovesOnePairOfEnclosingQuotes) {
    const struct {
        const char* value;
        const char* expected;
    } cases[] = {
        {"\"abc\"", "abc"},  {"\"\"", ""},         {"\"", "\""},           {"", ""},
        {"abc", "abc"},      {"\"abc", "\"abc"},   {"abc\"", "abc\""},     {"\"a\"b\"", "a\"b"},
        {"\"a\"\"b\"", "a\"\"b"},  // no unescaping
        {"\"\"\"\"", "\"\""},
        {" \"abc\"", " \"abc\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StripQuotes(c.value), c.expected) << "value [" << c.value << "]";
    }
}

// The last field of a line with a separator, as GetLastField finds it: after the last comma, or
// from the quote before the last quote when that stands after it.
TEST(LastFieldOfSplitLine, IsGetLastFieldOfALineWithAComma) {
    for (const char* line : {"a,b", "a,", ",", "a,\"1,234.56\"", "a,\"1,234.56\"\r", "a,\"x\" tail", "\",a\"", "a,\"",
                             "a,\"\"", "\"a,\"b\",c\"", "x\"a\",b\"", "1\"2,3\"4", "a,b\"", "\"\",a\""}) {
        const auto last = GetLastField(line);
        ASSERT_TRUE(last.has_value()) << line;
        EXPECT_EQ(LastFieldOfSplitLine(line), *last) << "line [" << line << "]";
    }
    EXPECT_FALSE(GetLastField("no comma \"here\"").has_value());
}

}  // namespace
