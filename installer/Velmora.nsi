; Velmora-Setup.exe: installs Velmora, its help and its certificate into a
; program folder with a Start-menu entry and an uninstaller, for all users of
; the machine (the default) or for the current user only.
;
; Built by installer/CMakeLists.txt:
;   makensis -INPUTCHARSET UTF8 -DOUTFILE=... -DVELMORA_EXE=... -DVELMORA_CHM=...
;            -DVELMORA_CER=... -DVELMORA_ICO=... -DKESTREL_DLL=... -DVERSION=... -DMAKER=... -DYEAR=...
;            -DTARGET=x86-unicode|amd64-unicode
;
; Silent: Velmora-Setup.exe /S [/CURRENTUSER] [/NOCERT] [/D=folder]
;
; For all users (an administrator, or SYSTEM under software distribution):
; the program files folder, the Start menu and uninstall entry of the
; machine, and the certificate in the local machine's Root store, which every
; user's Root store includes; so the signature is in order for whoever logs
; on, not only for the account that ran the setup.
; For the current user only (/CURRENTUSER or the first page): the user's own
; programs folder ($LOCALAPPDATA\Programs\Velmora), Start menu and uninstall
; entry in HKCU, and the certificate in the user's own Root store through
; Kestrel.dll's ImportCertFileW. Nothing of it needs administrative rights,
; and nothing of it reaches another user's profile.
; /NOCERT leaves the certificate out.
;
; The setup runs elevated: every library that the System plug-in calls is
; named by its full path, never by a plain name that a file beside the
; downloaded setup program could answer.
;
; Uninstall.ini beside the uninstaller records for whom the installation was
; made. The uninstaller takes the certificate out of the store it went into,
; but only when this setup added it ("CertificateStore" in the uninstall
; key): a certificate that was there before stays. One that cannot be taken
; out keeps that record, so that a later uninstall tries again.
;
; Exit codes:
;   0  installed; the certificate is in the chosen store, or was not chosen
;   1  cancelled by the user
;   2  aborted: for all users without administrative rights, or into a folder
;      that holds other files or whose rights cannot be set, or an error NSIS
;      itself reports
;   3  installed, but the certificate is not in the chosen store
; The uninstaller ends with 2 when it would need administrative rights or
; finds no record of the installation's mode, and with 3 when a certificate
; it should take out stays; a caller sees that only with _?=folder, otherwise
; it hands over to a copy of itself at once.

Target ${TARGET}
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include Sections.nsh
!include WinVer.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"
!define EXIT_ABORTED 2
!define EXIT_CERTIFICATE_MISSING 3
!define MODE_FILE "Uninstall.ini"

!define ADVAPI32 "$SYSDIR\advapi32.dll"
!define CRYPT32 "$SYSDIR\crypt32.dll"
!define KERNEL32 "$SYSDIR\kernel32.dll"

; Owned by Administrators; full control for SYSTEM and Administrators, read
; and run for Users; nothing inherited from the folder above.
!define PROGRAM_FOLDER_SDDL "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)"
!define SDDL_REVISION_1 1
; OWNER_SECURITY_INFORMATION, DACL_SECURITY_INFORMATION and
; PROTECTED_DACL_SECURITY_INFORMATION
!define OWNER_AND_PROTECTED_DACL 0x80000005

!define CERT_QUERY_OBJECT_FILE 1
!define CERT_QUERY_CONTENT_FLAG_CERT 2
!define CERT_QUERY_FORMAT_FLAG_BINARY 2
!define CERT_STORE_PROV_SYSTEM_REGISTRY_W 13
!define CERT_SYSTEM_STORE_CURRENT_USER 0x10000
!define CERT_SYSTEM_STORE_LOCAL_MACHINE 0x20000
!define CERT_STORE_ADD_NEW 1
!define X509_ASN_ENCODING 1
!define CERT_FIND_EXISTING 0xD0000

Name "Velmora"
OutFile "${OUTFILE}"
; No InstallDir: $INSTDIR is then empty in .onInit unless /D= set it, and
; only a folder nobody gave follows the chosen mode.
; "highest" rather than "admin": a standard user runs it as himself. Asked
; for administrator credentials, he would install "for the current user" into
; that administrator's profile and store.
RequestExecutionLevel highest
SetCompressor /SOLID lzma
BrandingText "${MAKER}"

!define MUI_ICON "${VELMORA_ICO}"
!define MUI_UNICON "${VELMORA_ICO}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
; The setup never asks for a restart; without it the finish page makes no
; calls into uxtheme by its plain name.
!define MUI_FINISHPAGE_NOREBOOTSUPPORT

