#pragma once
// The clip pop-up: picks a text of the history or the collection and pastes it.
#include <string>
#include <vector>

#include "clips/ClipLayout.h"
#include "platform/Geometry.h"
#include "ui/Form.h"

namespace vimo {

class TfrmClips : public TForm {
 public:
  // anchor: screen point to open at; placement: the action's whole placement code.
  TfrmClips(TPoint anchor, bool showsCollection, int placement);
  ~TfrmClips() override;

  TButton* btnOK;
  TButton* btnCancel;
  TPanel* pnlMain;
  TPanel* pnlToolbar;
  TSpeedButton* sbtClose;
  TPanel* pnlClips;
  TDrawGrid* dgdClips;
  TDoubleColorPanel* pnlSize;

  bool ShowsCollection = false;
  int GripCursorX = 0;
  std::vector<std::string> Texts;

  void btnOKClick(TControl* sender);
  void btnCancelClick(TControl* sender);
  bool GripLeft() const { return gripLeft_; }
  // The one-line text row `row` shows.
  std::string RowCaption(int row) const;

 private:
  void FormShow(TForm* sender);
  void FormClose(TForm* sender);
  void FormDestroy();
  void dgdClipsDrawCell(TDrawGrid* grid, HDC dc, int col, int row, RECT rect, TGridDrawState state);
  void dgdClipsKeyDown(TDrawGrid* grid, WORD& key, UINT shift);
  void dgdClipsKeyPress(TDrawGrid* grid, char& key);
  void dgdClipsMouseUp(TControl* sender, TMouseButton button, UINT shift, int x, int y);
  void pnlSizeMouseDown(TControl* sender, TMouseButton button, UINT shift, int x, int y);
  void pnlSizeMouseMove(TControl* sender, UINT shift, int x, int y);
  void pnlSizeMouseUp(TControl* sender, TMouseButton button, UINT shift, int x, int y);

  bool gripLeft_ = false;
  int minWidth_ = 0;
};

}  // namespace vimo
