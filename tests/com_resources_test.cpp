// The resources the component DLL carries: one string table with every string, the type
// library, and one registry script per class.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/string_table.h"
#include "tests/support/com_support.h"

namespace {

BOOL CALLBACK CountLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR counts) {
    ++(*reinterpret_cast<std::map<WORD, int>*>(counts))[language];
    return TRUE;
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    if (IS_INTRESOURCE(name)) reinterpret_cast<std::set<ULONG_PTR>*>(names)->insert(reinterpret_cast<ULONG_PTR>(name));
    return TRUE;
}

std::set<ULONG_PTR> ResourceIds(HMODULE module, LPCWSTR type) {
    std::set<ULONG_PTR> ids;
    ::EnumResourceNamesW(module, type, &CollectName, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

TEST(ComponentResources, StringTableHoldsEveryStringExactlyOnce) {
    const com_test::ComponentModule component;
    for (auto entry = StringTableBegin(); entry != StringTableEnd(); ++entry) {
        SCOPED_TRACE(entry->id);
        char text[256] = {};
        const int length = ::LoadStringA(component.Handle(), entry->id, text, sizeof text);
        EXPECT_GT(length, 0);
        EXPECT_STREQ(text, entry->text);
    }
    // Strings live in blocks of 16; each block must be there in one language only.
    const std::set<ULONG_PTR> blocks = ResourceIds(component.Handle(), MAKEINTRESOURCEW(6));
    EXPECT_FALSE(blocks.empty());
    for (const ULONG_PTR block : blocks) {
        SCOPED_TRACE(block);
        std::map<WORD, int> languages;
        ::EnumResourceLanguagesW(component.Handle(), MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(block), &CountLanguage,
                                 reinterpret_cast<LONG_PTR>(&languages));
        EXPECT_EQ(languages.size(), 1u);
        for (const auto& [language, count] : languages) EXPECT_EQ(count, 1) << "language " << language;
    }
}

TEST(ComponentResources, CarryTheTypeLibraryAndOneRegistryScriptPerClass) {
    const com_test::ComponentModule component;
    EXPECT_EQ(ResourceIds(component.Handle(), L"TYPELIB"), std::set<ULONG_PTR>{1});
    EXPECT_EQ(ResourceIds(component.Handle(), L"REGISTRY"), (std::set<ULONG_PTR>{101, 102, 103, 104}));
    ComPtr<ITypeLib> embedded;
    ASSERT_EQ(::LoadTypeLibEx(com_test::ComponentPath().c_str(), REGKIND_NONE, embedded.Receive()), S_OK);
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(embedded->GetLibAttr(&attributes), S_OK);
    EXPECT_TRUE(::IsEqualGUID(attributes->guid, LIBID_TESKVARROWINTERNETBANKINGLib));
    embedded->ReleaseTLibAttr(attributes);
}

}  // namespace