Page custom InstallModePage InstallModeLeave
; What trusting the certificate means, where it is chosen.
!define MUI_COMPONENTSPAGE_TEXT_TOP "Das Zertifikat bestätigt nur, dass von ${MAKER} signierte Programme echt und unverändert sind. Andere Zertifikate kann es nicht ausstellen."
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; Without a box to start Velmora: started from here, it would run with the
; setup's administrative token, perhaps another administrator's.
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

Var AllUsers        ; 1: for all users, 0: for the current user only
Var Admin           ; 1 when the setup runs with administrative rights
Var GivenFolder     ; from /D=, kept whatever the mode
Var ModeAllUsers    ; the radio buttons of the first page
Var ModeCurrentUser
Var CertificateFile ; RootStore's arguments and result
Var StoreLocation
Var StoreOperation
Var StoreResult
Var CertificateRecord ; the uninstall entry's CertificateStore

Section "Velmora" SectionProgram
    SectionIn RO
    ${If} $AllUsers = 1
        Call SecureProgramFolder
    ${EndIf}
    SetOutPath "$INSTDIR"
    File "/oname=Velmora.exe" "${VELMORA_EXE}"
    File "/oname=Velmora.chm" "${VELMORA_CHM}"
    File "/oname=Velmora.cer" "${VELMORA_CER}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    ${If} $AllUsers = 1
        WriteINIStr "$INSTDIR\${MODE_FILE}" "Velmora" "Mode" "AllUsers"
    ${Else}
        WriteINIStr "$INSTDIR\${MODE_FILE}" "Velmora" "Mode" "CurrentUser"
    ${EndIf}

    CreateDirectory "$SMPROGRAMS\Velmora"
    CreateShortCut "$SMPROGRAMS\Velmora\Velmora.lnk" "$INSTDIR\Velmora.exe"

    ; SHCTX: HKLM for all users, HKCU for the current user.
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Velmora"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Velmora.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; A certificate already in the chosen store is left as it is and not
; recorded, so that the uninstaller leaves it too. A record of an earlier
; installation stays: that setup added it.
Section "Zertifikat als vertrauenswürdig eintragen" SectionCertificate
    StrCpy $CertificateFile "$INSTDIR\Velmora.cer"
    ${If} $AllUsers = 1
        StrCpy $StoreLocation ${CERT_SYSTEM_STORE_LOCAL_MACHINE}
        StrCpy $StoreOperation add
        Call RootStore
    ${Else}
        StrCpy $StoreLocation ${CERT_SYSTEM_STORE_CURRENT_USER}
        StrCpy $StoreOperation find
        Call RootStore
        ${If} $StoreResult != present
            Call ImportWithKestrel
        ${EndIf}
    ${EndIf}

    ${If} $StoreResult == added
        ${If} $AllUsers = 1
            WriteRegStr SHCTX "${UNINSTALL_KEY}" "CertificateStore" "LocalMachine"
        ${Else}
            WriteRegStr SHCTX "${UNINSTALL_KEY}" "CertificateStore" "CurrentUser"
        ${EndIf}
    ${ElseIf} $StoreResult != present
        MessageBox MB_OK|MB_ICONEXCLAMATION "Das Zertifikat von Velmora konnte nicht in den Speicher „Vertrauenswürdige Stammzertifizierungsstellen“ eingetragen werden.$\r$\n$\r$\nVelmora wird trotzdem installiert. Das Zertifikat liegt als Velmora.cer im Programmordner; Sie können es später selbst eintragen." /SD IDOK
        SetErrorLevel ${EXIT_CERTIFICATE_MISSING}
    ${EndIf}
SectionEnd

