#pragma once
// The hot-key control keeps its modifiers in its own bits (Shift 1, Ctrl 2, Alt 4 above the
// key's byte); the settings keep a shortcut code (0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt).
namespace vimo {

// A value of HKM_GETHOTKEY (key in the low byte, modifiers in the next) as a shortcut code.
int ShortcutFromHotKeyValue(int value);
// A shortcut code as the WPARAM of HKM_SETHOTKEY; bits the control has no room for are
// dropped, and an extended key carries the control's extended flag.
int HotKeyValueFromShortcut(int shortcut);
// Keys that share their scan code with a number-pad key and are told apart from it by the
// extended bit: Insert, Delete, Home, End, Page Up/Down, the arrows, "/" and Num Lock.
bool IsExtendedKey(int virtualKey);

}  // namespace vimo
