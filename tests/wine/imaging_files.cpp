#include "tests/wine/imaging_files.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "imaging/com_ref.h"

namespace {

void Put16(Bytes& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}
void Put32(Bytes& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}
void PutBig32(Bytes& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = crc & 1 ? 0xEDB88320 ^ (crc >> 1) : crc >> 1;
  }
  return ~crc;
}

void PutChunk(Bytes& png, const char* type, const Bytes& data) {
  PutBig32(png, static_cast<uint32_t>(data.size()));
  Bytes typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  png.insert(png.end(), typed.begin(), typed.end());
  PutBig32(png, Crc32(typed.data(), typed.size()));
}

Bytes PngStart(uint32_t width, uint32_t height) {
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  PutBig32(header, width);
  PutBig32(header, height);
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  PutChunk(png, "IHDR", header);
  return png;
}

Bytes PngEnd(Bytes png, const Bytes& compressed) {
  PutChunk(png, "IDAT", compressed);
  PutChunk(png, "IEND", {});
  return png;
}

// Writes deflate bits, least significant first; Huffman codes go in from their top bit.
struct BitWriter {
  Bytes bytes;
  uint32_t pending = 0;
  int count = 0;
  void Bits(uint32_t value, int length) {
    for (int i = 0; i < length; ++i) Bit(value >> i & 1);
  }
  void Code(uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Bit(code >> i & 1);
  }
  void Bit(uint32_t bit) {
    pending |= bit << count;
    if (++count == 8) {
      bytes.push_back(static_cast<uint8_t>(pending));
      pending = 0;
      count = 0;
    }
  }
  void Flush() {
    if (count) bytes.push_back(static_cast<uint8_t>(pending));
    pending = 0;
    count = 0;
  }
};

Bytes ToBgrRows(int width, int height, const Pixels& pixels, int rowBytes, bool bottomUp) {
  Bytes rows(static_cast<size_t>(rowBytes) * height, 0);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = rows.data() + static_cast<size_t>(bottomUp ? height - 1 - y : y) * rowBytes;
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      row[3 * x] = static_cast<uint8_t>(p);
      row[3 * x + 1] = static_cast<uint8_t>(p >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(p >> 16);
    }
  }
  return rows;
}

}  // namespace

TempFolder::TempFolder() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  static int folders;
  char name[MAX_PATH];
  wsprintfA(name, "%scherimo-imaging-%lu-%d", base, GetCurrentProcessId(), ++folders);
  path = name;
  CreateDirectoryA(path.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!std::strcmp(found.cFileName, ".") || !std::strcmp(found.cFileName, "..")) continue;
      const std::string item = File(found.cFileName);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryA(item.c_str());
      } else {
        DeleteFileA(item.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

bool WriteBytes(const std::string& path, const Bytes& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

Pixels MakeFramePixels(int width, int height) {
  Pixels pixels(static_cast<size_t>(width) * height);
  const double cx = width / 2.0, cy = height / 2.0, outer = 0.45 * std::min(width, height),
               inner = 0.3 * std::min(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      pixels[static_cast<size_t>(y) * width + x] =
          d >= outer ? 0x0000FF00 : d < inner ? 0x00FF00FF : 0x00800000 | static_cast<uint32_t>(x * 255 / width) << 8;
    }
  }
  pixels[static_cast<size_t>(height / 2 - static_cast<int>(0.4 * std::min(width, height))) * width + width / 2] =
      0x0000FE00;
  return pixels;
}

Pixels MakePhotoPixels(int width, int height) {
  Pixels pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool right = x >= width / 2, bottom = y >= height / 2;
      pixels[static_cast<size_t>(y) * width + x] =
          !right && !bottom ? 0x00E02020
          : right && !bottom ? 0x0020E020
          : !right          ? 0x002020E0
                            : static_cast<uint32_t>(x * 255 / width) << 16 | static_cast<uint32_t>(y * 255 / height);
    }
  }
  return pixels;
}

Bytes EncodeBmp(int width, int height, const Pixels& pixels) {
  const int rowBytes = (3 * width + 3) & ~3;
  const Bytes rows = ToBgrRows(width, height, pixels, rowBytes, true);
  Bytes bmp = {'B', 'M'};
  Put32(bmp, static_cast<uint32_t>(54 + rows.size()));
  Put32(bmp, 0);
  Put32(bmp, 54);
  Put32(bmp, 40);
  Put32(bmp, width);
  Put32(bmp, height);
  Put16(bmp, 1);
  Put16(bmp, 24);
  for (int i = 0; i < 6; ++i) Put32(bmp, 0);
  bmp.insert(bmp.end(), rows.begin(), rows.end());
  return bmp;
}

