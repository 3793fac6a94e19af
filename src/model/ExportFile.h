#pragma once
// The settings export file (".tvf"): an 8-byte header, then length-prefixed text
// records in path and value pairs. Each record is a signed 32-bit little-endian
// length L, then L bytes: the text followed by CR LF.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Files.h"

namespace vimo {

inline constexpr std::string_view kExportHeader{"TVDF01\r\n", 8};
inline constexpr const char* kExportDefaultExt = "tvf";
inline constexpr const char* kExportFilter = "Tramlex Vimo Files (*.tvf)|*.tvf|Any files (*.*)|*.*";

class EExportWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One record as stored: length, text, CR LF. The records hold bytes; which text they
// stand for (ANSI code page or UTF-8) is decided by the callers.
std::string EncodeRecord(std::string_view text);

class TExportFileWriter {
 public:
  explicit TExportFileWriter(File& out) : out_(out) {}
  // Each raises EExportWriteError when the file refuses the bytes.
  void WriteHeader();
  void WriteRecord(std::string_view text);
  void WritePair(std::string_view path, std::string_view value);

 private:
  void Put(std::string_view bytes);
  File& out_;
};

// Reads records without trusting them: a length is checked against what is left of
// the file before anything is allocated or read, so a damaged file can neither make
// the reader run past its end nor allocate more than the file holds.
class TExportFileReader {
 public:
  // The file is read from its start; its size is taken once, here.
  explicit TExportFileReader(File& in);

  // False when the first 8 bytes are not the header (a shorter file included).
  bool ReadHeader();
  // No further record: at most one stray byte is left. A file may end with a single
  // byte after its last record, which is ignored.
  bool AtEnd() const { return position_ + 1 >= size_; }
  // One record's text without its CR LF. False when the record is damaged: fewer than
  // 4 bytes for its length, a length below 2 or past the end of the file, no CR LF at
  // its end, or a NUL in its text. The position is then unspecified.
  bool ReadRecord(std::string& text);

  std::uint64_t Position() const { return position_; }
  std::uint64_t Size() const { return size_; }

 private:
  bool ReadBytes(char* buffer, std::uint64_t count);

  File& in_;
  std::uint64_t size_ = 0;
  std::uint64_t position_ = 0;
};

}  // namespace vimo
