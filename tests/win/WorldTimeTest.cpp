#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "FakeLocale.h"
#include "PopupSupport.h"
#include "model/Model.h"
#include "platform/Platform.h"
#include "time/TimeHelpers.h"
#include "time/WorldTimeMath.h"
#include "time/win32/WorldTime.h"
#include "time/win32/WorldTimeEdit.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32TimeZones.h"
#include "time/TimeZoneMath.h"

namespace vimo {
namespace {

class WorldTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Platform();
    Platform().clock = &clock;
    Platform().locale = &locale;
    savedTimes_ = std::move(WorldTimes);
    WorldTimes = std::make_unique<TWorldTimeList>(TWorldTimeList{
        {"Dublin, Lisbon, London", 0}, {"Berlin, Rome, Brussels, Paris", 60}, {"Plus two", 120}});
  }
  void TearDown() override {
    Application().ProcessMessages();
    WorldTimes = std::move(savedTimes_);
    Platform() = saved_;
  }
  test::FakeClock clock;
  test::FakeLocale locale;

 private:
  PlatformServices saved_;
  std::unique_ptr<TWorldTimeList> savedTimes_;
};

TEST_F(WorldTimeTest, EachCornerPlacesTheFormAndItsHeightFollowsTheEntries) {
  const int sw = TForm::ScreenWidth(), sh = TForm::ScreenHeight();
  for (int corner = 0; corner <= 4; ++corner) {
    auto* form = new TfrmWorldTime(corner);
    auto layout = WorldTimeLayout(corner, 3, form->FontHeight(), sw, sh);
    RECT r = test::WindowRect(form->Handle());
    EXPECT_EQ(r.left, layout.Place.Left) << corner;
    EXPECT_EQ(r.top, layout.Place.Top) << corner;
    EXPECT_EQ(r.right - r.left, 277) << corner;
    EXPECT_EQ(r.bottom - r.top, layout.MainHeight) << corner;
    EXPECT_EQ(form->pntWorldTimes->Height(), 3 * layout.RowHeight) << corner;
    POINT close = test::ScreenOrigin(form->sbtClose->Handle());
    EXPECT_EQ(close.x < r.left + 30, corner == 1 || corner == 2) << corner;
    EXPECT_EQ(close.y, corner == 2 || corner == 4 ? r.top + 1 : r.bottom - 25) << corner;
    delete form;
  }
  WorldTimes->clear();
  auto* empty = new TfrmWorldTime(1);
  EXPECT_EQ(empty->pntWorldTimes->Height(), 0);
  delete empty;
}

TEST_F(WorldTimeTest, SwatchesShowTheTimeOfDayColour) {
  // Bias -60 at local 23:30: London 22:30, Paris 23:30, +120 0:30; home at 6:00 is pure green.
  clock.bias = -60;
  clock.now = {2026, 12, 8, 6, 0, 0};
  auto* form = new TfrmWorldTime(1);
  int h = std::abs(form->FontHeight()) / 2;
  int w = form->pntLocalTime->ClientWidth();
  int y = form->pntLocalTime->ClientHeight() / 2;
  EXPECT_EQ(test::PrintedPixel(form->pntLocalTime->Handle(), w - 1 - h, y), kGreen);
  // The world rows: 6:00 local + bias -60 = 5:00 UTC for London; Paris 6:00 is green.
  int fh = std::abs(form->FontHeight());
  int y0 = fh * 5 / 8, step = fh * 5 / 4;
  w = form->pntWorldTimes->ClientWidth();
  EXPECT_EQ(test::PrintedPixel(form->pntWorldTimes->Handle(), w - 1 - h, y0), DayColor(300));
  EXPECT_EQ(test::PrintedPixel(form->pntWorldTimes->Handle(), w - 1 - h, y0 + step), kGreen);
  EXPECT_EQ(test::PrintedPixel(form->pntWorldTimes->Handle(), w - 1 - h, y0 + 2 * step), DayColor(420));
  delete form;
}

// The system's own zone with that key name, as the user's machine would have it.
TTimeZone SystemZone(const std::string& key) {
  for (const auto& z : Win32TimeZones().TimeZones())
    if (z.KeyName == key) return z;
  ADD_FAILURE() << key;
  return {};
}

// The swatch of entry i shows the colour of `minutes`.
void ExpectRowColour(TfrmWorldTime* form, std::size_t i, int minutes) {
  RECT row = form->EntryRow(i);
  int h = std::abs(form->FontHeight()) / 2;
  EXPECT_EQ(test::PrintedPixel(form->pntWorldTimes->Handle(), row.right - 1 - h, row.top), DayColor(minutes)) << i;
}

