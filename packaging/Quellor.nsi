; Quellor's installer: installs for the current user only, without asking
; for elevation. `make package` builds it with makensis and defines:
;   VERSION   the project's version, e.g. 2.8.1
;   PROGRAM   the built Quellor.exe
;   ICON      the program's icon file
;   OUTFILE   the installer to write
;   UNINSTALLER  where a copy of the uninstaller goes, for the checks
;   SIGNER    (optional) a command that signs the file it is given in place
;
; Installer switches: /S silent; /AUTOSTART=0 no start at logon;
; /SWITCHON=1 the start at logon switches Quellor ON;
; /D=FOLDER another folder (last on the line, never quoted).
; Uninstaller switches: /S silent, keeping the settings; /REMOVESETTINGS
; removes the settings too.

Unicode true
; Hardened as the program is: DEP, no SEH handlers, subsystem 6.0 (heap
; corruption ends the process). After Unicode true, which loads the stub anew.
!define /math PE_HARDENING 0x0100 | 0x0400 ; NX_COMPAT, NO_SEH
PEDllCharacteristics ${PE_HARDENING} 0
PESubsysVer 6.0
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all
SetCompressor /SOLID lzma

!ifdef SIGNER
!finalize '"${SIGNER}" "%1"' = 0
!uninstfinalize '"${SIGNER}" "%1"' = 0
!endif
!ifdef UNINSTALLER
!uninstfinalize 'cp "%1" "${UNINSTALLER}"' = 0
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellor"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define MAKER_KEY "Software\Marrowby"
!define SETTINGS_KEY "${MAKER_KEY}\Quellor"
!define SYNCHRONIZE 0x00100000
!define WAIT_OBJECT_0 0

Name "Quellor"
Caption "Quellor ${VERSION} Setup"
UninstallCaption "Quellor Uninstall"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quellor"
; An update goes where the last installation went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Quellor ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Quellor"
VIAddVersionKey "CompanyName" "Marrowby"
VIAddVersionKey "FileDescription" "Quellor ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (c) the Quellor authors, MIT License"

Var EndedCopy
Var RemoveSettings

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quellor.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Quellor now"

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE LeaveFolderPage
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Ends a running Quellor the way Windows ends a program: WM_CLOSE to its
; hidden main frame. It then waits for the whole process, not just the
; window: a new copy started while the old one still holds its
; single-instance lock would end at once.
!macro END_RUNNING_COPY un
Function ${un}EndRunningCopy
  StrCpy $EndedCopy 0
  ${Do}
    FindWindow $0 "QuellorFrame" "Quellor"
    ${If} $0 = 0
      ${ExitDo}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=10000
    StrCpy $3 -1
    ${If} $2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i 15000) i .r3'
      System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
    ${If} $3 = ${WAIT_OBJECT_0}
      StrCpy $EndedCopy 1
    ${Else}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Quellor is running and did not end.$\r$\n$\r$\nChoose Exit from its menu in the taskbar notification area, then click Retry." /SD IDCANCEL IDRETRY +2
      Abort "Quellor is still running."
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro END_RUNNING_COPY ""
!insertmacro END_RUNNING_COPY "un."

Section "Quellor" SecProgram
  SectionIn RO
  Call EndRunningCopy
  SetOutPath "$INSTDIR"
  File "/oname=Quellor.exe" "${PROGRAM}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Quellor.lnk" "$INSTDIR\Quellor.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quellor"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Marrowby"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quellor.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The choices; -Finish acts on them.
Section "Start Quellor when I log on" SecAutostart
SectionEnd
Section /o "Switch it ON when it starts" SecSwitchOn
SectionEnd

Section "-Finish"
  ; An update chosen without start at logon takes the earlier choice back.
  ${If} ${SectionIsSelected} ${SecAutostart}
    StrCpy $0 '"$INSTDIR\Quellor.exe"'
    ${If} ${SectionIsSelected} ${SecSwitchOn}
      StrCpy $0 "$0 /on"
    ${EndIf}
    WriteRegStr HKCU "${RUN_KEY}" "Quellor" $0
  ${Else}
    DeleteRegValue HKCU "${RUN_KEY}" "Quellor"
  ${EndIf}
  ; A silent update puts back the copy it ended; an interactive one offers
  ; "Start Quellor now" on its last page.
  ${If} ${Silent}
  ${AndIf} $EndedCopy = 1
    Exec '"$INSTDIR\Quellor.exe"'
  ${EndIf}
