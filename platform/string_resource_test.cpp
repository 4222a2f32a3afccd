#include "platform/string_resource.h"

#include <gtest/gtest.h>

#include "platform/string_table.h"

namespace platform {
namespace {

// Under Wine this reads the real resources linked into the test, so it also proves that the
// Windows string table was built from the same list.
TEST(StringResource, EveryTableEntryLoads) {
    for (auto* e = StringTableBegin(); e != StringTableEnd(); ++e) {
        EXPECT_EQ(LoadStringResource(e->id), e->text) << "string " << e->id;
    }
}

TEST(StringResource, MissingStringIsEmpty) {
    for (unsigned id : {0u, 1u, 301u, 319u, 337u, 339u, 341u, 402u, 407u}) {
        EXPECT_EQ(LoadStringResource(id), "") << "string " << id;
    }
}

TEST(StringResource, CutToTheRequestedLength) {
    EXPECT_EQ(LoadStringResource(300, 7), "Payment");
    EXPECT_EQ(LoadStringResource(300, 0), "");
}

TEST(StringResource, TableHoldsTheStatusAndHelpTexts) {
    EXPECT_STREQ(FindStringTableText(300), "Payment processed successfully.");
    EXPECT_STREQ(FindStringTableText(406),
                 "This option is to produce a single debit multi credit payment that does not have to be made "
                 "against any existing Quidlane bulk list.");
    EXPECT_EQ(FindStringTableText(301), nullptr);
}

}  // namespace
}  // namespace platform
