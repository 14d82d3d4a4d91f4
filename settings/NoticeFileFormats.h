// What the two file formats' readers share; used by NoticeFileReader only.
#pragma once

#include <vector>

#include "settings/NoticeFileReader.h"

namespace velmora {

using TLines = std::vector<TWideText>;

// The values one key of the file carries.
struct TKeyValues {
    bool hasCaption = false;
    bool hasText = false;
    TWideText caption;
    TWideText text;
};

// Found values per key, indexed by these.
enum { WinlogonIndex = 0, PolicyIndex = 1 };
struct TFileValues {
    TKeyValues keys[2];
};

enum class TNoticeName { Other, Caption, Text };

bool SameAscii(const TWideText& a, const wchar_t* b);
bool StartsWithAscii(const TWideText& text, const wchar_t* prefix);
TWideText Trimmed(const TWideText& text);
// WinlogonIndex or PolicyIndex for a key path beneath HKEY_LOCAL_MACHINE
// (without the root), -1 for any other key.
int KeyIndexOf(TWideText path);
TNoticeName NoticeNameOf(const TWideText& name);
void Take(TKeyValues& key, TNoticeName name, const TWideText& value);

// True when `lines` start like a registry file; then reads it into `values`
// or sets `result`'s error.
bool IsRegistryFile(const TLines& lines);
void ReadRegistryFile(const TLines& lines, TFileValues& values, TNoticeFile& result);

bool IsSecurityTemplate(const TLines& lines);
void ReadSecurityTemplate(const TLines& lines, TFileValues& values, TNoticeFile& result);

}  // namespace velmora
