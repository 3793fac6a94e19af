#pragma once
#include "actions/Popups.h"

namespace vimo {

// The program's pop-up forms behind the action runner's seam.
class TWin32PopupService final : public TPopupService {
 public:
  TForm* CreateCalendar(int corner) override;
  TForm* CreateWorldTime(int corner) override;
  TForm* CreateTimeMap(int corner) override;
  TForm* CreateClipPopup(TPoint anchor, int placement, bool collection, int corner) override;
  TRect Bounds(TForm* form) override;
  void MoveTo(TForm* form, int left, int top) override;
  void Show(TForm* form) override;
  void BringToFront(TForm* form) override;
  void Free(TForm* form) override;
};

}  // namespace vimo
