// The version resource of each binary as shipped (stripped), read back through the platform's
// version API as Explorer and support read it.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <windows.h>

#include "varrow_version.h"

namespace {

class VersionInfo {
public:
    explicit VersionInfo(const std::string& path) {
        DWORD ignored = 0;
        data_.resize(::GetFileVersionInfoSizeA(path.c_str(), &ignored));
        if (!data_.empty() && !::GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data_.size()), data_.data())) {
            data_.clear();
        }
    }

    bool Present() const { return !data_.empty(); }

    const VS_FIXEDFILEINFO* Fixed() const { return static_cast<const VS_FIXEDFILEINFO*>(Query("\\")); }

    // A text of the first translation the resource lists.
    std::string Text(const std::string& name) const {
        const auto* translation = static_cast<const WORD*>(Query("\\VarFileInfo\\Translation"));
        if (!translation) return "<no translation>";
        char block[64] = {};
        ::wsprintfA(block, "\\StringFileInfo\\%04X%04X\\", translation[0], translation[1]);
        const auto* text = static_cast<const char*>(Query(block + name));
        return text ? text : "<missing>";
    }

private:
    const void* Query(const std::string& path) const {
        void* found = nullptr;
        UINT length = 0;
        return ::VerQueryValueA(data_.data(), path.c_str(), &found, &length) && length > 0 ? found : nullptr;
    }

    std::vector<char> data_;
};

struct ShippedBinary {
    const char* fileName;
    DWORD fileType;
};

TEST(VersionResource, EachShippedBinaryCarriesTheBuildsVersion) {
    const ShippedBinary binaries[] = {{"TeskVarrowInternetBanking.dll", VFT_DLL}, {"varrow.exe", VFT_APP}};
    const DWORD versionHigh = MAKELONG(VARROW_VERSION_MINOR, VARROW_VERSION_MAJOR);
    const DWORD versionLow = MAKELONG(0, VARROW_VERSION_PATCH);
    for (const auto& binary : binaries) {
        SCOPED_TRACE(binary.fileName);
        const VersionInfo info(std::string("shipped\\") + binary.fileName);
        ASSERT_TRUE(info.Present());
        const VS_FIXEDFILEINFO* fixed = info.Fixed();
        ASSERT_NE(fixed, nullptr);
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(fixed->dwFileVersionMS, versionHigh);
        EXPECT_EQ(fixed->dwFileVersionLS, versionLow);
        EXPECT_EQ(fixed->dwProductVersionMS, versionHigh);
        EXPECT_EQ(fixed->dwProductVersionLS, versionLow);
        EXPECT_EQ(fixed->dwFileType, binary.fileType);
        EXPECT_EQ(info.Text("FileVersion"), VARROW_VERSION_TEXT);
        EXPECT_EQ(info.Text("ProductVersion"), VARROW_VERSION_TEXT);
        EXPECT_EQ(info.Text("ProductName"), "Varrow Online bank component");
        EXPECT_EQ(info.Text("OriginalFilename"), binary.fileName);
        EXPECT_NE(info.Text("FileDescription").find("Varrow Online"), std::string::npos);
        EXPECT_NE(info.Text("LegalCopyright").find("Copyright"), std::string::npos);
    }
}

}  // namespace
