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

std::string DialogFilter(const std::string& filter) {
  std::string out = filter;
  for (char& c : out)
    if (c == '|') c = '\0';
  // An odd count of parts would leave a description without its pattern: drop it.
  std::size_t parts = filter.empty() ? 0 : 1;
  for (char c : filter) parts += c == '|';
  if (parts % 2 == 1) out.resize(out.rfind('\0') == std::string::npos ? 0 : out.rfind('\0'));
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

}  // namespace vimo
