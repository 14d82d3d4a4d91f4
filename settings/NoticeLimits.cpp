#include "settings/NoticeLimits.h"

#include "settings/AnsiText.h"
#include "formats/NoticeLines.h"

namespace velmora {

namespace {

// The number of the line in which character `position` of the CR LF text
// lies, counting from 1.
size_t LineOfPosition(const std::vector<TWideText>& lines, size_t position) {
    size_t start = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        start += lines[i].size() + 2;
        if (position < start) return i + 1;
    }
    return lines.size();
}

void Apply(const TNoticeLimit& row, const TWideText& caption, const TWideText& text,
           const std::vector<TWideText>& lines, std::vector<TNoticeCut>& cuts) {
    const auto cut = [&](size_t line) { cuts.push_back({row.system, row.kind, line, row.number}); };
    const bool several = lines.size() > 1;
    switch (row.kind) {
    case TLimitKind::OneLineLength:
        if (!several && !lines.empty() && lines[0].size() > row.number) cut(1);
        break;
    case TLimitKind::LineLength:
        if (several)
            for (size_t i = 0; i < lines.size(); ++i)
                if (lines[i].size() > row.number) cut(i + 1);
        break;
    case TLimitKind::LineCount:
        if (lines.size() > row.number) cut(row.number + 1);
        break;
    case TLimitKind::TextLength:
        if (several && WithCrLf(text).size() > row.number)
            cut(LineOfPosition(lines, row.number));
        break;
    case TLimitKind::NoSeveralLines:
    case TLimitKind::BreakIsCr:
        if (several) cut(2);
        break;
    case TLimitKind::AnsiCodePage:
        if (!TextReadsAsAnsi(caption)) cut(0);
        for (size_t i = 0; i < lines.size(); ++i)
            if (!TextReadsAsAnsi(lines[i])) cut(i + 1);
        break;
    case TLimitKind::NonePublished: cut(0); break;
    }
}

}  // namespace

std::vector<TNoticeCut> NoticeCuts(const TWideText& caption, const TWideText& text) {
    const std::vector<TWideText> lines = NoticeLines(text);
    std::vector<TNoticeCut> cuts;
    for (const TNoticeLimit& row : NoticeLimits) Apply(row, caption, text, lines, cuts);
    return cuts;
}

bool WithinPolicyLimits(const TWideText& text) {
    for (const TWideText& line : NoticeLines(text))
        if (line.size() > PolicyLineLimit) return false;
    return WithCrLf(text).size() <= PolicyTextLimit;
}

}  // namespace velmora
