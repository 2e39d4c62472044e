#include "desktop/autostart.h"

#include "app/program.h"
#include "app/settings.h"
#include "app/texts.h"
#include "app/utf_text.h"

namespace {

// Task Manager (Windows 8 and later) keeps a switched-off start-up entry
// under its own name; without the mark the entry runs again.
void ClearSwitchedOffMark() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, TEXT_STARTUP_APPROVED_RUN_KEY, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, TEXT_RUN_VALUE);
  RegCloseKey(key);
}

}  // namespace

void SetAutoStart(int32_t on) {
  // A module path too long for the command leaves the entry as it is rather
  // than naming a cut-off path.
  if (on == 1 && !AutostartCommand[0]) return;
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, TEXT_RUN_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  wchar_t command[AUTOSTART_COMMAND_SIZE];
  if (on == 1 && WidenPath(AutostartCommand, command, AUTOSTART_COMMAND_SIZE)) {
    // In UTF-16, as the shell reads it on every Windows whatever its code
    // page, and with its zero: readers that trust the stored length must find the end.
    RegSetValueExW(key, TEXT_RUN_VALUE_WIDE, 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                   static_cast<DWORD>((lstrlenW(command) + 1) * sizeof(wchar_t)));
  } else if (on != 1) {
    RegDeleteValueA(key, TEXT_RUN_VALUE);
  }
  RegCloseKey(key);
}

void MsgSetAutostart(WPARAM on, LPARAM lParam) {
  ProgramSettings.AutoStart = static_cast<int32_t>(on);
  SetAutoStart(ProgramSettings.AutoStart);
  if (ProgramSettings.AutoStart == 1 && lParam == 0) ClearSwitchedOffMark();
}
