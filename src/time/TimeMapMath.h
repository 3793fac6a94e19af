#pragma once
// Longitude and time arithmetic of the sun time map, and its geometry.
#include <cstdint>

#include "platform/Locale.h"

#include "time/WorldTimeMath.h"

namespace vimo {

inline constexpr int kMapWidth = 379;
inline constexpr int kMapHeight = 232;
inline constexpr int kGreenwichColumn = 180;

// Minutes of the day shown by map column x (not wrapped; DayColor and TimeOfDayText wrap).
int MapColumnMinutes(int x, int mapWidth, int bias, int nowMinutes);
// Brings a marker x into 0..mapWidth.
int WrapMapX(int x, int mapWidth);
// The column of the user's time zone (before wrapping).
int LocalMarkerX(int mapWidth, int bias);
// The column where the zone time is now `hour` o'clock (before wrapping).
int HourMarkX(int hour, int mapWidth, int bias, int nowMinutes);

struct TTimeMapLayout {
  int ToolbarWidth = 0;
  int MainWidth = 0;
  int MainHeight = 0;
  TCornerPlacement Place;
};
TTimeMapLayout TimeMapLayout(int corner, int screenWidth, int screenHeight, int mapWidth = kMapWidth,
                             int mapHeight = kMapHeight, int buttonSize = 24, int toolbarBevel = 1,
                             int stripHeight = 24, int bordersBorder = 1, int bordersBevel = 1,
                             int timeBorder = 0, int leftShift = 25, int mapBorder = 1);

// Where the sun stands overhead, in degrees: its declination (north positive) and the
// longitude where it is noon (east positive), for a UTC instant.
struct TSun {
  double Declination = 0;
  double SubsolarLongitude = 0;
};
TSun SunAt(const TLocalTime& utc);

// The centre of a map row and column in degrees: rows run from 85 north to 60 south,
// column 180 is Greenwich.
double MapRowLatitude(int y, int height);
double MapColumnLongitude(int x, int width);

// 256 while the sun is up, 0 once it is 6 degrees below the horizon (the end of civil
// twilight), in between while it sets.
int DaylightLevel(double latitude, double longitude, const TSun& sun);

// Paints the whole map from its land mask (non-zero for land, one byte a pixel, `width`
// a row): land in its column's time-of-day colour, sea white, and both darkened where
// the sun is down, so that the boundary follows the season.
void PaintMapBits(std::uint32_t* bits, int width, int height, int stride, int bias, int nowMinutes,
                  const std::uint8_t* land, const TSun& sun);

// Recolours the land of a 32-bit top-down picture (0x00RRGGBB pixels, `stride` pixels a
// row): every pixel that is not white takes the colour of its column's time.
void PaintMapBits(std::uint32_t* bits, int width, int height, int stride, int bias, int nowMinutes);

}  // namespace vimo
