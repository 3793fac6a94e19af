#include "platform/Registry.h"

namespace vimo {

RegValue RegValue::String(const std::string& text) {
  RegValue v;
  v.type = RegType::Sz;
  v.data = text;
  v.data.push_back('\0');
  return v;
}

std::string RegValue::Text() const {
  auto nul = data.find('\0');
  return nul == std::string::npos ? data : data.substr(0, nul);
}

}  // namespace vimo
