// The ".tvf" bytes: header, length-prefixed records, and a reader that a damaged
// file can neither push past its end nor make allocate more than it holds.
#include <gtest/gtest.h>

#include "FakeFiles.h"
#include "model/ExportFile.h"

namespace vimo {
namespace {

using namespace std::string_literals;

std::string Le(std::uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
          static_cast<char>(v >> 24)};
}

// Reads every record of `bytes` after the header; stops at the first damaged one.
struct TReadAll {
  bool header = false;
  bool damaged = false;
  std::vector<std::string> records;
  std::uint64_t position = 0;
  std::size_t largestCapacity = 0;
};
TReadAll ReadAll(const std::string& bytes) {
  test::TMemoryFile in(bytes);
  TExportFileReader reader(in);
  TReadAll r;
  r.header = reader.ReadHeader();
  if (!r.header) return r;
  std::string text;
  while (!reader.AtEnd()) {
    bool ok = reader.ReadRecord(text);
    r.largestCapacity = std::max(r.largestCapacity, text.capacity());
    if (!ok) {
      r.damaged = true;
      break;
    }
    r.records.push_back(text);
  }
  r.position = reader.Position();
  return r;
}

std::string Written(const std::vector<std::string>& records) {
  test::TMemoryFile out;
  TExportFileWriter writer(out);
  writer.WriteHeader();
  for (const auto& r : records) writer.WriteRecord(r);
  return out.Bytes();
}

TEST(ExportFileFormat, WritesTheDocumentedBytes) {
  // "Options\AutoRun" = "1": length 17, the 15 characters and CR LF; length 3, "1", CR LF.
  EXPECT_EQ(Written({"Options\\AutoRun", "1"}),
            "TVDF01\r\n"s + "\x11\0\0\0"s + "Options\\AutoRun\r\n" + "\x03\0\0\0"s + "1\r\n");
  // An empty value is a record of length 2 holding only CR LF.
  EXPECT_EQ(EncodeRecord(""), "\x02\0\0\0\r\n"s);
  // Lengths are little-endian over all four bytes.
  EXPECT_EQ(EncodeRecord(std::string(300, 'a')).substr(0, 4), Le(302));
  EXPECT_EQ(Written({}), "TVDF01\r\n");
}

TEST(ExportFileFormat, ReadsBackWhatItWroteLineBreaksAndAllIncluded) {
  std::vector<std::string> records = {"Clipboard\\Clips\\1\\Text", "one\r\ntwo\nthree\r\n", "Keys\\1\\Comment", "",
                                      "WorldTimes\\Back\\slash", "\r\n", std::string(70000, 'x')};
  auto r = ReadAll(Written(records));
  EXPECT_TRUE(r.header);
  EXPECT_FALSE(r.damaged);
  EXPECT_EQ(r.records, records);
}

TEST(ExportFileFormat, HeaderMustBeTheExactEightBytes) {
  EXPECT_TRUE(ReadAll("TVDF01\r\n").header);
  EXPECT_TRUE(ReadAll("TVDF01\r\n").records.empty());
  EXPECT_FALSE(ReadAll("").header);
  EXPECT_FALSE(ReadAll("TVDF01\r").header) << "a file shorter than the header";
  EXPECT_FALSE(ReadAll("TVDF01\n\r").header);
  EXPECT_FALSE(ReadAll("tvdf01\r\n").header);
  EXPECT_FALSE(ReadAll("TVDF02\r\n" + EncodeRecord("Options\\AutoRun") + EncodeRecord("1")).header);
}

TEST(ExportFileFormat, ASingleStrayLastByteIsIgnored) {
  std::string file = Written({"Options\\AutoRun", "1"});
  for (char stray : {'\0', 'x', '\x11'}) {
    auto r = ReadAll(file + stray);
    EXPECT_FALSE(r.damaged);
    EXPECT_EQ(r.records, (std::vector<std::string>{"Options\\AutoRun", "1"}));
  }
  EXPECT_FALSE(ReadAll("TVDF01\r\nx").damaged);
}

TEST(ExportFileFormat, DamagedRecordsStopTheReaderInsideTheFile) {
  const std::string good = Written({"Options\\AutoRun", "1"});
  struct Case {
    const char* what;
    std::string tail;
  };
  const Case cases[] = {
      {"two bytes left for a length", "\x05\0"s},
      {"three bytes left for a length", "\x05\0\0"s},
      {"length -1", Le(0xFFFFFFFF) + "abc\r\n"},
      {"most negative length", Le(0x80000000) + "abc\r\n"},
      {"length past the end", Le(1000) + "Options\\X\r\n"},
      {"largest length", Le(0x7FFFFFFF) + "Options\\X\r\n"},
      {"length one past the end", Le(12) + "Options\\X\r\n"},
      {"length 0", Le(0) + "ab"},
      {"length 1", Le(1) + "\n"},
      {"no CR LF at the end", Le(5) + "abc\n\r"},
      {"NUL in the text", Le(5) + "a\0b\r\n"s},
      {"only a length", Le(2)},
  };
  for (const auto& c : cases) {
    std::string file = good + c.tail;
    auto r = ReadAll(file);
    EXPECT_TRUE(r.damaged) << c.what;
    EXPECT_EQ(r.records.size(), 2u) << c.what << ": records before the damage are read";
    EXPECT_LE(r.position, file.size()) << c.what;
    EXPECT_LE(r.largestCapacity, file.size()) << c.what << ": allocated more than the file holds";
  }
}

TEST(ExportFileFormat, WriterReportsAFileThatRefusesBytes) {
  test::TMemoryFile out;
  out.spaceLeft = 0;  // a full disk
  TExportFileWriter writer(out);
  EXPECT_THROW(writer.WriteHeader(), EExportWriteError);
  EXPECT_THROW(writer.WritePair("Options\\AutoRun", "1"), EExportWriteError);
}

}  // namespace
}  // namespace vimo
