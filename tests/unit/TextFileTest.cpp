// The clip editor's text files and the rule the program's files share: Western text
// stays in the ANSI code page as before, everything else goes in UTF-8, and the files
// of other programs read back in whichever of the usual forms they come.
#include <gtest/gtest.h>

#include "FakeAnsiCodePage.h"
#include "FakeFiles.h"
#include "clips/TextFile.h"
#include "platform/AnsiText.h"

namespace vimo::test {
namespace {

using namespace std::string_literals;

const std::string kGruesse = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC";  // "Grüße €" in UTF-8
const std::string kGruesseAnsi = "Gr\xFC\xDF" "e \x80";                // the same in Windows-1252
const std::string kWorld = "\xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 \xD0\x9F\xD1\x80\xD0\xB8";

TEST(FileText, WesternTextIsWrittenInTheAnsiCodePageAndTheRestInUtf8) {
  FakeAnsiCodePage ansi;
  EXPECT_EQ(EncodeFileText("plain", ansi).bytes, "plain");
  EXPECT_FALSE(EncodeFileText("plain", ansi).utf8);
  EXPECT_EQ(EncodeFileText("", ansi).bytes, "");
  EXPECT_EQ(EncodeFileText(kGruesse, ansi).bytes, kGruesseAnsi);
  EXPECT_FALSE(EncodeFileText(kGruesse, ansi).utf8);
  EXPECT_EQ(EncodeFileText(kWorld, ansi).bytes, kWorld);
  EXPECT_TRUE(EncodeFileText(kWorld, ansi).utf8);
  EXPECT_EQ(EncodeFileText(kGruesse + kWorld, ansi).bytes, kGruesse + kWorld) << "one foreign character decides";
  // "Ã©" fits the code page, but its two bytes C3 A9 read as the UTF-8 of "é".
  const std::string lookalike = "\xC3\x83\xC2\xA9";
  EXPECT_EQ(EncodeFileText(lookalike, ansi).bytes, lookalike);
  EXPECT_EQ(DecodeFileText(EncodeFileText(lookalike, ansi).bytes, ansi), lookalike);
}

TEST(FileText, ValidUtf8WithAByteOutsideAsciiIsUtf8AndAnythingElseAnsi) {
  FakeAnsiCodePage ansi;
  EXPECT_EQ(DecodeFileText("plain", ansi), "plain");
  EXPECT_EQ(DecodeFileText(kGruesseAnsi, ansi), kGruesse);
  EXPECT_EQ(DecodeFileText(kWorld, ansi), kWorld);
  EXPECT_EQ(DecodeFileText("caf\xE9 \xE6\x9D\xB1", ansi), "caf\xC3\xA9 \xC3\xA6\xC2\x9D\xC2\xB1")
      << "bytes that are not all UTF-8 are ANSI throughout";
  for (const std::string& text : {"plain"s, kGruesse, kWorld, "line\r\nbreaks \xC3\xA9"s, ""s})
    EXPECT_EQ(DecodeFileText(EncodeFileText(text, ansi).bytes, ansi), text);
}

TEST(TextFile, FilesOfOtherProgramsReadInEveryUsualForm) {
  FakeAnsiCodePage ansi;
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF" + kWorld, ansi), kWorld);
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF" "caf\xC3\xA9", ansi), "caf\xC3\xA9") << "a marked file is UTF-8 even if it could be ANSI";
  EXPECT_EQ(DecodeTextFile(kWorld, ansi), kWorld);
  EXPECT_EQ(DecodeTextFile(kGruesseAnsi + "\r\n", ansi), kGruesse + "\r\n");
  EXPECT_EQ(DecodeTextFile("\xFF\xFE" "a\0\x16\x67\x3D\xD8\x00\xDE\r\0\n\0"s, ansi), "a\xE6\x9C\x96\xF0\x9F\x98\x80\r\n")
      << "UTF-16 little-endian, with a surrogate pair";
  EXPECT_EQ(DecodeTextFile("\xFE\xFF" "\0a\x67\x16"s, ansi), "a\xE6\x9C\x96") << "UTF-16 big-endian";
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF", ansi), "");
  EXPECT_EQ(DecodeTextFile("", ansi), "");
}

TEST(TextFile, SavedFilesStayAsBeforeForWesternTextAndAreMarkedUtf8Otherwise) {
  FakeAnsiCodePage ansi;
  EXPECT_EQ(EncodeTextFile("saved\r\nno break at the end", ansi), "saved\r\nno break at the end");
  EXPECT_EQ(EncodeTextFile(kGruesse, ansi), kGruesseAnsi);
  EXPECT_EQ(EncodeTextFile(kWorld, ansi), "\xEF\xBB\xBF" + kWorld);
  for (const std::string& text : {kGruesse, kWorld, "a\r\nb"s, ""s})
    EXPECT_EQ(DecodeTextFile(EncodeTextFile(text, ansi), ansi), text);

  FakeFileSystem files;
  WriteTextFile(files, ansi, "C:\\Temp\\clip.txt", kWorld);
  EXPECT_EQ(files.Contents("C:\\Temp\\clip.txt"), "\xEF\xBB\xBF" + kWorld);
  EXPECT_EQ(ReadTextFile(files, ansi, "c:\\temp\\CLIP.txt"), kWorld);
  EXPECT_THROW(ReadTextFile(files, ansi, "C:\\Temp\\missing.txt"), EFileError);
  EXPECT_THROW(WriteTextFile(files, ansi, "C:\\Nowhere\\clip.txt", "x"), EFileError);
}

}  // namespace
}  // namespace vimo::test
