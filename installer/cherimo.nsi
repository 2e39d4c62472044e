; Per-user setup of Brivanta Cherimo: no administrator rights, everything under
; the user's own folders and HKEY_CURRENT_USER, and an uninstaller that takes
; away only what is the program's.
;
; scripts/package.sh compiles it with
;   SOURCE   the repository's root
;   EXE      the cherimo.exe to ship
;   VERSION  the project's version (major.minor.patch)
;   OUTFILE  the installer to write
;   TARGET_AMD64 (optional) for a 64-bit installer, the test stand-in on
;            machines that cannot run 32-bit code

Unicode true
!ifdef TARGET_AMD64
  Target amd64-unicode
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include Win\WinNT.nsh
!include Win\COM.nsh

; The names the program itself uses come from its own header, so the two
; cannot drift apart; the home page from the build's (scripts/package.sh).
!ifndef HOME_PAGE
  !error "HOME_PAGE: the build's CHERIMO_HOME_PAGE"
!endif
!searchparse /file "${SOURCE}/app/texts.h" '#define TEXT_PRODUCT_NAME "' PRODUCT '"'
!searchparse /file "${SOURCE}/app/texts.h" 'TEXT_FRAME_CLASS[] = "' FRAME_CLASS '"'
!searchparse /file "${SOURCE}/app/texts.h" 'TEXT_HIDDEN_START_SWITCH[] = "' HIDDEN_START_SWITCH '"'
!searchparse /file "${SOURCE}/app/texts.h" 'TEXT_SETTINGS_KEY[] = "' SETTINGS_KEY_IN_C '"'
!searchreplace SETTINGS_KEY "${SETTINGS_KEY_IN_C}" "\\" "\"

!define PUBLISHER "Brivanta"
!define PROGRAM_FILE "cherimo.exe"
!define UNINSTALLER_FILE "uninstall.exe"
!define LINK_NAME "${PRODUCT}.lnk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SHELL_FOLDERS_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders"
!define QUICK_LAUNCH "Microsoft\Internet Explorer\Quick Launch"
; "Open with" and "Send to" for the pictures the program shows, for this user
; only: the program joins each type's choices and never becomes its default.
!define CLASSES_KEY "Software\Classes"
!define APPLICATION_KEY "${CLASSES_KEY}\Applications\${PROGRAM_FILE}"
!define PROG_ID "Brivanta.Cherimo.Picture"
; Where the shell keeps the program the user made a type's default ("Always use this app").
!define FILE_EXTS_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts"
!define OPEN_COMMAND '"$INSTDIR\${PROGRAM_FILE}" "%1"'
!define SHCNE_ASSOCCHANGED 0x08000000
; How long a running copy gets to write its settings and end.
!define CLOSE_TIMEOUT_MS 10000

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"
ManifestDPIAware true

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright ${PUBLISHER}"

!define MUI_ICON "${SOURCE}/resources/icon.ico"
!define MUI_UNICON "${SOURCE}/resources/icon.ico"
!define MUI_WELCOMEPAGE_TEXT "Setup installs ${PRODUCT} ${VERSION} for your Windows user only, \
  into your own programs folder; no administrator rights are needed.$\r$\n$\r$\n\
  A running ${PRODUCT} is closed first and keeps its settings.$\r$\n$\r$\n\
  Click Install to start."
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM_FILE}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Ends a running copy the way its Exit command does, so that it writes its
; settings, and waits until its process is gone: the exe cannot be replaced or
; removed while it runs.
; Runs a macro for each picture type the program opens, as its open dialog lists them.
!macro FOR_EACH_PICTURE_TYPE MACRO
  !insertmacro ${MACRO} ".jpg"
  !insertmacro ${MACRO} ".jpeg"
  !insertmacro ${MACRO} ".png"
  !insertmacro ${MACRO} ".bmp"
  !insertmacro ${MACRO} ".gif"
  !insertmacro ${MACRO} ".ico"
  !insertmacro ${MACRO} ".emf"
!macroend

!macro OFFER_FOR_TYPE TYPE
  WriteRegStr HKCU "${APPLICATION_KEY}\SupportedTypes" "${TYPE}" ""
  WriteRegStr HKCU "${CLASSES_KEY}\${TYPE}\OpenWithProgids" "${PROG_ID}" ""
!macroend

; The type's key goes too when nothing else is left in it; a default program
; the user chose stays.
!macro WITHDRAW_FROM_TYPE TYPE
  DeleteRegValue HKCU "${CLASSES_KEY}\${TYPE}\OpenWithProgids" "${PROG_ID}"
  DeleteRegKey /ifempty HKCU "${CLASSES_KEY}\${TYPE}\OpenWithProgids"
  DeleteRegKey /ifempty HKCU "${CLASSES_KEY}\${TYPE}"
!macroend

