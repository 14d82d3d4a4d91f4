// The notice texts read back from a file of one of the formats of
// NoticeFormats.h, as the tools that apply it read it. Pure: bytes in, texts
// or the reason out.
#pragma once

#include <cstddef>

#include "base/WideText.h"

namespace velmora {

// A notice takes a few KiB; a file above this is refused before it is read
// whole (a full regedit export of a hive runs to many MiB).
constexpr size_t NoticeFileLimit = 1024 * 1024;

enum class TNoticeFileError {
    None,
    TooLarge,           // above NoticeFileLimit
    NulCharacter,       // at `line`
    UnknownFormat,      // none of the formats
    UnterminatedQuote,  // at `line`
    UnterminatedHex,    // a hex run continued past the end; `line` where it starts
    BadValue,           // a notice value at `line` that is not readable text
    BadKey,             // a key or section line at `line` that the importing tool skips
    CaptionLineBreak,   // the caption at `line` holds a line break, which its edit cannot
    NoNoticeValue,      // neither LegalNoticeCaption nor LegalNoticeText
    BadJson,            // not JSON at `line`
    BeyondBounds,       // nested deeper or holding more values than read, from `line` on
    ForeignScript,      // a script's resource at `line` not as Velmora writes it
};

enum class TNoticeFileFormat { Unknown, RegistryFile, SecurityTemplate, IntunePolicy,
                               DscConfiguration };

// Where a value was found: the logon reads the policy key's before Winlogon's.
enum : unsigned { NoticeKeyWinlogon = 1, NoticeKeyPolicy = 2 };

struct TNoticeFile {
    TNoticeFileError error = TNoticeFileError::None;
    TNoticeFileFormat format = TNoticeFileFormat::Unknown;
    unsigned line = 0;  // of the error, counted from 1; 0 where none applies
    bool hasCaption = false;
    bool hasText = false;
    TWideText caption;
    TWideText text;     // line breaks as the file holds them
    unsigned keys = 0;  // NoticeKey... bits of the keys the values came from or were deleted in
    // The file sets neither value and deletes one or both: imported, it
    // leaves no notice. Both texts are then empty.
    bool removesNotice = false;
};

// Each format in its own encoding (TextEncoding.h). The Winlogon key and
// the policy key, where both carry a value the policy key's. A file with only one of
// the two values has only that one; a value the file deletes (and does not
// set again) is there, empty.
TNoticeFile ReadNoticeFile(const void* bytes, size_t size);

}  // namespace velmora
