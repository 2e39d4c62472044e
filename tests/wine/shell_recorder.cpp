#include "tests/wine/shell_recorder.h"

#include <tlhelp32.h>

#include <fstream>

namespace {

constexpr const char* PROTOCOLS[] = {"https", "http", "mailto"};

// Wine looks protocols up among the machine's classes, and a user's class of
// the same name would only come first: the recorder goes there alone, and the
// machine's previous commands (Wine's own browser) come back afterwards.
std::string SavedMachineCommands[std::size(PROTOCOLS)];
bool MachineCommandsSaved;

std::string NextToTestExe(const char* name) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  lstrcpyA(strrchr(path, '\\') + 1, name);
  return path;
}

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

bool SetString(const std::string& key, const char* name, const std::string& value) {
  return RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_SZ, value.c_str(),
                         static_cast<DWORD>(value.size() + 1)) == 0;
}

std::string ClassKey(size_t index) { return std::string("Software\\Classes\\") + PROTOCOLS[index]; }
std::string CommandKey(size_t index) { return ClassKey(index) + "\\shell\\open\\command"; }

}  // namespace

bool RegisterShellRecorder() {
  if (!InPrivateWinePrefix()) return false;
  DeleteFileA(NextToTestExe("open_recorder.log").c_str());
  const std::string command = std::string("\"").append(NextToTestExe("open_recorder.exe")).append("\" \"%1\"");
  for (size_t index = 0; index < std::size(PROTOCOLS); ++index) {
    const std::string key = ClassKey(index);
    char value[1024] = "";
    DWORD size = sizeof value;
    if (!MachineCommandsSaved &&
        !RegGetValueA(HKEY_LOCAL_MACHINE, CommandKey(index).c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size)) {
      SavedMachineCommands[index] = value;
    }
    if (!SetString(key, nullptr, std::string("URL:") + PROTOCOLS[index]) || !SetString(key, "URL Protocol", "") ||
        !SetString(CommandKey(index), nullptr, command)) {
      return false;
    }
  }
  MachineCommandsSaved = true;
  return true;
}

void UnregisterShellRecorder() {
  for (size_t index = 0; MachineCommandsSaved && index < std::size(PROTOCOLS); ++index) {
    SetString(CommandKey(index), nullptr, SavedMachineCommands[index]);
  }
  MachineCommandsSaved = false;
}

std::vector<std::string> WaitForRecordedOpens(size_t count, unsigned timeoutMs) {
  std::vector<std::string> opens;
  WaitUntil([&] {
    opens.clear();
    std::ifstream log(NextToTestExe("open_recorder.log"), std::ios::binary);
    for (std::string line; std::getline(log, line);) {
      const bool quoted = line.size() > 1 && line.front() == '"' && line.back() == '"';
      opens.push_back(quoted ? line.substr(1, line.size() - 2) : line);
    }
    return opens.size() >= count && !RecorderRunning();
  }, timeoutMs);
  return opens;
}
