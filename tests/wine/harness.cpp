#include "tests/wine/harness.h"

#include <dlgs.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <cstdlib>
#include <cstring>
#include <utility>

#include "app/texts.h"

Box BoxOf(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

std::string PointerOnto(HWND window) {
  const Box box = BoxOf(window);
  return "mousemove " + std::to_string(box.left + box.width / 2) + " " + std::to_string(box.top + box.height / 2);
}

namespace {

bool QuitSeen;

std::string DialogAnswer;
bool DialogAnswered;

// A message box the dialog raises (a file it cannot find) is confirmed; the
// dialog itself is cancelled once it has had its answer.
void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR, DWORD) {
  for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", nullptr); box; box = FindWindowExA(nullptr, box, "#32770", nullptr)) {
    if (!IsWindowVisible(box)) continue;
    // The file name's box: a combo box in the older dialog, an edit box in the item dialog.
    const int nameBox = GetDlgItem(box, cmb13) ? cmb13 : edt1;
    const bool openDialog = GetDlgItem(box, nameBox) != nullptr, answer = openDialog && !std::exchange(DialogAnswered, true);
    if (answer) {
      char title[128] = "";
      GetWindowTextA(box, title, sizeof title);
      AnsweredDialogTitle = title;
      SetDlgItemTextA(box, nameBox, DialogAnswer.c_str());
    }
    PostMessageA(box, WM_COMMAND, openDialog && !answer ? IDCANCEL : IDOK, 0);
  }
}

// Starts a command line as the shell would, without waiting for it.
bool Launch(std::string commandLine, PROCESS_INFORMATION* process) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        process) != 0;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      QuitSeen = QuitSeen || message.message == WM_QUIT;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

bool WaitForQuit(DWORD timeoutMs) {
  QuitSeen = false;
  return WaitUntil([] { return QuitSeen; }, timeoutMs);
}

void DeleteSettingsKey() { RegDeleteTreeA(HKEY_CURRENT_USER, TEXT_SETTINGS_KEY); }

RegValue ReadRegValue(const char* keyName, const char* name) {
  RegValue value;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return value;
  char buffer[4096];
  DWORD size = sizeof buffer;
  value.present =
      RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
  if (value.present) value.data.assign(buffer, size);
  RegCloseKey(key);
  return value;
}

void WriteRegValue(const char* keyName, const char* name, DWORD type, const void* data, DWORD size) {
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, keyName, name, type, data, size), ERROR_SUCCESS);
}

std::optional<int64_t> StoredDword(const char* name) {
  const RegValue value = ReadRegValue(TEXT_SETTINGS_KEY, name);
  if (!value.present || value.type != REG_DWORD || value.data.size() != 4) return std::nullopt;
  int32_t number = 0;
  std::memcpy(&number, value.data.data(), 4);
  return number;
}

std::string StoredText(const char* name) {
  std::string text = ReadRegValue(TEXT_SETTINGS_KEY, name).data;
  while (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

std::string OrnamentKey(int number) {
  std::string key = TEXT_SETTINGS_KEY;
  key += "\\Ornament ";
  key += std::to_string(number);
  return key;
}

void WriteValue(const char* name, DWORD type, const void* data, DWORD size) {
  WriteRegValue(TEXT_SETTINGS_KEY, name, type, data, size);
}

void WriteDword(const char* name, DWORD value) { WriteValue(name, REG_DWORD, &value, sizeof value); }

int CountValues(DWORD wantedType) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, TEXT_SETTINGS_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return -1;
  int count = 0;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD nameSize = sizeof name, type = 0;
    if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (type == wantedType) ++count;
  }
  RegCloseKey(key);
  return count;
}

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string bytes = path.u8string();
  return {bytes.begin(), bytes.end()};
}

ScratchFolder::ScratchFolder(const char* tag) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  path = std::filesystem::path(temp) / (std::string(tag) + "-" + std::to_string(GetCurrentProcessId()));
  std::error_code error;
  std::filesystem::remove_all(path, error);
  std::filesystem::create_directories(path, error);
}

