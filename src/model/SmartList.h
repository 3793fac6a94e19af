#pragma once
// Ordered lists that own their records. Reads by index are total; Delete out of
// range raises the list index error and leaves the list as it was.
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/ActionRecord.h"

namespace vimo {

class EListError : public std::out_of_range {
 public:
  explicit EListError(int index);
};

template <typename TRecord>
class TSmartList {
 public:
  TSmartList() = default;
  TSmartList(const TSmartList&) = delete;
  TSmartList& operator=(const TSmartList&) = delete;
  virtual ~TSmartList() = default;

  int Count() const { return static_cast<int>(items_.size()); }

  // Takes ownership of a record allocated by the caller.
  void Add(std::unique_ptr<TRecord> record) { items_.push_back(std::move(record)); }
  void Add(const TRecord& record) { Add(std::make_unique<TRecord>(record)); }

  void Delete(int index) {
    if (index < 0 || index >= Count()) throw EListError(index);
    items_.erase(items_.begin() + index);
  }

  void Clear() { items_.clear(); }

  // Swaps two entries (row dragging in the settings grids). Out of range raises.
  void Exchange(int a, int b) {
    if (a < 0 || a >= Count()) throw EListError(a);
    if (b < 0 || b >= Count()) throw EListError(b);
    std::swap(items_[a], items_[b]);
  }

 protected:
  TRecord* At(int index) const {
    return index >= 0 && index < Count() ? items_[index].get() : nullptr;
  }
  void AssignFrom(const TSmartList& source) {
    if (&source == this) return;
    Clear();
    for (const auto& r : source.items_) Add(*r);
  }

 private:
  std::vector<std::unique_ptr<TRecord>> items_;
};

class THotKeyList : public TSmartList<TActionRecord> {
 public:
  void Assign(const THotKeyList& source) { AssignFrom(source); }
  TActionRecord FindByHotKeyId(int id) const;
  TActionRecord GetAction(int index) const;
  TActionRecord* ActionAt(int index) const { return At(index); }
};

class TClipList : public TSmartList<TClipRecord> {
 public:
  void Assign(const TClipList& source) { AssignFrom(source); }
  TClipRecord GetClip(int index) const;
  std::string ClipTitle(int index) const;
  std::string ClipText(int index) const;
  bool HasComment(int index) const;
  TClipRecord* ClipAt(int index) const { return At(index); }
  void GetTexts(std::vector<std::string>& target) const;
};

// One-line caption of a clip or history text for lists, grids and menus.
std::string ClipCaption(const std::string& text);
// Every line break (CR, LF or CR LF) made CR LF, as an edit control wants a clip's text.
std::string CrLfLineBreaks(const std::string& text);

}  // namespace vimo
