#include <gtest/gtest.h>

#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>

#include <fstream>
#include <algorithm>
#include <cwctype>
#include <iterator>
#include <map>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

#include "EditorSupport.h"
#include "FakeExportImportUi.h"
#include "FakeLocale.h"
#include "FakeTimeZones.h"
#include "ModelFixture.h"
#include "PopupSupport.h"
#include "SetupEditors.h"
#include "clips/win32/ClipEdit.h"
#include "host/win32/SetupFeatures.h"
#include "model/ActionKinds.h"
#include "model/SettingsStore.h"
#include "platform/Utf.h"
#include "platform/win32/Win32AnsiText.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Registry.h"
#include "settings/win32/ActEdit.h"
#include "settings/win32/Setup.h"
#include "time/win32/WorldTimeEdit.h"

namespace vimo {
namespace {

using test::ClickButton;
using test::WhenShown;
using test::ShowEachEditorOfTheDialog;

// Saves what the screen shows of a window as a BMP in VIMO_SCREENSHOTS, to look at.
void SaveWindowPicture(HWND window, const std::string& name) {
  const char* dir = std::getenv("VIMO_SCREENSHOTS");
  if (!dir || !*dir) return;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r{};
  GetWindowRect(window, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 24, BI_RGB};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(mem, old);
  int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader + stride * h), 0, 0,
                      static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader)};
  std::ofstream out(std::string("Z:") + dir + "/" + name + ".bmp", std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
  out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
  out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride) * h);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

bool On(TControl* c) { return IsWindowEnabled(c->Handle()) != FALSE; }

// What a user's click on a check box does: the box toggles and tells its parent.
void ClickCheckBox(TCheckBox* c) { SendMessageA(c->Handle(), BM_CLICK, 0, 0); }

// Mouse input sent to a grid, at the middle of a row.
void GridMouse(TDrawGrid* g, UINT msg, int row, WPARAM keys) {
  RECT cell = g->CellRect(0, row);
  SendMessageA(g->Handle(), msg, keys, MAKELPARAM(cell.left + 5, (cell.top + cell.bottom) / 2));
}

struct EditCall {
  bool hotKeyEnabled;
  bool excludeClipKinds;
};

class SetupFormTest : public test::ModelFixture {
 protected:
  void SetUp() override {
    ModelFixture::SetUp();
    InitializeModel();
    Application().SetTitle("Tramlex Vimo");
    trayIcons_ = CreateTrayImageList();
    savedDisplay_ = Application().ErrorDisplay;
    Application().ErrorDisplay = [this](const std::string& m) { errors.push_back(m); };
  }
  void TearDown() override {
    Application().ProcessMessages();
    Application().ErrorDisplay = savedDisplay_;
    ModelFixture::TearDown();
  }

  // Runs the dialog; `step` acts on the open dialog and must end it.
  bool Run(bool about, const std::function<void(TfrmSetup&)>& step) {
    TSetupHostLinks links;
    LinkSetupFeatures(links);
    links.trayIcons = trayIcons_.get();
    links.enableClipboardTimer = [this](bool on) { timerOn = on; };
    links.leaveViewerChain = [this] { ++leaves; };
    TfrmSetup form(links);
    form.Confirm = [this](const std::string& q) {
      questions.push_back(q);
      return answer;
    };
    form.EditAction = [this](TActionRecord& r, bool hotKeyEnabled, bool exclude) {
      edits.push_back({hotKeyEnabled, exclude});
      if (!editResult) return false;
      r = *editResult;
      return true;
    };
    form.EditClip = [this](TClipRecord& clip) {
      clipsOffered.push_back(clip);
      if (!clipResult) return false;
      clip = *clipResult;
      return true;
    };
    form.ClipboardText = [] { return std::string("on the clipboard"); };
    WhenShown([&] { step(form); });
    return form.Execute(about);
  }

  std::vector<std::string> errors;
  std::vector<std::string> questions;
  std::vector<EditCall> edits;
  std::vector<TClipRecord> clipsOffered;
  std::unique_ptr<TActionRecord> editResult;
  std::unique_ptr<TClipRecord> clipResult;
  bool answer = true;
  bool timerOn = true;
  int leaves = 0;

 private:
  TImageListHandle trayIcons_;
  std::function<void(const std::string&)> savedDisplay_;
};

