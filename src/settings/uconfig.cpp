#include "settings/uconfig.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "console/ObCrt.h"
#include "settings/logic/settings_text.h"

namespace {

constexpr size_t kLargestSettings = 1 << 20;

constexpr const KNOWNFOLDERID* kShortcutFolders[] = {&FOLDERID_Programs, &FOLDERID_Desktop, &FOLDERID_Startup,
                                                     &FOLDERID_CommonPrograms, &FOLDERID_PublicDesktop,
                                                     &FOLDERID_CommonStartup};

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A file the caregiver made read-only is left so, though a replace might go through.
bool ReadOnly(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

std::wstring KnownFolder(const KNOWNFOLDERID& id) {
  PWSTR path = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
  CoTaskMemFree(path);
  return folder;
}

std::wstring PanelShortcutIn(const KNOWNFOLDERID* id) {
  std::wstring folder = KnownFolder(*id);
  if (folder.empty()) return L"";
  if (id == &FOLDERID_Programs || id == &FOLDERID_CommonPrograms) folder += L"\\Acenora";
  return folder + L"\\Acenora.lnk";
}

// The shortcut's arguments handed to use, with the shortcut loaded in mode; false when it is
// missing or cannot be loaded so (every user's, for writing without an administrator's rights).
template <typename Use>
bool WithShortcut(const std::wstring& link, DWORD mode, Use use) {
  IShellLinkW* shortcut = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&shortcut))))
    return false;
  IPersistFile* file = nullptr;
  bool done = false;
  wchar_t given[INFOTIPSIZE] = {};
  if (SUCCEEDED(shortcut->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(link.c_str(), mode)) && SUCCEEDED(shortcut->GetArguments(given, INFOTIPSIZE)))
    done = use(*shortcut, *file, NarrowText(given));
  if (file) file->Release();
  shortcut->Release();
  return done;
}

// false also when the shortcut is left alone.
bool RewriteShortcut(const std::wstring& link, const std::function<std::string(const std::string&)>& arguments) {
  return WithShortcut(link, STGM_READWRITE, [&](IShellLinkW& shortcut, IPersistFile& file, const std::string& given) {
    const std::string changed = arguments(given);
    return !changed.empty() && SUCCEEDED(shortcut.SetArguments(WideText(changed).c_str())) &&
           SUCCEEDED(file.Save(link.c_str(), TRUE));
  });
}

}  // namespace

std::wstring SettingsFileToWrite() {
  const std::wstring path = SettingsPath();
  return Exists(path) ? path : UserFilePath(L"ORBITA.INI");
}

SettingsWritten WriteSettingChanges(const std::vector<SettingChange>& changes) {
  SettingsWritten written;
  const std::wstring first = SettingsFileToWrite();
  if (!ReadOnly(first) && WriteSettingsFile(first, changes)) {
    written.path = first;
    return written;
  }
  const std::wstring user = UserFilePath(L"ORBITA.INI");
  written.instead = true;
  written.refused = first;
  if (user == first) return written;
  if (!Exists(user) && CopyFileW(first.c_str(), user.c_str(), TRUE))  // begun from the caregiver's file
    SetFileAttributesW(user.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (WriteSettingsFile(user, changes)) written.path = user;
  return written;
}

bool WriteSettingsFile(const std::wstring& path, const std::vector<SettingChange>& changes) {
  std::string text;
  ReadWholeFile(path, kLargestSettings, text);
  for (const SettingChange& change : changes) text = WithSetting(text, change.section, change.key, change.value);
  return WriteWholeFile(path, text);
}

int WriteFromCommandLine(int count, wchar_t** arguments) {
  if (count < 6 || (count - 3) % 3 != 0) return 2;
  std::vector<SettingChange> changes;
  for (int at = 3; at + 2 < count; at += 3)
    changes.push_back({NarrowText(arguments[at]), NarrowText(arguments[at + 1]), NarrowText(arguments[at + 2])});
  return WriteSettingsFile(arguments[2], changes) ? 0 : 1;
}

int RewritePanelShortcuts(const std::function<std::string(const std::string&)>& arguments) {
  int rewritten = 0;
  for (const KNOWNFOLDERID* id : kShortcutFolders) {
    const std::wstring link = PanelShortcutIn(id);
    if (!link.empty() && Exists(link)) rewritten += RewriteShortcut(link, arguments);
  }
  return rewritten;
}

std::string PanelShortcutArguments() {
  std::string arguments;
  for (const KNOWNFOLDERID* id : kShortcutFolders) {
    const std::wstring link = PanelShortcutIn(id);
    const auto read = [&](IShellLinkW&, IPersistFile&, const std::string& given) {
      arguments = given;
      return true;
    };
    if (!link.empty() && WithShortcut(link, STGM_READ, read)) break;
  }
  return arguments;
}