; For all users the folder is the machine's: whatever /D= named, only
; Administrators and SYSTEM may write to it. Inherited from a drive root,
; "Authenticated Users: Modify" would let any user replace Uninstall.exe,
; which the machine's uninstall entry runs elevated, or Velmora.exe, which
; restarts itself elevated; and the owner of a folder a user made beforehand
; could set its rights back. A folder that holds anything but Velmora's own
; files is refused rather than changed: the rights of what else lies there
; are not the setup's to take. Failing that, the setup ends with exit code 2.
Function SecureProgramFolder
    StrCpy $1 ""
    FindFirst $0 $2 "$INSTDIR\*"
    ${DoWhile} $2 != ""
        ${Select} $2
        ${Case5} "." ".." "Velmora.exe" "Velmora.chm" "Velmora.cer"
        ${Case2} "Uninstall.exe" "${MODE_FILE}"
        ${CaseElse}
            StrCpy $1 $2
        ${EndSelect}
        FindNext $0 $2
    ${Loop}
    FindClose $0
    ${If} $1 != ""
        MessageBox MB_OK|MB_ICONSTOP "Der Ordner „$INSTDIR“ enthält schon andere Dateien ($1). Für alle Benutzer installiert das Setup Velmora nur in einen eigenen Ordner, in den nur Administratoren schreiben dürfen. Wählen Sie einen anderen Ordner." /SD IDOK
        SetErrorLevel ${EXIT_ABORTED}
        Quit
    ${EndIf}

    ; Files of an earlier installation keep rights of their own; written
    ; anew, they take the folder's.
    Delete "$INSTDIR\Velmora.exe"
    Delete "$INSTDIR\Velmora.chm"
    Delete "$INSTDIR\Velmora.cer"
    Delete "$INSTDIR\Uninstall.exe"
    Delete "$INSTDIR\${MODE_FILE}"
    CreateDirectory "$INSTDIR"
    ; The folder's own descriptor, protected from what the folder above
    ; passes down. It holds nothing else yet, so nothing is to be passed on.
    System::Call '${ADVAPI32}::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "${PROGRAM_FOLDER_SDDL}", i ${SDDL_REVISION_1}, *p .r1, p 0) i .r0'
    ${If} $0 <> 0
        System::Call '${ADVAPI32}::SetFileSecurityW(w "$INSTDIR", i ${OWNER_AND_PROTECTED_DACL}, p r1) i .r0'
        System::Call '${KERNEL32}::LocalFree(p r1)'
    ${EndIf}
    ${If} $0 = 0
        RMDir "$INSTDIR"
        MessageBox MB_OK|MB_ICONSTOP "Die Rechte des Ordners „$INSTDIR“ konnten nicht so gesetzt werden, dass nur Administratoren in ihn schreiben dürfen. Velmora wird nicht installiert." /SD IDOK
        SetErrorLevel ${EXIT_ABORTED}
        Quit
    ${EndIf}
FunctionEnd

; The current user's own Root store, as Kestrel has always filled it; by the
; UTF-16 entry, since a profile path need not fit the ANSI code page.
Function ImportWithKestrel
    InitPluginsDir
    File "/oname=$PLUGINSDIR\Kestrel.dll" "${KESTREL_DLL}"
    ; By full path only: the plug-in folder is not searched for a plain name.
    ; Unloaded after the call, so that the plug-in folder can be removed.
    System::Call '$PLUGINSDIR\Kestrel.dll::ImportCertFileW(w "$CertificateFile", w "Root") i .r0 ?u'
    ; Only the low byte of the result is defined; a call that failed to
    ; happen leaves "error", which counts as 0 here.
    IntOp $0 $0 & 0xFF
    ${If} $0 = 0
        StrCpy $StoreResult failed
    ${Else}
        StrCpy $StoreResult added
    ${EndIf}
FunctionEnd

; The DER certificate in $CertificateFile and the Root store of
; $StoreLocation: $StoreOperation "find", "add" (when not there yet) or
; "remove"; $StoreResult "present", "absent", "added", "removed" or "failed".
; The store's own registry key alone, not the system store: the current
; user's system store also shows the machine's Root, so a certificate there
; would count as present, and a deletion through it does not hold under Wine.
; Under WOW64 the key is shared, so a 32-bit setup reaches the 64-bit view.
!macro ROOT_STORE_FUNCTION UN
Function ${UN}RootStore
    StrCpy $StoreResult failed
    System::Call '${CRYPT32}::CryptQueryObject(i ${CERT_QUERY_OBJECT_FILE}, w "$CertificateFile", i ${CERT_QUERY_CONTENT_FLAG_CERT}, i ${CERT_QUERY_FORMAT_FLAG_BINARY}, i 0, p 0, p 0, p 0, p 0, p 0, *p 0 r1) i .r0'
    ${If} $0 = 0
        Return
    ${EndIf}
    System::Call '${CRYPT32}::CertOpenStore(p ${CERT_STORE_PROV_SYSTEM_REGISTRY_W}, i 0, p 0, i $StoreLocation, w "Root") p .r2'
    ${If} $2 != 0
        System::Call '${CRYPT32}::CertFindCertificateInStore(p r2, i ${X509_ASN_ENCODING}, i 0, i ${CERT_FIND_EXISTING}, p r1, p 0) p .r3'
        ${If} $3 == 0
            ${If} $StoreOperation == add
                System::Call '${CRYPT32}::CertAddCertificateContextToStore(p r2, p r1, i ${CERT_STORE_ADD_NEW}, p 0) i .r0'
                ${If} $0 <> 0
                    StrCpy $StoreResult added
                ${EndIf}
            ${Else}
                StrCpy $StoreResult absent
            ${EndIf}
        ${ElseIf} $StoreOperation == remove
            ; Frees the found context whatever the outcome.
            System::Call '${CRYPT32}::CertDeleteCertificateFromStore(p r3) i .r0'
            ${If} $0 <> 0
                StrCpy $StoreResult removed
            ${EndIf}
        ${Else}
            System::Call '${CRYPT32}::CertFreeCertificateContext(p r3)'
            StrCpy $StoreResult present
        ${EndIf}
        System::Call '${CRYPT32}::CertCloseStore(p r2, i 0)'
    ${EndIf}
    System::Call '${CRYPT32}::CertFreeCertificateContext(p r1)'
