; The Kivel2 installer. Installs the programs into a folder the administrator picks, writes the
; first kiv2.bin only where there is none (an update keeps the settings), adds Start-menu
; shortcuts, optionally one in the Startup folder, and an uninstaller that keeps kiv2.bin.
; It refuses to run while Kivel2.exe does: replacing or removing a running lock could leave
; the desktop locked with no way to unlock it.
;
; Built by the `packages` target:
;   makensis -DVERSION=x.y.z -DSTAGE=<folder of the files> -DOUTFILE=<installer> installer.nsi
; Command line: /S silent, /STARTUP also ticks the Startup shortcut, /SETTINGS=<file> installs
; those settings (a text for kiv2cfg, or a settings file), /D=<folder> (last).
; Exit codes: 0 done, 1 cancelled, 2 refused because Kivel2.exe runs, 3 refused because the
; /SETTINGS= file cannot be imported (nothing changed).
Unicode true
Target amd64-unicode

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kivel2"
!define SHORTCUTS "$SMPROGRAMS\Kivel2"
!define STARTUP_SHORTCUT "$SMSTARTUP\Kivel2.lnk"
; Where Event Viewer looks up the source of Kivel2's records in the Application log.
!define EVENT_SOURCE_KEY "SYSTEM\CurrentControlSet\Services\EventLog\Application\Kivel2"
!define EXIT_REFUSED 2
!define SYNCHRONIZE 0x00100000

Name "Kivel2 ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Kivel2"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first language is the one used where the system's is neither.
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

LangString RUNNING ${LANG_JAPANESE} "Kivel2.exe が動いているので、続けられません。$\r$\n$\r$\nロック中なら、バーを Shift + 右クリックしてパスワードを入れ、「ソフトは終了させないで駐在させる」を外したまま OK を押して終了させてください。ロックしていなければ、通知領域のアイコンを右ダブルクリックすると終了します。$\r$\n$\r$\nそのあと、もう一度実行してください。"
LangString RUNNING ${LANG_ENGLISH} "Kivel2.exe is running, so this cannot go on.$\r$\n$\r$\nIf the station is locked, Shift + right click on the bar, enter a password, leave $\"ソフトは終了させないで駐在させる$\" clear and press OK to end it. If it is not locked, a right double-click on its notification-area icon ends it.$\r$\n$\r$\nThen run this again."
LangString STARTUP_SECTION ${LANG_JAPANESE} "ログオン時に Kivel2 を起動する (スタートアップ)"
LangString STARTUP_SECTION ${LANG_ENGLISH} "Start Kivel2 at logon (Startup folder)"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "Kivel2"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "Kivel2 インストーラー"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Kivel2 project"

; Quits with EXIT_REFUSED while Kivel2.exe runs: its single-instance mutex exists, or its bar
; window does.
!macro REFUSE_WHILE_KIVEL2_RUNS
    System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "Kivel_TORAMI") p .r0'
    ${If} $0 != 0
        System::Call 'kernel32::CloseHandle(p r0)'
    ${EndIf}
    FindWindow $1 "Kivel2" "Kivel2"
    ${If} $0 != 0
    ${OrIf} $1 != 0
        MessageBox MB_OK|MB_ICONSTOP "$(RUNNING)" /SD IDOK
        SetErrorLevel ${EXIT_REFUSED}
        Quit
    ${EndIf}
!macroend

Section "Kivel2" SEC_PROGRAMS
    SectionIn RO
    SetOutPath "$INSTDIR"
    File "${STAGE}/Kivel2.exe"
    File "${STAGE}/KivPx.dll"
    File "${STAGE}/setting.exe"
    File "${STAGE}/kiv2cfg.exe"
    File "${STAGE}/README.txt"
    ; kiv2.bin holds the administrator's settings once there is one. Hidden, as the
    ; programs' own writer makes it.
    ${IfNot} ${FileExists} "$INSTDIR\kiv2.bin"
        File "${STAGE}/kiv2.bin"
        SetFileAttributes "$INSTDIR\kiv2.bin" HIDDEN
    ${EndIf}
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateDirectory "${SHORTCUTS}"
    CreateShortCut "${SHORTCUTS}\Kivel2.lnk" "$INSTDIR\Kivel2.exe"
    CreateShortCut "${SHORTCUTS}\Kivel2 設定.lnk" "$INSTDIR\setting.exe"
    CreateShortCut "${SHORTCUTS}\Kivel2 アンインストール.lnk" "$INSTDIR\uninstall.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Kivel2"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kivel2.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; ---- Settings from the command line (/SETTINGS=) ----
; A deployment script hands every station the same settings. The file is imported with
; kiv2cfg into the plug-ins folder before anything is installed, so a file it refuses changes
; nothing; the installed kiv2.bin is replaced only once the programs are in place. Risky
; programs in it do not stop the install: a maintenance station may offer a shell on purpose.
!define EXIT_BAD_SETTINGS 3
Var SETTINGS_FILE ; the imported settings, or empty without /SETTINGS=

