#include <cstddef>
#include <string>

#include "model/SmartList.h"

namespace vimo {

std::string ClipCaption(const std::string& text) {
  constexpr std::size_t kMaxChars = 1024;
  std::string caption = text.substr(0, kMaxChars);
  std::size_t removed = 0;

  std::size_t lead = 0;
  while (lead < caption.size()) {
    unsigned char c = static_cast<unsigned char>(caption[lead]);
    if (c != 7 && c != 10 && c != 13 && c != 32 && c != 160) break;
    ++lead;
  }
  caption.erase(0, lead);
  removed += lead;

  for (char& c : caption)
    if (c == '\r' || c == '\n') c = ' ';

  // Runs of three or more spaces shrink to two, except that a run reaching the last
  // character keeps its third space. Done in one pass instead of erasing in place,
  // so a long run of spaces stays linear.
  std::string out;
  out.reserve(caption.size());
  const std::size_t n = caption.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (caption[i] == ' ' && out.size() >= 2 && out[out.size() - 1] == ' ' &&
        out[out.size() - 2] == ' ' && i != n - 1) {
      ++removed;
      continue;
    }
    out.push_back(caption[i]);
  }

  if (text.size() - removed > out.size()) out += "...";
  return out;
}

}  // namespace vimo
