; Tesedra's installer for 64-bit Windows, made by scripts/paquete-windows.sh, which
; gives with -D:
;   VERSION     the project's version (1.0.0)
;   VERSION4    the same in four numbers (1.0.0.0)
;   SALIDA      the setup program to write
;   ICONO       paquete/windows/tesedra.ico
;   ARCHIVOS    an .nsh that installs every file of the staging folder (File lines)
;   BORRADOS    an .nsh that deletes exactly those files and then their empty folders
;
; Per machine, under Program Files, with Start-menu shortcuts and an entry in
; Add/Remove Programs. Silent with /S; /D=<folder> picks the folder. The uninstaller
; removes only what was installed: record files, transcripts and anything else the
; technician left in the folder stay, and so does the folder when it is not empty.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCTO "Tesedra"
!define DESINSTALAR "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tesedra"

Name "${PRODUCTO} ${VERSION}"
OutFile "${SALIDA}"
InstallDir "$PROGRAMFILES64\${PRODUCTO}"
; A later install goes where the earlier one is (the installer is 64-bit: the
; registry's 64-bit view).
InstallDirRegKey HKLM "${DESINSTALAR}" "InstallLocation"
BrandingText "${PRODUCTO} ${VERSION}"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCTO}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCTO} ${VERSION} setup"
VIAddVersionKey /LANG=0 "CompanyName" "Tesedra maintainers"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright 2026 Tesedra maintainers"

!define MUI_ICON "${ICONO}"
!define MUI_UNICON "${ICONO}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; No "run now" on the last page: the installer runs elevated, and so would the program.
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the default; the one of the user's language is taken when there.
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "English"

Section "Tesedra"
  ; Shortcuts for every user of the machine.
  SetShellVarContext all
  ; An earlier version's files that this one no longer has go first: its own
  ; uninstaller, run in place and waited for (it leaves the records alone too).
  ReadRegStr $0 HKLM "${DESINSTALAR}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    ExecWait '"$0\uninstall.exe" /S _?=$0'
    Delete "$0\uninstall.exe"
  ${EndIf}

  !include "${ARCHIVOS}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCTO}"
  CreateShortcut "$SMPROGRAMS\${PRODUCTO}\${PRODUCTO}.lnk" "$INSTDIR\tesedra.exe" "" "$INSTDIR\tesedra.exe" 0
  CreateShortcut "$SMPROGRAMS\${PRODUCTO}\Desinstalar ${PRODUCTO}.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${DESINSTALAR}" "DisplayName" "${PRODUCTO} ${VERSION}"
  WriteRegStr HKLM "${DESINSTALAR}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${DESINSTALAR}" "Publisher" "Tesedra maintainers"
  WriteRegStr HKLM "${DESINSTALAR}" "DisplayIcon" "$INSTDIR\tesedra.exe,0"
  WriteRegStr HKLM "${DESINSTALAR}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${DESINSTALAR}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${DESINSTALAR}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${DESINSTALAR}" "NoModify" 1
  WriteRegDWORD HKLM "${DESINSTALAR}" "NoRepair" 1
  SectionGetSize 0 $1
  WriteRegDWORD HKLM "${DESINSTALAR}" "EstimatedSize" $1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  !include "${BORRADOS}"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: what the technician keeps there stays.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCTO}\${PRODUCTO}.lnk"
  Delete "$SMPROGRAMS\${PRODUCTO}\Desinstalar ${PRODUCTO}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCTO}"
  DeleteRegKey HKLM "${DESINSTALAR}"
SectionEnd
