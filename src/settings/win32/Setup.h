#pragma once
#include <optional>
// TfrmSetup: the one modal dialog in which every setting is changed. It edits working
// copies of the lists and action arrays; OK and Apply store them and save.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "components/win32/TrayImageList.h"
#include "model/ExportImport.h"
#include "model/Model.h"
#include "platform/Locale.h"
#include "platform/TimeZones.h"
#include "settings/SetupLogic.h"
#include "ui/Form.h"
#include "ui/StdControls.h"

namespace vimo {

// What the World Time page shows of a place: the offset from UTC in effect, minutes
// east, and whether the place's zone is on daylight time.
struct TPlaceOffset {
  int Offset = 0;
  bool Daylight = false;
};

// What the dialog borrows from the host form.
struct TSetupHostLinks {
  HIMAGELIST trayIcons = nullptr;                  // imlTrayIcons: the colour cells
  std::function<void(bool)> enableClipboardTimer;  // timClipboard.Enabled
  std::function<void()> leaveViewerChain;
  // The features' editors and their time at a place, which the dialog uses without
  // knowing the features; the host links them in.
  std::function<bool(TClipRecord& clip)> editClip;
  std::function<bool(TWorldTime& item)> editWorldTime;
  std::function<TPlaceOffset(const TWorldTime& place, const TClockReading& now, const std::vector<TTimeZone>& zones)>
      placeOffset;
};

class TfrmSetup : public TForm {
 public:
  explicit TfrmSetup(TSetupHostLinks host);

  // Shows the dialog on "About" or on "General"; true when it closed with OK.
  bool Execute(bool about);
  // The dialog while it is open, or null.
  static TfrmSetup* Open();
  // Asked for again while open: to the front, on About when that was asked for.
  void Reopen(bool about);

  // Frame.
  TPanel* pnlSetupGrid;
  TDrawGrid* dgdSetup;
  TBevel* bvlVer;
  TPanel* pnlSetup;
  TNotebook* ntbSetup;
  TBevel* bvlButtons;
  TButton* btnApply;
  TButton* btnOK;
  TButton* btnCancel;
  TImageListHandle imlSetup;

  // General.
  TGroupPanel* grbTrayIcon;
  TLabel* lblIconColor;
  TDrawGrid* dgdTrayIcon;
  TCheckBox* chbTrayIconRandom;
  TCheckBox* chbTrayIconAnimated;
  TCheckBox* chbAutoHide;
  TCheckBox* chbAutoRun;
  TButton* btnDefaultSettings;

  // Mouse Launcher.
  TGroupPanel* grbMouseActions;
  TRadioGroup* rgrMouseCorner;
  TDrawGrid* dgdMouseActions;
  TButton* btnMouseActionEdit;
  TButton* btnMouseActionDelete;
  TButton* btnMouseActionClear;
  TButton* btnMouseActionClearAll;
  TLabel* lblMouseCornerSize;
  TLabel* lblMouseCornerSizeValue;
  TTrackBar* trbMouseCornerSize;
  TLabel* lblMouseCornerDelay;
  TLabel* lblMouseCornerDelayValue;
  TTrackBar* trbMouseCornerDelay;
  TCheckBox* chbMouseIgnoreFullScreen;

  // Hot Key Launcher.
  TDrawGrid* dgdHotKeyActions;
  TButton* btnHotKeysNew;
  TButton* btnHotKeysEdit;
  TButton* btnHotKeysDelete;
  TButton* btnHotKeysClear;
  TRadioGroup* rgrHotKeysCorner;

  // Tray Icon Launcher.
  TDrawGrid* dgdTrayIconActions;
  TButton* btnTrayIconLauncherEdit;
  TButton* btnTrayIconLauncherDelete;
  TButton* btnTrayIconLauncherClear;

  // Clipboard.
  TLabel* lblClipCollection;
  TDrawGrid* dgdClipCollection;
  TButton* btnClipCollectionAdd;
  TButton* btnClipCollectionEdit;
  TButton* btnClipCollectionDelete;
  TButton* btnClipCollectionClear;
  TCheckBox* chbClipShowInEditor;
  TCheckBox* chbClipNumerateItems;
  TCheckBox* chbClipDisableHistory;
  TLabel* lblClipHistoryDepthTitle;
  TLabel* lblClipHistoryDepthValue;
  TTrackBar* trbClipHistoryDepth;

  // World Time.
  TDrawGrid* dgdWorldTime;
  TButton* btnWorldTimeNew;
  TButton* btnWorldTimeEdit;
  TButton* btnWorldTimeDelete;
  TButton* btnWorldTimeClear;
  TButton* btnWorldTimeByZone;
  TButton* btnWorldTimeByTime;

  // Export / Import.
  TGroupPanel* grbExportImport;
  std::vector<TCheckBox*> ExportBoxes;  // in page order, each with its section as hint
  TButton* btnSelectAll;
  TButton* btnUnselectAll;
  TButton* btnExport;
  TButton* btnImport;

  // About.
  TPanel* pnlAbout;
  TPanel* pnlIconName;
  TPaintBox* imgIcon;
  TPaintBox* pnlName;
  TLabel* lblInformation;
  TPanel* pnlWeb;  // the link's margin
  TLinkLabel* lblWeb;
  TLabel* lblMapLicence;  // the world map's data, its licence and where both come from

  // The working state, from FormShow to FormClose.
  TSetupWork Work;

  // What the dialog calls out to; tests put their own in place.
  std::function<bool(const std::string& question)> Confirm;
  std::function<bool(TActionRecord& record, bool hotKeyEnabled, bool excludeClipKinds)> EditAction;
  std::function<bool(TClipRecord& clip)> EditClip;
  std::function<bool(TWorldTime& item)> EditWorldTime;
  std::function<std::string()> ClipboardText;
  std::function<std::unique_ptr<TExportImportUi>(TfrmSetup&)> MakeExportImportUi;

