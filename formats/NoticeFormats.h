// The file formats the notice goes out in and comes back from: one row
// each, read by the system menu, the Save As and Open dialogs and the
// loader alike. A further format is a file of its own and a row here.
#pragma once

#include <windows.h>

#include "base/WideText.h"
#include "formats/NoticeFileReader.h"
#include "formats/TextEncoding.h"

namespace velmora {

struct TFileValues;

struct TNoticeFormat {
    TNoticeFileFormat format;
    const wchar_t* extension;  // without the dot
    TTextEncoding encoding;
    // The whole file for the texts as the dialog shows them.
    TWideText (*write)(const TWideText& caption, const TWideText& text);
    // Whether a file's text is of this format; then what it sets or deletes.
    bool (*recognises)(const TWideText& text);
    void (*read)(const TWideText& text, TFileValues& values, TNoticeFile& result);
    // Where the format's readers would end the file early inside `value`:
    // true with the line (from 1). Null where nothing does.
    bool (*endsEarly)(const TWideText& value, unsigned& line);
    UINT command;      // its item in the system menu
    UINT menuTextId;   // that item's text
    UINT titleId;      // the Save As dialog's title
    UINT typeId;       // its files in the dialogs' lists of file types
    UINT nameId;       // the format in the loader's messages
    UINT noValueId;    // the message for a file of it without the notice
};

struct TNoticeFormats {
    const TNoticeFormat* first;
    size_t count;
    const TNoticeFormat* begin() const { return first; }
    const TNoticeFormat* end() const { return first + count; }
};

TNoticeFormats NoticeFormats();

// The row of `format`; the first row for Unknown.
const TNoticeFormat& NoticeFormatOf(TNoticeFileFormat format);

}  // namespace velmora
