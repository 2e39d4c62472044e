// The right-click menu: a thumbnail of every frame, made when its group first
// opens; its ticks kept in step with the settings; the commands it sends.
#pragma once
#include <windows.h>
#include <cstdint>

#include "app/ids.h"

extern HMENU ContextMenu;

constexpr int FRAME_COUNT = FRAME_ID_LAST - FRAME_ID_FIRST + 1;

// The size of a menu item's check mark, and so of the frames' thumbnails.
SIZE MenuCheckSize();
// The last step of the frame window's creation: the menu, its thumbnails to be
// made at the given size.
void BuildContextMenu(SIZE checkSize = MenuCheckSize());
// The frames' thumbnails at another check-mark size.
void SizeMenuPictures(SIZE checkSize);
// Gives the frame items of a submenu about to open the thumbnails they lack,
// and the tick to the frame on show.
void MsgInitMenuPopup(HMENU popup);
// Fills thumbnails[i] (width × height pixels) with frame FRAME_ID_FIRST + i on
// the menu colour, area averaged; null entries are skipped, and an entry whose
// frame cannot be drawn becomes null. Uses the LoaderSurface.
void DrawFrameThumbnails(int width, int height, uint32_t menuPixel, uint32_t* thumbnails[FRAME_COUNT]);
void SetMenuCheck(HMENU menu, unsigned command, int32_t value);
// Before the menu opens for the selected ornament: its ticks (each toggle's
// exactly when its setting is 1), its greyed items, the slideshow's items as
// the slideshow stands, and pictures at its scale.
void PrepareContextMenu();
// Opens the menu at the mouse cursor, also when called up from the keyboard.
void MsgContextMenu();
// wParam of WM_COMMAND: the notification code and bit 15 are dropped.
void MsgCommand(WPARAM command);

// Hands an address to the shell (browser, mail program); the result is
// ignored, as nobody may answer.
void OpenWithShell(const char* text);
// The shell call, replaceable so that tests can record what is opened.
using ShellOpenFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                             LPCWSTR folder, INT show);
extern ShellOpenFunction ShellOpenCall;
