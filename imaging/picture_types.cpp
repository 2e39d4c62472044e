#include "imaging/picture_types.h"

#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <cstring>

#include "app/texts.h"
#include "imaging/com_ref.h"

namespace {

char Extensions[2048];
char Filter[4 * sizeof Extensions];

// Adds one extension unless the list holds it already or it does not fit.
void AddExtension(const char* extension, size_t length) {
  if (length < 2 || extension[0] != '.') return;
  char wanted[64];
  if (length + 3 > sizeof wanted) return;
  wanted[0] = ';';
  std::memcpy(wanted + 1, extension, length);
  wanted[length + 1] = ';';
  wanted[length + 2] = '\0';
  char listed[sizeof Extensions + 2];
  lstrcpyA(listed, ";");
  lstrcatA(listed, Extensions);
  lstrcatA(listed, ";");
  const size_t used = std::strlen(Extensions);
  if (std::strstr(listed, wanted) || used + length + 2 > sizeof Extensions) return;
  if (used) Extensions[used] = ';';
  std::memcpy(Extensions + used + (used ? 1 : 0), extension, length);
  Extensions[used + (used ? 1 : 0) + length] = '\0';
}

// A decoder names its extensions as ".jpeg,.jpg" (some with ";"): each is added in lower case.
void AddExtensionList(const wchar_t* list) {
  char extension[64];
  size_t length = 0;
  for (const wchar_t* c = list;; ++c) {
    if (*c == L',' || *c == L';' || *c == L'\0') {
      AddExtension(extension, length);
      length = 0;
      if (*c == L'\0') return;
    } else if (*c > L' ' && *c < 0x80 && length < sizeof extension) {
      extension[length++] = static_cast<char>(*c >= L'A' && *c <= L'Z' ? *c - L'A' + L'a' : *c);
    }
  }
}

void AddDecoderExtensions() {
  ComRef<IWICImagingFactory> factory;
  ComRef<IEnumUnknown> decoders;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              factory.ReceiveVoid())) ||
      FAILED(factory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault, decoders.Receive()))) {
    return;
  }
  ComRef<IUnknown> component;
  ULONG fetched = 0;
  while (decoders->Next(1, component.Receive(), &fetched) == S_OK && fetched == 1) {
    ComRef<IWICBitmapCodecInfo> codec;
    if (FAILED(component->QueryInterface(IID_IWICBitmapCodecInfo, codec.ReceiveVoid()))) continue;
    wchar_t list[512];
    UINT length = 0;
    if (SUCCEEDED(codec->GetFileExtensions(sizeof list / sizeof list[0], list, &length))) AddExtensionList(list);
  }
}

}  // namespace

const char* PictureExtensions() {
  if (Extensions[0]) return Extensions;
  AddDecoderExtensions();
  for (const char* extra = TEXT_EXTRA_PICTURE_EXTENSIONS; *extra;) {
    const char* end = std::strchr(extra, ';');
    const size_t length = end ? static_cast<size_t>(end - extra) : std::strlen(extra);
    AddExtension(extra, length);
    extra += length + (end ? 1 : 0);
  }
  return Extensions;
}

// "Pictures (*.jpg;*.png)", its zero, "*.jpg;*.png", its zero, then any file.
const char* OpenDialogFilter() {
  if (Filter[0]) return Filter;
  char patterns[sizeof Extensions * 2];
  char* out = patterns;
  for (const char* in = PictureExtensions(); *in; ++in) {
    if (in == PictureExtensions() || in[-1] == ';') *out++ = '*';
    *out++ = *in;
  }
  *out = '\0';
  const size_t patternsLength = static_cast<size_t>(out - patterns);
  char* at = Filter;
  auto append = [&at](const char* text, size_t length) {
    std::memcpy(at, text, length);
    at += length;
  };
  append(TEXT_OPEN_DIALOG_PICTURES, sizeof TEXT_OPEN_DIALOG_PICTURES - 1);
  append(" (", 2);
  append(patterns, patternsLength);
  append(")", 2);
  append(patterns, patternsLength + 1);
  append(TEXT_OPEN_DIALOG_ANY_FILE, sizeof TEXT_OPEN_DIALOG_ANY_FILE);
  return Filter;
}
