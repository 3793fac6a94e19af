#include "settings/EditorCodes.h"

namespace vimo {
namespace {
// The hot-key control's own modifier bits (HOTKEYF_SHIFT, HOTKEYF_CONTROL, HOTKEYF_ALT).
constexpr int hkShift = 1, hkControl = 2, hkAlt = 4;
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
  return key | (flags << 8);
}

std::string DialogFilter(const std::string& filter) {
  std::string out = filter;
  for (char& c : out)
    if (c == '|') c = '\0';
  // An odd count of parts would leave a description without its pattern: drop it.
  std::size_t parts = filter.empty() ? 0 : 1;
  for (char c : filter) parts += c == '|';
  if (parts % 2 == 1) out.resize(out.rfind('\0') == std::string::npos ? 0 : out.rfind('\0'));
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

}  // namespace vimo
