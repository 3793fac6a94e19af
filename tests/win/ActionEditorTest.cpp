#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <string>

#include "EditorSupport.h"
#include "PopupSupport.h"
#include "model/ActionKinds.h"
#include "settings/SetupLogic.h"
#include "settings/win32/ActEdit.h"

namespace vimo {
namespace {

using test::ClickButton;
using test::PickItem;
using test::WhenShown;

class ActionEditorTest : public ::testing::Test {
 protected:
  void TearDown() override {
    TFileDialog::Runner = nullptr;
    Application().ProcessMessages();
  }

  // Runs the editor; `step` acts on the open dialog and must end it.
  bool Edit(TActionRecord& record, bool hotKeyEnabled, bool excludeClipKinds,
            const std::function<void(TfrmActionEditor&)>& step) {
    TfrmActionEditor editor;
    if (browse) editor.BrowseFolder = browse;
    WhenShown([&] { step(editor); });
    return editor.EditAction(record, hotKeyEnabled, excludeClipKinds);
  }

  static bool On(TControl* c) { return IsWindowEnabled(c->Handle()) != FALSE; }
  static int IndexOfKind(TfrmActionEditor& e, int id) { return e.cmbAction->IndexOfId(id); }

  std::function<bool(void*, std::string&)> browse;
};

TEST_F(ActionEditorTest, EmptyRecordOpensWithNothingSelectedAndRefusesOk) {
  for (bool hotKeyEnabled : {false, true}) {
    TActionRecord record;
    bool result = Edit(record, hotKeyEnabled, false, [&](TfrmActionEditor& e) {
      EXPECT_EQ(e.cmbAction->ItemIndex(), -1);
      EXPECT_FALSE(On(e.btnOK));
      EXPECT_TRUE(On(e.btnCancel));
      EXPECT_TRUE(On(e.edtComment));
      for (TControl* c : e.TaggedControls()) {
        bool expected = c->Tag == tagHotKey && hotKeyEnabled;
        EXPECT_EQ(On(c), expected) << "tag " << c->Tag << ", hot keys " << hotKeyEnabled;
      }
      EXPECT_EQ(On(e.htkHotKey), hotKeyEnabled);
      EXPECT_EQ(On(e.lblHotKey), hotKeyEnabled);
      // The radio buttons grey out with their group.
      EXPECT_FALSE(IsWindowEnabled(e.rgrFolderMode->ButtonHandle(0)));
      // Enter in the comment must not close the dialog while OK is disabled.
      PostMessageA(e.edtComment->Handle(), WM_KEYDOWN, VK_RETURN, 0);
      WhenShown([&] {
        EXPECT_EQ(e.ModalResult, mrNone);
        ClickButton(e.btnCancel);
      });
    });
    EXPECT_FALSE(result);
  }
}

TEST_F(ActionEditorTest, EachKindEnablesOnlyTheFieldsItUses) {
  TActionRecord record;
  Edit(record, false, false, [&](TfrmActionEditor& e) {
    struct Case {
      int kind;
      bool path, parameters, window, folderMode;
    };
    for (Case c : {Case{akApplication, true, true, true, false}, Case{akFolder, true, false, true, true},
                   Case{akMyComputer, false, false, true, true}, Case{akCalendar, false, false, false, false},
                   Case{akPrintersAndFaxes, false, false, true, true}}) {
      PickItem(e.cmbAction, IndexOfKind(e, c.kind));
      SCOPED_TRACE(c.kind);
      EXPECT_EQ(On(e.lblPath), c.path);
      EXPECT_EQ(On(e.edtPath), c.path);
      EXPECT_EQ(On(e.btnPath), c.path);
      EXPECT_EQ(On(e.edtParameters), c.parameters);
      EXPECT_EQ(On(e.lblParameters), c.parameters);
      EXPECT_EQ(On(e.cmbWindow), c.window);
      EXPECT_EQ(On(e.rgrFolderMode), c.folderMode);
      EXPECT_EQ(IsWindowEnabled(e.rgrFolderMode->ButtonHandle(1)) != FALSE, c.folderMode);
      EXPECT_FALSE(On(e.htkHotKey));
      EXPECT_TRUE(On(e.btnOK));
    }
    ClickButton(e.btnCancel);
  });
}

TEST_F(ActionEditorTest, ChangingApplicationToCalendarEmptiesTheUnusedFields) {
  TActionRecord record{"Editor", akApplication, 1, "C:\\Tools\\edit.exe", "-n file.txt", 2, 0, 0};
  bool result = Edit(record, false, false, [&](TfrmActionEditor& e) {
    EXPECT_EQ(e.edtComment->Text(), "Editor");
    EXPECT_EQ(e.cmbAction->ItemId(e.cmbAction->ItemIndex()), akApplication);
    EXPECT_EQ(e.edtPath->Text(), "C:\\Tools\\edit.exe");
    EXPECT_EQ(e.edtParameters->Text(), "-n file.txt");
    EXPECT_EQ(e.cmbWindow->ItemIndex(), 2);
    EXPECT_EQ(e.rgrFolderMode->ItemIndex(), 1);
    PickItem(e.cmbAction, IndexOfKind(e, akCalendar));
    // Disabled fields keep their contents while the dialog is open.
    EXPECT_EQ(e.edtPath->Text(), "C:\\Tools\\edit.exe");
    ClickButton(e.btnOK);
  });
  ASSERT_TRUE(result);
  EXPECT_EQ(record, (TActionRecord{"Editor", akCalendar, 0, "", "", 0, 0, 0}));
}

TEST_F(ActionEditorTest, FolderKeepsModeAndPathButNotParameters) {
  TActionRecord record{"", akApplication, 0, "C:\\Data", "-x", 1, 0, 0};
  ASSERT_TRUE(Edit(record, false, false, [&](TfrmActionEditor& e) {
    PickItem(e.cmbAction, IndexOfKind(e, akFolder));
    SendMessageA(e.rgrFolderMode->ButtonHandle(1), BM_CLICK, 0, 0);
    EXPECT_EQ(e.rgrFolderMode->ItemIndex(), 1);
    ClickButton(e.btnOK);
  }));
  EXPECT_EQ(record, (TActionRecord{"", akFolder, 1, "C:\\Data", "", 1, 0, 0}));
}

TEST_F(ActionEditorTest, TrayListLeavesOutTheClipKinds) {
  TActionRecord record{"", akClipHistory, 0, "", "", 0, 0, 0};
  Edit(record, false, true, [&](TfrmActionEditor& e) {
    EXPECT_EQ(e.cmbAction->Count(), 26);
    EXPECT_EQ(IndexOfKind(e, akClipHistory), -1);
    EXPECT_EQ(IndexOfKind(e, akClipCollection), -1);
    // A kind that is not offered opens with nothing selected.
    EXPECT_EQ(e.cmbAction->ItemIndex(), -1);
    EXPECT_FALSE(On(e.btnOK));
    ClickButton(e.btnCancel);
  });
  Edit(record, true, false, [&](TfrmActionEditor& e) {
    ASSERT_EQ(e.cmbAction->Count(), 28);
    for (int i = 0; i < 28; ++i) {
      EXPECT_EQ(e.cmbAction->ItemId(i), ActionKinds[static_cast<std::size_t>(i)].Id);
      EXPECT_EQ(e.cmbAction->Item(i), ActionKinds[static_cast<std::size_t>(i)].Name);
    }
    EXPECT_EQ(e.cmbAction->ItemId(e.cmbAction->ItemIndex()), akClipHistory);
    ClickButton(e.btnCancel);
  });
}

TEST_F(ActionEditorTest, HotKeyReturnsOnlyWhenTheRecordCarriesOne) {
  TActionRecord mouse{"", akCalendar, 0, "", "", 0, scCtrl | 'A', 7};
  ASSERT_TRUE(Edit(mouse, false, false, [&](TfrmActionEditor& e) { ClickButton(e.btnOK); }));
  EXPECT_EQ(mouse.HotKey, 0);
  EXPECT_EQ(mouse.HotKeyId, 0);

  TActionRecord hot{"", akCalendar, 0, "", "", 0, scCtrl | scAlt | 'K', 0};
  ASSERT_TRUE(Edit(hot, true, false, [&](TfrmActionEditor& e) {
    // The control keeps Ctrl as 2 and Alt as 4 in the byte above the key.
    EXPECT_EQ(LOWORD(SendMessageA(e.htkHotKey->Handle(), HKM_GETHOTKEY, 0, 0)),
              MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT));
    SendMessageA(e.htkHotKey->Handle(), HKM_SETHOTKEY, MAKEWORD(VK_F5, HOTKEYF_SHIFT | HOTKEYF_CONTROL), 0);
    ClickButton(e.btnOK);
  }));
  EXPECT_EQ(hot.HotKey, scShift | scCtrl | VK_F5);
}

TEST_F(ActionEditorTest, APlainOrShiftOnlyKeyBecomesCtrlAltInTheHotKeyControl) {
  TActionRecord record{"", akCalendar, 0, "", "", 0, 0, 0};
  ASSERT_TRUE(Edit(record, true, false, [&](TfrmActionEditor& e) {
    HWND control = e.htkHotKey->Handle();
    SetFocus(control);
    SendMessageA(control, WM_KEYDOWN, 'Q', 0x00100001);
    SendMessageA(control, WM_KEYUP, 'Q', 0xC0100001);
    EXPECT_EQ(LOWORD(SendMessageA(control, HKM_GETHOTKEY, 0, 0)), MAKEWORD('Q', HOTKEYF_CONTROL | HOTKEYF_ALT));
    SendMessageA(control, WM_KEYDOWN, VK_SHIFT, 0x002A0001);
    SendMessageA(control, WM_KEYDOWN, VK_LEFT, 0x014B0001);
    SendMessageA(control, WM_KEYUP, VK_LEFT, 0xC14B0001);
    SendMessageA(control, WM_KEYUP, VK_SHIFT, 0xC02A0001);
    EXPECT_EQ(LOBYTE(SendMessageA(control, HKM_GETHOTKEY, 0, 0)), VK_LEFT);
    EXPECT_EQ(HIBYTE(SendMessageA(control, HKM_GETHOTKEY, 0, 0)) & (HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT),
              HOTKEYF_CONTROL | HOTKEYF_ALT);
    ClickButton(e.btnOK);
  }));
  EXPECT_EQ(record.HotKey, scCtrl | scAlt | VK_LEFT);
}

TEST_F(ActionEditorTest, AnExtendedKeyReopensAsItselfAndNotAsItsNumberPadTwin) {
  // Home, End, Insert, Delete, Page Up/Down and the arrows share their scan codes with the
  // number pad; only the extended flag tells the control which key it shows.
  for (int vk : {VK_HOME, VK_END, VK_INSERT, VK_DELETE, VK_PRIOR, VK_NEXT, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN,
                 VK_DIVIDE}) {
    TActionRecord record{"", akCalendar, 0, "", "", 0, scCtrl | scAlt | vk, 0};
    ASSERT_TRUE(Edit(record, true, false, [&](TfrmActionEditor& e) {
      EXPECT_EQ(LOWORD(SendMessageA(e.htkHotKey->Handle(), HKM_GETHOTKEY, 0, 0)),
                MAKEWORD(vk, HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_EXT))
          << std::hex << vk;
      ClickButton(e.btnOK);
    }));
    EXPECT_EQ(record.HotKey, scCtrl | scAlt | vk) << "stored back unchanged";
  }
  // The number pad's own keys and ordinary keys carry no such flag.
  for (int vk : {VK_NUMPAD7, VK_F5, int{'K'}}) {
    TActionRecord record{"", akCalendar, 0, "", "", 0, scCtrl | vk, 0};
    Edit(record, true, false, [&](TfrmActionEditor& e) {
      EXPECT_EQ(LOWORD(SendMessageA(e.htkHotKey->Handle(), HKM_GETHOTKEY, 0, 0)), MAKEWORD(vk, HOTKEYF_CONTROL))
          << std::hex << vk;
      ClickButton(e.btnCancel);
    });
  }
}

TEST_F(ActionEditorTest, CancelAndCloseBoxLeaveTheRecordUntouched) {
  const TActionRecord original{"Keep", akApplication, 0, "a.exe", "b", 1, scAlt | 'Q', 0};
  TActionRecord record = original;
  EXPECT_FALSE(Edit(record, true, false, [&](TfrmActionEditor& e) {
    e.edtComment->SetText("Changed");
    PickItem(e.cmbAction, IndexOfKind(e, akCalendar));
    SendMessageA(e.Handle(), WM_CLOSE, 0, 0);
  }));
  EXPECT_EQ(record, original);
  EXPECT_FALSE(Edit(record, true, false, [&](TfrmActionEditor& e) {
    e.edtPath->SetText("other.exe");
    PostMessageA(e.edtComment->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  }));
  EXPECT_EQ(record, original);
}

TEST_F(ActionEditorTest, StoredStateOutsideTheListsComesBackAsTheFirstItem) {
  TActionRecord record{"", akFolder, 5, "C:\\", "", 9, 0, 0};
  ASSERT_TRUE(Edit(record, false, false, [&](TfrmActionEditor& e) {
    EXPECT_EQ(e.cmbWindow->ItemIndex(), -1);
    EXPECT_EQ(e.rgrFolderMode->ItemIndex(), -1);
    ClickButton(e.btnOK);
  }));
  EXPECT_EQ(record.ExecWindowState, 0);
  EXPECT_EQ(record.FolderMode, 0);
}

TEST_F(ActionEditorTest, FolderBrowserOpensOnAnExistingFolderOnly) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string folder = temp;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  std::string file = folder + "\\vimo-actedit.txt";
  std::ofstream(file) << "x";

  std::vector<std::string> opened;
  bool choose = true;
  browse = [&](void* owner, std::string& path) {
    opened.push_back(path);
    if (choose) path = "C:\\Chosen";
    return choose;
  };
  TActionRecord record{"", akFolder, 0, folder, "", 0, 0, 0};
  Edit(record, false, false, [&](TfrmActionEditor& e) {
    ClickButton(e.btnPath);
    EXPECT_EQ(e.edtPath->Text(), "C:\\Chosen");
    e.edtPath->SetText(file);
    choose = false;
    ClickButton(e.btnPath);
    EXPECT_EQ(e.edtPath->Text(), file);  // cancelled: unchanged
    e.edtPath->SetText("");
    ClickButton(e.btnPath);
    // Kinds without a path do not browse.
    PickItem(e.cmbAction, IndexOfKind(e, akCalendar));
    ClickButton(e.btnPath);
    ClickButton(e.btnCancel);
  });
  DeleteFileA(file.c_str());
  EXPECT_EQ(opened, (std::vector<std::string>{folder, "", ""}));
}

TEST_F(ActionEditorTest, ApplicationPathComesFromTheOpenDialog) {
  std::vector<std::string> started;
  bool confirm = true;
  TFileDialog::Runner = [&](TFileDialog& d) {
    EXPECT_FALSE(d.IsSave());
    EXPECT_EQ(d.DefaultExt, "exe");
    EXPECT_EQ(d.Filter, "Programs|*.exe;*.bat;*.com;*.lnk|All files|*.*");
    started.push_back(d.FileName);
    if (confirm) d.FileName = "C:\\Apps\\tool.exe";
    return confirm;
  };
  TActionRecord record{"", akApplication, 0, "old.exe", "", 0, 0, 0};
  ASSERT_TRUE(Edit(record, false, false, [&](TfrmActionEditor& e) {
    ClickButton(e.btnPath);
    confirm = false;
    ClickButton(e.btnPath);
    ClickButton(e.btnOK);
  }));
  EXPECT_EQ(started, (std::vector<std::string>{"old.exe", "C:\\Apps\\tool.exe"}));
  EXPECT_EQ(record.ExecPath, "C:\\Apps\\tool.exe");
}

TEST_F(ActionEditorTest, LayoutAndHelpIds) {
  TActionRecord record;
  Edit(record, true, false, [&](TfrmActionEditor& e) {
    RECT r{};
    GetClientRect(e.Handle(), &r);
    EXPECT_EQ(r.right, 225);
    EXPECT_EQ(r.bottom, 300);
    EXPECT_EQ(test::TextOf(e.Handle()), "Action");
    EXPECT_TRUE(GetWindowLongPtrA(e.Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    // A radio button inside the group answers with its group's topic.
    EXPECT_EQ(e.HelpIdOf(e.rgrFolderMode->ButtonHandle(1)), 2035);
    EXPECT_EQ(e.HelpIdOf(e.btnPath->Handle()), 2032);
    EXPECT_EQ(e.HelpIdOf(e.btnCancel->Handle()), 1002);
    // Every control lies inside the client area.
    for (TControl* c : e.TaggedControls()) {
      RECT cr{};
      GetWindowRect(c->Handle(), &cr);
      MapWindowPoints(nullptr, e.Handle(), reinterpret_cast<POINT*>(&cr), 2);
      EXPECT_GE(cr.left, 0);
      EXPECT_LE(cr.bottom, 300);
    }
    ClickButton(e.btnCancel);
  });
}

// For a screenshot taken from outside (VIMO_VIEW_MS).
TEST_F(ActionEditorTest, DISABLED_View) {
  TActionRecord record{"Notes", akFolder, 1, "C:\\windows", "", 0, scCtrl | scAlt | 'N', 0};
  Edit(record, true, false, [&](TfrmActionEditor& e) {
    test::HoldForViewing(&e);
    ClickButton(e.btnCancel);
  });
}

}  // namespace
}  // namespace vimo
