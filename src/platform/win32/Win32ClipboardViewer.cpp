#include "platform/win32/Win32ClipboardViewer.h"

#include <windows.h>

#include <cstring>

namespace vimo {
namespace {

HWND H(WindowHandle h) { return reinterpret_cast<HWND>(h); }

// A hung viewer later in the chain must not freeze the tray.
constexpr UINT kForwardTimeoutMs = 1000;

class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) {
    // Another program may hold the clipboard for a moment: retry briefly before giving up.
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
      open_ = OpenClipboard(owner) != FALSE;
      if (!open_) Sleep(10);
    }
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

}  // namespace

WindowHandle Win32ClipboardViewer::SetViewer(WindowHandle viewer) {
  return reinterpret_cast<WindowHandle>(SetClipboardViewer(H(viewer)));
}

void Win32ClipboardViewer::ChangeChain(WindowHandle viewer, WindowHandle next) {
  ChangeClipboardChain(H(viewer), H(next));
}

void Win32ClipboardViewer::SendDrawClipboard(WindowHandle to) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(H(to), WM_DRAWCLIPBOARD, 0, 0, SMTO_ABORTIFHUNG, kForwardTimeoutMs, &result);
}

void Win32ClipboardViewer::SendChangeCBChain(WindowHandle to, WindowHandle removed, WindowHandle following) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(H(to), WM_CHANGECBCHAIN, static_cast<WPARAM>(removed), static_cast<LPARAM>(following),
                      SMTO_ABORTIFHUNG, kForwardTimeoutMs, &result);
}

TClipboardContent Win32ClipboardViewer::Read() {
  TClipboardContent content;
  OpenClipboardScope open(H(owner_));
  if (IsClipboardFormatAvailable(CF_TEXT)) {
    std::string bytes = GlobalBytes(GetClipboardData(CF_TEXT));
    content.text = bytes.substr(0, bytes.find('\0'));
  }
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
    if (format < 0xC000) continue;  // registered formats only have names
    char name[256];
    int n = GetClipboardFormatNameA(format, name, sizeof name);
    if (n <= 0) continue;
    content.formatNames.emplace_back(name, n);
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
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) == CSTR_EQUAL;
}

}  // namespace vimo
