// The manifest that the exe carries: it names the exe's own architecture and
// asks for version 6 of the common controls.
#include <string>

namespace {

TEST(Resources, TheManifestNamesTheExesArchitectureAndAsksForCommonControlsSix) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr);
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                             SizeofResource(nullptr, found));
  const std::string architecture = sizeof(void*) == 4 ? "x86" : "amd64";
  EXPECT_NE(manifest.find("name=\"Brivanta Cherimo\" version=\"0.1.0.0\" processorArchitecture=\"" + architecture),
            std::string::npos);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
}

}  // namespace
