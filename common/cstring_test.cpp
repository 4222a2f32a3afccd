#include "common/cstring.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/errors.h"

namespace {

int HResultOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const CAtlException& e) {
        return e.Result();
    }
    return 0;
}

TEST(CString, EmptyByDefault) {
    const CString s;
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(s.GetString(), "");
    EXPECT_EQ(s.GetLength(), 0);
}

TEST(CString, ConvertsUtf16WithTheAnsiCodePage) {
    const CString s(u"Caf\u00E9 \u20AC1");
    EXPECT_EQ(s.View(), "Caf\xE9 \x80" "1");
    CString t;
    t = u"x";
    t += u"\u00A3";
    EXPECT_EQ(t.View(), "x\xA3");
}

TEST(CString, NullTextRaisesInvalidArgument) {
    const char* none = nullptr;
    const char16_t* wideNone = nullptr;
    CString s("a");
    EXPECT_EQ(HResultOf([&] { CString t(none); }), hresult::kInvalidArg);
    EXPECT_EQ(HResultOf([&] { CString t(wideNone); }), hresult::kInvalidArg);
    EXPECT_EQ(HResultOf([&] { s += none; }), hresult::kInvalidArg);
    EXPECT_EQ(HResultOf([&] { s = wideNone; }), hresult::kInvalidArg);
    EXPECT_EQ(HResultOf([&] { s.Compare(none); }), hresult::kInvalidArg);
    EXPECT_EQ(s.View(), "a");
}

TEST(CString, IndexOutsideTheTextRaisesInvalidArgument) {
    const CString s("abc");
    EXPECT_EQ(s.GetAt(2), 'c');
    EXPECT_EQ(HResultOf([&] { s.GetAt(3); }), hresult::kInvalidArg);
    EXPECT_EQ(HResultOf([&] { s.GetAt(-1); }), hresult::kInvalidArg);
    EXPECT_EQ(HResultOf([&] { s.Mid(4); }), hresult::kInvalidArg);
    EXPECT_EQ(HResultOf([&] { s.Left(-1); }), hresult::kInvalidArg);
}

TEST(CString, FindsAndCuts) {
    const CString path("C:\\Payments\\Run 7-12.csv");
    EXPECT_EQ(path.Find('\\'), 2);
    EXPECT_EQ(path.ReverseFind('\\'), 11);
    EXPECT_EQ(path.Find('?'), -1);
    EXPECT_EQ(path.Mid(12).View(), "Run 7-12.csv");
    EXPECT_EQ(path.Mid(12, 3).View(), "Run");
    EXPECT_EQ(path.Mid(3, 100).View(), "Payments\\Run 7-12.csv");
    EXPECT_EQ(path.Left(2).View(), "C:");
    EXPECT_EQ(path.Left(100), path);
    EXPECT_TRUE(path == "C:\\Payments\\Run 7-12.csv");
    EXPECT_LT(path.Compare("D:"), 0);
}

TEST(CString, FormatIsCutAt255Characters) {
    CString s;
    s.Format("%d days to the next likely Banking Day.", 2);
    EXPECT_EQ(s.View(), "2 days to the next likely Banking Day.");
    s.Format("%s", std::string(300, 'y').c_str());
    EXPECT_EQ(s.GetLength(), 255);
}

TEST(CString, LoadsStringResources) {
    CString s;
    EXPECT_TRUE(s.LoadString(323));
    EXPECT_EQ(s.View(), "Invalid Payer Sort Code: the sort code must contain exactly 6 digits.");
    EXPECT_FALSE(s.LoadString(301));
    EXPECT_TRUE(s.IsEmpty());
}

// Short texts live in the object and longer ones on the heap: every way of filling, copying and
// moving must give the same text across that line, including text taken from the string itself.
TEST(CString, KeepsItsTextWhateverItsLength) {
    for (const std::size_t length : {0, 1, 7, 8, 16, 17, 63, 64, 65, 300}) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) text += static_cast<char>('a' + i % 26);
        CString set;
        set.SetString(text);
        EXPECT_EQ(set.View(), text) << length;
        EXPECT_EQ(std::strlen(set.GetString()), length) << length;
        CString copy(set);
        CString moved(std::move(copy));
        EXPECT_EQ(moved.View(), text) << length;
        EXPECT_TRUE(copy.IsEmpty()) << length;
        CString assigned("x");
        assigned = moved;
        EXPECT_EQ(assigned.View(), text) << length;
        CString grown(text);
        grown += grown;  // its own text, which growing moves
        EXPECT_EQ(grown.View(), text + text) << length;
        grown.SetString(grown.View().substr(length / 2));  // its own text again, in place
        EXPECT_EQ(grown.View(), (text + text).substr(length / 2)) << length;
        grown.Empty();
        EXPECT_EQ(grown.View(), "") << length;
        EXPECT_EQ(std::string(grown.GetString()), "") << length;
    }
}

// The text lives in one owned block, which a move hands over: a pointer into the text stays
// good when the string moves, in a vector that grows as anywhere.
TEST(CString, AMoveHandsOverTheBlock) {
    for (const std::size_t length : {1, 15, 16, 63, 64, 300}) {
        CString text(std::string(length, 'm'));
        const char* const block = text.GetString();
        CString moved(std::move(text));
        EXPECT_EQ(moved.GetString(), block) << length;
        CString assigned("x");
        assigned = std::move(moved);
        EXPECT_EQ(assigned.GetString(), block) << length;
        std::vector<CString> texts;
        texts.push_back(std::move(assigned));
        texts.resize(1000);  // moves the strings to a larger array
        EXPECT_EQ(texts[0].GetString(), block) << length;
        EXPECT_EQ(texts[0].View(), std::string(length, 'm')) << length;
    }
}

// Room made beforehand takes every text up to its length without another block.
TEST(CString, PreallocatedRoomIsKept) {
    CString text;
    text.Preallocate(50);
    const char* const block = text.GetString();
    for (const std::size_t length : {0, 1, 49, 50, 3}) {
        text.SetString(std::string(length, 'p'));
        EXPECT_EQ(text.GetString(), block) << length;
        EXPECT_EQ(text.View(), std::string(length, 'p')) << length;
    }
    text.Append(std::string(47, 'q'));
    EXPECT_EQ(text.GetString(), block);
    text.Append("r");  // one past the room: the text grows elsewhere
    EXPECT_EQ(text.View(), "ppp" + std::string(47, 'q') + "r");
    EXPECT_EQ(HResultOf([&] { text.Preallocate(-1); }), hresult::kInvalidArg);
}

}  // namespace
