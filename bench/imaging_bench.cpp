// Figures of the picture pipeline at 256 x 256: a drag step with the default
// photo and with a 12-megapixel photo zoomed out (also at 384 and 512, the
// largest window at 150 and 200 % display scale), loading that photo, and the
// platform-only pipeline (HALFTONE blits, region creation and setting) for
// comparison; a slideshow's change and its listing of a large folder. Prints
// medians; never touches the user's settings.
#include <windows.h>
#include <objbase.h>
#include <psapi.h>
#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/desktop_metrics.h"
#include "app/display_scale.h"
#include "app/ids.h"
#include "app/program.h"
#include "app/scale_rules.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "app/texts.h"
#include "bench/timing.h"
#include "framewindow/frame_window.h"
#include "framewindow/ornament.h"
#include "framewindow/picture_worker.h"
#include "framewindow/slideshow.h"
#include "imaging/com_ref.h"
#include "imaging/compositor.h"
#include "imaging/image_loader.h"
#include "imaging/key_colors.h"
#include "imaging/photo_reductions.h"
#include "imaging/reduce.h"
#include "tests/wine/imaging_files.h"

namespace {

constexpr int SIDE = 256;
constexpr int RUNS = 200;
constexpr int BENCH_FRAME_ID = 2011;


void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// A photo-like picture: shading, hard-edged shapes, fine texture and grain.
Pixels MakeLargePhoto(int width, int height) {
  Pixels pixels(static_cast<size_t>(width) * height);
  uint32_t seed = 12345;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      seed = seed * 1103515245 + 12345;
      const int grain = static_cast<int>(seed >> 27) - 16;
      const double shade = 0.5 + 0.4 * std::sin(x * 0.004) * std::cos(y * 0.006);
      const bool disc = (x - 2400) * (x - 2400) + (y - 1200) * (y - 1200) < 700 * 700;
      const bool bars = (x / 40 + y / 40) % 2 == 0 && y > 2000;
      const int texture = static_cast<int>(20 * std::sin(x * 0.9) * std::sin(y * 0.7));
      auto channel = [&](double base) { return std::clamp(static_cast<int>(base * 255) + grain + texture, 0, 255); };
      const int r = channel(disc ? 0.9 : shade), g = channel(bars ? 0.2 : shade * 0.8), b = channel(disc ? 0.2 : 1 - shade);
      pixels[static_cast<size_t>(y) * width + x] = static_cast<uint32_t>(r << 16 | g << 8 | b);
    }
  }
  return pixels;
}

using Bytes = std::vector<uint8_t>;

// The large photo as a JPEG, through the platform's encoder.
Bytes EncodeJpeg(int width, int height, const Pixels& pixels) {
  ComRef<IWICImagingFactory> factory;
  ComRef<IStream> stream;
  ComRef<IWICBitmapEncoder> encoder;
  ComRef<IWICBitmapFrameEncode> frame;
  ComRef<IPropertyBag2> options;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              factory.ReceiveVoid())) ||
      FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive())) ||
      FAILED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, encoder.Receive())) ||
      FAILED(encoder->Initialize(stream.pointer, WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.Receive(), options.Receive())) || FAILED(frame->Initialize(options.pointer)) ||
      FAILED(frame->SetSize(width, height)) || FAILED(frame->SetPixelFormat(&format)) ||
      format != GUID_WICPixelFormat24bppBGR) {
    return {};
  }
  Bytes row(3 * static_cast<size_t>(width));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      row[3 * x] = static_cast<uint8_t>(p);
      row[3 * x + 1] = static_cast<uint8_t>(p >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(p >> 16);
    }
    if (FAILED(frame->WritePixels(1, static_cast<UINT>(row.size()), static_cast<UINT>(row.size()), row.data()))) return {};
  }
  if (FAILED(frame->Commit()) || FAILED(encoder->Commit())) return {};
  STATSTG stat = {};
  const LARGE_INTEGER start = {};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) return {};
  Bytes jpeg(static_cast<size_t>(stat.cbSize.QuadPart));
  ULONG read = 0;
  if (FAILED(stream->Read(jpeg.data(), static_cast<ULONG>(jpeg.size()), &read)) || read != jpeg.size()) return {};
  return jpeg;
}

