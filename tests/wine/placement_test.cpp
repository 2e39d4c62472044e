// Panning, resize steps and drops through the frame window's messages.
#include <algorithm>
#include <initializer_list>
#include <tuple>

#include "app/display_scale.h"
#include "app/scale_rules.h"
#include "app/texts.h"
#include "framewindow/photo_placement.h"
#include "splash/notice_window.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

namespace fs = std::filesystem;
using PlacementTest = FrameWindowTest;

// As another desktop with the input would: no position, whatever the point holds.
BOOL WINAPI FailCursorQuery(LPPOINT point) {
  *point = {10000, 10000};
  return FALSE;
}

// Each step from where the one before left the window. Sides and steps are
// 96-DPI units (the suite runs again at 144 and 192 DPI): the window's pixels
// are the stored sides scaled, its position stays in screen pixels.
TEST_F(PlacementTest, KeysTheWheelAndTheResizeMessageResizeByFourUnitsAboutTheCentre) {
  WriteDword("X1", 500);
  WriteDword("Y1", 300);
  Start();
  const int dpi = DpiOfWindow(FrameWindow);
  const LONG centre = 500 + ScaleToDpi(100, dpi) / 2, middle = 300 + ScaleToDpi(100, dpi) / 2;
  // Two notches of the wheel at once are one step.
  const struct { UINT message; WPARAM wParam; int32_t side; } steps[] = {
      {WM_KEYDOWN, VK_ADD, 104}, {WM_KEYDOWN, VK_OEM_MINUS, 100}, {WM_KEYDOWN, VK_SUBTRACT, 96},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, 240), 92}, {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 96},
      {MSG_RESIZE_STEP, 0xFFFF0000, 100}};
  for (const auto& step : steps) {
    Send(step.message, step.wParam, 1);
    const LONG pixels = ScaleToDpi(step.side, dpi);
    EXPECT_EQ(std::tuple(Placed(), Settings->W1), std::tuple(Box{centre - pixels / 2, middle - pixels / 2, pixels, pixels}, step.side))
        << step.message << " " << step.wParam;
  }
}

// The picture follows the pointer: in a 100-pixel window showing 2000 photo
// pixels, a pixel of the pointer's is 20 of the photo's. The square keeps to
// the photo, and a zoom drag back returns to the view it left.
TEST_F(PlacementTest, ACtrlDragMovesThePictureWithThePointerAShiftDragZoomsAndBothEndWithTheCapture) {
  Start();
  Send(MSG_SET_PHOTO, reinterpret_cast<WPARAM>(CHERIMO_CORPUS_DIR "/images/landscape.jpg"));
  ASSERT_EQ(std::tuple(Settings->X2, Settings->Y2, Settings->W3), std::tuple(500, 0, 2000));
  const auto drag = [](WPARAM keys, std::initializer_list<POINT> moves) {
    SetCursorPos(400, 400);
    Send(WM_LBUTTONDOWN, MK_LBUTTON | keys, 0);
    EXPECT_EQ(GetCapture(), FrameWindow);
    for (const POINT to : moves) {
      SetCursorPos(to.x, to.y);
      Send(WM_MOUSEMOVE, MK_LBUTTON, 0);
    }
  };
  // Each move counts from the one before: by 5,7 and then by -2,1; the square fills the photo's height.
  drag(MK_CONTROL | MK_SHIFT, {{405, 407}, {403, 408}});
  EXPECT_EQ(std::tuple(Settings->X2, Settings->Y2, Settings->W3), std::tuple(500 - 60, 0, 2000)) << "Ctrl over Shift";
  // A step whose cursor cannot be read (another desktop has the input) is left out.
  CursorPosCall = FailCursorQuery;
  Send(WM_MOUSEMOVE, MK_LBUTTON, 0);
  CursorPosCall = GetCursorPos;
  EXPECT_EQ(std::pair(Settings->X2, Settings->Y2), std::pair(440, 0));
  ReleaseCapture();
  SetCursorPos(413, 418);
  Send(WM_MOUSEMOVE, MK_LBUTTON, 0);
  EXPECT_EQ(Settings->X2, 440) << "a lost capture ends the drag";
  // 100 pixels down show half as much about the centre; back up, the view it left.
  drag(MK_SHIFT, {{400, 450}, {400, 500}});
  Send(WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(std::tuple(Settings->X2, Settings->Y2, Settings->W3, Settings->H3, GetCapture()),
            std::tuple(940, 500, 1000, 1000, HWND{}));
  drag(MK_SHIFT, {{400, 330}, {400, 300}});
  EXPECT_EQ(std::tuple(Settings->X2, Settings->Y2, Settings->W3, Settings->H3), std::tuple(440, 0, 2000, 2000));
}

// Several files dropped at once are a slideshow in name order, other files
// left out; it is kept as the set dropped.
TEST_F(PlacementTest, SeveralDroppedPicturesAreASlideshowInNameOrderAndTheWindowComesForward) {
  std::string images = CHERIMO_CORPUS_DIR "\\images\\";
  std::replace(images.begin(), images.end(), '/', '\\');
  const std::wstring wide(images.begin(), images.end());
  Start();
  // Another window in front first: the drop must bring the frame window forward itself.
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  ASSERT_EQ(GetForegroundWindow(), other);
  EXPECT_EQ(Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({wide + L"photo.png", wide + L"keys.png", L"C:\\a.txt",
                                                                   wide + L"photo.jpg"}))), 0);
  std::string shown = Settings->Photo;
  for (int step = 0; step < 3; ++step) {
    Send(WM_KEYDOWN, VK_RIGHT);
    shown += std::string("|") + Settings->Photo;
  }
  EXPECT_EQ(shown, images + "keys.png|" + images + "photo.jpg|" + images + "photo.png|" + images + "keys.png");
  EXPECT_EQ(GetForegroundWindow(), FrameWindow);
  DestroyWindow(other);
  SaveOrnaments();
  const std::string set = images + "photo.png" + '\0' + images + "keys.png" + '\0' + images + "photo.jpg" + '\0' + '\0';
  EXPECT_EQ(ReadRegValue(TEXT_SETTINGS_KEY, "SlideFiles"), (RegValue{true, REG_MULTI_SZ, set}));
  // A picture dropped with a file that is none shows alone and ends the set.
  Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({wide + L"photo.png", L"C:\\a.txt"})));
  SaveOrnaments();
  EXPECT_FALSE(ReadRegValue(TEXT_SETTINGS_KEY, "SlideFiles").present);
}

