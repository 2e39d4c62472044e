#include "tests/support/private_registry.h"

#include <windows.h>

namespace {

constexpr char SCRATCH_PARENT[] = "Software\\Brivanta Cherimo Tests";
char ScratchKeyName[128];
HKEY ScratchKey;

}  // namespace

// The program's keys are not volatile, so neither can their parent be.
bool RedirectCurrentUser() {
  wsprintfA(ScratchKeyName, "%s\\%lu", SCRATCH_PARENT, GetCurrentProcessId());
  RegDeleteTreeA(HKEY_CURRENT_USER, ScratchKeyName);
  return RegCreateKeyExA(HKEY_CURRENT_USER, ScratchKeyName, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &ScratchKey,
                         nullptr) == ERROR_SUCCESS &&
         RegOverridePredefKey(HKEY_CURRENT_USER, ScratchKey) == ERROR_SUCCESS;
}

void RestoreCurrentUser() {
  if (!ScratchKey) return;
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(ScratchKey);
  ScratchKey = nullptr;
  RegDeleteTreeA(HKEY_CURRENT_USER, ScratchKeyName);
  RegDeleteKeyA(HKEY_CURRENT_USER, SCRATCH_PARENT);
}
