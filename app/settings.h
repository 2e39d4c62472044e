// The program's whole persistent state: numbers, paths and the slideshow's files,
// read from the registry once at start and written back once at the end.
#pragma once
#include <cstdint>
#include "app/ids.h"
#include "app/size_limits.h"

struct SettingsTable {
  int32_t X1, Y1, W1, H1;
  int32_t AlwaysOnTheTop, Taskbar, Show, TrayIcon, AutoStart, Splash, Hint;
  int32_t W2, H2, W3, H3, X2, Y2;
  int32_t FrameID;
  int32_t SlideInterval, SlideRandom;
  char Path[PATH_BUFFER_SIZE];
  char Photo[PATH_BUFFER_SIZE];
  char Frame[PATH_BUFFER_SIZE];
  char SlideFolder[PATH_BUFFER_SIZE];
};

// The slideshow's intervals in seconds, in the menu's order; 0 changes only when asked.
inline constexpr int32_t SLIDE_INTERVALS[] = {10, 60, 300, 1800, 3600, 0};
constexpr int32_t SLIDE_INTERVAL_DEFAULT = 60;

// A first run's values; X1 is replaced at start by the work area's right edge minus W1.
inline constexpr SettingsTable BUILT_IN_SETTINGS = {
    780, 32, 100, 100,
    1, 0, 1, 1, 0, 1, 1,
    87, 127, 128, 168, -21, -11,
    FRAME_ID_DEFAULT,
    SLIDE_INTERVAL_DEFAULT, 0,
    "", "", "", ""};

extern SettingsTable Settings;

// The slideshow's set of files as read and to be written (REG_MULTI_SZ
// bytes, size 0 for none); the slideshow checks it before it takes it.
struct SlideFilesStore {
  char bytes[SLIDE_FILES_VALUE_MAX];
  size_t size;
};
extern SlideFilesStore SlideFiles;

// The frame and photo that start-up hands to the frame window.
extern ImageSource StartFrame;
extern ImageSource StartPhoto;

// A stored photo that is missing at start (a USB stick, a moved folder) or
// no longer decodes leaves the default photo to show as at a first start:
// its own pan and zoom are set aside and the built-in ones take their place.
// They are written back at the end, so that the photo shows as before once
// it is back; setting another photo forgets them.
void SetAsideStoredPhotoView();
void ForgetStoredPhotoView();

// 0 loads, 1 saves. A newly created key is always saved (first run).
void SyncSettings(int save);

// 1 when a search finds the path (file or folder), else 0.
int PathExists(const char* path);
