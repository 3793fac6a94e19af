#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ComponentTestSupport.h"
#include "components/PopupMenu.h"
#include "components/TrayIcon.h"
#include "components/win32/TrayImageList.h"
#include "components/win32/Win32TrayShell.h"

namespace vimo {
namespace {

using test::SendKey;

HWND HandlerWindow(const TTrayIcon& icon) { return reinterpret_cast<HWND>(icon.Handle()); }

class TIconHandle {
 public:
  explicit TIconHandle(HICON icon) : icon_(icon) {}
  ~TIconHandle() {
    if (icon_) DestroyIcon(icon_);
  }
  TIconHandle(const TIconHandle&) = delete;
  TIconHandle& operator=(const TIconHandle&) = delete;
  HICON Get() const { return icon_; }
  NativeHandle Native() const { return reinterpret_cast<NativeHandle>(icon_); }

 private:
  HICON icon_;
};

// The tray icon's images read from an image list of icons.
class TImageListSource final : public TImageSource {
 public:
  explicit TImageListSource(HIMAGELIST list) : list_(list) {}
  int Count() const override { return ::ImageList_GetImageCount(list_); }
  NativeHandle GetIcon(int index) const override {
    if (index < 0 || index >= Count()) return 0;
    return reinterpret_cast<NativeHandle>(::ImageList_GetIcon(list_, index, ILD_NORMAL));
  }

 private:
  HIMAGELIST list_;
};

// A 16 x 16 icon of one colour.
TIconHandle SolidIcon(COLORREF colour) {
  HDC screen = GetDC(nullptr);
  HBITMAP colourBits = CreateCompatibleBitmap(screen, 16, 16);
  HBITMAP maskBits = CreateBitmap(16, 16, 1, 1, nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, colourBits);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT r{0, 0, 16, 16};
  FillRect(dc, &r, brush);
  SelectObject(dc, maskBits);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectObject(dc, old);
  DeleteObject(brush);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  ICONINFO info{TRUE, 0, 0, maskBits, colourBits};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(colourBits);
  DeleteObject(maskBits);
  return TIconHandle(icon);
}

// Asks the shell directly whether it still has the icon: a modify of a missing icon fails.
bool ShellHasIcon(const TTrayIcon& icon) {
  NOTIFYICONDATAA nid{};
  nid.cbSize = NOTIFYICONDATAA_V2_SIZE;
  nid.hWnd = HandlerWindow(icon);
  nid.uID = icon.Id();
  return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

void ForgetIcon(const TTrayIcon& icon) {
  NOTIFYICONDATAA nid{};
  nid.cbSize = NOTIFYICONDATAA_V2_SIZE;
  nid.hWnd = HandlerWindow(icon);
  nid.uID = icon.Id();
  Shell_NotifyIconA(NIM_DELETE, &nid);
}

TEST(TrayIconWin, TheIconIsAddedModifiedAndDeletedThroughTheShell) {
  test::RealComponentServices services;
  TIconHandle red = SolidIcon(RGB(200, 0, 0));
  TIconHandle blue = SolidIcon(RGB(0, 0, 200));
  TTrayIcon icon;
  ASSERT_TRUE(IsWindow(HandlerWindow(icon)));
  EXPECT_FALSE(IsWindowVisible(HandlerWindow(icon)));
  icon.SetIcon(red.Native());
  icon.SetHint("Tramlex Vimo");
  EXPECT_TRUE(icon.ShowIcon());
  EXPECT_TRUE(ShellHasIcon(icon));
  icon.SetIcon(blue.Native());
  EXPECT_TRUE(icon.ModifyIcon());
  EXPECT_TRUE(icon.ShowBalloonHint("Tramlex Vimo", "Tramlex Vimo is a nice tray-based utility pack", 1, 10));
  EXPECT_TRUE(icon.HideBalloonHint());
  EXPECT_TRUE(icon.HideIcon());
  EXPECT_FALSE(ShellHasIcon(icon));
  EXPECT_FALSE(icon.ModifyIcon()) << "the shell fails a modify of a removed icon";
}

TEST(TrayIconWin, ImagesComeFromTheImageListAndCycle) {
  test::RealComponentServices services;
  TImageListHandle list(::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4));
  ASSERT_TRUE(list.get());
  for (COLORREF c : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)}) {
    TIconHandle i = SolidIcon(c);
    ::ImageList_ReplaceIcon(list.get(), -1, i.Get());
  }
  TImageListSource images(list.get());
  ASSERT_EQ(images.Count(), 4);
  TTrayIcon icon;
  icon.SetIconList(&images);
  icon.SetIconIndex(7);
  EXPECT_EQ(icon.IconIndex(), 3) << "an index past the end wraps";
  icon.SetIconIndex(10);
  EXPECT_EQ(icon.IconIndex(), 3);
  EXPECT_NE(icon.Icon(), 0u);
  ASSERT_TRUE(icon.ShowIcon());
  std::vector<int> next;
  icon.OnCycle = [&](TTrayIcon&, int n) { next.push_back(n); };
  icon.SetCycleInterval(10);
  icon.SetCycleIcons(true);
  EXPECT_TRUE(test::PumpUntil([&] { return next.size() >= 5; }));
  icon.SetCycleIcons(false);
  EXPECT_EQ(std::vector<int>(next.begin(), next.begin() + 5), (std::vector<int>{1, 2, 3, 0, 1}));
}

