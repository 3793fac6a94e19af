#include "time/TimeMapMath.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "time/TimeHelpers.h"
#include "time/TimeZoneMath.h"

namespace vimo {

int MapColumnMinutes(int x, int mapWidth, int bias, int nowMinutes) {
  return (x - kGreenwichColumn) * 1440 / mapWidth + bias + nowMinutes;
}

int WrapMapX(int x, int mapWidth) {
  if (mapWidth <= 0) return x;
  while (x < 0) x += mapWidth;
  while (x > mapWidth) x -= mapWidth;
  return x;
}

int LocalMarkerX(int mapWidth, int bias) { return mapWidth * -bias / 1440 + kGreenwichColumn; }

int HourMarkX(int hour, int mapWidth, int bias, int nowMinutes) {
  return (-nowMinutes - bias) * mapWidth / 1440 + mapWidth * hour / 24 + kGreenwichColumn;
}

TTimeMapLayout TimeMapLayout(int corner, int screenWidth, int screenHeight, int mapWidth, int mapHeight,
                             int buttonSize, int toolbarBevel, int stripHeight, int bordersBorder,
                             int bordersBevel, int timeBorder, int leftShift, int mapBorder) {
  TTimeMapLayout l;
  l.ToolbarWidth = buttonSize + 2 * toolbarBevel;
  // pnlMap's outer width: the picture plus its single-line border.
  int mapPanelWidth = mapWidth + 2 * mapBorder;
  // pnlBorders has a raised bevel and its border on each side, pnlTime a raised and a
  // lowered bevel: the hour strip must end above the lowest of them.
  l.MainHeight = mapHeight + 2 * mapBorder + 2 * stripHeight + 2 * (bordersBorder + bordersBevel + 2 * bordersBevel);
  l.MainWidth = mapPanelWidth + 2 * leftShift + l.ToolbarWidth + 2 * timeBorder;
  l.Place = PlaceInCorner(corner, l.MainWidth, l.MainHeight, screenWidth, screenHeight, buttonSize);
  return l;
}

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadians = kPi / 180;
constexpr double kNorth = 85, kSouth = -60;
// Sine of the sun's height when civil twilight ends.
const double kTwilightSine = std::sin(-6 * kRadians);

// A DIB stores blue in the low byte, a COLORREF red.
std::uint32_t DibPixel(int r, int g, int b) {
  return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

int LevelOfSine(double sinAltitude) {
  if (sinAltitude >= 0) return 256;
  if (sinAltitude <= kTwilightSine) return 0;
  return static_cast<int>((sinAltitude - kTwilightSine) / -kTwilightSine * 256);
}

}  // namespace

TSun SunAt(const TLocalTime& utc) {
  // The usual low-precision series in the fractional year (good to a few arc minutes).
  const int dayOfYear = static_cast<int>(DaysFromCivil(utc.Year, utc.Month, utc.Day) - DaysFromCivil(utc.Year, 1, 1)) + 1;
  const double hours = utc.Hour + utc.Minute / 60.0 + utc.Second / 3600.0;
  const double g = 2 * kPi / 365 * (dayOfYear - 1 + (hours - 12) / 24);
  const double equationOfTime = 229.18 * (0.000075 + 0.001868 * std::cos(g) - 0.032077 * std::sin(g) -
                                          0.014615 * std::cos(2 * g) - 0.040849 * std::sin(2 * g));
  const double declination = 0.006918 - 0.399912 * std::cos(g) + 0.070257 * std::sin(g) - 0.006758 * std::cos(2 * g) +
                             0.000907 * std::sin(2 * g) - 0.002697 * std::cos(3 * g) + 0.00148 * std::sin(3 * g);
  double longitude = -15 * (hours - 12 + equationOfTime / 60);
  longitude = std::remainder(longitude, 360.0);
  return {declination / kRadians, longitude};
}

double MapRowLatitude(int y, int height) { return kNorth - (y + 0.5) * (kNorth - kSouth) / height; }

double MapColumnLongitude(int x, int width) { return (x - kGreenwichColumn) * 360.0 / width; }

int DaylightLevel(double latitude, double longitude, const TSun& sun) {
  double phi = latitude * kRadians, delta = sun.Declination * kRadians;
  double h = (longitude - sun.SubsolarLongitude) * kRadians;
  return LevelOfSine(std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(h));
}

void PaintMapBits(std::uint32_t* bits, int width, int height, int stride, int bias, int nowMinutes,
                  const std::uint8_t* land, const TSun& sun) {
  // sin(altitude) = sin(lat) sin(decl) + cos(lat) cos(decl) cos(hour angle): one term per
  // row, one factor per column, so each pixel costs a multiply and an add. Only the
  // twilight band blends; day and night pixels come ready from the column tables.
  const double delta = sun.Declination * kRadians;
  const std::size_t w = static_cast<std::size_t>(width);
  std::vector<float> hourCos(w);
  std::vector<TColor> tint(w);
  std::vector<std::uint32_t> landDay(w), landNight(w);
  // Night land: its tint at 45 per cent; the night sea: a dusky blue-grey.
  constexpr int seaR = 160, seaG = 168, seaB = 196, night = 115;
  const std::uint32_t seaDay = DibPixel(255, 255, 255), seaNight = DibPixel(seaR, seaG, seaB);
  for (std::size_t x = 0; x < w; ++x) {
    const int column = static_cast<int>(x);
    hourCos[x] = static_cast<float>(std::cos((MapColumnLongitude(column, width) - sun.SubsolarLongitude) * kRadians));
    const TColor c = DayColor(MapColumnMinutes(column, width, bias, nowMinutes));
    tint[x] = c;
    landDay[x] = DibPixel(RedOf(c), GreenOf(c), BlueOf(c));
    landNight[x] = DibPixel(RedOf(c) * night >> 8, GreenOf(c) * night >> 8, BlueOf(c) * night >> 8);
  }
  const float twilight = static_cast<float>(kTwilightSine);
  for (int y = 0; y < height; ++y) {
    const double phi = MapRowLatitude(y, height) * kRadians;
    const float a = static_cast<float>(std::sin(phi) * std::sin(delta));
    const float b = static_cast<float>(std::cos(phi) * std::cos(delta));
    std::uint32_t* row = bits + static_cast<std::ptrdiff_t>(y) * stride;
    const std::uint8_t* mask = land + static_cast<std::ptrdiff_t>(y) * width;
    for (std::size_t x = 0; x < w; ++x) {
      const float sine = a + b * hourCos[x];
      if (sine >= 0) {
        row[x] = mask[x] ? landDay[x] : seaDay;
      } else if (sine <= twilight) {
        row[x] = mask[x] ? landNight[x] : seaNight;
      } else {
        const int level = LevelOfSine(sine), dark = 256 - level;
        int r = 255, g = 255, bl = 255, nr = seaR, ng = seaG, nb = seaB;
        if (mask[x]) {
          r = RedOf(tint[x]), g = GreenOf(tint[x]), bl = BlueOf(tint[x]);
          nr = r * night >> 8, ng = g * night >> 8, nb = bl * night >> 8;
        }
        row[x] = DibPixel((r * level + nr * dark) >> 8, (g * level + ng * dark) >> 8, (bl * level + nb * dark) >> 8);
      }
    }
  }
}

void PaintMapBits(std::uint32_t* bits, int width, int height, int stride, int bias, int nowMinutes) {
  constexpr std::uint32_t kWhite = 0x00FFFFFF;
  for (int x = 0; x < width; ++x) {
    TColor c = DayColor(MapColumnMinutes(x, width, bias, nowMinutes));
    // A DIB stores blue in the low byte, a COLORREF red.
    std::uint32_t pixel = static_cast<std::uint32_t>(RedOf(c)) << 16 | static_cast<std::uint32_t>(GreenOf(c)) << 8 |
                          static_cast<std::uint32_t>(BlueOf(c));
    std::uint32_t* p = bits + x;
    for (int y = 0; y < height; ++y, p += stride)
      if ((*p & kWhite) != kWhite) *p = pixel;
  }
}

}  // namespace vimo
