#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "LaunchFixture.h"
#include "components/win32/ComponentServices.h"
#include "host/win32/HostForm.h"
#include "PopupSupport.h"
#include "EditorSupport.h"
#include "host/win32/SetupFeatures.h"
#include "model/SettingsRegistry.h"
#include "settings/win32/Setup.h"
#include "ui/Application.h"

namespace vimo {
namespace {

class HostSetup : public test::LaunchFixture {
 protected:
  void SetUp() override {
    LaunchFixture::SetUp();
    InstallComponentServices(Application().Window());
    savedDisplay_ = Application().ErrorDisplay;
    Application().ErrorDisplay = [this](const std::string& m) { errors.push_back(m); };
    FirstRun = false;
    HotKeyList->Clear();
    TActionRecord calendar;
    calendar.Action = 40;
    calendar.HotKey = 0x4000 + 0x8000 + VK_F5;
    HotKeyList->Add(calendar);
  }
  void TearDown() override {
    Application().ProcessMessages();
    Application().ErrorDisplay = savedDisplay_;
    LaunchFixture::TearDown();
  }
  std::vector<std::string> errors;

 private:
  std::function<void(const std::string&)> savedDisplay_;
};

TEST_F(HostSetup, WhateverTheDialogDoesTheHotKeysComeBackAndTheMenuStaysUsable) {
  TfrmVimoHost01* host = nullptr;
  bool menuOnDuring = false;
  int opened = 0;
  std::size_t keysDuring = 99;
  bool fail = true;
  TfrmVimoHost01 form([&](bool about) -> bool {
    EXPECT_TRUE(about);
    ++opened;
    menuOnDuring = host->mniCustomize->Enabled && host->mniAbout->Enabled;
    // Asked for again while open: no second dialog.
    host->mniCustomizeClick(*host->mniCustomize);
    keysDuring = hotKeys.registered.size();
    if (fail) throw ERegistryError("Failed to set data for 'HotKey'");
    return true;
  });
  host = &form;
  ASSERT_EQ(hotKeys.registered.size(), 1u);
  for (bool failing : {true, false}) {
    fail = failing;
    Guarded([&] { form.mniCustomizeClick(*form.mniAbout); });
    EXPECT_TRUE(menuOnDuring) << "Settings... and About... stay usable while the dialog is open";
    EXPECT_EQ(keysDuring, 0u) << "hot keys fire while the dialog is open";
    EXPECT_TRUE(form.mniCustomize->Enabled && form.mniAbout->Enabled) << "failing " << failing;
    EXPECT_EQ(hotKeys.registered.size(), 1u) << "failing " << failing;
  }
  EXPECT_EQ(errors, std::vector<std::string>{"Failed to set data for 'HotKey'"});
  EXPECT_EQ(opened, 2) << "one dialog for each of the two clicks, none for the clicks while open";
}

// What a user finds in the open dialog, and what asking for it again does.
void Check(TfrmVimoHost01& form, TfrmSetup& dialog, bool& checked) {
  TfrmSetup* setup = TfrmSetup::Open();
  ASSERT_EQ(setup, &dialog) << "the open dialog is known";
  HWND h = setup->Handle();
  EXPECT_TRUE(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "a button on the taskbar";
  EXPECT_NE(SendMessageW(h, WM_GETICON, ICON_SMALL, 0), 0) << "the icon in the title bar";
  EXPECT_NE(SendMessageW(h, WM_GETICON, ICON_BIG, 0), 0) << "the icon in Alt+Tab";
  EXPECT_EQ(setup->dgdSetup->Row(), 0) << "opened on General";
  SetForegroundWindow(GetDesktopWindow());
  form.mniCustomizeClick(*form.mniAbout);
  EXPECT_EQ(setup->dgdSetup->Row(), setup->dgdSetup->RowCount() - 1) << "About... shows the About page";
  EXPECT_EQ(GetForegroundWindow(), h) << "in front again";
  checked = true;
}

TEST_F(HostSetup, TheOpenDialogHasATaskbarButtonWithTheIconAndComesToTheFrontWhenAskedAgain) {
  bool checked = false;
  TfrmVimoHost01* host = nullptr;
  TfrmVimoHost01 form([&](bool about) {
    TSetupHostLinks links;
    LinkSetupFeatures(links);
    links.enableClipboardTimer = [](bool) {};
    links.leaveViewerChain = [] {};
    TfrmSetup dialog(std::move(links));
    test::WhenShown([&] {
      Check(*host, dialog, checked);
      dialog.SetModalResult(mrCancel);
    });
    return dialog.Execute(about);
  });
  host = &form;
  form.mniCustomizeClick(*form.mniCustomize);
  EXPECT_TRUE(checked);
  EXPECT_EQ(TfrmSetup::Open(), nullptr);
}

}  // namespace
}  // namespace vimo
