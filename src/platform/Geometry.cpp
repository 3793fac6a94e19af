#include "platform/Geometry.h"

namespace vimo {

TPoint KeptInside(const TRect& r, const TRect& area) {
  TPoint p{r.left, r.top};
  if (p.x + r.Width() > area.right) p.x = area.right - r.Width();
  if (p.x < area.left) p.x = area.left;
  if (p.y + r.Height() > area.bottom) p.y = area.bottom - r.Height();
  if (p.y < area.top) p.y = area.top;
  return p;
}

}  // namespace vimo
