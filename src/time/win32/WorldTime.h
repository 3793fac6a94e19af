#pragma once
// The world time pop-up: a colour scale, the home time and one row per world time entry.
#include <vector>

#include "platform/TimeZones.h"
#include "time/PlaceTime.h"
#include "time/WorldTimeMath.h"
#include "ui/Form.h"

namespace vimo {

class TfrmWorldTime : public TForm {
 public:
  explicit TfrmWorldTime(int corner);

  TPanel* pnlMain;
  TPanel* pnlToolbar;
  TSpeedButton* sbtClose;
  TButton* btnClose;
  TPanel* pnlBorders;
  TPanel* pnlTime;
  TPaintBox* pntColors;
  TPaintBox* pntLocalTime;
  TPaintBox* pntWorldTimes;

  unsigned short LastMinute = 0;

  void sbtCloseClick(TControl* sender);
  void timMainTimer();

  // The time now at entry i of WorldTimes, as its row shows it.
  TPlaceTime EntryTime(std::size_t i);
  // Where entry i's row is drawn in pntWorldTimes: its left edge, width and centre line.
  RECT EntryRow(std::size_t i) const;

 private:
  void pntColorsPaint(TPaintBox* box, HDC dc);
  void pntLocalTimePaint(TPaintBox* box, HDC dc);
  void pntWorldTimesPaint(TPaintBox* box, HDC dc);
  void DrawTimeRow(HDC dc, int left, int width, const std::string& name, int y, int minutes, int day);

  TWorldTimeLayout layout_;
  std::vector<TTimeZone> zones_;  // read once: the rules do not change while the pop-up is open
};

}  // namespace vimo
