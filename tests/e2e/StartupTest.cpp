#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "E2eSupport.h"

namespace vimo::e2e {
namespace {

TEST(Startup, FirstStartWritesTheIdentityValuesAndLaterStartsAreNotFirst) {
  DeleteProductKey();
  {
    VimoProcess vimo;
    ASSERT_TRUE(vimo.Started()) << "cannot start " << VimoPath();
    ASSERT_TRUE(vimo.WaitForHost());
    EXPECT_EQ(ReadValue("Vimo", "@Name"), "Vimo");
    EXPECT_EQ(ReadValue("Vimo", "@Version"), "2.1");
    std::string path = ReadValue("Vimo", "@Path");
    EXPECT_EQ(_stricmp(path.c_str(), VimoPath().c_str()), 0) << path;
    // Loading alone writes no settings.
    EXPECT_EQ(ReadValue("Vimo\\Mouse", "CornerSize"), "<none>");
  }
  DeleteProductKey();
}

TEST(Startup, StartsAtOnceDespiteCorruptValues) {
  DeleteProductKey();
  WriteValue("Vimo\\Keys", "Count", "2000000000");
  WriteValue("Vimo\\Clipboard\\History", "Count", "2000000000");
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Tramlex\\Vimo\\Mouse", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  DWORD twelve = 12;
  RegSetValueExA(key, "CornerSize", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&twelve), sizeof twelve);
  RegCloseKey(key);

  VimoProcess vimo;
  ASSERT_TRUE(vimo.Started());
  EXPECT_TRUE(vimo.WaitForHost()) << "start-up stalls or stops on corrupt values";
  EXPECT_TRUE(vimo.Running());
  DeleteProductKey();
}

// File names of the modules a process has mapped, in lower case.
std::vector<std::string> ModuleNames(HANDLE process) {
  std::vector<HMODULE> modules(512);
  DWORD bytes = 0;
  if (!EnumProcessModules(process, modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &bytes))
    return {};
  modules.resize(std::min<std::size_t>(modules.size(), bytes / sizeof(HMODULE)));
  std::vector<std::string> names;
  for (HMODULE m : modules) {
    char name[MAX_PATH] = {};
    if (!GetModuleBaseNameA(process, m, name, MAX_PATH)) continue;
    std::string n = name;
    std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    names.push_back(n);
  }
  return names;
}

// The tray host needs neither the common controls nor the file dialogs until a form or
// a dialog opens: mapping them at start-up costs most of its private memory.
TEST(Startup, MapsNeitherTheCommonControlsNorTheFileDialogs) {
  DeleteProductKey();
  VimoProcess vimo;
  ASSERT_TRUE(vimo.Started());
  ASSERT_TRUE(vimo.WaitForHost());
  ASSERT_TRUE(vimo.WaitIdle());
  auto names = ModuleNames(vimo.Handle());
  ASSERT_NE(std::find(names.begin(), names.end(), "user32.dll"), names.end()) << "the module list is readable";
  EXPECT_EQ(std::count(names.begin(), names.end(), "comctl32.dll"), 0);
  EXPECT_EQ(std::count(names.begin(), names.end(), "comdlg32.dll"), 0);
  DeleteProductKey();
}

}  // namespace
}  // namespace vimo::e2e
