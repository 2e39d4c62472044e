#include "tests/wine/shell_recorder.h"

#include <windows.h>

#include <fstream>

#include "tests/wine/harness.h"

namespace {

constexpr const char* PROTOCOLS[] = {"https", "http", "mailto"};
constexpr int PROTOCOL_COUNT = sizeof PROTOCOLS / sizeof PROTOCOLS[0];

// Wine 8 looks protocols up only among the machine's classes, Windows first
// among the user's: the recorder goes into both, and the machine's previous
// commands (Wine's own browser) come back afterwards.
std::string SavedMachineCommands[PROTOCOL_COUNT];
bool MachineCommandsSaved;

std::string NextToTestExe(const char* name) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = strrchr(path, '\\');
  lstrcpyA(slash ? slash + 1 : path, name);
  return path;
}

// The registered command up to the address: "recorder" "%1".
std::string CommandBeforeAddress() {
  std::string command = "\"";
  command += NextToTestExe("open_recorder.exe");
  command += "\" \"";
  return command;
}

std::string LogPath() { return NextToTestExe("open_recorder.log"); }

std::string ClassKey(const char* protocol, const char* below = "") {
  std::string name = "Software\\Classes\\";
  name += protocol;
  return name + below;
}

bool SetString(HKEY root, const std::string& keyName, const char* valueName, const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, keyName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const bool ok = RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

std::string DefaultString(HKEY root, const std::string& keyName) {
  char value[1024];
  LONG size = sizeof value;
  if (RegQueryValueA(root, keyName.c_str(), value, &size) != ERROR_SUCCESS) return "";
  return value;
}

bool RegisterUnder(HKEY root, const char* protocol) {
  return SetString(root, ClassKey(protocol), nullptr, std::string("URL:") + protocol) &&
         SetString(root, ClassKey(protocol), "URL Protocol", "") &&
         SetString(root, ClassKey(protocol, "\\shell\\open\\command"), nullptr, CommandBeforeAddress() + "%1\"");
}

}  // namespace

bool RegisterShellRecorder() {
  if (!InPrivateWinePrefix()) return false;
  ClearRecordedOpens();
  for (int index = 0; index < PROTOCOL_COUNT; ++index) {
    if (!MachineCommandsSaved) {
      SavedMachineCommands[index] = DefaultString(HKEY_LOCAL_MACHINE, ClassKey(PROTOCOLS[index], "\\shell\\open\\command"));
    }
    if (!RegisterUnder(HKEY_CURRENT_USER, PROTOCOLS[index]) || !RegisterUnder(HKEY_LOCAL_MACHINE, PROTOCOLS[index])) {
      return false;
    }
  }
  MachineCommandsSaved = true;
  return true;
}

void UnregisterShellRecorder() {
  if (!InPrivateWinePrefix() || !MachineCommandsSaved) return;
  for (int index = 0; index < PROTOCOL_COUNT; ++index) {
    RegDeleteTreeA(HKEY_CURRENT_USER, ClassKey(PROTOCOLS[index]).c_str());
    SetString(HKEY_LOCAL_MACHINE, ClassKey(PROTOCOLS[index], "\\shell\\open\\command"), nullptr,
              SavedMachineCommands[index]);
  }
  MachineCommandsSaved = false;
}

std::vector<std::string> RecordedOpens() {
  std::vector<std::string> opens;
  std::ifstream log(LogPath(), std::ios::binary);
  const std::string before = CommandBeforeAddress();
  for (std::string line; std::getline(log, line);) {
    const bool ours = line.size() > before.size() && line.compare(0, before.size(), before) == 0 && line.back() == '"';
    opens.push_back(ours ? line.substr(before.size(), line.size() - before.size() - 1) : line);
  }
  return opens;
}

std::vector<std::string> WaitForRecordedOpens(size_t count, unsigned timeoutMs) {
  std::vector<std::string> opens;
  WaitUntil([&] { return (opens = RecordedOpens()).size() >= count; }, timeoutMs);
  return opens;
}

void ClearRecordedOpens() { DeleteFileA(LogPath().c_str()); }
