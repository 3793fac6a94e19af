// Vimo.exe as a user meets it: started under Wine in a virtual desktop with a
// notification area, fed by a real X11 clipboard, and left through its tray menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "E2eSupport.h"

namespace vimo::e2e {
namespace {

class Host : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteProductKey();
    DeleteRunValue();
    // Joining the viewer chain captures what is on the clipboard: start from nothing.
    if (OpenClipboardSoon()) {
      EmptyClipboard();
      CloseClipboard();
    }
  }
  void TearDown() override { DeleteProductKey(); }

  static std::string HistoryEntry(int n) { return ReadValue("Vimo\\Clipboard\\History", std::to_string(n)); }
  static bool HistoryHolds(const std::string& count, const std::string& first) {
    return ReadValue("Vimo\\Clipboard\\History", "Count") == count && HistoryEntry(1) == first;
  }
};

TEST_F(Host, RunsOncePerLogonAndWritesItsIdentity) {
  VimoProcess first;
  ASSERT_TRUE(first.Started());
  ASSERT_TRUE(first.WaitForHost()) << "no host window";
  EXPECT_EQ(ReadValue("Vimo", "@Name"), "Vimo");
  EXPECT_EQ(ReadValue("Vimo", "@Version"), "2.1");

  VimoProcess second;
  ASSERT_TRUE(second.Started());
  EXPECT_TRUE(second.WaitEnded(1000)) << "a second instance keeps running";
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(first.Running());
}

TEST_F(Host, CapturesTextCopiedByAnotherProgram) {
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  ASSERT_TRUE(CopyWithX11("first copy"));
  EXPECT_TRUE(WaitFor([] { return HistoryHolds("1", "first copy"); }, 10000)) << HistoryEntry(1);
  EXPECT_EQ(_stricmp(RunKeyValue().c_str(), ("\"" + VimoPath() + "\"").c_str()), 0) << RunKeyValue();

  ASSERT_TRUE(CopyWithX11("HELLO"));
  ASSERT_TRUE(WaitFor([] { return HistoryHolds("2", "HELLO"); }, 10000));
  ASSERT_TRUE(CopyWithX11("hello"));
  ASSERT_TRUE(CopyWithX11("first copy"));
  EXPECT_TRUE(WaitFor([] { return HistoryHolds("2", "first copy"); }, 10000));
  EXPECT_EQ(HistoryEntry(2), "HELLO") << "the entry keeps the case it was first copied in";
}

TEST_F(Host, KeepsNoMoreThanTheHistoryDepth) {
  WriteValue("Vimo\\Clipboard", "HistoryDepth", "5");
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  for (int i = 1; i <= 7; ++i) {
    std::string text = "entry " + std::to_string(i);
    ASSERT_TRUE(CopyWithX11(text));
    ASSERT_TRUE(WaitFor([&] { return HistoryEntry(1) == text; }, 10000)) << text;
  }
  EXPECT_EQ(ReadValue("Vimo\\Clipboard\\History", "Count"), "5");
  EXPECT_EQ(HistoryEntry(5), "entry 3");
}

TEST_F(Host, CapturesNothingWhileHistoryIsDisabledAlsoAfterARestart) {
  WriteValue("Vimo\\Clipboard", "DisableHistory", "1");
  for (int run = 0; run < 2; ++run) {
    VimoProcess vimo;
    ASSERT_TRUE(vimo.WaitForHost());
    ASSERT_TRUE(CopyWithX11("secret " + std::to_string(run)));
    // Give a running monitor every chance: well past its first probe.
    Sleep(1500);
    EXPECT_EQ(ReadValue("Vimo\\Clipboard\\History", "Count"), "<none>");
  }
}

// Puts text on the clipboard together with another format, as a word processor does.
void CopyWithExtraFormat(const char* text, const char* formatName, const void* data, size_t size) {
  ASSERT_TRUE(OpenClipboardSoon());
  EmptyClipboard();
  auto put = [](UINT format, const void* bytes, size_t n) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, n);
    std::memcpy(GlobalLock(mem), bytes, n);
    GlobalUnlock(mem);
    SetClipboardData(format, mem);
  };
  put(CF_TEXT, text, std::strlen(text) + 1);
  put(RegisterClipboardFormatA(formatName), data, size);
  CloseClipboard();
}

