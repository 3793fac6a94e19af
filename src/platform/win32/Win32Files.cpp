#include "platform/win32/Win32Files.h"

#include <windows.h>

#include <algorithm>

#include "platform/Platform.h"
#include "platform/Utf.h"
#include "platform/win32/Win32AnsiText.h"

namespace vimo {
namespace {

class Win32File final : public File {
 public:
  explicit Win32File(HANDLE handle) : handle_(handle) {}
  ~Win32File() override { CloseHandle(handle_); }

  std::uint64_t Size() override {
    LARGE_INTEGER size{};
    return GetFileSizeEx(handle_, &size) && size.QuadPart > 0 ? static_cast<std::uint64_t>(size.QuadPart) : 0;
  }

  std::size_t Read(char* buffer, std::size_t count) override {
    DWORD read = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
    if (!ReadFile(handle_, buffer, chunk, &read, nullptr)) return 0;
    return read;
  }

  bool Write(const char* data, std::size_t count) override {
    while (count > 0) {
      DWORD written = 0;
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
      if (!WriteFile(handle_, data, chunk, &written, nullptr) || written == 0) return false;
      data += written;
      count -= written;
    }
    return true;
  }

 private:
  HANDLE handle_;
};

std::unique_ptr<File> Open(const std::string& name, DWORD access, DWORD share, DWORD disposition) {
  HANDLE h = CreateFileW(Widen(name).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32File>(h);
}

}  // namespace

std::unique_ptr<File> Win32FileSystem::OpenForReading(const std::string& name) {
  return Open(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

std::unique_ptr<File> Win32FileSystem::CreateForWriting(const std::string& name) {
  return Open(name, GENERIC_WRITE, 0, CREATE_ALWAYS);
}

void EnsureFileServices() {
  static Win32FileSystem files;
  static Win32AnsiCodePage ansi;
  auto& p = Platform();
  if (!p.files) p.files = &files;
  if (!p.ansi) p.ansi = &ansi;
}

}  // namespace vimo
