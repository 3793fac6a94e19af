#pragma once
// Geometry of the world time pop-up and the item editor's offset arithmetic.

namespace vimo {

// Shared by the world time pop-up and the sun time map: which side the toolbar takes,
// where the close button sits and where the form goes for a corner code (1..4, or 0).
struct TCornerPlacement {
  bool ToolbarLeft = false;
  int CloseTop = 1;
  int Left = 0;
  int Top = 0;
};
TCornerPlacement PlaceInCorner(int corner, int formWidth, int formHeight, int screenWidth,
                               int screenHeight, int buttonHeight = 24);

struct TWorldTimeLayout {
  int RowHeight = 0;  // one world time row
  int WorldTimesHeight = 0;
  // A list taller than the screen continues in further columns, each as wide as the
  // single column, the pop-up growing to the side.
  int Columns = 1;
  int RowsPerColumn = 0;
  int ColumnWidth = 231;  // the rows' width in a one-column pop-up
  int ColumnGap = 16;
  int MainWidth = 277;
  int MainHeight = 0;
  TCornerPlacement Place;
};
// fontHeight is the paint box font's height as the system gives it (negative for
// character heights: -11 for Tahoma 8 pt at 96 pixels per inch).
// The heights, the border and the columns are 96-DPI units scaled for `dpi`; the font
// height is already the font's at that DPI.
TWorldTimeLayout WorldTimeLayout(int corner, int entryCount, int fontHeight, int screenWidth,
                                 int screenHeight, int colorsHeight = 33, int localTimeHeight = 28,
                                 int timeBorderWidth = 8, int bordersBevelWidth = 1, int dpi = 96);

// The up-down range of the editor's hours: the Earth's zones run from -12:00 (Baker
// Island) to +14:00 (Kiribati).
inline constexpr int kEditorMinHours = -12;
inline constexpr int kEditorMaxHours = 14;

// The item editor's fields for a stored offset.
struct TEditorBias {
  int Hours = 0;           // up-down position, -12..13
  int Minutes = 0;         // up-down position, 0..59
  bool Negative = false;   // the offset is below zero (shown as "-0" when Hours is 0)
};
TEditorBias EditorBiasFromOffset(int offset);
// The offset the editor stores, within -12:00..+14:00. `negativeText` is true while the
// hours edit reads "-0", which keeps a negative offset under one hour negative when
// saved unchanged.
int OffsetFromEditor(int hours, int minutes, bool negativeText);

}  // namespace vimo
