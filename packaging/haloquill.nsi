; Setup of Corvel Haloquill for the current user, without administrator rights: the program in
; %LOCALAPPDATA%\Programs\Corvel Haloquill, a Start-menu shortcut and an entry in the list of
; installed apps; its uninstaller takes all of that away again, with the program's Run entry and,
; if the user agrees, its settings.
;
; The build defines:
;   TARGET          x86-unicode or amd64-unicode, the processor of the program
;   VERSION         the version people see, "major.minor"
;   VERSION_RECORD  the four numbers of the version record
;   PROGRAM         path of the Haloquill.exe to install
;   ICON            the program's icon, also the setup's
;   OUTFILE         path of the setup to write
;   OUTFILE_NAME    its file name, for the version record
; and, when the setup is signed:
;   SIGN_COMMAND    a command that signs the file named after it in place
;
; make_download.cmake runs makensis with these.

!ifndef TARGET | VERSION | VERSION_RECORD | PROGRAM | ICON | OUTFILE | OUTFILE_NAME
  !error "Build the setup through make_download.cmake, which defines TARGET, VERSION, VERSION_RECORD, PROGRAM, ICON, OUTFILE and OUTFILE_NAME"
!endif

; The uninstaller is signed before it is packed into the setup, and the setup once it is written;
; a signing that fails stops makensis.
!ifdef SIGN_COMMAND
  !uninstfinalize '${SIGN_COMMAND} "%1"' = 0
  !finalize '${SIGN_COMMAND} "%1"' = 0
!endif

Target ${TARGET}
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestSupportedOS all
ManifestDPIAware true

!include FileFunc.nsh
!include LogicLib.nsh
!include MUI2.nsh
!include WinMessages.nsh
!include running_copy.nsh

!define PRODUCT "Corvel Haloquill"
!define PUBLISHER "Corvel"
!define EXE_NAME "Haloquill.exe"
!define UNINSTALLER_NAME "Uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\CorvelHaloquill"
; The program's own keys: its settings, and its start-with-Windows entry named after the
; executable.
!define SETTINGS_KEY "Software\Corvel\Haloquill"
!define SETTINGS_PARENT_KEY "Software\Corvel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Haloquill"

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
UninstallCaption "${PRODUCT} ${VERSION} Uninstall"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; Installing again goes where the program already is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
; A file that cannot be written ends the setup; it is never skipped.
AllowSkipFiles off

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE_NAME}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The setup's version record is the program's, apart from its description and file name. Like
; the program's, it carries no copyright line.
!pragma warning disable 9100
VIProductVersion "${VERSION_RECORD}"
VIFileVersion "${VERSION_RECORD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "InternalName" "Haloquill"
VIAddVersionKey /LANG=${LANG_ENGLISH} "OriginalFilename" "${OUTFILE_NAME}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Corvel Free Haloquill"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"

!insertmacro HALOQUILL_RUNNING_COPY_FUNCTIONS ""
!insertmacro HALOQUILL_RUNNING_COPY_FUNCTIONS "un."

Var PreviousFolder

; The folder given with /D=, read from the process's own command line: NSIS cuts /D= off $CMDLINE,
; and when it finds the folder unusable (under a file, on a drive that does not exist, with
; characters a name cannot hold), or the option in quotes, it quietly puts its default in $INSTDIR
; instead. Empty when there was no /D=.
Function RequestedFolder
  Push $0
  Push $1
  Push $2
  Push $3
  System::Call "kernel32::GetCommandLineW() w .r0"
  StrCpy $1 0
  StrCpy $2 ""
  find_option:
    StrCpy $3 $0 4 $1
    StrCmp $3 "" trim_backslashes
    StrCmpS $3 " /D=" option_found
    StrCpy $3 $0 5 $1
    StrCmpS $3 ` "/D=` quoted_option_found
    IntOp $1 $1 + 1
    Goto find_option
  quoted_option_found:
    IntOp $1 $1 + 1
  option_found:
    IntOp $1 $1 + 4
    StrCpy $2 $0 "" $1
    StrCpy $3 $2 1 -1
    StrCmp $3 '"' 0 trim_backslashes
    StrCpy $2 $2 -1
  ; A folder is the same with or without a closing backslash.
  trim_backslashes:
    StrCpy $3 $2 1 -1
    StrCmp $3 "\" 0 +3
    StrCpy $2 $2 -1
    Goto trim_backslashes
  Pop $3
  Exch $2
  Exch
  Pop $1
  Exch
  Pop $0
FunctionEnd

