; Kestrel's Windows installer. scripts/windows-check --installer builds it:
;
;   makensis -DSTAGE=<installed folder> -DGENERATED=<folder of the .nsh files>
;            -DICON=<kestrel.ico of the build>
;            -DOUTFILE=<setup.exe> kestrel.nsi
;
; It installs the folder that `cmake --install` of the Windows build made
; (STAGE), file by file from the list in GENERATED/files.nsh, and the
; uninstaller removes those files and nothing else: the user's settings
; (Kestrel.INI, the recent files, localizations) live in the settings folder
; and stay.
; A 64-bit installer for a 64-bit program: it runs where Kestrel runs,
; and sees the 64-bit registry and program folder as they are.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "${GENERATED}/version.nsh"
!include "${GENERATED}/tessel_ini.nsh"
!include "${GENERATED}/files.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrel"
!define PROG_ID "Kestrel.Specification"

Name "Kestrel ${KESTREL_VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Kestrel"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${KESTREL_VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "Kestrel"
VIAddVersionKey /LANG=1033 "FileDescription" "Kestrel ${KESTREL_VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${KESTREL_VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${KESTREL_VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "The Kestrel developers"
VIAddVersionKey /LANG=1033 "LegalCopyright" "The Kestrel developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Run Kestrel"
!define MUI_FINISHPAGE_RUN_FUNCTION RunKestrel
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The installer runs as administrator; Kestrel itself starts as the user
; who installed it, through the desktop's own shell.
Function RunKestrel
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\kestrel.exe"'
FunctionEnd

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Kestrel"
  SetShellVarContext all
  !insertmacro KestrelInstallFiles
  Call WriteDemoTesselIni
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Kestrel.lnk" "$INSTDIR\kestrel.exe" "" "$INSTDIR\kestrel.exe" 0

  ; Windows chooses a program by the last extension alone (".json"), so a
  ; specification file offers Kestrel in its "Open with" list through
  ; Kestrel's own ProgID. The .json type itself is never claimed: every
  ; other JSON file keeps the program the user chose for it.
  WriteRegStr HKLM "Software\Classes\${PROG_ID}" "" "Kestrel specification"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\DefaultIcon" "" "$INSTDIR\kestrel.exe,0"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\shell\open\command" "" '"$INSTDIR\kestrel.exe" "%1"'
  WriteRegStr HKLM "Software\Classes\.json\OpenWithProgids" "${PROG_ID}" ""
  WriteRegStr HKLM "Software\Classes\Applications\kestrel.exe\SupportedTypes" ".json" ""
  WriteRegStr HKLM "Software\Classes\Applications\kestrel.exe\shell\open\command" "" '"$INSTDIR\kestrel.exe" "%1"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Kestrel"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${KESTREL_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Kestrel developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kestrel.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; Apps & features shows the size in KiB.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Kestrel.lnk"

  ; Installers of Kestrel 1.0.0 made Kestrel the .json handler where none
  ; was set; such a claim is given back.
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "ClaimedJson"
  StrCmp $1 "1" 0 +4
    ReadRegStr $2 HKLM "Software\Classes\.json" ""
    StrCmp $2 "${PROG_ID}" 0 +2
      DeleteRegValue HKLM "Software\Classes\.json" ""
  DeleteRegValue HKLM "Software\Classes\.json\OpenWithProgids" "${PROG_ID}"
  DeleteRegKey /ifempty HKLM "Software\Classes\.json\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "Software\Classes\.json"
  DeleteRegKey HKLM "Software\Classes\${PROG_ID}"
  DeleteRegKey HKLM "Software\Classes\Applications\kestrel.exe"

  Delete "$INSTDIR\demo-tessel\tessel.ini"
  !insertmacro KestrelUninstallFiles
  Delete "$INSTDIR\uninstall.exe"
  ; Only emptied folders go: anything the user kept in them stays.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
