#include "payments/amount_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

struct Case {
    double value;
    const char* expected;
};

void ExpectAmounts(const Case* begin, const Case* end) {
    for (auto c = begin; c != end; ++c) {
        EXPECT_EQ(FormatAmount(c->value), c->expected) << "value " << std::hexfloat << c->value << std::defaultfloat
                                                       << " (" << c->value << ")";
    }
}

TEST(AmountText, TwoDecimalsAPointAndTheSign) {
    const Case cases[] = {
        {100, "100.00"},        {0, "0.00"},       {0.004, "0.00"},     {-5, "-5.00"},
        {0.5, "0.50"},          {0.01, "0.01"},    {12.3, "12.30"},     {1234567.891, "1234567.89"},
        {-1234.5, "-1234.50"},  {0.1 + 0.2, "0.30"}, {99.999, "100.00"}, {-99.999, "-100.00"},
        {123456789012345.67, "123456789012345.67"},
    };
    ExpectAmounts(std::begin(cases), std::end(cases));
}

TEST(AmountText, ExactHalvesRoundAwayFromZero) {
    // Only odd multiples of 1/8 lie exactly halfway between two cents; C runtimes disagree on them.
    const Case cases[] = {
        {0.125, "0.13"},   {0.375, "0.38"},     {0.625, "0.63"},           {0.875, "0.88"},
        {1.125, "1.13"},   {-0.125, "-0.13"},   {-0.375, "-0.38"},         {1234567.125, "1234567.13"},
        {70368744177663.875, "70368744177663.88"},
    };
    ExpectAmounts(std::begin(cases), std::end(cases));
}

TEST(AmountText, ValuesThatAreNotExactRoundFromTheirStoredValue) {
    const Case cases[] = {
        {1.005, "1.00"},    // stored as 1.00499999999999989...
        {2.675, "2.67"},    // 2.67499999999999982...
        {1.015, "1.01"},    // 1.01499999999999990...
        {1.045, "1.04"},
        {0.005, "0.01"},    // 0.00500000000000000010...
        {0.015, "0.01"},    // 0.01499999999999999944...
        {100.115, "100.11"},
        {19.995, "20.00"},  // 19.99500000000000099...
        {0.995, "0.99"},
        {999999.995, "999999.99"},
        {9999999.995, "9999999.99"},
        {12345678901234.565, "12345678901234.56"},
    };
    ExpectAmounts(std::begin(cases), std::end(cases));
}

TEST(AmountText, LargeValuesAreWrittenInFull) {
    const Case cases[] = {
        {1e15, "1000000000000000.00"},
        {1e16, "10000000000000000.00"},
        {9007199254740992.0, "9007199254740992.00"},
        {9007199254740994.0, "9007199254740994.00"},
        {4503599627370495.5, "4503599627370495.50"},
        {1e17, "100000000000000000.00"},
        {1e20, "100000000000000000000.00"},
        {1e23, "99999999999999991611392.00"},
        {-1e23, "-99999999999999991611392.00"},
        {1e300,
         "1000000000000000052504760255204420248704468581108159154915854115511802457988908195786371375080447864043704443"
         "832883878176942523235360430575644792184786706982848387200926575803737830233794788090059368953234970799945081"
         "119038967640880074652742780142494579258788820056842838115669472196386865459400540160.00"},
        {DBL_MAX,
         "17976931348623157081452742373170435679807056752584499659891747680315726078002853876058955863276687817154045895"
         "35143824642343213268894641827684675467035375169860499105765512820762454900903893289440758685084551339423045832"
         "36903222948165808559332123348274797826204144723168738177180919299881250404026184124858368.00"},
    };
    ExpectAmounts(std::begin(cases), std::end(cases));
}

TEST(AmountText, TinyValuesAndSignedZeros) {
    const Case cases[] = {
        {4.999999987376214e-07, "0.00"},
        {5e-324, "0.00"},
        {DBL_MIN, "0.00"},
        {0.0049999999999999, "0.00"},
        {-0.0, "0.00"},       // not negative
        {-0.001, "-0.00"},    // negative, rounds to nothing
        {-5e-324, "-0.00"},
    };
    ExpectAmounts(std::begin(cases), std::end(cases));
}

TEST(AmountText, NotANumberAndInfinitiesGiveNoAmount) {
    EXPECT_EQ(FormatAmount(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(FormatAmount(-std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(FormatAmount(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(FormatAmount(-std::numeric_limits<double>::infinity()), "");
}

TEST(AmountText, EveryCentUpToAThousandPoundsRoundTrips) {
    // Amounts typed with two decimals are the common case: each must come back as typed.
    for (int cents = 0; cents <= 100000; ++cents) {
        const double value = cents / 100.0;
        const std::string expected = std::to_string(cents / 100) + "." + (cents % 100 < 10 ? "0" : "") +
                                     std::to_string(cents % 100);
        ASSERT_EQ(FormatAmount(value), expected) << "cents " << cents;
    }
}

}  // namespace