FunctionEnd
!macroend
!insertmacro ROOT_STORE_FUNCTION ""
!insertmacro ROOT_STORE_FUNCTION "un."

Function .onInit
    ; A Unicode program: the 9x family does not run it at all, and the
    ; folders, rights and stores it sets up came with Windows 2000. There
    ; the user copies the three files himself.
    ${IfNot} ${IsNT}
    ${OrIfNot} ${AtLeastWin2000}
        MessageBox MB_OK|MB_ICONSTOP "Das Setup-Programm läuft erst ab Windows 2000. Unter Windows 95, 98, Me und NT 4.0 kopieren Sie Velmora.exe, Velmora.chm und Velmora.cer von Hand in einen gemeinsamen Ordner." /SD IDOK
        SetErrorLevel ${EXIT_ABORTED}
        Quit
    ${EndIf}
    StrCpy $GivenFolder $INSTDIR
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 == "Admin"
        StrCpy $Admin 1
    ${Else}
        StrCpy $Admin 0
    ${EndIf}

    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "/NOCERT" $0
    ${IfNot} ${Errors}
        !insertmacro UnselectSection ${SectionCertificate}
    ${EndIf}

    StrCpy $AllUsers $Admin
    ClearErrors
    ${GetOptions} $1 "/CURRENTUSER" $0
    ${IfNot} ${Errors}
        StrCpy $AllUsers 0
    ${ElseIf} $Admin = 0
    ${AndIf} ${Silent}
        ; Not quietly for the current user instead: the distribution would
        ; count an installation that no other user has.
        MessageBox MB_OK|MB_ICONSTOP "Für alle Benutzer kann nur ein Administrator Velmora installieren. Starten Sie das Setup-Programm als Administrator oder mit /CURRENTUSER." /SD IDOK
        SetErrorLevel ${EXIT_ABORTED}
        Quit
    ${EndIf}
    Call ApplyInstallMode
FunctionEnd

; Folders and registry root of the mode; the folder of an earlier
; installation in that mode, unless /D= named one.
Function ApplyInstallMode
    ${If} $AllUsers = 1
        SetShellVarContext all
        StrCpy $INSTDIR "$PROGRAMFILES\Velmora"
    ${Else}
        SetShellVarContext current
        StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Velmora"
    ${EndIf}
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
        StrCpy $INSTDIR $0
    ${EndIf}
    ${If} $GivenFolder != ""
        StrCpy $INSTDIR $GivenFolder
    ${EndIf}
FunctionEnd

Function InstallModePage
    !insertmacro MUI_HEADER_TEXT "Benutzer auswählen" "Wählen Sie aus, für wen Velmora installiert werden soll."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 64u "Für alle Benutzer wird Velmora in den Programmordner des Computers installiert und sein Zertifikat in den Speicher „Vertrauenswürdige Stammzertifizierungsstellen“ des Computers eingetragen: Die digitale Signatur ist dann für jeden Benutzer in Ordnung. Dazu sind Administratorrechte nötig.$\r$\n$\r$\nNur für Sie wird Velmora in Ihren eigenen Programmordner installiert und das Zertifikat in Ihren eigenen Speicher eingetragen."
    Pop $0
    ${NSD_CreateRadioButton} 15u 72u -15u 12u "Für &alle Benutzer dieses Computers"
    Pop $ModeAllUsers
    ; The account shows whose profile "me" is, should the setup run under
    ; another one than expected.
    System::Call '${ADVAPI32}::GetUserNameW(w .r1, *i ${NSIS_MAX_STRLEN})'
    ${NSD_CreateRadioButton} 15u 88u -15u 12u "&Nur für mich (Benutzerkonto „$1“)"
    Pop $ModeCurrentUser
    ${If} $Admin = 0
        EnableWindow $ModeAllUsers 0
    ${EndIf}
    ${If} $AllUsers = 1
        ${NSD_Check} $ModeAllUsers
    ${Else}
        ${NSD_Check} $ModeCurrentUser
    ${EndIf}
    nsDialogs::Show
