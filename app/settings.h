// The program's whole persistent state: numbers, paths and the slideshow's files,
// read from the registry once at start and written back once at the end. The
// program-wide values and the first ornament's are in the program's key; each
// further ornament keeps the same names in a subkey of its own.
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

// The program-wide values: taskbar button, tray icon, autostart, splash,
// hint and show state. Their other members are unused.
extern SettingsTable ProgramSettings;

// The slideshow's set of files as read and to be written (REG_MULTI_SZ
// bytes, size 0 for none); the slideshow checks it before it takes it.
struct SlideFilesStore {
  char bytes[SLIDE_FILES_VALUE_MAX];
  size_t size = 0;
};

constexpr int STRING_SETTING_COUNT = 4;

// What one ornament keeps: its values (the program-wide ones are
// ProgramSettings'), its slideshow's set, the frame and photo start-up hands
// to its window, and a stored view set aside.
struct OrnamentStore {
  SettingsTable values = BUILT_IN_SETTINGS;
  SlideFilesStore slideFiles;
  ImageSource startFrame = FRAME_ID_DEFAULT;
  ImageSource startPhoto = DEFAULT_PHOTO_ID;
  SettingsTable photoViewAside = {};
  bool photoViewKept = false;
  // A stored path not shown, left in the registry (see settings.cpp).
  bool leftInRegistry[STRING_SETTING_COUNT] = {};
};

// The store of the ornament whose message the window's thread is handling,
// and its values and set: chosen with SelectOrnamentStore.
extern OrnamentStore* Stored;
extern SettingsTable* Settings;
extern SlideFilesStore* SlideFiles;
void SelectOrnamentStore(OrnamentStore* store);

// A stored photo that is missing at start (a USB stick, a moved folder) or
// no longer decodes leaves the default photo to show as at a first start:
// its own pan and zoom are set aside and the built-in ones take their place.
// They are written back at the end, so that the photo shows as before once
// it is back; setting another photo forgets them.
void SetAsideStoredPhotoView();
void ForgetStoredPhotoView();

// The program's key: the program-wide values and the first ornament's. A
// newly created key is saved at once (first run); 1 when it was read.
int LoadProgramSettings(OrnamentStore& first);
// A further ornament (number 2 to ORNAMENTS_MAX) from its subkey; 0 when
// there is none or it holds no place for a window, which no run stores.
int LoadOrnamentSettings(int number, OrnamentStore& store);
// Writes the program's key and one subkey for each further ornament, and
// removes the subkeys of ornaments no longer there.
void SaveSettings(OrnamentStore* const* stores, int count);

// 1 when a search finds the path (file or folder), else 0.
int PathExists(const char* path);
