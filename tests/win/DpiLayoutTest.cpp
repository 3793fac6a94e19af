#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "EditorSupport.h"
#include "FakeLocale.h"
#include <algorithm>
#include "ModelFixture.h"
#include "PopupSupport.h"
#include "SetupEditors.h"
#include "clips/win32/ClipEdit.h"
#include "components/TrayImages.h"
#include "components/win32/TrayImageList.h"
#include "host/win32/SetupFeatures.h"
#include "model/Model.h"
#include "platform/Platform.h"
#include "platform/Utf.h"
#include "platform/win32/Win32Locale.h"
#include "settings/win32/ActEdit.h"
#include "settings/win32/Setup.h"
#include "platform/DpiScale.h"
#include "time/TimeMapMath.h"
#include "time/win32/Calendar.h"
#include "time/win32/TimeMap.h"
#include "time/win32/WorldTimeEdit.h"
#include "host/win32/PopupForms.h"

namespace vimo {
namespace {

using test::WhenShown;
using test::ShowEachEditorOfTheDialog;

std::wstring ClassOf(HWND h) {
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 64);
  return cls;
}

std::string Describe(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  std::ostringstream s;
  s << Narrow(ClassOf(h)) << " \"" << WindowText(h) << "\" (" << r.left << "," << r.top << "-" << r.right << ","
    << r.bottom << ")";
  return s.str();
}

bool Shown(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return IsWindowVisible(h) && r.right > r.left && r.bottom > r.top;
}

// The caption as it is drawn: "&&" is an ampersand, a single "&" marks the access key.
std::wstring DrawnText(HWND h, bool prefixes) {
  int n = GetWindowTextLengthW(h);
  std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
  s.resize(static_cast<std::size_t>(GetWindowTextW(h, s.data(), n + 1)));
  if (!prefixes) return s;
  std::wstring out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == L'&' && i + 1 < s.size()) ++i;
    out += s[i];
  }
  return out;
}

// Where a caption does not fit its control: the text measured in the control's own font.
std::string TextFault(HWND h) {
  const std::wstring cls = ClassOf(h);
  const LONG style = GetWindowLongW(h, GWL_STYLE);
  bool isStatic = lstrcmpiW(cls.c_str(), L"Static") == 0;
  bool isButton = lstrcmpiW(cls.c_str(), L"Button") == 0;
  bool isEdit = lstrcmpiW(cls.c_str(), L"Edit") == 0;
  if (!isStatic && !isButton && !isEdit) return {};
  if (isStatic && (style & SS_TYPEMASK) > SS_RIGHT) return {};  // pictures, frames
  RECT client{};
  GetClientRect(h, &client);
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(h, WM_GETFONT, 0, 0)));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  std::string fault;
  std::ostringstream why;
  if (isEdit) {
    if (!(style & ES_MULTILINE) && tm.tmHeight > client.bottom)
      why << "a line of " << tm.tmHeight << " px in an edit " << client.bottom << " px high";
  } else if (isStatic) {
    std::wstring text = DrawnText(h, !(style & SS_NOPREFIX));
    RECT need{0, 0, client.right, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    if (!text.empty() && (need.right > client.right || need.bottom > client.bottom))
      why << "text needs " << need.right << " x " << need.bottom << ", has " << client.right << " x " << client.bottom;
  } else {
    std::wstring text = DrawnText(h, true);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const LONG type = style & BS_TYPEMASK;
    int room = client.right;
    int height = client.bottom;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
      room -= GetSystemMetrics(SM_CXMENUCHECK) + 3;  // the box and the gap before the text
    } else if (type == BS_GROUPBOX) {
      room -= 2 * 8;
      height = tm.tmHeight;
    } else {
      room -= 2 * 3 * GetSystemMetrics(SM_CXEDGE);  // the bevel and the focus rectangle
      height -= 2 * GetSystemMetrics(SM_CYEDGE);
    }
    if (!text.empty() && (size.cx > room || size.cy > height))
      why << "text needs " << size.cx << " x " << size.cy << ", has " << room << " x " << height;
  }
  fault = why.str();
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return fault;
}

