// The version block of Kestrel.dll as Explorer and setup tools read it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/driver/UiDriver.h"

namespace {

TEST(KestrelVersionBlock, IsGermanVersion1) {
    const std::string dll = uidriver::WindowsPath(KESTREL_DLL);
    DWORD ignored = 0;
    std::vector<char> block(::GetFileVersionInfoSizeA(dll.c_str(), &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(::GetFileVersionInfoA(dll.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);

    const auto text = [&](const char* name) {
        const std::string path = std::string("\\StringFileInfo\\040704E4\\") + name;
        return ::VerQueryValueA(block.data(), path.c_str(), &value, &length)
                   ? std::string(static_cast<const char*>(value))
                   : std::string("(missing)");
    };
    EXPECT_EQ(text("FileDescription"), "Funktionen f\xFCr die Zertifikatsverwaltung.");
    EXPECT_EQ(text("InternalName"), "Kestrel.dll");
    EXPECT_EQ(text("OriginalFilename"), "Kestrel.dll");
    EXPECT_EQ(text("ProductName"), "Kestrel");
    EXPECT_EQ(text("FileVersion"), "1.0.0.0");
    EXPECT_EQ(text("ProductVersion"), "1.0.0.0");
}

}  // namespace