TEST_F(WorldTimeTest, LondonShowsUtcWhileTheUserIsOnDaylightTime) {
  struct Case { const char* zone; TLocalTime utc; };
  // Sydney in December (the 2:22am), Berlin in July, and Berlin either side of
  // the night the clocks go forward.
  for (Case c : {Case{"AUS Eastern Standard Time", {2026, 12, 9, 2, 22, 0}},
                 Case{"W. Europe Standard Time", {2026, 7, 15, 9, 41, 0}},
                 Case{"W. Europe Standard Time", {2026, 3, 29, 0, 59, 0}},
                 Case{"W. Europe Standard Time", {2026, 3, 29, 1, 0, 0}}}) {
    clock.SetUtc(c.utc, SystemZone(c.zone));
    auto* form = new TfrmWorldTime(1);
    int utc = c.utc.Hour * 60 + c.utc.Minute;
    EXPECT_EQ(form->EntryTime(0).Minutes, utc) << c.zone << " " << c.utc.Month;
    EXPECT_EQ(form->EntryTime(1).Minutes, (utc + 60) % 1440) << c.zone;
    ExpectRowColour(form, 0, utc);
    delete form;
  }
}

// On the real clock too, whatever TZ the tier runs under (Australia/Sydney in December
// is on daylight time): London is the system's UTC time.
TEST_F(WorldTimeTest, OnTheRealClockLondonShowsTheSystemsUtc) {
  Win32Clock real;
  Platform().clock = &real;
  auto* form = new TfrmWorldTime(1);
  SYSTEMTIME before{}, after{};
  GetSystemTime(&before);
  int shown = form->EntryTime(0).Minutes;
  GetSystemTime(&after);
  EXPECT_TRUE(shown == before.wHour * 60 + before.wMinute || shown == after.wHour * 60 + after.wMinute) << shown;
  delete form;
}

TEST_F(WorldTimeTest, ATiedPlaceShowsItsZonesTimeWithDaylightTime) {
  WorldTimes->assign({{"New York", -300, "Eastern Standard Time"}, {"Fixed New York", -300}});
  clock.SetUtc({2026, 7, 15, 16, 0, 0}, SystemZone("W. Europe Standard Time"));
  auto* form = new TfrmWorldTime(1);
  EXPECT_EQ(form->EntryTime(0).Offset, -240);
  EXPECT_EQ(TimeOfDayText(form->EntryTime(0).Minutes, false), "12:00");
  EXPECT_EQ(form->EntryTime(1).Offset, -300) << "an untied place keeps its fixed offset";
  ExpectRowColour(form, 0, 12 * 60);
  delete form;
  clock.SetUtc({2026, 1, 15, 16, 0, 0}, SystemZone("W. Europe Standard Time"));
  form = new TfrmWorldTime(1);
  EXPECT_EQ(form->EntryTime(0).Offset, -300);
  EXPECT_EQ(TimeOfDayText(form->EntryTime(0).Minutes, false), "11:00");
  delete form;
}

TEST_F(WorldTimeTest, PlacesOnAnotherDateSayYesterdayOrTomorrow) {
  WorldTimes->assign({{"Honolulu", -600}, {"Berlin", 60}, {"Kiribati", 840}});
  const TTimeZone berlin = SystemZone("W. Europe Standard Time");
  // Grey ink above the dotted leader's row: the word, not the dots.
  auto wordInRow = [](TfrmWorldTime* form, std::size_t i) {
    test::PrintedWindow picture(form->pntWorldTimes->Handle());
    RECT row = form->EntryRow(i);
    for (int y = row.top - 4; y < row.top + 2; ++y)
      for (int x = row.left; x < row.right; ++x)
        if (picture.Pixel(x, y) == GetSysColor(COLOR_GRAYTEXT)) return true;
    return false;
  };
  // 10:00 in Berlin: 23:00 yesterday in Honolulu, 23:00 today in Kiribati.
  clock.SetUtc({2026, 12, 9, 9, 0, 0}, berlin);
  auto* form = new TfrmWorldTime(1);
  EXPECT_EQ(form->EntryTime(0).Day, -1);
  EXPECT_EQ(form->EntryTime(1).Day, 0);
  EXPECT_EQ(form->EntryTime(2).Day, 0);
  EXPECT_TRUE(wordInRow(form, 0));
  EXPECT_FALSE(wordInRow(form, 1));
  EXPECT_FALSE(wordInRow(form, 2));
  delete form;
  // 11:30 in Berlin: 0:30 today in Honolulu, 0:30 tomorrow in Kiribati.
  clock.SetUtc({2026, 12, 9, 10, 30, 0}, berlin);
  form = new TfrmWorldTime(1);
  EXPECT_EQ(form->EntryTime(0).Day, 0);
  EXPECT_EQ(form->EntryTime(2).Day, 1);
  EXPECT_FALSE(wordInRow(form, 0));
  EXPECT_TRUE(wordInRow(form, 2));
  delete form;
}

