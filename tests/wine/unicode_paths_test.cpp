// Photos and frames in folders whose names the old 8-bit code pages cannot
// spell: the program runs with UTF-8 as its code page, so such paths load
// from a drop, from the frame command and from the stored settings, and come
// back from the registry as the same Unicode strings.
#include <fstream>
#include <string>

#include "app/ids.h"
#include "app/texts.h"
#include "framewindow/photo_placement.h"
#include "tests/wine/frame_window_fixture.h"
#include "tests/wine/program_fixture.h"

namespace {

namespace fs = std::filesystem;

// "Фото\写真 ❤" in a scratch folder, with a photo (the splash picture,
// 190 x 152) and a custom frame (the Funny heart) in it.
struct UnicodeFolder {
  ScratchFolder scratch{"cherimo-unicode"};
  fs::path folder = scratch.path / L"\u0424\u043e\u0442\u043e" / L"\u5199\u771f \u2764";
  std::wstring photo = (folder / L"\u5199\u771f.png").wstring(), frame = (folder / L"\u2764.png").wstring();
  // Two bytes a letter in UTF-8: the path fits a 256-character buffer but
  // not a 256-byte one (in two folders, as Linux takes 255 bytes a name).
  std::wstring deepPhoto = (folder / std::wstring(65, L'\u0416') / std::wstring(65, L'\u0416') / L"x.png").wstring();

  UnicodeFolder() {
    fs::create_directories(fs::path(deepPhoto).parent_path());
    WriteResource(photo, SPLASH_PICTURE_ID);
    WriteResource(frame, 2019);
    WriteResource(deepPhoto, SPLASH_PICTURE_ID);
  }

  static void WriteResource(const fs::path& file, ImageSource id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), TEXT_IMAGE_RESOURCE_TYPE);
    ASSERT_NE(found, nullptr);
    std::ofstream(file, std::ios::binary)
        .write(static_cast<const char*>(LockResource(LoadResource(nullptr, found))), SizeofResource(nullptr, found));
  }
};

std::string Utf8(const std::wstring& text) {
  std::string bytes(text.size() * 4, '\0');
  bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                                   static_cast<int>(bytes.size()), nullptr, nullptr));
  return bytes;
}

// The key's name is plain ASCII.
const std::wstring SETTINGS_KEY(TEXT_SETTINGS_KEY, TEXT_SETTINGS_KEY + sizeof TEXT_SETTINGS_KEY - 1);

void WriteWideString(const wchar_t* name, const std::wstring& value) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, SETTINGS_KEY.c_str(), name, REG_SZ, value.c_str(),
                            static_cast<DWORD>(value.size() * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

std::wstring ReadWideString(const wchar_t* name) {
  wchar_t buffer[1024];
  DWORD size = sizeof buffer;
  if (RegGetValueW(HKEY_CURRENT_USER, SETTINGS_KEY.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) {
    return L"(not a string)";
  }
  return buffer;
}

class UnicodePathTest : public FrameWindowTest {
 protected:
  UnicodeFolder folder;
};

TEST_F(UnicodePathTest, ADroppedPhotoAndAChosenFrameLoadAndAreStoredAsTheSameStrings) {
  EXPECT_EQ(GetACP(), 65001u);
  Start();
  Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({folder.photo})));
  EXPECT_EQ(Settings.W2, 190);
  EXPECT_EQ(Settings.H2, 152);
  EXPECT_EQ(Settings.Photo, Utf8(folder.photo));

  const std::string frame = Utf8(folder.frame);
  Send(MSG_SET_FRAME, reinterpret_cast<WPARAM>(frame.c_str()));
  EXPECT_EQ(Settings.FrameID, FRAME_ID_CUSTOM);

  SyncSettings(1);
  EXPECT_EQ(ReadWideString(L"Photo"), folder.photo);
  EXPECT_EQ(ReadWideString(L"Frame"), folder.frame);
}

TEST_F(UnicodePathTest, APathTooLongForItsBufferIsRefusedLikeAMissingFileAndKeptInTheRegistry) {
  WriteWideString(L"Photo", folder.deepPhoto);
  ASSERT_NE(GetFileAttributesW(folder.deepPhoto.c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_GT(Utf8(folder.deepPhoto).size(), 255u);
  Start();
  EXPECT_EQ(Settings.W2, 87);  // the default photo
  EXPECT_STREQ(Settings.Photo, "");

  lstrcpyA(FileNameBuffer, "unchanged");
  Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({folder.deepPhoto})));
  EXPECT_EQ(Settings.W2, 87);
  EXPECT_STREQ(Settings.Photo, "");
  EXPECT_STREQ(FileNameBuffer, "unchanged");

  SyncSettings(1);
  EXPECT_EQ(ReadWideString(L"Photo"), folder.deepPhoto);
}

class UnicodeProgramTest : public RealProgramTest {
 protected:
  UnicodeFolder folder;
};

TEST_F(UnicodeProgramTest, AStoredPhotoAndFrameInAUnicodeFolderShowAfterARestart) {
  WriteWideString(L"Photo", folder.photo);
  WriteWideString(L"Frame", folder.frame);
  WriteWideString(L"Path", folder.folder.wstring() + L"\\");
  WriteDword("FrameID", static_cast<DWORD>(FRAME_ID_CUSTOM));
  RunningProgram program;
  HWND window = StartedWindow(program);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(CloseAndWait(program, window), 0);

  // Both files decoded: the photo's size is stored and the custom frame stays chosen.
  EXPECT_EQ(StoredDword("W2"), 190);
  EXPECT_EQ(StoredDword("H2"), 152);
  EXPECT_EQ(StoredDword("FrameID"), FRAME_ID_CUSTOM);
  EXPECT_EQ(ReadWideString(L"Photo"), folder.photo);
  EXPECT_EQ(ReadWideString(L"Frame"), folder.frame);
  EXPECT_EQ(ReadWideString(L"Path"), folder.folder.wstring());
}

}  // namespace
