#include "imaging/image_loader.h"

#include <objbase.h>
#include <shlwapi.h>
#include <ocidl.h>
#include <olectl.h>
#include <wincodec.h>

#include <cstring>
#include <utility>

#include "app/texts.h"
#include "app/utf_text.h"
#include "imaging/com_ref.h"
#include "imaging/exif_orientation.h"
#include "imaging/heap_array.h"
#include "imaging/image_header.h"
#include "imaging/key_colors.h"
#include "imaging/owned_handle.h"

Surface LoaderSurface;
int32_t LoaderWidth, LoaderHeight;
uint32_t* LoaderPixels;
RefusalRecord LoaderRefusal;

namespace {

constexpr long HIMETRIC_PER_INCH = 2540;

int Refuse(RefusalRecord& refusal, Refusal reason, int64_t width = 0, int64_t height = 0) {
  refusal = {reason, width, height};
  return 0;
}

// What a decoder reads from: a stream on the file, or on a copy of a
// resource, with the first bytes already checked.
struct PictureSource {
  ComRef<IStream> stream;
  uint64_t size = 0;
  ImageHeader header;
};

// A file is opened and its first bytes read and checked before the rest: a
// picture declared too large, or a file that begins as no picture its name
// promises, is refused without being read further. The decoders then read
// what they need from the file itself, never a whole copy in memory.
int OpenPictureFile(const char* path, PictureSource& source, RefusalRecord& refusal) {
  wchar_t widePath[WIDE_PATH_SIZE];
  if (!WidenPath(path, widePath, WIDE_PATH_SIZE)) return Refuse(refusal, Refusal::PATH_TOO_LONG);
  OwnedFile file;
  file.handle = CreateFileW(widePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file.handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(widePath);
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return Refuse(refusal, folder ? Refusal::NOT_A_PICTURE : RefusalOfOpenError(error));
  }
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file.handle, &size)) return Refuse(refusal, Refusal::UNREADABLE);
  HeapArray<uint8_t> head;
  DWORD read = 0;
  if (!head.Allocate(HEADER_BYTES)) return Refuse(refusal, Refusal::TOO_LARGE);
  if (!ReadFile(file.handle, head.data, HEADER_BYTES, &read, nullptr)) return Refuse(refusal, Refusal::UNREADABLE);
  if (read == 0 || BeginsAsNoPicture(head.data, read, path)) return Refuse(refusal, Refusal::NOT_A_PICTURE);
  source.header = ReadImageHeader(head.data, read);
  source.size = static_cast<uint64_t>(size.QuadPart);
  if (FAILED(SHCreateStreamOnFileEx(widePath, STGM_READ | STGM_SHARE_DENY_NONE, FILE_ATTRIBUTE_NORMAL, FALSE, nullptr,
                                    source.stream.Receive()))) {
    return Refuse(refusal, Refusal::UNREADABLE);
  }
  return 1;
}

// The exe's own pictures are small: a copy of the bytes makes the stream.
int OpenPictureResource(WORD id, PictureSource& source, RefusalRecord& refusal) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = id ? FindResourceA(module, MAKEINTRESOURCEA(id), TEXT_IMAGE_RESOURCE_TYPE) : nullptr;
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const DWORD size = found ? SizeofResource(module, found) : 0;
  const void* resource = loaded ? LockResource(loaded) : nullptr;
  if (!resource || size == 0) return Refuse(refusal, Refusal::NOT_FOUND);
  GlobalMemory memory;
  memory.handle = GlobalAlloc(GMEM_MOVEABLE, size);
  void* bytes = memory.handle ? GlobalLock(memory.handle) : nullptr;
  if (!bytes) return Refuse(refusal, Refusal::TOO_LARGE);
  std::memcpy(bytes, resource, size);
  source.header = ReadImageHeader(static_cast<const uint8_t*>(bytes), size);
  GlobalUnlock(memory.handle);
  if (CreateStreamOnHGlobal(memory.handle, TRUE, source.stream.Receive()) != S_OK) return Refuse(refusal, Refusal::TOO_LARGE);
  memory.handle = nullptr;  // the stream frees it now
  source.size = size;
  return 1;
}

int OpenPictureSource(ImageSource image, PictureSource& source, RefusalRecord& refusal) {
  if (image > IMAGE_SOURCE_MAX_RESOURCE_ID) return OpenPictureFile(reinterpret_cast<const char*>(image), source, refusal);
  return OpenPictureResource(static_cast<WORD>(image), source, refusal);
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
Route DecodeWithWic(IStream* stream, HDC reference, DecodedPicture& decoded, RefusalRecord& refusal) {
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
    Refuse(refusal, Refusal::TOO_LARGE, width, height);
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
int DecodeSource(PictureSource& source, HDC reference, DecodedPicture& decoded, RefusalRecord& refusal) {
  refusal = {};
  Route route = DecodeWithWic(source.stream.pointer, reference, decoded, refusal);
  if (route == Route::NOT_ACCEPTED) {
    const auto size = static_cast<DWORD>(source.size < 0x7FFFFFFF ? source.size : 0x7FFFFFFF);
    route = Rewind(source.stream.pointer) ? DecodeWithOle(source.stream.pointer, size, reference, decoded) : Route::FAILED;
  }
  if (route == Route::DECODED) return 1;
  if (refusal.reason != Refusal::NONE) return 0;
  return Refuse(refusal, route == Route::FAILED || source.header.known ? Refusal::DAMAGED : Refusal::NOT_A_PICTURE);
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

int DecodePicture(ImageSource image, HDC reference, DecodedPicture& decoded, RefusalRecord& refusal) {
  PictureSource source;
  if (!OpenPictureSource(image, source, refusal)) return 0;
  const ImageHeader& header = source.header;
  if (DeclaresTooLargeAPicture(header)) return Refuse(refusal, Refusal::TOO_LARGE, header.width, header.height);
  DecodedPicture made;
  if (!DecodeSource(source, reference, made, refusal)) return 0;
  // GDI and the decoders may leave pending drawing; the pixels are read directly next.
  GdiFlush();
  ClearFourthBytes(made.pixels, static_cast<size_t>(made.width) * static_cast<size_t>(made.height));
  if (!TurnUpright(header.orientation, reference, made)) return Refuse(refusal, Refusal::TOO_LARGE);
  refusal = {};
  decoded = std::move(made);
  return 1;
}

int DecodeImage(ImageSource source, HDC reference) {
  DecodedPicture decoded;
  if (!DecodePicture(source, reference, decoded, LoaderRefusal)) return 0;
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
