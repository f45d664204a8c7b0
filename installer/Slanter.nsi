; The Windows setup program of Bit Map Slanter: the desktop program (when the build has
; one), the command line and the help files, a Start-menu entry and an uninstaller.
; Made by cmake/WindowsInstaller.cmake, which defines:
;   OUTPUT      the setup program to write
;   VERSION     major.minor.revision
;   CLI         slanter-cli.exe
;   DESKTOP     Slanter.exe (left undefined when the build has no desktop program)
;   HELP_DIR    the folder of Slanter.html and SlanterE.html
;
; Silent use: "SlanterSetup.exe /S [/D=folder]" installs; "Uninstall.exe /S" removes what
; was installed and keeps the user's settings, "Uninstall.exe /S /DELETESETTINGS" deletes
; them too. Without /S the uninstaller asks.
Unicode true
SetCompressor /SOLID lzma
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Bit Map Slanter"
!define COMPANY "TAMRI Lab"
!define SETTINGS_KEY "Software\${COMPANY}\${PRODUCT}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTPUT}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) ${COMPANY}. All rights reserved."
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString DeleteSettings ${LANG_ENGLISH} "Delete the settings of ${PRODUCT} too?$\r$\n(HKEY_CURRENT_USER\${SETTINGS_KEY})"
LangString DeleteSettings ${LANG_JAPANESE} "${PRODUCT} の設定も削除しますか?$\r$\n(HKEY_CURRENT_USER\${SETTINGS_KEY})"
LangString HelpEntry ${LANG_ENGLISH} "${PRODUCT} Help"
LangString HelpEntry ${LANG_JAPANESE} "${PRODUCT} ヘルプ"

Function .onInit
    ; The Start menu of every user, as the program goes to Program Files for all of them.
    SetShellVarContext all
    ${IfNot} ${Silent}
        !insertmacro MUI_LANGDLL_DISPLAY
    ${EndIf}
FunctionEnd

Section "Install"
    SetOutPath "$INSTDIR"
!ifdef DESKTOP
    File "/oname=Slanter.exe" "${DESKTOP}"
!endif
    File "/oname=slanter-cli.exe" "${CLI}"
    File "/oname=Slanter.html" "${HELP_DIR}/Slanter.html"
    File "/oname=SlanterE.html" "${HELP_DIR}/SlanterE.html"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateDirectory "${MENU_FOLDER}"
!ifdef DESKTOP
    CreateShortcut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\Slanter.exe"
!endif
    ${If} $LANGUAGE == ${LANG_JAPANESE}
        CreateShortcut "${MENU_FOLDER}\$(HelpEntry).lnk" "$INSTDIR\Slanter.html"
    ${Else}
        CreateShortcut "${MENU_FOLDER}\$(HelpEntry).lnk" "$INSTDIR\SlanterE.html"
    ${EndIf}

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ; The language chosen, for the uninstaller's question.
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallerLanguage" "$LANGUAGE"
SectionEnd

Function un.onInit
    SetShellVarContext all
    ReadRegStr $LANGUAGE HKLM "${UNINSTALL_KEY}" "InstallerLanguage"
FunctionEnd

Section "Uninstall"
    ; Only what the setup put there: files of the user's own in the folder stay, and so
    ; does the folder then.
!ifdef DESKTOP
    Delete "$INSTDIR\Slanter.exe"
!endif
    Delete "$INSTDIR\slanter-cli.exe"
    Delete "$INSTDIR\Slanter.html"
    Delete "$INSTDIR\SlanterE.html"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
    Delete "${MENU_FOLDER}\$(HelpEntry).lnk"
    RMDir "${MENU_FOLDER}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"

    ; The settings are the user's: deleted when the user says so, or silently with the
    ; switch /DELETESETTINGS.
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/DELETESETTINGS" $1
    ${IfNot} ${Errors}
        StrCpy $2 "delete"
    ${ElseIf} ${Silent}
        StrCpy $2 "keep"
    ${Else}
        MessageBox MB_YESNO|MB_ICONQUESTION "$(DeleteSettings)" /SD IDNO IDYES delete IDNO keep
        delete:
        StrCpy $2 "delete"
        Goto decided
        keep:
        StrCpy $2 "keep"
        decided:
    ${EndIf}
    ${If} $2 == "delete"
        DeleteRegKey HKCU "${SETTINGS_KEY}"
        DeleteRegKey /ifempty HKCU "Software\${COMPANY}"
    ${EndIf}
SectionEnd
