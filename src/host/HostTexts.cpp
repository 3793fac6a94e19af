#include "host/HostTexts.h"

namespace vimo {

std::string HelpFileFor(const std::string& exePath) {
  std::size_t slash = exePath.find_last_of("\\/");
  std::size_t dot = exePath.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return exePath + ".hlp";
  return exePath.substr(0, dot) + ".hlp";
}

}  // namespace vimo
