// The per-call binding of crypt32: results when it cannot be bound, and
// handles that outlive the call that made them.
#include <gtest/gtest.h>

#include "base/BoundCall.h"
#include "signature/ApiCrypt.h"

using namespace velmora;

namespace {

HCERTSTORE OpenStore(const char* library, const char* exportName) {
    return CallBound<TKeepFirstLoad, decltype(&::CertOpenSystemStoreA)>(
        library, exportName, HCERTSTORE(nullptr), HCRYPTPROV_LEGACY(0), "Root");
}

}  // namespace

TEST(ApiCryptBinding, MissingLibraryOrExportGivesTheFailureResult) {
    EXPECT_EQ(OpenStore("velmora-missing.dll", "CertOpenSystemStoreA"), nullptr);
    EXPECT_EQ(OpenStore("crypt32.dll", "CertOpenSystemStoreB"), nullptr);
    EXPECT_EQ((CallBound<TKeepFirstLoad, decltype(&::CertGetNameStringA)>(
                  "velmora-missing.dll", "CertGetNameStringA", DWORD(0), PCCERT_CONTEXT(nullptr),
                  DWORD(4), DWORD(0), static_cast<void*>(nullptr), LPSTR(nullptr), DWORD(0))),
              0u);
    // A chain that is never freed: without the library nothing is called.
    CallBoundVoid<TKeepFirstLoad, decltype(&::CertFreeCertificateChain)>(
        "velmora-missing.dll", "CertFreeCertificateChain",
        reinterpret_cast<PCCERT_CHAIN_CONTEXT>(0x1234));
    // Another export of the same library still binds.
    const HCERTSTORE store = OpenStore("crypt32.dll", "CertOpenSystemStoreA");
    ASSERT_NE(store, nullptr);
    EXPECT_TRUE(ApiCrypt::CertCloseStore(store, 0));
}

TEST(ApiCryptBinding, HandlesStayUsableAcrossCalls) {
    // Each wrapper loads and releases crypt32; the store and the context
    // live on between the calls.
    const TCertStore store(ApiCrypt::CertOpenSystemStoreA(0, "Root"));
    ASSERT_TRUE(store);
    const TCertContext any(ApiCrypt::CertFindCertificateInStore(
        store.get(), X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0, CERT_FIND_ANY, nullptr, nullptr));
    ASSERT_TRUE(any);  // the host's CA bundle is never empty
    EXPECT_GT(ApiCrypt::CertGetNameStringA(any.get(), CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr,
                                           nullptr, 0),
              1u);
}

// What keeps those handles valid: the first load of a library keeps one
// reference for the process. crypt32 stays loaded here anyway (the test
// driver imports it), so this shows on a system library nothing else loads.
TEST(ApiCryptBinding, FirstLoadOfALibraryIsKeptForTheProcess) {
    ASSERT_EQ(::GetModuleHandleA("mssign32.dll"), nullptr);
    ASSERT_TRUE(TKeepFirstLoad::Load("mssign32.dll"));
    EXPECT_NE(::GetModuleHandleA("mssign32.dll"), nullptr);
}
