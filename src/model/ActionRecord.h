#pragma once
#include <cstdint>
#include <string>

namespace vimo {

// One action. The all-zero record is the empty action: running it does nothing.
struct TActionRecord {
  std::string Comment;
  std::int32_t Action = 0;
  std::int32_t FolderMode = 0;
  std::string ExecPath;
  std::string ExecParams;
  std::int32_t ExecWindowState = 0;
  std::int32_t HotKey = 0;    // shortcut code: virtual key + 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt
  std::int32_t HotKeyId = 0;  // registration id while registered; never stored

  bool operator==(const TActionRecord&) const = default;
};

// Modifier bits of a shortcut code.
inline constexpr std::int32_t scShift = 0x2000;
inline constexpr std::int32_t scCtrl = 0x4000;
inline constexpr std::int32_t scAlt = 0x8000;

struct TClipRecord {
  std::string Comment;
  std::string Text;

  bool operator==(const TClipRecord&) const = default;
};

}  // namespace vimo
