#include "settings/EditorCodes.h"

namespace vimo {
namespace {
// The hot-key control's own modifier bits (HOTKEYF_SHIFT, HOTKEYF_CONTROL, HOTKEYF_ALT).
constexpr int hkShift = 1, hkControl = 2, hkAlt = 4, hkExt = 8;
constexpr int scShiftBit = 0x2000, scCtrlBit = 0x4000, scAltBit = 0x8000;
}  // namespace

int ShortcutFromHotKeyValue(int value) {
  int key = value & 0xFF;
  int flags = (value >> 8) & 0xFF;
  if (key == 0) return 0;  // modifiers alone are no hot key
  int code = key;
  if (flags & hkShift) code |= scShiftBit;
  if (flags & hkControl) code |= scCtrlBit;
  if (flags & hkAlt) code |= scAltBit;
  return code;
}

int HotKeyValueFromShortcut(int shortcut) {
  int key = shortcut & 0xFF;
  if (key == 0) return 0;
  int flags = 0;
  if (shortcut & scShiftBit) flags |= hkShift;
  if (shortcut & scCtrlBit) flags |= hkControl;
  if (shortcut & scAltBit) flags |= hkAlt;
  // Without it the control names the number-pad twin ("KP_Home" for Home).
  if (IsExtendedKey(key)) flags |= hkExt;
  return key | (flags << 8);
}

bool IsExtendedKey(int vk) {
  switch (vk) {
    case 0x2D: case 0x2E: case 0x24: case 0x23: case 0x21: case 0x22:  // Ins Del Home End PgUp PgDn
    case 0x25: case 0x26: case 0x27: case 0x28:                        // arrows
    case 0x6F: case 0x90:                                              // number-pad "/", Num Lock
      return true;
  }
  return false;
}

}  // namespace vimo
