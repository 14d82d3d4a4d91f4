// Resource names and control ids of the main dialog; shared by the resource
// scripts and the code, so each id is written down once.
#pragma once

#include <windows.h>

#define IDD_MAINDIALOG        "MAINDIALOG"
#define IDI_MAINICON          "MAINICON"
// The preview of the notice: its window, the screen it draws on and the
// classic notice box drawn there.
#define IDD_PREVIEW           "PREVIEW"
#define IDD_PREVIEW_SCREEN    "PREVIEWSCREEN"
#define IDD_PREVIEW_BOX       "NOTICEBOX"
// The hashes of the help file the program was built with (RCDATA).
#define IDR_HELP_SHA256       1
#define IDR_HELP_SHA1         2

// The ids the dialog manager itself uses: Enter presses the IDOK button and
// Escape the IDCANCEL one. F1 arrives as WM_HELP and does what IDHELP does.
#define IDC_SAVE              IDOK
#define IDC_CANCEL            IDCANCEL
#define IDC_HELPBUTTON        IDHELP
#define IDC_COPYRIGHT         1004
#define IDC_VERSION           1005
#define IDC_SIGNATUREICON     1006
#define IDC_NOTICE_ENABLED    1010
// The notice frame and the label of the notice text share 1011, as in the
// template the program has always had. GetDlgItem finds the frame, which
// comes first; the label is never looked up by its id.
#define IDC_NOTICE_FRAME      1011
#define IDC_NOTICE_TEXTLABEL  1011
#define IDC_NOTICE_CAPTIONLABEL 1012
#define IDC_NOTICE_CAPTION    1013
#define IDC_NOTICE_TEXT       1014
#define IDC_PROMPT_ENABLED    1020
#define IDC_PROMPT_FRAME      1021
#define IDC_PROMPT            1022
#define IDC_PREVIEW_FAMILY    1030
#define IDC_PREVIEW_NOTE      1031
#define IDC_PREVIEW_FRAME     1032
#define IDC_PREVIEW_CUTS      1033
#define IDC_PREVIEW_SCREEN    1034
// Inside the screen: the classic box, or the logon screen's three parts.
#define IDC_PREVIEW_BOX       1040
#define IDC_PREVIEW_BOXTEXT   1041
#define IDC_PREVIEW_BOXOK     1042
#define IDC_PREVIEW_CAPTION   1043
#define IDC_PREVIEW_TEXT      1044
#define IDC_PREVIEW_OK        1045

// Items the dialog adds to its system menu: below 0xF000, where the
// system's own commands begin, and with the four low bits free, which the
// system uses in WM_SYSCOMMAND.
#define IDM_EXPORT_REGISTRY   0x0100
#define IDM_EXPORT_TEMPLATE   0x0110
#define IDM_EXPORT_INTUNE     0x0150
#define IDM_EXPORT_DSC        0x0160
#define IDM_INSTALL_CERTIFICATE 0x0120
#define IDM_LOAD_FILE         0x0130
#define IDM_PREVIEW           0x0140
