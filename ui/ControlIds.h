// Resource names and control ids of the main dialog; shared by the resource
// scripts and the code, so each id is written down once.
#pragma once

#define IDD_MAINDIALOG        "MAINDIALOG"
#define IDI_MAINICON          "MAINICON"

#define IDC_SAVE              1
#define IDC_CANCEL            2
#define IDC_HELPBUTTON        9
#define IDC_COPYRIGHT         1004
#define IDC_VERSION           1005
#define IDC_SIGNATUREICON     1006
#define IDC_NOTICE_ENABLED    1010
#define IDC_NOTICE_FRAME      1011
#define IDC_NOTICE_TEXTLABEL  1011
#define IDC_NOTICE_CAPTIONLABEL 1012
#define IDC_NOTICE_CAPTION    1013
#define IDC_NOTICE_TEXT       1014
#define IDC_PROMPT_ENABLED    1020
#define IDC_PROMPT_FRAME      1021
#define IDC_PROMPT            1022
