// What the tests under Wine share: a registry of their own, waiting on
// conditions while pumping messages, and starting the real program.
#pragma once
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "tests/support/private_registry.h"

// A window's rectangle as left, top, width and height, for one-line checks.
struct Box {
  LONG left, top, width, height;
  bool operator==(const Box&) const = default;
};
Box BoxOf(HWND window);
inline void PrintTo(const Box& box, std::ostream* out) {
  *out << box.left << "," << box.top << " " << box.width << "x" << box.height;
}
// The xdotool command that puts the pointer on the middle of a window.
std::string PointerOnto(HWND window);

// Pumps this thread's messages until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Pumps messages until WM_QUIT arrives, as the main loop would end.
bool WaitForQuit(DWORD timeoutMs = 5000);

// A value under HKEY_CURRENT_USER as stored, every byte of it.
struct RegValue {
  bool present = false;
  DWORD type = 0;
  std::string data;
  bool operator==(const RegValue&) const = default;
};
RegValue ReadRegValue(const char* keyName, const char* name);
void WriteRegValue(const char* keyName, const char* name, DWORD type, const void* data, DWORD size);
inline void WriteRegString(const char* keyName, const char* name, const std::string& text) {
  WriteRegValue(keyName, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

// The settings key of the program, relative to HKEY_CURRENT_USER.
void DeleteSettingsKey();
// A stored REG_DWORD as the signed setting it holds; empty when absent.
std::optional<int64_t> StoredDword(const char* name);
// A stored setting's text without the zeros the registry layer may append;
// empty when absent.
std::string StoredText(const char* name);
// The subkey of a further ornament, numbered from 2.
std::string OrnamentKey(int number);
void WriteDword(const char* name, DWORD value);
void WriteValue(const char* name, DWORD type, const void* data, DWORD size);
int CountValues(DWORD type);

// A path's UTF-8 bytes, as the program stores and reads paths.
std::string Utf8(const std::filesystem::path& path);
inline std::string Quoted(const std::string& path) { return '"' + path + '"'; }

// A fresh folder under the temporary folder, removed with what it holds.
struct ScratchFolder {
  std::filesystem::path path;
  explicit ScratchFolder(const char* tag);
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();
};

// Out-of-process tests start the real exe, which uses the real
// HKEY_CURRENT_USER: they run only inside the private Wine prefix that the
// project's scripts make, and skip themselves anywhere else.
bool InPrivateWinePrefix();

struct RunningProgram {
  PROCESS_INFORMATION process = {};
  RunningProgram() = default;
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  ~RunningProgram();
};

// Starts cherimo.exe next to the test exe with the given arguments.
bool StartProgramProcess(RunningProgram& program, const char* arguments = "");
// Waits for the process to end; returns its exit code, or -1 on time-out.
int WaitForExit(RunningProgram& program, DWORD timeoutMs = 10000);
// The program's frame window, once it exists.
HWND FindFrameWindow(DWORD timeoutMs = 10000);
// Runs xdotool (a Linux program: Wine starts it natively) with the given
// arguments and waits until it has finished. False when it is missing or
// did not finish in time.
bool RunXdotool(const std::string& arguments, DWORD timeoutMs = 10000);
// A file that never answers: a named pipe at the Linux path, held open by a
// writer that writes nothing for the given seconds, so that reads of it
// wait. False when it is not there in time.
bool MakeSilentPipe(const std::string& linuxPath, int seconds);
// Types the path into the next open dialog of this thread and confirms it,
// then cancels whatever dialog is left; kill the returned timer afterwards.
UINT_PTR AnswerOpenDialog(const std::string& path);
// The title of the open dialog answered last.
extern std::string AnsweredDialogTitle;
// The text of the notice window shown now, in this process or the program's,
// in UTF-8; empty when none shows.
std::string NoticeText();
// Ends any cherimo.exe that a failed test left behind.
void EndLeftoverPrograms();
