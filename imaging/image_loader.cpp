#include "imaging/image_loader.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>
#include <wincodec.h>

#include <cstring>
#include <utility>

#include "app/texts.h"
#include "app/utf_text.h"
#include "imaging/com_ref.h"
#include "imaging/exif_orientation.h"
#include "imaging/image_header.h"
#include "imaging/key_colors.h"
#include "imaging/owned_handle.h"

Surface LoaderSurface;
int32_t LoaderWidth, LoaderHeight;
uint32_t* LoaderPixels;
RefusalRecord LoaderRefusal;

namespace {

constexpr long HIMETRIC_PER_INCH = 2540;

struct DecodedPicture {
  Surface surface;
  int32_t width = 0, height = 0;
  uint32_t* pixels = nullptr;
};

int Refuse(Refusal reason, int64_t width = 0, int64_t height = 0) {
  LoaderRefusal = {reason, width, height};
  return 0;
}

// The whole file in one read. Files of 4 GB and more are no pictures we can
// hold, and an empty one is none.
int ReadFileBytes(const char* path, GlobalMemory& memory, DWORD& size) {
  wchar_t widePath[WIDE_PATH_SIZE];
  if (!WidenPath(path, widePath, WIDE_PATH_SIZE)) return Refuse(Refusal::PATH_TOO_LONG);
  OwnedFile file;
  file.handle = CreateFileW(widePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file.handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(widePath);
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return Refuse(folder ? Refusal::NOT_A_PICTURE : RefusalOfOpenError(error));
  }
  DWORD high = 0;
  size = GetFileSize(file.handle, &high);
  if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return Refuse(Refusal::UNREADABLE);
  if (high != 0) return Refuse(Refusal::TOO_LARGE);
  if (size == 0) return Refuse(Refusal::NOT_A_PICTURE);
  memory.handle = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory.handle) return Refuse(Refusal::TOO_LARGE);
  void* bytes = GlobalLock(memory.handle);
  if (!bytes) return Refuse(Refusal::TOO_LARGE);
  DWORD read = 0;
  const BOOL ok = ReadFile(file.handle, bytes, size, &read, nullptr);
  GlobalUnlock(memory.handle);
  return ok && read == size ? 1 : Refuse(Refusal::UNREADABLE);
}

int ReadResourceBytes(WORD id, GlobalMemory& memory, DWORD& size) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), TEXT_IMAGE_RESOURCE_TYPE);
  if (!found) return 0;
  HGLOBAL loaded = LoadResource(module, found);
  size = SizeofResource(module, found);
  const void* resource = loaded ? LockResource(loaded) : nullptr;
  if (!resource || size == 0) return 0;
  memory.handle = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory.handle) return 0;
  void* bytes = GlobalLock(memory.handle);
  if (!bytes) return 0;
  std::memcpy(bytes, resource, size);
  GlobalUnlock(memory.handle);
  return 1;
}

int ReadSourceBytes(ImageSource source, GlobalMemory& memory, DWORD& size) {
  if (source > IMAGE_SOURCE_MAX_RESOURCE_ID) return ReadFileBytes(reinterpret_cast<const char*>(source), memory, size);
  return source != 0 && ReadResourceBytes(static_cast<WORD>(source), memory, size) ? 1 : Refuse(Refusal::NOT_FOUND);
}

ImageHeader ReadHeaderOf(const GlobalMemory& memory, DWORD size) {
  ImageHeader header;
  if (const void* bytes = GlobalLock(memory.handle)) {
    header = ReadImageHeader(static_cast<const uint8_t*>(bytes), size);
    GlobalUnlock(memory.handle);
  }
  return header;
}

int DeclaresTooLargeAPicture(const ImageHeader& header) {
  return (header.width != 0 || header.height != 0) && !ImageSizeAllowed(header.width, header.height);
}

// Pictures with a physical size (metafiles) come out at the reference's density.
void ReadDensity(HDC reference, int& x, int& y) {
  HDC dc = reference ? reference : GetDC(nullptr);
  x = GetDeviceCaps(dc, LOGPIXELSX);
  y = GetDeviceCaps(dc, LOGPIXELSY);
  if (!reference) ReleaseDC(nullptr, dc);
}

enum class Route { NOT_ACCEPTED, FAILED, DECODED };

Route DecodeWithOle(IStream* stream, DWORD size, HDC reference, DecodedPicture& decoded) {
  ComRef<IPicture> picture;
  if (OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture, picture.ReceiveVoid()) != S_OK) {
    return Route::NOT_ACCEPTED;
  }
  OLE_XSIZE_HIMETRIC himetricWidth = 0;
  OLE_YSIZE_HIMETRIC himetricHeight = 0;
  if (FAILED(picture->get_Width(&himetricWidth)) || FAILED(picture->get_Height(&himetricHeight))) return Route::FAILED;
  int densityX, densityY;
  ReadDensity(reference, densityX, densityY);
  const int width = MulDiv(himetricWidth, densityX, HIMETRIC_PER_INCH);
  const int height = MulDiv(himetricHeight, densityY, HIMETRIC_PER_INCH);
  if (!MakeDibSurface(reference, decoded.surface, decoded.width, decoded.height, decoded.pixels, width, height)) {
    return Route::FAILED;
  }
  if (FAILED(picture->Render(decoded.surface.dc, 0, 0, width, height, 0, himetricHeight, himetricWidth,
                             -himetricHeight, nullptr))) {
    return Route::FAILED;
  }
  return Route::DECODED;
}

