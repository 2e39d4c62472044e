// The manifest and the version record that the exe carries.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string ManifestOf(HMODULE module) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  if (!found) return "";
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(bytes, SizeofResource(module, found));
}

TEST(Resources, TheManifestAsksForCommonControlsSixOfTheExesOwnArchitecture) {
  const std::string manifest = ManifestOf(nullptr);
  const std::string architecture = sizeof(void*) == 4 ? "x86" : "amd64";
  EXPECT_NE(manifest.find("name=\"Brivanta Cherimo\" version=\"0.1.0.0\" processorArchitecture=\"" + architecture),
            std::string::npos)
      << manifest;
  EXPECT_NE(manifest.find("<description>Happy Valentine's Day!</description>"), std::string::npos);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("publicKeyToken=\"6595b64144ccf1df\" language=\"*\""), std::string::npos);
}

TEST(Resources, TheVersionRecordNamesVersionAndDescription) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  lstrcpyA(strrchr(exe, '\\') + 1, "cherimo.exe");
  DWORD ignored = 0;
  std::vector<char> record(GetFileVersionInfoSizeA(exe, &ignored));
  ASSERT_FALSE(record.empty());
  ASSERT_TRUE(GetFileVersionInfoA(exe, 0, static_cast<DWORD>(record.size()), record.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 0));
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(1, 0));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  char* description = nullptr;
  ASSERT_TRUE(VerQueryValueA(record.data(), "\\StringFileInfo\\040904b0\\FileDescription",
                             reinterpret_cast<void**>(&description), &size));
  EXPECT_STREQ(description, "Happy Valentine's Day!");
}

}  // namespace