!macro DEFINE_CLOSE_RUNNING_COPY PREFIX
Function ${PREFIX}CloseRunningCopy
  Push $0
  Push $1
  Push $2
  ${Do}
    FindWindow $0 "${FRAME_CLASS}"
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i 0 r1) i'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=${CLOSE_TIMEOUT_MS}
    ${If} $2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i ${CLOSE_TIMEOUT_MS}) i .r1'
      System::Call 'kernel32::CloseHandle(p r2)'
    ${Else}
      StrCpy $1 1
    ${EndIf}
    ${If} $1 <> 0
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is still running. Close it, then choose Retry." /SD IDCANCEL IDRETRY +2
      Abort
    ${EndIf}
  ${Loop}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_RUNNING_COPY ""
!insertmacro DEFINE_CLOSE_RUNNING_COPY "un."

Section
  SetShellVarContext current
  Call CloseRunningCopy
  SetOutPath "$INSTDIR"
  ; The installer keeps the exe's file time, which scripts/package.sh sets to
  ; the commit's: the same installer from every build of one commit.
  SetDateSave on
  File "/oname=${PROGRAM_FILE}" "${EXE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER_FILE}"
  CreateShortcut "$SMPROGRAMS\${LINK_NAME}" "$INSTDIR\${PROGRAM_FILE}"
  CreateShortcut "$SENDTO\${LINK_NAME}" "$INSTDIR\${PROGRAM_FILE}"

  WriteRegStr HKCU "${APPLICATION_KEY}" "FriendlyAppName" "${PRODUCT}"
  WriteRegStr HKCU "${APPLICATION_KEY}\shell\open\command" "" '${OPEN_COMMAND}'
  WriteRegStr HKCU "${CLASSES_KEY}\${PROG_ID}" "" "${PRODUCT} picture"
  WriteRegStr HKCU "${CLASSES_KEY}\${PROG_ID}\DefaultIcon" "" "$INSTDIR\${PROGRAM_FILE},0"
  WriteRegStr HKCU "${CLASSES_KEY}\${PROG_ID}\shell\open\command" "" '${OPEN_COMMAND}'
  !insertmacro FOR_EACH_PICTURE_TYPE OFFER_FOR_TYPE
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${HOME_PAGE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_FILE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER_FILE}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER_FILE}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The file's long name, so that two spellings of one path compare equal; a
; path that names nothing stays as it is.
Function un.LongPath
  Exch $0
  Push $1
  Push $2
  System::Call 'kernel32::GetLongPathNameW(w r0, w .r1, i ${NSIS_MAX_STRLEN}) i .r2'
  ${If} $2 <> 0
    StrCpy $0 $1
  ${EndIf}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Deletes the shell link on the stack only while it still points to this
; copy's exe: a link of that name to anything else is the user's.
Function un.RemoveLinkToProgram
  Exch $0
  Push $1
  Push $2
  Push $3
  StrCpy $3 ""
  ${If} ${FileExists} "$0"
    !insertmacro ComHlpr_CreateInProcInstance ${CLSID_ShellLink} ${IID_IShellLink} r1 ""
    ${If} $1 P<> 0
      ${IUnknown::QueryInterface} $1 '("${IID_IPersistFile}", .r2)'
      ${If} $2 P<> 0
        ${IPersistFile::Load} $2 '("$0", ${STGM_READ}) .r3'
        ${If} $3 = 0
          ${IShellLink::GetPath} $1 '(.r3, ${NSIS_MAX_STRLEN}, 0, 0)'
        ${Else}
          StrCpy $3 ""
        ${EndIf}
        ${IUnknown::Release} $2 ""
      ${EndIf}
      ${IUnknown::Release} $1 ""
    ${EndIf}
  ${EndIf}
  ${If} $3 != ""
    Push $3
    Call un.LongPath
    Pop $3
    Push "$INSTDIR\${PROGRAM_FILE}"
    Call un.LongPath
    Pop $2
    ${If} $3 == $2
      Delete "$0"
    ${EndIf}
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; The shortcuts the program's own menu places, found as it finds them: in
; the shell's known folders (the Desktop, the Start menu's Programs, Quick
; Launch under AppData), then in those the Shell Folders key names.
!macro REMOVE_LINK_IN FOLDER
  ${If} "${FOLDER}" != ""
    Push "${FOLDER}\${LINK_NAME}"
    Call un.RemoveLinkToProgram
  ${EndIf}
!macroend

