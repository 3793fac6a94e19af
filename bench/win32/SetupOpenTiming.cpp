// How long "Settings..." takes to show the dialog with a full configuration (100 hot keys,
// 100 clips, the 29 world times): building the form with its eight pages, loading the
// controls and working copies, and painting the first page. Also one OK (store and save).
// Run it inside "wine explorer /desktop=NAME,1024x768": on a bare Xvfb without a window
// manager Wine waits for every top-level window to be mapped.
#include <windows.h>

#include <cstdio>

#include "FakeRegistry.h"
#include "FakeSystem.h"
#include "common/FullConfiguration.h"
#include "common/MedianMs.h"
#include "components/win32/TrayImageList.h"
#include "host/win32/SetupFeatures.h"
#include "model/Model.h"
#include "model/SettingsStore.h"
#include "platform/Platform.h"
#include "settings/win32/Setup.h"
#include "ui/Application.h"

int main() {
  vimo::test::FakeRegistry registry;
  vimo::test::FakeSystemInfo system;
  vimo::Platform().registry = &registry;
  vimo::Platform().system = &system;
  vimo::InitializeModel();
  vimo::bench::FillFullConfiguration();
  vimo::Application().Initialize();
  vimo::TImageListHandle trayIcons = vimo::CreateTrayImageList();

  auto open = [&] {
    vimo::TSetupHostLinks links;
    vimo::LinkSetupFeatures(links);
    links.trayIcons = trayIcons.get();
    vimo::TfrmSetup form(links);
    form.Show();  // FormShow: LoadControls and RefreshPages
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  open();  // classes, fonts and common controls loaded once
  double openMs = vimo::bench::MedianMs(15, open);
  double buildMs = vimo::bench::MedianMs(15, [&] {
    vimo::TSetupHostLinks links;
    vimo::LinkSetupFeatures(links);
    links.trayIcons = trayIcons.get();
    vimo::TfrmSetup form(links);
  });

  vimo::TSetupHostLinks links;
  vimo::LinkSetupFeatures(links);
  vimo::TfrmSetup form(links);
  form.Show();
  double okMs = vimo::bench::MedianMs(15, [&] {
    form.StoreControls();
    vimo::SaveSettings();
  });
  std::printf("open the settings dialog (build, load, first paint): %.1f ms median of 15\n", openMs);
  std::printf("of which building the form and its controls: %.1f ms\n", buildMs);
  std::printf("store the controls and save (OK) with the fake registry: %.2f ms median of 15\n", okMs);
  vimo::FinalizeModel();
  return 0;
}
