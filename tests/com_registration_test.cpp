// What registration writes, rewrites and removes, through the component's own exports.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>

#include "server/registry.h"
#include "tests/support/com_support.h"
#include "tests/support/component_classes.h"

using com_test::ComponentClassInfo;
using com_test::HexText;
using com_test::kComponentClasses;
using com_test::kLibraryIdText;
using com_test::Narrow;

namespace {

using KeyLines = std::map<std::string, std::string>;

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return text;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

void Collect(const RegistryTree& tree, const std::string& path, KeyLines& lines) {
    lines[path] = "<key>";
    for (const auto& value : tree.values) {
        std::string data = "<type " + std::to_string(value.type) + ">";
        if (value.type == REG_SZ && !value.data.empty()) {
            data = Narrow(std::wstring(reinterpret_cast<const wchar_t*>(value.data.data()),
                                       value.data.size() / sizeof(wchar_t) - 1));
        }
        lines[path + "|" + Narrow(value.name)] = data;
    }
    for (const auto& [name, subtree] : tree.subkeys) Collect(subtree, path + "\\" + Narrow(name), lines);
}

// The key at `path` below HKCR with everything in it; empty when it is not there.
KeyLines Key(const std::wstring& path) {
    KeyLines lines;
    if (const UniqueRegKey key = OpenRegistryKey(HKEY_CLASSES_ROOT, path)) Collect(ReadRegistryTree(key.Get()), Narrow(path), lines);
    return lines;
}

// Every interface the component's type library carries.
const IID* const kLibraryInterfaces[] = {
    &IID_IBank,          &IID_IBankServices,         &IID_IBankPaymentService,    &IID_IBankStatementService,
    &IID_ITeskBank,      &IID_ITeskBankServices,     &IID_ITeskBankService,       &IID_ITeskBankPaymentService,
    &IID_ITeskBankStatementService, &IID_ITeskServiceFilter, &IID_ITeskFilterAccount, &IID_ITeskStatementTransactions,
    &IID_ITeskStatementTransaction, &IID_ITeskPayments,  &IID_ITeskPayment,
};

std::wstring InterfaceKey(REFIID iid) { return L"Interface\\" + GuidText(iid); }
std::wstring LibraryKey() { return std::wstring(L"TypeLib\\") + kLibraryIdText; }

// Everything the component registers, as one map.
KeyLines Everything() {
    KeyLines all;
    auto add = [&all](const KeyLines& lines) { all.insert(lines.begin(), lines.end()); };
    for (const ComponentClassInfo& c : kComponentClasses) {
        add(Key(c.progId));
        add(Key(std::wstring(c.progId) + L".1"));
        add(Key(L"CLSID\\" + GuidText(*c.clsid)));
    }
    add(Key(LibraryKey()));
    for (const IID* iid : kLibraryInterfaces) add(Key(InterfaceKey(*iid)));
    return all;
}

// Puts the fixture's registration back whatever a test did to it.
class RegisteredAgainAfterwards {
public:
    explicit RegisteredAgainAfterwards(const com_test::ComponentModule& module) : module_(module) {}
    ~RegisteredAgainAfterwards() { EXPECT_EQ(HexText(module_.Register()), HexText(S_OK)); }

private:
    const com_test::ComponentModule& module_;
};

class RegistrationTest : public ::testing::Test {
protected:
    const com_test::ComponentModule module_;
};

TEST_F(RegistrationTest, EachClassHasItsProgIdsAndClassKey) {
    const std::string path = Lower(Narrow(com_test::ComponentPath()));
    for (const ComponentClassInfo& c : kComponentClasses) {
        SCOPED_TRACE(c.name);
        const std::string progId = Narrow(c.progId);
        const std::string clsid = Narrow(GuidText(*c.clsid));
        const std::string description = Narrow(c.description);
        const KeyLines versioned = {{progId + ".1", "<key>"},
                                    {progId + ".1|", description},
                                    {progId + ".1\\CLSID", "<key>"},
                                    {progId + ".1\\CLSID|", clsid}};
        EXPECT_EQ(Key(c.progId + std::wstring(L".1")), versioned);
        const KeyLines independent = {{progId, "<key>"},
                                      {progId + "|", description},
                                      {progId + "\\CLSID", "<key>"},
                                      {progId + "\\CLSID|", clsid},
                                      {progId + "\\CurVer", "<key>"},
                                      {progId + "\\CurVer|", progId + ".1"}};
        EXPECT_EQ(Key(c.progId), independent);

        const std::string key = "CLSID\\" + clsid;
        KeyLines classKey = {
            {key, "<key>"},
            {key + "|", description},
            {key + "\\ProgID", "<key>"},
            {key + "\\ProgID|", progId + ".1"},
            {key + "\\VersionIndependentProgID", "<key>"},
            {key + "\\VersionIndependentProgID|", progId},
            {key + "\\Programmable", "<key>"},
            {key + "\\InprocServer32", "<key>"},
            {key + "\\InprocServer32|", path},
            {key + "\\InprocServer32|ThreadingModel", "Apartment"},
            {key + "\\TypeLib", "<key>"},
            {key + "\\TypeLib|", Narrow(kLibraryIdText)},
        };
        if (c.clsid == &CLSID_Bank) {
            classKey[key + "\\Implemented Categories"] = "<key>";
            classKey[key + "\\Implemented Categories\\{4E28D2A2-EE93-11D3-8A15-00E029178D24}"] = "<key>";
        }
        KeyLines actual = Key(L"CLSID\\" + GuidText(*c.clsid));
        actual[key + "\\InprocServer32|"] = Lower(actual[key + "\\InprocServer32|"]);
        EXPECT_EQ(actual, classKey);
    }
}

TEST_F(RegistrationTest, TypeLibraryAndItsInterfacesAreRegistered) {
    const KeyLines library = Key(LibraryKey());
    const std::string root = Narrow(LibraryKey()) + "\\1.0";
    EXPECT_EQ(library.at(root + "|"), "TeskVarrowInternetBanking 1.0 Type Library");
#ifdef _WIN64
    const std::string platform = "win64";
#else
    const std::string platform = "win32";
#endif
    EXPECT_EQ(Lower(library.at(root + "\\409\\" + platform + "|")), Lower(Narrow(com_test::ComponentPath())));
    for (const IID* iid : kLibraryInterfaces) {
        SCOPED_TRACE(Narrow(GuidText(*iid)));
        const KeyLines key = Key(InterfaceKey(*iid));
        const std::string path = Narrow(InterfaceKey(*iid));
        ASSERT_FALSE(key.empty());
        EXPECT_EQ(key.at(path + "\\TypeLib|"), Narrow(kLibraryIdText));
        EXPECT_EQ(key.at(path + "\\ProxyStubClsid32|"), "{00020424-0000-0000-C000-000000000046}");
    }
}

TEST_F(RegistrationTest, RegisteringAgainLeavesTheSameKeys) {
    const KeyLines before = Everything();
    ASSERT_GT(before.size(), 100u);
    ASSERT_EQ(HexText(module_.Register()), HexText(S_OK));
    EXPECT_EQ(Everything(), before);
}

TEST_F(RegistrationTest, UnregisteringRemovesWhatWasWrittenAndLeavesTheClassRoot) {
    const RegisteredAgainAfterwards restore(module_);
    ASSERT_EQ(HexText(module_.Unregister()), HexText(S_OK));
    EXPECT_EQ(Everything(), KeyLines{});
    EXPECT_TRUE(RegistryKeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CLASSES_ROOT, L"Interface"));
    // Unregistering what is not there is no failure.
    EXPECT_EQ(HexText(module_.Unregister()), HexText(S_OK));
    CLSID found{};
    EXPECT_NE(::CLSIDFromProgID(L"TeskVarrowInternetBanking.Bank", &found), S_OK);
}

