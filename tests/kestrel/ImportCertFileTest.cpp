// Kestrel.dll as a setup program uses it: loaded by its path, ImportCertFile
// or its UTF-16 twin ImportCertFileW found by name and called with two
// pushed pointers.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstddef>
#include <cstdlib>
#include <string>

#include "tests/driver/CertStoreProbe.h"
#include "tests/driver/UiDriver.h"

using namespace uidriver;

namespace {

const char* const Store = "KestrelTest";

struct TCallResult {
    BYTE al;      // the only defined part of the result
    long broken;  // 0 when the callee kept what its convention obliges it to:
                  // x86, bytes it left on the stack or took from it; x64, a
                  // bit for each non-volatile register it changed
};

#ifdef _WIN64
// What the callee must give back unchanged: rbx, rbp, rdi, rsi, r12 to r15,
// then xmm6 to xmm15 in 64-bit halves. The asm below knows these offsets.
struct TNonVolatile {
    ULONG64 value[28];
};
struct TX64Call {
    TNonVolatile before, after;
    const void* file;
    const void* store;
    FARPROC entry;
    ULONG64 rax;
};
static_assert(offsetof(TX64Call, after) == 224 && offsetof(TX64Call, rax) == 472);

// Calls as a caller in assembly would: the two pointers in RCX and RDX, 32
// bytes of shadow space on an aligned stack, every non-volatile register
// loaded with a value of its own and read back after the call.
TCallResult CallImportCertFile(FARPROC entry, const void* fileName, const void* storeName) {
    TX64Call call = {};
    for (int i = 0; i < 28; ++i) call.before.value[i] = 0x0F1E2D3C4B5A6978ull * (i + 1);
    call.file = fileName;
    call.store = storeName;
    call.entry = entry;
    TX64Call* record = &call;
    asm volatile(
        "pushq %%rbp\n\t"
        "pushq %%rax\n\t"  // the record, found again through the old RSP
        "movq %%rsp, %%rcx\n\t"
        "andq $-16, %%rsp\n\t"
        "pushq %%rcx\n\t"
        "pushq %%rcx\n\t"
        "subq $32, %%rsp\n\t"
        "movq 0(%%rax), %%rbx\n\t movq 8(%%rax), %%rbp\n\t movq 16(%%rax), %%rdi\n\t"
        "movq 24(%%rax), %%rsi\n\t movq 32(%%rax), %%r12\n\t movq 40(%%rax), %%r13\n\t"
        "movq 48(%%rax), %%r14\n\t movq 56(%%rax), %%r15\n\t"
        "movdqu 64(%%rax), %%xmm6\n\t movdqu 80(%%rax), %%xmm7\n\t movdqu 96(%%rax), %%xmm8\n\t"
        "movdqu 112(%%rax), %%xmm9\n\t movdqu 128(%%rax), %%xmm10\n\t"
        "movdqu 144(%%rax), %%xmm11\n\t movdqu 160(%%rax), %%xmm12\n\t"
        "movdqu 176(%%rax), %%xmm13\n\t movdqu 192(%%rax), %%xmm14\n\t"
        "movdqu 208(%%rax), %%xmm15\n\t"
        "movq 448(%%rax), %%rcx\n\t"
        "movq 456(%%rax), %%rdx\n\t"
        "call *464(%%rax)\n\t"
        "movq 32(%%rsp), %%rcx\n\t"
        "movq (%%rcx), %%rcx\n\t"
        "movq %%rax, 472(%%rcx)\n\t"
        "movq %%rbx, 224(%%rcx)\n\t movq %%rbp, 232(%%rcx)\n\t movq %%rdi, 240(%%rcx)\n\t"
        "movq %%rsi, 248(%%rcx)\n\t movq %%r12, 256(%%rcx)\n\t movq %%r13, 264(%%rcx)\n\t"
        "movq %%r14, 272(%%rcx)\n\t movq %%r15, 280(%%rcx)\n\t"
        "movdqu %%xmm6, 288(%%rcx)\n\t movdqu %%xmm7, 304(%%rcx)\n\t movdqu %%xmm8, 320(%%rcx)\n\t"
        "movdqu %%xmm9, 336(%%rcx)\n\t movdqu %%xmm10, 352(%%rcx)\n\t"
        "movdqu %%xmm11, 368(%%rcx)\n\t movdqu %%xmm12, 384(%%rcx)\n\t"
        "movdqu %%xmm13, 400(%%rcx)\n\t movdqu %%xmm14, 416(%%rcx)\n\t"
        "movdqu %%xmm15, 432(%%rcx)\n\t"
        "movq 32(%%rsp), %%rsp\n\t"
        "popq %%rax\n\t"
        "popq %%rbp"
        : "+a"(record)
        :
        : "rbx", "rcx", "rdx", "rsi", "rdi", "r8", "r9", "r10", "r11", "r12", "r13", "r14",
          "r15", "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7", "xmm8", "xmm9",
          "xmm10", "xmm11", "xmm12", "xmm13", "xmm14", "xmm15", "memory", "cc");
    long broken = 0;
    for (int i = 0; i < 28; ++i)
        if (call.after.value[i] != call.before.value[i]) broken |= 1L << i;
    return {static_cast<BYTE>(call.rax), broken};
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

    // The result byte, after checking what the callee must keep and that the
    // file was let go.
    static BYTE Import(const std::string& path, const char* store = Store) {
        const TCallResult call = CallImportCertFile(entry_, path.c_str(), store);
        EXPECT_EQ(call.broken, 0) << path;
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