Bytes EncodePng(int width, int height, const Pixels& pixels) {
  // Filter byte 0 before each row, then the zlib stream in stored blocks.
  Bytes raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      raw.insert(raw.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)});
    }
  }
  Bytes zlib = {0x78, 0x01};
  for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    const size_t length = std::min<size_t>(65535, raw.size() - at);
    zlib.push_back(at + length >= raw.size() ? 1 : 0);
    Put16(zlib, static_cast<uint32_t>(length));
    Put16(zlib, static_cast<uint32_t>(~length & 0xFFFF));
    zlib.insert(zlib.end(), raw.begin() + at, raw.begin() + at + length);
  }
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBig32(zlib, b << 16 | a);
  return PngEnd(PngStart(width, height), zlib);
}

Bytes EncodeBlackPng(uint32_t width, uint32_t height) {
  // All bytes of the filtered rows are 0: one literal, then copies of 258
  // bytes at distance 1, in one block with the fixed codes.
  const uint64_t total = static_cast<uint64_t>(height) * (1 + 3ull * width);
  BitWriter bits;
  bits.bytes = {0x78, 0x01};
  bits.Bits(1, 1);          // last block
  bits.Bits(1, 2);          // fixed Huffman codes
  bits.Code(0x30, 8);       // literal 0
  uint64_t left = total - 1;
  for (; left >= 258; left -= 258) {
    bits.Code(0xC5, 8);     // length 258
    bits.Code(0, 5);        // distance 1
  }
  for (; left > 0; --left) bits.Code(0x30, 8);
  bits.Code(0, 7);          // end of block
  bits.Flush();
  PutBig32(bits.bytes, static_cast<uint32_t>(total % 65521) << 16 | 1);
  return PngEnd(PngStart(width, height), bits.bytes);
}

Bytes EncodeGif(int width, int height, const Pixels& pixels) {
  std::map<uint32_t, uint8_t> palette;
  for (uint32_t p : pixels) {
    if (!palette.count(p) && palette.size() < 256) palette.emplace(p, static_cast<uint8_t>(palette.size()));
  }
  Bytes gif = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(gif, width);
  Put16(gif, height);
  gif.insert(gif.end(), {0xF7, 0, 0});  // a global table of 256 colours
  Bytes table(256 * 3, 0);
  for (const auto& [color, index] : palette) {
    table[3 * index] = static_cast<uint8_t>(color >> 16);
    table[3 * index + 1] = static_cast<uint8_t>(color >> 8);
    table[3 * index + 2] = static_cast<uint8_t>(color);
  }
  gif.insert(gif.end(), table.begin(), table.end());
  gif.push_back(0x2C);
  Put16(gif, 0);
  Put16(gif, 0);
  Put16(gif, width);
  Put16(gif, height);
  gif.push_back(0);
  gif.push_back(8);  // minimum code size
  // Nine-bit codes throughout: a clear code before the table would grow.
  BitWriter codes;
  for (size_t i = 0; i < pixels.size(); ++i) {
    if (i % 250 == 0) codes.Bits(256, 9);
    codes.Bits(palette.count(pixels[i]) ? palette[pixels[i]] : 0, 9);
  }
  codes.Bits(257, 9);
  codes.Flush();
  for (size_t at = 0; at < codes.bytes.size(); at += 255) {
    const size_t length = std::min<size_t>(255, codes.bytes.size() - at);
    gif.push_back(static_cast<uint8_t>(length));
    gif.insert(gif.end(), codes.bytes.begin() + at, codes.bytes.begin() + at + length);
  }
  gif.push_back(0);
  gif.push_back(0x3B);
  return gif;
}

Bytes EncodeIco(int side, const Pixels& pixels) {
  const int maskRowBytes = ((side + 31) / 32) * 4;
  const uint32_t imageBytes = 40 + side * side * 4 + maskRowBytes * side;
  Bytes ico;
  Put16(ico, 0);
  Put16(ico, 1);
  Put16(ico, 1);
  ico.insert(ico.end(), {static_cast<uint8_t>(side), static_cast<uint8_t>(side), 0, 0});
  Put16(ico, 1);
  Put16(ico, 32);
  Put32(ico, imageBytes);
  Put32(ico, 22);
  Put32(ico, 40);
  Put32(ico, side);
  Put32(ico, 2 * side);  // colour and mask
  Put16(ico, 1);
  Put16(ico, 32);
  for (int i = 0; i < 6; ++i) Put32(ico, 0);
  for (int y = side - 1; y >= 0; --y) {
    for (int x = 0; x < side; ++x) Put32(ico, pixels[static_cast<size_t>(y) * side + x] | 0xFF000000);
  }
  ico.insert(ico.end(), static_cast<size_t>(maskRowBytes) * side, 0);
  return ico;
}