FunctionEnd

; Only a change of mode resets the folder that the next page may have changed.
Function InstallModeLeave
    ${NSD_GetState} $ModeAllUsers $0
    ${If} $0 = ${BST_CHECKED}
        StrCpy $0 1
    ${Else}
        StrCpy $0 0
    ${EndIf}
    ${If} $0 <> $AllUsers
        StrCpy $AllUsers $0
        Call ApplyInstallMode
    ${EndIf}
FunctionEnd

; Whose installation this is, the setup wrote beside the uninstaller: a
; per-user copy never touches the machine's entries, nor the reverse,
; however a path is written or whichever entry is lost.
Function un.onInit
    ReadINIStr $0 "$INSTDIR\${MODE_FILE}" "Velmora" "Mode"
    ${If} $0 == "CurrentUser"
        SetShellVarContext current
    ${ElseIf} $0 == "AllUsers"
        SetShellVarContext all
        UserInfo::GetAccountType
        Pop $0
        ${If} $0 != "Admin"
            MessageBox MB_OK|MB_ICONSTOP "Velmora ist für alle Benutzer installiert; nur ein Administrator kann es entfernen." /SD IDOK
            SetErrorLevel ${EXIT_ABORTED}
            Quit
        ${EndIf}
    ${Else}
        MessageBox MB_OK|MB_ICONSTOP "In „$INSTDIR“ fehlt die Angabe, für wen Velmora installiert wurde ($INSTDIR\${MODE_FILE}). Es wird nichts entfernt." /SD IDOK
        SetErrorLevel ${EXIT_ABORTED}
        Quit
    ${EndIf}
FunctionEnd

Section "Uninstall"
    ; The uninstaller's own copy: Velmora.cer in the folder may have been
    ; replaced, and another certificate must not go.
    ReadRegStr $CertificateRecord SHCTX "${UNINSTALL_KEY}" "CertificateStore"
    ${If} $CertificateRecord == "LocalMachine"
        StrCpy $StoreLocation ${CERT_SYSTEM_STORE_LOCAL_MACHINE}
    ${ElseIf} $CertificateRecord == "CurrentUser"
        StrCpy $StoreLocation ${CERT_SYSTEM_STORE_CURRENT_USER}
    ${Else}
        StrCpy $CertificateRecord ""
    ${EndIf}
    ${If} $CertificateRecord != ""
        InitPluginsDir
        File "/oname=$PLUGINSDIR\Velmora.cer" "${VELMORA_CER}"
        StrCpy $CertificateFile "$PLUGINSDIR\Velmora.cer"
        StrCpy $StoreOperation remove
        Call un.RootStore
        ; Gone only when a fresh look no longer finds it: a store may accept
        ; a deletion that does not hold.
        StrCpy $StoreOperation find
        Call un.RootStore
        ${If} $StoreResult == absent
            StrCpy $CertificateRecord ""
        ${Else}
            MessageBox MB_OK|MB_ICONEXCLAMATION "Das Zertifikat von Velmora konnte nicht aus dem Speicher „Vertrauenswürdige Stammzertifizierungsstellen“ entfernt werden." /SD IDOK
            SetErrorLevel ${EXIT_CERTIFICATE_MISSING}
        ${EndIf}
    ${EndIf}

    Delete "$SMPROGRAMS\Velmora\Velmora.lnk"
    RMDir "$SMPROGRAMS\Velmora"
    Delete "$INSTDIR\Velmora.exe"
    Delete "$INSTDIR\Velmora.chm"
    Delete "$INSTDIR\Velmora.cer"
    Delete "$INSTDIR\Uninstall.exe"
    Delete "$INSTDIR\${MODE_FILE}"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ; A certificate that stayed keeps its record, in an entry without a name
    ; that the list of programs does not show: the next installation in this
    ; mode keeps the record, and its uninstaller tries again.
    ${If} $CertificateRecord != ""
        WriteRegStr SHCTX "${UNINSTALL_KEY}" "CertificateStore" $CertificateRecord
    ${EndIf}
SectionEnd
