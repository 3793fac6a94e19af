#include "components/PopupMenu.h"

#include <stdexcept>

#include "platform/Platform.h"
#include "platform/TrayShell.h"

namespace vimo {

void TMenuItem::Click() {
  if (Enabled && OnClick) OnClick(*this);
}

TMenuItem& TPopupMenu::Add(std::string caption, TMenuItem::TNotifyEvent onClick) {
  auto item = std::make_unique<TMenuItem>();
  item->Caption = std::move(caption);
  item->OnClick = std::move(onClick);
  items_.push_back(std::move(item));
  return *items_.back();
}

void TPopupMenu::Popup(TPoint at) {
  if (OnPopup) OnPopup(*this);
  MenuService* menus = Platform().menus;
  if (!menus) throw std::logic_error("No menu service installed");
  std::vector<MenuEntry> entries;
  entries.reserve(items_.size());
  for (const auto& item : items_) entries.push_back({item->Caption, item->Enabled, item->Checked, item->Default});
  int chosen = menus->TrackPopup(entries, at);
  if (chosen >= 0 && chosen < Count() && items_[chosen]->Caption != "-") items_[chosen]->Click();
}

bool TPopupMenu::ClickDefault() {
  TMenuItem* found = nullptr;
  for (int i = Count() - 1; i >= 0; --i)
    if (items_[i]->Default) found = items_[i].get();
  if (!found) return false;
  found->Click();
  return true;
}

}  // namespace vimo
