#include "formats/NoticeLines.h"

namespace velmora {

std::vector<TWideText> NoticeLines(const TWideText& text) {
    std::vector<TWideText> lines;
    if (text.empty()) return lines;
    TWideText line;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c != L'\r' && c != L'\n') {
            line += c;
            continue;
        }
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        lines.push_back(line);
        line.clear();
    }
    lines.push_back(line);
    return lines;
}

TWideText WithCrLf(const TWideText& text) {
    TWideText joined;
    const std::vector<TWideText> lines = NoticeLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) joined += L"\r\n";
        joined += lines[i];
    }
    return joined;
}

}  // namespace velmora
