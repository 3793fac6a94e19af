#include "time/TimeMapMath.h"

#include "time/TimeHelpers.h"

namespace vimo {

int MapColumnMinutes(int x, int mapWidth, int bias, int nowMinutes) {
  return (x - kGreenwichColumn) * 1440 / mapWidth + bias + nowMinutes;
}

int WrapMapX(int x, int mapWidth) {
  if (mapWidth <= 0) return x;
  while (x < 0) x += mapWidth;
  while (x > mapWidth) x -= mapWidth;
  return x;
}

int LocalMarkerX(int mapWidth, int bias) { return mapWidth * -bias / 1440 + kGreenwichColumn; }

int HourMarkX(int hour, int mapWidth, int bias, int nowMinutes) {
  return (-nowMinutes - bias) * mapWidth / 1440 + mapWidth * hour / 24 + kGreenwichColumn;
}

TTimeMapLayout TimeMapLayout(int corner, int screenWidth, int screenHeight, int mapWidth, int mapHeight,
                             int buttonSize, int toolbarBevel, int stripHeight, int bordersBorder,
                             int bordersBevel, int timeBorder, int leftShift, int mapBorder) {
  TTimeMapLayout l;
  l.ToolbarWidth = buttonSize + 2 * toolbarBevel;
  // pnlMap's outer width: the picture plus its single-line border.
  int mapPanelWidth = mapWidth + 2 * mapBorder;
  // pnlBorders has a raised bevel and its border on each side, pnlTime a raised and a
  // lowered bevel: the hour strip must end above the lowest of them.
  l.MainHeight = mapHeight + 2 * mapBorder + 2 * stripHeight + 2 * (bordersBorder + bordersBevel + 2 * bordersBevel);
  l.MainWidth = mapPanelWidth + 2 * leftShift + l.ToolbarWidth + 2 * timeBorder;
  l.Place = PlaceInCorner(corner, l.MainWidth, l.MainHeight, screenWidth, screenHeight, buttonSize);
  return l;
}

void PaintMapBits(std::uint32_t* bits, int width, int height, int stride, int bias, int nowMinutes) {
  constexpr std::uint32_t kWhite = 0x00FFFFFF;
  for (int x = 0; x < width; ++x) {
    TColor c = DayColor(MapColumnMinutes(x, width, bias, nowMinutes));
    // A DIB stores blue in the low byte, a COLORREF red.
    std::uint32_t pixel = static_cast<std::uint32_t>(RedOf(c)) << 16 | static_cast<std::uint32_t>(GreenOf(c)) << 8 |
                          static_cast<std::uint32_t>(BlueOf(c));
    std::uint32_t* p = bits + x;
    for (int y = 0; y < height; ++y, p += stride)
      if ((*p & kWhite) != kWhite) *p = pixel;
  }
}

}  // namespace vimo
