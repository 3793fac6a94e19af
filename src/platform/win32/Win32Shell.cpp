#include "platform/win32/Win32Shell.h"

#include <mmsystem.h>
#include <shlobj.h>
#include <shellapi.h>

namespace vimo {

namespace {

const char* OrNull(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

// Opens the folder browser on the caller's path.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) SendMessageA(dialog, BFFM_SETSELECTIONA, 1, data);
  return 0;
}

using RunFileDialogProc = void(WINAPI*)(HWND, HICON, LPCSTR, LPCSTR, LPCSTR, UINT);
using FindDialogProc = BOOL(WINAPI*)(LPCITEMIDLIST, LPCITEMIDLIST);

}  // namespace

FARPROC ShellOrdinalProc(int ordinal) {
  HMODULE shell32 = GetModuleHandleA("shell32.dll");
  if (!shell32) shell32 = LoadLibraryA("shell32.dll");  // stays loaded: the process links it anyway
  if (!shell32) return nullptr;
  return GetProcAddress(shell32, MAKEINTRESOURCEA(ordinal));
}

bool Win32Shell::Execute(void* owner, const std::string& verb, const std::string& file,
                         const std::string& parameters, int showCommand) {
  HINSTANCE result = ShellExecuteA(static_cast<HWND>(owner), verb.c_str(), file.c_str(), parameters.c_str(), nullptr,
                                   showCommand);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

bool Win32Shell::ExecuteEx(const TShellExecuteInfo& info) {
  SHELLEXECUTEINFOA sei{};
  sei.cbSize = sizeof sei;
  sei.fMask = info.fMask;
  sei.hwnd = static_cast<HWND>(info.hwnd);
  sei.lpVerb = OrNull(info.verb);
  sei.lpFile = OrNull(info.file);
  sei.lpIDList = info.idList;
  sei.lpClass = OrNull(info.className);
  sei.nShow = info.nShow;
  return ShellExecuteExA(&sei) != FALSE;
}

void* Win32Shell::SpecialFolderLocation(void* owner, int folderId) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(static_cast<HWND>(owner), folderId, &list))) return nullptr;
  return list;
}

void Win32Shell::FreeWithShellAllocator(void* idList) {
  IMalloc* allocator = nullptr;
  if (FAILED(SHGetMalloc(&allocator)) || !allocator) return;
  allocator->Free(idList);
  allocator->Release();
}

void Win32Shell::OrdinalDialog(int ordinal, void* owner) {
  FARPROC proc = ShellOrdinalProc(ordinal);
  if (!proc) return;
  if (ordinal == 61)
    reinterpret_cast<RunFileDialogProc>(reinterpret_cast<void*>(proc))(static_cast<HWND>(owner), nullptr, nullptr,
                                                                       nullptr, nullptr, 0);
  else
    reinterpret_cast<FindDialogProc>(reinterpret_cast<void*>(proc))(nullptr, nullptr);
}

void* Win32Shell::BrowseForFolder(const TBrowseInfo& info) {
  BROWSEINFOA bi{};
  bi.hwndOwner = static_cast<HWND>(info.owner);
  bi.lpszTitle = info.title.c_str();
  bi.ulFlags = info.flags;
  bi.lpfn = BrowseCallback;
  bi.lParam = reinterpret_cast<LPARAM>(info.initialPath.c_str());
  return SHBrowseForFolderA(&bi);
}

bool Win32Shell::PathFromIdList(void* idList, std::string& path) {
  char buffer[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(static_cast<LPCITEMIDLIST>(idList), buffer)) return false;
  path = buffer;
  return true;
}

std::string Win32Shell::LastErrorText() {
  const DWORD code = GetLastError();
  char buffer[256] = {};
  // Without IGNORE_INSERTS a text with an insert (%1) would come back empty.
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0x400, buffer,
                 sizeof buffer, nullptr);
  return buffer;
}

void Win32Shell::MciSendString(const std::string& command) {
  // Loaded on first use: the multimedia library is only needed for the CD-ROM door,
  // and importing it costs every start its memory.
  using MciSendStringFn = MCIERROR(WINAPI*)(LPCSTR, LPSTR, UINT, HWND);
  static HMODULE winmm = LoadLibraryA("winmm.dll");
  static auto send = winmm ? reinterpret_cast<MciSendStringFn>(reinterpret_cast<void*>(GetProcAddress(winmm, "mciSendStringA"))) : nullptr;
  if (send) send(command.c_str(), nullptr, 0, nullptr);
}

}  // namespace vimo
