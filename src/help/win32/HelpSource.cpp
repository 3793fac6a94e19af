#include "help/win32/HelpSource.h"

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "help/HelpRules.h"
#include "platform/Utf.h"

namespace vimo {

const THelpBook& BuiltInHelp() {
  static std::unique_ptr<THelpBook> book;
  if (book) return *book;
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, L"VIMOHELP", MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw std::runtime_error("The help text is missing from the program.");
  book = std::make_unique<THelpBook>(
      THelpBook::Parse(std::string_view(static_cast<const char*>(data), SizeofResource(module, found))));
  return *book;
}

namespace {

// The description in a file's version information, or empty.
std::string FileDescription(const std::wstring& path) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<BYTE> info(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, info.data())) return {};
  struct Translation {
    WORD language;
    WORD codePage;
  }* translations = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length) ||
      length < sizeof(Translation))
    return {};
  wchar_t key[64];
  wsprintfW(key, L"\\StringFileInfo\\%04x%04x\\FileDescription", translations->language, translations->codePage);
  wchar_t* text = nullptr;
  if (!VerQueryValueW(info.data(), key, reinterpret_cast<void**>(&text), &length) || !text) return {};
  return Narrow(text);
}

bool IsFile(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool OldHelpUsable(const std::string& helpFile) {
  if (helpFile.empty() || !IsFile(Widen(helpFile))) return false;
  // Looked up once: the viewer does not come or go while the program runs.
  static const struct Viewer {
    bool exists = false;
    std::string description;
  } viewer = [] {
    Viewer v;
    wchar_t windows[MAX_PATH] = {};
    UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return v;
    std::wstring path = std::wstring(windows) + L"\\winhlp32.exe";
    v.exists = IsFile(path);
    if (v.exists) v.description = FileDescription(path);
    return v;
  }();
  return CanUseOldHelp(true, viewer.exists, viewer.description);
}

}  // namespace vimo
