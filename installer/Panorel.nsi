; Panorel's installer and uninstaller, built by CMake (cmake/Packaging.cmake):
;   makensis -INPUTCHARSET UTF8 -DSOURCE_DIR=<sources> -DPROGRAM_EXE=<built Panorel.exe> -DOUTFILE=<setup.exe>
;            [-DTARGET=x86-unicode|amd64-unicode] Panorel.nsi
; The version, the vendor and the exit button's id come from the headers the
; program itself is built from, so the two cannot disagree.

Unicode true
; The installer is as wide as the program it carries: 32-bit, as users get it.
!ifdef TARGET
  Target ${TARGET}
!endif
SetCompressor /SOLID lzma
; Installing for oneself needs no administrator; an elevated run may also
; install for everyone.
RequestExecutionLevel user

!searchparse /file "${SOURCE_DIR}/res/Product.h" '#define PANOREL_VERSION_TEXT "' VERSION '"'
!searchparse /file "${SOURCE_DIR}/res/Product.h" '#define PANOREL_VERSION_BINARY ' V1 ', ' V2 ', ' V3 ', ' V4
!searchparse /file "${SOURCE_DIR}/res/Product.h" '#define PANOREL_VENDOR_HOST "' VENDOR_HOST '"'
!searchparse /file "${SOURCE_DIR}/res/SwitcherDlgIds.h" '#define IDC_BUTTON_EXIT ' IDC_BUTTON_EXIT

!define MAIN_TITLE "Panorel - ${VENDOR_HOST}"
; The object every watcher holds while it runs (app/Watcher.cpp).
!define WATCHER_PRESENCE "Local\${MAIN_TITLE} watcher"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Panorel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; How long a running Panorel gets to show what it hid and end.
!define EXIT_WAIT_MS 20000

Name "Panorel"
BrandingText "Panorel ${VERSION}"
OutFile "${OUTFILE}"

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MUI_ICON "${SOURCE_DIR}/res/Panorel.ico"
!define MUI_UNICON "${SOURCE_DIR}/res/Panorel.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Panorel.exe"

Page custom InstallModePage InstallModeLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE SimpChinese
!include "${SOURCE_DIR}/installer/Texts.nsh"

VIProductVersion "${V1}.${V2}.${V3}.${V4}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} ProductName "Panorel"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} CompanyName "Panorel"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} FileDescription "$(SetupDescription)"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} FileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} ProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} LegalCopyright "Copyright (C) 2026"

Var Elevated     ; 1: this run may install for every user
Var AllUsers     ; 1: installing for every user
Var FolderGiven  ; 1: /D= named the folder
Var RadioAllUsers

; Ends every running Panorel the way its exit button does, which shows again
; each window and icon it hid and ends its watcher; ending it by force would
; strand them. A watcher left by a Panorel ended from outside is showing what
; that one hid: it is waited for, never ended. Only when something does not
; end in time is the user asked.
!macro CLOSE_RUNNING_PANOREL PREFIX
Function ${PREFIX}CloseRunningPanorel
  again:
    FindWindow $0 "#32770" "${MAIN_TITLE}"
    ${If} $0 == 0
      Goto watchers
    ${EndIf}
    System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
    System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2" ; SYNCHRONIZE
    ; The button's click as the dialog receives it: BN_CLICKED is 0.
    SendMessage $0 ${WM_COMMAND} ${IDC_BUTTON_EXIT} 0 /TIMEOUT=${EXIT_WAIT_MS}
    System::Call "kernel32::WaitForSingleObject(p r2, i ${EXIT_WAIT_MS}) i .r3"
    System::Call "kernel32::CloseHandle(p r2)"
    ${If} $3 == 0 ; WAIT_OBJECT_0: it ended; there may be another
      Goto again
    ${EndIf}
    Goto stillRunning
  watchers:
    StrCpy $4 0
  watcherGone:
    System::Call "kernel32::OpenEventW(i 0x00100000, i 0, w '${WATCHER_PRESENCE}') p .r0" ; SYNCHRONIZE
    ${If} $0 == 0
      Return
    ${EndIf}
    System::Call "kernel32::CloseHandle(p r0)"
    ${If} $4 < ${EXIT_WAIT_MS}
      Sleep 100
      IntOp $4 $4 + 100
      Goto watcherGone
    ${EndIf}
  stillRunning:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY again
    Abort
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_PANOREL ""
!insertmacro CLOSE_RUNNING_PANOREL "un."

