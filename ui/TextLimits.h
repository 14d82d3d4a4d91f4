// How many characters each edit of the main dialog takes: set as the input
// limits and shown as the counters' maximum.
#pragma once

#include "ui/ControlIds.h"

namespace velmora {

constexpr int NoticeCaptionLimit = 255;
constexpr int NoticeTextLimit = 2550;
constexpr int PromptLimit = 255;

constexpr int TextLimitOf(int editId) {
    return editId == IDC_NOTICE_TEXT ? NoticeTextLimit
           : editId == IDC_PROMPT    ? PromptLimit
                                     : NoticeCaptionLimit;
}

}  // namespace velmora
