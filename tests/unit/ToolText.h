// The text a tooltip holds for a tool, read back in the test's own process.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

// The wide form: the ANSI one hands out at most 80 characters.
inline std::string ToolText(HWND tip, HWND dialog, HWND tool) {
    wchar_t text[400] = {};
    TOOLINFOW info = {};
    info.cbSize = sizeof info;
    info.hwnd = dialog;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, 400, reinterpret_cast<LPARAM>(&info));
    char ansi[400] = {};
    ::WideCharToMultiByte(1252, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
    return ansi;
}
