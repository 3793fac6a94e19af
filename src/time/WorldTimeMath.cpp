#include "time/WorldTimeMath.h"

#include "platform/DpiScale.h"

#include <algorithm>
#include <cstdlib>

namespace vimo {

TCornerPlacement PlaceInCorner(int corner, int formWidth, int formHeight, int screenWidth,
                               int screenHeight, int buttonHeight) {
  TCornerPlacement p;
  p.ToolbarLeft = corner == 1 || corner == 2;
  // The pointer rests in the corner: the close button at the toolbar's other end.
  p.CloseTop = corner == 2 || corner == 4 ? 1 : formHeight - buttonHeight - 1;
  p.Left = p.ToolbarLeft ? 0 : screenWidth - formWidth;
  p.Top = corner == 1 || corner == 3 ? 0 : screenHeight - formHeight;
  return p;
}

TWorldTimeLayout WorldTimeLayout(int corner, int entryCount, int fontHeight, int screenWidth,
                                 int screenHeight, int colorsHeight, int localTimeHeight,
                                 int timeBorderWidth, int bordersBevelWidth, int dpi) {
  TWorldTimeLayout l;
  auto s = [dpi](int units) { return ScaleForDpi(units, dpi); };
  colorsHeight = s(colorsHeight);
  localTimeHeight = s(localTimeHeight);
  timeBorderWidth = s(timeBorderWidth);
  // One column, its two borders and bevels, and the toolbar with its close button.
  l.ColumnWidth = s(l.ColumnWidth);
  l.ColumnGap = s(l.ColumnGap);
  l.MainWidth = l.ColumnWidth + 2 * timeBorderWidth + 4 * bordersBevelWidth + s(24) + 2;
  l.RowHeight = std::abs(fontHeight) * 5 / 4;
  const int fixed = colorsHeight + localTimeHeight + 2 * timeBorderWidth + 4 * bordersBevelWidth;
  const int fitting = l.RowHeight > 0 ? std::max(1, (screenHeight - fixed) / l.RowHeight) : 1;
  l.Columns = entryCount > fitting ? (entryCount + fitting - 1) / fitting : 1;
  l.RowsPerColumn = (entryCount + l.Columns - 1) / l.Columns;
  l.WorldTimesHeight = l.RowsPerColumn * l.RowHeight;
  l.MainWidth += (l.Columns - 1) * (l.ColumnWidth + l.ColumnGap);
  l.MainHeight = fixed + l.WorldTimesHeight;
  l.Place = PlaceInCorner(corner, l.MainWidth, l.MainHeight, screenWidth, screenHeight, s(24));
  return l;
}

TEditorBias EditorBiasFromOffset(int offset) {
  return {offset / 60, std::abs(offset) % 60, offset < 0};
}

int OffsetFromEditor(int hours, int minutes, bool negativeText) {
  int offset = std::abs(hours) * 60 + std::abs(minutes);
  if (hours < 0 || (hours == 0 && negativeText)) offset = -offset;
  return std::clamp(offset, kEditorMinHours * 60, kEditorMaxHours * 60);
}

}  // namespace vimo
