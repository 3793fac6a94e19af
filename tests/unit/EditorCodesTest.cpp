#include <gtest/gtest.h>

#include "model/ActionRecord.h"
#include "settings/EditorCodes.h"

namespace vimo {
namespace {

// The hot-key control's modifier byte: Shift 1, Ctrl 2, Alt 4, extended key 8.
constexpr int hkShift = 1, hkCtrl = 2, hkAlt = 4, hkExt = 8;

TEST(EditorCodes, HotKeyControlValueAndShortcutCodeCarryTheSameModifiers) {
  struct Case {
    int value, shortcut;
  };
  for (Case c : {Case{'A', 'A'}, Case{'A' | hkShift << 8, 'A' | scShift}, Case{'A' | hkCtrl << 8, 'A' | scCtrl},
                 Case{'A' | hkAlt << 8, 'A' | scAlt},
                 Case{0x74 | (hkShift | hkCtrl | hkAlt) << 8, 0x74 | scShift | scCtrl | scAlt}}) {
    EXPECT_EQ(ShortcutFromHotKeyValue(c.value), c.shortcut) << std::hex << c.value;
    EXPECT_EQ(HotKeyValueFromShortcut(c.shortcut), c.value) << std::hex << c.shortcut;
  }
}

TEST(EditorCodes, EmptyAndForeignBitsAreNoHotKey) {
  EXPECT_EQ(ShortcutFromHotKeyValue(0), 0);
  // Modifiers without a key are what the control shows while the user still holds them.
  EXPECT_EQ(ShortcutFromHotKeyValue(hkCtrl << 8), 0);
  EXPECT_EQ(HotKeyValueFromShortcut(scCtrl | scAlt), 0);
  // The extended-key flag is no modifier of ours.
  EXPECT_EQ(ShortcutFromHotKeyValue(0x2E | (hkExt | hkCtrl) << 8), 0x2E | scCtrl);
  // Only the low word of the control's value counts.
  EXPECT_EQ(ShortcutFromHotKeyValue(0x10000 | 'B'), 'B');
}

TEST(EditorCodes, ExtendedKeysTakeTheControlsExtendedFlag) {
  // Keys that share a scan code with the number pad: without the flag the control shows the twin.
  for (int vk : {0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x2D, 0x2E, 0x6F, 0x90})
    EXPECT_EQ(HotKeyValueFromShortcut(vk | scCtrl | scAlt), vk | (hkCtrl | hkAlt | hkExt) << 8) << std::hex << vk;
  for (int vk : {0x67, 0x74, 0x4B, 0x0D})
    EXPECT_EQ(HotKeyValueFromShortcut(vk | scCtrl), vk | hkCtrl << 8) << std::hex << vk;
  // And the flag never comes back into the shortcut.
  EXPECT_EQ(ShortcutFromHotKeyValue(HotKeyValueFromShortcut(0x24 | scShift)), 0x24 | scShift);
}

}  // namespace
}  // namespace vimo