ScratchFolder::~ScratchFolder() {
  std::error_code error;
  std::filesystem::remove_all(path, error);
}

bool InPrivateWinePrefix() {
  const bool underWine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return underWine && std::getenv("CHERIMO_PRIVATE_WINE_PREFIX") != nullptr;
}

RunningProgram::~RunningProgram() {
  if (!process.hProcess) return;
  if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
}

bool StartProgramProcess(RunningProgram& program, const char* arguments) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  lstrcpyA(strrchr(exe, '\\') + 1, "cherimo.exe");
  return Launch(std::string("\"") + exe + "\"" + (*arguments ? " " : "") + arguments, &program.process);
}

int WaitForExit(RunningProgram& program, DWORD timeoutMs) {
  if (WaitForSingleObject(program.process.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(program.process.hProcess, &code);
  return static_cast<int>(code);
}

HWND FindFrameWindow(DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowA(TEXT_FRAME_CLASS, nullptr)) != nullptr; }, timeoutMs);
  return found;
}

bool RunXdotool(const std::string& arguments, DWORD timeoutMs) {
  // Wine cannot wait on a Linux process, so the command leaves a marker file
  // behind when it is done.
  static int runs;
  char marker[MAX_PATH];
  wsprintfA(marker, "/tmp/cherimo-xdotool-%lu-%d", GetCurrentProcessId(), ++runs);
  std::string windowsMarker = std::string("Z:") + marker;
  for (char& c : windowsMarker) c = c == '/' ? '\\' : c;
  PROCESS_INFORMATION process = {};
  if (!Launch("/bin/sh -c \"/usr/bin/xdotool " + arguments + " >/dev/null 2>&1; touch " + marker + "\"", &process)) {
    return false;
  }
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  const bool finished =
      WaitUntil([&] { return GetFileAttributesA(windowsMarker.c_str()) != INVALID_FILE_ATTRIBUTES; }, timeoutMs);
  DeleteFileA(windowsMarker.c_str());
  return finished;
}

bool MakeSilentPipe(const std::string& linuxPath, int seconds) {
  // The pipe is held open for writing (and reading, so that the open does not
  // wait) before the marker says it is made; nothing of the writer's is tied
  // to the test's output, so that no one waits for it.
  const std::string marker = linuxPath + ".made", time = std::to_string(seconds);
  PROCESS_INFORMATION process = {};
  if (!Launch("/bin/sh -c \"exec </dev/null >/dev/null 2>&1; rm -f " + linuxPath + " " + marker + "; mkfifo " +
                  linuxPath + " && exec 3<>" + linuxPath + " && touch " + marker + "; exec /usr/bin/timeout " + time +
                  " /bin/sleep " + time + "\"",
              &process)) {
    return false;
  }
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  std::string windowsMarker = "Z:" + marker;
  for (char& c : windowsMarker) c = c == '/' ? '\\' : c;
  return WaitUntil([&] { return GetFileAttributesA(windowsMarker.c_str()) != INVALID_FILE_ATTRIBUTES; });
}

std::string NoticeText() {
  HWND notice = FindWindowA(TEXT_NOTICE_CLASS, nullptr);
  if (!notice || !IsWindowVisible(notice)) return "";
  wchar_t wide[2048] = L"";
  char text[4096] = "";
  GetWindowTextW(notice, wide, 2048);
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

void EndLeftoverPrograms() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, "cherimo.exe") != 0) continue;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
    if (!process) continue;
    TerminateProcess(process, 99);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
  CloseHandle(snapshot);
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

std::string AnsweredDialogTitle;

UINT_PTR AnswerOpenDialog(const std::string& path) {
  DialogAnswer = path;
  DialogAnswered = false;
  return SetTimer(nullptr, 0, 100, AnswerDialog);
}
