// Kestrel.dll as a setup program uses it: loaded by its path, ImportCertFile
// or its UTF-16 twin ImportCertFileW found by name and called with two
// pushed pointers.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "tests/driver/CertStoreProbe.h"
#include "tests/driver/UiDriver.h"

using namespace uidriver;

namespace {

const char* const Store = "KestrelTest";

struct TCallResult {
    BYTE al;          // the only defined part of the result
    long stackLeft;   // bytes the callee left on the stack or took from it: always 0
};

#ifdef _WIN64
// Calls as a caller in assembly would: the two pointers in RCX and RDX, 32
// bytes of shadow space on an aligned stack; RSP is restored whatever the
// callee did.
TCallResult CallImportCertFile(FARPROC entry, const void* fileName, const void* storeName) {
    unsigned long long before, after, rax;
    asm volatile(
        "movq %%rsp, %%r12\n\t"
        "andq $-16, %%rsp\n\t"
        "subq $32, %%rsp\n\t"
        "movq %%rsp, %%r13\n\t"
        "movq %[file], %%rcx\n\t"
        "movq %[store], %%rdx\n\t"
        "call *%[entry]\n\t"
        "movq %%r13, %[before]\n\t"
        "movq %%rsp, %[after]\n\t"
        "movq %%r12, %%rsp"
        : [before] "=&r"(before), [after] "=&r"(after), "=a"(rax)
        : [file] "r"(fileName), [store] "r"(storeName), [entry] "r"(entry)
        : "rcx", "rdx", "r8", "r9", "r10", "r11", "r12", "r13", "xmm0", "xmm1", "xmm2",
          "xmm3", "xmm4", "xmm5", "memory", "cc");
    return {static_cast<BYTE>(rax), static_cast<long>(before - after)};
}
#else
// Calls as a caller in assembly would, and restores ESP whatever the callee
// did: stdcall with 8 bytes of arguments leaves nothing behind.
TCallResult CallImportCertFile(FARPROC entry, const void* fileName, const void* storeName) {
    unsigned long before, after, eax;
    asm volatile(
        "movl %%esp, %[before]\n\t"
        "pushl %[store]\n\t"
        "pushl %[file]\n\t"
        "call *%[entry]\n\t"
        "movl %%esp, %[after]\n\t"
        "movl %[before], %%esp"
        : [before] "=&r"(before), [after] "=r"(after), "=a"(eax)
        : [file] "r"(fileName), [store] "r"(storeName), [entry] "r"(entry)
        : "ecx", "edx", "memory", "cc");
    return {static_cast<BYTE>(eax), static_cast<long>(before - after)};
}
#endif

std::string TempPath(const char* name) {
    char folder[MAX_PATH] = {};
    ::GetTempPathA(sizeof folder, folder);
    return std::string(folder) + name;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

// No handle of the call is left open on the file.
bool FileIsFree(const std::string& path) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    return true;
}

class ImportCertFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The smoke test of the 32-bit deliverables names dist/Kestrel.dll.
        const char* dll = std::getenv("VELMORA_KESTREL_DLL");
        kestrel_ = ::LoadLibraryA(uidriver::WindowsPath(dll ? dll : KESTREL_DLL).c_str());
        entry_ = kestrel_ ? ::GetProcAddress(kestrel_, "ImportCertFile") : nullptr;
    }
    static void TearDownTestSuite() { ::FreeLibrary(kestrel_); }
    // The UTF-16 twin; these paths are ASCII.
    static FARPROC Wide() { return ::GetProcAddress(kestrel_, "ImportCertFileW"); }
    static std::wstring Utf16(const std::string& path) { return {path.begin(), path.end()}; }
    void SetUp() override {
        ASSERT_NE(entry_, nullptr);
        RemoveFromStore(Store, der_);
    }
    void TearDown() override { RemoveFromStore(Store, der_); }

    // The result byte, after checking the stack and that the file was let go.
    static BYTE Import(const std::string& path, const char* store = Store) {
        const TCallResult call = CallImportCertFile(entry_, path.c_str(), store);
        EXPECT_EQ(call.stackLeft, 0) << path;
        if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            EXPECT_TRUE(FileIsFree(path)) << path;
        }
        return call.al;
    }

    static inline HMODULE kestrel_ = nullptr;
    static inline FARPROC entry_ = nullptr;
    const std::string cer_ = uidriver::WindowsPath(TEST_CER);
    const std::string der_ = ReadBytes(cer_);
};

TEST_F(ImportCertFile, AddsADerCertificateAgainAndAgain) {
    ASSERT_FALSE(der_.empty());
    EXPECT_EQ(Import(cer_), 1);
    EXPECT_EQ(Import(cer_), 1);
    EXPECT_EQ(CallImportCertFile(Wide(), Utf16(cer_).c_str(), L"KestrelTest").al, 1);
    EXPECT_TRUE(StoreHolds(Store, der_));
}

TEST_F(ImportCertFile, RefusesWhatIsNotOneDerCertificate) {
    const std::string empty = TempPath("kestrel-empty.cer");
    WriteFileBytes(empty, "");
    EXPECT_EQ(Import(empty), 0);
    const std::string pem = uidriver::WindowsPath(TEST_PEM);
    EXPECT_EQ(Import(pem), 0);
    EXPECT_EQ(CallImportCertFile(Wide(), Utf16(pem).c_str(), L"KestrelTest").al, 0);
    EXPECT_EQ(Import(TempPath("kestrel-missing.cer")), 0);
    EXPECT_FALSE(StoreHolds(Store, der_));
    ::DeleteFileA(empty.c_str());
}

// The file is opened sharing writing only.
TEST_F(ImportCertFile, FailsWhileAnotherHandleReadsTheFile) {
    const HANDLE reader = ::CreateFileA(cer_.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(CallImportCertFile(entry_, cer_.c_str(), Store).al, 0);
    ::CloseHandle(reader);
}

// 4 GiB more than the certificate: the low 32 bits of the size alone would
// read just the certificate at its start.
TEST_F(ImportCertFile, RefusesAFileOf4GiBOrMore) {
    const std::string big = TempPath("kestrel-4gib.cer");
    WriteFileBytes(big, der_);
    const HANDLE file = ::CreateFileA(big.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = (1LL << 32) + static_cast<LONGLONG>(der_.size());
    const bool extended = ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
    ::CloseHandle(file);
    if (extended) {
        EXPECT_EQ(Import(big), 0);
        EXPECT_FALSE(StoreHolds(Store, der_));
    }
    ::DeleteFileA(big.c_str());
    ASSERT_TRUE(extended);
}

}  // namespace