TEST_F(WorldTimeTest, ALongNameGivesWayToTheDayWord) {
  WorldTimes->assign({{"Berlin, Rome, Brussels, Paris, Vienna", 60}});
  clock.SetUtc({2026, 12, 9, 22, 30, 0}, SystemZone("Tokyo Standard Time"));  // 7:30 in Tokyo, 23:30 in Berlin
  auto* form = new TfrmWorldTime(1);
  ASSERT_EQ(form->EntryTime(0).Day, -1);
  test::PrintedWindow picture(form->pntWorldTimes->Handle());
  RECT row = form->EntryRow(0);
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT), ink = GetSysColor(COLOR_WINDOWTEXT);
  int wordLeft = row.right, wordRight = row.left;
  for (int y = row.top - 4; y < row.top + 2; ++y)
    for (int x = row.left; x < row.right; ++x)
      if (picture.Pixel(x, y) == grey) wordLeft = std::min(wordLeft, x), wordRight = std::max(wordRight, x);
  ASSERT_LT(wordLeft, wordRight) << "the word is drawn";
  for (int y = row.top - 6; y <= row.top + 6; ++y)
    for (int x = wordLeft - 2; x <= wordRight; ++x)
      ASSERT_NE(picture.Pixel(x, y), ink) << "the name runs into the word at " << x << "," << y;
  delete form;
}

TEST_F(WorldTimeTest, AListTallerThanTheScreenContinuesInAColumnBeside) {
  WorldTimes->clear();
  for (int i = 0; i < 70; ++i) WorldTimes->push_back({"Place " + std::to_string(i), i * 10});
  auto* form = new TfrmWorldTime(4);
  RECT r = test::WindowRect(form->Handle());
  EXPECT_GE(r.top, 0);
  EXPECT_LE(r.bottom, TForm::ScreenHeight());
  EXPECT_EQ(r.right, TForm::ScreenWidth());
  RECT box = test::ClientRectOf(form->pntWorldTimes->Handle());
  RECT first = form->EntryRow(0), last = form->EntryRow(69);
  EXPECT_GT(last.left, first.right) << "the last place stands in a second column";
  EXPECT_LE(last.right, box.right);
  EXPECT_LT(last.top, box.bottom);
  ExpectRowColour(form, 69, form->EntryTime(69).Minutes);
  delete form;
}

TEST_F(WorldTimeTest, EscapeClosesAndReleases) {
  auto* form = new TfrmWorldTime(3);
  ActivePopup = form;
  form->Show();
  HWND h = form->Handle();
  SendMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(ActivePopup, nullptr);
  Application().ProcessMessages();
  EXPECT_FALSE(IsWindow(h));
}

