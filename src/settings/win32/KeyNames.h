#pragma once
#include <string>

namespace vimo {

// The keyboard layout's name of a virtual key (GetKeyNameTextW); empty when it has none.
std::string KeyName(int vk);

}  // namespace vimo
