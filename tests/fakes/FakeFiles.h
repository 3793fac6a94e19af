#pragma once
// Files in memory that behave like the real ones where the program can tell: names
// ignore letter case, a file can only be created in a folder that exists, creating
// replaces, a reader sees the file as it was when opened, and a full disk refuses
// the bytes that do not fit (keeping those that did).
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "platform/Files.h"

namespace vimo::test {

// One open file over bytes in memory.
class TMemoryFile final : public File {
 public:
  TMemoryFile() : bytes_(std::make_shared<std::string>()) {}
  explicit TMemoryFile(std::string bytes) : bytes_(std::make_shared<std::string>(std::move(bytes))) {}
  explicit TMemoryFile(std::shared_ptr<std::string> bytes) : bytes_(std::move(bytes)) {}

  std::uint64_t Size() override { return bytes_->size(); }
  std::size_t Read(char* buffer, std::size_t count) override;
  bool Write(const char* data, std::size_t count) override;

  const std::string& Bytes() const { return *bytes_; }
  // When not negative, how many more bytes fit before the disk is full.
  long long spaceLeft = -1;

 private:
  std::shared_ptr<std::string> bytes_;
  std::size_t position_ = 0;
};

class FakeFileSystem final : public FileSystem {
 public:
  FakeFileSystem();
  std::unique_ptr<File> OpenForReading(const std::string& name) override;
  std::unique_ptr<File> CreateForWriting(const std::string& name) override;

  // A name's folder is what comes before its last backslash; "C:\Temp" is there from the start.
  void AddFolder(const std::string& folder);
  // A file as another program would have left it.
  void Put(const std::string& name, const std::string& bytes);
  std::optional<std::string> Contents(const std::string& name) const;
  // When not negative, how many more bytes fit on the disk; applies to files created later.
  long long spaceLeft = -1;

 private:
  std::set<std::string> folders_;
  std::map<std::string, std::shared_ptr<std::string>> files_;
};

}  // namespace vimo::test
