#include "framewindow/file_dialogs.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "app/late_libraries.h"
#include "app/path_list_rules.h"
#include "app/shared_windows.h"
#include "app/size_limits.h"
#include "app/texts.h"
#include "app/wide_text.h"
#include "desktop/shortcuts.h"
#include "imaging/com_ref.h"
#include "imaging/picture_types.h"

ChooseFolderFunction ChooseFolderCall = ChooseFolderInDialog;

namespace {

constexpr int WIDE_PATH_SIZE = PATH_UNITS_MAX + 1;
constexpr int FILTER_SIZE = 4096;

enum class Outcome { UNAVAILABLE, CANCELLED, CHOSEN };

constexpr DWORD OPEN_DIALOG_FLAGS = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_EXPLORER |
                                    OFN_NODEREFERENCELINKS | OFN_ENABLESIZING | OFN_FORCESHOWHIDDEN;

// The filter's pairs as wide strings, each with its zero, and the item dialog's records pointing into them.
struct WideFilter {
  wchar_t text[FILTER_SIZE] = {};
  COMDLG_FILTERSPEC specs[8] = {};
  UINT count = 0;
};

void MakeWideFilter(WideFilter& filter) {
  const char* narrow = OpenDialogFilter();
  int length = 0;
  while (narrow[length] || narrow[length + 1]) ++length;
  length += 2;  // both closing zeros
  if (length > FILTER_SIZE || !MultiByteToWideChar(CP_UTF8, 0, narrow, length, filter.text, FILTER_SIZE)) return;
  for (const wchar_t* at = filter.text; *at && filter.count < 8; ++filter.count) {
    filter.specs[filter.count].pszName = at;
    at += lstrlenW(at) + 1;
    filter.specs[filter.count].pszSpec = at;
    at += lstrlenW(at) + 1;
  }
}

// The item dialog's folder from a path; null when it names none.
ComRef<IShellItem> ItemOf(const wchar_t* path) {
  using CreateItem = HRESULT(WINAPI*)(PCWSTR, IBindCtx*, REFIID, void**);
  const auto create = LateFunction<CreateItem>("shell32.dll", "SHCreateItemFromParsingName");
  ComRef<IShellItem> item;
  if (create && path[0]) create(path, nullptr, IID_IShellItem, item.ReceiveVoid());
  return item;
}

Outcome ChooseInItemDialog(const wchar_t* title, const wchar_t* folder, const wchar_t* name, bool pickFolder,
                           wchar_t* chosen) {
  ComRef<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                              dialog.ReceiveVoid()))) {
    return Outcome::UNAVAILABLE;
  }
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  options |= FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | FOS_NODEREFERENCELINKS | FOS_FORCESHOWHIDDEN;
  options |= pickFolder ? FOS_PICKFOLDERS : FOS_FILEMUSTEXIST;
  dialog->SetOptions(options);
  dialog->SetTitle(title);
  WideFilter filter;
  if (!pickFolder) {
    MakeWideFilter(filter);
    if (filter.count) dialog->SetFileTypes(filter.count, filter.specs);
    dialog->SetFileTypeIndex(1);
    if (name[0]) dialog->SetFileName(name);
  }
  if (const ComRef<IShellItem> start = ItemOf(folder); start.pointer) dialog->SetFolder(start.pointer);
  // A dialog that could not show (not one the user cancelled) leaves the older one to try.
  const HRESULT shown = dialog->Show(FrameWindow);
  // The closed dialog may leave the keyboard nowhere (Wine without a window
  // manager drops the keys of the next menu): the frame takes it back.
  SetForegroundWindow(FrameWindow);
  SetFocus(FrameWindow);
  if (FAILED(shown) && shown != HRESULT_FROM_WIN32(ERROR_CANCELLED)) return Outcome::UNAVAILABLE;
  ComRef<IShellItem> result;
  PWSTR path = nullptr;
  if (FAILED(shown) || FAILED(dialog->GetResult(result.Receive())) ||
      FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
    return Outcome::CANCELLED;
  }
  const bool fits = lstrlenW(path) < WIDE_PATH_SIZE;
  if (fits) lstrcpyW(chosen, path);
  CoTaskMemFree(path);
  return fits ? Outcome::CHOSEN : Outcome::CANCELLED;
}