BOOL CALLBACK AddShown(HWND h, LPARAM p) {
  if (Shown(h)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
  return TRUE;
}

// Every fault of a form's layout: a child reaching out of its parent's client area, two
// siblings over each other, a caption that does not fit.
std::vector<std::string> LayoutFaults(HWND form) {
  std::vector<HWND> all;
  EnumChildWindows(form, &AddShown, reinterpret_cast<LPARAM>(&all));
  std::vector<std::string> faults;
  auto isGroupBox = [](HWND h) {
    return lstrcmpiW(ClassOf(h).c_str(), L"Button") == 0 &&
           (GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
  };
  auto buddies = [](HWND a, HWND b) {
    return lstrcmpiW(ClassOf(a).c_str(), UPDOWN_CLASSW) == 0 &&
           reinterpret_cast<HWND>(SendMessageW(a, UDM_GETBUDDY, 0, 0)) == b;
  };
  auto inside = [](const RECT& in, const RECT& out) {
    return in.left >= out.left && in.right <= out.right && in.top >= out.top && in.bottom <= out.bottom;
  };
  for (HWND h : all) {
    HWND parent = GetParent(h);
    RECT r{}, area{};
    GetWindowRect(h, &r);
    GetClientRect(parent, &area);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
    if (!inside(r, area)) faults.push_back(Describe(h) + " clipped by its parent " + Describe(parent));
    if (std::string text = TextFault(h); !text.empty()) faults.push_back(Describe(h) + ": " + text);
  }
  for (std::size_t i = 0; i < all.size(); ++i)
    for (std::size_t j = i + 1; j < all.size(); ++j) {
      HWND a = all[i], b = all[j];
      if (GetParent(a) != GetParent(b)) continue;
      RECT ra{}, rb{}, both{};
      GetWindowRect(a, &ra);
      GetWindowRect(b, &rb);
      if (!IntersectRect(&both, &ra, &rb)) continue;
      // A group box frames the controls in it; an up-down sits on its buddy's edge.
      if ((isGroupBox(a) && inside(rb, ra)) || (isGroupBox(b) && inside(ra, rb))) continue;
      if (buddies(a, b) || buddies(b, a)) continue;
      faults.push_back(Describe(a) + " overlaps " + Describe(b));
    }
  return faults;
}

void ExpectLaidOut(HWND form, const std::string& what) {
  for (const std::string& fault : LayoutFaults(form)) ADD_FAILURE() << what << ": " << fault;
}

class DpiLayoutTest : public test::ModelFixture {
 protected:
  void SetUp() override {
    ModelFixture::SetUp();
    InitializeModel();
    Platform().clock = &clock;
    Platform().locale = &locale;
    clock.now = {2026, 12, 9, 10, 30, 0};
    EnsureTimeServices();
    WorldTimes->assign({{"Dublin, Lisbon, London", 0}, {"Berlin, Rome, Brussels, Paris", 60}, {"Tokyo", 540}});
    ClipHistory->assign({"first", "a second, longer clip"});
    Application().SetTitle("Tramlex Vimo");
    trayIcons_ = CreateTrayImageList();
    TForm::ForceDpi(144);
  }
  void TearDown() override {
    TForm::ForceDpi(0);
    Application().ProcessMessages();
    ModelFixture::TearDown();
  }

  // Runs the settings dialog; `step` acts on the open dialog and must end it.
  void RunSetup(const std::function<void(TfrmSetup&)>& step) {
    TSetupHostLinks links;
    LinkSetupFeatures(links);
    links.trayIcons = trayIcons_.get();
    links.enableClipboardTimer = [](bool) {};
    links.leaveViewerChain = [] {};
    TfrmSetup form(links);
    WhenShown([&] { step(form); });
    form.Execute(false);
  }

  test::FakeClock clock;
  Win32Locale locale{0x0409};  // English names: "Wed" is the widest of the day names
  TImageListHandle trayIcons_;
};

TEST_F(DpiLayoutTest, AtOneHundredFortyFourDpiEveryPageOfTheSettingsFitsItsTexts) {
  RunSetup([](TfrmSetup& f) {
    EXPECT_EQ(f.Dpi(), 144);
    for (int page = 0; page < f.ntbSetup->PageCount(); ++page) {
      f.dgdSetup->SetRow(page);
      ExpectLaidOut(f.Handle(), f.ntbSetup->PageCaption(page));
    }
    f.SetModalResult(mrCancel);
  });
}

TEST_F(DpiLayoutTest, AtOneHundredFortyFourDpiTheEditorsFitTheirTexts) {
  ShowEachEditorOfTheDialog([](TForm& form, const char* what) {
    EXPECT_EQ(form.Dpi(), 144) << what;
    ExpectLaidOut(form.Handle(), what);
    form.SetModalResult(mrCancel);
  });
}

TEST_F(DpiLayoutTest, AtOneHundredFortyFourDpiThePopupsFitAndTheDayNamesStayApart) {
  struct Popup {
    const char* what;
    TForm* form;
  };
  for (int corner = 1; corner <= 4; ++corner) {
    Popup popups[] = {{"calendar", CreateCalendarPopup(corner)},
                      {"world time", CreateWorldTimePopup(corner)},
                      {"time map", CreateTimeMapPopup(corner)},
                      {"clip history", CreateClipPopup({500, 400}, 0x100, false, 0)}};
    for (Popup& p : popups) {
      p.form->Show();
      EXPECT_EQ(p.form->Dpi(), 144) << p.what;
      ExpectLaidOut(p.form->Handle(), std::string(p.what) + " in corner " + std::to_string(corner));
      RECT r = test::WindowRect(p.form->Handle());
      EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= TForm::ScreenWidth() && r.bottom <= TForm::ScreenHeight())
          << p.what << " stays on the screen";
      if (auto* calendar = dynamic_cast<TfrmCalendar*>(p.form)) {
        // The widest day name with a pixel either side in its column.
        HDC dc = GetDC(calendar->Handle());
        HGDIOBJ old = SelectObject(dc, calendar->BoldFont());
        int widest = 0;
        for (int day = 0; day < 7; ++day)
          widest = std::max(widest, TextWidth(dc, Platform().locale->AbbrevDayName(day)));
        SelectObject(dc, old);
        ReleaseDC(calendar->Handle(), dc);
        EXPECT_LE(widest + 2, calendar->dgdCurrent->ColWidth(0)) << "day names in corner " << corner;
      }
      delete p.form;
    }
  }
}

TEST_F(DpiLayoutTest, PicturesAreDrawnAtTheSizeForTheDpi) {
  // The tray's faces at the icon size the shell asks for at 150 %, each still a face.
  TImageListHandle faces = CreateTrayImageList(24);
  int w = 0, h = 0;
  ASSERT_TRUE(ImageList_GetIconSize(faces.get(), &w, &h));
  EXPECT_EQ(w, 24);
  EXPECT_EQ(h, 24);
  EXPECT_EQ(ImageList_GetImageCount(faces.get()), 32);
  RunSetup([](TfrmSetup& f) {
    int icon = 0, iconHeight = 0;
    ImageList_GetIconSize(f.imlSetup.get(), &icon, &iconHeight);
    EXPECT_EQ(icon, 24) << "the page icons";
    f.SetModalResult(mrCancel);
  });
  // The world map fills its scaled place; the time at the pointer follows the shown map.
  auto* map = new TfrmTimeMap(1);
  map->Show();
  RECT shown = test::ClientRectOf(map->imgMap->Handle());
  EXPECT_EQ(shown.right, ScaleForDpi(kMapWidth, 144));
  EXPECT_EQ(shown.bottom, ScaleForDpi(kMapHeight, 144));
  test::PrintedWindow picture(map->imgMap->Handle());
  int land = 0;
  for (int x = 0; x < shown.right; x += 4)
    if (picture.Pixel(x, shown.bottom * 2 / 5) != RGB(255, 255, 255)) ++land;
  EXPECT_GT(land, 10) << "the picture reaches across the whole shown map";
  delete map;
}

TEST_F(DpiLayoutTest, TheSettingsDialogGrowsByHalfFromNinetySixToOneHundredFortyFourDpi) {
  TForm::ForceDpi(96);
  RunSetup([](TfrmSetup& f) {
    RECT at96 = test::ClientRectOf(f.Handle());
    EXPECT_EQ(at96.right, 439);
    EXPECT_EQ(at96.bottom, 316);
    // Moved to a monitor at 150 %: the system suggests a place, the dialog lays out anew.
    RECT suggested = test::WindowRect(f.Handle());
    suggested.right = suggested.left + (suggested.right - suggested.left) * 3 / 2;
    suggested.bottom = suggested.top + (suggested.bottom - suggested.top) * 3 / 2;
    SendMessageW(f.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT at144 = test::ClientRectOf(f.Handle());
    EXPECT_NEAR(at144.right, 658.5, 1.0);
    EXPECT_NEAR(at144.bottom, 474, 1.0);
    EXPECT_EQ(f.Dpi(), 144);
    LOGFONTW font{};
    GetObjectW(f.Font(), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -16) << "Tahoma 8 pt at 144 pixels per inch";
    for (int page = 0; page < f.ntbSetup->PageCount(); ++page) {
      f.dgdSetup->SetRow(page);
      ExpectLaidOut(f.Handle(), std::string("after the move: ") + f.ntbSetup->PageCaption(page));
    }
    f.SetModalResult(mrCancel);
  });
}

}  // namespace
}  // namespace vimo