TEST_F(Host, SkipsContentMarkedAsSecret) {
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  ASSERT_TRUE(CopyWithX11("visible"));
  ASSERT_TRUE(WaitFor([] { return HistoryEntry(1) == "visible"; }, 10000));
  CopyWithExtraFormat("p4ssw0rd", "ExcludeClipboardContentFromMonitorProcessing", "", 1);
  ASSERT_TRUE(CopyWithX11("after"));
  ASSERT_TRUE(WaitFor([] { return HistoryEntry(1) == "after"; }, 10000));
  EXPECT_EQ(ReadValue("Vimo\\Clipboard\\History", "Count"), "2");
  EXPECT_EQ(HistoryEntry(2), "visible");
  EXPECT_NE(HistoryEntry(3), "p4ssw0rd");
}

TEST_F(Host, LeavesEveryFormatOnTheClipboard) {
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  const char rtf[] = "{\\rtf1 formatted}";
  CopyWithExtraFormat("formatted", "Rich Text Format", rtf, sizeof rtf);
  ASSERT_TRUE(WaitFor([] { return HistoryEntry(1) == "formatted"; }, 10000));
  // The ten-second probe that follows a copy runs only where Vimo had to join the viewer
  // chain; with the format listener nothing comes after the capture.
  if (GetClipboardViewer() == vimo.Host()) Sleep(15000);
  ASSERT_TRUE(OpenClipboardSoon());
  bool hasRtf = IsClipboardFormatAvailable(RegisterClipboardFormatA("Rich Text Format"));
  bool hasText = IsClipboardFormatAvailable(CF_TEXT);
  CloseClipboard();
  EXPECT_TRUE(hasRtf) << "the probe threw away the other format";
  EXPECT_TRUE(hasText);
}

}  // namespace
}  // namespace vimo::e2e

namespace vimo::e2e {
namespace {

// Every value below the product key, as path\name=data lines.
void Snapshot(HKEY key, const std::string& path, std::string& out) {
  char name[512];
  BYTE data[8192];
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = sizeof name, dataLen = sizeof data, type = 0;
    if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, data, &dataLen) != ERROR_SUCCESS) break;
    out += path + "\\" + std::string(name, nameLen) + "=" + std::string(reinterpret_cast<char*>(data), dataLen) + "\n";
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = sizeof name;
    if (RegEnumKeyExA(key, i, name, &nameLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY sub;
    if (RegOpenKeyExA(key, name, 0, KEY_READ, &sub) == ERROR_SUCCESS) {
      Snapshot(sub, path + "\\" + name, out);
      RegCloseKey(sub);
    }
  }
}

std::string ProductKeySnapshot() {
  std::string out;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Tramlex", 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
  Snapshot(key, "", out);
  RegCloseKey(key);
  return out + RunKeyValue();
}

TEST(HostTray, ExitFromTheTrayMenuEndsTheProgramAndWritesNothing) {
  DeleteProductKey();
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  POINT icon{};
  ASSERT_TRUE(WaitFor([&] { return FindTrayIcon(RGB(0, 128, 0), icon); }, 10000)) << "no green face in the tray";
  std::string shot = ScreenshotPath("tray-first-run.png");
  if (!shot.empty()) Screenshot(shot);
  // Starting captures what the clipboard holds; that save comes a moment later.
  ASSERT_TRUE(WaitFor([] { return ReadValue("Vimo\\State", "Suspended") != "<none>"; }, 10000));
  std::string before = ProductKeySnapshot();

  MouseClick(icon, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(WaitFor([] { return FindWindowA("#32768", nullptr) != nullptr; }, 5000)) << "no menu opened";
  shot = ScreenshotPath("tray-menu.png");
  if (!shot.empty()) Screenshot(shot);
  PressKey(VK_DOWN);  // the first item, "Exit"
  PressKey(VK_RETURN);
  EXPECT_TRUE(vimo.WaitEnded(10000)) << "Exit did not end the program";
  EXPECT_EQ(ProductKeySnapshot(), before) << "something was written at exit";
  DeleteProductKey();
}

}  // namespace
}  // namespace vimo::e2e
