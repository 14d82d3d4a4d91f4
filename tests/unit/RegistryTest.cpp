// The registry wrapper against Wine's real registry, in a key of its own.
#include <gtest/gtest.h>

#include <aclapi.h>

#include <string>

#include "registry/APIRegistry.h"
#include "settings/AnsiText.h"
#include "settings/RegistryView.h"

using namespace velmora;

namespace {

const std::string Base = "Software\\VelmoraTests";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, Base.c_str());
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, (Base + "\\Values").c_str(), 0, nullptr, 0,
                                    KEY_ALL_ACCESS, nullptr, key_.put(), nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        key_.reset();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, Base.c_str());
    }
    void Raw(const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(::RegSetValueExA(key_.get(), name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    LONG CodeOf(void (*action)(TAPIRegistry&), TAPIRegistry& registry) {
        try {
            action(registry);
        } catch (const APIRegistryException& e) {
            return e.ErrorCode;
        }
        return -1;
    }
    TRegKey key_;
};

std::string ValuesPath() { return Base + "\\Values"; }

// The conversion of NT 4, which knows no WC_NO_BEST_FIT_CHARS, and one that
// always fails.
int WINAPI Nt4WideToAnsi(UINT page, DWORD flags, LPCWCH wide, int count, LPSTR ansi, int size,
                         LPCCH fallback, LPBOOL usedDefault) {
    if (flags & WC_NO_BEST_FIT_CHARS) {
        ::SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    return ::WideCharToMultiByte(page, flags, wide, count, ansi, size, fallback, usedDefault);
}
int WINAPI FailingWideToAnsi(UINT, DWORD, LPCWCH, int, LPSTR, int, LPCCH, LPBOOL) {
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
}

}  // namespace

TEST_F(RegistryTest, PathsLoseExactlyOneLeadingBackslash) {
    TAPIRegistry registry;
    EXPECT_TRUE(registry.OpenKey("\\" + ValuesPath()));
    EXPECT_EQ(registry.Path(), ValuesPath());
    EXPECT_TRUE(registry.OpenKey(ValuesPath()));
    EXPECT_EQ(registry.Path(), ValuesPath());
    // Two backslashes: the second reaches the registry, which refuses it.
    EXPECT_THROW(registry.OpenKey("\\\\" + ValuesPath()), APIRegistryException);
    EXPECT_EQ(registry.Path(), ValuesPath());
    EXPECT_TRUE(registry.KeyExists("\\" + ValuesPath()));
    EXPECT_FALSE(registry.KeyExists("\\\\" + ValuesPath()));
}

TEST_F(RegistryTest, FailedOpenKeepsTheCurrentKey) {
    Raw("kept", REG_SZ, "yes", 4);
    TAPIRegistry registry;
    registry.OpenKey(ValuesPath());
    try {
        registry.OpenKey(Base + "\\Missing");
        FAIL() << "no exception";
    } catch (const APIRegistryException& e) {
        EXPECT_EQ(e.ErrorCode, ERROR_FILE_NOT_FOUND);
    }
    EXPECT_EQ(registry.Path(), ValuesPath());
    EXPECT_EQ(registry.ReadString("kept"), "yes");
}

TEST_F(RegistryTest, CreateKeyLeavesTheCurrentKeyAlone) {
    TAPIRegistry registry;
    registry.OpenKey(ValuesPath());
    const HKEY before = registry.Key();
    EXPECT_TRUE(registry.CreateKey(ValuesPath()));        // exists already
    EXPECT_TRUE(registry.CreateKey("\\" + Base + "\\New"));
    EXPECT_EQ(registry.Key(), before);
    EXPECT_EQ(registry.Path(), ValuesPath());
    EXPECT_TRUE(registry.KeyExists(Base + "\\New"));
    EXPECT_FALSE(registry.KeyExists(Base + "\\Absent"));
}

TEST_F(RegistryTest, DeniedKeyExistsButCannotBeOpened) {
    TRegKey denied;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, (Base + "\\Denied").c_str(), 0, nullptr, 0,
                                KEY_ALL_ACCESS, nullptr, denied.put(), nullptr),
              ERROR_SUCCESS);
    // An empty access list grants nobody anything.
    ACL acl;
    ASSERT_TRUE(::InitializeAcl(&acl, sizeof acl, ACL_REVISION));
    ASSERT_EQ(::SetSecurityInfo(denied.get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr,
                                nullptr, &acl, nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));
    denied.reset();

    TAPIRegistry registry;
    EXPECT_TRUE(registry.KeyExists(Base + "\\Denied"));
    try {
        registry.OpenKey(Base + "\\Denied");
        FAIL() << "no exception";
    } catch (const APIRegistryException& e) {
        EXPECT_EQ(e.ErrorCode, ERROR_ACCESS_DENIED);
        EXPECT_FALSE(e.Message.empty());
    }
    // Give access back so that the tree can be deleted.
    TRegKey owner;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, (Base + "\\Denied").c_str(), 0, WRITE_DAC,
                              owner.put()),
              ERROR_SUCCESS);
    ::SetSecurityInfo(owner.get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                      nullptr, nullptr);
}

