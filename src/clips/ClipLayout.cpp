#include "clips/ClipLayout.h"

namespace vimo {

TClipLayout ClipLayout(const TClipLayoutInput& in) {
  TClipLayout l;
  l.RowHeight = in.PixelsPerInch * 15 / 96;
  l.RowCount = in.TextCount > 0 ? in.TextCount : 1;
  l.GridHeight = l.RowCount * l.RowHeight;
  l.GripLeft = in.Placement == 3 || in.Placement == 4;
  l.ToolbarWidth = in.ButtonSize + 2 * in.ToolbarBevel;
  l.MainHeight = l.GridHeight + 4 * in.ClipsBevel + 2 * in.ClipsBorder;
  l.MainWidth = in.Width;
  // The grip has no lower limit, so a stored width may be zero or negative: such a
  // pop-up would open invisible and take the focus. Open it wide enough to use.
  l.MinWidth = l.ToolbarWidth + in.GripWidth + kMinClipGridWidth;
  if (l.MainWidth < l.MinWidth) l.MainWidth = l.MinWidth;
  if (in.ScreenHeight < l.MainHeight) l.MainHeight = in.ScreenHeight;
  if (in.ScreenWidth < l.MainWidth) l.MainWidth = in.ScreenWidth;
  // Opened from a corner, the pointer rests in it: the close button goes to the other
  // end of the toolbar, so that the next click does not close the pop-up.
  l.CloseTop = in.Placement == 1 || in.Placement == 3 ? l.MainHeight - in.ButtonSize - 1 : 1;

  l.Left = in.Anchor.x;
  l.Top = in.Anchor.y;
  if (l.Left + l.MainWidth > in.ScreenWidth) l.Left -= l.MainWidth;
  if (l.Left < 0) l.Left = 0;
  if (l.Top + l.MainHeight > in.ScreenHeight) l.Top -= l.MainHeight;
  if (l.Top < 0) l.Top = 0;
  // The grip goes on the side away from the nearer screen edge, so that the pop-up can
  // always be widened: the bare right corners, and any pop-up lying mostly in the right half.
  if (!l.GripLeft) l.GripLeft = 2 * l.Left + l.MainWidth > in.ScreenWidth;
  return l;
}

std::string ClipLabel(int row) {
  if (row >= 0 && row <= 8) return std::string(1, static_cast<char>('1' + row));
  if (row >= 9 && row <= 34) return std::string(1, static_cast<char>(row + 88));
  return {};
}

int RowForKey(char key, bool numerateItems) {
  if (!numerateItems) return 0;
  if (key >= '1' && key <= '9') return key - '1';
  if (key >= 'a' && key <= 'z') return key - 'a' + 9;
  return -1;
}

int WrapRow(bool up, int row, int rowCount) {
  if (up && row == 0) return rowCount - 1;
  if (!up && row == rowCount - 1) return 0;
  return -1;
}

TGripResult GripMove(bool gripLeft, int formLeft, int formWidth, int gripX, int x, int minWidth) {
  const int delta = gripLeft ? gripX - x : x - gripX;
  const int width = formWidth + delta < minWidth ? minWidth : formWidth + delta;
  // A left grip moves the left edge: the right edge stays put.
  return {gripLeft ? formLeft + formWidth - width : formLeft, width};
}

}  // namespace vimo
