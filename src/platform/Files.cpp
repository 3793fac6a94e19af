#include "platform/Files.h"

namespace vimo {

std::string ReadWholeFile(FileSystem& files, const std::string& name) {
  auto file = files.OpenForReading(name);
  if (!file) throw EFileError("Cannot open file \"" + name + "\".");
  std::string bytes(static_cast<std::size_t>(file->Size()), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    std::size_t n = file->Read(bytes.data() + done, bytes.size() - done);
    if (n == 0) throw EFileError("Read error in file \"" + name + "\".");
    done += n;
  }
  return bytes;
}

void WriteWholeFile(FileSystem& files, const std::string& name, const std::string& bytes) {
  auto file = files.CreateForWriting(name);
  if (!file) throw EFileError("Cannot create file \"" + name + "\".");
  if (!file->Write(bytes.data(), bytes.size())) throw EFileError("Write error in file \"" + name + "\".");
}

}  // namespace vimo
