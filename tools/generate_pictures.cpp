// Draws every built-in picture of the program into the source tree:
//   generate_pictures <repository root>
// writes resources/frames/2000.png ... 2090.png, resources/photo.png,
// splash.png, hint.png, icon.ico, pictures.rc and docs/contact-sheet.png.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ids.h"
#include "contact_sheet.h"
#include "framewindow/frame_catalogue.h"
#include "funny_frames.h"
#include "icon_file.h"
#include "material_frames.h"
#include "small_pictures.h"

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
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <repository root>\n", argv[0]);
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
    position = frame.group == group ? position + 1 : 0;
    group = frame.group;
    frame.frame = DrawFrame(frame.group, position);
    WritePng((resources / "frames" / (std::to_string(frame.id) + ".png")).string(), frame.frame);
  }
  const RgbImage photo = DrawDefaultPhoto();
  WritePng((resources / "photo.png").string(), photo);
  WritePng((resources / "splash.png").string(), DrawSplash());
  WritePng((resources / "hint.png").string(), DrawHint());
  WriteIcon((resources / "icon.ico").string(), DrawIconArt());
  WriteResourceScript(resources / "pictures.rc", catalogue.frames);
  WriteContactSheet((root / "docs" / "contact-sheet.png").string(), catalogue.frames, photo);
  return 0;
}
