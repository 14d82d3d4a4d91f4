#include "settings/NoticeLines.h"

namespace velmora {

std::vector<std::wstring> NoticeLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    if (text.empty()) return lines;
    std::wstring line;
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

std::wstring WithCrLf(const std::wstring& text) {
    std::wstring joined;
    const std::vector<std::wstring> lines = NoticeLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) joined += L"\r\n";
        joined += lines[i];
    }
    return joined;
}

bool WithinPolicyLimits(const std::wstring& text) {
    for (const std::wstring& line : NoticeLines(text))
        if (line.size() > PolicyLineLimit) return false;
    return WithCrLf(text).size() <= PolicyTextLimit;
}

}  // namespace velmora
