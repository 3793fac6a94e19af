#pragma once
// Files as the program reads and writes them: opened by a UTF-8 name, read or written
// from the start to the end. The real implementation over CreateFileW is in win32/; an
// in-memory one for tests lives in tests/fakes/.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace vimo {

// An open file; closed when the object goes.
class File {
 public:
  File() = default;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  virtual ~File() = default;

  virtual std::uint64_t Size() = 0;
  // Up to `count` bytes from the current position: the number read, 0 at the end or
  // when the read fails.
  virtual std::size_t Read(char* buffer, std::size_t count) = 0;
  // False when not every byte was written (a full disk, a lost share).
  virtual bool Write(const char* data, std::size_t count) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Null when the file does not exist or cannot be read.
  virtual std::unique_ptr<File> OpenForReading(const std::string& name) = 0;
  // Creates the file, replacing one of that name; null when it cannot be created.
  virtual std::unique_ptr<File> CreateForWriting(const std::string& name) = 0;
};

class EFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A whole file's bytes; raises EFileError "Cannot open file "name"." or "Read error in
// file "name".".
std::string ReadWholeFile(FileSystem& files, const std::string& name);
// Creates or replaces the file with the bytes; raises EFileError "Cannot create file
// "name"." or "Write error in file "name".".
void WriteWholeFile(FileSystem& files, const std::string& name, const std::string& bytes);

// "Text files (*.txt)|*.txt|Any files (*.*)|*.*" as the common file dialogs want it:
// pairs separated by NULs and the whole ended by two NULs.
std::string DialogFilter(const std::string& filter);

}  // namespace vimo
