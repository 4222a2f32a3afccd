#include "server/registrar.h"

#include <gtest/gtest.h>

#include <map>

#include "common/errors.h"
#include "server/registry.h"
#include "tests/support/com_support.h"

using com_test::Narrow;

namespace {

// Scripts run against a scratch key under HKCU that stands in for HKCR.
class RegistrarTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteRegistryTree(HKEY_CURRENT_USER, kScratch);
        root_ = CreateRegistryKey(HKEY_CURRENT_USER, kScratch);
    }
    void TearDown() override {
        root_.Reset();
        DeleteRegistryTree(HKEY_CURRENT_USER, kScratch);
    }

    RegistryRootResolver Scratch() const {
        return [this](std::wstring_view) { return root_.Get(); };
    }

    void Register(const wchar_t* script) { RegisterScript(ParseRegistryScript(script, Replacements()), Scratch()); }
    void Unregister(const wchar_t* script) {
        UnregisterScript(ParseRegistryScript(script, Replacements()), Scratch());
    }
    static RegistryReplacements Replacements() { return {{L"MODULE", L"C:\\bin\\c.dll"}}; }

    // Every key below the scratch root with its values, as "path|name=value" lines.
    std::map<std::string, std::string> Contents() const {
        std::map<std::string, std::string> lines;
        Collect(ReadRegistryTree(root_.Get()), "", lines);
        return lines;
    }

    static void Collect(const RegistryTree& tree, const std::string& path, std::map<std::string, std::string>& lines) {
        lines[path] = "";
        for (const auto& value : tree.values) {
            std::string data;
            if (value.type == REG_SZ) {
                data = Narrow(std::wstring(reinterpret_cast<const wchar_t*>(value.data.data()),
                                           value.data.size() / sizeof(wchar_t) - 1));
            } else if (value.type == REG_DWORD) {
                data = std::to_string(*reinterpret_cast<const DWORD*>(value.data.data()));
            }
            lines[path + "|" + Narrow(value.name)] = data;
        }
        for (const auto& [name, subtree] : tree.subkeys) Collect(subtree, path + "\\" + Narrow(name), lines);
    }

    HKEY Root() const { return root_.Get(); }

    static constexpr const wchar_t* kScratch = L"Software\\VarrowRegistrarTest";

private:
    UniqueRegKey root_;
};

constexpr const wchar_t* kClassScript = LR"(
    HKCR
    {
        Thing.1 = s 'Thing Class'
        {
            CLSID = s '{C1}'
        }
        NoRemove CLSID
        {
            ForceRemove {C1} = s 'Thing Class'
            {
                ForceRemove 'Programmable'
                InprocServer32 = s '%MODULE%'
                {
                    val ThreadingModel = s 'Apartment'
                }
                Version = d 3
            }
        }
    })";

TEST_F(RegistrarTest, RegisterWritesEveryKeyAndValue) {
    Register(kClassScript);
    const std::map<std::string, std::string> expected = {
        {"", ""},
        {"\\CLSID", ""},
        {"\\CLSID\\{C1}", ""},
        {"\\CLSID\\{C1}|", "Thing Class"},
        {"\\CLSID\\{C1}\\InprocServer32", ""},
        {"\\CLSID\\{C1}\\InprocServer32|", "C:\\bin\\c.dll"},
        {"\\CLSID\\{C1}\\InprocServer32|ThreadingModel", "Apartment"},
        {"\\CLSID\\{C1}\\Programmable", ""},
        {"\\CLSID\\{C1}\\Version", ""},
        {"\\CLSID\\{C1}\\Version|", "3"},
        {"\\Thing.1", ""},
        {"\\Thing.1|", "Thing Class"},
        {"\\Thing.1\\CLSID", ""},
        {"\\Thing.1\\CLSID|", "{C1}"},
    };
    EXPECT_EQ(Contents(), expected);
}

TEST_F(RegistrarTest, RegisteringTwiceLeavesTheSameKeys) {
    Register(kClassScript);
    const auto once = Contents();
    Register(kClassScript);
    EXPECT_EQ(Contents(), once);
}

TEST_F(RegistrarTest, ForceRemoveKeyIsReplacedWhole) {
    Register(kClassScript);
    const UniqueRegKey stale = CreateRegistryKey(Root(), L"CLSID\\{C1}\\Stale");
    WriteRegistryString(stale.Get(), L"", L"left over");
    Register(kClassScript);
    EXPECT_FALSE(RegistryKeyExists(Root(), L"CLSID\\{C1}\\Stale"));
}

TEST_F(RegistrarTest, UnregisterRemovesWhatWasWrittenAndKeepsNoRemoveKeys) {
    const UniqueRegKey other = CreateRegistryKey(Root(), L"CLSID\\{OTHER}");
    Register(kClassScript);
    Unregister(kClassScript);
    const std::map<std::string, std::string> expected = {{"", ""}, {"\\CLSID", ""}, {"\\CLSID\\{OTHER}", ""}};
    EXPECT_EQ(Contents(), expected);
}

TEST_F(RegistrarTest, UnregisterKeepsAPlainKeyThatOthersAddedTo) {
    Register(kClassScript);
    const UniqueRegKey added = CreateRegistryKey(Root(), L"Thing.1\\Insertable");
    Unregister(kClassScript);
    EXPECT_TRUE(RegistryKeyExists(Root(), L"Thing.1\\Insertable"));
    EXPECT_FALSE(RegistryKeyExists(Root(), L"Thing.1\\CLSID"));
}

TEST_F(RegistrarTest, UnregisterWhenNothingIsThereSucceeds) {
    EXPECT_NO_THROW(Unregister(kClassScript));
    EXPECT_EQ(Contents().size(), 1u);
}

TEST_F(RegistrarTest, DeleteKeysAreRemovedOnRegistration) {
    const UniqueRegKey stale = CreateRegistryKey(Root(), L"Old\\Deep");
    Register(L"HKCR { Delete Old }");
    EXPECT_FALSE(RegistryKeyExists(Root(), L"Old"));
}

TEST(StandardRegistryRoot, KnowsTheShortAndLongNames) {
    EXPECT_EQ(StandardRegistryRoot(L"HKCR"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(StandardRegistryRoot(L"HKEY_CLASSES_ROOT"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(StandardRegistryRoot(L"hkcu"), HKEY_CURRENT_USER);
    EXPECT_EQ(StandardRegistryRoot(L"HKLM"), HKEY_LOCAL_MACHINE);
    EXPECT_THROW(StandardRegistryRoot(L"HKXX"), CAtlException);
}

}  // namespace
