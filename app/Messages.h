// Loading texts from the string table and showing them in message boxes.
#pragma once

#include <windows.h>

namespace velmora {

// Loads string `id` into `buffer` (capacity in bytes, terminator included).
// Returns the number of characters stored; 0 when the string is missing.
int LoadText(UINT id, char* buffer, int capacity);

// MessageBoxA under the program's caption (string 100).
int AppMessageBox(HWND owner, const char* text, UINT style);

// FormatMessageA or a stand-in with its signature.
using TFormatMessage = DWORD(WINAPI*)(DWORD, LPCVOID, DWORD, DWORD, LPSTR, DWORD, va_list*);

constexpr int Win32ErrorTextCapacity = 1025;

// The text of ReportWin32Error into `message` (Win32ErrorTextCapacity bytes,
// zero-filled): string 101 with the code, LF CR, the system's description,
// held to 254 characters.
void ComposeWin32ErrorText(DWORD code, char* message, TFormatMessage formatMessage);

// Ownerless error box: string 101 with the code, then the system's text.
// Shows nothing for code 0.
void ReportWin32Error(DWORD code);

// Appends `source` to the terminated text in `destination` without letting
// the result exceed `capacity` bytes including the terminator.
void AppendBounded(char* destination, int capacity, const char* source);

}  // namespace velmora
