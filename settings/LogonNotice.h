// The three Winlogon values in the dialog's edits.
#pragma once

#include <windows.h>

#include "base/WideText.h"

namespace velmora {

// Fills edits 1013, 1014 and, on NT 4 and 5, 1022 from the stored values;
// a registry failure is reported here and the dialog opens all the same.
void LoadLogonNotice(HWND dialog);

// Says once which loaded texts are kept as stored because the ANSI code
// page cannot show them; over the dialog, once it is visible.
void ReportKeptLogonNotice(HWND dialog);

// What the dialog shows now, once its check boxes are set: each text and
// each block's state. Save compares with it.
void RememberLogonNotice(HWND dialog);

// The text of edit `id` as stored, for a value kept as Unicode whose text
// and block the user has not changed since it was loaded or last saved (the
// test Save makes), or as loaded from a file while the edit shows it so;
// false for every other value, whose edit shows it.
bool UnchangedStoredText(HWND dialog, int id, TWideText& text);

// Whether another program changed, added or removed one of the values the
// dialog handles since it loaded or last stored them; appends the field
// names (strings 212 to 214) of those to `fields` (capacity in bytes).
bool ChangedMeanwhileFields(char* fields, int capacity);

// For each block whose text or check box the user changed since the dialog
// was loaded or last saved: writes the changed values of a block that is
// checked and filled, deletes the values of one that is not. A value that
// another program changed meanwhile is stored as the dialog has it: its
// block's text, or as it was loaded or last stored. Everything else stays
// stored as it is. False when a registry failure was reported.
bool StoreLogonNotice(HWND dialog);

// Puts `text`, loaded from a file, into edit `id` as the ANSI edit can show
// it. On the NT family a text the code page cannot hold is kept as loaded:
// while the user leaves the edit alone, Save stores it through the W
// functions and the exports take it, as they do with a stored Unicode text.
void ShowLoadedText(HWND dialog, int id, const TWideText& text);

}  // namespace velmora
