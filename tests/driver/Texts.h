// The program's own message texts that more than one test looks for,
// in code page 1252.
#pragma once

namespace texts {

inline constexpr const char* SignatureFailed =
    "Die \xDC" "berpr\xFC" "fung der digitalen Signatur schlug fehl.\r\nBitte \xFC" "berpr\xFC"
    "fen Sie, ob das Zertifikat richtig installiert worden und nicht abgelaufen ist.";
inline constexpr const char* SignatureBroken =
    "Die Signatur des Programms ist ung\xFCltig oder besch\xE4" "digt.\r\nFolgende Funktionen "
    "stehen nicht mehr zur Verf\xFCgung:\r\n\r\n- automatische Installation des Zertifikats\r\n"
    "- \xDC" "berpr\xFC" "fung des entsprechenden Zertifikats";
inline constexpr const char* CertificateForeign =
    "Die Zertifikatsdatei geh\xF6rt nicht zur Signatur dieses Programms und wurde nicht "
    "installiert.";

}  // namespace texts
