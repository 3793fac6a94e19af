#include "platform/Platform.h"

namespace vimo {

PlatformServices& Platform() {
  static PlatformServices services;
  return services;
}

}  // namespace vimo
