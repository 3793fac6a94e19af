#pragma once
// The sun time map: the land of a world map tinted by the time of day at each longitude.
#include <cstdint>
#include <vector>

#include "ui/Form.h"

namespace vimo {

class TfrmTimeMap : public TForm {
 public:
  explicit TfrmTimeMap(int corner);

  TPanel* pnlMain;
  TPanel* pnlToolbar;
  TSpeedButton* sbtClose;
  TButton* btnClose;
  TPanel* pnlBorders;
  TPanel* pnlTime;
  TPaintBox* pntHours;
  TPaintBox* pntLocalTime;
  TPanel* pnlMapContainer;
  TPanel* pnlMapLeftShift;
  TPanel* pnlMap;
  TImage* imgMap;

  unsigned short LastMinute = 0;
  int NowMinutes = 0;
  int ProbeX = 0;
  bool Probing = false;

  void PaintMap();
  void XorGuideLine(int x);
  void DrawTimeMarker(int x, int t);
  void sbtCloseClick(TControl* sender);
  void timMainTimer();
  void imgMapMouseDown(TControl* sender, TMouseButton button, UINT shift, int x, int y);
  void imgMapMouseMove(TControl* sender, UINT shift, int x, int y);
  void imgMapMouseUp(TControl* sender, TMouseButton button, UINT shift, int x, int y);

  // The map's pixels: 32-bit, top-down, one row after the other.
  std::uint32_t* MapBits() const { return bits_; }

 private:
  void pntLocalTimePaint(TPaintBox* box, HDC dc);
  void pntHoursPaint(TPaintBox* box, HDC dc);
  int ShiftToMap(int x) const;
  int ProbeMinutes(int x) const;

  std::uint32_t* bits_ = nullptr;
  std::vector<std::uint8_t> land_;  // the picture's land, kept: the night shades the sea too
  int markerX_ = 0;
  int markerMinutes_ = 0;
};

// Loads the world picture from the program's resources as a 32-bit top-down DIB section.
HBITMAP LoadMapPicture(std::uint32_t** bits);

}  // namespace vimo
