#include "settings/win32/KeyNames.h"

#include <windows.h>

#include "platform/Utf.h"
#include "settings/EditorCodes.h"

namespace vimo {

std::string KeyName(int vk) {
  UINT scan = MapVirtualKeyW(static_cast<UINT>(vk), 0);
  LONG param = static_cast<LONG>(scan << 16);
  // Keys that share a scan code with the number pad carry the extended bit.
  if (IsExtendedKey(vk)) param |= 1 << 24;
  wchar_t name[64] = {};
  int n = scan ? GetKeyNameTextW(param, name, sizeof name / sizeof name[0]) : 0;
  return n > 0 ? Narrow(std::wstring_view(name, static_cast<std::size_t>(n))) : std::string();
}

}  // namespace vimo
