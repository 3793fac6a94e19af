#pragma once
// Screen geometry shared by the portable code (same meaning as POINT and RECT).

namespace vimo {

struct TPoint {
  int x = 0;
  int y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // As PtInRect: the right and bottom edges are outside.
  bool Contains(TPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool operator==(const TRect&) const = default;
};

// Where a window of rectangle `r` goes to lie inside `area`: moved, never resized;
// one larger than the area keeps its left or top edge on the area's.
TPoint KeptInside(const TRect& r, const TRect& area);

}  // namespace vimo
