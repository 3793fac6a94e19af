#include "platform/win32/Win32ClipboardViewer.h"

#include <windows.h>

#include <cstring>

#include "platform/Utf.h"
#include "platform/win32/Win32AnsiText.h"

namespace vimo {
namespace {

HWND H(WindowHandle h) { return reinterpret_cast<HWND>(h); }

// A hung viewer later in the chain must not freeze the tray.
constexpr UINT kForwardTimeoutMs = 1000;
// Long enough for a busy program, short enough not to be felt.
constexpr UINT kPingTimeoutMs = 200;

class OpenClipboardScope {
 public:
  // One attempt: the monitor reads again from a timer when another program holds it.
  explicit OpenClipboardScope(HWND owner) {
    open_ = OpenClipboard(owner) != FALSE;
    if (!open_) throw EClipboardError("Cannot open clipboard");
  }
  ~OpenClipboardScope() { CloseClipboard(); }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;

 private:
  bool open_ = false;
};

// Bytes of a clipboard handle's global memory, bounded by its size.
std::string GlobalBytes(HANDLE data) {
  if (!data) return {};
  SIZE_T size = GlobalSize(data);
  const char* p = static_cast<const char*>(GlobalLock(data));
  if (!p) return {};
  std::string bytes(p, size);
  GlobalUnlock(data);
  return bytes;
}

using ListenerProc = BOOL(WINAPI*)(HWND);

// Loaded at run time: the format listener came with Windows Vista.
ListenerProc UserProc(const char* name) {
  return reinterpret_cast<ListenerProc>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

bool Win32ClipboardViewer::AddFormatListener(WindowHandle window) {
  static const ListenerProc add = UserProc("AddClipboardFormatListener");
  return useListener_ && add && add(H(window));
}

void Win32ClipboardViewer::RemoveFormatListener(WindowHandle window) {
  static const ListenerProc remove = UserProc("RemoveClipboardFormatListener");
  if (remove) remove(H(window));
}

WindowHandle Win32ClipboardViewer::ChainHead() { return reinterpret_cast<WindowHandle>(GetClipboardViewer()); }

bool Win32ClipboardViewer::Responds(WindowHandle window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(H(window), WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kPingTimeoutMs, &result) != 0;
}

bool Win32ClipboardViewer::IsWindow(WindowHandle window) { return ::IsWindow(H(window)) != FALSE; }

WindowHandle Win32ClipboardViewer::SetViewer(WindowHandle viewer) {
  return reinterpret_cast<WindowHandle>(SetClipboardViewer(H(viewer)));
}

void Win32ClipboardViewer::ChangeChain(WindowHandle viewer, WindowHandle next) {
  ChangeClipboardChain(H(viewer), H(next));
}

void Win32ClipboardViewer::SendDrawClipboard(WindowHandle to) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(H(to), WM_DRAWCLIPBOARD, 0, 0, SMTO_ABORTIFHUNG, kForwardTimeoutMs, &result);
}

void Win32ClipboardViewer::SendChangeCBChain(WindowHandle to, WindowHandle removed, WindowHandle following) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(H(to), WM_CHANGECBCHAIN, static_cast<WPARAM>(removed), static_cast<LPARAM>(following),
                      SMTO_ABORTIFHUNG, kForwardTimeoutMs, &result);
}

TClipboardContent Win32ClipboardViewer::Read() {
  TClipboardContent content;
  OpenClipboardScope open(H(owner_));
  if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    // Every UTF-16 unit makes at least one UTF-8 byte: too large to keep, so not converted.
    if (data && GlobalSize(data) / sizeof(wchar_t) > kMaxHistoryText + 1) {
      content.oversized = true;
      data = nullptr;
    }
    std::string bytes = GlobalBytes(data);
    std::wstring wide(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(wide.data(), bytes.data(), wide.size() * sizeof(wchar_t));
    content.text = Narrow(wide.substr(0, wide.find(L'\0')));
  } else if (IsClipboardFormatAvailable(CF_TEXT)) {
    // Only where nothing offers Unicode text: the system usually makes it from CF_TEXT.
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data && GlobalSize(data) > 2 * kMaxHistoryText + 1) {
      content.oversized = true;
      data = nullptr;
    }
    std::string bytes = GlobalBytes(data);
    content.text = Win32AnsiCodePage().ToUtf8(bytes.substr(0, bytes.find('\0')));
  }
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
    if (format < 0xC000) continue;  // registered formats only have names
    wchar_t name[256];
    int n = GetClipboardFormatNameW(format, name, sizeof name / sizeof name[0]);
    if (n <= 0) continue;
    content.formatNames.push_back(Narrow(std::wstring_view(name, static_cast<std::size_t>(n))));
    if (content.formatNames.back() == "CanIncludeInClipboardHistory") {
      std::string bytes = GlobalBytes(GetClipboardData(format));
      if (bytes.size() >= 4) {
        std::uint32_t value;
        std::memcpy(&value, bytes.data(), 4);
        content.canIncludeInHistory = value;
      }
    }
  }
  return content;
}

std::uint32_t Win32ClipboardViewer::SequenceNumber() { return GetClipboardSequenceNumber(); }

bool Win32TextCompare::EqualIgnoreCase(const std::string& a, const std::string& b) {
  // Letter case only, one character for one: no language's rules, under which "Maße"
  // and "Masse" or "ægis" and "aegis" would be one entry.
  // Texts that differ in a plain ASCII letter before anything else are told apart without
  // converting them: a new copy is compared with every entry, each up to 4 MB.
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    unsigned char ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
    if (ca >= 0x80 || cb >= 0x80) break;
    if (ca != cb) {
      if (ca >= 'a' && ca <= 'z') ca = static_cast<unsigned char>(ca - 'a' + 'A');
      if (cb >= 'a' && cb <= 'z') cb = static_cast<unsigned char>(cb - 'a' + 'A');
      if (ca != cb) return false;
    }
    if (i + 1 == a.size() || i + 1 == b.size()) {
      if (a.size() == b.size()) return true;
      // One text ends: equal only if the rest of the other is empty, which it is not.
      return false;
    }
  }
  std::wstring wa = Widen(a), wb = Widen(b);
  if (wa.size() != wb.size()) return false;
  const int n = static_cast<int>(wa.size());
  // Loaded at run time: CompareStringOrdinal came with Windows Vista.
  using OrdinalProc = int(WINAPI*)(LPCWSTR, int, LPCWSTR, int, BOOL);
  static const auto ordinal = reinterpret_cast<OrdinalProc>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "CompareStringOrdinal")));
  if (useOrdinal_ && ordinal) return ordinal(wa.data(), n, wb.data(), n, TRUE) == CSTR_EQUAL;
  if (n > 0) {
    CharUpperBuffW(wa.data(), static_cast<DWORD>(n));
    CharUpperBuffW(wb.data(), static_cast<DWORD>(n));
  }
  return wa == wb;
}

}  // namespace vimo
