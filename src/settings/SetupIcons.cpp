#include "settings/SetupIcons.h"

#include <cstdint>

namespace vimo {
namespace {

using TArt = const char* [16];

// General: three sliders. Mouse Launcher: a mouse. Hot Key Launcher: a key cap.
// Tray Icon Launcher: the face above a taskbar. Clipboard: a clipboard. World Time: a
// globe. Export / Import: arrows up and down. About: an "i" in a circle.
const TArt kArt[kSetupPageCount] = {
    {"................", "..kkk...........", ".gkbkgggggggggg.", ".dkbkdddddddddd.", "..kkk...........",
     "................", "........kkk.....", ".gggggggkbkgggg.", ".dddddddkbkdddd.", "........kkk.....",
     "................", ".....kkk........", ".ggggkbkggggggg.", ".ddddkbkddddddd.", ".....kkk........",
     "................"},
    {"................", "........k.......", ".......k........", ".....kkkkkk.....", "....kllkkllk....",
     "....kllkkllk....", "....kllkkllk....", "....kkkkkkkk....", "....kwwwwwwk....", "....kwwwwwwk....",
     "....kwwwwwwk....", "....kwwwwwwk....", ".....kwwwwk.....", "......kkkk......", "................",
     "................"},
    {"................", "..kkkkkkkkkkkk..", "..kwwwwwwwwwlk..", "..kwwwwkkwwwlk..", "..kwwwkwwkwwlk..",
     "..kwwwkwwkwwlk..", "..kwwwkkkkwwlk..", "..kwwwkwwkwwlk..", "..kwwwkwwkwwlk..", "..kwwwwwwwwwlk..",
     "..klllllllllgk..", "..kggggggggggk..", "..kkkkkkkkkkkk..", "................", "................",
     "................"},
    {"................", "................", "......GGGG......", ".....GGGGGG.....", ".....GwGGwG.....",
     ".....GGGGGG.....", ".....GwGGwG.....", ".....GGwwGG.....", "......GGGG......", "................",
     "wwwwwwwwwwwwwwww", "lllllllllllllllg", "lbbblllllllGlGlg", "lbbblllllllGlGlg", "lllllllllllllllg",
     "gggggggggggggggg"},
    {"................", "......kkkk......", "..ooookllkoooo..", "..ookkkkkkkkoo..", "..owwwwwwwwwwo..",
     "..owkkkkkkkkwo..", "..owwwwwwwwwwo..", "..owkkkkkkwwwo..", "..owwwwwwwwwwo..", "..owkkkkkkkkwo..",
     "..owwwwwwwwwwo..", "..owkkkkkwwwwo..", "..owwwwwwwwwwo..", "..oooooooooooo..", "................",
     "................"},
    {"................", ".....bbbbbb.....", "...bbGGbbbbbb...", "..bbGGGGbbbbbb..", "..bGGGGGbbbGGb..",
     ".bbGGGGbbbGGGbb.", ".bbbGGGbbbGGGGb.", ".bbbbGGbbbbGGGb.", ".bbbbGbbbbbGGbb.", ".bbbbGGbbbbbGbb.",
     "..bbbbGGbbbbbb..", "..bbbbbGbbbbbb..", "...bbbbbbbbbb...", ".....bbbbbb.....", "................",
     "................"},
    {"................", "....G...........", "...GGG.....rrr..", "..GGGGG....rrr..", ".GGGGGGG...rrr..",
     "...GGG.....rrr..", "...GGG.....rrr..", "...GGG.....rrr..", "...GGG.....rrr..", "...GGG.....rrr..",
     "...GGG...rrrrrrr", "...GGG....rrrrr.", "...GGG.....rrr..", "............r...", "................",
     "................"},
    {"................", ".....bbbbbb.....", "...bbbbbbbbbb...", "..bbbbbwwbbbbb..", "..bbbbbwwbbbbb..",
     ".bbbbbbbbbbbbbb.", ".bbbbbwwwbbbbbb.", ".bbbbbbwwbbbbbb.", ".bbbbbbwwbbbbbb.", ".bbbbbbwwbbbbbb.",
     ".bbbbbbwwbbbbbb.", "..bbbbbwwwbbbb..", "...bbbbbbbbbb...", ".....bbbbbb.....", "................",
     "................"},
};

std::uint32_t PaletteColor(char c) {
  switch (c) {
    case 'k': return 0xFF000000;
    case 'd': return 0xFF404040;
    case 'g': return 0xFF808080;
    case 'l': return 0xFFC0C0C0;
    case 'w': return 0xFFFFFFFF;
    case 'b': return 0xFF1E5AC8;
    case 'G': return 0xFF20A020;
    case 'r': return 0xFFD02020;
    case 'o': return 0xFFA06020;
    default: return 0;  // transparent
  }
}

}  // namespace

TTrayPixels SetupPageIcon(int page) {
  TTrayPixels pixels{};
  if (page < 0 || page >= kSetupPageCount) return pixels;
  for (int y = 0; y < kTrayImageSize; ++y) {
    const char* row = kArt[page][y];
    for (int x = 0; x < kTrayImageSize && row[x]; ++x) pixels[y * kTrayImageSize + x] = PaletteColor(row[x]);
  }
  return pixels;
}

}  // namespace vimo
