// Whether a stored text reads through the ANSI functions without loss.
#pragma once

#include <windows.h>

#include "base/WideText.h"

namespace velmora {

// The conversion the check makes; a parameter so that a system which fails
// it (or rejects a flag, as NT 4 rejects WC_NO_BEST_FIT_CHARS) can be tried.
using TWideToAnsi = int(WINAPI*)(UINT, DWORD, LPCWCH, int, LPSTR, int, LPCCH, LPBOOL);

// Whether `text` goes through the ANSI code page and back unchanged.
bool TextReadsAsAnsi(const TWideText& text);

// False when the value `name` of `key` holds text (REG_SZ, REG_EXPAND_SZ or
// REG_MULTI_SZ) with characters that the ANSI code page cannot hold, so that
// the ANSI functions return "?" or a look-alike, and whenever the check
// itself fails: such a value is kept rather than rewritten. True for a
// missing value, an empty one and one of another type. With `stored`, a
// REG_SZ value that does not read as ANSI leaves there its UTF-16 text up to
// its first zero.
bool ValueReadsAsAnsi(HKEY key, const char* name, TWideToAnsi convert = ::WideCharToMultiByte,
                      TWideText* stored = nullptr);

}  // namespace velmora
