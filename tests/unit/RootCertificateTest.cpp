// The root-store check and the installation from a certificate file. This
// test program is signed like Velmora, so it is the "program" whose signer
// a certificate file must match.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/CertificateFile.h"
#include "signature/ApiWinCrypt.h"
#include "tests/driver/CertStoreProbe.h"
#include "tests/driver/SignatureInputs.h"

using namespace velmora;

namespace {

struct TInstall {
    bool installed;
    DWORD error;
    TInstallResult result;
};

bool InUserRoot(const char* certificate) {
    return uidriver::InUserRootStore(CertificateInput(certificate));
}

void RemoveFromUserRoot(const char* certificate) {
    uidriver::RemoveFromUserRootStore(CertificateInput(certificate));
}

TInstall Install(const std::string& path) {
    ::SetLastError(0);
    const TInstallResult result = InstallCertificateFile(path.c_str());
    return {result == TInstallResult::Installed, ::GetLastError(), result};
}

TCertContext FromFile(const char* certificate) {
    return CertificateFromFile<ApiCrypt>(CertificateInput(certificate).c_str());
}

}  // namespace

TEST(RootCertificate, CheckNeedsTheCertificateItselfInRootWithAGoodChain) {
    EXPECT_FALSE(CheckRootCertificate(nullptr));
    EXPECT_FALSE(CheckRootCertificate(FromFile("other").get()));
    const TCertStore root(ApiCrypt::CertOpenSystemStoreA(0, "Root"));
    const TCertContext isrg(ApiCrypt::CertFindCertificateInStore(
        root.get(), X509_ASN_ENCODING, 0, CERT_FIND_SUBJECT_STR_A, "ISRG Root X1", nullptr));
    ASSERT_TRUE(isrg);  // from the host's bundle
    EXPECT_TRUE(CheckRootCertificate(isrg.get()));
}

TEST(RootCertificate, InstallsOnlyTheSignersOwnCertificate) {
    RemoveFromUserRoot("signer");
    EXPECT_TRUE(Install(CertificateInput("signer")).installed);
    EXPECT_TRUE(InUserRoot("signer"));
    EXPECT_TRUE(Install(CertificateInput("signer")).installed);  // added again
    for (const char* planted :
         {"other", "prefix", "noname", "long", "lowercase", "twin", "impostor-ca"}) {
        // A name that differs, that only begins the signer's, that is empty,
        // that begins with the signer's and goes on, that differs from it
        // only in letter case; the signer's very name with another key, and
        // as a CA.
        RemoveFromUserRoot(planted);
        EXPECT_EQ(Install(CertificateInput(planted)).result, TInstallResult::NotTheSigners)
            << planted;
        EXPECT_FALSE(InUserRoot(planted)) << planted;
    }
    // Wine would trust it from the next process on.
    RemoveFromUserRoot("signer");
}

TEST(RootCertificate, FilesThatAreNoCertificateLeaveTheirError) {
    const TInstall missing = Install(CertificateInput("velmora-missing"));
    EXPECT_FALSE(missing.installed);
    EXPECT_EQ(missing.error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    for (const char* broken : {"empty", "signer-base64"}) {
        const TInstall result = Install(CertificateInput(broken));
        EXPECT_FALSE(result.installed) << broken;
        EXPECT_NE(result.error, 0u) << broken;  // the decoder's own error
    }
}

TEST(RootCertificate, FileHeldOpenForReadingIsNotOpened) {
    const std::string path = CertificateInput("signer");
    const HANDLE reader = ::CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    const TInstall result = Install(path);
    ::CloseHandle(reader);
    EXPECT_FALSE(result.installed);
    EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
}

// With the signer's and two other certificates trusted as roots by Wine
// (the test run puts them into the CA bundle of a private mount namespace).
TEST(TrustedRoot, SignerFoundAndItsChainJudged) {
    EXPECT_TRUE(CheckRootCertificate(FromFile("signer").get()));
    EXPECT_TRUE(CheckRootCertificate(FromFile("long").get()));
    EXPECT_FALSE(CheckRootCertificate(FromFile("expired").get()));
    // The signer's name, but not the signer's certificate.
    EXPECT_FALSE(CheckRootCertificate(FromFile("twin").get()));

    // The signer is no CA: a server's certificate issued with its key finds
    // it as the issuer, yet the chain is not in order.
    const std::string der = uidriver::ReadBytes(CertificateInput("server"));
    const PCCERT_CONTEXT server =
        ::CertCreateCertificateContext(X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()),
                                       static_cast<DWORD>(der.size()));
    CERT_CHAIN_PARA parameters = {sizeof parameters};
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    ASSERT_TRUE(::CertGetCertificateChain(nullptr, server, nullptr, nullptr, &parameters, 0,
                                          nullptr, &chain));
    EXPECT_EQ(chain->rgpChain[0]->cElement, 2u);
    EXPECT_NE(chain->TrustStatus.dwErrorStatus & CERT_TRUST_INVALID_BASIC_CONSTRAINTS, 0u);
    ::CertFreeCertificateChain(chain);
    ::CertFreeCertificateContext(server);
}

TEST(TrustedRoot, SignatureTrustedOnlyForTheUnchangedFile) {
    EXPECT_TRUE(VerifyFileSignature(ProgramInput("signed").c_str()));
    EXPECT_FALSE(VerifyFileSignature(ProgramInput("changed").c_str()));
    EXPECT_FALSE(VerifyFileSignature(ProgramInput("unsigned").c_str()));
}

TEST(RootCertificate, FilesTooLargeForMemoryAreRefusedBeforeReading) {
    // Sparse files: 4 GiB and more, and just below that, which no 32-bit
    // process can hold.
    const char* const path = "C:\\velmora-large.cer";
    for (const ULONGLONG size : {0x100000010ull, 0xFFFFFFF0ull}) {
        const HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        LONG high = static_cast<LONG>(size >> 32);
        ::SetFilePointer(file, static_cast<LONG>(size & 0xFFFFFFFF), &high, FILE_BEGIN);
        ASSERT_TRUE(::SetEndOfFile(file));
        ::CloseHandle(file);
        const TInstall result = Install(path);
        ::DeleteFileA(path);
        EXPECT_FALSE(result.installed) << size;
        EXPECT_NE(result.error, 0u) << size;
    }
}
