#pragma once
// A model fixture with the launch seams installed as recording fakes.
#include "FakeLaunchPlatform.h"
#include "ModelFixture.h"
#include "actions/ActionRunner.h"

namespace vimo::test {

class LaunchFixture : public ModelFixture {
 protected:
  void SetUp() override {
    ModelFixture::SetUp();
    auto& p = Platform();
    p.shell = &shell;
    p.session = &session;
    p.keyInjection = &keys;
    p.cursorScreen = &desktop;
    p.windows = &desktop;
    p.messageBoxes = &boxes;
    p.hotKeys = &hotKeys;
    InitializeModel();
    ActivePopup = nullptr;
    TargetWindow = nullptr;
    PopupOpenedByKey = false;
    Suspended = false;
  }
  void TearDown() override {
    ActivePopup = nullptr;
    TargetWindow = nullptr;
    Suspended = false;
    PopupOpenedByKey = false;
    ModelFixture::TearDown();
  }

  static void* Wnd(std::uintptr_t v) { return reinterpret_cast<void*>(v); }

  CallLog log;
  FakeShell shell{log};
  FakeSession session{log};
  FakeKeyInjection keys{log};
  FakeDesktop desktop{log};
  FakeMessageBoxes boxes{log};
  FakeHotKeys hotKeys{log};
  FakePopups popups{log};
  void* const appWindow = Wnd(0xA00);
  void* const trayWindow = Wnd(0xB00);
  TActionRunner runner{popups, {[this] { return appWindow; }, [this] { return trayWindow; }}};
};

}  // namespace vimo::test