Function .onInit
  Call RequestedFolder
  Pop $0
  ${If} $0 != ""
  ${AndIf} $0 != $INSTDIR
    MessageBox MB_OK|MB_ICONSTOP \
      "${PRODUCT} cannot be installed in$\r$\n$0$\r$\nNothing was changed. Please name a folder that can be made, after /D= at the end of the command line and without quotes." \
      /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
FunctionEnd

; Stops the setup, before anything has changed, when the install folder cannot be written. A
; folder made only for this test is removed again.
Function CheckFolderIsWritable
  Push $0
  Push $1
  StrCpy $1 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $1 1
  ${EndIf}
  ClearErrors
  CreateDirectory "$INSTDIR"
  ${IfNot} ${Errors}
    FileOpen $0 "$INSTDIR\haloquill-setup.tmp" w
  ${EndIf}
  ${If} ${Errors}
    ${If} $1 = 1
      RMDir "$INSTDIR"
    ${EndIf}
    MessageBox MB_OK|MB_ICONSTOP \
      "${PRODUCT} cannot be installed in$\r$\n$INSTDIR$\r$\nbecause that folder cannot be written. Nothing was changed; please choose another folder." \
      /SD IDOK
    SetErrorLevel 2
    Abort "The folder $INSTDIR cannot be written; nothing was changed."
  ${EndIf}
  FileClose $0
  Delete "$INSTDIR\haloquill-setup.tmp"
  Pop $1
  Pop $0
FunctionEnd

Section "${PRODUCT}"
  SectionIn RO
  Call CheckFolderIsWritable
  Push "$INSTDIR\${EXE_NAME}"
  Call CloseRunningCopy
  ; An earlier installation in another folder is moved here: its copy is closed first, and its
  ; files go once the new ones are in place.
  ReadRegStr $PreviousFolder HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $PreviousFolder == ""
  ${OrIf} $PreviousFolder == $INSTDIR
  ${OrIfNot} ${FileExists} "$PreviousFolder\${EXE_NAME}"
    StrCpy $PreviousFolder ""
  ${EndIf}
  ${If} $PreviousFolder != ""
    Push "$PreviousFolder\${EXE_NAME}"
    Call CloseRunningCopy
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "/oname=${EXE_NAME}" "${PROGRAM}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER_NAME}"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${EXE_NAME}" "" "$INSTDIR\${EXE_NAME}" 0 \
    SW_SHOWNORMAL "" "Shows the angel of the day"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE_NAME},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER_NAME}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER_NAME}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  ${If} $PreviousFolder != ""
    ; A Run entry of the old copy would start a file that is about to go: it starts this one.
    ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    Push $0
    Push "$PreviousFolder\${EXE_NAME}"
    Call CommandStartsProgram
    Pop $1
    ${If} $1 = 1
      WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\${EXE_NAME}" /STARTUP'
    ${EndIf}
    Delete "$PreviousFolder\${EXE_NAME}"
    Delete "$PreviousFolder\${UNINSTALLER_NAME}"
    RMDir "$PreviousFolder"
  ${EndIf}
SectionEnd

Section "Uninstall"
  Push "$INSTDIR\${EXE_NAME}"
  Call un.CloseRunningCopy
  ClearErrors
  Delete "$INSTDIR\${EXE_NAME}"
  ${If} ${FileExists} "$INSTDIR\${EXE_NAME}"
    MessageBox MB_OK|MB_ICONSTOP \
      "$INSTDIR\${EXE_NAME} cannot be removed. Nothing else was changed; please try again." \
      /SD IDOK
    SetErrorLevel 2
    Abort "$INSTDIR\${EXE_NAME} cannot be removed."
  ${EndIf}

  MessageBox MB_YESNO|MB_ICONQUESTION \
    "Remove your ${PRODUCT} settings too (the angel of the day, the reminder time and the start-up choices)?" \
    /SD IDYES IDNO keep_settings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${SETTINGS_PARENT_KEY}"
  keep_settings:

  ; The Run entry goes only when it starts this copy; one of a copy elsewhere stays.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  Push $0
  Push "$INSTDIR\${EXE_NAME}"
  Call un.CommandStartsProgram
  Pop $1
  ${If} $1 = 1
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}

  Delete "${SHORTCUT}"
  Delete "$INSTDIR\${UNINSTALLER_NAME}"
  ; The folder cannot go while it is the current one.
  SetOutPath "$TEMP"
  RMDir "$INSTDIR"
  ; Last, so that an uninstall that stopped early can be run again from the list of apps.
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
