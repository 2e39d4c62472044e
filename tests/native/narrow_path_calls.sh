#!/bin/bash
# Lists every narrow (ANSI) call that takes or returns a path in the product
# code, and fails when there is one. The narrow calls take the system's code
# page, which on Windows before 10 1903 ignores the program's UTF-8, and they
# fail on names whose UTF-8 outgrows their buffers; Wine truncates instead,
# so the suite under Wine cannot show either: this check keeps them out.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"

# Each call by its narrow name or by its bare name, which is the narrow one
# in a build without UNICODE.
calls=(
  CreateFile CopyFile MoveFile MoveFileEx DeleteFile ReplaceFile CreateDirectory RemoveDirectory
  FindFirstFile FindFirstFileEx FindNextFile GetFileAttributes GetFileAttributesEx SetFileAttributes
  GetFullPathName GetLongPathName GetShortPathName SearchPath GetTempPath GetTempFileName
  GetCurrentDirectory SetCurrentDirectory GetModuleFileName GetCommandLine CommandLineToArgv
  LoadLibrary LoadLibraryEx SetDllDirectory GetSystemDirectory GetWindowsDirectory
  DragQueryFile ExtractIcon ExtractIconEx SHGetFileInfo PathFileExists
  GetOpenFileName SHBrowseForFolder SHGetPathFromIDList ShellExecute ShellExecuteEx SHGetFolderPath
  SHGetSpecialFolderPath
)
pattern="\\b($(IFS="|"; echo "${calls[*]}"))A?\\b|\\bWIN32_FIND_DATAA?\\b|\\bIShellLinkA\\b|\\bOPENFILENAMEA?\\b|\\b(fopen|_open)\\s*\\(|std::[io]?fstream"
found=$(grep -rnE "$pattern" app framewindow imaging desktop splash about)
if [ -n "$found" ]; then
  echo "narrow path calls in the product code:"
  echo "$found"
  exit 1
fi
echo "no narrow path calls in app framewindow imaging desktop splash about"
