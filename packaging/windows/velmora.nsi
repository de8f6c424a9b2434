; The Windows installer: per user, without an administrator prompt. Both programs and the
; pictures go to %LOCALAPPDATA%\Programs\Velmora, with a Start-menu shortcut, the .vmp
; association under HKCU\Software\Classes and an entry among the user's installed programs.
; The uninstaller beside the programs also tells velmora.exe that it is an installed copy,
; which keeps config.ini and its presets in %APPDATA%\Velmora; the uninstaller leaves them.
; makensis -DVERSION=1.01 -DFILES=<folder of the zip's content> -DOUTFILE=<setup.exe>

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"

!define CLASSES "Software\Classes"
!define PROG_ID "Velmora.Preset"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"

Name "Velmora ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Velmora"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Velmora ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "Velmora"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Velmora ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "The Velmora maintainers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\velmora.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "French"

Section "Velmora"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${FILES}\velmora.exe"
  File "${FILES}\velmora-cli.exe"
  SetOutPath "$INSTDIR\images"
  File /r "${FILES}\images\Guitares"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortCut "$SMPROGRAMS\Velmora.lnk" "$INSTDIR\velmora.exe" "" "$INSTDIR\velmora.exe" 0

  WriteRegStr HKCU "${CLASSES}\.vmp" "" "${PROG_ID}"
  WriteRegStr HKCU "${CLASSES}\.vmp" "Content Type" "application/x-velmora-preset"
  WriteRegStr HKCU "${CLASSES}\${PROG_ID}" "" "Velmora preset"
  WriteRegStr HKCU "${CLASSES}\${PROG_ID}\DefaultIcon" "" "$INSTDIR\velmora.exe,0"
  WriteRegStr HKCU "${CLASSES}\${PROG_ID}\shell\open\command" "" '"$INSTDIR\velmora.exe" "%1"'

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Velmora"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmora.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Velmora maintainers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

  ; Explorer shows the new icon and opener of .vmp files without a new session.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\velmora.exe"
  Delete "$INSTDIR\velmora-cli.exe"
  ; Only what the installer put there: the folder may have been chosen among the user's own.
  RMDir /r "$INSTDIR\images\Guitares"
  RMDir "$INSTDIR\images"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Velmora.lnk"

  DeleteRegKey HKCU "${CLASSES}\${PROG_ID}"
  ; .vmp stays with another program that took it over since.
  ReadRegStr $0 HKCU "${CLASSES}\.vmp" ""
  StrCmp $0 "${PROG_ID}" 0 +2
    DeleteRegKey HKCU "${CLASSES}\.vmp"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