// Removes a key that a test planted, however the test ends.
class PlantedKey {
public:
    explicit PlantedKey(std::wstring path) : path_(std::move(path)) {}
    ~PlantedKey() { DeleteRegistryTree(HKEY_CLASSES_ROOT, path_); }
    PlantedKey(const PlantedKey&) = delete;
    PlantedKey& operator=(const PlantedKey&) = delete;

private:
    std::wstring path_;
};

TEST_F(RegistrationTest, HostsOwnInterfaceRegistrationIsNeitherTakenOverNorRemoved) {
    const RegisteredAgainAfterwards restore(module_);
    ASSERT_EQ(HexText(module_.Unregister()), HexText(S_OK));
    const std::wstring hostKey = InterfaceKey(IID_ITeskBank);
    const PlantedKey planted(hostKey);
    {
        const UniqueRegKey key = CreateRegistryKey(HKEY_CLASSES_ROOT, hostKey);
        WriteRegistryString(key.Get(), L"", L"ITeskBank");
        WriteRegistryString(CreateRegistryKey(key.Get(), L"ProxyStubClsid32").Get(), L"",
                            L"{00020424-0000-0000-C000-000000000046}");
        const UniqueRegKey typeLib = CreateRegistryKey(key.Get(), L"TypeLib");
        WriteRegistryString(typeLib.Get(), L"", L"{5A1E0F0E-0000-4000-8000-00000000BEEF}");
        WriteRegistryString(typeLib.Get(), L"Version", L"2.3");
    }
    const KeyLines hosts = Key(hostKey);
    ASSERT_EQ(hosts.size(), 7u);

    ASSERT_EQ(HexText(module_.Register()), HexText(S_OK));
    EXPECT_EQ(Key(hostKey), hosts);
    const std::string ours = Narrow(InterfaceKey(IID_ITeskBankServices));
    EXPECT_EQ(Key(InterfaceKey(IID_ITeskBankServices))[ours + "\\TypeLib|"], Narrow(kLibraryIdText));

    ASSERT_EQ(HexText(module_.Unregister()), HexText(S_OK));
    EXPECT_EQ(Key(hostKey), hosts);
    EXPECT_EQ(Key(InterfaceKey(IID_ITeskBankServices)), KeyLines{});
}

}  // namespace
