#include "FakeFiles.h"

#include <algorithm>
#include <cstring>

#include "FakeLetterCase.h"

namespace vimo::test {
namespace {

std::string FolderOf(const std::string& name) {
  auto slash = name.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : name.substr(0, slash);
}

}  // namespace

std::size_t TMemoryFile::Read(char* buffer, std::size_t count) {
  std::size_t n = std::min(count, bytes_->size() - std::min(position_, bytes_->size()));
  std::memcpy(buffer, bytes_->data() + position_, n);
  position_ += n;
  return n;
}

bool TMemoryFile::Write(const char* data, std::size_t count) {
  std::size_t fits = spaceLeft < 0 ? count : std::min(count, static_cast<std::size_t>(spaceLeft));
  bytes_->append(data, fits);
  position_ += fits;
  if (spaceLeft >= 0) spaceLeft -= static_cast<long long>(fits);
  return fits == count;
}

FakeFileSystem::FakeFileSystem() { AddFolder("C:\\Temp"); }

void FakeFileSystem::AddFolder(const std::string& folder) { folders_.insert(CaseKey(folder)); }

void FakeFileSystem::Put(const std::string& name, const std::string& bytes) {
  AddFolder(FolderOf(name));
  files_[CaseKey(name)] = std::make_shared<std::string>(bytes);
}

std::optional<std::string> FakeFileSystem::Contents(const std::string& name) const {
  auto it = files_.find(CaseKey(name));
  if (it == files_.end()) return std::nullopt;
  return *it->second;
}

std::unique_ptr<File> FakeFileSystem::OpenForReading(const std::string& name) {
  auto it = files_.find(CaseKey(name));
  if (it == files_.end()) return nullptr;
  return std::make_unique<TMemoryFile>(*it->second);
}

std::unique_ptr<File> FakeFileSystem::CreateForWriting(const std::string& name) {
  if (name.empty() || !folders_.count(CaseKey(FolderOf(name)))) return nullptr;
  auto bytes = std::make_shared<std::string>();
  files_[CaseKey(name)] = bytes;
  auto file = std::make_unique<TMemoryFile>(bytes);
  file->spaceLeft = spaceLeft;
  return file;
}

}  // namespace vimo::test
