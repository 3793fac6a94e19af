#pragma once
// A pop-up menu with items that carry click handlers. The shell draws it through
// MenuService; the items and the clicking rules live here.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/FreeNotifier.h"
#include "platform/Geometry.h"

namespace vimo {

class TPopupMenu;

class TMenuItem {
 public:
  using TNotifyEvent = std::function<void(TMenuItem& sender)>;
  std::string Caption;  // "-" is a separator
  bool Enabled = true;
  bool Checked = false;
  bool Default = false;
  TNotifyEvent OnClick;
  // Calls OnClick unless the item is disabled.
  void Click();
};

class TPopupMenu : public TFreeNotifier {
 public:
  using TNotifyEvent = std::function<void(TPopupMenu& sender)>;

  TPopupMenu() = default;
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;

  TMenuItem& Add(std::string caption, TMenuItem::TNotifyEvent onClick = nullptr);
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem& Items(int index) { return *items_.at(index); }

  bool AutoPopup = true;
  TNotifyEvent OnPopup;  // before the menu opens
  // The component that last popped the menu up.
  void* PopupComponent = nullptr;

  // OnPopup, then the menu at the point; the chosen item is clicked after it closes.
  void Popup(TPoint at);
  // Clicks the lowest-indexed item marked as default; false when none is marked.
  bool ClickDefault();

 private:
  std::vector<std::unique_ptr<TMenuItem>> items_;
};

}  // namespace vimo
