// Every way a photo or frame a person gives comes in: the open dialogs, a
// drop on the window, and a hand-over from another start. Each is shown, or
// the user told why not, and the window comes forward.
#include "framewindow/photo_ways_in.h"

#include <shellapi.h>

#include <cstring>

#include "app/ids.h"
#include "app/path_calls.h"
#include "app/path_list_rules.h"
#include "app/settings.h"
#include "app/settings_rules.h"
#include "app/shared_windows.h"
#include "app/texts.h"
#include "app/utf_text.h"
#include "framewindow/file_dialogs.h"
#include "framewindow/photo_paths.h"
#include "framewindow/slideshow.h"
#include "imaging/heap_array.h"
#include "splash/notice_window.h"

char FileNameBuffer[PATH_BUFFER_SIZE];

namespace {

// The path's last part, after its last backslash.
const char* NameOf(const char* path) {
  const char* slash = std::strrchr(path, '\\');
  return slash ? slash + 1 : path;
}

}  // namespace

// The photo's dialog opens in the folder of the last photo chosen or
// dropped, on its name; the chosen photo is shown, or the user told why not.
void ChoosePhoto() {
  char chosen[PATH_BUFFER_SIZE];
  char folder[PATH_BUFFER_SIZE];
  lstrcpynA(folder, Settings->Path, PATH_BUFFER_SIZE);
  TrimToExistingFolder(folder, PathExists);
  if (!ChooseImageFile(TEXT_OPEN_DIALOG_TITLE, folder, NameOf(FileNameBuffer), chosen)) return;
  lstrcpyA(FileNameBuffer, chosen);
  const auto refused =
      static_cast<Refusal>(SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(FileNameBuffer), 0));
  if (refused != Refusal::NONE) NotifyRefusal(NoticeSubject::PHOTO, FileNameBuffer, refused);
}

// The frame's dialog opens beside the custom frame last shown.
void ChooseFrame() {
  char folder[PATH_BUFFER_SIZE] = "", chosen[PATH_BUFFER_SIZE];
  CopyFolderPart(folder, sizeof folder, Settings->Frame);
  if (!ChooseImageFile(TEXT_FRAME_DIALOG_TITLE, folder, NameOf(Settings->Frame), chosen)) return;
  const auto refused =
      static_cast<Refusal>(SendMessageA(FrameWindow, MSG_SET_FRAME, reinterpret_cast<WPARAM>(chosen), 0));
  if (refused != Refusal::NONE) NotifyRefusal(NoticeSubject::FRAME, chosen, refused);
}

namespace {

// After photos from a drop or another start the window comes forward; while
// a dialog is up, the dialog does: the frame window it disabled must not take the keys.
void BringForward() {
  HWND front = GetLastActivePopup(FrameWindow);
  SetForegroundWindow(front);
  if (front == FrameWindow) SetFocus(FrameWindow);
}

// A dropped file, in FileNameBuffer, is shown as the photo, or the user told why not.
void ShowFileNamePhoto() {
  const auto refused =
      static_cast<Refusal>(SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(FileNameBuffer), 0));
  if (refused != Refusal::NONE) NotifyRefusal(NoticeSubject::PHOTO, FileNameBuffer, refused);
  BringForward();
}

// A name longer than Windows takes: read whole only to be named in the notice.
void TellOfLongName(HDROP drop) {
  const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
  HeapArray<wchar_t> wide;
  HeapArray<char> name;
  if (length >= WIDE_PATH_SIZE && wide.Allocate(size_t{length} + 1) && name.Allocate(3 * size_t{length} + 1) &&
      DragQueryFileW(drop, 0, wide.data, length + 1) == length && NarrowPath(wide.data, name.data, name.count)) {
    NotifyRefusal(NoticeSubject::PHOTO, name.data, Refusal::PATH_TOO_LONG);
  }
}

}  // namespace

// A name longer than the buffer would arrive cut short and might name some
// other file: it is refused like a missing one. Several files are a slideshow.
void MsgDropFiles(HDROP drop) {
  char path[PATH_BUFFER_SIZE];
  if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 1) {
    ShowDroppedSet(drop);
    BringForward();
  } else if (DroppedFilePath(drop, 0, path)) {
    lstrcpynA(FileNameBuffer, path, PATH_BUFFER_SIZE);
    ShowFileNamePhoto();
  } else {
    TellOfLongName(drop);
  }
  DragFinish(drop);
}

// Any program may send this: only a full path with one zero, at its end, that
// fits the buffer whole is taken. A relative one would be resolved against
// this copy's current folder, which the open dialog moves. A list is taken
// whole when every path in it would be, as the stored set is.
LRESULT MsgCopyData(const COPYDATASTRUCT* data) {
  if (data && data->dwData == COPYDATA_PHOTO_PATHS && data->lpData && data->cbData <= SLIDE_FILES_VALUE_MAX &&
      CountPackedSlides(static_cast<const char*>(data->lpData), data->cbData) > 0) {
    ShowPhotoSet(static_cast<const char*>(data->lpData), data->cbData);
    BringForward();
    return 1;
  }
  if (!data || data->dwData != COPYDATA_PHOTO_PATH || !data->lpData || data->cbData < 2 ||
      data->cbData > PATH_BUFFER_SIZE) {
    return 0;
  }
  const char* path = static_cast<const char*>(data->lpData);
  if (std::memchr(path, '\0', data->cbData) != path + data->cbData - 1 || !IsFullPath(path)) return 0;
  std::memcpy(FileNameBuffer, path, data->cbData);
  ShowStartPhoto(FileNameBuffer);
  BringForward();
  return 1;
}
