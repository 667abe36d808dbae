; QuorvexSetup.exe: installs Quorvex.exe, Skinlet.dll, skin.smf and UpdateApp.exe into one
; folder, adds Start-menu shortcuts and registers an uninstaller.
;
; Built by the `installer` target (packaging/CMakeLists.txt):
;   makensis -DARCH=x86_64|i686 -DVERSION=4.5.0 -DBINDIR=<build>/bin -DICON=<Quorvex.ico>
;            -DOUTFILE=<build>/packaging/QuorvexSetup.exe Quorvex.nsi
;
; Command line (the usual NSIS switches):
;   QuorvexSetup.exe /S /D=C:\Some Folder      silent install into the given folder (/D last,
;                                              unquoted)
;   Uninstall.exe /S                           silent uninstall: answers Yes to "remove
;                                              Quorvex?" and No to "delete the profile?", so
;                                              Quorvex.ini stays
; While Quorvex is running, a silent run gives up and changes nothing (QuorvexSetup.exe exits
; with code 2): the program's files cannot be replaced or deleted then, and it writes its
; profile file when it ends.

!macro QV_REQUIRE NAME
  !ifndef ${NAME}
    !error "define ${NAME} on the makensis command line (see the top of Quorvex.nsi)"
  !endif
!macroend
!insertmacro QV_REQUIRE ARCH
!insertmacro QV_REQUIRE VERSION
!insertmacro QV_REQUIRE BINDIR
!insertmacro QV_REQUIRE ICON
!insertmacro QV_REQUIRE OUTFILE

; The installer runs as the same kind of process as the program it installs, so that Program
; Files and the registry views are the program's own: the 64-bit build goes to the 64-bit
; Program Files and registers in the 64-bit view, the 32-bit build to "Program Files (x86)"
; and the 32-bit view on 64-bit Windows.
!if "${ARCH}" == "x86_64"
  Target amd64-unicode
  !define QV_PROGRAMFILES "$PROGRAMFILES64"
!else if "${ARCH}" == "i686"
  Target x86-unicode
  !define QV_PROGRAMFILES "$PROGRAMFILES"
!else
  !error "ARCH must be x86_64 or i686, not ${ARCH}"
!endif

!define QV_NAME "Quorvex"
; Installing under Program Files takes an administrator, so the uninstaller is registered for
; the whole machine (HKLM). The program's own settings are per user (HKCU) and are removed for
; the user who runs the uninstaller.
!define QV_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${QV_NAME}"
!define QV_RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define QV_SETTINGS_KEY "Software\${QV_NAME}"
!define QV_MENU_FOLDER "$SMPROGRAMS\${QV_NAME}"
!define QV_UNINSTALLER "Uninstall.exe"

Name "${QV_NAME}"
OutFile "${OUTFILE}"
InstallDir "${QV_PROGRAMFILES}\${QV_NAME}"
; A reinstall offers the folder of the installed copy.
InstallDirRegKey HKLM "${QV_UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma
ShowInstDetails show
BrandingText "${QV_NAME} ${VERSION}"
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${QV_NAME}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${QV_NAME} ${VERSION} Setup"
VIAddVersionKey "LegalCopyright" "${QV_NAME}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
; The uninstaller's confirmation is the question in un.onInit.
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running Quorvex (its main dialog, shown or hidden in the notification area, is a dialog
; titled "Quorvex") holds its files open. Ask until it is gone; a silent run, or Cancel, gives
; up without touching anything.
!macro QV_DEFINE_WAIT_FOR_PROGRAM UN
Function ${UN}WaitForProgramEnd
  ${Do}
    FindWindow $0 "#32770" "${QV_NAME}"
    ${If} $0 == 0
      Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${QV_NAME} is running. End it (Exit in its tray menu), then choose Retry." \
      /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
    retry:
  ${Loop}
FunctionEnd
!macroend
!insertmacro QV_DEFINE_WAIT_FOR_PROGRAM ""
!insertmacro QV_DEFINE_WAIT_FOR_PROGRAM "un."

!macro QV_REGISTRY_VIEW
  !if "${ARCH}" == "x86_64"
    SetRegView 64
  !endif
!macroend

Function .onInit
  !insertmacro QV_REGISTRY_VIEW
  ; An administrator's install: shortcuts for every user.
  SetShellVarContext all
FunctionEnd

Section "${QV_NAME}" SecProgram
  SectionIn RO
  Call WaitForProgramEnd
  SetOutPath "$INSTDIR"
  File "${BINDIR}/Quorvex.exe"
  File "${BINDIR}/Skinlet.dll"
  File "${BINDIR}/skin.smf"
  File "${BINDIR}/UpdateApp.exe"
  WriteUninstaller "$INSTDIR\${QV_UNINSTALLER}"

  ; The shortcuts start in the installed folder (the current output path).
  CreateDirectory "${QV_MENU_FOLDER}"
  CreateShortcut "${QV_MENU_FOLDER}\${QV_NAME}.lnk" "$INSTDIR\Quorvex.exe"
  CreateShortcut "${QV_MENU_FOLDER}\Uninstall.lnk" "$INSTDIR\${QV_UNINSTALLER}"

  WriteRegStr HKLM "${QV_UNINSTALL_KEY}" "DisplayName" "${QV_NAME}"
  WriteRegStr HKLM "${QV_UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${QV_UNINSTALL_KEY}" "Publisher" "${QV_NAME}"
  WriteRegStr HKLM "${QV_UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quorvex.exe,0"
  WriteRegStr HKLM "${QV_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${QV_UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${QV_UNINSTALLER}"'
  WriteRegStr HKLM "${QV_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${QV_UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${QV_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${QV_UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${QV_UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  !insertmacro QV_REGISTRY_VIEW
  SetShellVarContext all
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Remove ${QV_NAME} from this computer?$\r$\n$\r$\nThis removes its files and shortcuts, its start-with-Windows entry and its preferences." \
    /SD IDYES IDYES remove
  SetErrorLevel 1
  Quit
  remove:
  Call un.WaitForProgramEnd
FunctionEnd

Section "Uninstall"
  ; Only the files we installed: the folder may be one the user chose and shares with other
  ; files, so it is removed only when nothing else is left in it.
  Delete "$INSTDIR\Quorvex.exe"
  Delete "$INSTDIR\Skinlet.dll"
  Delete "$INSTDIR\skin.smf"
  Delete "$INSTDIR\UpdateApp.exe"
  ; The profile file is the user's own data: kept unless the user says otherwise.
  ${If} ${FileExists} "$INSTDIR\Quorvex.ini"
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Also delete your ${QV_NAME} profile file?$\r$\n$\r$\n$INSTDIR\Quorvex.ini" \
      /SD IDNO IDNO keep_profile
    Delete "$INSTDIR\Quorvex.ini"
    keep_profile:
  ${EndIf}
  Delete "$INSTDIR\${QV_UNINSTALLER}"
  RMDir "$INSTDIR"

  Delete "${QV_MENU_FOLDER}\${QV_NAME}.lnk"
  Delete "${QV_MENU_FOLDER}\Uninstall.lnk"
  RMDir "${QV_MENU_FOLDER}"

  DeleteRegValue HKCU "${QV_RUN_KEY}" "${QV_NAME}"
  DeleteRegKey HKCU "${QV_SETTINGS_KEY}"
  DeleteRegKey HKLM "${QV_UNINSTALL_KEY}"
  SetAutoClose true
SectionEnd
