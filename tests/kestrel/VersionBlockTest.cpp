// The version block of Kestrel.dll as Explorer and setup tools read it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "UiDriver.h"

namespace {

TEST(KestrelVersionBlock, IsGermanVersion1) {
    const std::string dll = uidriver::WindowsPath(KESTREL_DLL);
    DWORD ignored = 0;
    std::vector<char> block(::GetFileVersionInfoSizeA(dll.c_str(), &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(::GetFileVersionInfoA(dll.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                                 reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(translation[0], 0x0407);
    EXPECT_EQ(translation[1], 1252);

    const auto text = [&](const char* name) {
        char* value = nullptr;
        const std::string path = std::string("\\StringFileInfo\\040704E4\\") + name;
        if (!::VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
            return std::string("(missing)");
        return std::string(value);
    };
    EXPECT_EQ(text("FileDescription"), "Funktionen f\xFCr die Zertifikatsverwaltung.");
    EXPECT_EQ(text("InternalName"), "Kestrel.dll");
    EXPECT_EQ(text("OriginalFilename"), "Kestrel.dll");
    EXPECT_EQ(text("ProductName"), "Kestrel");
    EXPECT_EQ(text("FileVersion"), "1.0.0.0");
    EXPECT_EQ(text("ProductVersion"), "1.0.0.0");
}

}  // namespace