TEST(TrayIconWin, CallbackMessagesRaiseEventsWithTheShiftState) {
  test::RealComponentServices services;
  TTrayIcon icon;
  std::vector<std::string> events;
  icon.OnMouseDown = [&](TTrayIcon& s, TMouseButton b, TShiftState sh, int, int) {
    EXPECT_EQ(&s, &icon);
    events.push_back("down " + std::to_string(b) + " " + std::to_string(sh));
  };
  icon.OnMouseUp = [&](TTrayIcon&, TMouseButton b, TShiftState sh, int, int) {
    events.push_back("up " + std::to_string(b) + " " + std::to_string(sh));
  };
  icon.OnClick = [&](TTrayIcon& s) {
    EXPECT_EQ(&s, &icon);
    events.push_back("click");
  };
  icon.OnBalloonHintTimeout = [&](TTrayIcon&) { events.push_back("balloon timeout"); };
  HWND handler = HandlerWindow(icon);
  SendKey(VK_SHIFT, true);
  SendKey(VK_CONTROL, true);
  test::PumpPending();
  PostMessageA(handler, 0x800, icon.Id(), WM_LBUTTONDOWN);
  PostMessageA(handler, 0x800, icon.Id(), WM_LBUTTONUP);
  PostMessageA(handler, 0x800, icon.Id() + 1, WM_LBUTTONDOWN);  // no such icon
  PostMessageA(handler, 0x800, icon.Id(), NIN_BALLOONTIMEOUT);
  EXPECT_TRUE(test::PumpUntil([&] { return events.size() >= 4; }));
  SendKey(VK_CONTROL, false);
  SendKey(VK_SHIFT, false);
  test::PumpPending();
  EXPECT_EQ(events, (std::vector<std::string>{"down 0 13", "click", "up 0 13", "balloon timeout"}))
      << "ssShift | ssCtrl | ssLeft = 13";
  EXPECT_EQ(SendMessageA(handler, 0x800, icon.Id(), WM_MOUSEMOVE), 0);
  EXPECT_EQ(SendMessageA(handler, WM_CLOSE, 0, 0), 1) << "the handler window refuses to close";
  EXPECT_TRUE(IsWindow(handler));
}

TEST(TrayIconWin, ASingleClickWaitsForTheDoubleClickTimeWhenOnDblClickIsSet) {
  test::RealComponentServices services;
  TTrayIcon icon;
  int clicks = 0, doubles = 0;
  icon.OnClick = [&](TTrayIcon&) { ++clicks; };
  icon.OnDblClick = [&](TTrayIcon&) { ++doubles; };
  HWND handler = HandlerWindow(icon);
  SendMessageA(handler, 0x800, icon.Id(), WM_LBUTTONDOWN);
  SendMessageA(handler, 0x800, icon.Id(), WM_LBUTTONUP);
  EXPECT_EQ(clicks, 0) << "not at the release";
  EXPECT_TRUE(test::PumpUntil([&] { return clicks == 1; }));
  SendMessageA(handler, 0x800, icon.Id(), WM_LBUTTONDOWN);
  SendMessageA(handler, 0x800, icon.Id(), WM_LBUTTONUP);
  SendMessageA(handler, 0x800, icon.Id(), WM_LBUTTONDBLCLK);
  SendMessageA(handler, 0x800, icon.Id(), WM_LBUTTONUP);
  EXPECT_EQ(doubles, 1);
  // A timer of the same length started after the press expires after the click wait.
  bool waited = false;
  TLiteTimer after(static_cast<std::int32_t>(GetDoubleClickTime()), [&](TLiteTimer&) { waited = true; });
  after.OneShot = true;
  after.SetEnabled(true);
  ASSERT_TRUE(test::PumpUntil([&] { return waited; }));
  test::PumpPending();
  EXPECT_EQ(clicks, 1) << "the double-click must not add a click";
}

