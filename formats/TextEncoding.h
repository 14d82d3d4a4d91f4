// How a format's file holds its text: the bytes written, and the text read
// back from them.
#pragma once

#include <cstddef>
#include <string>

#include "base/WideText.h"
#include "formats/NoticeFileReader.h"

namespace velmora {

enum class TTextEncoding {
    // Written as UTF-16LE with its byte-order mark; read so, or else in the
    // ANSI code page, as regedit and SetupAPI read their files.
    Utf16OrCodePage,
    // UTF-8 without a byte-order mark, as JSON is exchanged (RFC 8259);
    // read with or without one.
    Utf8,
    // UTF-8 with its byte-order mark: Windows PowerShell 5.1 reads a script
    // without one in the ANSI code page. Read with or without one.
    Utf8WithMark,
};

std::string EncodedText(const TWideText& text, TTextEncoding encoding);

// False, with the reason and its line in `result`, for bytes that are no
// text in `encoding`: a NUL character (either reader would end the line
// there), big-endian UTF-16, malformed UTF-8.
bool DecodedText(const unsigned char* bytes, size_t size, TTextEncoding encoding, TWideText& text,
                 TNoticeFile& result);

}  // namespace velmora
