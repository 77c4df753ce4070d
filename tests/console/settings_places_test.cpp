// Where ORBITA.INI is read from: beside the program, in the user's application data folder
// Acenora, or in the Windows folder; the first that exists is read whole, even for a key only
// a later one holds.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "console/ObCrt.h"
#include "support/probe_process.h"

namespace {

std::string EnvironmentFolder(const char* name, const char* below) {
  char folder[MAX_PATH] = {};
  GetEnvironmentVariableA(name, folder, MAX_PATH);
  return std::string(folder) + below;
}

std::string WindowsFolder() {
  char folder[MAX_PATH] = {};
  GetWindowsDirectoryA(folder, MAX_PATH);
  return folder;
}

const std::string UserFolder = EnvironmentFolder("APPDATA", "\\Acenora");
const std::string CopyFolder = EnvironmentFolder("TEMP", "\\Acenora teste de lugares");

// A settings file whose MARCA names its place; only the Windows folder's has SOMENTE.
void WriteSettings(const std::string& folder, const std::string& mark) {
  CreateDirectoryA(folder.c_str(), nullptr);
  std::ofstream(folder + "\\ORBITA.INI")
      << "; " << mark << "\r\n[VIDEO]\r\nMARCA=" << mark << "\r\n"
      << (mark == "windows" ? "SOMENTE=windows\r\n" : "");
}

void RemoveSettings() {
  for (const std::string& folder : {UserFolder, WindowsFolder(), CopyFolder})
    DeleteFileA((folder + "\\ORBITA.INI").c_str());
}

std::string Mark() { return ReadSetting("VIDEO", "MARCA", "nenhum"); }

class SettingsPlaces : public ::testing::Test {
 protected:
  void SetUp() override { RemoveSettings(); }
  void TearDown() override { RemoveSettings(); }
};

TEST_F(SettingsPlaces, TheUserFolderAndTheWindowsFolderAloneAndTheUserFolderFirst) {
  EXPECT_EQ(Mark(), "nenhum");
  EXPECT_EQ(NarrowText(SettingsPath()), WindowsFolder() + "\\ORBITA.INI") << "none: as before";
  WriteSettings(WindowsFolder(), "windows");
  EXPECT_EQ(Mark(), "windows");
  WriteSettings(UserFolder, "usuario");
  EXPECT_EQ(Mark(), "usuario");
  EXPECT_EQ(ReadSetting("VIDEO", "SOMENTE", "-"), "-") << "the first file is read whole";
  DeleteFileA((WindowsFolder() + "\\ORBITA.INI").c_str());
  EXPECT_EQ(Mark(), "usuario");
}

// A copy of this program in a folder of its own reads the file beside it before the user's.
TEST_F(SettingsPlaces, TheProgramFolderComesFirst) {
  CreateDirectoryA(CopyFolder.c_str(), nullptr);
  const std::string copy = CopyFolder + "\\lugares.exe";
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
  WriteSettings(UserFolder, "usuario");
  auto markSeenByCopy = [&](const std::string& expected) {
    SetEnvironmentVariableA("ACENORA_EXPECT_MARK", expected.c_str());
    ProbeProcess child(copy, "--gtest_filter=SettingsPlacesCopy.SeenByTheCopy");
    SetEnvironmentVariableA("ACENORA_EXPECT_MARK", nullptr);
    return child.ExitCode(30000);
  };
  WriteSettings(CopyFolder, "programa");
  EXPECT_EQ(markSeenByCopy("programa"), 0u) << "beside the program, with the user's too";
  DeleteFileA((CopyFolder + "\\ORBITA.INI").c_str());
  EXPECT_EQ(markSeenByCopy("usuario"), 0u) << "the user's once none is beside the program";
  DeleteFileA(copy.c_str());
  RemoveDirectoryA(CopyFolder.c_str());
}

// Run only by the copy above, which checks the mark it reads.
TEST(SettingsPlacesCopy, SeenByTheCopy) {
  const char* expected = std::getenv("ACENORA_EXPECT_MARK");
  if (!expected) GTEST_SKIP() << "run by TheProgramFolderComesFirst";
  EXPECT_EQ(Mark(), expected);
}

}  // namespace