int KnownFolder(REFKNOWNFOLDERID id, int csidl, wchar_t* folder) {
  PWSTR path = nullptr;
  if (SUCCEEDED(KnownFolderCall(id, 0, nullptr, &path))) {
    const bool fits = lstrlenW(path) < WIDE_PATH_SIZE - 1;
    if (fits) lstrcpyW(folder, path);
    CoTaskMemFree(path);
    if (fits) return 1;
  }
  wchar_t shellFolder[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, shellFolder))) return 0;
  lstrcpynW(folder, shellFolder, WIDE_PATH_SIZE - 1);
  return 1;
}

// The older dialog, for systems without the item dialog.
Outcome ChooseInOpenDialog(const wchar_t* title, const wchar_t* folder, const wchar_t* name, wchar_t* chosen) {
  WideFilter filter;
  MakeWideFilter(filter);
  wchar_t file[WIDE_PATH_SIZE];
  lstrcpynW(file, name, WIDE_PATH_SIZE);
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = FrameWindow;
  // No custom filter: Wine takes an empty one for a broken filter list.
  dialog.lpstrFilter = filter.text;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = WIDE_PATH_SIZE;
  dialog.lpstrInitialDir = folder;
  dialog.lpstrTitle = title;
  dialog.Flags = OPEN_DIALOG_FLAGS;
  if (!OpenFileDialog(&dialog)) return Outcome::CANCELLED;
  lstrcpyW(chosen, file);
  return Outcome::CHOSEN;
}

// The folder the dialog opens in: the given one, or the Pictures folder.
void StartFolder(const char* folder, wchar_t* wide) {
  if (!folder[0] || !WidenUtf8(folder, wide, WIDE_PATH_SIZE)) KnownFolder(FOLDERID_Pictures, CSIDL_MYPICTURES, wide);
}

// The chosen path in the program's UTF-8, whole and full, or nothing.
int TakeChosen(Outcome outcome, const wchar_t* chosen, char* path) {
  char narrow[PATH_BUFFER_SIZE];
  if (outcome != Outcome::CHOSEN || !NarrowToUtf8(chosen, narrow, PATH_BUFFER_SIZE) || !IsFullPath(narrow)) return 0;
  lstrcpyA(path, narrow);
  return 1;
}

int CALLBACK FolderBrowserCallback(HWND dialog, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED && start) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, start);
  return 0;
}

// The older folder browser, for systems without the item dialog.
Outcome ChooseInFolderBrowser(const wchar_t* title, const wchar_t* start, wchar_t* chosen) {
  BROWSEINFOW dialog = {};
  dialog.hwndOwner = FrameWindow;
  dialog.lpszTitle = title;
  dialog.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
  dialog.lpfn = FolderBrowserCallback;
  dialog.lParam = reinterpret_cast<LPARAM>(start);
  const PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&dialog);
  if (!list) return Outcome::CANCELLED;
  wchar_t path[MAX_PATH];
  const bool found = SHGetPathFromIDListW(list, path);
  CoTaskMemFree(list);
  if (!found) return Outcome::CANCELLED;
  lstrcpyW(chosen, path);
  return Outcome::CHOSEN;
}

}  // namespace

int ChooseImageFile(const char* title, const char* folder, const char* name, char* path) {
  wchar_t wideTitle[128], wideFolder[WIDE_PATH_SIZE] = {}, wideName[WIDE_PATH_SIZE] = {}, chosen[WIDE_PATH_SIZE];
  WidenUtf8(title, wideTitle, 128);
  StartFolder(folder, wideFolder);
  WidenUtf8(name, wideName, WIDE_PATH_SIZE);
  Outcome outcome = ChooseInItemDialog(wideTitle, wideFolder, wideName, false, chosen);
  if (outcome == Outcome::UNAVAILABLE) outcome = ChooseInOpenDialog(wideTitle, wideFolder, wideName, chosen);
  return TakeChosen(outcome, chosen, path);
}

int ChooseFolderInDialog(const char* start, char* folder) {
  wchar_t wideTitle[128], wideStart[WIDE_PATH_SIZE] = {}, chosen[WIDE_PATH_SIZE];
  WidenUtf8(TEXT_FOLDER_DIALOG_TITLE, wideTitle, 128);
  StartFolder(start, wideStart);
  Outcome outcome = ChooseInItemDialog(wideTitle, wideStart, L"", true, chosen);
  if (outcome == Outcome::UNAVAILABLE) outcome = ChooseInFolderBrowser(wideTitle, wideStart, chosen);
  return TakeChosen(outcome, chosen, folder);
}
