; The installer of Tarnwick, built by the build's "dist" target:
;   makensis -DVERSION=<file version> -DSTAGE=<folder with tnwk.exe, help\, README.txt> -DICON=<.ico>
;            -DOUTFILE=<setup.exe> [-DTARGET64] tnwk.nsi
; It installs into Program Files\Tarnwick (another folder may be chosen), adds a Start-menu shortcut and
; registers an uninstaller with Add/Remove Programs. "/S" installs silently (administrators only).
; The uninstaller removes exactly what was installed and its registration; the user's settings under
; HKEY_CURRENT_USER\Software\tnwk stay.
Unicode true
!ifdef TARGET64
; The 64-bit build's program, for the installation test on machines that run only 64-bit Wine.
Target amd64-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Tarnwick"
!define PUBLISHER "Wrenworks"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnwick"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
!ifdef TARGET64
InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Installing writes below Program Files and into HKEY_LOCAL_MACHINE: administrators only.
!macro RequireAdministrator
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "admin"
        IfSilent +2
        MessageBox MB_ICONSTOP "Installing ${PRODUCT} needs administrator rights."
        SetErrorLevel 740
        Quit
    ${EndIf}
!macroend

Function .onInit
    SetShellVarContext all
    !insertmacro RequireAdministrator
FunctionEnd

Function un.onInit
    SetShellVarContext all
    !insertmacro RequireAdministrator
FunctionEnd

Section "Tarnwick"
    SetOutPath "$INSTDIR"
    File "${STAGE}\tnwk.exe"
    File "${STAGE}\README.txt"
    SetOutPath "$INSTDIR\help"
    File "${STAGE}\help\*.htm"
    File "${STAGE}\help\*.css"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\tnwk.exe" "" "$INSTDIR\tnwk.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tnwk.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Only the files this installer put there: a folder chosen by the user may hold others.
Section "Uninstall"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$INSTDIR\help\main.htm"
    Delete "$INSTDIR\help\prefs.htm"
    Delete "$INSTDIR\help\output.htm"
    Delete "$INSTDIR\help\tnwk.css"
    RMDir "$INSTDIR\help"
    Delete "$INSTDIR\tnwk.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
