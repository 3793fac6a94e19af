#pragma once
// Puts a text on the clipboard and makes a window paste it with Shift+Insert.
#include <windows.h>

#include <functional>
#include <string>

#include "clips/Paste.h"

namespace vimo {

// Marks the key strokes the paste injects, so that hooks of the program can tell them apart.
inline constexpr ULONG_PTR kPasteInputMark = 0x56494D4F;  // "VIMO"

// Returns when the key strokes have been played (or none were sent, see TPasteResult).
// The journal playback hook replays them; where it is refused or never plays, the keys
// go out through SendInput, at once from then on.
TPasteResult PasteText(HWND target, const std::string& text);

// The system as the paste sees it (the one the program's paste uses).
PasteSystem& Win32Paste();

// How the paste tells the user that it could not paste (the host shows a balloon).
void SetPasteNotice(std::function<void(const std::string&)> notice);

// One attempt to put the text on the clipboard as Unicode text.
bool TrySetClipboardText(const std::string& text, HWND owner);
// The same, retried for a short while; false when the clipboard stays busy.
bool SetClipboardText(const std::string& text, HWND owner);

}  // namespace vimo
