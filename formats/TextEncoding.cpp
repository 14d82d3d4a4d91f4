#include "formats/TextEncoding.h"

#include <windows.h>

namespace velmora {

namespace {

// The first line that holds character `index`, counted from 1.
unsigned LineOf(const TWideText& text, size_t index) {
    unsigned line = 1;
    for (size_t i = 0; i < index; ++i)
        if (text[i] == L'\n' || (text[i] == L'\r' && text[i + 1] != L'\n')) ++line;
    return line;
}

// regedit takes a UTF-16 file whose last byte is a stray one, which ends
// with zeros, or whose byte-order mark stands twice: editors and scripts
// leave such files, and the import reads them as if they had none of it.
void DecodeUtf16(const unsigned char* bytes, size_t size, TWideText& text) {
    text.resize((size - 2) / 2);
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(bytes[2 + 2 * i] | bytes[3 + 2 * i] << 8);
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    if (!text.empty() && text[0] == L'\xFEFF') text.erase(0, 1);
}

bool DecodeUtf16OrCodePage(const unsigned char* bytes, size_t size, TWideText& text,
                           TNoticeFile& result) {
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        DecodeUtf16(bytes, size, text);
    } else if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        result.error = TNoticeFileError::UnknownFormat;  // big-endian: neither reader takes it
        return false;
    } else if (size > 0) {
        const int count = ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes),
                                                static_cast<int>(size), nullptr, 0);
        text.resize(count > 0 ? static_cast<size_t>(count) : 0);
        if (count > 0)
            ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes),
                                  static_cast<int>(size), &text[0], count);
    }
    return true;
}

// By hand: before Windows XP SP2 MultiByteToWideChar drops malformed UTF-8
// silently, and the 9x family knows no CP_UTF8 without the Layer for Unicode.
// Overlong forms, surrogates and values above U+10FFFF are malformed.
bool DecodeUtf8(const unsigned char* bytes, size_t size, TWideText& text, TNoticeFile& result) {
    size_t i = size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
    while (i < size) {
        const unsigned lead = bytes[i];
        const size_t extra = lead < 0x80 ? 0 : lead >= 0xC2 && lead < 0xE0 ? 1
                             : lead >= 0xE0 && lead < 0xF0 ? 2 : lead >= 0xF0 && lead < 0xF5 ? 3
                                                                                            : 4;
        unsigned long code = extra == 0 ? lead : lead & (0x7Fu >> (extra + 1));
        bool good = extra < 4;
        for (size_t k = 1; good && k <= extra; ++k) {
            good = i + k < size && (bytes[i + k] & 0xC0) == 0x80;
            if (good) code = code << 6 | (bytes[i + k] & 0x3F);
        }
        static const unsigned long Least[] = {0, 0x80, 0x800, 0x10000, 0};
        if (!good || code < Least[extra] || (code >= 0xD800 && code < 0xE000) || code > 0x10FFFF) {
            result.error = TNoticeFileError::UnknownFormat;
            return false;
        }
        if (code >= 0x10000) {
            text += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
            text += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            text += static_cast<wchar_t>(code);
        }
        i += extra + 1;
    }
    return true;
}

void AppendUtf8(std::string& bytes, const TWideText& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned long code = text[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000)
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (code >= 0xD800 && code < 0xE000)
            code = 0xFFFD;  // a lone surrogate has no UTF-8 form
        if (code < 0x80) {
            bytes += static_cast<char>(code);
        } else if (code < 0x800) {
            bytes += static_cast<char>(0xC0 | code >> 6);
            bytes += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            bytes += static_cast<char>(0xE0 | code >> 12);
            bytes += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            bytes += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | code >> 18);
            bytes += static_cast<char>(0x80 | (code >> 12 & 0x3F));
            bytes += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            bytes += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
}

}  // namespace

std::string EncodedText(const TWideText& text, TTextEncoding encoding) {
    std::string bytes;
    if (encoding == TTextEncoding::Utf16OrCodePage) {
        bytes = "\xFF\xFE";
        for (const wchar_t c : text) {
            bytes += static_cast<char>(c & 0xFF);
            bytes += static_cast<char>(c >> 8 & 0xFF);
        }
        return bytes;
    }
    if (encoding == TTextEncoding::Utf8WithMark) bytes = "\xEF\xBB\xBF";
    AppendUtf8(bytes, text);
    return bytes;
}

bool DecodedText(const unsigned char* bytes, size_t size, TTextEncoding encoding, TWideText& text,
                 TNoticeFile& result) {
    text.clear();
    const bool decoded = encoding == TTextEncoding::Utf16OrCodePage
                             ? DecodeUtf16OrCodePage(bytes, size, text, result)
                             : DecodeUtf8(bytes, size, text, result);
    if (!decoded) return false;
    const size_t nul = text.find(L'\0');
    if (nul == TWideText::npos) return true;
    result.error = TNoticeFileError::NulCharacter;
    result.line = LineOf(text, nul);
    return false;
}

}  // namespace velmora
