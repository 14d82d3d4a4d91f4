; Velmora-Setup.exe: installs Velmora, its help and its certificate into a
; program folder with a Start-menu entry and an uninstaller, and enters the
; certificate into the installing user's root store through Kestrel.dll.
;
; Built by installer/CMakeLists.txt:
;   makensis -INPUTCHARSET UTF8 -DOUTFILE=... -DVELMORA_EXE=... -DVELMORA_CHM=...
;            -DVELMORA_CER=... -DVELMORA_ICO=... -DKESTREL_DLL=... -DVERSION=... -DMAKER=... -DYEAR=...
;            -DTARGET=x86-unicode|amd64-unicode
;
; Silent: Velmora-Setup.exe /S [/D=folder]. The exit code is 0, or
; EXIT_CERTIFICATE_MISSING when everything but the certificate was installed.

Target ${TARGET}
!include MUI2.nsh
!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"
!define EXIT_CERTIFICATE_MISSING 3

Name "Velmora"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Velmora"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "${MAKER}"

!define MUI_ICON "${VELMORA_ICO}"
!define MUI_UNICON "${VELMORA_ICO}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Velmora.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductName" "Velmora"
VIAddVersionKey /LANG=${LANG_GERMAN} "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=${LANG_GERMAN} "LegalCopyright" "© ${YEAR} ${MAKER}"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileDescription" "Setup-Programm von Velmora"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductVersion" "${VERSION}"

; The program is installed for every user of the machine.
Function .onInit
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

Section "Velmora" SectionProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    File "/oname=Velmora.exe" "${VELMORA_EXE}"
    File "/oname=Velmora.chm" "${VELMORA_CHM}"
    File "/oname=Velmora.cer" "${VELMORA_CER}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateDirectory "$SMPROGRAMS\Velmora"
    CreateShortCut "$SMPROGRAMS\Velmora\Velmora.lnk" "$INSTDIR\Velmora.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Velmora"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Velmora.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The store is the installing user's own: Kestrel opens the current user's
; system store of that name.
Section "Zertifikat als vertrauenswürdig eintragen" SectionCertificate
    InitPluginsDir
    File "/oname=$PLUGINSDIR\Kestrel.dll" "${KESTREL_DLL}"
    ; By full path only: the plug-in folder is not searched for a plain name.
    ; Unloaded after the call, so that the plug-in folder can be removed.
    System::Call '$PLUGINSDIR\Kestrel.dll::ImportCertFile(m "$INSTDIR\Velmora.cer", m "Root") i .r0 ?u'
    ; Only the low byte of the result is defined; a call that failed to
    ; happen leaves "error", which counts as 0 here.
    IntOp $0 $0 & 0xFF
    ${If} $0 = 0
        MessageBox MB_OK|MB_ICONEXCLAMATION "Das Zertifikat von Velmora konnte nicht in den Speicher „Vertrauenswürdige Stammzertifizierungsstellen“ eingetragen werden.$\r$\n$\r$\nVelmora wird trotzdem installiert. Das Zertifikat liegt als Velmora.cer im Programmordner; Sie können es später selbst eintragen." /SD IDOK
        SetErrorLevel ${EXIT_CERTIFICATE_MISSING}
    ${EndIf}
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\Velmora\Velmora.lnk"
    RMDir "$SMPROGRAMS\Velmora"
    Delete "$INSTDIR\Velmora.exe"
    Delete "$INSTDIR\Velmora.chm"
    Delete "$INSTDIR\Velmora.cer"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
