; The Windows installer: for the current user only, without administrator rights. The game goes to the user's
; own program folder, the Start menu gets its entry, and the uninstaller is listed among the installed apps.
; The player's files are kept in %APPDATA%\Brumvelda by the installed game, so no uninstall or update meets
; them. Defined by package.sh: VERSION, STAGE (the layout), LISTS (uninstall_files.nsh), ICON, SIZE_KB,
; OUTFILE.
; A 64-bit installer for a 64-bit game: it also runs where no 32-bit layer is (wine64 alone, say).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brumvelda"

Name "Brumvelda"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Brumvelda"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Brumvelda ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1038 "ProductName" "Brumvelda"
VIAddVersionKey /LANG=1038 "FileDescription" "A Brumvelda telepítője"
VIAddVersionKey /LANG=1038 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1038 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1038 "LegalCopyright" "Brumvelda"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\brumvelda.exe"
!define MUI_FINISHPAGE_RUN_TEXT "A Brumvelda indítása"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Hungarian"

Section "Brumvelda"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Brumvelda.lnk" "$INSTDIR\brumvelda.exe" "" "$INSTDIR\brumvelda.exe" 0 \
        SW_SHOWNORMAL "" "Találd ki a rejtvényt betűről betűre, mielőtt megtelik a hibamérő!"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Brumvelda"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Brumvelda"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brumvelda.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

; Only what the installer laid down goes: a file the player left in the folder keeps it, and the player's
; register, settings, list and history in %APPDATA%\Brumvelda are never touched.
Section "Uninstall"
    SetShellVarContext current
    !include "${LISTS}\uninstall_files.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Brumvelda.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