TEST_F(RegistryTest, WriteOnlyKeyReportsEveryValueAsPresent) {
    TAPIRegistry registry;
    registry.Access = KEY_WRITE;
    registry.OpenKey(ValuesPath());
    EXPECT_TRUE(registry.ValueExists("no such value"));
    EXPECT_FALSE(registry.DeleteValue("no such value"));
}

TEST_F(RegistryTest, WithoutAnOpenKey) {
    TAPIRegistry registry;
    EXPECT_FALSE(registry.ValueExists("x"));
    EXPECT_FALSE(registry.DeleteValue("x"));
    EXPECT_EQ(CodeOf([](TAPIRegistry& r) { r.GetDataSize("x"); }, registry), ERROR_INVALID_HANDLE);
    registry.CloseKey();  // nothing open: nothing happens
}

TEST_F(RegistryTest, ReadStringByType) {
    const DWORD number = 7;
    const BYTE binary[] = {'a', 'b', 0};
    const char multi[] = "a\0b\0";  // two elements and the list's end
    Raw("empty", REG_SZ, "", 0);
    Raw("dword", REG_DWORD, &number, sizeof number);
    Raw("binary", REG_BINARY, binary, sizeof binary);
    Raw("expand", REG_EXPAND_SZ, "%SystemRoot%\\x", 15);
    Raw("multi", REG_MULTI_SZ, multi, sizeof multi);
    Raw("text", REG_SZ, "Hinweis\r\nZeile", 15);

    char root[MAX_PATH] = {};
    ASSERT_GT(::GetEnvironmentVariableA("SystemRoot", root, sizeof root), 0u);

    TAPIRegistry registry;
    registry.OpenKey(ValuesPath());
    EXPECT_EQ(CodeOf([](TAPIRegistry& r) { r.ReadString("missing"); }, registry),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(registry.ReadString("empty"), "");
    EXPECT_EQ(registry.ReadString("dword"), "");
    EXPECT_EQ(registry.ReadString("binary"), "");
    EXPECT_EQ(registry.ReadString("expand"), std::string(root) + "\\x");
    EXPECT_EQ(registry.ReadString("multi"), "a\rb\r");
    EXPECT_EQ(registry.ReadString("text"), "Hinweis\r\nZeile");
}

TEST_F(RegistryTest, StringDataWithoutTerminator) {
    Raw("sz", REG_SZ, "abc", 3);
    Raw("expand", REG_EXPAND_SZ, "%SystemRoot%", 12);
    Raw("multi", REG_MULTI_SZ, "a\0bc", 4);
    Raw("one", REG_SZ, "x", 1);
    char root[MAX_PATH] = {};
    ::GetEnvironmentVariableA("SystemRoot", root, sizeof root);

    TAPIRegistry registry;
    registry.OpenKey(ValuesPath());
    EXPECT_EQ(registry.ReadString("sz"), "abc");
    EXPECT_EQ(registry.ReadString("expand"), root);
    EXPECT_EQ(registry.ReadString("multi"), "a\rbc\r");
    EXPECT_EQ(registry.ReadString("one"), "x");
}

TEST_F(RegistryTest, WriteStringStoresTextAndOneZero) {
    TAPIRegistry registry;
    registry.Access = KEY_READ | KEY_WRITE;
    registry.OpenKey(ValuesPath());
    registry.WriteString("empty", "");
    registry.WriteString("text", "abc");
    for (const auto& [name, size] : {std::pair<const char*, DWORD>{"empty", 1}, {"text", 4}}) {
        DWORD type = 0, bytes = 0;
        ASSERT_EQ(::RegQueryValueExA(key_.get(), name, nullptr, &type, nullptr, &bytes),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << name;
        EXPECT_EQ(bytes, size) << name;
    }
    EXPECT_TRUE(registry.DeleteValue("text"));
    EXPECT_FALSE(registry.DeleteValue("text"));
}

TEST(RegistryException, CarriesTheSystemText) {
    const APIRegistryException denied(ERROR_ACCESS_DENIED);
    EXPECT_EQ(denied.ErrorCode, ERROR_ACCESS_DENIED);
    ASSERT_GE(denied.Message.size(), 2u);
    EXPECT_EQ(denied.Message.substr(denied.Message.size() - 2), "\r\n");

    const APIRegistryException unknown(0x2000BEEF);
    EXPECT_EQ(unknown.ErrorCode, 0);
    EXPECT_TRUE(unknown.Message.empty());
}

// The test runs in a 64-bit prefix, as Velmora does on 64-bit Windows: the
// logon's values are in the 64-bit view. A 32-bit process runs under WOW64
// and must ask for that view; a 64-bit one has it as its own and needs no
// flag.
TEST(RegistryView, LogonViewIsTheSixtyFourBitOne) {
#ifdef _WIN64
    EXPECT_EQ(LogonRegistryView(), static_cast<REGSAM>(0));
#else
    EXPECT_EQ(LogonRegistryView(), static_cast<REGSAM>(KEY_WOW64_64KEY));
#endif

    const std::string path = "Software\\VelmoraTests";
    TAPIRegistry registry;
    PrepareLogonRegistry(registry, KEY_WRITE);
    registry.CreateKey(path);
    registry.OpenKey(path);
    registry.WriteString("view", "64");
    registry.CloseKey();

    TRegKey in64, in32;
    EXPECT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY,
                              in64.put()),
              ERROR_SUCCESS);
    EXPECT_EQ(::RegQueryValueExA(in64.get(), "view", nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY,
                        in32.put()) == ERROR_SUCCESS) {
        EXPECT_NE(::RegQueryValueExA(in32.get(), "view", nullptr, nullptr, nullptr, nullptr),
                  ERROR_SUCCESS);
    }
    in64.reset();
    in32.reset();
    ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), KEY_WOW64_64KEY, 0);
}

