// Writes the program's face, the tray's resting face in its first colour, as
// SIZE x SIZE pixels of 8-bit R, G, B, A to standard output, for make_app_icon.py.
#include <cstdio>
#include <cstdlib>

#include "components/TrayImages.h"

int main(int argc, char** argv) {
  int size = argc > 1 ? std::atoi(argv[1]) : 0;
  if (size <= 0 || size > 1024) {
    std::fprintf(stderr, "usage: %s SIZE\n", argv[0]);
    return 2;
  }
  auto pixels = vimo::ResizePixels(vimo::TrayImagePixels(vimo::TrayImageIndex(0, vimo::trNormal)), size);
  for (std::uint32_t p : pixels) {
    unsigned char rgba[4] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                             static_cast<unsigned char>(p), static_cast<unsigned char>(p >> 24)};
    std::fwrite(rgba, 1, 4, stdout);
  }
  return 0;
}
