// Draws every built-in picture of the program into the source tree:
//   generate_pictures <repository root> [thumbnails]
// writes resources/frames/2000.png ... 2090.png, the menu's thumbnail sheets
// resources/thumbnails/<size>.png, resources/photo.png, splash.png,
// hint.png, icon.ico, pictures.rc and docs/contact-sheet.png. With
// "thumbnails" it makes only the sheets and pictures.rc, from the committed
// frames.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/ids.h"
#include "contact_sheet.h"
#include "framewindow/frame_catalogue.h"
#include "funny_frames.h"
#include "icon_file.h"
#include "material_frames.h"
#include "png_reader.h"
#include "small_pictures.h"
#include "thumbnail_sheets.h"

namespace {

struct CatalogueNames {
  std::vector<CatalogueEntry> frames;
  std::string group;
};

void NoteGroup(void* context, const char* name, int32_t, uint32_t) { static_cast<CatalogueNames*>(context)->group = name; }

void NoteFrame(void* context, int32_t id, const char* name) {
  CatalogueNames& names = *static_cast<CatalogueNames*>(context);
  names.frames.push_back({id, names.group, name, {}});
}

RgbImage DrawFrame(const std::string& group, int position) {
  if (group == "Funny") return DrawFunnyFrame(position);
  const Material material = group == "Cork"     ? Material::Cork
                            : group == "Marble" ? Material::Marble
                            : group == "Metal"  ? Material::Metal
                            : group == "Rattan" ? Material::Rattan
                                                : Material::Wood;
  return DrawMaterialFrame(material, position);
}

void WriteResourceScript(const std::filesystem::path& path, const std::vector<CatalogueEntry>& frames) {
  std::ofstream out(path, std::ios::binary);
  out << "// Built-in pictures of the named type \"R\", drawn by tools/generate_pictures.\n";
  out << HINT_PICTURE_ID << " R \"hint.png\"\n";
  out << SPLASH_PICTURE_ID << " R \"splash.png\"\n";
  out << DEFAULT_PHOTO_ID << " R \"photo.png\"\n";
  for (const CatalogueEntry& frame : frames) out << frame.id << " R \"frames/" << frame.id << ".png\"\n";
  for (int size : FRAME_THUMBNAIL_SHEET_SIZES) {
    out << FRAME_THUMBNAILS_ID_BASE + size << " R \"thumbnails/" << size << ".png\"\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool thumbnailsOnly = argc == 3 && std::string(argv[2]) == "thumbnails";
  if (argc != 2 && !thumbnailsOnly) {
    std::fprintf(stderr, "usage: %s <repository root> [thumbnails]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path root = argv[1], resources = root / "resources";
  std::filesystem::create_directories(resources / "frames");
  std::filesystem::create_directories(root / "docs");

  CatalogueNames catalogue;
  WalkFrameCatalogue(FrameCatalogue.data(), FrameCatalogue.size(), {&catalogue, NoteGroup, NoteFrame});
  std::string group;
  int position = 0;
  for (CatalogueEntry& frame : catalogue.frames) {
    const std::string path = (resources / "frames" / (std::to_string(frame.id) + ".png")).string();
    if (thumbnailsOnly) {
      frame.frame = ReadStoredPng(path).pixels;
      if (frame.frame.cells.empty()) {
        std::fprintf(stderr, "%s is no 8-bit RGB picture\n", path.c_str());
        return 1;
      }
      continue;
    }
    position = frame.group == group ? position + 1 : 0;
    group = frame.group;
    frame.frame = DrawFrame(frame.group, position);
    WritePng(path, frame.frame);
  }
  WriteThumbnailSheets((resources / "thumbnails").string(), catalogue.frames);
  WriteResourceScript(resources / "pictures.rc", catalogue.frames);
  if (thumbnailsOnly) return 0;
  const RgbImage photo = DrawDefaultPhoto();
  WritePng((resources / "photo.png").string(), photo);
  WritePng((resources / "splash.png").string(), DrawSplash());
  WritePng((resources / "hint.png").string(), DrawHint());
  // Every size Windows asks for at the common scales, with alpha; 32 x 32 in
  // 16 and 256 colours, as it always was.
  std::vector<IconPicture> icon;
  for (const auto& [size, bits] : {std::pair{16, 32}, {20, 32}, {24, 32}, {32, 4}, {32, 8}, {40, 32}, {48, 32},
                                  {64, 32}, {256, 32}})
    icon.push_back({DrawIconArt(size), bits});
  WriteIcon((resources / "icon.ico").string(), icon);
  WriteContactSheet((root / "docs" / "contact-sheet.png").string(), catalogue.frames, photo);
  return 0;
}
