; Closing a running copy of the program before its file is replaced or removed, the way the
; task list's "End task" does: WM_CLOSE to its main window, after which the program saves its
; start-up choices, removes its notification-area icon and ends. Only a copy started from the
; given file is closed; copies elsewhere (a portable one, say) hold none of our files.
;
; The installer and the uninstaller each get their own copy of these functions (NSIS keeps the
; two apart by the "un." prefix).

!include LogicLib.nsh

!define HALOQUILL_MAIN_WINDOW_CLASS "CorvelHaloquillMain"
; How long a copy is given to end after the close.
!define HALOQUILL_CLOSE_WAIT_MS 5000
; SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION
!define HALOQUILL_PROCESS_ACCESS 0x00101000

!macro HALOQUILL_RUNNING_COPY_FUNCTIONS un

; Push the program's full path, then call: "1" when the two paths name the same file, "0"
; otherwise. Paths are compared without regard to case, and by their short forms when the long
; ones differ (a folder can be spelled either way).
Function ${un}SameFile
  Exch $R1
  Exch
  Exch $R0
  Push $R2
  Push $R3
  ${If} $R0 == $R1
    StrCpy $R0 1
  ${Else}
    GetFullPathName /SHORT $R2 $R0
    GetFullPathName /SHORT $R3 $R1
    ${If} $R2 != ""
    ${AndIf} $R2 == $R3
      StrCpy $R0 1
    ${Else}
      StrCpy $R0 0
    ${EndIf}
  ${EndIf}
  Pop $R3
  Pop $R2
  Exch $R0
  Exch
  Pop $R1
FunctionEnd

; Push the program's full path, then call. Closes every running copy of that file and waits for
; it to end. A copy that is still running after the wait makes the user choose between Retry
; (after closing it) and Cancel; Cancel, and any silent run, ends the setup with an error before
; anything has changed.
Function ${un}CloseRunningCopy
  Exch $R9
  Push $R0
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  search_from_top:
    StrCpy $R0 0
  next_window:
    FindWindow $R0 "${HALOQUILL_MAIN_WINDOW_CLASS}" "" 0 $R0
    StrCmp $R0 0 all_closed
    StrCpy $R1 0
    System::Call "user32::GetWindowThreadProcessId(p R0, *i .R1)"
    System::Call "kernel32::OpenProcess(i ${HALOQUILL_PROCESS_ACCESS}, i 0, i R1) p .R2"
    StrCmp $R2 0 next_window
    StrCpy $R3 ""
    System::Call "kernel32::QueryFullProcessImageNameW(p R2, i 0, w .R3, *i ${NSIS_MAX_STRLEN})"
    Push $R3
    Push $R9
    Call ${un}SameFile
    Pop $R4
    ${If} $R4 != 1
      System::Call "kernel32::CloseHandle(p R2)"
      Goto next_window
    ${EndIf}
    DetailPrint "Closing the running Corvel Haloquill..."
    System::Call "user32::PostMessageW(p R0, i ${WM_CLOSE}, p 0, p 0)"
    System::Call "kernel32::WaitForSingleObject(p R2, i ${HALOQUILL_CLOSE_WAIT_MS}) i .R4"
    System::Call "kernel32::CloseHandle(p R2)"
    ${If} $R4 != 0
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Corvel Haloquill is running and did not close.$\r$\n$\r$\nPlease end it (its icon in the notification area has Exit), then choose Retry. Cancel stops here and changes nothing." \
        /SD IDCANCEL IDRETRY search_from_top
      SetErrorLevel 2
      Abort "Corvel Haloquill is still running; nothing was changed."
    ${EndIf}
    ; The windows have changed, so the search starts again.
    Goto search_from_top
  all_closed:
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
  Pop $R9
FunctionEnd

; Push a command line, then the program's full path, then call: "1" when the command starts
; that program (its path quoted or not, then nothing or a blank), "0" otherwise.
Function ${un}CommandStartsProgram
  Exch $R1
  Exch
  Exch $R0
  Push $R2
  Push $R3
  Push $R4
  StrCpy $R4 0
  StrLen $R2 $R1
  StrCpy $R3 $R0 $R2
  ${If} $R3 == $R1
    StrCpy $R3 $R0 1 $R2
    ${If} $R3 == ""
    ${OrIf} $R3 == " "
      StrCpy $R4 1
    ${EndIf}
  ${EndIf}
  IntOp $R2 $R2 + 2
  StrCpy $R3 $R0 $R2
  ${If} $R3 == `"$R1"`
    StrCpy $R4 1
  ${EndIf}
  StrCpy $R0 $R4
  Pop $R4
  Pop $R3
  Pop $R2
  Exch $R0
  Exch
  Pop $R1
FunctionEnd

!macroend
