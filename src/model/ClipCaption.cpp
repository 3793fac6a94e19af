#include <cstddef>
#include <string>

#include "model/SmartList.h"
#include "platform/Utf.h"

namespace vimo {

std::string ClipCaption(const std::string& text) {
  // Texts are UTF-8: the limit and every count are in characters, and a cut never
  // falls inside one.
  constexpr std::size_t kMaxChars = 1024;
  constexpr std::string_view kNoBreakSpace{"\xC2\xA0"};
  std::string caption(CodePointPrefix(text, kMaxChars));
  const bool cut = caption.size() < text.size();

  std::size_t lead = 0;
  while (lead < caption.size()) {
    char c = caption[lead];
    if (c == 7 || c == 10 || c == 13 || c == 32) {
      ++lead;
    } else if (std::string_view(caption).substr(lead, 2) == kNoBreakSpace) {
      lead += 2;
    } else {
      break;
    }
  }
  caption.erase(0, lead);

  for (char& c : caption)
    if (c == '\r' || c == '\n') c = ' ';

  // Runs of three or more spaces shrink to two, except that a run reaching the last
  // character keeps its third space. Done in one pass instead of erasing in place,
  // so a long run of spaces stays linear. Spaces are single bytes, so the byte walk
  // never splits a character.
  std::string out;
  out.reserve(caption.size());
  const std::size_t n = caption.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (caption[i] == ' ' && out.size() >= 2 && out[out.size() - 1] == ' ' &&
        out[out.size() - 2] == ' ' && i != n - 1)
      continue;
    out.push_back(caption[i]);
  }

  // Each removal above takes out exactly one character, so the text is longer than
  // the caption plus what was removed exactly when the first step cut it: known
  // without counting a long text through on every paint.
  if (cut) out += "...";
  return out;
}

std::string CrLfLineBreaks(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace vimo
