// Text of every script through the widget layer: the windows are Unicode windows, the
// controls keep what they are given, typed characters arrive as they were typed, and
// the owner-drawn paint draws the text itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "ComponentTestSupport.h"
#include "components/win32/Win32Timers.h"
#include "components/win32/Win32TrayShell.h"
#include "platform/Utf.h"
#include "time/win32/WorldTimeEdit.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/StdControls.h"

namespace vimo {
namespace {

using test::kWorldText;

const wchar_t kCyrillicBe = 0x0431;  // its low byte is the digit "1"

std::string WideText(HWND h) {
  int n = GetWindowTextLengthW(h);
  std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
  n = GetWindowTextW(h, s.data(), n + 1);
  s.resize(static_cast<std::size_t>(n > 0 ? n : 0));
  return Narrow(s);
}

TEST(WidgetText, EveryWindowOfTheProgramIsAUnicodeWindow) {
  Application().Initialize();
  EXPECT_TRUE(IsWindowUnicode(Application().Handle()));
  TForm form(TFormStyle::Dialog);
  auto* panel = new TPanel(&form);
  auto* button = new TButton(&form, "OK", IDOK);
  auto* label = new TLabel(&form, "label");
  auto* edit = new TEdit(&form, "", 10, false);
  auto* memo = new TMemo(&form);
  auto* combo = new TComboBox(&form);
  auto* check = new TCheckBox(&form, "check");
  auto* hotKey = new THotKey(&form);
  auto* track = new TTrackBar(&form, 0, 10, 1);
  auto* upDown = new TUpDown(&form, edit, 0, 5);
  for (TControl* c : std::initializer_list<TControl*>{&form, panel, button, label, edit, memo, combo, check, hotKey,
                                                     track, upDown})
    EXPECT_TRUE(IsWindowUnicode(c->Handle())) << "window of class " << [c] {
      char name[64] = {};
      GetClassNameA(c->Handle(), name, sizeof name);
      return std::string(name);
    }();

  Win32TimerService timers;
  timers.CreateTimerWindow([](std::uintptr_t) {});
  HWND timerWindow = FindWindowExW(nullptr, nullptr, L"TLiteTimerHandler", nullptr);
  ASSERT_TRUE(timerWindow);
  EXPECT_TRUE(IsWindowUnicode(timerWindow));
  timers.DestroyTimerWindow();

  Win32TrayShell shell(Application().Window());
  NativeHandle tray = shell.CreateHandlerWindow([](std::uint32_t, std::uint32_t) {});
  EXPECT_TRUE(IsWindowUnicode(reinterpret_cast<HWND>(tray)));
  // Subclassing the owner must keep it a Unicode window.
  shell.SubclassOwner(reinterpret_cast<NativeHandle>(form.Handle()),
                      [](const WindowMessage&, std::intptr_t&) { return false; });
  EXPECT_TRUE(IsWindowUnicode(form.Handle()));
  shell.RestoreOwner(reinterpret_cast<NativeHandle>(form.Handle()));
  shell.DestroyHandlerWindow(tray);
}

TEST(WidgetText, ControlsKeepTextOfEveryScript) {
  TForm form(TFormStyle::Dialog);
  form.SetCaption(kWorldText);
  EXPECT_EQ(WideText(form.Handle()), kWorldText);
  auto* label = new TLabel(&form, kWorldText);
  EXPECT_EQ(WideText(label->Handle()), kWorldText);
  label->SetCaption(kWorldText + "!");
  EXPECT_EQ(label->Caption(), kWorldText + "!");
  auto* edit = new TEdit(&form, kWorldText, 200, false);
  EXPECT_EQ(edit->Text(), kWorldText);
  edit->SetText("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82");
  EXPECT_EQ(edit->Text(), "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82");
  auto* memo = new TMemo(&form);
  memo->SetText(kWorldText + "\r\n" + kWorldText);
  EXPECT_EQ(memo->Text(), kWorldText + "\r\n" + kWorldText);
  EXPECT_EQ(WideText(memo->Handle()), kWorldText + "\r\n" + kWorldText);
  auto* combo = new TComboBox(&form);
  combo->AddItem(kWorldText, 7);
  EXPECT_EQ(combo->Item(0), kWorldText);
  EXPECT_EQ(combo->ItemId(0), 7);
  auto* check = new TCheckBox(&form, kWorldText);
  EXPECT_EQ(WideText(check->Handle()), kWorldText);
  auto* button = new TButton(&form, kWorldText, 0);
  EXPECT_EQ(WideText(button->Handle()), kWorldText);
}

TEST(WidgetText, TypedCharactersArriveAsTypedAndAreNeverMistakenForDigits) {
  TForm form(TFormStyle::Dialog);
  auto* edit = new TEdit(&form, "", 100, false);
  char seen = 0;
  edit->OnKeyPress = [&](TEdit*, char& key) { seen = key; };
  SendMessageW(edit->Handle(), WM_CHAR, kCyrillicBe, 0);
  EXPECT_NE(seen, '1') << "a Cyrillic letter reached the handler as a digit";
  EXPECT_EQ(edit->Text(), "\xD0\xB1") << "a character the handler let pass reaches the edit whole";
  SendMessageW(edit->Handle(), WM_CHAR, L'7', 0);
  EXPECT_EQ(seen, '7');
  EXPECT_EQ(edit->Text(), "\xD0\xB1" "7");

  // The world-time editor's number edits take digits and signs only.
  TWorldTime item{"x", 0};
  TfrmWorldTimeEditor editor(item);
  editor.edtMinutes->SetText("");
  SendMessageW(editor.edtMinutes->Handle(), WM_CHAR, kCyrillicBe, 0);
  EXPECT_EQ(editor.edtMinutes->Text(), "");
}

TEST(WidgetText, OwnerDrawnTextIsDrawnAndMeasuredAsItsCharacters) {
  TForm form(TFormStyle::Dialog);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 400, 20);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ oldFont = SelectObject(dc, form.Font());
  std::wstring wide = Widen(kWorldText);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  EXPECT_EQ(TextWidth(dc, kWorldText), size.cx);

  // DrawTextIn paints exactly what DrawTextW paints for the wide text.
  auto paint = [&](const std::function<void()>& draw) {
    RECT all{0, 0, 400, 20};
    FillSolid(dc, all, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    draw();
    std::string pixels;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 400; ++x) pixels += GetPixel(dc, x, y) == RGB(255, 255, 255) ? '.' : '#';
    return pixels;
  };
  std::string ours = paint([&] { DrawTextIn(dc, kWorldText, RECT{0, 0, 400, 20}, DT_SINGLELINE | DT_NOPREFIX); });
  std::string wides = paint([&] {
    RECT r{0, 0, 400, 20};
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_SINGLELINE | DT_NOPREFIX);
  });
  EXPECT_EQ(ours, wides);
  EXPECT_NE(ours.find('#'), std::string::npos);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace
}  // namespace vimo
