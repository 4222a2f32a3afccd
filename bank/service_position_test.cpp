#include "bank/bank_services_impl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/com_support.h"

namespace {

const std::vector<std::wstring> kNames = {L"Bank Payment Service", L"Bank Reconciliation Service"};

int Resolve(const VARIANT* index) {
    return ResolveServicePosition(index, static_cast<int>(kNames.size()), [](int position) {
        return UniqueBstr(::SysAllocString(kNames.at(static_cast<std::size_t>(position)).c_str()));
    });
}

UniqueVariant Number(VARTYPE type, double value) {
    UniqueVariant v;
    V_VT(&v.Get()) = VT_R8;
    V_R8(&v.Get()) = value;
    if (type != VT_R8) ::VariantChangeType(&v.Get(), &v.Get(), 0, type);
    return v;
}

UniqueVariant Text(const wchar_t* text) {
    UniqueVariant v;
    V_VT(&v.Get()) = VT_BSTR;
    V_BSTR(&v.Get()) = ::SysAllocString(text);
    return v;
}

TEST(ResolveServicePosition, NumbersAreZeroBasedPositions) {
    struct Case {
        VARTYPE type;
        double value;
        int position;
    };
    const Case cases[] = {
        {VT_I4, 0, 0},    {VT_I4, 1, 1},    {VT_I4, 2, -1},  {VT_I4, -1, -1}, {VT_I2, 1, 1},
        {VT_UI1, 0, 0},   {VT_R8, 0.4, 0},  {VT_R8, 1.4, 1}, {VT_R8, 1.6, -1}, {VT_R8, -0.4, 0},
        {VT_R4, 1, 1},    {VT_BOOL, 1, -1}, {VT_CY, 1, 1},   {VT_DECIMAL, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type) + " value " + std::to_string(c.value));
        const UniqueVariant index = Number(c.type, c.value);
        ASSERT_EQ(V_VT(&index.Get()), c.type);
        EXPECT_EQ(Resolve(&index.Get()), c.position);
    }
}

TEST(ResolveServicePosition, StringsAreNamesComparedCaseSensitively) {
    struct Case {
        const wchar_t* text;
        int position;
    };
    const Case cases[] = {
        {L"Bank Payment Service", 0},
        {L"Bank Reconciliation Service", 1},
        {L"bank reconciliation service", -1},
        {L"Bank Reconciliation Service ", -1},
        {L"1", -1},
        {L"0", -1},
        {L"", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(com_test::Narrow(c.text));
        const UniqueVariant index = Text(c.text);
        EXPECT_EQ(Resolve(&index.Get()), c.position);
    }
}

TEST(ResolveServicePosition, ValuesHandedOverByReferenceAreFollowed) {
    UniqueVariant name = Text(L"Bank Reconciliation Service");
    VARIANT byRefString;
    V_VT(&byRefString) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&byRefString) = &V_BSTR(&name.Get());
    EXPECT_EQ(Resolve(&byRefString), 1);

    UniqueVariant number = Number(VT_I2, 1);
    VARIANT byRefVariant;
    V_VT(&byRefVariant) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&byRefVariant) = &number.Get();
    EXPECT_EQ(Resolve(&byRefVariant), 1);

    VARIANT byRefName;
    V_VT(&byRefName) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&byRefName) = &name.Get();
    EXPECT_EQ(Resolve(&byRefName), 1);

    LONG position = 0;
    VARIANT byRefLong;
    V_VT(&byRefLong) = VT_I4 | VT_BYREF;
    V_I4REF(&byRefLong) = &position;
    EXPECT_EQ(Resolve(&byRefLong), 0);
}

TEST(ResolveServicePosition, NothingToGoOnNamesNoPosition) {
    EXPECT_EQ(Resolve(nullptr), -1);
    UniqueVariant empty;
    EXPECT_EQ(Resolve(&empty.Get()), -1);
    VARIANT missing;
    V_VT(&missing) = VT_ERROR;
    V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
    EXPECT_EQ(Resolve(&missing), -1);
    VARIANT null;
    V_VT(&null) = VT_NULL;
    EXPECT_EQ(Resolve(&null), -1);
}

}  // namespace
