#pragma once
// Puts a text on the clipboard and makes a window paste it with Shift+Insert.
#include <windows.h>

#include <string>

namespace vimo {

// Marks the key strokes the paste injects, so that hooks of the program can tell them apart.
inline constexpr ULONG_PTR kPasteInputMark = 0x56494D4F;  // "VIMO"

// Returns when the key strokes have been played. The journal playback hook replays
// them; where it cannot be installed, is cancelled by the system or is not played at
// all within a short bound, the rest goes out through SendInput in the same order.
void PasteText(HWND target, const std::string& text);

// Puts the text on the clipboard as Unicode text; false when the clipboard stays busy.
bool SetClipboardText(const std::string& text, HWND owner);

}  // namespace vimo
