// The platform's own readers of the files the program exports and loads:
// regedit's import and SetupAPI's INF parser.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

// Starts `command` and waits for it (30 seconds at most).
void Launch(std::wstring command);

// The fields of the line `name` beneath `key` (HKLM, without it) in
// [Registry Values], as SetupAPI reads the template at `path`:
// {"<unreadable>"} when it does not open it, none where it has no such line.
using TFields = std::vector<std::wstring>;
TFields TemplateFields(const std::wstring& path, const std::wstring& name,
                       const std::wstring& key =
                           L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System");

}  // namespace uidriver
