#include "ui/NoticeCutList.h"

#include <algorithm>

#include "app/Messages.h"
#include "app/StringIds.h"
#include "base/FormatText.h"

namespace velmora {

namespace {

constexpr int TextCapacity = 1024;

UINT SystemName(TNoticeSystem system) {
    switch (system) {
    case TNoticeSystem::Xp2003: return IDS_SYSTEM_XP;
    case TNoticeSystem::Win2000: return IDS_SYSTEM_2000;
    case TNoticeSystem::Nt4: return IDS_SYSTEM_NT4;
    case TNoticeSystem::Win9x: return IDS_SYSTEM_9X;
    case TNoticeSystem::Vista7: return IDS_SYSTEM_VISTA;
    case TNoticeSystem::Win8to11: return IDS_SYSTEM_MODERN;
    }
    return IDS_SYSTEM_MODERN;
}

UINT WhatHappens(TLimitKind kind) {
    switch (kind) {
    case TLimitKind::OneLineLength: return IDS_CUT_ONE_LINE;
    case TLimitKind::LineLength: return IDS_CUT_LINE_LONG;
    case TLimitKind::LineCount: return IDS_CUT_LINES;
    case TLimitKind::TextLength: return IDS_CUT_TEXT_LONG;
    case TLimitKind::NoSeveralLines: return IDS_CUT_SEVERAL_LINES;
    case TLimitKind::BreakIsCr: return IDS_CUT_BREAK_CR;
    case TLimitKind::AnsiCodePage: return IDS_CUT_CODE_PAGE;
    case TLimitKind::NonePublished: return IDS_CUT_NONE_PUBLISHED;
    }
    return IDS_CUT_NONE_PUBLISHED;
}

std::string CutLine(const TNoticeCut& cut) {
    char system[128] = {};
    LoadText(SystemName(cut.system), system, sizeof system);
    char format[512] = {};
    LoadText(WhatHappens(cut.kind), format, sizeof format);
    char line[TextCapacity] = {};
    if (cut.kind == TLimitKind::NonePublished) {
        FormatText(line, format, static_cast<const char*>(system));
        return line;
    }
    char lineFormat[64] = {};
    char where[64] = {};
    LoadText(cut.line == 0 ? IDS_CUT_CAPTION : IDS_CUT_LINE, lineFormat, sizeof lineFormat);
    FormatText(where, lineFormat, static_cast<unsigned>(cut.line));
    FormatText(line, format, static_cast<const char*>(system), static_cast<const char*>(where),
               static_cast<unsigned>(cut.limit));
    return line;
}

}  // namespace

std::string NoticeCutList(const std::vector<TNoticeCut>& cuts) {
    const bool within = std::all_of(cuts.begin(), cuts.end(), [](const TNoticeCut& cut) {
        return cut.kind == TLimitKind::NonePublished;
    });
    if (within) {
        char line[TextCapacity] = {};
        LoadText(IDS_CUT_WITHIN, line, sizeof line);
        return line;
    }
    std::string list;
    for (const TNoticeCut& cut : cuts) {
        if (!list.empty()) list += "\r\n";
        list += CutLine(cut);
    }
    return list;
}

}  // namespace velmora
