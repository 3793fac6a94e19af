#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "LaunchFixture.h"
#include "components/win32/ComponentServices.h"
#include "host/win32/HostForm.h"
#include "model/SettingsRegistry.h"
#include "ui/Application.h"

namespace vimo {
namespace {

class HostSetup : public test::LaunchFixture {
 protected:
  void SetUp() override {
    LaunchFixture::SetUp();
    InstallComponentServices();
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

TEST_F(HostSetup, WhateverTheDialogDoesTheHotKeysAndTheMenuComeBack) {
  TfrmVimoHost01* host = nullptr;
  bool menuOffDuring = false;
  std::size_t keysDuring = 99;
  bool fail = true;
  TfrmVimoHost01 form([&](bool about) -> bool {
    EXPECT_TRUE(about);
    menuOffDuring = !host->mniCustomize->Enabled && !host->mniAbout->Enabled;
    keysDuring = hotKeys.registered.size();
    if (fail) throw ERegistryError("Failed to set data for 'HotKey'");
    return true;
  });
  host = &form;
  ASSERT_EQ(hotKeys.registered.size(), 1u);
  for (bool failing : {true, false}) {
    fail = failing;
    Guarded([&] { form.mniCustomizeClick(*form.mniAbout); });
    EXPECT_TRUE(menuOffDuring) << "the menu items stay usable while the dialog is open";
    EXPECT_EQ(keysDuring, 0u) << "hot keys fire while the dialog is open";
    EXPECT_TRUE(form.mniCustomize->Enabled && form.mniAbout->Enabled) << "failing " << failing;
    EXPECT_EQ(hotKeys.registered.size(), 1u) << "failing " << failing;
  }
  EXPECT_EQ(errors, std::vector<std::string>{"Failed to set data for 'HotKey'"});
}

}  // namespace
}  // namespace vimo