  void LoadControls();
  void StoreControls();
  // Apply is enabled while storing would change a setting.
  void UpdateApplyButton();
  // "Random color" greys the colour cells.
  void UpdateTrayIconColors();
  void RefreshPages();
  void UpdateMouseLabels();
  void UpdateHotKeyButtons();
  void UpdateClipButtons();
  void UpdateDepthLabel();
  void UpdateWorldTimeButtons();
  // The ticked export/import boxes, in page order.
  TExportChoice ExportChoice() const;

  void FormShow(TForm* sender);
  // False keeps the dialog open (a registry error while saving on OK).
  bool FormClose(TForm* sender);
  void FormHelp(TForm* sender, UINT command, ULONG_PTR data);
  void dgdSetupDrawCell(TDrawGrid* sender, HDC dc, int col, int row, RECT rect, TGridDrawState state);
  void dgdSetupClick(TDrawGrid* sender);
  void btnApplyClick(TControl* sender);
  void dgdTrayIconDrawCell(TDrawGrid* sender, HDC dc, int col, int row, RECT rect, TGridDrawState state);
  void btnDefaultSettingsClick(TControl* sender);
  void dgdMouseActionsDrawCell(TDrawGrid* sender, HDC dc, int col, int row, RECT rect, TGridDrawState state);
  void rgrMouseCornerClick(TRadioGroup* sender);
  void btnMouseActionEditClick(TControl* sender);
  void btnMouseActionDeleteClick(TControl* sender);
  void btnMouseActionClearClick(TControl* sender);
  void btnMouseActionClearAllClick(TControl* sender);
  void trbMouseCornerChange(TTrackBar* sender);
  // False when the user drops an edit whose combination another entry holds already.
  bool KeepHotKey(const TActionRecord& record, int index);
  void dgdHotKeyActionsDrawCell(TDrawGrid* sender, HDC dc, int col, int row, RECT rect, TGridDrawState state);
  void btnHotKeysNewClick(TControl* sender);
  void btnHotKeysEditClick(TControl* sender);
  void btnHotKeysDeleteClick(TControl* sender);
  void btnHotKeysClearClick(TControl* sender);
  void dgdMouseDown(TControl* sender, TMouseButton button, UINT shift, int x, int y);
  void dgdMouseMove(TControl* sender, UINT shift, int x, int y);
  void dgdHotKeyActionsMouseUp(TControl* sender, TMouseButton button, UINT shift, int x, int y);
  void dgdTrayIconActionsDrawCell(TDrawGrid* sender, HDC dc, int col, int row, RECT rect, TGridDrawState state);
  void btnTrayIconLauncherEditClick(TControl* sender);
  void btnTrayIconLauncherDeleteClick(TControl* sender);
  void btnTrayIconLauncherClearClick(TControl* sender);
  void dgdClipCollectionDrawCell(TDrawGrid* sender, HDC dc, int col, int row, RECT rect, TGridDrawState state);
  void btnClipCollectionAddClick(TControl* sender);
  void btnClipCollectionEditClick(TControl* sender);
  void btnClipCollectionDeleteClick(TControl* sender);
  void btnClipCollectionClearClick(TControl* sender);
  void chbClipDisableHistoryClick(TCheckBox* sender);
  void trbClipChange(TTrackBar* sender);
  void dgdWorldTimeDrawCell(TDrawGrid* sender, HDC dc, int col, int row, RECT rect, TGridDrawState state);
  // Today's time at the place of a row of the World Time grid (1 = the first place).
  TPlaceOffset WorldTimeRowTime(int row);
  void btnWorldTimeNewClick(TControl* sender);
  void btnWorldTimeEditClick(TControl* sender);
  void btnWorldTimeDeleteClick(TControl* sender);
  void btnWorldTimeClearClick(TControl* sender);
  void btnWorldTimeByZoneClick(TControl* sender);
  void btnWorldTimeByTimeClick(TControl* sender);
  void btnSelectUnselectClick(TControl* sender);
  void btnExportClick(TControl* sender);
  void btnImportClick(TControl* sender);
  void eveWebClick(TLinkLabel* sender);

 private:
  // The system's zones, read when the World Time grid first needs them.
  std::optional<std::vector<TTimeZone>> zones_;
  // The simple controls' values into Work.controls.
  void ReadControls();
  void BuildFrame();
  void BuildGeneral(TPanel* page);
  void BuildMouse(TPanel* page);
  void BuildHotKeys(TPanel* page);
  void BuildTray(TPanel* page);
  void BuildClipboard(TPanel* page);
  void BuildWorldTime(TPanel* page);
  void BuildExportImport(TPanel* page);
  void BuildAbout(TPanel* page);
  template <typename C>
  C* WithHelp(C* control, int helpId) {
    SetHelpId(control, helpId);
    return control;
  }
  // The three reorderable grids share the drag handlers.
  void AllowRowDragging(TDrawGrid* grid);
  std::pair<TDragGrid, int> DragList(TControl* grid) const;
  int SelectedCorner() const;
  int ScaledRowHeight(int designHeight) const;
  void SetHotKeyRowCount();
  void SetWorldTimeRowCount();
  void SetClipRowCount();

  TSetupHostLinks host_;
};

// The page captions in page order.
extern const char* const kSetupPages[8];
inline constexpr const char* kSetupCaption = "Tramlex Vimo Settings";
inline constexpr const char* kProductWebPage = "https://www.tramlex.com/vimo/";

}  // namespace vimo
