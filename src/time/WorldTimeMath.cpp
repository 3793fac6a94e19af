#include "time/WorldTimeMath.h"

#include <cstdlib>

namespace vimo {

TCornerPlacement PlaceInCorner(int corner, int formWidth, int formHeight, int screenWidth,
                               int screenHeight, int buttonHeight) {
  TCornerPlacement p;
  p.ToolbarLeft = corner == 1 || corner == 2;
  p.CloseTop = corner == 1 || corner == 3 ? 1 : formHeight - buttonHeight - 1;
  p.Left = p.ToolbarLeft ? 0 : screenWidth - formWidth;
  p.Top = corner == 1 || corner == 3 ? 0 : screenHeight - formHeight;
  return p;
}

TWorldTimeLayout WorldTimeLayout(int corner, int entryCount, int fontHeight, int screenWidth,
                                 int screenHeight, int colorsHeight, int localTimeHeight,
                                 int timeBorderWidth, int bordersBevelWidth) {
  TWorldTimeLayout l;
  l.RowHeight = std::abs(fontHeight) * 5 / 4;
  l.WorldTimesHeight = entryCount * l.RowHeight;
  l.MainHeight = colorsHeight + localTimeHeight + l.WorldTimesHeight + 2 * timeBorderWidth +
                 4 * bordersBevelWidth;
  l.Place = PlaceInCorner(corner, l.MainWidth, l.MainHeight, screenWidth, screenHeight);
  return l;
}

TEditorBias EditorBiasFromOffset(int offset) {
  return {offset / 60, std::abs(offset) % 60, offset < 0};
}

int OffsetFromEditor(int hours, int minutes, bool negativeText) {
  int offset = std::abs(hours) * 60 + std::abs(minutes);
  return hours < 0 || (hours == 0 && negativeText) ? -offset : offset;
}

}  // namespace vimo
