#include "server/error_info.h"

#include <gtest/gtest.h>

#include "tests/support/com_support.h"

using com_test::HexText;
using com_test::Narrow;
using com_test::TakeErrorDescription;

namespace {

struct MappingCase {
    HRESULT raised;
    HRESULT returned;
    const wchar_t* description;
};

TEST(ErrorInfoFromHResult, EveryRowReturnsItsCodeAndPublishesItsDescriptionWithoutSourceOrHelp) {
    const MappingCase cases[] = {
        {E_UNEXPECTED, static_cast<HRESULT>(0x800AFFFE), L"Unexpected result"},
        {E_OUTOFMEMORY, static_cast<HRESULT>(0x800AFFFD), L"Out of Memory"},
        {E_INVALIDARG, static_cast<HRESULT>(0x800AFFFC), L"Invalid argument"},
        {E_NOTIMPL, static_cast<HRESULT>(0x800AFFFB), L"Not implemented"},
        {E_NOINTERFACE, static_cast<HRESULT>(0x800AFFFA), L"Interface not supported"},
        // Values not in the table use row 0.
        {E_ACCESSDENIED, static_cast<HRESULT>(0x800AFFFE), L"Unexpected result"},
        {E_FAIL, static_cast<HRESULT>(0x800AFFFE), L"Unexpected result"},
        {E_POINTER, static_cast<HRESULT>(0x800AFFFE), L"Unexpected result"},
        // The table's closing zero row is never matched.
        {S_OK, static_cast<HRESULT>(0x800AFFFE), L"Unexpected result"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE("raised " + HexText(row.raised));
        com_test::ClearErrorInfo();
        EXPECT_EQ(HexText(ErrorInfoFromHResult(row.raised)), HexText(row.returned));
        ComPtr<IErrorInfo> info;
        ASSERT_EQ(::GetErrorInfo(0, info.Receive()), S_OK);
        UniqueBstr description, source, helpFile;
        info->GetDescription(description.Receive());
        info->GetSource(source.Receive());
        info->GetHelpFile(helpFile.Receive());
        DWORD helpContext = 7;
        info->GetHelpContext(&helpContext);
        EXPECT_EQ(Narrow(description.Get()), Narrow(row.description));
        EXPECT_EQ(::SysStringLen(source.Get()), 0u);
        EXPECT_EQ(::SysStringLen(helpFile.Get()), 0u);
        EXPECT_EQ(helpContext, 0u);
    }
}

TEST(ErrorInfoFromHResult, CodesAlreadyMeantForTheCallerPassUnchangedAndPublishNothing) {
    const HRESULT passing[] = {DISP_E_EXCEPTION, static_cast<HRESULT>(0x800A1234), static_cast<HRESULT>(0x800AFFFC),
                               static_cast<HRESULT>(0x000A0005)};
    for (const HRESULT hr : passing) {
        SCOPED_TRACE(HexText(hr));
        com_test::ClearErrorInfo();
        EXPECT_EQ(HexText(ErrorInfoFromHResult(hr)), HexText(hr));
        EXPECT_FALSE(TakeErrorDescription().has_value());
    }
}

TEST(ErrorInfoFromHResult, TableHasTheFiveRowsInOrder) {
    const HRESULT expected[] = {E_UNEXPECTED, E_OUTOFMEMORY, E_INVALIDARG, E_NOTIMPL, E_NOINTERFACE};
    ASSERT_EQ(ErrorMappingEnd() - ErrorMappingBegin(), 5);
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(HexText(ErrorMappingBegin()[row].raised), HexText(expected[row]));
        EXPECT_EQ(HexText(ErrorMappingBegin()[row].returned), HexText(static_cast<HRESULT>(0x800A0000u | (0xFFFEu - row))));
    }
}

std::wstring SystemText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                                          LANG_USER_DEFAULT, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring copy(text, length);
    ::LocalFree(text);
    return copy;
}

TEST(ErrorInfoFromSystemText, PublishesTheSystemsTextForTheCode) {
    for (const DWORD code : {DWORD{ERROR_FILE_NOT_FOUND}, DWORD{ERROR_ACCESS_DENIED}}) {
        SCOPED_TRACE(code);
        com_test::ClearErrorInfo();
        EXPECT_EQ(HexText(ErrorInfoFromSystemText(code)), "0x800AFFFF");
        const auto description = TakeErrorDescription();
        ASSERT_TRUE(description.has_value());
        EXPECT_FALSE(description->empty());
        EXPECT_EQ(Narrow(*description), Narrow(SystemText(code)));
    }
}

TEST(ErrorInfoFromSystemText, CodeWithoutTextStillFailsWithAnEmptyDescription) {
    com_test::ClearErrorInfo();
    EXPECT_EQ(HexText(ErrorInfoFromSystemText(0x2FFFFFFF)), "0x800AFFFF");
    const auto description = TakeErrorDescription();
    ASSERT_TRUE(description.has_value());
    EXPECT_EQ(Narrow(*description), "");
}

}  // namespace