// A photo the user gives that cannot be shown, dropped or chosen in the open
// dialog, is named in one notice that says why; nothing changes and nothing
// is stored. Several files none of which shows are said once. A photo is no
// frame; a frame file is. With no folder stored the dialog opens in Pictures.
// A short notice's words on one line fit its box, beside the heart.
void ExpectWordsFitTheNotice() {
  HWND notice = FindWindowA(TEXT_NOTICE_CLASS, nullptr);
  HDC dc = GetDC(notice);
  SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(notice, WM_GETFONT, 0, 0)));
  const std::string said = NoticeText();
  SIZE extent = {};
  GetTextExtentPoint32A(dc, said.c_str(), static_cast<int>(said.size()), &extent);
  ReleaseDC(notice, dc);
  EXPECT_GT(BoxOf(notice).width, extent.cx + extent.cy);
}

TEST_F(PlacementTest, EveryRouteNamesAFileThatCannotBeShownWithWhyAndChangesNothing) {
  std::string corpus = CHERIMO_CORPUS_DIR "\\";
  std::replace(corpus.begin(), corpus.end(), '/', '\\');
  const std::wstring wide(corpus.begin(), corpus.end());
  const auto choose = [](unsigned command, const std::string& path) {
    const UINT_PTR timer = AnswerOpenDialog(path);
    Send(WM_COMMAND, command);
    KillTimer(nullptr, timer);
  };
  // With no folder stored, the dialog opens in the user's Pictures folder: a name alone is found there.
  const ScratchFolder pictures("cherimo-pictures");
  fs::copy_file(CHERIMO_CORPUS_DIR "/images/halves.png", pictures.path / "halves.png");
  WriteRegString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", "My Pictures",
                 Utf8(pictures.path));
  Start();
  choose(IDM_SELECT_PHOTO, "halves.png");
  EXPECT_EQ(std::string(Settings->Photo), Utf8(pictures.path / "halves.png"));
  const auto state = [] {
    return std::string(Settings->Photo) + "|" + Settings->Path + "|" + std::to_string(Settings->W2) + "|" +
           Settings->Frame + "|" + std::to_string(Settings->FrameID) + "|" + std::to_string(SlideFiles->size);
  };
  const std::string before = state();
  const std::pair<const char*, const char*> files[] = {
      {"missing.jpg", "there is no such file"}, {"letter.jpg", "it is not a picture"},
      {"truncated.jpg", "the picture is damaged"},
      {"wide.jpg", "the picture is too large (30000 x 20000 pixels; at most 64 megapixels are taken)"}};
  const std::function<void(const std::string&)> routes[] = {
      [&](const std::string& name) {
        Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({wide + L"bad\\" + std::wstring(name.begin(), name.end())})));
      },
      [&](const std::string& name) { choose(IDM_SELECT_PHOTO, corpus + "bad\\" + name); }};
  // The dialog itself tells of a missing file.
  for (const auto& route : routes) {
    for (const auto& [name, why] : files) {
      if (&route == &routes[1] && name == files[0].first) continue;
      HideNotice();
      route(name);
      EXPECT_EQ(NoticeText(), "Cannot show \"" + std::string(name) + "\": " + why + ".");
      EXPECT_EQ(state(), before) << name;
      if (name == files[0].first) ExpectWordsFitTheNotice();
    }
  }
  EXPECT_EQ(AnsweredDialogTitle, TEXT_OPEN_DIALOG_TITLE);
  Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({wide + L"bad\\letter.jpg", wide + L"bad\\missing.jpg"})));
  EXPECT_EQ(NoticeText(), "None of the 2 files can be shown. \"missing.jpg\": there is no such file.");
  EXPECT_EQ(state(), before);

  choose(IDM_CUSTOM_FRAME, corpus + "images\\photo.png");
  EXPECT_EQ(AnsweredDialogTitle, TEXT_FRAME_DIALOG_TITLE);
  EXPECT_EQ(NoticeText().substr(0, 61), "Cannot use \"photo.png\" as a frame: a frame is a picture whose");
  EXPECT_EQ(state(), before);
  HideNotice();
  choose(IDM_CUSTOM_FRAME, corpus + "images\\frame.png");
  EXPECT_EQ(NoticeText(), "");
  EXPECT_EQ(std::tuple(Settings->FrameID, std::string(Settings->Frame), std::string(Settings->Path)),
            std::tuple(FRAME_ID_CUSTOM, corpus + "images\\frame.png", Utf8(pictures.path) + "\\"))
      << "the photo's dialog keeps its folder";
}

}  // namespace
