#pragma once
// The clip pop-up's arithmetic: layout by placement code, row labels and keys,
// wrap-around and the grip.
#include <string>

#include "platform/Geometry.h"

namespace vimo {

struct TClipLayout {
  int RowHeight = 0;
  int RowCount = 1;
  int GridHeight = 0;
  bool GripLeft = false;  // grip at the left edge, toolbar at the right: away from the screen edge
  int ToolbarWidth = 0;
  int MinWidth = 0;  // toolbar, grip and the narrowest grid
  int MainWidth = 0;
  int MainHeight = 0;
  int CloseTop = 1;
  int Left = 0;
  int Top = 0;
};

// The narrowest grid a pop-up opens with (a stored width may be anything).
inline constexpr int kMinClipGridWidth = 40;

struct TClipLayoutInput {
  TPoint Anchor;
  int Placement = 0;   // the whole placement code
  int TextCount = 0;
  int Width = 0;       // ClipCollectionWidth or ClipHistoryWidth
  int PixelsPerInch = 96;
  int ScreenWidth = 1024;
  int ScreenHeight = 768;
  int ButtonSize = 24;
  int ToolbarBevel = 1;
  int ClipsBevel = 1;
  int ClipsBorder = 1;
  int GripWidth = 8;
};

TClipLayout ClipLayout(const TClipLayoutInput& in);

// "1".."9" for rows 0..8, "a".."z" for rows 9..34, nothing after.
std::string ClipLabel(int row);
// The row a typed character stands for, or -1 (the caller still checks the row count).
int RowForKey(char key, bool numerateItems);
// Up on the first row goes to the last, Down on the last to the first: the new row,
// or -1 when the grid handles the key itself.
int WrapRow(bool up, int row, int rowCount);

struct TGripResult {
  int Left = 0;
  int Width = 0;
};
// One grip movement from gripX to x (screen coordinates), never narrower than
// minWidth: a pop-up dragged to nothing would be invisible and still take the typing.
TGripResult GripMove(bool gripLeft, int formLeft, int formWidth, int gripX, int x, int minWidth);

}  // namespace vimo
