// JSON as RFC 8259 defines it and nothing more, for the files Intune
// exchanges: no comments, no trailing commas, no names twice in an object,
// and bounds on nesting and on the number of values, so that no file can
// make the reader recurse or allocate without end.
#pragma once

#include <cstddef>
#include <vector>

#include "base/WideText.h"
#include "formats/NoticeFileReader.h"

namespace velmora {

constexpr unsigned JsonDepthLimit = 32;
constexpr size_t JsonValueLimit = 65536;

struct TJsonValue {
    enum TKind : unsigned char { Null, False, True, Number, String, Array, Object };
    TKind kind = Null;
    unsigned line = 1;              // where the value starts, counted from 1
    TWideText text;                 // a string's characters, a number as written
    std::vector<TWideText> names;   // an object's member names, in order
    std::vector<TJsonValue> items;  // an array's items, an object's member values

    // The member `name` of an object; null when absent or not an object.
    const TJsonValue* Member(const wchar_t* name) const;
};

// False, with BadJson or BeyondBounds and the line in `result`, for text
// that is not one JSON value within the bounds.
bool ParseJson(const TWideText& text, TJsonValue& root, TNoticeFile& result);

// `value` as a JSON string, quotes included; characters beyond ASCII stay
// as they are, for the file's UTF-8.
void AppendJsonString(TWideText& out, const TWideText& value);

}  // namespace velmora
