// The resources of the built programs and library as Windows reads them: version information
// for the file's properties, and for the programs the manifest the loader applies and the
// icon Explorer and the shortcuts show.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/probe_process.h"

namespace {

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// One string of the file's version information, in its Portuguese (Brazil) block.
std::wstring VersionString(const std::vector<char>& info, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\041604E4\\") + name;
  if (!VerQueryValueW(info.data(), key.c_str(), &value, &length) || !length) return L"";
  return static_cast<const wchar_t*>(value);
}

// Types by number: the narrow build names RT_MANIFEST (24) and RT_GROUP_ICON (14) narrowly.
std::string Resource(HMODULE module, LPCWSTR type, LPCWSTR name) {
  HRSRC found = FindResourceW(module, name, type);
  if (!found) return "";
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(bytes, SizeofResource(module, found));
}

void ExpectVersion(const std::string& file, const std::wstring& description) {
  const std::wstring path = Wide(BesideThisProgram(file));
  std::vector<char> info(GetFileVersionInfoSizeW(path.c_str(), nullptr));
  ASSERT_FALSE(info.empty()) << file << " has no version information";
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 2)) << file << ": version 2.0.n";
  EXPECT_EQ(VersionString(info, L"ProductName"), L"Acenora");
  EXPECT_EQ(VersionString(info, L"ProductVersion"),
            L"2.0." + std::to_wstring(HIWORD(fixed->dwFileVersionLS)));
  EXPECT_EQ(VersionString(info, L"FileDescription"), description);
  EXPECT_EQ(VersionString(info, L"LegalCopyright").rfind(L"Copyright (C) 2004-2005 ", 0), 0u);
  EXPECT_EQ(VersionString(info, L"OriginalFilename"), Wide(file));
}

TEST(BuiltResources, EachFileCarriesItsVersionInPortuguese) {
  ExpectVersion("acenora.exe", L"Acenora - painel de varredura por acionador");
  ExpectVersion("acenora-nivel.exe", L"Acenora - medidor do volume do microfone");
  ExpectVersion("locutor.exe", L"Acenora - Locutor, fala o que se digita");
  ExpectVersion("acenora-config.exe", L"Acenora - configuracoes do painel");
  ExpectVersion("obkbm32.dll", L"Acenora - envio de teclas e do mouse");
}

// Only the panel built for a signed installation for all users asks for UI access: the
// system would refuse to start any other that did.
TEST(BuiltResources, EachProgramCarriesItsManifestAndItsIconInThreeSizes) {
  struct Program { const char* file; const char* uiAccess; };
  for (const Program& program : {Program{"acenora.exe", "uiAccess=\"false\""},
                                 Program{"acenora-nivel.exe", "uiAccess=\"false\""},
                                 Program{"locutor.exe", "uiAccess=\"false\""},
                                 Program{"acenora-config.exe", "uiAccess=\"false\""},
                                 Program{"acenora-uiaccess.exe", "uiAccess=\"true\""}}) {
    const char* file = program.file;
    const std::string path = BesideThisProgram(file);
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << file;
    const std::string manifest = Resource(module, MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1));
    for (const char* wanted :
         {"level=\"asInvoker\"", program.uiAccess, ">PerMonitorV2, PerMonitor<", ">true/pm<",
          "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
      EXPECT_NE(manifest.find(wanted), std::string::npos) << file << " lacks " << wanted;
    const std::string group = Resource(module, MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(1));
    ASSERT_GE(group.size(), 6u) << file << " has no icon";
    EXPECT_EQ(group[4], 3) << file << ": 16, 32 and 48 pixels";
    for (int size : {16, 32, 48}) {
      const int id = LookupIconIdFromDirectoryEx(
          reinterpret_cast<PBYTE>(const_cast<char*>(group.data())), TRUE, size, size, 0);
      HRSRC icon = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));
      ASSERT_NE(icon, nullptr) << file << " size " << size;
      const auto* header = static_cast<const BITMAPINFOHEADER*>(
          LockResource(LoadResource(module, icon)));
      EXPECT_EQ(header->biWidth, size) << file;
    }
    FreeLibrary(module);
  }
}

}  // namespace
