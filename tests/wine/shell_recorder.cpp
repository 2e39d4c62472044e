#include "tests/wine/shell_recorder.h"

#include <tlhelp32.h>

#include <fstream>

namespace {

constexpr const char* PROTOCOLS[] = {"https", "http", "mailto"};

// Wine 8 looks protocols up only among the machine's classes, Windows first
// among the user's: the recorder goes into both, and the machine's previous
// commands (Wine's own browser) come back afterwards.
std::string SavedMachineCommands[std::size(PROTOCOLS)];
bool MachineCommandsSaved;

std::string NextToTestExe(const char* name) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  lstrcpyA(strrchr(path, '\\') + 1, name);
  return path;
}

// The registered command up to the address: "recorder" "%1".
std::string CommandBeforeAddress() { return std::string("\"").append(NextToTestExe("open_recorder.exe")).append("\" \""); }

std::string LogPath() { return NextToTestExe("open_recorder.log"); }

bool RecorderRunning() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry = {sizeof entry};
  bool running = false;
  for (BOOL more = Process32First(snapshot, &entry); more && !running; more = Process32Next(snapshot, &entry)) {
    running = lstrcmpiA(entry.szExeFile, "open_recorder.exe") == 0;
  }
  CloseHandle(snapshot);
  return running;
}

std::string CommandKey(const char* protocol) { return std::string("Software\\Classes\\") + protocol + "\\shell\\open\\command"; }

bool SetString(HKEY root, const std::string& keyName, const char* valueName, const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, keyName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)) return false;
  const LONG result = RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

bool RegisterUnder(HKEY root, const char* protocol) {
  const std::string key = std::string("Software\\Classes\\") + protocol;
  return SetString(root, key, nullptr, std::string("URL:") + protocol) && SetString(root, key, "URL Protocol", "") &&
         SetString(root, CommandKey(protocol), nullptr, CommandBeforeAddress() + "%1\"");
}

}  // namespace

bool RegisterShellRecorder() {
  if (!InPrivateWinePrefix()) return false;
  DeleteFileA(LogPath().c_str());
  for (size_t index = 0; index < std::size(PROTOCOLS); ++index) {
    char value[1024] = "";
    LONG size = sizeof value;
    if (!MachineCommandsSaved && RegQueryValueA(HKEY_LOCAL_MACHINE, CommandKey(PROTOCOLS[index]).c_str(), value, &size) == ERROR_SUCCESS) {
      SavedMachineCommands[index] = value;
    }
    if (!RegisterUnder(HKEY_CURRENT_USER, PROTOCOLS[index]) || !RegisterUnder(HKEY_LOCAL_MACHINE, PROTOCOLS[index])) {
      return false;
    }
  }
  MachineCommandsSaved = true;
  return true;
}

void UnregisterShellRecorder() {
  if (!MachineCommandsSaved) return;
  for (size_t index = 0; index < std::size(PROTOCOLS); ++index) {
    RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\Classes\\") + PROTOCOLS[index]).c_str());
    SetString(HKEY_LOCAL_MACHINE, CommandKey(PROTOCOLS[index]), nullptr, SavedMachineCommands[index]);
  }
  MachineCommandsSaved = false;
}

std::vector<std::string> WaitForRecordedOpens(size_t count, unsigned timeoutMs) {
  std::vector<std::string> opens;
  const std::string before = CommandBeforeAddress();
  WaitUntil([&] {
    opens.clear();
    std::ifstream log(LogPath(), std::ios::binary);
    for (std::string line; std::getline(log, line);) {
      const bool ours = line.size() > before.size() && line.starts_with(before) && line.back() == '"';
      opens.push_back(ours ? line.substr(before.size(), line.size() - before.size() - 1) : line);
    }
    return opens.size() >= count && !RecorderRunning();
  }, timeoutMs);
  return opens;
}
