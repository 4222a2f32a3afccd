#include "server/registry_script.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "tests/support/com_support.h"

using com_test::Narrow;

namespace {

TEST(ParseRegistryScript, ReadsKeysValuesAndDispositions) {
    const auto script = ParseRegistryScript(LR"(
        HKCR
        {
            Some.Thing.1 = s 'A Thing'
            {
                CLSID = s '{1234}'
            }
            NoRemove CLSID
            {
                ForceRemove {1234} = s 'A Thing'
                {
                    ForceRemove 'Programmable'
                    InprocServer32 = s '%MODULE%'
                    {
                        val ThreadingModel = s 'Apartment'
                        val Count = d 42
                    }
                    Delete Stale
                }
            }
        })",
                                            {{L"MODULE", L"C:\\x\\c.dll"}});
    ASSERT_EQ(script.size(), 1u);
    EXPECT_EQ(Narrow(script[0].name), "HKCR");
    ASSERT_EQ(script[0].keys.size(), 2u);
    const RegistryKeyNode& progId = script[0].keys[0];
    EXPECT_EQ(Narrow(progId.name), "Some.Thing.1");
    EXPECT_EQ(progId.disposition, KeyDisposition::Normal);
    ASSERT_TRUE(progId.defaultValue.has_value());
    EXPECT_EQ(Narrow(progId.defaultValue->text), "A Thing");
    ASSERT_EQ(progId.subkeys.size(), 1u);
    EXPECT_EQ(Narrow(progId.subkeys[0].defaultValue->text), "{1234}");

    const RegistryKeyNode& classes = script[0].keys[1];
    EXPECT_EQ(classes.disposition, KeyDisposition::NoRemove);
    EXPECT_FALSE(classes.defaultValue.has_value());
    const RegistryKeyNode& clsid = classes.subkeys.at(0);
    EXPECT_EQ(Narrow(clsid.name), "{1234}");
    EXPECT_EQ(clsid.disposition, KeyDisposition::ForceRemove);
    ASSERT_EQ(clsid.subkeys.size(), 3u);
    EXPECT_EQ(Narrow(clsid.subkeys[0].name), "Programmable");
    EXPECT_EQ(clsid.subkeys[0].disposition, KeyDisposition::ForceRemove);
    const RegistryKeyNode& server = clsid.subkeys[1];
    EXPECT_EQ(Narrow(server.defaultValue->text), "C:\\x\\c.dll");
    ASSERT_EQ(server.namedValues.size(), 2u);
    EXPECT_EQ(Narrow(server.namedValues[0].first), "ThreadingModel");
    EXPECT_EQ(Narrow(server.namedValues[0].second.text), "Apartment");
    EXPECT_EQ(server.namedValues[1].second.type, RegistryValue::Type::Number);
    EXPECT_EQ(server.namedValues[1].second.number, 42u);
    EXPECT_EQ(clsid.subkeys[2].disposition, KeyDisposition::Delete);
}

TEST(ParseRegistryScript, ReplacementCannotChangeTheShapeOfTheScript) {
    // A folder name with a quote and braces stays one value.
    const std::wstring path = L"C:\\O'Brien's } { files\\c.dll";
    const auto script = ParseRegistryScript(L"HKCR { Key = s '%MODULE%' }", {{L"MODULE", path}});
    ASSERT_EQ(script.at(0).keys.size(), 1u);
    EXPECT_EQ(script[0].keys[0].defaultValue->text, path);
}

TEST(ParseRegistryScript, QuotesDoubledInsideTextAndPercentDoubled) {
    const auto script = ParseRegistryScript(L"HKCU { 'It''s' = s '100%% ''sure''' }", {});
    EXPECT_EQ(Narrow(script.at(0).keys.at(0).name), "It's");
    EXPECT_EQ(Narrow(script[0].keys[0].defaultValue->text), "100% 'sure'");
}

TEST(ParseRegistryScript, KeywordsAreCaseInsensitive) {
    const auto script = ParseRegistryScript(L"HKCR { noremove A { VAL x = S 'y' forceremove B } }", {});
    const RegistryKeyNode& a = script.at(0).keys.at(0);
    EXPECT_EQ(a.disposition, KeyDisposition::NoRemove);
    EXPECT_EQ(a.namedValues.size(), 1u);
    EXPECT_EQ(a.subkeys.at(0).disposition, KeyDisposition::ForceRemove);
}

TEST(ParseRegistryScript, RefusesMalformedScripts) {
    const wchar_t* const malformed[] = {
        L"HKCR { A = s 'unterminated }",
        L"HKCR { A = s 'x' ",
        L"HKCR A = s 'x' }",
        L"HKCR { A = q 'x' }",
        L"HKCR { A = s unquoted }",
        L"HKCR { A = d 'twelve' }",
        L"HKCR { A = d 99999999999 }",
        L"HKCR { A = s '%UNKNOWN%' }",
        L"HKCR { A = s '%MODULE' }",
        L"HKCR { = s 'x' }",
        L"HKCR { A { val = s 'x' } }",
        L"HKCR { A } }",
    };
    for (const wchar_t* text : malformed) {
        SCOPED_TRACE(Narrow(text));
        try {
            ParseRegistryScript(text, {{L"MODULE", L"m"}});
            ADD_FAILURE() << "accepted";
        } catch (const CAtlException& failure) {
            EXPECT_EQ(failure.Result(), hresult::kFail);
        }
    }
}

TEST(ParseRegistryScript, EmptyScriptHasNoRoots) {
    EXPECT_TRUE(ParseRegistryScript(L"  \r\n\t ", {}).empty());
}

}  // namespace
