#pragma once
#include "platform/Files.h"

namespace vimo {

// Files through CreateFileW, ReadFile and WriteFile, with wide names.
class Win32FileSystem final : public FileSystem {
 public:
  std::unique_ptr<File> OpenForReading(const std::string& name) override;
  std::unique_ptr<File> CreateForWriting(const std::string& name) override;
};

// Installs the real file system and ANSI code page into the platform unless something
// is there already.
void EnsureFileServices();

}  // namespace vimo
