// What the formats' readers share: the values a file sets, and the rules of
// names and keys that regedit and SetupAPI apply alike.
#pragma once

#include <vector>

#include "formats/NoticeFileReader.h"

namespace velmora {

using TLines = std::vector<TWideText>;

enum class TNoticeName { Other, Caption, Text };

// One notice value of one key, as the import leaves it: untouched, set or
// deleted.
enum class TValueState { Untouched, Set, Deleted };
struct TNoticeValue {
    TValueState state = TValueState::Untouched;
    TWideText text;
};

// The values one key of the file carries, indexed by TNoticeName minus one.
struct TKeyValues {
    TNoticeValue values[2];
};

// Found values per key, indexed by these.
enum { WinlogonIndex = 0, PolicyIndex = 1 };
struct TFileValues {
    TKeyValues keys[2];
};

bool IsBlank(wchar_t c);
bool SameAscii(const TWideText& a, const wchar_t* b);
bool StartsWithAscii(const TWideText& text, const wchar_t* prefix);
TWideText Trimmed(const TWideText& text);
TWideText LeftTrimmed(const TWideText& text);
// WinlogonIndex or PolicyIndex for a key path beneath HKEY_LOCAL_MACHINE
// (without the root), -1 for any other key.
int KeyIndexOf(TWideText path);
// Whether deleting `path` (beneath HKEY_LOCAL_MACHINE) takes the key of
// `index` along, being that key or one above it.
bool DeletesKey(const TWideText& path, int index);
TNoticeName NoticeNameOf(const TWideText& name);
void Take(TKeyValues& key, TNoticeName name, const TWideText& value);
void Drop(TKeyValues& key, TNoticeName name);
// Sets `result`'s error at `line` (counted from 0) and returns false, so
// that a reader can end with it.
bool Fail(TNoticeFile& result, TNoticeFileError error, size_t line);

// The lines of `text`; an empty file is still one (empty) line to the
// readers.
TLines LinesOf(const TWideText& text);

}  // namespace velmora
