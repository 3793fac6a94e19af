#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vimo::e2e
