#include "platform/win32/Win32Shell.h"

#include <setjmp.h>

#include <mmsystem.h>
#include <shlobj.h>
#include <shellapi.h>

#include "platform/Utf.h"

namespace vimo {

namespace {

const wchar_t* OrNull(const std::wstring& s) { return s.empty() ? nullptr : s.c_str(); }

// Opens the folder browser on the caller's path (`data` is the wide path).
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) SendMessageW(dialog, BFFM_SETSELECTIONW, 1, data);
  return 0;
}

using RunFileDialogProc = void(WINAPI*)(HWND, HICON, LPCWSTR, LPCWSTR, LPCWSTR, UINT);
using FindDialogProc = BOOL(WINAPI*)(LPCITEMIDLIST, LPCITEMIDLIST);

// Wine exports the functions it lacks as stubs that raise this when called; unhandled,
// it ends the program.
constexpr DWORD kExceptionWineStub = 0x80000100;
jmp_buf* volatile guardJump = nullptr;  // set while a guarded call runs (UI thread only)

LONG CALLBACK StubGuard(EXCEPTION_POINTERS* e) {
  if (!guardJump || e->ExceptionRecord->ExceptionCode != kExceptionWineStub) return EXCEPTION_CONTINUE_SEARCH;
  jmp_buf* jump = guardJump;
  guardJump = nullptr;
  longjmp(*jump, 1);
}

// Calls a shell function that may be a stub; false when it turned out to be one.
bool CallGuarded(void (*call)(FARPROC, HWND), FARPROC proc, HWND owner) {
  static const PVOID handler = AddVectoredExceptionHandler(1, StubGuard);
  if (!handler) return false;
  jmp_buf jump;
  if (setjmp(jump) != 0) return false;
  guardJump = &jump;
  call(proc, owner);
  guardJump = nullptr;
  return true;
}

void CallRunDialog(FARPROC proc, HWND owner) {
  reinterpret_cast<RunFileDialogProc>(reinterpret_cast<void*>(proc))(owner, nullptr, nullptr, nullptr, nullptr, 0);
}

void CallFindDialog(FARPROC proc, HWND) {
  reinterpret_cast<FindDialogProc>(reinterpret_cast<void*>(proc))(nullptr, nullptr);
}

}  // namespace

FARPROC ShellOrdinalProc(int ordinal) {
  HMODULE shell32 = GetModuleHandleW(L"shell32.dll");
  if (!shell32) shell32 = LoadLibraryW(L"shell32.dll");  // stays loaded: the process links it anyway
  if (!shell32) return nullptr;
  // An ordinal in place of a name, as MAKEINTRESOURCE makes it.
  return GetProcAddress(shell32, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(ordinal))));
}

bool Win32Shell::Execute(void* owner, const std::string& verb, const std::string& file,
                         const std::string& parameters, int showCommand) {
  HINSTANCE result = ShellExecuteW(static_cast<HWND>(owner), Widen(verb).c_str(), Widen(file).c_str(),
                                   Widen(parameters).c_str(), nullptr, showCommand);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

bool Win32Shell::ExecuteEx(const TShellExecuteInfo& info) {
  const std::wstring verb = Widen(info.verb), file = Widen(info.file), className = Widen(info.className);
  SHELLEXECUTEINFOW sei{};
  sei.cbSize = sizeof sei;
  sei.fMask = info.fMask;
  sei.hwnd = static_cast<HWND>(info.hwnd);
  sei.lpVerb = OrNull(verb);
  sei.lpFile = OrNull(file);
  sei.lpIDList = info.idList;
  sei.lpClass = OrNull(className);
  sei.nShow = info.nShow;
  const bool ok = ShellExecuteExW(&sei) != FALSE;
  // Before anything else can change it.
  lastExecuteError_ = ok ? 0 : GetLastError();
  return ok;
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
  // Looked up at run time: a shell without the function gives none, and nothing happens.
  FARPROC proc = ShellOrdinalProc(ordinal);
  if (!proc) return;
  CallGuarded(ordinal == 61 ? &CallRunDialog : &CallFindDialog, proc, static_cast<HWND>(owner));
}

void* Win32Shell::BrowseForFolder(const TBrowseInfo& info) {
  const std::wstring title = Widen(info.title), initialPath = Widen(info.initialPath);
  BROWSEINFOW bi{};
  bi.hwndOwner = static_cast<HWND>(info.owner);
  bi.lpszTitle = title.c_str();
  bi.ulFlags = info.flags;
  bi.lpfn = BrowseCallback;
  bi.lParam = reinterpret_cast<LPARAM>(initialPath.c_str());
  return SHBrowseForFolderW(&bi);
}

bool Win32Shell::PathFromIdList(void* idList, std::string& path) {
  wchar_t buffer[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(static_cast<LPCITEMIDLIST>(idList), buffer)) return false;
  path = Narrow(buffer);
  return true;
}

std::string Win32Shell::LastErrorText() { return ErrorText(GetLastError()); }

std::string Win32Shell::ErrorText(std::uint32_t code) {
  wchar_t buffer[256] = {};
  // Without IGNORE_INSERTS a text with an insert (%1) would come back empty.
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0x400, buffer,
                 sizeof buffer / sizeof buffer[0], nullptr);
  return Narrow(buffer);
}

void Win32Shell::MciSendString(const std::string& command) {
  // Loaded on first use: the multimedia library is only needed for the CD-ROM door,
  // and importing it costs every start its memory.
  using MciSendStringFn = MCIERROR(WINAPI*)(LPCWSTR, LPWSTR, UINT, HWND);
  static HMODULE winmm = LoadLibraryW(L"winmm.dll");
  static auto send = winmm ? reinterpret_cast<MciSendStringFn>(reinterpret_cast<void*>(GetProcAddress(winmm, "mciSendStringW"))) : nullptr;
  if (send) send(Widen(command).c_str(), nullptr, 0, nullptr);
}

}  // namespace vimo
