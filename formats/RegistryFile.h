// The notice as a registry file for regedit and "reg import".
#pragma once

#include "base/WideText.h"

namespace velmora {

struct TFileValues;
struct TNoticeFile;

// The key that Group Policy writes and the logon reads before Winlogon's.
inline constexpr const wchar_t* PolicySystemKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// The whole file, CR LF line ends, without the byte-order mark: the caption
// as a quoted string, the text as hex(1), which regedit imports as REG_SZ
// and which, unlike a quoted string, holds line breaks (stored as CR LF).
TWideText RegistryFileText(const TWideText& caption, const TWideText& text);

// Whether `text` starts as regedit's two formats do; then the values it
// sets and deletes, as regedit imports them, or `result`'s error.
bool IsRegistryFile(const TWideText& text);
void ReadRegistryFile(const TWideText& text, TFileValues& values, TNoticeFile& result);

}  // namespace velmora
