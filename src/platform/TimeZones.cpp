#include "platform/TimeZones.h"

#include <cstdint>

namespace vimo {
namespace {

int Read32(const unsigned char* p) {
  std::uint32_t v = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                    static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
  return static_cast<int>(static_cast<std::int32_t>(v));
}

int Read16(const unsigned char* p) { return p[0] | p[1] << 8; }

TZoneDate ReadSystemTime(const unsigned char* p) {
  return {Read16(p), Read16(p + 2), Read16(p + 4), Read16(p + 6),
          Read16(p + 8), Read16(p + 10), Read16(p + 12), Read16(p + 14)};
}

}  // namespace

bool ParseTzi(const std::string& bytes, TZoneRule& rule) {
  if (bytes.size() < 44) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  rule.Bias = Read32(p);
  rule.StandardBias = Read32(p + 4);
  rule.DaylightBias = Read32(p + 8);
  rule.StandardDate = ReadSystemTime(p + 12);
  rule.DaylightDate = ReadSystemTime(p + 28);
  return true;
}

}  // namespace vimo