bool WriteBytes(const std::string& path, const Bytes& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

int CreateBenchWindow() {
  ProgramInstance = GetModuleHandleA(nullptr);
  RefreshDesktopMetrics();
  ProgramSettings = BUILT_IN_SETTINGS;
  RegisterPopupClass(TEXT_FRAME_CLASS, FrameWindowProc);
  Ornament* ornament = NewOrnament();
  if (!ornament) return 0;
  SettingsTable& values = ornament->store.values;
  values.X1 = values.Y1 = 100;
  values.W1 = values.H1 = UnscaleFromDpi(SIDE, DpiOfWindow(nullptr));
  if (!CreateOrnamentWindow(*ornament)) return 0;
  ShowWindow(FrameWindow, SW_SHOWNORMAL);
  PumpMessages();
  return 1;
}

int SetBenchFrame(const char*& frameName) {
  if (FindResourceA(nullptr, MAKEINTRESOURCEA(BENCH_FRAME_ID), TEXT_IMAGE_RESOURCE_TYPE)) {
    SendMessageA(FrameWindow, MSG_SET_FRAME, BENCH_FRAME_ID, 0);
    frameName = "built-in frame 2011";
    return Settings->FrameID == BENCH_FRAME_ID;
  }
  // Until the built-in frames are in, a stand-in frame of the same kind.
  const std::string path = CorpusFile("images/frame.png");
  SendMessageA(FrameWindow, MSG_SET_FRAME, reinterpret_cast<WPARAM>(path.c_str()), 0);
  frameName = "stand-in ring frame (frame 2011 not built in yet)";
  return Settings->FrameID == FRAME_ID_CUSTOM;
}

// One drag step: the pan moves by a pixel, then a full recomposition.
double MedianDragStep() {
  const int32_t x = Settings->X2;
  return MedianOf(RUNS, [&](int i) {
    Settings->X2 = x + (i % 2);
    SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
  });
}

double PhotoMeanError(int photoWidth, int photoHeight, const uint32_t* photo) {
  const SourceArea square = {Settings->X2, Settings->Y2, Settings->W3, Settings->W3};
  Pixels exact(SIDE * SIDE);
  AreaAverage({photo, photoWidth, photoHeight, 0}, photoWidth, photoHeight, square, exact.data(), SIDE, SIDE);
  int keyWidth, keyHeight;
  const uint32_t* frameKeys = DibPixels(Composed->frameKeys, &keyWidth, &keyHeight);
  double sum = 0;
  long count = 0;
  for (int i = 0; i < SIDE * SIDE; ++i) {
    if (frameKeys[i] != PHOTO_KEY) continue;
    for (int shift = 0; shift < 24; shift += 8) {
      sum +=
          std::abs(static_cast<int>(Composed->pixels[i] >> shift & 0xFF) - static_cast<int>(exact[i] >> shift & 0xFF));
    }
    count += 3;
  }
  return count ? sum / count : 0;
}

// What the platform alone would cost: the three HALFTONE blits of the
// straightforward pipeline, then creating and setting the region.
void ReportPlatformPipeline(int photoSide) {
  BITMAPINFO header;
  uint32_t* pixels;
  HBITMAP target = CreateDib32(SIDE, SIDE, &header, &pixels);
  HDC dc = CreateCompatibleDC(FrameDC);
  HGDIOBJ previous = SelectObject(dc, target);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  const double photoBlit = MedianOf(RUNS, [&](int) {
    StretchBlt(dc, 0, 0, SIDE, SIDE, Composed->photo.dc, 0, 0, photoSide, photoSide, SRCCOPY);
    GdiFlush();
  });
  const double artBlit = MedianOf(RUNS, [&](int) {
    StretchBlt(dc, 0, 0, SIDE - 1, SIDE - 1, Composed->frameArt.dc, 0, 0, SIDE, SIDE, SRCCOPY);
    GdiFlush();
  });
  const double region = MedianOf(RUNS, [&](int i) {
    RegionBuffer->rdh.rcBound.right = SIDE + (i % 2);  // never the same region twice
    SetWindowRgn(FrameWindow, ExtCreateRegion(nullptr, REGION_BUFFER_SIZE, RegionBuffer), TRUE);
  });
  std::printf("  platform pipeline: HALFTONE photo blit %.3f ms, HALFTONE artwork blit %.3f ms, "
              "ExtCreateRegion + SetWindowRgn (%lu rectangles) %.3f ms, sum %.3f ms\n",
              photoBlit, artBlit, RegionBuffer->rdh.nCount, region, photoBlit + 2 * artBlit + region);
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(target);
}

// Dispatches the window's messages until the condition holds (five seconds
// at most); `stall` keeps the longest time one message took meanwhile.
bool PumpUntil(const std::function<bool()>& condition, double& stall) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > 5000) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      LARGE_INTEGER before, after;
      QueryPerformanceCounter(&before);
      DispatchMessageA(&message);
      QueryPerformanceCounter(&after);
      stall = std::max(stall, Milliseconds(before, after));
    }
  }
  return true;
}

SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  return memory.PrivateUsage;
}

// The window's thread while a 12-megapixel JPEG loads as the photo: the
// worker reads and decodes it, the thread only puts it in place.
void ReportPhotoLoad(const std::string& large) {
  std::vector<double> stalls, loads;
  for (int run = 0; run < 5; ++run) {
    SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(DEFAULT_PHOTO_ID), 0);
    double stall = 0;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(large.c_str()), 0);
    PumpUntil([] { return Settings->W2 == 4000; }, stall);
    QueryPerformanceCounter(&end);
    stalls.push_back(stall);
    loads.push_back(Milliseconds(start, end));
  }
  std::printf("  loading a 4000x3000 JPEG as the photo on the worker: shown after %.1f ms; the window's thread's "
              "longest stall meanwhile %.1f ms (medians of 5, target <= 30 ms)\n", Median(loads), Median(stalls));
}

// A slideshow of two copies of one JPEG: from the step to the change on
// screen with the next slide decoded ahead, the window's longest stall while
// the slide after it decodes, and the memory the slide ahead holds; and
// listing a folder of 5000 pictures on the worker for a new round.
void ReportSlideshow(const std::string& folder, const std::string& large) {
  const std::string small = folder + "cherimo-bench-2mp.jpg";
  if (!WriteBytes(small, EncodeJpeg(1600, 1200, MakeLargePhoto(1600, 1200)))) return;
  for (const std::string& first : {small, large}) {
    const std::string second = first + ".jpg";
    CopyFileA(first.c_str(), second.c_str(), FALSE);
    const std::string set = first + '\0' + second + '\0' + '\0';
    double stall = 0;
    const SIZE_T before = PrivateBytes();
    ShowPhotoSet(set.data(), set.size());
    const auto settled = [] { return !PictureWorkPending(PICTURE_SLIDE) && !PictureWorkPending(PICTURE_PHOTO); };
    PumpUntil(settled, stall);
    const double held = (static_cast<double>(PrivateBytes()) - static_cast<double>(before)) / (1 << 20);
    std::vector<double> changes;
    stall = 0;
    for (int run = 0; run < 5; ++run) {
      char shown[PATH_BUFFER_SIZE];
      lstrcpyA(shown, Settings->Photo);
      LARGE_INTEGER start, end;
      QueryPerformanceCounter(&start);
      SendMessageA(FrameWindow, WM_COMMAND, IDM_SLIDES_NEXT, 0);
      PumpUntil([&] { return lstrcmpA(shown, Settings->Photo) != 0; }, stall);
      QueryPerformanceCounter(&end);
      changes.push_back(Milliseconds(start, end));
      PumpUntil(settled, stall);
    }
    std::printf(
        "  slideshow of a %dx%d JPEG: step to change on screen %.1f ms (median of 5, target <= 17 ms), the "
        "window's longest stall %.1f ms, memory with the slide ahead held %.1f MB\n",
        Settings->W2, Settings->H2, Median(changes), stall, held);
    StopSlideshow();
    DeleteFileA(second.c_str());
  }
  DeleteFileA(small.c_str());
  const std::string pictures = folder + "cherimo-bench-5000";
  CreateDirectoryA(pictures.c_str(), nullptr);
  for (int i = 0; i < 5000; ++i) {
    CloseHandle(CreateFileA((pictures + "\\IMG_" + std::to_string(i) + ".jpg").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr));
  }
  const double listing = MedianOf(5, [&](int) {
    PictureWork work;
    lstrcpyA(work.path, pictures.c_str());
    ListSlidesWork(work);
  });
  std::printf("  slideshow round: listing a folder of 5000 pictures on the worker, the first 1000 by name kept: %.1f ms "
              "(median of 5)\n", listing);
  for (int i = 0; i < 5000; ++i) DeleteFileA((pictures + "\\IMG_" + std::to_string(i) + ".jpg").c_str());
  RemoveDirectoryA(pictures.c_str());
}

