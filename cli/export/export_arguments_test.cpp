#include "cli/export/export_arguments.h"

#include <gtest/gtest.h>

#include "cli/shared/usage_error.h"

namespace cli {

namespace {

using Args = std::vector<std::string>;

std::string Join(const Args& args) {
    std::string out;
    for (const auto& arg : args) out += "'" + arg + "' ";
    return out;
}

TEST(ParseExportArguments, TheLeastIsAnOutputAndAPaymentList) {
    const auto parsed = ParseExportArguments({"-o", "out.txt", "payments.csv"});
    EXPECT_FALSE(parsed.help);
    EXPECT_EQ(parsed.format, PaymentFormat::StandardDomestic);
    EXPECT_FALSE(parsed.date.has_value());
    EXPECT_FALSE(parsed.today.has_value());
    EXPECT_FALSE(parsed.templateName.has_value());
    EXPECT_FALSE(parsed.beneficiaryReference.has_value());
    EXPECT_TRUE(parsed.iat.empty());
    EXPECT_EQ(parsed.output, "out.txt");
    EXPECT_EQ(parsed.payments, "payments.csv");
}

TEST(ParseExportArguments, ReadsEveryOptionInBothSpellings) {
    const Args spaced = {"--format", "bulk-list", "--date", "07/12/2026", "--today", "2026-12-01",
                         "--template", "Rent Q1", "--benref", "", "--output", "o.txt", "p.csv"};
    const Args joined = {"p.csv", "--format=bulk-list", "--date=07/12/2026", "--today=2026-12-01",
                         "--template=Rent Q1", "--benref=", "-o", "o.txt"};
    for (const Args& args : {spaced, joined}) {
        const auto parsed = ParseExportArguments(args);
        EXPECT_EQ(parsed.format, PaymentFormat::BulkList) << Join(args);
        EXPECT_EQ(parsed.date, std::optional<double>(46363)) << Join(args);
        EXPECT_EQ(parsed.today, std::optional<double>(46357)) << Join(args);
        EXPECT_EQ(parsed.templateName, std::optional<std::string>("Rent Q1")) << Join(args);
        EXPECT_EQ(parsed.beneficiaryReference, std::optional<std::string>("")) << Join(args);
        EXPECT_EQ(parsed.output, "o.txt") << Join(args);
        EXPECT_EQ(parsed.payments, "p.csv") << Join(args);
    }
}

TEST(ParseExportArguments, NamesEachFormat) {
    const std::pair<const char*, PaymentFormat> cases[] = {
        {"standard-domestic", PaymentFormat::StandardDomestic},
        {"domestic-template", PaymentFormat::DomesticTemplate},
        {"bulk-list", PaymentFormat::BulkList},
        {"ad-hoc-bulk", PaymentFormat::AdHocBulk},
    };
    for (const auto& [name, format] : cases) {
        EXPECT_EQ(ParseExportArguments({"--format", name, "-o", "o", "p"}).format, format) << name;
        EXPECT_STREQ(FormatName(format), name);
    }
}

TEST(ParseExportArguments, ReadsTheIatListInTheDomesticFormats) {
    EXPECT_EQ(ParseExportArguments({"--iat", "0,2,17", "-o", "o", "p"}).iat, (std::vector<std::int32_t>{0, 2, 17}));
    EXPECT_EQ(ParseExportArguments({"--format", "domestic-template", "--iat", "3", "-o", "o", "p"}).iat,
              (std::vector<std::int32_t>{3}));
}

TEST(ParseExportArguments, ReadsTheCheckForPaymentsMadeTwice) {
    const auto none = ParseExportArguments({"-o", "o", "p"});
    EXPECT_FALSE(none.duplicateDays);
    EXPECT_FALSE(none.allowDuplicates);
    const auto given = ParseExportArguments({"--duplicate-days", "31", "--allow-duplicates", "-o", "o", "p"});
    EXPECT_EQ(given.duplicateDays, 31);
    EXPECT_TRUE(given.allowDuplicates);
    EXPECT_EQ(ParseExportArguments({"--duplicate-days=0", "-o", "o", "p"}).duplicateDays, 0);
}

TEST(ParseExportArguments, HelpWinsOverEverythingElse) {
    EXPECT_TRUE(ParseExportArguments({"--help"}).help);
    EXPECT_TRUE(ParseExportArguments({"--bogus", "-h"}).help);
    EXPECT_FALSE(ParseExportArguments({"-o", "o", "--", "--help"}).help);
}

TEST(ParseExportArguments, AfterTwoDashesEverythingIsAPaymentList) {
    EXPECT_EQ(ParseExportArguments({"-o", "o", "--", "-odd.csv"}).payments, "-odd.csv");
}

struct UsageCase {
    Args args;
    const char* mentions;  // the message names what is wrong
};

TEST(ParseExportArguments, RefusesWhatIsWrongAndSaysWhat) {
    const UsageCase cases[] = {
        {{}, "-o OUT"},
        {{"p.csv"}, "-o OUT"},
        {{"-o", "", "p.csv"}, "-o OUT"},
        {{"-o", "o"}, "PAYMENTS.csv"},
        {{"-o", "o", "p.csv", "q.csv"}, "'q.csv'"},
        {{"-o"}, "-o needs a value"},
        {{"p.csv", "-o", "o", "--date"}, "--date needs a value"},
        {{"--colour", "red", "-o", "o", "p"}, "'--colour'"},
        {{"-x", "-o", "o", "p"}, "'-x'"},
        {{"-o", "o", "-o", "o2", "p"}, "-o is given more than once"},
        {{"-o", "o", "--output", "o2", "p"}, "-o is given more than once"},
        {{"--format", "bulk", "-o", "o", "p"}, "'bulk'"},
        {{"--format", "Bulk-List", "-o", "o", "p"}, "'Bulk-List'"},
        {{"--date", "31/02/2026", "-o", "o", "p"}, "--date '31/02/2026'"},
        {{"--date", "7/12/2026", "-o", "o", "p"}, "--date '7/12/2026'"},
        {{"--today", "tomorrow", "-o", "o", "p"}, "--today 'tomorrow'"},
        {{"--iat", "", "-o", "o", "p"}, "--iat"},
        {{"--iat", "1,,2", "-o", "o", "p"}, "''"},
        {{"--iat", "1,x", "-o", "o", "p"}, "'x'"},
        {{"--iat", "-1", "-o", "o", "p"}, "'-1'"},
        {{"--iat", "+1", "-o", "o", "p"}, "'+1'"},
        {{"--iat", "1 ,2", "-o", "o", "p"}, "'1 '"},
        {{"--iat", "99999999999", "-o", "o", "p"}, "'99999999999'"},
        {{"--format", "bulk-list", "--iat", "0", "-o", "o", "p"}, "bulk-list"},
        {{"--iat", "0", "--format", "ad-hoc-bulk", "-o", "o", "p"}, "ad-hoc-bulk"},
        {{"--check-accounts=1", "-o", "o", "p"}, "--check-accounts takes no value"},
        {{"--tables", "t", "-o", "o", "p"}, "--check-accounts"},
        {{"--duplicate-days", "401", "-o", "o", "p"}, "--duplicate-days '401' is not a number of days from 0 to 400"},
        {{"--duplicate-days", "-1", "-o", "o", "p"}, "'-1'"},
        {{"--duplicate-days", "a week", "-o", "o", "p"}, "'a week'"},
        {{"--allow-duplicates=yes", "-o", "o", "p"}, "--allow-duplicates takes no value"},
    };
    for (const auto& c : cases) {
        try {
            ParseExportArguments(c.args);
            ADD_FAILURE() << Join(c.args) << "was accepted";
        } catch (const UsageError& e) {
            EXPECT_NE(std::string(e.what()).find(c.mentions), std::string::npos)
                << Join(c.args) << "gave: " << e.what();
        }
    }
}

}  // namespace

}  // namespace cli
