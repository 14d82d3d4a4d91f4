// Texts loaded from a file into the dialog, as the file held them: the ANSI
// edits show look-alikes of what the code page lacks, Save writes the text.
#pragma once

#include <windows.h>

#include <string>

#include "base/WideText.h"

namespace velmora {

// Remembers `text` as loaded into edit `id`, which shows it as `shown`.
void KeepLoadedText(int id, const TWideText& text, const std::string& shown);

// The kept text of edit `id` while the edit still shows it as loaded
// (`shown` is what it shows now); false when none is kept or the user has
// changed it.
bool LoadedTextShown(int id, const std::string& shown, TWideText& text);

void ForgetLoadedText(int id);
void ForgetLoadedTexts();

}  // namespace velmora