// Runs the editor modally and presses OK or Cancel through its message loop.
int RunEditor(TWorldTime& item, int command, const std::function<void(TfrmWorldTimeEditor&)>& change = {}) {
  TfrmWorldTimeEditor editor(item);
  if (change) change(editor);
  PostMessageA(editor.Handle(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
               reinterpret_cast<LPARAM>(command == IDOK ? editor.btnOK->Handle() : editor.btnCancel->Handle()));
  return editor.ShowModal();
}

TEST(WorldTimeEditor, ShowsTheOffsetAndStoresItOnOkOnly) {
  TWorldTime item{"Newfoundland", -210};
  {
    TfrmWorldTimeEditor editor(item);
    EXPECT_EQ(editor.udnHours->Position(), -3);
    EXPECT_EQ(editor.udnMinutes->Position(), 30);
    EXPECT_EQ(editor.edtZone->Text(), "Newfoundland");
  }
  EXPECT_EQ(RunEditor(item, IDCANCEL, [](TfrmWorldTimeEditor& e) { e.udnHours->SetPosition(5); }), mrCancel);
  EXPECT_EQ(item.Offset, -210);
  EXPECT_EQ(RunEditor(item, IDOK), mrOK);
  EXPECT_EQ(item.Offset, -210);
  EXPECT_EQ(RunEditor(item, IDOK, [](TfrmWorldTimeEditor& e) {
              e.udnHours->SetPosition(5);
              e.udnMinutes->SetPosition(45);
              e.edtZone->SetText("Kathmandu-ish");
            }),
            mrOK);
  EXPECT_EQ(item.Offset, 345);
  EXPECT_EQ(item.Name, "Kathmandu-ish");
}

TEST(WorldTimeEditor, HoursReachFourteenForKiribati) {
  TWorldTime item{"Kiribati", 0};
  EXPECT_EQ(RunEditor(item, IDOK, [](TfrmWorldTimeEditor& e) { e.udnHours->SetPosition(14); }), mrOK);
  EXPECT_EQ(item.Offset, 840);
  TfrmWorldTimeEditor editor(item);
  EXPECT_EQ(editor.udnHours->Position(), 14);
  EXPECT_EQ(editor.edtHours->Text(), "14");
}

// Picks the zone with that key name in the editor's drop-down, as a user's choice would.
void PickZone(TfrmWorldTimeEditor& e, const std::string& key) {
  for (int i = 0; i < e.cmbTimeZone->Count(); ++i) {
    e.cmbTimeZone->SetItemIndex(i);
    const TTimeZone* z = e.SelectedZone();
    if (key.empty() ? z == nullptr : z && z->KeyName == key) {
      e.cmbTimeZone->OnChange(e.cmbTimeZone);
      return;
    }
  }
  ADD_FAILURE() << key;
}

TEST(WorldTimeEditor, AZoneFromTheSystemsListTiesThePlace) {
  TWorldTime item{"New York", -300, "Eastern Standard Time"};
  {
    TfrmWorldTimeEditor editor(item);
    ASSERT_NE(editor.SelectedZone(), nullptr);
    EXPECT_EQ(editor.cmbTimeZone->Item(editor.cmbTimeZone->ItemIndex()), "(UTC-05:00) Eastern Time (US & Canada)");
    EXPECT_EQ(editor.udnHours->Position(), -5);
    EXPECT_FALSE(IsWindowEnabled(editor.udnHours->Handle())) << "the zone brings its offset";
    EXPECT_GT(editor.cmbTimeZone->Count(), 100);
  }
  TWorldTime delhi{"Delhi", 0};
  EXPECT_EQ(RunEditor(delhi, IDOK, [](TfrmWorldTimeEditor& e) { PickZone(e, "India Standard Time"); }), mrOK);
  EXPECT_EQ(delhi.Zone, "India Standard Time");
  EXPECT_EQ(delhi.Offset, 330) << "the zone's standard offset, for older versions";
  // Back to a fixed offset: the edits come alive and the zone goes.
  EXPECT_EQ(RunEditor(item, IDOK, [](TfrmWorldTimeEditor& e) {
              PickZone(e, "");
              EXPECT_TRUE(IsWindowEnabled(e.udnHours->Handle()));
              e.udnHours->SetPosition(-4);
            }),
            mrOK);
  EXPECT_EQ(item.Zone, "");
  EXPECT_EQ(item.Offset, -240);
  EXPECT_EQ(RunEditor(item, IDCANCEL, [](TfrmWorldTimeEditor& e) { PickZone(e, "Tokyo Standard Time"); }), mrCancel);
  EXPECT_EQ(item.Zone, "");
  // A zone this system lacks stays with the place through an edit of its name.
  TWorldTime brought{"Far", 600, "Nowhere Standard Time"};
  EXPECT_EQ(RunEditor(brought, IDOK, [](TfrmWorldTimeEditor& e) {
              EXPECT_EQ(e.SelectedZone(), nullptr);
              EXPECT_FALSE(IsWindowEnabled(e.udnHours->Handle()));
              e.edtZone->SetText("Far away");
            }),
            mrOK);
  EXPECT_EQ(brought.Zone, "Nowhere Standard Time");
  EXPECT_EQ(brought.Offset, 600);
  EXPECT_EQ(brought.Name, "Far away");
}

TEST(WorldTimeEditor, NegativeHalfHourSurvivesSavingUnchanged) {
  TWorldTime item{"West", -30};
  EXPECT_EQ(RunEditor(item, IDOK), mrOK);
  EXPECT_EQ(item.Offset, -30);
  TWorldTime east{"East", 30};
  EXPECT_EQ(RunEditor(east, IDOK), mrOK);
  EXPECT_EQ(east.Offset, 30);
}

TEST(WorldTimeEditor, OnlyDigitsSignsAndBackspaceReachTheNumberEdits) {
  TWorldTime item{"x", 0};
  TfrmWorldTimeEditor editor(item);
  char key = 'x';
  editor.edtHours->OnKeyPress(editor.edtHours, key);
  EXPECT_EQ(key, 0);
  for (char ok : {'-', '+', '7', '\b'}) {
    key = ok;
    editor.edtMinutes->OnKeyPress(editor.edtMinutes, key);
    EXPECT_EQ(key, ok);
  }
}

TEST_F(WorldTimeTest, DISABLED_View) {
  clock.now = {2026, 12, 8, 18, 5, 0};
  auto* form = new TfrmWorldTime(3);
  form->Show();
  test::HoldForViewing(form);
  delete form;
}

TEST(WorldTimeEditor, DISABLED_View) {
  TWorldTime item{"Newfoundland", -210};
  TfrmWorldTimeEditor editor(item);
  editor.Show();
  test::HoldForViewing(&editor);
}

}  // namespace
}  // namespace vimo