Bytes EncodeJpeg(int width, int height, const Pixels& pixels, int orientation) {
  ComRef<IWICImagingFactory> factory;
  ComRef<IStream> stream;
  ComRef<IWICBitmapEncoder> encoder;
  ComRef<IWICBitmapFrameEncode> frame;
  ComRef<IPropertyBag2> options;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              factory.ReceiveVoid())) ||
      FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive())) ||
      FAILED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, encoder.Receive())) ||
      FAILED(encoder->Initialize(stream.pointer, WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.Receive(), options.Receive())) || FAILED(frame->Initialize(options.pointer)) ||
      FAILED(frame->SetSize(width, height))) {
    return {};
  }
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR) return {};
  const int rowBytes = 3 * width;
  constexpr int strip = 256;
  for (int top = 0; top < height; top += strip) {
    const int rows = std::min(strip, height - top);
    const Pixels part(pixels.begin() + static_cast<size_t>(top) * width,
                      pixels.begin() + static_cast<size_t>(top + rows) * width);
    Bytes bgr = ToBgrRows(width, rows, part, rowBytes, false);
    if (FAILED(frame->WritePixels(rows, rowBytes, static_cast<UINT>(bgr.size()), bgr.data()))) return {};
  }
  if (FAILED(frame->Commit()) || FAILED(encoder->Commit())) return {};
  STATSTG stat = {};
  const LARGE_INTEGER start = {};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) return {};
  Bytes jpeg(static_cast<size_t>(stat.cbSize.QuadPart));
  ULONG read = 0;
  if (FAILED(stream->Read(jpeg.data(), static_cast<ULONG>(jpeg.size()), &read)) || read != jpeg.size()) return {};
  if (orientation) {
    // APP1: "Exif\0\0", a little-endian TIFF header and one directory entry.
    Bytes app1 = {0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0,
                  0x12, 0x01, 3, 0, 1, 0, 0, 0, static_cast<uint8_t>(orientation), 0, 0, 0, 0, 0, 0, 0};
    jpeg.insert(jpeg.begin() + 2, app1.begin(), app1.end());
  }
  return jpeg;
}

bool WriteEmf(const std::string& path, COLORREF color) {
  const RECT inch = {0, 0, 2540, 2540};  // in 0.01 mm
  HDC metafile = CreateEnhMetaFileA(nullptr, path.c_str(), &inch, nullptr);
  if (!metafile) return false;
  HBRUSH brush = CreateSolidBrush(color);
  const int width = MulDiv(GetDeviceCaps(metafile, HORZRES), 2540, 100 * GetDeviceCaps(metafile, HORZSIZE));
  const RECT all = {0, 0, width, width};
  FillRect(metafile, &all, brush);
  DeleteObject(brush);
  HENHMETAFILE done = CloseEnhMetaFile(metafile);
  if (!done) return false;
  DeleteEnhMetaFile(done);
  return true;
}

std::vector<BadFile> MakeBadFiles(const TempFolder& folder) {
  std::vector<BadFile> files;
  auto add = [&](const char* name, const char* fileName, const Bytes& bytes) {
    files.push_back({name, folder.File(fileName)});
    WriteBytes(files.back().path, bytes);
  };
  add("empty file", "empty.jpg", {});
  const Bytes png = EncodePng(64, 64, MakePhotoPixels(64, 64));
  add("truncated PNG", "truncated.png", Bytes(png.begin(), png.begin() + png.size() / 2));
  const Bytes jpeg = EncodeJpeg(64, 64, MakePhotoPixels(64, 64));
  add("JPEG cut inside its tables", "truncated.jpg", Bytes(jpeg.begin(), jpeg.begin() + std::min<size_t>(100, jpeg.size())));
  const char text[] = "This is a letter, not a picture.\r\n";
  add("text named .jpg", "letter.jpg", Bytes(text, text + sizeof text - 1));
  Bytes absurd = EncodePng(8, 8, MakePhotoPixels(8, 8));
  {
    Bytes header = PngStart(0x7FFFFFFF, 0x7FFFFFFF);
    std::copy(header.begin(), header.end(), absurd.begin());
  }
  add("PNG with an absurd header size", "absurd.png", absurd);
  Bytes noFrames = {'G', 'I', 'F', '8', '9', 'a', 16, 0, 16, 0, 0, 0, 0, 0x3B};
  add("GIF with no frames", "empty.gif", noFrames);
  add("20000 x 20000 PNG", "huge.png", EncodeBlackPng(20000, 20000));
  Bytes wide = jpeg;
  for (size_t i = 2; i + 9 < wide.size(); ++i) {
    if (wide[i] == 0xFF && wide[i + 1] == 0xC0) {  // baseline frame header: height, then width
      wide[i + 5] = 20000 >> 8;
      wide[i + 6] = 20000 & 0xFF;
      wide[i + 7] = 30000 >> 8;
      wide[i + 8] = 30000 & 0xFF;
      break;
    }
  }
  add("30000 pixel wide JPEG", "wide.jpg", wide);
  files.push_back({"folder", folder.File("folder.jpg")});
  CreateDirectoryA(files.back().path.c_str(), nullptr);
  files.push_back({"missing path", folder.File("missing.jpg")});
  return files;
}