// Texts that other tools stored as Unicode: which of them the ANSI functions
// would show whole. Values of other types, unterminated and huge ones too.
TEST(AnsiText, OnlyTextsOutsideTheCodePageAreLossy) {
    const std::wstring path = L"Software\\VelmoraTests";
    TRegKey key;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                KEY_READ | KEY_WRITE, nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    const auto put = [&](const wchar_t* name, DWORD type, const std::wstring& data, DWORD bytes) {
        ::RegSetValueExW(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                         bytes);
    };
    const auto text = [&](const wchar_t* name, const std::wstring& data, DWORD type = REG_SZ) {
        put(name, type, data, static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    };
    text(L"plain", L"Zugriff \u2013 nur f\u00FCr Befugte");  // all in 1252
    text(L"omega", L"Zugriff \u2013 \u03A9 Labor");
    text(L"polish", L"\u0141\u00F3d\u017A");
    text(L"expand", L"%SystemRoot% \u041C", REG_EXPAND_SZ);
    put(L"multi", REG_MULTI_SZ, std::wstring(L"eins\0\u03A9\0\0", 8), 8 * sizeof(wchar_t));
    put(L"unterminated", REG_SZ, L"ab\u03A9", 3 * sizeof(wchar_t));
    put(L"odd", REG_SZ, L"\u03A9", 1);
    // A trailing half character is no character: only the whole ones count.
    put(L"odd3", REG_SZ, L"a\u0080", 3);
    put(L"odd5", REG_SZ, L"a\u03A9\u0080", 5);
    put(L"binary", REG_BINARY, L"\u03A9\u03A9", 4);
    text(L"empty", L"");
    text(L"huge", std::wstring(512 * 1024 - 1, L'\u03A9'));

    EXPECT_TRUE(ValueReadsAsAnsi(key.get(), "plain"));
    for (const char* lossy : {"omega", "polish", "expand", "multi", "unterminated", "odd5", "huge"})
        EXPECT_FALSE(ValueReadsAsAnsi(key.get(), lossy)) << lossy;
    for (const char* other : {"odd", "odd3", "binary", "empty", "missing"})
        EXPECT_TRUE(ValueReadsAsAnsi(key.get(), other)) << other;
    // The same answers on NT 4; a check that cannot convert keeps the value.
    EXPECT_TRUE(ValueReadsAsAnsi(key.get(), "plain", Nt4WideToAnsi));
    for (const char* lossy : {"omega", "polish", "multi"})
        EXPECT_FALSE(ValueReadsAsAnsi(key.get(), lossy, Nt4WideToAnsi)) << lossy;
    EXPECT_FALSE(ValueReadsAsAnsi(key.get(), "plain", FailingWideToAnsi));
    key.reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
}
