// What a certificate may vouch for, from its own extensions.
#pragma once

#include <windows.h>

#include <wincrypt.h>

namespace velmora {

// True for a certificate that can sign code and nothing more: no CA by its
// basic constraints, a key usage (where present) that allows digital
// signatures but not the signing of certificates or revocation lists, and
// an extended key usage (where present) that names code signing. An
// extension that cannot be decoded counts against it. Only such a
// certificate may be made a trusted root on a program's word: as a root it
// vouches for programs its key signed, never for a web site or another
// certificate.
bool IsCodeSigningEndEntity(PCCERT_CONTEXT certificate);

}  // namespace velmora
