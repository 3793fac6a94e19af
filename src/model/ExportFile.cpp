#include "model/ExportFile.h"

#include <cstring>
#include <limits>

namespace vimo {
namespace {

constexpr std::string_view kLineEnd{"\r\n", 2};

}  // namespace

std::string EncodeRecord(std::string_view text) {
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) - kLineEnd.size())
    throw EExportWriteError("Record too long");
  auto length = static_cast<std::uint32_t>(text.size() + kLineEnd.size());
  std::string record;
  record.reserve(4 + length);
  for (int i = 0; i < 4; ++i) record.push_back(static_cast<char>((length >> (8 * i)) & 0xFF));
  record.append(text);
  record.append(kLineEnd);
  return record;
}

void TExportFileWriter::Put(std::string_view bytes) {
  if (!out_.Write(bytes.data(), bytes.size())) throw EExportWriteError("Cannot write the target file.");
}

void TExportFileWriter::WriteHeader() { Put(kExportHeader); }

void TExportFileWriter::WriteRecord(std::string_view text) { Put(EncodeRecord(text)); }

void TExportFileWriter::WritePair(std::string_view path, std::string_view value) {
  WriteRecord(path);
  WriteRecord(value);
}

TExportFileReader::TExportFileReader(File& in) : in_(in), size_(in.Size()) {}

bool TExportFileReader::ReadBytes(char* buffer, std::uint64_t count) {
  if (count > size_ - position_) return false;
  // A file may hand out less than asked at a time.
  for (std::uint64_t done = 0; done < count;) {
    std::size_t n = in_.Read(buffer + done, static_cast<std::size_t>(count - done));
    if (n == 0) return false;
    done += n;
    position_ += n;
  }
  return true;
}

bool TExportFileReader::ReadHeader() {
  char header[kExportHeader.size()];
  return ReadBytes(header, sizeof header) && std::string_view(header, sizeof header) == kExportHeader;
}

bool TExportFileReader::ReadRecord(std::string& text) {
  unsigned char prefix[4];
  if (!ReadBytes(reinterpret_cast<char*>(prefix), sizeof prefix)) return false;
  auto raw = static_cast<std::uint32_t>(prefix[0]) | static_cast<std::uint32_t>(prefix[1]) << 8 |
             static_cast<std::uint32_t>(prefix[2]) << 16 | static_cast<std::uint32_t>(prefix[3]) << 24;
  // Signed on disk: the top bit set is a negative length, never a huge one.
  if (raw > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) return false;
  std::uint64_t length = raw;
  if (length < kLineEnd.size() || length > size_ - position_) return false;
  text.assign(static_cast<std::size_t>(length), '\0');
  if (!ReadBytes(text.data(), length)) return false;
  if (std::string_view(text).substr(text.size() - kLineEnd.size()) != kLineEnd) return false;
  text.resize(text.size() - kLineEnd.size());
  return text.find('\0') == std::string::npos;
}

}  // namespace vimo
