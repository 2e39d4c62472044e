#include "imaging/picture_types.h"

#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <cstring>

#include "app/texts.h"
#include "imaging/com_ref.h"
#include "imaging/extension_list.h"

namespace {

char Extensions[2048];
char Filter[4 * sizeof Extensions];

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
    if (SUCCEEDED(codec->GetFileExtensions(sizeof list / sizeof list[0], list, &length))) {
      AddExtensionList(Extensions, sizeof Extensions, list);
    }
  }
}

}  // namespace

const char* PictureExtensions() {
  if (Extensions[0]) return Extensions;
  AddDecoderExtensions();
  AddExtensionList(Extensions, sizeof Extensions, TEXT_EXTRA_PICTURE_EXTENSIONS);
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