Function un.RemoveProgramsLinks
  Push $0
  SetShellVarContext current
  !insertmacro REMOVE_LINK_IN "$DESKTOP"
  !insertmacro REMOVE_LINK_IN "$SMPROGRAMS"
  !insertmacro REMOVE_LINK_IN "$APPDATA\${QUICK_LAUNCH}"
  ReadRegStr $0 HKCU "${SHELL_FOLDERS_KEY}" "Desktop"
  !insertmacro REMOVE_LINK_IN "$0"
  ReadRegStr $0 HKCU "${SHELL_FOLDERS_KEY}" "Start Menu"
  !insertmacro REMOVE_LINK_IN "$0"
  ReadRegStr $0 HKCU "${SHELL_FOLDERS_KEY}" "Programs"
  !insertmacro REMOVE_LINK_IN "$0"
  ReadRegStr $0 HKCU "${SHELL_FOLDERS_KEY}" "AppData"
  ${If} $0 != ""
    !insertmacro REMOVE_LINK_IN "$0\${QUICK_LAUNCH}"
  ${EndIf}
  Pop $0
FunctionEnd

; The Run value goes only while it starts this copy; one that starts another
; copy (a portable one, say) is that copy's.
Function un.RemoveAutostart
  Push $0
  Push $1
  ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
  StrCpy $1 '"$INSTDIR\${PROGRAM_FILE}" ${HIDDEN_START_SWITCH}'
  ${If} $0 == $1
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

; A type whose default the user made the entry $0 would open nothing once it
; is gone: its UserChoice (and UserChoiceLatest) goes, so that Windows falls
; back to its own default.
; Defaults naming anything else stay.
Function un.ForgetDefaultsNaming
  Push $1
  Push $2
  Push $3
  StrCpy $1 0
  ${Do}
    EnumRegKey $2 HKCU "${FILE_EXTS_KEY}" $1
    ${IfThen} $2 == "" ${|} ${ExitDo} ${|}
    ReadRegStr $3 HKCU "${FILE_EXTS_KEY}\$2\UserChoice" "ProgId"
    ${If} $3 == $0
      DeleteRegKey HKCU "${FILE_EXTS_KEY}\$2\UserChoice"
    ${EndIf}
    ; Newer Windows 11 keeps the default here too, its ProgId beside it or in a key of its own.
    ReadRegStr $3 HKCU "${FILE_EXTS_KEY}\$2\UserChoiceLatest" "ProgId"
    ${IfThen} $3 != $0 ${|} ReadRegStr $3 HKCU "${FILE_EXTS_KEY}\$2\UserChoiceLatest\ProgId" "ProgId" ${|}
    ${If} $3 == $0
      DeleteRegKey HKCU "${FILE_EXTS_KEY}\$2\UserChoiceLatest"
    ${EndIf}
    IntOp $1 $1 + 1
  ${Loop}
  Pop $3
  Pop $2
  Pop $1
FunctionEnd

; The Applications entry and the ProgID go only while they open this copy:
; the shell makes an Applications entry of that name when the user picks
; another copy's exe in "Open with", and a copy installed beside this one
; since has written the ProgID for itself.
Function un.RemoveOpenWith
  Push $0
  ReadRegStr $0 HKCU "${APPLICATION_KEY}\shell\open\command" ""
  ${If} $0 == '${OPEN_COMMAND}'
    DeleteRegKey HKCU "${APPLICATION_KEY}"
    StrCpy $0 "Applications\${PROGRAM_FILE}"
    Call un.ForgetDefaultsNaming
  ${EndIf}
  ReadRegStr $0 HKCU "${CLASSES_KEY}\${PROG_ID}\shell\open\command" ""
  ${If} $0 == '${OPEN_COMMAND}'
    DeleteRegKey HKCU "${CLASSES_KEY}\${PROG_ID}"
    !insertmacro FOR_EACH_PICTURE_TYPE WITHDRAW_FROM_TYPE
    StrCpy $0 "${PROG_ID}"
    Call un.ForgetDefaultsNaming
  ${EndIf}
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
  Pop $0
FunctionEnd

; /REMOVESETTINGS removes the settings without asking; otherwise the user is
; asked, and a silent uninstall keeps them.
Function un.ShouldRemoveSettings
  Push $0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $0
  ${IfNot} ${Errors}
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
    MessageBox MB_YESNO|MB_ICONQUESTION "Remove your ${PRODUCT} settings too?" /SD IDNO IDNO +2
    StrCpy $0 1
  ${EndIf}
  Exch $0
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.CloseRunningCopy
  ; The links are compared with the exe while it is still there.
  Call un.RemoveProgramsLinks
  Push "$SENDTO\${LINK_NAME}"
  Call un.RemoveLinkToProgram
  Call un.RemoveAutostart
  Call un.RemoveOpenWith
  Delete "$SMPROGRAMS\${LINK_NAME}"
  Delete "$INSTDIR\${PROGRAM_FILE}"
  Delete "$INSTDIR\${UNINSTALLER_FILE}"
  ; Only when empty: files of the user's own in this folder stay.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Call un.ShouldRemoveSettings
  Pop $0
  ${If} $0 = 1
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\${PUBLISHER}"
  ${EndIf}
SectionEnd