LangString BAD_SETTINGS ${LANG_JAPANESE} "/SETTINGS= の設定ファイルを読み込めないので、何も変更せずに終了します。$\r$\n$\r$\n$1"
LangString BAD_SETTINGS ${LANG_ENGLISH} "The /SETTINGS= file cannot be imported, so nothing was changed.$\r$\n$\r$\n$1"
LangString SETTINGS_NOT_WRITTEN ${LANG_JAPANESE} "kiv2.bin を書き込めませんでした。以前の設定が残っています。$\r$\n$\r$\n$1"
LangString SETTINGS_NOT_WRITTEN ${LANG_ENGLISH} "kiv2.bin could not be written; the previous settings stay.$\r$\n$\r$\n$1"

; Quits with EXIT_BAD_SETTINGS, naming kiv2cfg's reason, when the /SETTINGS= file cannot be
; imported.
!macro CHECK_SETTINGS_OPTION
    StrCpy $SETTINGS_FILE ""
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/SETTINGS=" $R2
    ${IfNot} ${Errors}
        ; Relative to where the script runs, which kiv2cfg does not share.
        GetFullPathName $R3 $R2
        ${If} $R3 == ""
            StrCpy $R3 $R2
        ${EndIf}
        InitPluginsDir
        File "/oname=$PLUGINSDIR\kiv2cfg.exe" "${STAGE}/kiv2cfg.exe"
        nsExec::ExecToStack '"$PLUGINSDIR\kiv2cfg.exe" import "$R3" "$PLUGINSDIR\kiv2.bin"'
        Pop $0
        Pop $1
        ${If} $0 != 0
            MessageBox MB_OK|MB_ICONSTOP "$(BAD_SETTINGS)" /SD IDOK
            SetErrorLevel ${EXIT_BAD_SETTINGS}
            Quit
        ${EndIf}
        StrCpy $SETTINGS_FILE "$PLUGINSDIR\kiv2.bin"
    ${EndIf}
!macroend

; After the programs' section, which writes the first kiv2.bin where there is none. Written
; by the settings store's own save: complete or not at all, and hidden.
Section "-settings from the command line"
    ${If} $SETTINGS_FILE != ""
        nsExec::ExecToStack '"$PLUGINSDIR\kiv2cfg.exe" import "$SETTINGS_FILE" "$INSTDIR\kiv2.bin"'
        Pop $0
        Pop $1
        ${If} $0 != 0
            MessageBox MB_OK|MB_ICONSTOP "$(SETTINGS_NOT_WRITTEN)" /SD IDOK
            SetErrorLevel ${EXIT_BAD_SETTINGS}
        ${EndIf}
    ${EndIf}
SectionEnd
; ---- end of settings from the command line ----

Section /o "$(STARTUP_SECTION)" SEC_STARTUP
    CreateShortCut "${STARTUP_SHORTCUT}" "$INSTDIR\Kivel2.exe"
SectionEnd

; An update on which the Startup box was cleared takes the shortcut away.
Section "-startup cleared"
    ${IfNot} ${SectionIsSelected} ${SEC_STARTUP}
        Delete "${STARTUP_SHORTCUT}"
    ${EndIf}
SectionEnd

; Kivel2 records its locks, unlocks and failures in the Application log; Event Viewer takes
; their texts and categories from the program's own message table.
Section "-event log source"
    WriteRegExpandStr HKLM "${EVENT_SOURCE_KEY}" "EventMessageFile" "$INSTDIR\Kivel2.exe"
    WriteRegExpandStr HKLM "${EVENT_SOURCE_KEY}" "CategoryMessageFile" "$INSTDIR\Kivel2.exe"
    WriteRegDWORD HKLM "${EVENT_SOURCE_KEY}" "CategoryCount" 3
    WriteRegDWORD HKLM "${EVENT_SOURCE_KEY}" "TypesSupported" 7
SectionEnd

; The records already written stay in the log; without the source they show only their ids.
Section "-un.event log source"
    DeleteRegKey HKLM "${EVENT_SOURCE_KEY}"
SectionEnd

Function .onInit
    ; Shortcuts for every user: the administrator installs, the station's user logs on.
    SetShellVarContext all
    !insertmacro REFUSE_WHILE_KIVEL2_RUNS
    !insertmacro CHECK_SETTINGS_OPTION
    ; An update keeps the Startup choice; /STARTUP ticks it on the command line.
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/STARTUP" $R1
    ${IfNot} ${Errors}
    ${OrIf} ${FileExists} "${STARTUP_SHORTCUT}"
        !insertmacro SelectSection ${SEC_STARTUP}
    ${EndIf}
FunctionEnd

Function un.onInit
    SetShellVarContext all
    !insertmacro REFUSE_WHILE_KIVEL2_RUNS
FunctionEnd

; Removes the programs, the shortcuts and the uninstaller. kiv2.bin stays, and with it the
; folder: a later install takes the settings up again.
Section "Uninstall"
    Delete "${STARTUP_SHORTCUT}"
    Delete "${SHORTCUTS}\Kivel2.lnk"
    Delete "${SHORTCUTS}\Kivel2 設定.lnk"
    Delete "${SHORTCUTS}\Kivel2 アンインストール.lnk"
    RMDir "${SHORTCUTS}"
    Delete "$INSTDIR\Kivel2.exe"
    Delete "$INSTDIR\KivPx.dll"
    Delete "$INSTDIR\setting.exe"
    Delete "$INSTDIR\kiv2cfg.exe"
    Delete "$INSTDIR\README.txt"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
