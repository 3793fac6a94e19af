// Vimo.exe started at 96, 144 and 192 DPI: every pop-up and every settings page, as a
// user of such a screen sees them, in pictures to look at.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "E2eSupport.h"

namespace vimo::e2e {
namespace {

constexpr int kCtrlAlt = 0x4000 + 0x8000;

void SetLogPixels(DWORD dpi) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  RegCloseKey(key);
}

RECT Rect(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

class DpiScreenshots : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    DeleteProductKey();
    WriteValue("Vimo\\Options", "KeyCorner", "4");
    for (const char* corner : {"LeftTop", "LeftBottom", "RightTop", "RightBottom"})
      for (const char* m : {"None", "Control"})
        WriteValue(std::string("Vimo\\Mouse\\Actions\\") + corner + "\\" + m, "Action", "0");
    const struct {
      int kind;
      WORD key;
    } keys[] = {{40, VK_F5}, {60, VK_F6}, {70, VK_F7}, {80, VK_F8}, {90, VK_F9}};
    int n = 0;
    for (auto k : keys) {
      std::string key = "Vimo\\Keys\\" + std::to_string(++n);
      WriteValue(key, "Action", std::to_string(k.kind));
      WriteValue(key, "HotKey", std::to_string(kCtrlAlt + k.key));
    }
    WriteValue("Vimo\\Keys", "Count", std::to_string(n));
    WriteValue("Vimo\\Clipboard\\Clips", "Count", "2");
    WriteValue("Vimo\\Clipboard\\Clips\\1", "Comment", "Signature");
    WriteValue("Vimo\\Clipboard\\Clips\\1", "Text", "Best regards,\r\nAnna");
    WriteValue("Vimo\\Clipboard\\Clips\\2", "Text", "https://www.example.org/");
    SetLogPixels(static_cast<DWORD>(GetParam()));
    MovePointer(300, 300);
  }
  void TearDown() override {
    SetLogPixels(96);
    DeleteProductKey();
  }
  std::string Shot(const std::string& name) const {
    return ScreenshotPath(("dpi" + std::to_string(GetParam()) + "-" + name + ".png").c_str());
  }
};

TEST_P(DpiScreenshots, EveryPopupAndEverySettingsPage) {
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  const struct {
    WORD key;
    const char* name;
  } popups[] = {{VK_F5, "calendar"}, {VK_F6, "world-time"}, {VK_F7, "time-map"}, {VK_F8, "clip-history"},
                {VK_F9, "clip-collection"}};
  for (auto p : popups) {
    PressCtrlAlt(p.key);
    HWND popup = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
          auto all = vimo.Popups();
          popup = all.empty() ? nullptr : all.front();
          return popup != nullptr;
        },
        5000))
        << p.name;
    EXPECT_TRUE(WaitPainted(popup)) << p.name << " is never done painting";  // shown is not yet painted
    vimo.WaitIdle();
    std::string shot = Shot(p.name);
    if (!shot.empty()) Screenshot(shot, Rect(popup));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return vimo.Popups().empty(); }, 5000)) << p.name << " closes with Escape";
  }

  POINT icon{};
  ASSERT_TRUE(WaitFor([&] { return FindTrayIcon(RGB(0, 128, 0), icon); }, 10000));
  ASSERT_TRUE(PickTrayMenuItem(icon, VK_UP, 1));  // "Settings..."
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindOwnWindow(vimo.Id(), "Tramlex Vimo Settings")) != nullptr; }, 5000));
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_NEAR(client.right, 439 * GetParam() / 96.0, 1.0);
  EXPECT_NEAR(client.bottom, 316 * GetParam() / 96.0, 1.0);
  const char* pages[] = {"general", "mouse", "hotkeys", "tray", "clipboard", "worldtime", "exportimport", "about"};
  for (int page = 0; page < 8; ++page) {
    if (page > 0) PressKey(VK_DOWN);  // the page list has the focus
    EXPECT_TRUE(WaitPainted(dialog)) << pages[page] << " is never done painting";
    vimo.WaitIdle();
    std::string shot = Shot(std::string("settings-") + pages[page]);
    if (!shot.empty()) Screenshot(shot, Rect(dialog));
  }
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return FindOwnWindow(vimo.Id(), "Tramlex Vimo Settings") == nullptr; }, 5000));
}

INSTANTIATE_TEST_SUITE_P(AtEachDpi, DpiScreenshots, ::testing::Values(96, 144, 192));

}  // namespace
}  // namespace vimo::e2e