TEST_F(SetupFormTest, OpensOnGeneralOrOnAboutAndTheListPicksThePage) {
  EXPECT_FALSE(Run(false, [](TfrmSetup& f) {
    EXPECT_EQ(test::TextOf(f.Handle()), "Tramlex Vimo Settings");
    EXPECT_EQ(f.ClientWidth(), 439);
    EXPECT_EQ(f.ClientHeight(), 316);
    EXPECT_EQ(f.ntbSetup->PageIndex(), 0);
    EXPECT_EQ(f.dgdSetup->Row(), 0);
    EXPECT_EQ(f.dgdSetup->RowCount(), 8);
    EXPECT_TRUE(GetWindowLongPtrA(f.Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    EXPECT_EQ(GetFocus(), f.dgdSetup->Handle()) << "the page list has the first focus";
    // The keyboard walks the list, and the page follows.
    SendMessageA(f.dgdSetup->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(f.ntbSetup->PageIndex(), 1);
    EXPECT_TRUE(IsWindowVisible(f.dgdMouseActions->Handle()));
    EXPECT_FALSE(IsWindowVisible(f.chbAutoRun->Handle()));
    // Clicks on one row after the other pick their pages.
    for (int page : {2, 3, 1, 7, 0}) {
      GridMouse(f.dgdSetup, WM_LBUTTONDOWN, page, MK_LBUTTON);
      GridMouse(f.dgdSetup, WM_LBUTTONUP, page, 0);
      EXPECT_EQ(f.ntbSetup->PageIndex(), page);
    }
    for (int page = 0; page < 8; ++page) {
      f.dgdSetup->SetRow(page);
      EXPECT_EQ(f.ntbSetup->PageIndex(), page);
      SaveWindowPicture(f.Handle(), std::string("setup-") + std::to_string(page + 1));
    }
    ClickButton(f.btnCancel);
  }));
  EXPECT_FALSE(Run(true, [](TfrmSetup& f) {
    EXPECT_EQ(f.ntbSetup->PageIndex(), 7);
    EXPECT_EQ(f.ntbSetup->PageCaption(7), "About");
    EXPECT_EQ(f.dgdSetup->Row(), 7);
    EXPECT_EQ(f.lblWeb->Hint, f.lblWeb->Caption());
    ClickButton(f.btnCancel);
  }));
}

TEST_F(SetupFormTest, ControlsShowTheSettingsAndOkStoresAndSavesThem) {
  CornerDelay = 20;
  CornerSize = 12;
  TrayIconColor = 5;
  AutoRun = false;
  KeyCorner = 3;
  HistoryDepth = 30;
  EXPECT_TRUE(Run(false, [](TfrmSetup& f) {
    EXPECT_EQ(f.trbMouseCornerDelay->Position(), 4);
    EXPECT_EQ(f.lblMouseCornerDelayValue->Caption(), "2.0 sec");
    EXPECT_EQ(f.lblMouseCornerSizeValue->Caption(), "12 pix");
    EXPECT_EQ(f.dgdTrayIcon->Col(), 5);
    EXPECT_FALSE(f.chbAutoRun->Checked());
    EXPECT_EQ(f.rgrHotKeysCorner->ItemIndex(), 2);
    EXPECT_EQ(f.lblClipHistoryDepthValue->Caption(), "30");
    f.trbMouseCornerDelay->SetPosition(1);
    EXPECT_EQ(f.lblMouseCornerDelayValue->Caption(), "0.5 sec");
    f.trbClipHistoryDepth->SetPosition(7);
    EXPECT_EQ(f.lblClipHistoryDepthValue->Caption(), "7");
    f.dgdTrayIcon->SetCol(2);
    ClickCheckBox(f.chbAutoRun);
    ClickButton(f.btnOK);
  }));
  EXPECT_EQ(CornerDelay, 5);
  EXPECT_EQ(Get("Vimo\\Mouse", "CornerDelay"), "5");
  EXPECT_EQ(TrayIconColor, 2);
  EXPECT_TRUE(AutoRun);
  EXPECT_EQ(HistoryDepth, 7);
  EXPECT_EQ(Get("Vimo\\Clipboard", "HistoryDepth"), "7");
}

// The check box of a caption (access key marks left out) on the dialog; null if none.
HWND CheckBoxCaptioned(HWND form, const std::string& caption) {
  struct Find {
    std::string caption;
    HWND found = nullptr;
    static BOOL CALLBACK Visit(HWND h, LPARAM p) {
      auto* f = reinterpret_cast<Find*>(p);
      std::string text = WindowText(h);
      text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
      if (text == f->caption && (GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX) f->found = h;
      return TRUE;
    }
  } find{caption};
  EnumChildWindows(form, &Find::Visit, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

TEST_F(SetupFormTest, TheFullScreenBoxOfTheMousePageShowsAndStoresItsSetting) {
  EXPECT_TRUE(IgnoreFullScreen) << "on by default";
  EXPECT_TRUE(Run(false, [](TfrmSetup& f) {
    f.ntbSetup->SetActivePage("Mouse Launcher");
    HWND box = CheckBoxCaptioned(f.Handle(), "Not over full-screen programs");
    ASSERT_TRUE(box) << "no such box on the Mouse Launcher page";
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(f.HelpIdOf(box), 88);
    EXPECT_FALSE(IsWindowEnabled(f.btnApply->Handle()));
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(f.btnApply->Handle())) << "a change to apply";
    ClickButton(f.btnOK);
  }));
  EXPECT_FALSE(IgnoreFullScreen);
  EXPECT_EQ(Get("Vimo\\Mouse", "IgnoreFullScreen"), "0");
  IgnoreFullScreen = true;
}

TEST_F(SetupFormTest, StoredValuesOutOfRangeShowAndSaveAsTheNearestTheControlsOffer) {
  FinalizeModel();
  Put("Vimo\\Options", "KeyCorner", "9");
  Put("Vimo\\Options", "TrayIconColor", "99");
  Put("Vimo\\Mouse", "CornerSize", "0");
  Put("Vimo\\Mouse", "CornerDelay", "99");
  Put("Vimo\\Clipboard", "HistoryDepth", "-3");
  InitializeModel();
  EXPECT_TRUE(Run(false, [](TfrmSetup& f) {
    EXPECT_EQ(f.rgrHotKeysCorner->ItemIndex(), 3);
    EXPECT_EQ(f.dgdTrayIcon->Col(), 7);
    EXPECT_EQ(f.lblMouseCornerSizeValue->Caption(), "1 pix");
    EXPECT_EQ(f.trbMouseCornerDelay->Position(), 10);
    EXPECT_EQ(f.lblClipHistoryDepthValue->Caption(), "5");
    ClickButton(f.btnOK);
  }));
  EXPECT_EQ(Get("Vimo\\Options", "KeyCorner"), "4");
  EXPECT_EQ(Get("Vimo\\Options", "TrayIconColor"), "7");
  EXPECT_EQ(Get("Vimo\\Mouse", "CornerSize"), "1");
  EXPECT_EQ(Get("Vimo\\Mouse", "CornerDelay"), "50");
  EXPECT_EQ(Get("Vimo\\Clipboard", "HistoryDepth"), "5");
}

TEST_F(SetupFormTest, HotKeyListEmptyViewAddEditDeleteAndTheEditorsTheLaunchersGet) {
  HotKeyList->Clear();
  editResult = std::make_unique<TActionRecord>();
  editResult->Action = 40;
  editResult->HotKey = 0x4000 | 'K';
  EXPECT_TRUE(Run(false, [&](TfrmSetup& f) {
    EXPECT_EQ(f.dgdHotKeyActions->RowCount(), 2);
    EXPECT_FALSE(On(f.btnHotKeysEdit) || On(f.btnHotKeysDelete) || On(f.btnHotKeysClear));
    EXPECT_TRUE(On(f.btnHotKeysNew));
    ClickButton(f.btnHotKeysEdit);  // disabled: nothing to edit
    EXPECT_TRUE(edits.empty());
    ClickButton(f.btnHotKeysNew);
    ASSERT_EQ(f.Work.WorkHotKeys.Count(), 1);
    EXPECT_EQ(f.dgdHotKeyActions->RowCount(), 2);
    EXPECT_TRUE(On(f.btnHotKeysEdit) && On(f.btnHotKeysDelete) && On(f.btnHotKeysClear));
    editResult->HotKey = 0x4000 | 'L';
    ClickButton(f.btnHotKeysNew);
    EXPECT_EQ(f.dgdHotKeyActions->RowCount(), 3);
    answer = false;
    ClickButton(f.btnHotKeysDelete);
    EXPECT_EQ(f.Work.WorkHotKeys.Count(), 2) << "No deleted anyway";
    answer = true;
    ClickButton(f.btnHotKeysDelete);
    ClickButton(f.btnHotKeysDelete);
    EXPECT_EQ(f.Work.WorkHotKeys.Count(), 0);
    EXPECT_EQ(f.dgdHotKeyActions->RowCount(), 2);
    EXPECT_FALSE(On(f.btnHotKeysEdit) || On(f.btnHotKeysDelete) || On(f.btnHotKeysClear));
    editResult->HotKey = 0x4000 | 'K';
    ClickButton(f.btnHotKeysNew);
    // The mouse slots offer the clip kinds, the tray slots do not; neither has a hot key.
    f.dgdMouseActions->SetRow(2);
    ClickButton(f.btnMouseActionEdit);
    f.dgdTrayIconActions->SetRow(3);
    ClickButton(f.btnTrayIconLauncherEdit);
    EXPECT_EQ(f.Work.WorkTrayActions[2].Action, 40);
    ClickButton(f.btnOK);
  }));
  ASSERT_EQ(edits.size(), 5u);
  for (int i : {0, 1, 2}) EXPECT_TRUE(edits[i].hotKeyEnabled && !edits[i].excludeClipKinds) << i;
  EXPECT_TRUE(!edits[3].hotKeyEnabled && !edits[3].excludeClipKinds);
  EXPECT_TRUE(!edits[4].hotKeyEnabled && edits[4].excludeClipKinds);
  EXPECT_EQ(questions, (std::vector<std::string>(3, "Selected action will be deleted.\rContinue?")));
  ASSERT_EQ(HotKeyList->Count(), 1);
  EXPECT_EQ(HotKeyList->GetAction(0).HotKey, 0x4000 | 'K');
  EXPECT_EQ(TrayActions[2].Action, 40);
  EXPECT_EQ(MouseActions[0][1].Action, 40);
}

TEST_F(SetupFormTest, AHotKeyThatAnotherEntryHoldsIsKeptOnlyWhenTheUserSaysSo) {
  HotKeyList->Clear();
  TActionRecord held;
  held.Action = 40;
  held.Comment = "calendar";
  held.HotKey = 0xC000 | 0x74;
  HotKeyList->Add(held);
  editResult = std::make_unique<TActionRecord>();
  editResult->Action = 60;
  editResult->HotKey = 0xC000 | 0x74;
  EXPECT_TRUE(Run(false, [&](TfrmSetup& f) {
    answer = false;
    ClickButton(f.btnHotKeysNew);
    EXPECT_EQ(f.Work.WorkHotKeys.Count(), 1) << "dropped on No";
    answer = true;
    ClickButton(f.btnHotKeysNew);
    EXPECT_EQ(f.Work.WorkHotKeys.Count(), 2);
    // Editing an entry into its own combination is no duplicate.
    f.dgdHotKeyActions->SetRow(1);
    editResult->HotKey = 0xC000 | 0x74;
    ClickButton(f.btnHotKeysEdit);
    ClickButton(f.btnOK);
  }));
  const std::string question = "Ctrl+Alt+F5 is already in the list (calendar).\rOnly the first of them will work.\rKeep it?";
  ASSERT_EQ(questions.size(), 3u);
  EXPECT_EQ(questions[0], question);
  EXPECT_EQ(questions[1], question);
  EXPECT_NE(questions[2].find("is already in the list"), std::string::npos) << "row 1 duplicates row 2 now";
}

TEST_F(SetupFormTest, DraggingTheFirstHotKeyRowDownThreeRowsMovesItToTheFourthPlace) {
  HotKeyList->Clear();
  for (const char* name : {"a", "b", "c", "d", "e"}) {
    TActionRecord r;
    r.Comment = name;
    r.Action = 40;
    HotKeyList->Add(r);
  }
  Run(false, [](TfrmSetup& f) {
    TDrawGrid* g = f.dgdHotKeyActions;
    GridMouse(g, WM_LBUTTONDOWN, 1, MK_LBUTTON);
    for (int row : {2, 3, 4}) GridMouse(g, WM_MOUSEMOVE, row, MK_LBUTTON);
    GridMouse(g, WM_LBUTTONUP, 4, 0);
    EXPECT_FALSE(f.Work.Dragging);
    EXPECT_EQ(g->Row(), 4) << "the selection follows the pointer";
    std::string order;
    for (int i = 0; i < f.Work.WorkHotKeys.Count(); ++i) order += f.Work.WorkHotKeys.GetAction(i).Comment;
    EXPECT_EQ(order, "bcdae");
    // A move without the button pressed drags nothing.
    GridMouse(g, WM_MOUSEMOVE, 1, 0);
    EXPECT_EQ(f.Work.WorkHotKeys.GetAction(0).Comment, "b");
    ClickButton(f.btnCancel);
  });
  EXPECT_EQ(HotKeyList->GetAction(0).Comment, "a") << "Cancel keeps the list";
}

TEST_F(SetupFormTest, CancelKeepsWhatApplyAndRestoreDefaultsDidAndTrimsTheHistory) {
  for (int i = 0; i < 20; ++i) ClipHistory->push_back("clip " + std::to_string(i));
  HistoryDepth = 20;
  AutoHideWindows = true;
  EXPECT_FALSE(Run(false, [](TfrmSetup& f) {
    ClickCheckBox(f.chbAutoHide);
    f.trbClipHistoryDepth->SetPosition(5);
    ClickButton(f.btnApply);
    EXPECT_TRUE(IsWindowVisible(f.Handle())) << "Apply keeps the dialog open";
    ClickCheckBox(f.chbAutoHide);  // changed again, then cancelled
    ClickButton(f.btnCancel);
  }));
  EXPECT_FALSE(AutoHideWindows);
  EXPECT_EQ(Get("Vimo\\Options", "AutoHideWindows"), "0");
  EXPECT_EQ(ClipHistory->size(), 5u);
  EXPECT_EQ(ClipHistory->front(), "clip 0") << "the oldest go";

  CornerSize = 33;
  SaveSettings();
  answer = false;
  Run(false, [](TfrmSetup& f) {
    ClickButton(f.btnDefaultSettings);
    EXPECT_EQ(f.trbMouseCornerSize->Position(), 33) << "No restores nothing";
    ClickButton(f.btnCancel);
  });
  EXPECT_EQ(CornerSize, 33);
  answer = true;
  Run(false, [](TfrmSetup& f) {
    ClickButton(f.btnDefaultSettings);
    EXPECT_EQ(f.trbMouseCornerSize->Position(), 8);
    EXPECT_EQ(f.dgdWorldTime->RowCount(), 30) << "29 default entries and the header";
    ClickButton(f.btnCancel);
  });
  EXPECT_EQ(CornerSize, 8);
  EXPECT_EQ(Get("Vimo\\Mouse", "CornerSize"), "<no key>");
  EXPECT_EQ(questions.back(), "All program settings will be reverted to default.\rContinue?");
}

TEST_F(SetupFormTest, DisablingTheHistoryStopsTheProbeAndLeavesTheChainAtOnce) {
  DisableHistory = false;
  Run(false, [](TfrmSetup& f) {
    EXPECT_TRUE(On(f.trbClipHistoryDepth));
    ClickCheckBox(f.chbClipDisableHistory);
    // The depth controls grey out at once.
    EXPECT_FALSE(On(f.trbClipHistoryDepth) || On(f.lblClipHistoryDepthTitle) || On(f.lblClipHistoryDepthValue));
    ClickButton(f.btnOK);
  });
  EXPECT_TRUE(DisableHistory);
  EXPECT_FALSE(timerOn);
  EXPECT_EQ(leaves, 1);
  Run(false, [](TfrmSetup& f) {
    EXPECT_FALSE(On(f.trbClipHistoryDepth));
    ClickCheckBox(f.chbClipDisableHistory);
    EXPECT_TRUE(On(f.trbClipHistoryDepth));
    ClickButton(f.btnOK);
  });
  EXPECT_FALSE(DisableHistory);
  EXPECT_TRUE(timerOn) << "the probe brings the host back into the chain";
  EXPECT_EQ(leaves, 1);
}

TEST_F(SetupFormTest, ARegistryErrorOnOkKeepsTheDialogOpenWithItsWork) {
  HotKeyList->Clear();
  editResult = std::make_unique<TActionRecord>();
  editResult->Action = 60;
  bool result = Run(false, [&](TfrmSetup& f) {
    ClickButton(f.btnHotKeysNew);
    registry.SetReadOnly(true);
    ClickButton(f.btnOK);
    // The modal loop looks at the result when the current message is done.
    WhenShown([&] {
      EXPECT_TRUE(IsWindowVisible(f.Handle()));
      EXPECT_EQ(errors.size(), 1u);
      EXPECT_EQ(f.Work.WorkHotKeys.Count(), 1) << "the working copies survive";
      EXPECT_EQ(HotKeyList->Count(), 1) << "the settings in memory are stored already";
      registry.SetReadOnly(false);
      ClickButton(f.btnOK);
    });
  });
  EXPECT_TRUE(result);
  EXPECT_EQ(Get("Vimo\\Keys\\1", "Action"), "60");
}

TEST_F(SetupFormTest, ClipCollectionButtonsFollowTheListAndAddStartsFromTheClipboard) {
  ClipList->Clear();
  clipResult = std::make_unique<TClipRecord>(TClipRecord{"greeting", "hello"});
  Run(false, [&](TfrmSetup& f) {
    EXPECT_EQ(f.dgdClipCollection->RowCount(), 1);
    EXPECT_FALSE(On(f.btnClipCollectionEdit) || On(f.btnClipCollectionDelete) || On(f.btnClipCollectionClear));
    ClickButton(f.btnClipCollectionAdd);
    ASSERT_EQ(clipsOffered.size(), 1u);
    EXPECT_EQ(clipsOffered[0].Text, "on the clipboard");
    EXPECT_EQ(clipsOffered[0].Comment, "");
    EXPECT_EQ(f.Work.WorkClips.Count(), 1);
    EXPECT_TRUE(On(f.btnClipCollectionEdit) && On(f.btnClipCollectionDelete) && On(f.btnClipCollectionClear));
    clipResult.reset();
    ClickButton(f.btnClipCollectionAdd);  // cancelled in the editor
    EXPECT_EQ(f.Work.WorkClips.Count(), 1);
    ClickButton(f.btnClipCollectionClear);
    EXPECT_EQ(f.Work.WorkClips.Count(), 0);
    EXPECT_EQ(f.dgdClipCollection->RowCount(), 1);
    EXPECT_FALSE(On(f.btnClipCollectionEdit));
    ClickButton(f.btnCancel);
  });
  EXPECT_EQ(questions, std::vector<std::string>{"All clips will be deleted.\rContinue?"});
}

TEST_F(SetupFormTest, WorldTimeListDeleteSortAndEmptyView) {
  WorldTimes->assign({{"Plus one", 60}, {"Minus one", -60}, {"Plus one again", 60}});
  Run(false, [](TfrmSetup& f) {
    EXPECT_EQ(f.dgdWorldTime->RowCount(), 4);
    ClickButton(f.btnWorldTimeByTime);
    EXPECT_EQ(f.Work.WorkWorldTimes[0].Name, "Minus one");
    EXPECT_EQ(f.Work.WorkWorldTimes[1].Name, "Plus one");
    EXPECT_EQ(f.Work.WorkWorldTimes[2].Name, "Plus one again");
    ClickButton(f.btnWorldTimeByZone);
    EXPECT_EQ(f.Work.WorkWorldTimes[0].Name, "Minus one");
    EXPECT_EQ(f.Work.WorkWorldTimes[2].Name, "Plus one again");
    for (int i = 0; i < 3; ++i) ClickButton(f.btnWorldTimeDelete);
    EXPECT_TRUE(f.Work.WorkWorldTimes.empty());
    EXPECT_EQ(f.dgdWorldTime->RowCount(), 2);
    for (TButton* b : {f.btnWorldTimeEdit, f.btnWorldTimeDelete, f.btnWorldTimeClear, f.btnWorldTimeByZone,
                       f.btnWorldTimeByTime})
      EXPECT_FALSE(On(b));
    EXPECT_TRUE(On(f.btnWorldTimeNew));
    ClickButton(f.btnCancel);
  });
  LoadSettings(true);
  Run(false, [](TfrmSetup& f) {
    ClickButton(f.btnWorldTimeByZone);
    EXPECT_EQ(f.Work.WorkWorldTimes.front().Name, "Abu Dhabi, Muscat");
    EXPECT_EQ(f.Work.WorkWorldTimes.back().Name, "Tehran");
    ClickButton(f.btnCancel);
  });
}

TEST_F(SetupFormTest, SortByNameOrdersNamesOfEveryScriptInTheUsersLanguage) {
  const std::string apple = "\xD0\xAF\xD0\xB1\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE";  // Cyrillic, capital Ya
  const std::string melon = "\xD0\xB0\xD1\x80\xD0\xB1\xD1\x83\xD0\xB7";              // small a
  const std::string berlin = "\xD0\x91\xD0\xB5\xD1\x80\xD0\xBB\xD0\xB8\xD0\xBD";   // capital Be
  WorldTimes->assign({{apple, 0}, {"Z\xC3\xBCrich", 60}, {melon, 0}, {berlin, 60}, {"athens", 120}});
  Run(false, [&](TfrmSetup& f) {
    ClickButton(f.btnWorldTimeByZone);
    std::vector<std::string> names;
    for (const auto& w : f.Work.WorkWorldTimes) names.push_back(w.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"athens", "Z\xC3\xBCrich", melon, berlin, apple}));
    ClickButton(f.btnCancel);
  });
}

TEST_F(SetupFormTest, TheOffsetColumnShowsTodaysOffsetAndMarksDaylightTime) {
  test::FakeClock clock;
  clock.SetUtc({2026, 7, 15, 12, 0, 0}, test::BerlinZone());
  Platform().clock = &clock;
  WorldTimes->assign({{"New York", -300, "Eastern Standard Time"}, {"Delhi", 330, "India Standard Time"},
                      {"Fixed", -300}});
  Run(false, [](TfrmSetup& f) {
    f.ntbSetup->SetActivePage("World Time");
    EXPECT_EQ(f.WorldTimeRowTime(1).Offset, -240);
    EXPECT_TRUE(f.WorldTimeRowTime(1).Daylight);
    EXPECT_EQ(f.WorldTimeRowTime(2).Offset, 330);
    EXPECT_FALSE(f.WorldTimeRowTime(2).Daylight);
    EXPECT_EQ(f.WorldTimeRowTime(3).Offset, -300);
    RedrawWindow(f.dgdWorldTime->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC screen = GetDC(nullptr);
    auto sunIn = [&](int row) {
      RECT cell = f.dgdWorldTime->CellRect(1, row);
      POINT o = test::ScreenOrigin(f.dgdWorldTime->Handle());
      return GetPixel(screen, o.x + cell.left + 6, o.y + (cell.top + cell.bottom) / 2) == RGB(255, 160, 0);
    };
    EXPECT_TRUE(sunIn(1));
    EXPECT_FALSE(sunIn(2));
    EXPECT_FALSE(sunIn(3));
    ReleaseDC(nullptr, screen);
    ClickButton(f.btnCancel);
  });
  clock.SetUtc({2026, 1, 15, 12, 0, 0}, test::BerlinZone());
  Run(false, [](TfrmSetup& f) {
    EXPECT_EQ(f.WorldTimeRowTime(1).Offset, -300);
    EXPECT_FALSE(f.WorldTimeRowTime(1).Daylight);
    ClickButton(f.btnCancel);
  });
}

TEST_F(SetupFormTest, AboutNamesTheMapsDataItsLicenceAndWhereTheyComeFrom) {
  Run(true, [](TfrmSetup& f) {
    std::string text = f.lblMapLicence->Caption();
    for (const char* part : {"GSHHG", "Wessel", "Smith", "LGPL version 3 or later", "gmt-gshhg-low",
                             "tools/make_world_map.py"})
      EXPECT_NE(text.find(part), std::string::npos) << part;
    // The whole notice is on the page, below the web address.
    RECT page = test::WindowRect(f.ntbSetup->Page(7)->Handle());
    RECT notice = test::WindowRect(f.lblMapLicence->Handle());
    EXPECT_GE(notice.top, test::WindowRect(f.lblWeb->Handle()).bottom);
    EXPECT_LE(notice.bottom, page.bottom);
    // And the label is tall enough for its wrapped lines.
    HWND label = f.lblMapLicence->Handle();
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT need = test::ClientRectOf(label);
    std::wstring wide(text.begin(), text.end());
    DrawTextW(dc, wide.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    EXPECT_LE(need.bottom, test::ClientRectOf(label).bottom) << "the notice is cut";
    ClickButton(f.btnCancel);
  });
}

TEST_F(SetupFormTest, UnselectAllThenExportWritesOnlyTheHeaderAndImportReloadsThePages) {
  // The fixture's files are the in-memory ones.
  std::string file = "C:\\Temp\\vimo-setup-export.tvf";
  Run(false, [&](TfrmSetup& f) {
    test::FakeExportImportUi* last = nullptr;
    f.MakeExportImportUi = [&](TfrmSetup& form) -> std::unique_ptr<TExportImportUi> {
      auto ui = std::make_unique<test::FakeExportImportUi>();
      ui->fileName = file;
      last = ui.get();
      // The real reload runs the dialog's own steps.
      struct Reloading final : TExportImportUi {
        std::unique_ptr<test::FakeExportImportUi> inner;
        TfrmSetup* form;
        bool ExecuteExportDialog(std::string& n) override { return inner->ExecuteExportDialog(n); }
        bool ExecuteImportDialog(std::string& n) override { return inner->ExecuteImportDialog(n); }
        void ShowMessage(const std::string& t, TMessageIcon i) override { inner->ShowMessage(t, i); }
        bool AskYesNo(const std::string& t, TMessageIcon i) override { return inner->AskYesNo(t, i); }
        void SettingsReloaded() override {
          inner->SettingsReloaded();
          form->LoadControls();
          form->RefreshPages();
        }
      };
      auto wrapper = std::make_unique<Reloading>();
      wrapper->inner = std::move(ui);
      wrapper->form = &form;
      return wrapper;
    };
    ClickButton(f.btnUnselectAll);
    for (TCheckBox* box : f.ExportBoxes) EXPECT_FALSE(box->Checked());
    ClickButton(f.btnExport);
    EXPECT_EQ(files.Contents(file), "TVDF01\r\n");
    ClickButton(f.btnSelectAll);
    for (TCheckBox* box : f.ExportBoxes) EXPECT_TRUE(box->Checked());
    EXPECT_EQ(f.ExportBoxes[1]->Hint, "Mouse");
    // Export everything with a corner size of 40, change it, import it back.
    CornerSize = 40;
    SaveSettings();
    ClickButton(f.btnExport);
    CornerSize = 9;
    SaveSettings();
    f.LoadControls();
    EXPECT_EQ(f.trbMouseCornerSize->Position(), 9);
    ClickButton(f.btnImport);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(f.trbMouseCornerSize->Position(), 40) << "the page shows what was imported";
    EXPECT_EQ(f.lblMouseCornerSizeValue->Caption(), "40 pix");
    ClickButton(f.btnCancel);
  });
  EXPECT_EQ(CornerSize, 40) << "an import is in effect at once";
}

// ---------------------------------------------------------------------------- as careful users use it

std::string HotKeyOrder(TfrmSetup& f) {
  std::string order;
  for (int i = 0; i < f.Work.WorkHotKeys.Count(); ++i) order += f.Work.WorkHotKeys.GetAction(i).Comment;
  return order;
}
std::string WorldTimeOrder(TfrmSetup& f) {
  std::string order;
  for (const auto& w : f.Work.WorkWorldTimes) order += w.Name;
  return order;
}
std::string ClipOrder(TfrmSetup& f) {
  std::string order;
  for (int i = 0; i < f.Work.WorkClips.Count(); ++i) order += f.Work.WorkClips.ClipAt(i)->Comment;
  return order;
}

// A drag with the left button from row `from` to row `to`: one move, or one per row passed.
void DragRows(TDrawGrid* g, int from, int to, bool everyRow) {
  GridMouse(g, WM_LBUTTONDOWN, from, MK_LBUTTON);
  if (everyRow) {
    for (int row = from; row != to;) {
      row += to > from ? 1 : -1;
      GridMouse(g, WM_MOUSEMOVE, row, MK_LBUTTON);
    }
  } else {
    GridMouse(g, WM_MOUSEMOVE, to, MK_LBUTTON);
  }
  GridMouse(g, WM_LBUTTONUP, to, 0);
}

class SetupFormUseTest : public SetupFormTest {
 protected:
  void SetUp() override {
    SetupFormTest::SetUp();
    HotKeyList->Clear();
    ClipList->Clear();
    WorldTimes->clear();
    for (const char* name : {"a", "b", "c", "d", "e"}) {
      TActionRecord r;
      r.Comment = name;
      r.Action = 40;
      HotKeyList->Add(r);
      ClipList->Add(TClipRecord{name, std::string("text ") + name});
      WorldTimes->push_back({name, 60});
    }
  }
};

TEST_F(SetupFormUseTest, AFastDragMovesTheRowAcrossEveryRowItPassedInAllThreeLists) {
  for (bool everyRow : {false, true}) {
    Run(false, [&](TfrmSetup& f) {
      // Down: the first entry to the fourth place, the three between shift up.
      DragRows(f.dgdWorldTime, 1, 4, everyRow);
      EXPECT_EQ(WorldTimeOrder(f), "bcdae") << "every row " << everyRow;
      DragRows(f.dgdHotKeyActions, 1, 4, everyRow);
      EXPECT_EQ(HotKeyOrder(f), "bcdae") << "every row " << everyRow;
      DragRows(f.dgdClipCollection, 0, 3, everyRow);  // no header
      EXPECT_EQ(ClipOrder(f), "bcdae") << "every row " << everyRow;
      // Up: the last entry to the top.
      DragRows(f.dgdWorldTime, 5, 1, everyRow);
      EXPECT_EQ(WorldTimeOrder(f), "ebcda") << "every row " << everyRow;
      DragRows(f.dgdClipCollection, 4, 0, everyRow);
      EXPECT_EQ(ClipOrder(f), "ebcda") << "every row " << everyRow;
      EXPECT_EQ(f.dgdClipCollection->Row(), 0) << "the selection follows the dragged entry";
      ClickButton(f.btnCancel);
    });
  }
}

TEST_F(SetupFormUseTest, APressOnTheHeaderRowStartsNoDrag) {
  Run(false, [&](TfrmSetup& f) {
    for (TDrawGrid* g : {f.dgdHotKeyActions, f.dgdWorldTime}) {
      GridMouse(g, WM_LBUTTONDOWN, 0, MK_LBUTTON);
      for (int row : {1, 2, 3}) GridMouse(g, WM_MOUSEMOVE, row, MK_LBUTTON);
      GridMouse(g, WM_LBUTTONUP, 3, 0);
    }
    EXPECT_EQ(HotKeyOrder(f), "abcde");
    EXPECT_EQ(WorldTimeOrder(f), "abcde");
    // A drag that reaches the header puts the entry first and goes on from there.
    GridMouse(f.dgdHotKeyActions, WM_LBUTTONDOWN, 3, MK_LBUTTON);
    GridMouse(f.dgdHotKeyActions, WM_MOUSEMOVE, 0, MK_LBUTTON);
    EXPECT_EQ(HotKeyOrder(f), "cabde");
    GridMouse(f.dgdHotKeyActions, WM_MOUSEMOVE, 2, MK_LBUTTON);
    GridMouse(f.dgdHotKeyActions, WM_LBUTTONUP, 2, 0);
    EXPECT_EQ(HotKeyOrder(f), "acbde");
    ClickButton(f.btnCancel);
  });
}

TEST_F(SetupFormUseTest, BelowTheLastRowTheListsAreWindowColouredLikeTheirRows) {
  HotKeyList->Clear();
  ClipList->Clear();
  WorldTimes->resize(1);
  Run(false, [&](TfrmSetup& f) {
    for (TDrawGrid* g : {f.dgdHotKeyActions, f.dgdClipCollection, f.dgdWorldTime}) {
      RECT last = g->CellRect(0, g->RowCount() - 1);
      int y = (last.bottom + g->ClientHeight()) / 2;
      ASSERT_LT(last.bottom + 2, g->ClientHeight());
      EXPECT_EQ(test::PrintedPixel(g->Handle(), 20, y), GetSysColor(COLOR_WINDOW)) << g->RowCount() << " rows";
    }
    ClickButton(f.btnCancel);
  });
}

// Pixels of row `row`'s top line that differ from the row's own fill, which is read
// near its right end, where no text is.
int FocusDots(TDrawGrid* g, int row) {
  test::PrintedWindow picture(g->Handle());
  RECT r = g->CellRect(0, row);
  int right = g->ClientWidth() - 1;
  COLORREF fill = picture.Pixel(right - 2, (r.top + r.bottom) / 2);
  int dots = 0;
  for (int x = r.left + 1; x < right - 1; ++x)
    if (picture.Pixel(x, r.top) != fill) ++dots;
  return dots;
}

TEST_F(SetupFormUseTest, TheFocusedRowOfTheGridsAndThePageListShowsTheFocusRectangle) {
  Run(false, [&](TfrmSetup& f) {
    for (TDrawGrid* g : {f.dgdSetup, f.dgdHotKeyActions, f.dgdClipCollection}) {
      f.ntbSetup->SetPageIndex(g == f.dgdSetup ? 0 : g == f.dgdHotKeyActions ? 2 : 4);
      SetFocus(g->Handle());
      SendMessageW(g->Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
      EXPECT_GT(FocusDots(g, g->Row()), 20) << "focused, keyboard cues on: " << GetDlgCtrlID(g->Handle());
      SendMessageW(g->Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
      EXPECT_LT(FocusDots(g, g->Row()), 4) << "the cues are hidden";
      SendMessageW(g->Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
      SetFocus(f.btnCancel->Handle());
      EXPECT_LT(FocusDots(g, g->Row()), 4) << "without the focus";
    }
    // The dialog's own state change reaches its controls: keyboard cues hidden for the window.
    SetFocus(f.dgdClipCollection->Handle());
    SendMessageW(f.Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    EXPECT_LT(FocusDots(f.dgdClipCollection, f.dgdClipCollection->Row()), 4) << "hidden from the dialog";
    SendMessageW(f.Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    EXPECT_GT(FocusDots(f.dgdClipCollection, f.dgdClipCollection->Row()), 20) << "shown from the dialog";
    ClickButton(f.btnCancel);
  });
}

TEST_F(SetupFormUseTest, ApplyIsEnabledOnlyWhileSomethingDiffersFromTheStoredSettings) {
  editResult = std::make_unique<TActionRecord>();
  editResult->Action = 60;
  Run(false, [&](TfrmSetup& f) {
    EXPECT_FALSE(On(f.btnApply)) << "nothing changed yet";
    ClickCheckBox(f.chbAutoRun);
    EXPECT_TRUE(On(f.btnApply));
    ClickCheckBox(f.chbAutoRun);
    EXPECT_FALSE(On(f.btnApply)) << "changed back";
    f.trbMouseCornerSize->SetPosition(f.trbMouseCornerSize->Position() + 1);
    EXPECT_TRUE(On(f.btnApply));
    ClickButton(f.btnApply);
    EXPECT_FALSE(On(f.btnApply)) << "just stored";
    DragRows(f.dgdHotKeyActions, 1, 2, false);
    EXPECT_TRUE(On(f.btnApply)) << "a reordered list";
    DragRows(f.dgdHotKeyActions, 2, 1, false);
    EXPECT_FALSE(On(f.btnApply));
    f.dgdTrayIcon->SetCol((f.dgdTrayIcon->Col() + 1) % 8);
    EXPECT_TRUE(On(f.btnApply)) << "another colour";
    ClickButton(f.btnApply);
    f.dgdMouseActions->SetRow(1);
    ClickButton(f.btnMouseActionEdit);
    EXPECT_TRUE(On(f.btnApply)) << "an edited corner action";
    ClickButton(f.btnDefaultSettings);
    EXPECT_FALSE(On(f.btnApply)) << "the defaults are stored at once";
    SendMessageW(f.rgrHotKeysCorner->ButtonHandle((f.rgrHotKeysCorner->ItemIndex() + 1) % 4), BM_CLICK, 0, 0);
    EXPECT_TRUE(On(f.btnApply)) << "another hot-key corner";
    ClickButton(f.btnCancel);
  });
}

// The key a caption's ampersand marks, lower case; 0 for none.
wchar_t AccessKey(HWND h) {
  wchar_t text[256] = {};
  GetWindowTextW(h, text, 256);
  for (const wchar_t* p = text; *p; ++p)
    if (*p == L'&') {
      if (p[1] == L'&') {
        ++p;
        continue;
      }
      return static_cast<wchar_t>(towlower(p[1]));
    }
  return 0;
}

struct TButtonWalk {
  std::vector<HWND> found;
  static BOOL CALLBACK Add(HWND h, LPARAM p) {
    wchar_t cls[32] = {};
    GetClassNameW(h, cls, 32);
    LONG style = GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK;
    if (lstrcmpiW(cls, L"Button") == 0 && style != BS_GROUPBOX && IsWindowVisible(h))
      reinterpret_cast<TButtonWalk*>(p)->found.push_back(h);
    return TRUE;
  }
};

TEST_F(SetupFormUseTest, EveryPagesButtonsAndBoxesHaveAccessKeysThatDoNotClash) {
  Run(false, [&](TfrmSetup& f) {
    for (int page = 0; page < f.ntbSetup->PageCount(); ++page) {
      f.ntbSetup->SetPageIndex(page);
      TButtonWalk walk;
      EnumChildWindows(f.Handle(), &TButtonWalk::Add, reinterpret_cast<LPARAM>(&walk));
      std::map<wchar_t, std::string> keys;
      for (HWND h : walk.found) {
        std::string caption = WindowText(h);
        int id = GetDlgCtrlID(h);
        wchar_t key = AccessKey(h);
        // Enter and Escape are the keys of OK and Cancel.
        if (id == IDOK || id == IDCANCEL) continue;
        EXPECT_NE(key, 0) << f.ntbSetup->PageCaption(page) << ": " << caption;
        if (!key) continue;
        auto [it, fresh] = keys.emplace(key, caption);
        EXPECT_TRUE(fresh) << f.ntbSetup->PageCaption(page) << ": " << caption << " and " << it->second;
      }
    }
    // Alt and the key press the button, as the dialog manager does it.
    f.ntbSetup->SetActivePage("Hot Key Launcher");
    SetFocus(f.dgdHotKeyActions->Handle());
    int before = f.Work.WorkHotKeys.Count();
    MSG alt{f.dgdHotKeyActions->Handle(), WM_SYSCHAR, static_cast<WPARAM>(AccessKey(f.btnHotKeysNew->Handle())),
            static_cast<LPARAM>(1u << 29)};
    IsDialogMessageW(f.Handle(), &alt);
    EXPECT_EQ(edits.size(), 1u) << "Alt and the key of Add... open the editor";
    EXPECT_EQ(before, f.Work.WorkHotKeys.Count());
    ClickButton(f.btnCancel);
  });
}

TEST_F(SetupFormUseTest, TheAboutLinkIsReachedByTabAndOpensWithEnterOrSpace) {
  Run(true, [&](TfrmSetup& f) {
    int opened = 0;
    f.lblWeb->OnClick = [&](TLinkLabel*) { ++opened; };
    bool reached = false;
    HWND h = f.dgdSetup->Handle();
    for (int i = 0; i < 20 && !reached; ++i) {
      h = GetNextDlgTabItem(f.Handle(), h, FALSE);
      reached = h == f.lblWeb->Handle();
    }
    EXPECT_TRUE(reached) << "Tab never reaches the link";
    SetFocus(f.lblWeb->Handle());
    for (WPARAM key : {VK_RETURN, VK_SPACE}) {
      MSG down{f.lblWeb->Handle(), WM_KEYDOWN, key, 1};
      if (!IsDialogMessageW(f.Handle(), &down)) DispatchMessageW(&down);
      MSG up{f.lblWeb->Handle(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u)};
      if (!IsDialogMessageW(f.Handle(), &up)) DispatchMessageW(&up);
    }
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(IsWindowVisible(f.Handle())) << "Enter on the link is not OK";
    ClickButton(f.btnCancel);
  });
}

TEST_F(SetupFormUseTest, AfterAddTheNewRowIsSelectedAndRandomColourGreysTheColours) {
  editResult = std::make_unique<TActionRecord>();
  editResult->Action = 60;
  clipResult = std::make_unique<TClipRecord>(TClipRecord{"new", "clip"});
  TrayIconRandom = false;
  Run(false, [&](TfrmSetup& f) {
    f.dgdHotKeyActions->SetRow(1);
    ClickButton(f.btnHotKeysNew);
    EXPECT_EQ(f.dgdHotKeyActions->Row(), 6);
    f.dgdClipCollection->SetRow(0);
    ClickButton(f.btnClipCollectionAdd);
    EXPECT_EQ(f.dgdClipCollection->Row(), 5);
    EXPECT_TRUE(On(f.dgdTrayIcon));
    ClickCheckBox(f.chbTrayIconRandom);
    EXPECT_FALSE(On(f.dgdTrayIcon)) << "a random colour leaves nothing to pick";
    ClickCheckBox(f.chbTrayIconRandom);
    EXPECT_TRUE(On(f.dgdTrayIcon));
    ClickButton(f.btnCancel);
  });
  TrayIconRandom = true;
  Run(false, [&](TfrmSetup& f) {
    EXPECT_FALSE(On(f.dgdTrayIcon)) << "greyed from the start";
    ClickButton(f.btnCancel);
  });
}

// Controls of a form that overlap or stand closer than 4 pixels. Group boxes may hold
// controls; an up-down sits on its buddy; two things that take no input (texts, pictures)
// may touch, and so may a text placed right above the field it names.
std::vector<std::string> CrowdedControls(HWND form) {
  struct Leaf {
    HWND h;
    RECT r;
    bool box, label;
  };
  struct Walk {
    std::vector<Leaf> leaves;
    static BOOL CALLBACK Add(HWND h, LPARAM p) {
      if (!IsWindowVisible(h)) return TRUE;
      wchar_t cls[64] = {};
      GetClassNameW(h, cls, 64);
      bool box = lstrcmpiW(cls, L"Button") == 0 && (GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
      bool label = lstrcmpiW(cls, L"Static") == 0 ||
                   (lstrcmpiW(cls, L"TVimoControl") == 0 && !(GetWindowLongW(h, GWL_STYLE) & WS_TABSTOP));
      HWND child = GetWindow(h, GW_CHILD);
      bool container = false;
      for (; child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child)) container = true;
      RECT r{};
      GetWindowRect(h, &r);
      if (!container && r.right > r.left && r.bottom > r.top)
        reinterpret_cast<Walk*>(p)->leaves.push_back({h, r, box, label});
      return TRUE;
    }
  } walk;
  EnumChildWindows(form, &Walk::Add, reinterpret_cast<LPARAM>(&walk));
  auto name = [](HWND h) {
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    return Narrow(cls) + " \"" + WindowText(h) + "\"";
  };
  auto inside = [](const RECT& in, const RECT& out) {
    return in.left >= out.left && in.right <= out.right && in.top >= out.top && in.bottom <= out.bottom;
  };
  auto buddies = [](HWND a, HWND b) {
    wchar_t cls[64] = {};
    GetClassNameW(a, cls, 64);
    return lstrcmpiW(cls, UPDOWN_CLASSW) == 0 && reinterpret_cast<HWND>(SendMessageW(a, UDM_GETBUDDY, 0, 0)) == b;
  };
  std::vector<std::string> found;
  for (std::size_t i = 0; i < walk.leaves.size(); ++i)
    for (std::size_t j = i + 1; j < walk.leaves.size(); ++j) {
      const Leaf& a = walk.leaves[i];
      const Leaf& b = walk.leaves[j];
      if ((a.box && inside(b.r, a.r)) || (b.box && inside(a.r, b.r))) continue;
      if (buddies(a.h, b.h) || buddies(b.h, a.h)) continue;
      int gap = std::max({b.r.left - a.r.right, a.r.left - b.r.right, b.r.top - a.r.bottom, a.r.top - b.r.bottom});
      auto captionOver = [](const Leaf& text, const Leaf& field) {
        return text.label && text.r.bottom <= field.r.top && text.r.left < field.r.right && field.r.left < text.r.right;
      };
      if (gap >= 4 || (gap >= 0 && ((a.label && b.label) || captionOver(a, b) || captionOver(b, a)))) continue;
      std::ostringstream text;
      text << name(a.h) << " (" << a.r.left << "," << a.r.top << "-" << a.r.right << "," << a.r.bottom << ") and "
           << name(b.h) << " (" << b.r.left << "," << b.r.top << "-" << b.r.right << "," << b.r.bottom << "): "
           << (gap < 0 ? "overlap" : "gap " + std::to_string(gap));
      found.push_back(text.str());
    }
  return found;
}

TEST_F(SetupFormUseTest, NoPageOfTheDialogHasTouchingOrOverlappingControls) {
  Run(false, [&](TfrmSetup& f) {
    for (int page = 0; page < f.ntbSetup->PageCount(); ++page) {
      f.dgdSetup->SetRow(page);
      for (const std::string& pair : CrowdedControls(f.Handle()))
        ADD_FAILURE() << f.ntbSetup->PageCaption(page) << ": " << pair;
    }
    ClickButton(f.btnCancel);
  });
}

TEST_F(SetupFormUseTest, TheEditorsTheDialogOpensHaveNoTouchingOrOverlappingControls) {
  ShowEachEditorOfTheDialog([](TForm& form, const char* what) {
    for (const std::string& pair : CrowdedControls(form.Handle())) ADD_FAILURE() << what << ": " << pair;
    form.SetModalResult(mrCancel);
  });
}

// A dialog of this program found by its caption.
template <typename F>
F* OpenDialog(const char* caption) {
  HWND h = FindWindowA(nullptr, caption);
  return h ? dynamic_cast<F*>(static_cast<TControl*>(GetPropA(h, "VimoControl"))) : nullptr;
}

TEST_F(SetupFormTest, TheRealEditorsOpenFromTheButtonsAndTheirResultsLand) {
  TSetupHostLinks links;
  LinkSetupFeatures(links);
  TfrmSetup form(links);
  WhenShown([&] {
    // A new world time through the item editor.
    WhenShown([&] {
      auto* editor = OpenDialog<TfrmWorldTimeEditor>("World Time Item");
      ASSERT_NE(editor, nullptr);
      editor->edtZone->SetText("Kathmandu");
      editor->udnHours->SetPosition(5);
      editor->udnMinutes->SetPosition(45);
      ClickButton(editor->btnOK);
    });
    ClickButton(form.btnWorldTimeNew);
    ASSERT_FALSE(form.Work.WorkWorldTimes.empty());
    EXPECT_EQ(form.Work.WorkWorldTimes.back(), (TWorldTime{"Kathmandu", 345}));
    EXPECT_EQ(form.dgdWorldTime->Row(), form.dgdWorldTime->RowCount() - 1) << "the new row is selected";

    // A tray slot through the action editor, which offers no clip kinds.
    form.dgdTrayIconActions->SetRow(1);
    WhenShown([&] {
      auto* editor = OpenDialog<TfrmActionEditor>("Action");
      ASSERT_NE(editor, nullptr);
      EXPECT_EQ(editor->cmbAction->IndexOfId(80), -1);
      EXPECT_EQ(editor->cmbAction->IndexOfId(90), -1);
      test::PickItem(editor->cmbAction, editor->cmbAction->IndexOfId(40));
      ClickButton(editor->btnOK);
    });
    ClickButton(form.btnTrayIconLauncherEdit);
    EXPECT_EQ(form.Work.WorkTrayActions[0].Action, 40);
    ClickButton(form.btnOK);
  });
  EXPECT_TRUE(form.Execute(false));
  EXPECT_EQ(TrayActions[0].Action, 40);
  EXPECT_EQ(WorldTimes->back().Name, "Kathmandu");
}

// The whole way a clip of every script takes, with the real registry, files and ANSI
// code page: typed into the real clip editor, applied, exported, the registry wiped,
// imported.
TEST_F(SetupFormTest, AClipOfEveryScriptFromTheRealEditorSurvivesExportWipeAndImport) {
  const std::string world = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 "
                            "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";
  const std::string comment = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";  // Cyrillic
  Win32Registry realRegistry;
  Win32FileSystem realFiles;
  Win32AnsiCodePage realAnsi;
  auto wipe = [] { RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Tramlex"); };
  FinalizeModel();
  Platform().registry = &realRegistry;
  Platform().files = &realFiles;
  Platform().ansi = &realAnsi;
  wipe();
  InitializeModel();
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string file = Narrow(temp) + "vimo-" + comment + ".tvf";

  TSetupHostLinks links;
  LinkSetupFeatures(links);
  TfrmSetup form(links);
  form.MakeExportImportUi = [&](TfrmSetup&) -> std::unique_ptr<TExportImportUi> {
    auto ui = std::make_unique<test::FakeExportImportUi>();
    ui->fileName = file;
    return ui;
  };
  WhenShown([&] {
    WhenShown([&] {
      auto* editor = OpenDialog<TfrmClipEditor>("Clip");
      ASSERT_NE(editor, nullptr);
      editor->edtComment->SetText(comment);
      editor->memText->SetText(world + "\r\n" + world);
      ClickButton(editor->btnOK);
    });
    ClickButton(form.btnClipCollectionAdd);
    ClickButton(form.btnApply);
    ClickButton(form.btnSelectAll);
    ClickButton(form.btnExport);
    wipe();
    ClickButton(form.btnImport);
    ClickButton(form.btnCancel);
  });
  form.Execute(false);
  ASSERT_EQ(ClipList->Count(), 1);
  EXPECT_EQ(*ClipList->ClipAt(0), (TClipRecord{comment, world + "\r\n" + world}));
  // As the registry holds it, read in the wide form.
  wchar_t stored[256] = {};
  DWORD size = sizeof stored;
  RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Tramlex\\Vimo\\Clipboard\\Clips\\1", L"Text", RRF_RT_REG_SZ, nullptr,
               stored, &size);
  EXPECT_EQ(Narrow(stored), world + "\r\n" + world);
  wipe();
  DeleteFileW(Widen(file).c_str());
}

TEST_F(SetupFormTest, EveryControlOfTheTablesHasItsHelpId) {
  Run(false, [](TfrmSetup& f) {
    struct Case {
      TControl* control;
      int id;
    };
    for (const Case& c : {Case{f.btnOK, 1001}, Case{f.btnCancel, 1002}, Case{f.btnApply, 1003}, Case{f.dgdSetup, 77},
                          Case{f.dgdTrayIcon, 78}, Case{f.btnDefaultSettings, 83}, Case{f.trbMouseCornerDelay, 92},
                          Case{f.btnHotKeysNew, 2001}, Case{f.dgdTrayIconActions, 2048},
                          Case{f.chbClipDisableHistory, 2047}, Case{f.btnWorldTimeByTime, 110},
                          Case{f.ExportBoxes[6], 2049}, Case{f.btnImport, 2053}})
      EXPECT_EQ(f.HelpIdOf(c.control->Handle()), c.id);
    EXPECT_EQ(f.HelpIdOf(f.rgrMouseCorner->ButtonHandle(3)), 89);
    ClickButton(f.btnCancel);
  });
}

}  // namespace
}  // namespace vimo
