#pragma once
// The world time pop-up: a colour scale, the home time and one row per world time entry.
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

 private:
  void pntColorsPaint(TPaintBox* box, HDC dc);
  void pntLocalTimePaint(TPaintBox* box, HDC dc);
  void pntWorldTimesPaint(TPaintBox* box, HDC dc);
  void DrawTimeRow(TPaintBox* box, HDC dc, const std::string& name, bool home, int y, int offset);
};

}  // namespace vimo
