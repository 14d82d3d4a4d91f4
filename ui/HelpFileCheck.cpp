#include "ui/HelpFileCheck.h"

#include "signature/ApiCrypt.h"
#include "ui/ControlIds.h"

namespace velmora {

namespace {

constexpr DWORD Sha256Size = 32;
constexpr DWORD Sha1Size = 20;

// The file's hash by `algorithm` equals the embedded resource `id` of that
// length. A program without the resource matches nothing.
bool MatchesEmbedded(WORD id, DWORD length, ALG_ID algorithm, const BYTE* data, DWORD size,
                     THashFunction hash, bool& computed) {
    BYTE digest[Sha256Size] = {};
    DWORD digestSize = length;
    computed = hash(algorithm, data, size, digest, &digestSize) != FALSE;
    if (!computed || digestSize != length) return false;
    const HRSRC info = ::FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_RCDATA);
    if (info == nullptr || ::SizeofResource(nullptr, info) != length) return false;
    const void* embedded = ::LockResource(::LoadResource(nullptr, info));
    return embedded != nullptr && ::memcmp(embedded, digest, length) == 0;
}

}  // namespace

BOOL SystemHash(ALG_ID algorithm, const BYTE* data, DWORD size, BYTE* hash, DWORD* hashSize) {
    return ApiCrypt::CryptHashCertificate(0, algorithm, 0, data, size, hash, hashSize);
}

bool IsGenuineHelpFile(const BYTE* data, DWORD size, THashFunction hash) {
    bool computed = false;
    if (MatchesEmbedded(IDR_HELP_SHA256, Sha256Size, CALG_SHA_256, data, size, hash, computed))
        return true;
    // NT 4, the 9x family and XP before its third service pack have no
    // SHA-256; only there does the SHA-1 decide. A SHA-256 that was
    // computed and differs is never overruled.
    if (computed) return false;
    return MatchesEmbedded(IDR_HELP_SHA1, Sha1Size, CALG_SHA1, data, size, hash, computed);
}

}  // namespace velmora