Function .onInit
  ${If} $INSTDIR != ""
    StrCpy $FolderGiven 1
  ${EndIf}
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $Elevated 1
  ${EndIf}
  StrCpy $AllUsers 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AllUsers" $1
  ${IfNot} ${Errors}
    ${If} $Elevated != 1
      MessageBox MB_OK|MB_ICONSTOP "$(AllUsersNeedsAdmin)" /SD IDOK
      Abort
    ${EndIf}
    StrCpy $AllUsers 1
  ${EndIf}
  Call ChooseFolder
FunctionEnd

; The default folder for the chosen mode; an upgrade goes where the earlier
; version is.
Function ChooseFolder
  ${If} $AllUsers == 1
    SetShellVarContext all
    StrCpy $0 "$PROGRAMFILES\Panorel"
  ${Else}
    SetShellVarContext current
    StrCpy $0 "$LOCALAPPDATA\Programs\Panorel"
  ${EndIf}
  ReadRegStr $1 SHCTX "${UNINSTALL_KEY}" InstallLocation
  ${If} $1 != ""
    StrCpy $0 $1
  ${EndIf}
  ${If} $FolderGiven != 1
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

Function InstallModePage
  ${If} $Elevated != 1
    Abort ; skips the page: only an elevated run has the choice
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "$(ModeTitle)" "$(ModeSubtitle)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 0 100% 12u "$(ModeJustMe)"
  Pop $0
  ${NSD_CreateRadioButton} 0 20u 100% 12u "$(ModeEveryone)"
  Pop $RadioAllUsers
  ${If} $AllUsers == 1
    ${NSD_Check} $RadioAllUsers
  ${Else}
    ${NSD_Check} $0
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function InstallModeLeave
  ${NSD_GetState} $RadioAllUsers $AllUsers
  Call ChooseFolder
FunctionEnd

Section "Panorel" SecProgram
  SectionIn RO
  Call CloseRunningPanorel
  SetOutPath "$INSTDIR"
  ; A silent run ignores a file it cannot write and would report success
  ; with the old program still in place.
  ClearErrors
  File "/oname=Panorel.exe" "${PROGRAM_EXE}"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "$(CannotReplace)" /SD IDOK
    Abort
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninst.exe"
  CreateShortCut "$SMPROGRAMS\Panorel.lnk" "$INSTDIR\Panorel.exe"
  ; The next section writes it again when it stays chosen.
  DeleteRegValue HKCU "${RUN_KEY}" "Panorel"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayName "Panorel"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" Publisher "Panorel"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\Panorel.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" URLInfoAbout "http://${VENDOR_HOST}/"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\uninst.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\uninst.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoRepair 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" EstimatedSize $0
SectionEnd

Section "$(StartAtSignIn)" SecStartAtSignIn
  WriteRegStr HKCU "${RUN_KEY}" "Panorel" '"$INSTDIR\Panorel.exe"'
SectionEnd

; Where the settings go when the program's folder cannot take them (an
; installation for all users, run by an ordinary user): the user's own.
Var UserSettingsFolder

Function un.onInit
  StrCpy $UserSettingsFolder "$APPDATA\Panorel"
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" InstallLocation
  ${If} $0 == $INSTDIR
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
      MessageBox MB_OK|MB_ICONSTOP "$(UninstallNeedsAdmin)" /SD IDOK
      Abort
    ${EndIf}
    SetShellVarContext all
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningPanorel
  Delete "$INSTDIR\Panorel.exe"
  ${If} ${FileExists} "$INSTDIR\Panorel.exe"
    MessageBox MB_OK|MB_ICONSTOP "$(CannotRemove)" /SD IDOK
    Abort
  ${EndIf}
  Delete "$INSTDIR\uninst.exe"
  Delete "$SMPROGRAMS\Panorel.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Panorel"
  ${If} ${FileExists} "$INSTDIR\Panorel.ini"
  ${OrIf} ${FileExists} "$UserSettingsFolder\Panorel.ini"
    MessageBox MB_YESNO|MB_ICONQUESTION "$(KeepSettings)" /SD IDYES IDYES keepSettings
    Delete "$INSTDIR\Panorel.ini"
    Delete "$UserSettingsFolder\Panorel.ini"
    RMDir "$UserSettingsFolder"
    keepSettings:
  ${EndIf}
  ; Only an empty folder goes: kept settings, or files of the user's own, stay.
  RMDir "$INSTDIR"
  ; Last, so that the entry lasts as long as anything it could remove.
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
