#pragma once
// What the export file and the clip editor rely on from files, checked against the
// in-memory files natively and against both them and the real ones under Wine.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "platform/Files.h"

namespace vimo::test {

struct FileSystemParam {
  std::string name;
  std::function<std::unique_ptr<FileSystem>()> make;
  // Makes an empty folder of that name (below a scratch place) and returns its path.
  std::function<std::string(FileSystem&, const std::string& name)> makeFolder;
  // Removes a file or an empty folder the test made.
  std::function<void(const std::string& path)> remove;
};
inline std::ostream& operator<<(std::ostream& os, const FileSystemParam& p) { return os << p.name; }

class FileSystemContract : public ::testing::TestWithParam<FileSystemParam> {
 protected:
  void SetUp() override {
    files_ = GetParam().make();
    std::string name = "vimo-files-" + std::string(UnitTest()->current_test_info()->name());
    for (char& c : name)
      if (c == '/') c = '-';
    folder_ = GetParam().makeFolder(*files_, name);
  }
  void TearDown() override {
    for (const auto& path : made_) GetParam().remove(path);
    GetParam().remove(folder_);
  }
  static ::testing::UnitTest* UnitTest() { return ::testing::UnitTest::GetInstance(); }
  std::string Path(const std::string& name) {
    made_.push_back(folder_ + "\\" + name);
    return made_.back();
  }

  std::unique_ptr<FileSystem> files_;
  std::string folder_;
  std::vector<std::string> made_;
};

TEST_P(FileSystemContract, WhatIsWrittenReadsBackByteForByteInPiecesOfAnySize) {
  std::string bytes;
  for (int i = 0; i < 70000; ++i) bytes.push_back(static_cast<char>(i * 7));
  const std::string name = Path("data.bin");
  {
    auto out = files_->CreateForWriting(name);
    ASSERT_TRUE(out);
    EXPECT_TRUE(out->Write(bytes.data(), 10));
    EXPECT_TRUE(out->Write(bytes.data() + 10, bytes.size() - 10));
    EXPECT_TRUE(out->Write(bytes.data(), 0));
  }
  auto in = files_->OpenForReading(name);
  ASSERT_TRUE(in);
  EXPECT_EQ(in->Size(), bytes.size());
  std::string read(bytes.size() + 5, '\0');
  std::size_t done = in->Read(read.data(), 3);
  EXPECT_EQ(done, 3u);
  while (std::size_t n = in->Read(read.data() + done, read.size() - done)) done += n;
  EXPECT_EQ(done, bytes.size());
  read.resize(done);
  EXPECT_EQ(read, bytes);
  char more;
  EXPECT_EQ(in->Read(&more, 1), 0u) << "nothing after the end";
  EXPECT_EQ(ReadWholeFile(*files_, name), bytes);
}

TEST_P(FileSystemContract, CreatingReplacesAndAnEmptyFileIsAFile) {
  const std::string name = Path("replaced.txt");
  WriteWholeFile(*files_, name, "a much longer first content");
  WriteWholeFile(*files_, name, "short");
  EXPECT_EQ(ReadWholeFile(*files_, name), "short");
  WriteWholeFile(*files_, name, "");
  auto in = files_->OpenForReading(name);
  ASSERT_TRUE(in);
  EXPECT_EQ(in->Size(), 0u);
}

TEST_P(FileSystemContract, MissingFilesAndFoldersAreRefused) {
  EXPECT_FALSE(files_->OpenForReading(folder_ + "\\missing.txt"));
  EXPECT_FALSE(files_->CreateForWriting(folder_ + "\\no such folder\\x.txt"));
  try {
    ReadWholeFile(*files_, folder_ + "\\missing.txt");
    ADD_FAILURE() << "read a missing file";
  } catch (const EFileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + folder_ + "\\missing.txt\".");
  }
  EXPECT_THROW(WriteWholeFile(*files_, folder_ + "\\no such folder\\x.txt", "x"), EFileError);
}

TEST_P(FileSystemContract, NamesOfEveryScriptAndEitherCase) {
  const std::string name = Path("Gr\xC3\xBC\xC3\x9F" "e \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 "
                                "\xD0\x9F\xD0\xA0\xD0\x98\xD0\x92\xD0\x95\xD0\xA2.txt");
  WriteWholeFile(*files_, name, "text");
  EXPECT_EQ(ReadWholeFile(*files_, name), "text");
  const std::string otherCase = folder_ + "\\gr\xC3\xBC\xC3\x9F" "e \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 "
                                          "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82.TXT";
  EXPECT_EQ(ReadWholeFile(*files_, otherCase), "text") << "file names ignore letter case";
}

}  // namespace vimo::test
