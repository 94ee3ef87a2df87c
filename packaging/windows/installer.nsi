; The Plinkard installer, made by package.sh with Debian's makensis: for every
; user, into Program Files\Plinkard, with a Start menu shortcut and an entry in
; Add/Remove Programs. /S installs, and the uninstaller's /S uninstalls,
; without asking anything. The uninstaller removes exactly what was added.
; Defined by package.sh: VERSION, STAGE (the folder of the files to install;
; files.nsh beside it installs them or, without INSTALL, removes them), ICON,
; OUTFILE.

Unicode true
; A 64-bit installer: a 32-bit one would write into Program Files (x86) and
; the 32-bit registry view, and under 64-bit Wine reports success having
; installed nothing.
Target amd64-unicode
SetCompressor /SOLID lzma
; The installed files get the time they were installed, not the build's.
SetDateSave off
RequestExecutionLevel admin
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Plinkard"

Name "Plinkard"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Plinkard"
BrandingText "Plinkard ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Plinkard"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Plinkard ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "The Plinkard developers"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) the Plinkard developers. MIT licence."

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\plinkard.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Play Plinkard now"

!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Plinkard"
  SetShellVarContext all
  !define INSTALL
  !include "${STAGE}/../files.nsh"
  !undef INSTALL
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Plinkard.lnk" "$INSTDIR\plinkard.exe" "" "$INSTDIR\plinkard.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Plinkard"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Plinkard developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$\"$INSTDIR\plinkard.exe$\",0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\uninstall.exe$\""
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\uninstall.exe$\" /S"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Plinkard.lnk"
  !include "${STAGE}/../files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  ; Only if empty: what someone else put there stays.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
