#!/bin/bash
# The packages under Wine: silent install, install over a running older copy,
# silent uninstall with and without the settings, and the portable zip's exe
# run from a folder with a Unicode name. Runs only on the private display of
# scripts/test.sh (it sets DISPLAY and CHERIMO_PRIVATE_WINE_PREFIX), in a
# private prefix of its own.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
. scripts/wine-env.sh

if [ -z "${CHERIMO_PRIVATE_WINE_PREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "installer tests: skipped, they run only in the private Wine prefix and display of scripts/test.sh"
  exit 0
fi
# A prefix of its own: the test moves the desktop and Start Menu folders, which
# the suite's prefix must keep as they are.
export WINEPREFIX="$root/build/wineprefix-installer"
scripts/wine-prefix.sh >/dev/null || { echo "installer tests: no Wine prefix"; echo "0 passed, 1 failed"; exit 1; }
# Links written under Wine would otherwise become menu entries of the Linux desktop.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

preset=i686
if ! machine_runs_32bit; then
  echo "installer tests: this machine's kernel cannot run 32-bit code, so the shipped 32-bit installer" \
    "cannot run here; testing the same installer script built 64-bit around the x86_64 exe instead"
  preset=x86_64
fi
packages=$(scripts/package.sh "$preset") || { echo "installer tests: packaging failed"; echo "0 passed, 1 failed"; exit 1; }
setup=$(sed -n 1p <<<"$packages")
portable=$(sed -n 2p <<<"$packages")
# The exe the packages hold: the build's, stripped.
shipped_exe=$(sed -n 3p <<<"$packages")
version=$(basename "$setup" | sed 's/^BrivantaCherimo-\(.*\)-setup\.exe$/\1/')
wine=$(wine_loader_for "$shipped_exe")
make_link="build/$preset/make_link.exe"
target=()
[ "$preset" = x86_64 ] && target=(-DTARGET_AMD64)
makensis -V1 -WX -DOUTFILE="$root/$make_link" "${target[@]}" tests/installer/make_link.nsi

. tests/installer/check.sh
# Waits up to $1 seconds for the command that follows to succeed.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}
run() { "$wine" "$@" 2>/dev/null; }
reg_value() { # key, value name: prints the data
  run reg query "$1" /v "$2" | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
reg_equals() { [ "$(reg_value "$1" "$2")" = "$3" ]; }
reg_default_equals() { # key, data of its default value
  [ "$(run reg query "$1" /ve | tr -d '\r' | sed -n 's/^ *([^)]*) *REG_[A-Z_]* *//p')" = "$2" ]
}
has_value_named() { run reg query "$1" /v "$2" >/dev/null; }
has_key() { run reg query "$1" >/dev/null; }
no_key() { ! has_key "$1"; }
has_value() { reg_value "$1" "$2" | grep -q .; }
unix_path() { run winepath -u "$1" | tr -d '\r'; }
window_shown() { xdotool search --onlyvisible --name '^Brivanta Cherimo$'; }
process_ended() { ! kill -0 "$1"; }

settings_key='HKCU\Software\Brivanta\Brivanta Cherimo'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brivanta Cherimo'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
user_shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
classes='HKCU\Software\Classes'
application_key="$classes\Applications\cherimo.exe"
prog_id='Brivanta.Cherimo.Picture'
picture_types=(.jpg .jpeg .png .bmp .gif .ico .emf)
# A default program the user chose for .jpg, which no install or uninstall may touch.
file_exts='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts'
user_choice="$file_exts\.jpg\UserChoice"
# The user made the program the default of .png by its exe and of .gif by its ProgID.
make_program_default() {
  run reg add "$file_exts\.png\UserChoice" /v ProgId /d 'Applications\cherimo.exe' /f >/dev/null
  run reg add "$file_exts\.gif\UserChoice" /v ProgId /d "$prog_id" /f >/dev/null
  # Newer Windows 11 keeps the default in UserChoiceLatest as well.
  run reg add "$file_exts\.gif\UserChoiceLatest" /v ProgId /d "$prog_id" /f >/dev/null
}
program_defaults_kept() {
  has_key "$file_exts\.png\UserChoice" && has_key "$file_exts\.gif\UserChoice" && has_key "$file_exts\.gif\UserChoiceLatest"
}
program_defaults_gone() {
  no_key "$file_exts\.png\UserChoice" && no_key "$file_exts\.gif\UserChoice" && no_key "$file_exts\.gif\UserChoiceLatest"
}
jpg_default_kept() {
  reg_default_equals "$classes\.jpg" UserChosen.Viewer && reg_equals "$user_choice" ProgId UserChosen.Viewer
}
open_with_registered() {
  reg_default_equals "$application_key\shell\open\command" "\"$exe\" \"%1\"" &&
    reg_default_equals "$classes\\$prog_id\shell\open\command" "\"$exe\" \"%1\"" || return 1
  for type in "${picture_types[@]}"; do
    has_value_named "$classes\\$type\OpenWithProgids" "$prog_id" && has_value_named "$application_key\SupportedTypes" "$type" ||
      return 1
  done
}
open_with_gone() {
  no_key "$application_key" && no_key "$classes\\$prog_id" || return 1
  for type in "${picture_types[@]}"; do
    ! has_value_named "$classes\\$type\OpenWithProgids" "$prog_id" || return 1
  done
  # Types that had no key of their own before have none again.
  no_key "$classes\.png" && no_key "$classes\.emf"
}

# The prefix's desktop is the Linux user's home: desktop and Start Menu move
# to folders of the tests' own.
places='C:\cherimo-installer-test'
for folder in Desktop 'Start Menu'; do
  for key in "$shell_folders" "$user_shell_folders"; do
    run reg add "$key" /v "$folder" /d "$places\\$folder" /f >/dev/null
  done
done
appdata=$(reg_value "$shell_folders" AppData)
local_appdata=$(run cmd /c echo '%LOCALAPPDATA%' | tr -d '\r')
instdir="$local_appdata\\Programs\\Brivanta Cherimo"
exe="$instdir\\cherimo.exe"
uninstaller="$instdir\\uninstall.exe"
desktop_link="$places\\Desktop\\Brivanta Cherimo.lnk"
start_menu_link="$places\\Start Menu\\Brivanta Cherimo.lnk"
quick_launch_link="$appdata\\Microsoft\\Internet Explorer\\Quick Launch\\Brivanta Cherimo.lnk"
send_to_link="$appdata\\Microsoft\\Windows\\SendTo\\Brivanta Cherimo.lnk"
programs_link="$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Brivanta Cherimo.lnk"
u_instdir=$(unix_path "$instdir")
u_places=$(unix_path "$places")

run taskkill /F /IM cherimo.exe >/dev/null
run reg delete "$settings_key" /f >/dev/null
run reg delete "$uninstall_key" /f >/dev/null
run reg delete "$run_key" /v 'Brivanta Cherimo' /f >/dev/null
for key in "$application_key" "$classes\\$prog_id" "${picture_types[@]/#/$classes\\}"; do run reg delete "$key" /f >/dev/null; done
run reg add "$classes\\.jpg" /ve /d UserChosen.Viewer /f >/dev/null
run reg add "$user_choice" /v ProgId /d UserChosen.Viewer /f >/dev/null
rm -f "$(unix_path "$send_to_link")"
rm -rf "$u_instdir" "$u_places" "$(unix_path "$quick_launch_link")" "$(unix_path "$programs_link")"
mkdir -p "$u_places/Desktop" "$u_places/Start Menu" "$(dirname "$(unix_path "$quick_launch_link")")"

exists() { [ -e "$(unix_path "$1")" ]; }
missing() { ! exists "$1"; }
link_to() { # link, target: the link names the target
  grep -aqF "$2" "$(unix_path "$1")" || strings -el "$(unix_path "$1")" | grep -qF "$2"
}
start_program() { # exe and its arguments: starts it and waits for its window; sets pid
  "$(wine_loader_for "$(unix_path "$1")")" "$@" >/dev/null 2>&1 &
  pid=$!
  wait_until 20 window_shown
}
# The uninstaller hands its work to a copy of itself in a temporary folder
# and returns at once: the entry's removal shows that the copy runs, and its
# process's end that it is done.
uninstaller_copy_ended() { ! pgrep -f '~nsu'; }
uninstall() { # options
  run "$uninstaller" "$@" && wait_until 30 no_key "$uninstall_key" && wait_until 30 uninstaller_copy_ended
}

echo "== silent install"
check "the silent install succeeds" run "$setup" /S
check "the program is installed" cmp "$shipped_exe" "$u_instdir/cherimo.exe"
check "the uninstaller is installed" exists "$uninstaller"
check "the Start Menu shortcut starts the program" link_to "$programs_link" 'Programs\Brivanta Cherimo\cherimo.exe'
check "Add/Remove Programs shows the name" reg_equals "$uninstall_key" DisplayName 'Brivanta Cherimo'
check "Add/Remove Programs shows the version" reg_equals "$uninstall_key" DisplayVersion "$version"
check "Add/Remove Programs shows the publisher" reg_equals "$uninstall_key" Publisher Brivanta
check "Add/Remove Programs shows the icon" reg_equals "$uninstall_key" DisplayIcon "$exe,0"
check "Add/Remove Programs can uninstall" reg_equals "$uninstall_key" UninstallString "\"$uninstaller\""
size=$(($(reg_value "$uninstall_key" EstimatedSize)))
check "Add/Remove Programs shows the size in KB" test "$size" -eq $((($(stat -c %s "$shipped_exe") + $(stat -c %s "$u_instdir/uninstall.exe") ) / 1024))
# The installer keeps file times in two-second steps.
time_off=$(($(stat -c %Y "$u_instdir/cherimo.exe") - ${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}))
check "the installed program has the commit's time" test "${time_off#-}" -lt 2
check "Open with offers the program for every picture type" open_with_registered
check "Send to offers the program" link_to "$send_to_link" 'Programs\Brivanta Cherimo\cherimo.exe'
check "the user's default program for .jpg is untouched" jpg_default_kept
# "Open with" runs the registered command with the file.
# (reg prints only the console's code page: the name stays ASCII here; the
# program's own tests cover Unicode paths.)
photo="$places\\my photo.png"
cp tests/corpus/images/halves.png "$(unix_path "$photo")"
command=$(run reg query "$application_key\\shell\\open\\command" /ve | tr -d '\r' | sed -n 's/^ *([^)]*) *REG_SZ *"\(.*\)" "%1"$/\1/p')
start_program "$command" "$photo"
check "Open with starts the installed program" window_shown
run taskkill /IM cherimo.exe >/dev/null
wait_until 20 process_ended "$pid"
check "Open with shows the file" reg_equals "$settings_key" Photo "$photo"
start_program "$exe"
check "the installed program shows its window" window_shown

echo "== install over a running older copy"
run taskkill /IM cherimo.exe >/dev/null
wait_until 20 process_ended "$pid"
# An older copy: the same program with other bytes, and a frame of its own.
{ cat "$shipped_exe"; echo "older copy"; } > "$u_instdir/cherimo.exe"
run reg add "$settings_key" /v FrameID /t REG_DWORD /d 2011 /f >/dev/null
run reg delete "$settings_key" /v X1 /f >/dev/null
start_program "$exe"
check "the older copy runs" window_shown
check "the install over it succeeds" run "$setup" /S
check "the older copy was closed" wait_until 5 process_ended "$pid"
check "the older copy was replaced" cmp "$shipped_exe" "$u_instdir/cherimo.exe"
check "the older copy wrote its settings when it closed" has_value "$settings_key" X1
check "the user's frame is kept" reg_equals "$settings_key" FrameID 0x7db

echo "== silent uninstall keeps the settings"
start_program "$exe"
CHERIMO_LINK=$desktop_link CHERIMO_LINK_TARGET=$exe run "$make_link"
CHERIMO_LINK=$quick_launch_link CHERIMO_LINK_TARGET=$exe run "$make_link"
CHERIMO_LINK=$start_menu_link CHERIMO_LINK_TARGET='C:\elsewhere\cherimo.exe' run "$make_link"
run reg add "$run_key" /v 'Brivanta Cherimo' /d "\"$exe\" /a" /f >/dev/null
make_program_default
check "the program's own shortcuts are in place" exists "$desktop_link"
check "the uninstall succeeds" uninstall /S
check "the running program was closed" wait_until 5 process_ended "$pid"
check "the program folder is gone" test ! -e "$u_instdir"
check "the Start Menu shortcut is gone" missing "$programs_link"
check "the Add/Remove Programs entry is gone" no_key "$uninstall_key"
check "the autostart entry is gone" test -z "$(reg_value "$run_key" 'Brivanta Cherimo')"
check "the desktop shortcut to the program is gone" missing "$desktop_link"
check "the Quick Launch shortcut to the program is gone" missing "$quick_launch_link"
check "a shortcut of that name to another program stays" exists "$start_menu_link"
check "the Open with registration is gone" open_with_gone
check "the Send to shortcut is gone" missing "$send_to_link"
check "the user's default program for .jpg is still untouched" jpg_default_kept
check "the types whose default was the program fall back to Windows' own" program_defaults_gone
check "the settings stay" reg_equals "$settings_key" FrameID 0x7db

echo "== uninstall with the settings"
check "the install succeeds" run "$setup" /S
echo "not a link" > "$(unix_path "$quick_launch_link")"
run reg add "$run_key" /v 'Brivanta Cherimo' /d '"C:\portable\cherimo.exe" /a' /f >/dev/null
# A second copy installed beside it since: "Open with" and the defaults the
# user made of it are that copy's.
second_dir='C:\cherimo-second-copy'
check "a second copy installs beside it" run "$setup" /S "/D=$second_dir"
make_program_default
check "the uninstall succeeds" uninstall /S /REMOVESETTINGS
exe="$second_dir\\cherimo.exe" check "the second copy's Open with registration stays" open_with_registered
check "the defaults naming the second copy stay" program_defaults_kept
check "the second copy's uninstall succeeds" run "$second_dir\\uninstall.exe" /S
check "then its registration and the defaults naming it go" wait_until 30 eval 'open_with_gone && program_defaults_gone'
wait_until 30 uninstaller_copy_ended
check "the program folder is gone" test ! -e "$u_instdir"
check "no settings key is left" no_key 'HKCU\Software\Brivanta'
check "another file of the shortcut's name stays" exists "$quick_launch_link"
check "another copy's autostart entry stays" reg_equals "$run_key" 'Brivanta Cherimo' '"C:\portable\cherimo.exe" /a'
run reg delete "$run_key" /v 'Brivanta Cherimo' /f >/dev/null

echo "== portable zip"
check "the zip holds exactly the exe and the read-me" \
  test "$(unzip -Z1 "$portable" | sort | tr '\n' ' ')" = "README.txt cherimo.exe "
unicode_folder="$places\\Портативный 写真"
mkdir -p "$(unix_path "$unicode_folder")"
unzip -q -o "$portable" -d "$(unix_path "$unicode_folder")"
check "the read-me has Windows line ends" grep -q $'\r$' "$(unix_path "$unicode_folder")/README.txt"
start_program "$unicode_folder\\cherimo.exe"
check "the zip's exe runs from a folder with a Unicode name" window_shown
run taskkill /IM cherimo.exe >/dev/null
check "it ends cleanly" wait_until 20 process_ended "$pid"
rm -rf "$u_places"

echo "installer tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
