#include "model/SmartList.h"

namespace vimo {

EListError::EListError(int index)
    : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")") {}

TActionRecord THotKeyList::FindByHotKeyId(int id) const {
  for (int i = 0; i < Count(); ++i)
    if (At(i)->HotKeyId == id) return *At(i);
  return {};
}

TActionRecord THotKeyList::GetAction(int index) const {
  const TActionRecord* r = At(index);
  return r ? *r : TActionRecord{};
}

TClipRecord TClipList::GetClip(int index) const {
  const TClipRecord* r = At(index);
  return r ? *r : TClipRecord{};
}

std::string TClipList::ClipTitle(int index) const {
  const TClipRecord* r = At(index);
  if (!r) return {};
  return r->Comment.empty() ? r->Text : r->Comment;
}

std::string TClipList::ClipText(int index) const {
  const TClipRecord* r = At(index);
  return r ? r->Text : std::string();
}

bool TClipList::HasComment(int index) const {
  const TClipRecord* r = At(index);
  return r && !r->Comment.empty();
}

void TClipList::GetTexts(std::vector<std::string>& target) const {
  target.clear();
  for (int i = 0; i < Count(); ++i) target.push_back(At(i)->Text);
}

}  // namespace vimo
