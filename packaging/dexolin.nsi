; The Dexolin installer: a per-user install without administrator rights.
;
; makensis -DVERSION=x.y.z -DSTAGE=<folder with the files> -DICON=<dexolin.ico>
;          -DLICENCE=<licence text for the licence page> -DOUTFILE=<setup.exe> dexolin.nsi
;
; Installs dexolin.exe, dexolin-cli.exe, README.txt and LICENSE.txt into
; %LOCALAPPDATA%\Programs\Dexolin (no dexolin.ini: an installed Dexolin keeps
; its settings in the registry), adds a Start-menu shortcut and an entry in
; the user's list of installed programs. /S installs and uninstalls silently.
;
; A Dexolin running from the installation folder is closed first (WM_CLOSE,
; so that it saves its settings), after asking; a silent run closes it
; without asking and stops with exit status 2 when it does not close.
; Uninstalling leaves the user's settings (HKCU\Software\Brevlund\Dexolin)
; unless the user ticks their removal; /S always keeps them.

Unicode true
SetCompressor /SOLID lzma
; The installed files get the time of installation, and the installer holds
; no build time, so two builds of one commit give the same installer.
SetDateSave off

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Dexolin"
!define PUBLISHER "Brevlund"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Dexolin"
!define SETTINGS_KEY "Software\Brevlund\Dexolin"
; How long a running Dexolin may take to close and save its settings.
!define CLOSE_WAIT_MS 10000

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ManifestDPIAware true
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"

; ---- Pages -------------------------------------------------------------------
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "This installs ${PRODUCT} ${VERSION}, which shows one bit pattern at once as binary, decimal, hexadecimal and floating-point text, for you alone: it needs no administrator rights.$\r$\n$\r$\nIf ${PRODUCT} is running from the folder you install into, Setup offers to close it first; it keeps its settings.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\dexolin.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "Your settings (width, endianness, always on top, translucency and the window's position) stay, so that a new install starts where you left off. Tick them to remove them too."
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; ---- A running Dexolin ----------------------------------------------------------
; The program's window is a dialog captioned "Dexolin"; it belongs to this
; installation when its process runs $INSTDIR\dexolin.exe.

; FindRunningDexolin: $R0 := the window, $R1 := its process id; $R0 is 0 when
; no Dexolin runs from $INSTDIR.
!macro DEFINE_FIND_RUNNING un
Function ${un}FindRunningDexolin
  Push $R2
  Push $R3
  StrCpy $R0 0
  next_window:
    FindWindow $R0 "#32770" "${PRODUCT}" 0 $R0
    StrCmp $R0 0 done
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i 0 R1)'
    ; PROCESS_QUERY_LIMITED_INFORMATION
    System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i R1) p .R2'
    StrCmp $R2 0 next_window
    StrCpy $R3 ""
    System::Call 'kernel32::QueryFullProcessImageNameW(p R2, i 0, w .R3, *i ${NSIS_MAX_STRLEN})'
    System::Call 'kernel32::CloseHandle(p R2)'
    ; StrCmp compares without regard to case, as Windows paths are.
    StrCmp $R3 "$INSTDIR\dexolin.exe" done next_window
  done:
  Pop $R3
  Pop $R2
FunctionEnd
!macroend
!insertmacro DEFINE_FIND_RUNNING ""
!insertmacro DEFINE_FIND_RUNNING "un."

; CloseDexolin: asks the window $R0 of process $R1 to close, as its close box
; would, and waits for the process to end. $R2 := 0 when it ended in time.
!macro DEFINE_CLOSE un
Function ${un}CloseDexolin
  Push $R3
  ; SYNCHRONIZE: enough to wait for the process.
  System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i R1) p .R3'
  System::Call 'user32::PostMessageW(p R0, i ${WM_CLOSE}, p 0, p 0)'
  StrCpy $R2 1
  StrCmp $R3 0 done
  System::Call 'kernel32::WaitForSingleObject(p R3, i ${CLOSE_WAIT_MS}) i .R2'
  System::Call 'kernel32::CloseHandle(p R3)'
  done:
  Pop $R3
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE ""
!insertmacro DEFINE_CLOSE "un."

; MindRunningDexolin: returns when no Dexolin runs from $INSTDIR any more;
; quits (status 2 when silent, 1 when the user cancels) otherwise.
!macro DEFINE_MIND_RUNNING un
Function ${un}MindRunningDexolin
  check:
    Call ${un}FindRunningDexolin
    StrCmp $R0 0 free
    IfSilent close
    MessageBox MB_YESNOCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is running from $INSTDIR and must be closed first.$\r$\n$\r$\nYes: close it now (it saves its settings as it closes).$\r$\nNo: look again, after you have closed it yourself.$\r$\nCancel: stop here." IDYES close IDNO check
    SetErrorLevel 1
    Quit
  close:
    DetailPrint "Closing the running ${PRODUCT}"
    Call ${un}CloseDexolin
    StrCmp $R2 0 check
    IfSilent 0 +3
      SetErrorLevel 2
      Quit
    MessageBox MB_RETRYCANCEL|MB_ICONSTOP "${PRODUCT} did not close. Close it yourself, then choose Retry." IDRETRY check
    SetErrorLevel 1
    Quit
  free:
FunctionEnd
!macroend
!insertmacro DEFINE_MIND_RUNNING ""
!insertmacro DEFINE_MIND_RUNNING "un."

; ---- Install -------------------------------------------------------------------
Function .onInit
  SetShellVarContext current
FunctionEnd

Section "Dexolin"
  ; The folder is known only now (the directory page, /D=).
  Call MindRunningDexolin
  SetOutPath "$INSTDIR"
  File "${STAGE}\dexolin.exe"
  File "${STAGE}\dexolin-cli.exe"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\dexolin.exe" "" "$INSTDIR\dexolin.exe" 0

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\dexolin.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; ---- Uninstall -----------------------------------------------------------------
Function un.onInit
  SetShellVarContext current
  Call un.MindRunningDexolin
FunctionEnd

Section "-un.Program"
  Delete "$INSTDIR\dexolin.exe"
  Delete "$INSTDIR\dexolin-cli.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; Off unless ticked, and never in a silent run: a later install starts with
; the user's width, position and translucency.
Section /o "un.Your settings" UninstallSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\${PUBLISHER}"
SectionEnd