// The largest window at 150 and 200 % display scale; then back to 256.
void PrintScaledDragSteps(const char* photo) {
  for (const int side : {384, 512, SIDE}) {
    SetWindowPos(FrameWindow, nullptr, 0, 0, side, side, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (side == SIDE) break;
    SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
    std::printf("  drag step at %dx%d, %s: %.3f ms (target <= 1 ms)\n", side, side, photo, MedianDragStep());
  }
}

}  // namespace

int main() {
  CoInitialize(nullptr);
  if (!CreateBenchWindow()) {
    std::printf("the frame window could not be made\n");
    return 1;
  }
  const char* frameName = "";
  if (!SetBenchFrame(frameName)) {
    std::printf("the frame could not be set\n");
    return 1;
  }
  std::printf("imaging benchmark, %dx%d window, %s, medians of %d runs\n", SIDE, SIDE, frameName, RUNS);

  SendMessageA(FrameWindow, MSG_SET_PHOTO, DEFAULT_PHOTO_ID, 0);
  for (int tray : {1, 0}) {
    ProgramSettings.TrayIcon = tray;
    std::printf("  drag step, default photo %dx%d, tray icon %s: %.3f ms (target <= 1 ms)\n", Settings->W2,
                Settings->H2, tray ? "on" : "off", MedianDragStep());
  }
  ProgramSettings.TrayIcon = 1;
  PrintScaledDragSteps("default photo");

  char temporary[MAX_PATH];
  GetTempPathA(MAX_PATH, temporary);
  const std::string large = std::string(temporary) + "cherimo-bench-large.jpg";
  const Pixels photo = MakeLargePhoto(4000, 3000);
  if (!WriteBytes(large, EncodeJpeg(4000, 3000, photo))) {
    std::printf("the 12-megapixel JPEG could not be made\n");
    return 1;
  }
  ReportPhotoLoad(large);
  const double decode = MedianOf(5, [&](int) { DecodeImage(reinterpret_cast<ImageSource>(large.c_str()), FrameDC); });
  std::printf("  of which the decode alone (on the worker): %.1f ms (median of 5)\n", decode);
  for (int tray : {1, 0}) {
    ProgramSettings.TrayIcon = tray;
    std::printf("  drag step, 4000x3000 photo fully zoomed out, tray icon %s: %.3f ms (target <= 1 ms)\n",
                tray ? "on" : "off", MedianDragStep());
  }
  ProgramSettings.TrayIcon = 1;
  PrintScaledDragSteps("4000x3000 photo fully zoomed out");
  int photoWidth, photoHeight;
  const uint32_t* photoPixels = DibPixels(Composed->photo, &photoWidth, &photoHeight);
  std::printf("  photo pixels against an exact area average of the same square: mean absolute error %.2f levels "
              "(target <= 3)\n", PhotoMeanError(photoWidth, photoHeight, photoPixels));
  ReportPlatformPipeline(Settings->W3);
  ReportSlideshow(temporary, large);
  DestroyWindow(FrameWindow);
  DeleteFileA(large.c_str());
  CoUninitialize();
  return 0;
}
