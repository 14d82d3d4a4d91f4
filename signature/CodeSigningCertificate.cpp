#include "signature/CodeSigningCertificate.h"

#include <cstring>

#include "base/Handles.h"
#include "signature/ApiCrypt.h"

namespace velmora {

namespace {

constexpr DWORD Encoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
constexpr BYTE CertificateSigningUsages = CERT_KEY_CERT_SIGN_KEY_USAGE | CERT_CRL_SIGN_KEY_USAGE;

// The extension's value decoded into the structure `type` names; empty
// when it does not decode.
THeapBuffer Decode(const CERT_EXTENSION& extension, LPCSTR type) {
    DWORD size = 0;
    if (!ApiCrypt::CryptDecodeObject(Encoding, type, extension.Value.pbData,
                                     extension.Value.cbData, 0, nullptr, &size) ||
        size == 0)
        return {};
    THeapBuffer decoded(size);
    if (!decoded || !ApiCrypt::CryptDecodeObject(Encoding, type, extension.Value.pbData,
                                                 extension.Value.cbData, 0,
                                                 decoded.as<void>(), &size))
        return {};
    return decoded;
}

bool AllowsCa(const CERT_EXTENSION& extension) {
    const THeapBuffer decoded = Decode(extension, X509_BASIC_CONSTRAINTS2);
    return !decoded || decoded.as<CERT_BASIC_CONSTRAINTS2_INFO>()->fCA;
}

// The form of basic constraints that came before the standard one.
bool AllowsCaOldForm(const CERT_EXTENSION& extension) {
    const THeapBuffer decoded = Decode(extension, X509_BASIC_CONSTRAINTS);
    if (!decoded) return true;
    const CRYPT_BIT_BLOB& subject = decoded.as<CERT_BASIC_CONSTRAINTS_INFO>()->SubjectType;
    return subject.cbData > 0 && (subject.pbData[0] & CERT_CA_SUBJECT_FLAG) != 0;
}

bool KeyUsageSignsCodeOnly(const CERT_EXTENSION& extension) {
    const THeapBuffer decoded = Decode(extension, X509_KEY_USAGE);
    if (!decoded) return false;
    const CRYPT_BIT_BLOB& usage = *decoded.as<CRYPT_BIT_BLOB>();
    return usage.cbData > 0 && (usage.pbData[0] & CERT_DIGITAL_SIGNATURE_KEY_USAGE) != 0 &&
           (usage.pbData[0] & CertificateSigningUsages) == 0;
}

bool NamesCodeSigning(const CERT_EXTENSION& extension) {
    const THeapBuffer decoded = Decode(extension, X509_ENHANCED_KEY_USAGE);
    if (!decoded) return false;
    const CERT_ENHKEY_USAGE& usage = *decoded.as<CERT_ENHKEY_USAGE>();
    for (DWORD i = 0; i < usage.cUsageIdentifier; ++i)
        if (std::strcmp(usage.rgpszUsageIdentifier[i], szOID_PKIX_KP_CODE_SIGNING) == 0)
            return true;
    return false;
}

}  // namespace

bool IsCodeSigningEndEntity(PCCERT_CONTEXT certificate) {
    const CERT_INFO& info = *certificate->pCertInfo;
    const auto find = [&info](LPCSTR oid) {
        return ApiCrypt::CertFindExtension(oid, info.cExtension, info.rgExtension);
    };
    if (const PCERT_EXTENSION e = find(szOID_BASIC_CONSTRAINTS2); e && AllowsCa(*e)) return false;
    if (const PCERT_EXTENSION e = find(szOID_BASIC_CONSTRAINTS); e && AllowsCaOldForm(*e))
        return false;
    if (const PCERT_EXTENSION e = find(szOID_KEY_USAGE); e && !KeyUsageSignsCodeOnly(*e))
        return false;
    if (const PCERT_EXTENSION e = find(szOID_ENHANCED_KEY_USAGE); e && !NamesCodeSigning(*e))
        return false;
    return true;
}

}  // namespace velmora