TEST(TrayIconWin, AnExceptionInATrayEventReachesTheErrorDisplay) {
  test::RealComponentServices services;
  TTrayIcon icon;
  icon.OnBalloonHintClick = [](TTrayIcon&) { throw std::runtime_error("balloon failed"); };
  EXPECT_EQ(SendMessageA(HandlerWindow(icon), 0x800, icon.Id(), NIN_BALLOONUSERCLICK), 0);
  EXPECT_EQ(services.errors, std::vector<std::string>{"balloon failed"});
}

TEST(TrayIconWin, TheCommonControlsFileAndTheLoadedLibraryAgreeOnTheTaskbarMessage) {
  ASSERT_TRUE(GetModuleHandleW(L"comctl32.dll")) << "this test program links the library";
  std::uint32_t loaded = CommonControlsVersion(), file = CommonControlsFileVersion();
  // With a manifest the loaded library may be a later one than the file: both decide alike.
  EXPECT_GT(file, 0x40046u) << std::hex << file;
  EXPECT_GT(loaded, 0x40046u) << std::hex << loaded;
}

TEST(TrayIconWin, ABroadcastTaskbarCreatedPutsAVisibleIconBackButNotAHiddenOne) {
  test::RealComponentServices services;
  UINT taskbarCreated = Platform().trayShell->TaskbarCreatedMessage();
  ASSERT_NE(taskbarCreated, 0u) << "common controls " << std::hex << CommonControlsVersion();
  TIconHandle green = SolidIcon(RGB(0, 160, 0));
  TTrayIcon shown, hidden;
  shown.SetIcon(green.Native());
  hidden.SetIcon(green.Native());
  ASSERT_TRUE(shown.ShowIcon());
  ASSERT_TRUE(hidden.ShowIcon());
  hidden.SetIconVisible(false);
  // The shell restarts and forgets every icon.
  ForgetIcon(shown);
  ASSERT_FALSE(ShellHasIcon(shown));
  DWORD_PTR result = 0;
  SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
  test::PumpPending();
  EXPECT_TRUE(ShellHasIcon(shown));
  EXPECT_FALSE(ShellHasIcon(hidden));
}

TEST(TrayIconWin, TheMenuOpensAtTheCursorAndItsChoiceIsClicked) {
  test::RealComponentServices services;
  TPopupMenu menu;
  int popups = 0, exits = 0;
  menu.OnPopup = [&](TPopupMenu&) { ++popups; };
  menu.Add("Suspend");
  menu.Add("-");
  menu.Add("Exit", [&](TMenuItem&) { ++exits; });
  TTrayIcon icon;
  icon.SetPopupMenu(&menu);
  SetCursorPos(300, 300);
  // The menu runs a modal loop: a timer in it picks the last item with the keyboard.
  int step = 0;
  TLiteTimer driver(50, [&](TLiteTimer& t) {
    if (++step == 1) {
      SendKey(VK_UP, true);
      SendKey(VK_UP, false);
      SendKey(VK_RETURN, true);
      SendKey(VK_RETURN, false);
    } else if (step > 40) {
      t.SetEnabled(false);
      SendKey(VK_ESCAPE, true);  // keeps a broken menu from hanging the run
      SendKey(VK_ESCAPE, false);
    }
  });
  driver.SetEnabled(true);
  SendMessageA(HandlerWindow(icon), 0x800, icon.Id(), WM_RBUTTONDOWN);
  driver.SetEnabled(false);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(menu.PopupComponent, &icon);
}

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

HWND CreateOwnerForm() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &PlainProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TVimoTestOwnerForm";
  RegisterClassA(&wc);
  return CreateWindowExA(0, wc.lpszClassName, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

TEST(TrayIconWin, TheOwnerSubclassMinimizesToTrayAndIsRemovedWithTheComponent) {
  test::RealComponentServices services;
  HWND owner = CreateOwnerForm();
  ASSERT_TRUE(owner);
  auto original = GetWindowLongPtrA(owner, GWLP_WNDPROC);
  {
    TTrayIcon icon(reinterpret_cast<NativeHandle>(owner));
    EXPECT_NE(GetWindowLongPtrA(owner, GWLP_WNDPROC), original);
    icon.MinimizeToTray = true;
    int calls = 0;
    icon.OnMinimizeToTray = [&](TTrayIcon&) { ++calls; };
    EXPECT_EQ(SendMessageA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(IsIconic(owner)) << "the old procedure must not minimize it";
    EXPECT_TRUE(icon.IconVisible());
  }
  EXPECT_EQ(GetWindowLongPtrA(owner, GWLP_WNDPROC), original);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace vimo