// Most photos decode to 24-bit rows, which are copied straight into the
// surface and widened in place; anything else goes through a converter to
// 32-bit colour, transparent pixels white.
int CopyFramePixels(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, DecodedPicture& decoded) {
  const UINT stride = static_cast<UINT>(decoded.width) * 4, size = stride * static_cast<UINT>(decoded.height);
  BYTE* pixels = reinterpret_cast<BYTE*>(decoded.pixels);
  WICPixelFormatGUID format = {};
  if (SUCCEEDED(frame->GetPixelFormat(&format)) && format == GUID_WICPixelFormat24bppBGR) {
    if (FAILED(frame->CopyPixels(nullptr, stride, size, pixels))) return 0;
    WidenBgrRows(pixels, decoded.width, decoded.height);
    return 1;
  }
  ComRef<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.Receive())) ||
      FAILED(converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->CopyPixels(nullptr, stride, size, pixels))) {
    return 0;
  }
  FlattenOntoWhite(decoded.pixels, static_cast<size_t>(decoded.width) * static_cast<size_t>(decoded.height));
  return 1;
}

// The first frame of anything the Windows Imaging Component reads.
Route DecodeWithWic(IStream* stream, HDC reference, DecodedPicture& decoded) {
  ComRef<IWICImagingFactory> factory;
  ComRef<IWICBitmapDecoder> decoder;
  ComRef<IWICBitmapFrameDecode> frame;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              factory.ReceiveVoid())) ||
      FAILED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, decoder.Receive()))) {
    return Route::NOT_ACCEPTED;
  }
  UINT width = 0, height = 0;
  if (FAILED(decoder->GetFrame(0, frame.Receive())) || FAILED(frame->GetSize(&width, &height)) || width == 0 ||
      height == 0) {
    return Route::FAILED;
  }
  if (!ImageSizeAllowed(width, height)) {
    Refuse(Refusal::TOO_LARGE, width, height);
    return Route::FAILED;
  }
  if (!MakeDibSurface(reference, decoded.surface, decoded.width, decoded.height, decoded.pixels,
                      static_cast<int>(width), static_cast<int>(height)) ||
      !CopyFramePixels(factory.pointer, frame.pointer, decoded)) {
    return Route::FAILED;
  }
  return Route::DECODED;
}

int Rewind(IStream* stream) {
  const LARGE_INTEGER start = {};
  return SUCCEEDED(stream->Seek(start, STREAM_SEEK_SET, nullptr));
}

// The Imaging Component first: it reads every raster format alike on Windows
// and under Wine (OLE takes PNG only under Wine), and it decodes a large JPEG
// several times faster than OLE under Wine. OLE then takes the metafiles.
// Bytes that begin as a picture but that no decoder gets through are a
// damaged picture; others that no decoder takes are none.
int DecodeStream(GlobalMemory& memory, DWORD size, const ImageHeader& header, HDC reference,
                 DecodedPicture& decoded) {
  ComRef<IStream> stream;
  if (CreateStreamOnHGlobal(memory.handle, TRUE, stream.Receive()) != S_OK) return Refuse(Refusal::TOO_LARGE);
  memory.handle = nullptr;  // the stream frees it now
  LoaderRefusal.reason = Refusal::NONE;
  Route route = DecodeWithWic(stream.pointer, reference, decoded);
  if (route == Route::NOT_ACCEPTED) {
    route = Rewind(stream.pointer) ? DecodeWithOle(stream.pointer, size, reference, decoded) : Route::FAILED;
  }
  if (route == Route::DECODED) return 1;
  if (LoaderRefusal.reason != Refusal::NONE) return 0;
  return Refuse(route == Route::FAILED || header.known ? Refusal::DAMAGED : Refusal::NOT_A_PICTURE);
}

int TurnUpright(int orientation, HDC reference, DecodedPicture& decoded) {
  if (orientation == 1) return 1;
  const bool swap = OrientationSwapsSides(orientation);
  DecodedPicture upright;
  if (!MakeDibSurface(reference, upright.surface, upright.width, upright.height, upright.pixels,
                      swap ? decoded.height : decoded.width, swap ? decoded.width : decoded.height)) {
    return 0;
  }
  OrientPixels(decoded.pixels, decoded.width, decoded.height, orientation, upright.pixels);
  decoded = std::move(upright);
  return 1;
}

}  // namespace

int DecodeImage(ImageSource source, HDC reference) {
  GlobalMemory memory;
  DWORD size = 0;
  if (!ReadSourceBytes(source, memory, size)) return 0;
  const ImageHeader header = ReadHeaderOf(memory, size);
  if (DeclaresTooLargeAPicture(header)) return Refuse(Refusal::TOO_LARGE, header.width, header.height);
  DecodedPicture decoded;
  if (!DecodeStream(memory, size, header, reference, decoded)) return 0;
  // GDI and the decoders may leave pending drawing; the pixels are read directly next.
  GdiFlush();
  ClearFourthBytes(decoded.pixels, static_cast<size_t>(decoded.width) * static_cast<size_t>(decoded.height));
  if (!TurnUpright(header.orientation, reference, decoded)) return Refuse(Refusal::TOO_LARGE);
  LoaderRefusal = {};
  LoaderSurface = std::move(decoded.surface);
  LoaderWidth = decoded.width;
  LoaderHeight = decoded.height;
  LoaderPixels = decoded.pixels;
  return 1;
}

void TakeLoaderSurface(Surface& target) {
  target = std::move(LoaderSurface);
  LoaderWidth = 0;
  LoaderHeight = 0;
  LoaderPixels = nullptr;
}