SectionEnd

; A switch /NAME=0 or /NAME=1 of the command line $R0 unselects or
; selects a section; any other value stops the installer before it changes
; anything.
!macro CHOICE_SWITCH NAME SECTION
  ClearErrors
  ${GetOptions} $R0 "/${NAME}=" $R1
  ${IfNot} ${Errors}
    ${If} $R1 == "0"
      !insertmacro UnselectSection ${SECTION}
    ${ElseIf} $R1 == "1"
      !insertmacro SelectSection ${SECTION}
    ${Else}
      MessageBox MB_OK|MB_ICONSTOP "/${NAME}= takes 0 or 1, not $\"$R1$\"." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
!macroend

Function .onInit
  ${GetParameters} $R0
  !insertmacro CHOICE_SWITCH AUTOSTART ${SecAutostart}
  !insertmacro CHOICE_SWITCH SWITCHON ${SecSwitchOn}
  Call .onSelChange
  ${If} ${Silent}
    Call IsOthersFolder
    ${If} $0 = 1
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; Switching ON at logon belongs to the start at logon.
Function .onSelChange
  ${If} ${SectionIsSelected} ${SecAutostart}
    !insertmacro ClearSectionFlag ${SecSwitchOn} ${SF_RO}
  ${Else}
    !insertmacro UnselectSection ${SecSwitchOn}
    !insertmacro SetSectionFlag ${SecSwitchOn} ${SF_RO}
  ${EndIf}
FunctionEnd

; $0 = 1 when $INSTDIR holds files that are not an earlier Quellor's:
; installing there could overwrite another program's files (its own
; Uninstall.exe, say), and uninstalling would then remove them. An earlier
; installation is the folder the Uninstall entry names, or a portable
; Quellor.exe with no uninstaller beside it.
Function IsOthersFolder
  StrCpy $0 0
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $1 == $INSTDIR
    Return
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\Quellor.exe"
  ${AndIfNot} ${FileExists} "$INSTDIR\Uninstall.exe"
    Return
  ${EndIf}
  FindFirst $1 $2 "$INSTDIR\*.*"
  ${DoWhile} $2 != ""
    ${If} $2 != "."
    ${AndIf} $2 != ".."
      StrCpy $0 1
      ${ExitDo}
    ${EndIf}
    FindNext $1 $2
  ${Loop}
  FindClose $1
FunctionEnd

Function LeaveFolderPage
  Call IsOthersFolder
  ${If} $0 = 1
    MessageBox MB_OK|MB_ICONEXCLAMATION "$INSTDIR already holds other files.$\r$\n$\r$\nQuellor installs only into an empty folder or over an earlier Quellor, so that it never overwrites, and its uninstaller never removes, files it did not install. Choose another folder, or a new one within this one."
    Abort
  ${EndIf}
FunctionEnd

Function un.onInit
  StrCpy $RemoveSettings 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    StrCpy $RemoveSettings 1
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.EndRunningCopy
  ${If} $RemoveSettings = 0
  ${AndIfNot} ${Silent}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Remove Quellor's settings too?$\r$\n$\r$\nChoose No to keep them for a later installation." IDNO +2
    StrCpy $RemoveSettings 1
  ${EndIf}

  Delete "$INSTDIR\Quellor.exe"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: files the user put there stay.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Quellor.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Quellor"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ${If} $RemoveSettings = 1
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    ; The maker's key goes too, unless another program keeps something there.
    EnumRegKey $0 HKCU "${MAKER_KEY}" 0
    EnumRegValue $1 HKCU "${MAKER_KEY}" 0
    ${If} $0 == ""
    ${AndIf} $1 == ""
      DeleteRegKey /ifempty HKCU "${MAKER_KEY}"
    ${EndIf}
  ${EndIf}
SectionEnd
