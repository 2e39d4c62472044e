; Test helper: writes one shell link as the program's shortcut commands do
; (target and description only).
;   CHERIMO_LINK=<file.lnk> CHERIMO_LINK_TARGET=<exe> make_link.exe
; (the environment carries paths with blanks unchanged)
Unicode true
!ifdef TARGET_AMD64
  Target amd64-unicode
!endif
OutFile "${OUTFILE}"
RequestExecutionLevel user
SilentInstall silent

Section
  ReadEnvStr $1 CHERIMO_LINK
  ReadEnvStr $2 CHERIMO_LINK_TARGET
  CreateShortcut "$1" "$2" "" "" "" "" "" "Brivanta Cherimo"
  IfErrors 0 +2
    SetErrorLevel 1
SectionEnd
