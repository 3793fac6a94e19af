// The settings store as a user's registry meets it: damaged or hostile values, and the
// auto-start entry of a program in a folder with a space in its name.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "E2eSupport.h"

namespace vimo::e2e {
namespace {

class Store : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteProductKey();
    DeleteRunValue();
    if (OpenClipboardSoon()) {
      EmptyClipboard();
      CloseClipboard();
    }
  }
  void TearDown() override {
    DeleteProductKey();
    DeleteRunValue();
  }
};

// CPU seconds (user and system) that Linux counts for the process whose command line
// holds `tag`. Wine's GetProcessTimes reports no time for another process.
double UnixCpuSeconds(const std::string& tag) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string out = "/tmp/vimo-e2e-cpu-" + std::to_string(GetCurrentProcessId());
  if (!RunUnix("pid=$(pgrep -f '" + tag + "' | head -1); [ -n \"$pid\" ] && awk -v hz=$(getconf CLK_TCK) "
               "'{ printf \"%.3f\", ($14 + $15) / hz }' /proc/$pid/stat > " + out))
    return -1;
  std::string dos = "Z:" + out;
  for (char& c : dos)
    if (c == '/') c = '\\';
  double seconds = -1;
  if (FILE* f = std::fopen(dos.c_str(), "r")) {
    if (std::fscanf(f, "%lf", &seconds) != 1) seconds = -1;
    std::fclose(f);
  }
  DeleteFileA(dos.c_str());
  return seconds;
}

SIZE_T PrivateBytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) return 0;
  // Wine leaves PrivateUsage 0 for other processes; the page-file figure is the same
  // private commit charge there.
  return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

TEST_F(Store, StartUpWithAHugeCountIsQuickAndSmall) {
  WriteValue("Vimo\\Keys", "Count", "2000000000");
  WriteValue("Vimo\\Keys\\2000000000", "Comment", "far");
  WriteValue("Vimo\\Clipboard\\Clips", "Count", "2000000000");
  WriteValue("Vimo\\Clipboard\\Clips\\2000000000", "Text", "far");
  WriteValue("Vimo\\Clipboard\\History", "Count", "2000000000");
  WriteValue("Vimo\\Clipboard\\History", "2000000000", "far");
  // A copy under a name of its own, to find its process among the machine's.
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string tag = "VimoStartup" + std::to_string(GetTickCount());
  const std::string exe = std::string(temp) + tag + ".exe";
  ASSERT_TRUE(CopyFileA(VimoPath().c_str(), exe.c_str(), FALSE)) << exe;
  {
    DWORD started = GetTickCount();
    VimoProcess vimo(exe);
    ASSERT_TRUE(vimo.Started());
    // Bounded far below the minutes a loop over the count takes.
    bool up = vimo.WaitForHost(20000);
    DWORD idleAfter = GetTickCount() - started;
    // The program's own time: CPU time until its message loop first waited for input,
    // Wine's start of the process included.
    double cpu = UnixCpuSeconds(tag);
    SIZE_T privateBytes = PrivateBytes(vimo.Handle());
    std::printf("start-up with counts of 2,000,000,000: %.0f ms CPU, idle after %lu ms, %.1f MB private\n",
                cpu * 1000, static_cast<unsigned long>(idleAfter), privateBytes / 1048576.0);
    EXPECT_TRUE(up) << "no host after 20 s";
    EXPECT_GE(cpu, 0.0) << "the process was not found";
    EXPECT_LT(cpu, 1.0);
    EXPECT_GT(privateBytes, 0u);
    EXPECT_LT(privateBytes, 20u * 1024 * 1024);
    EXPECT_TRUE(vimo.Running());
  }
  DeleteFileA(exe.c_str());
}

TEST_F(Store, ADamagedClipCountLosesNoClipWhenTheSettingsAreSavedWithOk) {
  WriteValue("Vimo\\Clipboard\\Clips", "Count", "2 ");
  for (int n = 1; n <= 3; ++n) {
    WriteValue("Vimo\\Clipboard\\Clips\\" + std::to_string(n), "Comment", "clip " + std::to_string(n));
    WriteValue("Vimo\\Clipboard\\Clips\\" + std::to_string(n), "Text", "text " + std::to_string(n));
  }
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  POINT icon{};
  ASSERT_TRUE(WaitFor([&] { return FindTrayIcon(RGB(0, 128, 0), icon); }, 10000)) << "no green face in the tray";
  ASSERT_TRUE(PickTrayMenuItem(icon, VK_UP, 1));  // the last item, "Settings..."
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindOwnWindow(vimo.Id(), "Tramlex Vimo Settings")) != nullptr; }, 5000));
  ASSERT_TRUE(vimo.WaitIdle());
  PressKey(VK_RETURN);  // OK is the dialog's default button
  ASSERT_TRUE(WaitFor([&] { return FindOwnWindow(vimo.Id(), "Tramlex Vimo Settings") == nullptr; }, 5000))
      << "Enter did not close the dialog";
  ASSERT_TRUE(vimo.WaitIdle());
  EXPECT_EQ(ReadValue("Vimo\\Clipboard\\Clips", "Count"), "3");
  for (int n = 1; n <= 3; ++n) {
    EXPECT_EQ(ReadValue("Vimo\\Clipboard\\Clips\\" + std::to_string(n), "Comment"), "clip " + std::to_string(n));
    EXPECT_EQ(ReadValue("Vimo\\Clipboard\\Clips\\" + std::to_string(n), "Text"), "text " + std::to_string(n));
  }
}

TEST_F(Store, TheFirstCopyAfterADamagedCountAndDepthKeepsTheHistory) {
  WriteValue("Vimo\\Clipboard", "HistoryDepth", "0");
  WriteValue("Vimo\\Clipboard\\History", "Count", "-1");
  for (int n = 1; n <= 3; ++n) WriteValue("Vimo\\Clipboard\\History", std::to_string(n), "old " + std::to_string(n));
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  ASSERT_TRUE(CopyWithX11("the first copy"));
  EXPECT_TRUE(WaitFor([] { return ReadValue("Vimo\\Clipboard\\History", "1") == "the first copy"; }, 10000))
      << ReadValue("Vimo\\Clipboard\\History", "1");
  EXPECT_EQ(ReadValue("Vimo\\Clipboard\\History", "Count"), "4");
  for (int n = 1; n <= 3; ++n)
    EXPECT_EQ(ReadValue("Vimo\\Clipboard\\History", std::to_string(n + 1)), "old " + std::to_string(n));
  EXPECT_EQ(ReadValue("Vimo\\Clipboard", "HistoryDepth"), "0") << "kept until the user saves";
}

TEST_F(Store, TheAutoStartEntryOfAFolderWithASpaceIsQuoted) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "Tramlex Vimo Test";
  const std::string exe = dir + "\\Vimo.exe";
  CreateDirectoryA(dir.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(VimoPath().c_str(), exe.c_str(), FALSE)) << exe;
  {
    VimoProcess vimo(exe);
    ASSERT_TRUE(vimo.WaitForHost());
    // The entry is written when the program handles a clipboard change.
    ASSERT_TRUE(CopyWithX11("auto-start from a folder with a space"));
    EXPECT_TRUE(WaitFor([] { return RunKeyValue() != "<none>"; }, 10000));
    EXPECT_EQ(_stricmp(RunKeyValue().c_str(), ("\"" + exe + "\"").c_str()), 0) << RunKeyValue();
  }
  DeleteFileA(exe.c_str());
  RemoveDirectoryA(dir.c_str());
}

}  // namespace
}  // namespace vimo::e2e
