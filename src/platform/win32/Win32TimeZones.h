#pragma once
// The system's time zones from HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Time Zones.
#include "platform/TimeZones.h"

namespace vimo {

class Win32TimeZones final : public TimeZoneSource {
 public:
  std::vector<TTimeZone> TimeZones() override;
};

// Installs the real time-zone source into the platform unless something is there.
void EnsureTimeZoneSource();

}  // namespace vimo
