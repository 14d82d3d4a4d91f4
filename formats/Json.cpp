#include "formats/Json.h"

namespace velmora {

namespace {

class TJsonParser {
public:
    TJsonParser(const TWideText& text, TNoticeFile& result) : text_(text), result_(result) {}

    bool Parse(TJsonValue& root) {
        if (!Value(root, 0)) return false;
        SkipBlanks();
        return at_ == text_.size() || Fail(TNoticeFileError::BadJson);
    }

private:
    bool Fail(TNoticeFileError error) {
        result_.error = error;
        result_.line = line_;
        return false;
    }

    void SkipBlanks() {
        for (; at_ < text_.size(); ++at_) {
            const wchar_t c = text_[at_];
            if (c == L'\n') ++line_;
            if (c != L' ' && c != L'\t' && c != L'\n' && c != L'\r') return;
        }
    }

    bool Take(wchar_t c) {
        SkipBlanks();
        if (at_ == text_.size() || text_[at_] != c) return false;
        ++at_;
        return true;
    }

    bool Literal(const wchar_t* word) {
        for (; *word != L'\0'; ++word, ++at_)
            if (at_ == text_.size() || text_[at_] != *word) return false;
        return true;
    }

    bool Value(TJsonValue& value, unsigned depth) {
        SkipBlanks();
        value.line = line_;
        if (depth >= JsonDepthLimit || ++count_ > JsonValueLimit)
            return Fail(TNoticeFileError::BeyondBounds);
        if (at_ == text_.size()) return Fail(TNoticeFileError::BadJson);
        switch (text_[at_]) {
        case L'{': value.kind = TJsonValue::Object; return Members(value, depth);
        case L'[': value.kind = TJsonValue::Array; return Items(value, depth);
        case L'"': value.kind = TJsonValue::String; return String(value.text);
        case L't': value.kind = TJsonValue::True; return Literal(L"true") || Fail(TNoticeFileError::BadJson);
        case L'f': value.kind = TJsonValue::False; return Literal(L"false") || Fail(TNoticeFileError::BadJson);
        case L'n': value.kind = TJsonValue::Null; return Literal(L"null") || Fail(TNoticeFileError::BadJson);
        default: value.kind = TJsonValue::Number; return Number(value.text);
        }
    }

    bool Members(TJsonValue& object, unsigned depth) {
        ++at_;
        if (Take(L'}')) return true;
        do {
            TWideText name;
            SkipBlanks();
            if (at_ == text_.size() || text_[at_] != L'"' || !String(name))
                return Fail(TNoticeFileError::BadJson);
            if (object.Member(name.c_str()) != nullptr) return Fail(TNoticeFileError::BadJson);
            if (!Take(L':')) return Fail(TNoticeFileError::BadJson);
            object.names.push_back(name);
            object.items.emplace_back();
            if (!Value(object.items.back(), depth + 1)) return false;
        } while (Take(L','));
        return Take(L'}') || Fail(TNoticeFileError::BadJson);
    }

    bool Items(TJsonValue& array, unsigned depth) {
        ++at_;
        if (Take(L']')) return true;
        do {
            array.items.emplace_back();
            if (!Value(array.items.back(), depth + 1)) return false;
        } while (Take(L','));
        return Take(L']') || Fail(TNoticeFileError::BadJson);
    }

    static int HexDigit(wchar_t c) {
        if (c >= L'0' && c <= L'9') return c - L'0';
        if (c >= L'a' && c <= L'f') return c - L'a' + 10;
        if (c >= L'A' && c <= L'F') return c - L'A' + 10;
        return -1;
    }

    // From the opening quote at `at_`; a control character must be escaped.
    bool String(TWideText& out) {
        static const wchar_t Escaped[] = L"\"\\/bfnrt";
        static const wchar_t Meant[] = L"\"\\/\b\f\n\r\t";
        for (++at_; at_ < text_.size(); ++at_) {
            wchar_t c = text_[at_];
            if (c == L'"') {
                ++at_;
                return true;
            }
            if (c < L' ') break;
            if (c == L'\\') {
                if (++at_ == text_.size()) break;
                const wchar_t e = text_[at_];
                size_t which = 0;
                while (Escaped[which] != L'\0' && Escaped[which] != e) ++which;
                if (e == L'u') {
                    unsigned code = 0;
                    for (int k = 0; k < 4; ++k) {
                        const int digit = at_ + 1 < text_.size() ? HexDigit(text_[at_ + 1]) : -1;
                        if (digit < 0) return Fail(TNoticeFileError::BadJson);
                        code = code * 16 + static_cast<unsigned>(digit);
                        ++at_;
                    }
                    c = static_cast<wchar_t>(code);
                } else if (Escaped[which] != L'\0') {
                    c = Meant[which];
                } else {
                    break;
                }
            }
            out += c;
        }
        return Fail(TNoticeFileError::BadJson);
    }

    // -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
    bool Number(TWideText& out) {
        const size_t start = at_;
        const auto digits = [&] {
            const size_t from = at_;
            while (at_ < text_.size() && text_[at_] >= L'0' && text_[at_] <= L'9') ++at_;
            return at_ - from;
        };
        if (at_ < text_.size() && text_[at_] == L'-') ++at_;
        const size_t first = at_;
        const size_t whole = digits();
        bool good = whole == 1 || (whole > 1 && text_[first] != L'0');
        if (good && at_ < text_.size() && text_[at_] == L'.') {
            ++at_;
            good = digits() > 0;
        }
        if (good && at_ < text_.size() && (text_[at_] == L'e' || text_[at_] == L'E')) {
            ++at_;
            if (at_ < text_.size() && (text_[at_] == L'+' || text_[at_] == L'-')) ++at_;
            good = digits() > 0;
        }
        if (!good) return Fail(TNoticeFileError::BadJson);
        out = text_.substr(start, at_ - start);
        return true;
    }

    const TWideText& text_;
    TNoticeFile& result_;
    size_t at_ = 0;
    unsigned line_ = 1;
    size_t count_ = 0;
};

}  // namespace

const TJsonValue* TJsonValue::Member(const wchar_t* name) const {
    if (kind != Object) return nullptr;
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return &items[i];
    return nullptr;
}

bool ParseJson(const TWideText& text, TJsonValue& root, TNoticeFile& result) {
    return TJsonParser(text, result).Parse(root);
}

void AppendJsonString(TWideText& out, const TWideText& value) {
    static const wchar_t Hex[] = L"0123456789abcdef";
    out += L'"';
    for (const wchar_t c : value) {
        if (c == L'"' || c == L'\\') {
            out += L'\\';
            out += c;
        } else if (c == L'\r' || c == L'\n' || c == L'\t') {
            out += L'\\';
            out += c == L'\r' ? L'r' : c == L'\n' ? L'n' : L't';
        } else if (c < L' ') {
            out += L"\\u00";
            out += Hex[c >> 4];
            out += Hex[c & 0xF];
        } else {
            out += c;
        }
    }
    out += L'"';
}

}  // namespace velmora
