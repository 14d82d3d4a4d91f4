// What each Windows family is documented to do with the notice: the one
// table of limits, and what a given notice runs into.
#pragma once

#include <vector>

#include "base/WideText.h"

namespace velmora {

enum class TNoticeSystem { Xp2003, Win2000, Nt4, Win9x, Vista7, Win8to11 };

enum class TLimitKind {
    OneLineLength,      // a text without breaks, characters
    LineLength,         // each line of a text with breaks, characters
    LineCount,          // lines shown
    TextLength,         // all characters, each break counted as CR LF
    NoSeveralLines,     // a text of several lines from the newer tools is not shown
    BreakIsCr,          // a line ends at a CR alone
    AnsiCodePage,       // only what the ANSI code page holds is shown
    NonePublished,      // no limit is documented at all
};

struct TNoticeLimit {
    TNoticeSystem system;
    TLimitKind kind;
    size_t number;
};

// Read by the exports' warning too: the policy location's own limits.
constexpr size_t PolicyLineLimit = 512;
constexpr size_t PolicyTextLimit = 2048;

// Microsoft's reference of the security setting "Interactive logon: Message
// text for users attempting to log on" for Windows Server 2003 (cc779661):
// XP and Server 2003 take 512 characters without CR LF, and with them at
// most four lines of 512, 2,048 in all; Windows 2000 cannot show a text of
// several lines that computers with XP or Server 2003 set.
// KB 173385 and KB 238149: on NT 4.0 a line ends at a CR; Windows 2000 needs
// CR LF, which is how the dialog's edit breaks lines anyway.
// The 9x family stores and shows the notice through the ANSI functions.
// The references of the same setting for Vista to 8.1 (jj852199) and for
// Windows 10 and 11 name no length and no line limit.
constexpr TNoticeLimit NoticeLimits[] = {
    {TNoticeSystem::Xp2003, TLimitKind::OneLineLength, PolicyLineLimit},
    {TNoticeSystem::Xp2003, TLimitKind::LineLength, PolicyLineLimit},
    {TNoticeSystem::Xp2003, TLimitKind::LineCount, 4},
    {TNoticeSystem::Xp2003, TLimitKind::TextLength, PolicyTextLimit},
    {TNoticeSystem::Win2000, TLimitKind::NoSeveralLines, 0},
    {TNoticeSystem::Nt4, TLimitKind::BreakIsCr, 0},
    {TNoticeSystem::Win9x, TLimitKind::AnsiCodePage, 0},
    {TNoticeSystem::Vista7, TLimitKind::NonePublished, 0},
    {TNoticeSystem::Win8to11, TLimitKind::NonePublished, 0},
};

// False when a line is longer than PolicyLineLimit characters or the text,
// each break counted as CR LF like the dialog's counter does, is longer than
// PolicyTextLimit.
bool WithinPolicyLimits(const TWideText& text);

// One thing a system does to the notice. `line` counts from 1; 0 is the
// caption. `limit` is the row's number.
struct TNoticeCut {
    TNoticeSystem system;
    TLimitKind kind;
    size_t line;
    size_t limit;
    bool operator==(const TNoticeCut& o) const {
        return system == o.system && kind == o.kind && line == o.line && limit == o.limit;
    }
};

// What the rows of NoticeLimits do to `caption` and `text`, in the table's
// order; the rows that document nothing come last, always. The 9x family's
// code page is taken to be this system's ANSI code page.
std::vector<TNoticeCut> NoticeCuts(const TWideText& caption, const TWideText& text);

}  // namespace velmora
