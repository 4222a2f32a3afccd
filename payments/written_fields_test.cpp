#include "payments/written_fields.h"

#include <gtest/gtest.h>

namespace {

struct FieldCase {
    const RecordLayout& layout;
    FieldContent content;
    std::string value;
    std::string fault;  // a part of the one fault expected; empty for none
};

TEST(FieldFaults, NameWhatIsWrongAndTheDamageItLooksLike) {
    using C = FieldContent;
    const FieldCase cases[] = {
        {kStandardPayment, C::PayeeAccountNumber, "01234567", ""},
        {kStandardPayment, C::PayeeAccountNumber, "1234567", "1234567 has 7 digits, not 8: a spreadsheet may have dropped a leading zero; write the file again"},
        {kStandardPayment, C::PayeeAccountNumber, "123456789", "has 9 digits, not 8"},
        {kStandardPayment, C::PayeeAccountNumber, "1234?678", "1234?678 is not 8 digits"},
        {kStandardPayment, C::PayeeAccountNumber, "", "is empty: it must be 8 digits"},
        {kStandardPayment, C::PayeeSortCode, "12345 ", "'12345 ' is not 6 digits"},
        {kStandardPayment, C::PayerAccount, "1.23456E+13", "the payer field 1.23456E+13 is in scientific notation"},
        {kStandardPayment, C::PayerAccount, "1234561234567", "has 13 digits, not 14"},
        {kStandardPayment, C::Amount, "100.50", ""},
        {kStandardPayment, C::Amount, "100.5", "the amount 100.5 has one decimal: a spreadsheet may have reformatted it"},
        {kStandardPayment, C::Amount, "100", "the amount 100 has no decimals"},
        {kStandardPayment, C::Amount, "100.505", "has 3 decimals, not 2"},
        {kStandardPayment, C::Amount, "-5.00", "is negative"},
        {kStandardPayment, C::Amount, "0.00", "is not above 0.00: an amount below half a penny is written as 0.00"},
        {kStandardPayment, C::Amount, "1.2E+03", "scientific notation"},
        {kStandardPayment, C::Amount, "\xC2\xA3" "5.00", "holds a pound sign in UTF-8 (bytes C2 A3)"},
        {kStandardPayment, C::Amount, ".50", "is not digits, '.' and two decimals"},
        {kStandardPayment, C::Amount, "", "the amount is empty"},
        {kStandardPayment, C::ProcessingDate, "07122026", ""},
        {kStandardPayment, C::ProcessingDate, "7122026", "has 7 digits, not 8 (DDMMYYYY): a spreadsheet may have dropped the day's"},
        {kStandardPayment, C::ProcessingDate, "07/12/2026", "is not written DDMMYYYY: a spreadsheet may have reformatted it"},
        {kStandardPayment, C::ProcessingDate, "7.12203E+06", "scientific notation"},
        {kStandardPayment, C::ProcessingDate, "31022026", "is no date"},
        {kStandardPayment, C::ProcessingDate, "07120026", "is no date"},
        {kStandardPayment, C::PayeeName, "J. SMITH & CO", ""},
        {kStandardPayment, C::PayeeName, "", "the payee name is empty, and the bank needs one"},
        {kStandardPayment, C::PayeeName, "O BRIEN \xA3", "holds a pound sign (byte A3), which the bank does not take"},
        {kStandardPayment, C::PayeeName, "ABCDEFGHIJKLMNOPQRS", "has 19 characters, more than the 18 its field holds"},
        {kAdHocBulkRecord, C::PayeeName, "ABCDEFGHIJKLMNOPQRS", ""},
        {kTemplatePayment, C::TemplateName, "", ""},
        {kStandardTransfer, C::Currency, "GBP", ""},
        {kStandardTransfer, C::Currency, "", "the currency is empty, not GBP"},
        {kStandardTransfer, C::Currency, "EUR", "the currency is EUR, not GBP"},
        {kBulkListHeader, C::ListMarker, "c", "field 74 is c, not C: the bank takes capitals only"},
    };
    for (const FieldCase& c : cases) {
        const std::vector<std::string> faults = FieldFaults(*c.layout.Find(c.content), c.value);
        const std::string row = std::string(c.layout.description) + " [" + c.value + "]";
        ASSERT_EQ(faults.size(), c.fault.empty() ? 0u : 1u) << row << (faults.empty() ? "" : ": " + faults[0]);
        if (!c.fault.empty()) {
            EXPECT_NE(faults[0].find(c.fault), std::string::npos) << row << ": " << faults[0];
        }
    }
}

TEST(FieldFaults, TextGetsOneFindingForEachKindOfFault) {
    const std::vector<std::string> faults = FieldFaults(*kStandardPayment.Find(FieldContent::PayeeName), "o'brien & daughters");
    ASSERT_EQ(faults.size(), 3u);
    EXPECT_EQ(faults[0], "the payee name 'o'brien & daughters' is in lower case: the bank takes capitals only" + std::string(kWriteAgain));
    EXPECT_NE(faults[1].find("holds an apostrophe, which the bank does not take (only A-Z, 0-9, space and . - / &)"), std::string::npos) << faults[1];
    EXPECT_NE(faults[2].find("has 19 characters"), std::string::npos) << faults[2];
}

TEST(CharacterName, NamesWhatPeopleTypeAndShowsTheRestAsBytes) {
    const std::pair<std::string, std::string> cases[] = {
        {"'", "an apostrophe"}, {"*", "'*'"}, {"\t", "a tab"}, {std::string(1, '\0'), "byte 00"},
        {"\xC2\xA3", "a pound sign in UTF-8 (bytes C2 A3)"}, {"\xA3", "a pound sign (byte A3)"},
        {"\xE2\x82\xAC", "a euro sign in UTF-8 (bytes E2 82 AC)"}, {"\x92", "a curly apostrophe (byte 92)"},
        {"\xC3\xA9", "U+00E9 in UTF-8 (bytes C3 A9)"}, {"\xE9", "byte E9"}, {"\xC3", "byte C3"},
    };
    for (const auto& [text, name] : cases) {
        std::size_t at = 0;
        EXPECT_EQ(CharacterName(text, at), name) << ShownValue(text);
        EXPECT_EQ(at, text.size()) << ShownValue(text);
    }
}

}  // namespace
