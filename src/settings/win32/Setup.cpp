#include "settings/win32/Setup.h"
#include "settings/win32/KeyNames.h"

#include <shellapi.h>

#include <algorithm>

#include "components/TrayImages.h"
#include "help/HelpTopics.h"
#include "model/ActionKinds.h"
#include "model/SettingsStore.h"
#include "model/win32/ExportImportUi.h"
#include "platform/Platform.h"
#include "platform/Shell.h"
#include "platform/Utf.h"
#include "platform/win32/OnFirstUse.h"
#include "platform/win32/Win32ClipboardViewer.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32TimeZones.h"
#include "settings/EditorCodes.h"
#include "settings/SetupIcons.h"
#include "settings/win32/ActEdit.h"
#include "ui/Application.h"

namespace vimo {

const char* const kSetupPages[8] = {"General",   "Mouse Launcher", "Hot Key Launcher", "Tray Icon Launcher",
                                    "Clipboard", "World Time",     "Export / Import",  "About"};

namespace {

// Access keys: no two on one page, Apply's "a" on every page.
constexpr const char* kCorners[4] = {"Le&ft top", "Left &bottom", "Ri&ght top", "Right b&ottom"};
// The export boxes' access keys, as positions in their captions.
constexpr int kExportBoxKeys[7] = {0, 0, 0, 0, 0, 11, 0};
constexpr const char* kMouseModifiers[6] = {"None", "Ctrl", "Shift", "Ctrl+Shift", "Ctrl+Alt", "Shift+Alt"};
constexpr const char* kTrayModifiers[8] = {"None",       "Ctrl",      "Alt",       "Shift",
                                           "Ctrl+Alt",   "Ctrl+Shift", "Alt+Shift", "Ctrl+Alt+Shift"};
constexpr const char* kEmptyRow = "[empty]";

constexpr int kModifierColumn = 80;  // first column of the mouse and tray grids
constexpr int kHotKeyColumn = 90;
constexpr int kTimeColumn = 45;
constexpr const char* kMapLicence =
    "The world map is derived from GSHHG (Global Self-consistent Hierarchical High-resolution "
    "Geography) by Paul Wessel and Walter H. F. Smith, under the GNU LGPL version 3 or later. "
    "Data and source (low resolution, Debian's gmt-gshhg-low):\n"
    "www.soest.hawaii.edu/pwessel/gshhg\n"
    "Made into the map by tools/make_world_map.py.";
constexpr COLORREF kDaylightMark = RGB(255, 160, 0);

// Cell text as the grids draw it: 3 pixels in, one line, vertically centred.
void CellText(HDC dc, const std::string& text, RECT r, UINT align = DT_LEFT) {
  r.left += 3;
  if (align == DT_RIGHT) r.right -= 3;
  DrawTextIn(dc, text, r, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// The delay's text takes a one-byte separator: a separator outside ASCII (which the
// ANSI form gave as "?") falls back to the point.
char DecimalSeparator() {
  wchar_t buffer[8] = {};
  int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer / sizeof buffer[0]);
  return n > 1 && buffer[0] < 0x80 ? static_cast<char>(buffer[0]) : '.';
}

// "Sort by name" in the user's language, letter case ignored.
int CompareNames(const std::string& a, const std::string& b) {
  std::wstring wa = Widen(a), wb = Widen(b);
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wa.data(), static_cast<int>(wa.size()), wb.data(),
                        static_cast<int>(wb.size())) -
         CSTR_EQUAL;
}

std::string ReadClipboardText(HWND owner) {
  try {
    Win32ClipboardViewer clipboard(reinterpret_cast<WindowHandle>(owner));
    return clipboard.Read().text;
  } catch (...) {
    return {};  // held by another program: the clip starts empty
  }
}

TButton* MakeButton(TControl* parent, const char* caption, int left, int top, int width, int height = 23) {
  auto* b = new TButton(parent, caption, 0);
  b->SetBounds(left, top, width, height);
  return b;
}

TCheckBox* MakeCheckBox(TControl* parent, const char* caption, int left, int top, int width) {
  auto* c = new TCheckBox(parent, caption);
  c->SetBounds(left, top, width, 17);
  return c;
}

TDrawGrid* MakeGrid(TControl* parent, int cols, int fixedRows, bool lines) {
  auto* g = new TDrawGrid(parent);
  g->ColCount = cols;
  g->SetFixedRows(fixedRows);
  g->GridLineWidth = lines ? 1 : 0;
  g->SetBorder(true);
  g->UseWindowColor();
  SetWindowLongPtrW(g->Handle(), GWL_STYLE, GetWindowLongPtrW(g->Handle(), GWL_STYLE) | WS_TABSTOP);
  return g;
}

}  // namespace

TfrmSetup::TfrmSetup(TSetupHostLinks host) : TForm(TFormStyle::Dialog), host_(std::move(host)) {
  EnsureFileServices();  // export and import write and read their file through the platform
  SetCaption(kSetupCaption);
  ShowHelpButton();
  ShowInTaskbar();
  imlSetup = ImageListFromPixels(kSetupPageCount, &SetupPageIcon, Scaled(16));

  Confirm = [this](const std::string& question) {
    return MessageBoxW(handle_, Widen(question).c_str(), Widen(Application().Title()).c_str(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
  };
  EditAction = [](TActionRecord& record, bool hotKeyEnabled, bool excludeClipKinds) {
    TfrmActionEditor editor;
    return editor.EditAction(record, hotKeyEnabled, excludeClipKinds);
  };
  EditClip = host_.editClip;
  EditWorldTime = host_.editWorldTime;
  ClipboardText = [this] { return ReadClipboardText(handle_); };
  MakeExportImportUi = [](TfrmSetup& form) -> std::unique_ptr<TExportImportUi> {
    return std::make_unique<TWin32ExportImportUi>(form.Handle(), Application().Title(), [&form] {
      form.LoadControls();
      form.RefreshPages();
    });
  };

  BuildFrame();
  BuildGeneral(ntbSetup->Page(0));
  BuildMouse(ntbSetup->Page(1));
  BuildHotKeys(ntbSetup->Page(2));
  BuildTray(ntbSetup->Page(3));
  BuildClipboard(ntbSetup->Page(4));
  BuildWorldTime(ntbSetup->Page(5));
  BuildExportImport(ntbSetup->Page(6));
  BuildAbout(ntbSetup->Page(7));
  // Every change of a simple control may enable or disable Apply.
  for (TCheckBox* box : {chbTrayIconAnimated, chbAutoHide, chbAutoRun, chbClipShowInEditor, chbClipNumerateItems,
                         chbMouseIgnoreFullScreen})
    box->OnClick = [this](TCheckBox*) { UpdateApplyButton(); };
  chbTrayIconRandom->OnClick = [this](TCheckBox*) {
    UpdateTrayIconColors();
    UpdateApplyButton();
  };
  dgdTrayIcon->OnClick = [this](TDrawGrid*) { UpdateApplyButton(); };
  rgrHotKeysCorner->OnClick = [this](TRadioGroup*) { UpdateApplyButton(); };
  SetClientSize(439, 316);
  ScaleFromDesign();
  OnDpiChanged = [this](TForm*) {
    imlSetup = ImageListFromPixels(kSetupPageCount, &SetupPageIcon, Scaled(16));
    RefreshPages();
  };

  OnShow = [this](TForm* s) { FormShow(s); };
  OnCloseQuery = [this](TForm* s) { return FormClose(s); };
  OnHelp = [this](TForm* s, UINT command, ULONG_PTR data) { FormHelp(s, command, data); };
}

// ---------------------------------------------------------------------------- building

void TfrmSetup::BuildFrame() {
  pnlSetupGrid = new TPanel(this);
  pnlSetupGrid->BevelOuter = TBevelCut::None;
  pnlSetupGrid->BorderWidth = 8;
  pnlSetupGrid->SetBounds(0, 0, 177, 316);
  // Tab and the first focus reach the page list inside the panel.
  SetWindowLongPtrW(pnlSetupGrid->Handle(), GWL_EXSTYLE,
                    GetWindowLongPtrW(pnlSetupGrid->Handle(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  dgdSetup = new TDrawGrid(pnlSetupGrid);
  dgdSetup->SetBorder(true);
  dgdSetup->DefaultDrawing = false;
  dgdSetup->SetAlign(TAlign::Client);
  dgdSetup->SetColor(GetSysColor(COLOR_BTNFACE));
  SetWindowLongPtrW(dgdSetup->Handle(), GWL_STYLE, GetWindowLongPtrW(dgdSetup->Handle(), GWL_STYLE) | WS_TABSTOP);
  SetHelpId(dgdSetup, 77);
  bvlVer = new TBevel(this);
  bvlVer->SetBounds(177, 8, 2, 300);

  pnlSetup = new TPanel(this);
  pnlSetup->BevelOuter = TBevelCut::None;
  SetWindowLongPtrW(pnlSetup->Handle(), GWL_EXSTYLE,
                    GetWindowLongPtrW(pnlSetup->Handle(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  pnlSetup->SetBounds(179, 0, 260, 316);
  ntbSetup = new TNotebook(pnlSetup);
  ntbSetup->SetBounds(0, 0, 260, 273);
  for (const char* caption : kSetupPages) ntbSetup->AddPage(caption);
  bvlButtons = new TBevel(pnlSetup);
  bvlButtons->SetBounds(8, 274, 244, 2);
  btnApply = WithHelp(MakeButton(pnlSetup, "&Apply", 8, 283, 77, 25), 1003);
  btnOK = new TButton(pnlSetup, "OK", IDOK, true);
  btnOK->SetBounds(92, 283, 77, 25);
  btnOK->ModalResult = mrOK;
  btnCancel = new TButton(pnlSetup, "Cancel", IDCANCEL);
  btnCancel->SetBounds(176, 283, 77, 25);
  btnCancel->ModalResult = mrCancel;
  DefaultButton = btnOK;
  CancelButton = btnCancel;
  SetHelpId(btnOK, 1001);
  SetHelpId(btnCancel, 1002);

  dgdSetup->OnDrawCell = [this](TDrawGrid* g, HDC dc, int c, int r, RECT rect, TGridDrawState s) {
    dgdSetupDrawCell(g, dc, c, r, rect, s);
  };
  dgdSetup->OnClick = [this](TDrawGrid* g) { dgdSetupClick(g); };
  btnApply->OnClick = [this](TControl* s) { btnApplyClick(s); };
}

void TfrmSetup::BuildGeneral(TPanel* page) {
  grbTrayIcon = new TGroupPanel(page, "Tray icon");
  grbTrayIcon->SetBounds(8, 4, 244, 124);
  lblIconColor = new TLabel(grbTrayIcon, "Color");
  lblIconColor->SetBounds(12, 18, 200, 14);
  dgdTrayIcon = new TDrawGrid(grbTrayIcon);
  dgdTrayIcon->ColCount = 8;
  dgdTrayIcon->RowSelect = false;
  dgdTrayIcon->SetRowCount(1);
  dgdTrayIcon->SetBorder(true);
  SetWindowLongPtrW(dgdTrayIcon->Handle(), GWL_STYLE, GetWindowLongPtrW(dgdTrayIcon->Handle(), GWL_STYLE) | WS_TABSTOP);
  dgdTrayIcon->SetBounds(12, 36, 220, 30);
  SetHelpId(dgdTrayIcon, 78);
  chbTrayIconRandom = WithHelp(MakeCheckBox(grbTrayIcon, "&Random color", 12, 74, 220), 79);
  chbTrayIconAnimated = WithHelp(MakeCheckBox(grbTrayIcon, "A&nimated", 12, 96, 220), 80);
  chbAutoHide = WithHelp(MakeCheckBox(page, "Auto-&hide windows shown by mouse", 12, 140, 240), 81);
  chbAutoRun = WithHelp(MakeCheckBox(page, "Run at &Windows startup", 12, 162, 240), 82);
  btnDefaultSettings = WithHelp(MakeButton(page, "Restore &default settings", 8, 242, 150, 25), 83);

  dgdTrayIcon->OnDrawCell = [this](TDrawGrid* g, HDC dc, int c, int r, RECT rect, TGridDrawState s) {
    dgdTrayIconDrawCell(g, dc, c, r, rect, s);
  };
  btnDefaultSettings->OnClick = [this](TControl* s) { btnDefaultSettingsClick(s); };
}

void TfrmSetup::BuildMouse(TPanel* page) {
  grbMouseActions = new TGroupPanel(page, "Actions");
  grbMouseActions->SetBounds(8, 2, 244, 213);
  rgrMouseCorner = new TRadioGroup(grbMouseActions, "Corner", {kCorners[0], kCorners[1], kCorners[2], kCorners[3]}, 2);
  rgrMouseCorner->SetBounds(8, 14, 228, 52);
  rgrMouseCorner->SetItemIndex(0);
  SetHelpId(rgrMouseCorner, 89);
  for (int i = 0; i < rgrMouseCorner->Count(); ++i) SetHelpId(rgrMouseCorner->ButtonHandle(i), 89);
  dgdMouseActions = MakeGrid(grbMouseActions, 2, 1, true);
  dgdMouseActions->SetRowCount(7);
  dgdMouseActions->SetBounds(8, 70, 228, 115);
  SetHelpId(dgdMouseActions, 90);
  btnMouseActionEdit = WithHelp(MakeButton(grbMouseActions, "&Edit...", 8, 189, 54), 2002);
  btnMouseActionDelete = WithHelp(MakeButton(grbMouseActions, "De&lete", 66, 189, 54), 2003);
  btnMouseActionClear = WithHelp(MakeButton(grbMouseActions, "&Clear", 124, 189, 54), 2004);
  btnMouseActionClearAll = WithHelp(MakeButton(grbMouseActions, "Clea&r all", 182, 189, 54), 2005);

  lblMouseCornerSize = new TLabel(page, "Active zone");
  lblMouseCornerSize->SetBounds(12, 219, 70, 13);
  lblMouseCornerSizeValue = new TLabel(page, "", SS_RIGHT);
  lblMouseCornerSizeValue->SetBounds(82, 219, 44, 13);
  trbMouseCornerSize = new TTrackBar(page, 1, 50, 5);
  trbMouseCornerSize->SetBounds(8, 232, 122, 21);
  SetHelpId(trbMouseCornerSize, 91);
  lblMouseCornerDelay = new TLabel(page, "Action delay");
  lblMouseCornerDelay->SetBounds(138, 219, 66, 13);
  lblMouseCornerDelayValue = new TLabel(page, "", SS_RIGHT);
  lblMouseCornerDelayValue->SetBounds(204, 219, 44, 13);
  trbMouseCornerDelay = new TTrackBar(page, 0, 10, 5);
  trbMouseCornerDelay->SetBounds(134, 232, 122, 21);
  SetHelpId(trbMouseCornerDelay, 92);
  chbMouseIgnoreFullScreen = WithHelp(MakeCheckBox(page, "&Not over full-screen programs", 12, 257, 240), 88);
  chbMouseIgnoreFullScreen->SetHeight(13);

  dgdMouseActions->OnDrawCell = [this](TDrawGrid* g, HDC dc, int c, int r, RECT rect, TGridDrawState s) {
    dgdMouseActionsDrawCell(g, dc, c, r, rect, s);
  };
  dgdMouseActions->OnDblClick = [this](TDrawGrid*) { btnMouseActionEditClick(btnMouseActionEdit); };
  rgrMouseCorner->OnClick = [this](TRadioGroup* s) { rgrMouseCornerClick(s); };
  btnMouseActionEdit->OnClick = [this](TControl* s) { btnMouseActionEditClick(s); };
  btnMouseActionDelete->OnClick = [this](TControl* s) { btnMouseActionDeleteClick(s); };
  btnMouseActionClear->OnClick = [this](TControl* s) { btnMouseActionClearClick(s); };
  btnMouseActionClearAll->OnClick = [this](TControl* s) { btnMouseActionClearAllClick(s); };
  trbMouseCornerSize->OnChange = [this](TTrackBar* s) { trbMouseCornerChange(s); };
  trbMouseCornerDelay->OnChange = [this](TTrackBar* s) { trbMouseCornerChange(s); };
}

void TfrmSetup::BuildHotKeys(TPanel* page) {
  dgdHotKeyActions = MakeGrid(page, 2, 1, true);
  dgdHotKeyActions->SetVertScrollBar(true);
  dgdHotKeyActions->SetBounds(8, 8, 244, 164);
  SetHelpId(dgdHotKeyActions, 93);
  btnHotKeysNew = WithHelp(MakeButton(page, "A&dd...", 8, 178, 58), 2001);
  btnHotKeysEdit = WithHelp(MakeButton(page, "&Edit...", 70, 178, 58), 2002);
  btnHotKeysDelete = WithHelp(MakeButton(page, "De&lete", 132, 178, 58), 2003);
  btnHotKeysClear = WithHelp(MakeButton(page, "&Clear", 194, 178, 58), 2004);
  rgrHotKeysCorner =
      new TRadioGroup(page, "Hot keys corner", {kCorners[0], kCorners[1], kCorners[2], kCorners[3]}, 2);
  rgrHotKeysCorner->SetBounds(8, 208, 244, 56);
  SetHelpId(rgrHotKeysCorner, 94);
  for (int i = 0; i < rgrHotKeysCorner->Count(); ++i) SetHelpId(rgrHotKeysCorner->ButtonHandle(i), 94);

  dgdHotKeyActions->OnDrawCell = [this](TDrawGrid* g, HDC dc, int c, int r, RECT rect, TGridDrawState s) {
    dgdHotKeyActionsDrawCell(g, dc, c, r, rect, s);
  };
  dgdHotKeyActions->OnDblClick = [this](TDrawGrid*) { btnHotKeysEditClick(btnHotKeysEdit); };
  AllowRowDragging(dgdHotKeyActions);
  btnHotKeysNew->OnClick = [this](TControl* s) { btnHotKeysNewClick(s); };
  btnHotKeysEdit->OnClick = [this](TControl* s) { btnHotKeysEditClick(s); };
  btnHotKeysDelete->OnClick = [this](TControl* s) { btnHotKeysDeleteClick(s); };
  btnHotKeysClear->OnClick = [this](TControl* s) { btnHotKeysClearClick(s); };
}

void TfrmSetup::BuildTray(TPanel* page) {
  dgdTrayIconActions = MakeGrid(page, 2, 1, true);
  dgdTrayIconActions->SetRowCount(9);
  dgdTrayIconActions->SetBounds(8, 8, 244, 150);
  SetHelpId(dgdTrayIconActions, 2048);
  btnTrayIconLauncherEdit = WithHelp(MakeButton(page, "&Edit...", 8, 166, 78), 2002);
  btnTrayIconLauncherDelete = WithHelp(MakeButton(page, "De&lete", 91, 166, 78), 2003);
  btnTrayIconLauncherClear = WithHelp(MakeButton(page, "&Clear", 174, 166, 78), 2004);

  dgdTrayIconActions->OnDrawCell = [this](TDrawGrid* g, HDC dc, int c, int r, RECT rect, TGridDrawState s) {
    dgdTrayIconActionsDrawCell(g, dc, c, r, rect, s);
  };
  dgdTrayIconActions->OnDblClick = [this](TDrawGrid*) { btnTrayIconLauncherEditClick(btnTrayIconLauncherEdit); };
  btnTrayIconLauncherEdit->OnClick = [this](TControl* s) { btnTrayIconLauncherEditClick(s); };
  btnTrayIconLauncherDelete->OnClick = [this](TControl* s) { btnTrayIconLauncherDeleteClick(s); };
  btnTrayIconLauncherClear->OnClick = [this](TControl* s) { btnTrayIconLauncherClearClick(s); };
}

void TfrmSetup::BuildClipboard(TPanel* page) {
  lblClipCollection = new TLabel(page, "Collection");
  lblClipCollection->SetBounds(8, 4, 160, 14);
  dgdClipCollection = MakeGrid(page, 1, 0, false);
  dgdClipCollection->SetVertScrollBar(true);
  dgdClipCollection->SetBounds(8, 22, 162, 124);
  SetHelpId(dgdClipCollection, 95);
  btnClipCollectionAdd = WithHelp(MakeButton(page, "A&dd...", 176, 22, 76), 96);
  btnClipCollectionEdit = WithHelp(MakeButton(page, "&Edit...", 176, 49, 76), 97);
  btnClipCollectionDelete = WithHelp(MakeButton(page, "De&lete", 176, 76, 76), 98);
  btnClipCollectionClear = WithHelp(MakeButton(page, "&Clear", 176, 103, 76), 99);
  chbClipShowInEditor = WithHelp(MakeCheckBox(page, "&Show in editor area", 12, 154, 240), 100);
  chbClipNumerateItems = WithHelp(MakeCheckBox(page, "&Numerate items", 12, 175, 240), 102);
  chbClipDisableHistory = WithHelp(MakeCheckBox(page, "D&isable clip history", 12, 196, 240), 2047);
  lblClipHistoryDepthTitle = new TLabel(page, "History depth");
  lblClipHistoryDepthTitle->SetBounds(12, 220, 120, 14);
  lblClipHistoryDepthValue = new TLabel(page, "", SS_RIGHT);
  lblClipHistoryDepthValue->SetBounds(200, 220, 48, 14);
  trbClipHistoryDepth = new TTrackBar(page, 5, 50, 5);
  trbClipHistoryDepth->SetBounds(8, 238, 244, 30);
  SetHelpId(trbClipHistoryDepth, 103);

  dgdClipCollection->OnDrawCell = [this](TDrawGrid* g, HDC dc, int c, int r, RECT rect, TGridDrawState s) {
    dgdClipCollectionDrawCell(g, dc, c, r, rect, s);
  };
  dgdClipCollection->OnDblClick = [this](TDrawGrid*) { btnClipCollectionEditClick(btnClipCollectionEdit); };
  AllowRowDragging(dgdClipCollection);
  btnClipCollectionAdd->OnClick = [this](TControl* s) { btnClipCollectionAddClick(s); };
  btnClipCollectionEdit->OnClick = [this](TControl* s) { btnClipCollectionEditClick(s); };
  btnClipCollectionDelete->OnClick = [this](TControl* s) { btnClipCollectionDeleteClick(s); };
  btnClipCollectionClear->OnClick = [this](TControl* s) { btnClipCollectionClearClick(s); };
  chbClipDisableHistory->OnClick = [this](TCheckBox* s) { chbClipDisableHistoryClick(s); };
  trbClipHistoryDepth->OnChange = [this](TTrackBar* s) { trbClipChange(s); };
}

void TfrmSetup::BuildWorldTime(TPanel* page) {
  dgdWorldTime = MakeGrid(page, 2, 1, true);
  dgdWorldTime->SetVertScrollBar(true);
  dgdWorldTime->SetColWidth(0, 187);
  dgdWorldTime->SetColWidth(1, kTimeColumn);
  dgdWorldTime->SetBounds(8, 8, 244, 196);
  SetHelpId(dgdWorldTime, 104);
  btnWorldTimeNew = WithHelp(MakeButton(page, "&New...", 8, 218, 78), 105);
  btnWorldTimeEdit = WithHelp(MakeButton(page, "&Edit...", 91, 218, 78), 106);
  btnWorldTimeDelete = WithHelp(MakeButton(page, "De&lete", 174, 218, 78), 107);
  btnWorldTimeClear = WithHelp(MakeButton(page, "&Clear", 8, 245, 78), 108);
  btnWorldTimeByZone = WithHelp(MakeButton(page, "Sort by na&me", 91, 245, 78), 109);
  btnWorldTimeByTime = WithHelp(MakeButton(page, "Sort by &time", 174, 245, 78), 110);

  dgdWorldTime->OnDrawCell = [this](TDrawGrid* g, HDC dc, int c, int r, RECT rect, TGridDrawState s) {
    dgdWorldTimeDrawCell(g, dc, c, r, rect, s);
  };
  // Like the other lists, a double click edits the entry.
  dgdWorldTime->OnDblClick = [this](TDrawGrid*) { btnWorldTimeEditClick(btnWorldTimeEdit); };
  AllowRowDragging(dgdWorldTime);
  btnWorldTimeNew->OnClick = [this](TControl* s) { btnWorldTimeNewClick(s); };
  btnWorldTimeEdit->OnClick = [this](TControl* s) { btnWorldTimeEditClick(s); };
  btnWorldTimeDelete->OnClick = [this](TControl* s) { btnWorldTimeDeleteClick(s); };
  btnWorldTimeClear->OnClick = [this](TControl* s) { btnWorldTimeClearClick(s); };
  btnWorldTimeByZone->OnClick = [this](TControl* s) { btnWorldTimeByZoneClick(s); };
  btnWorldTimeByTime->OnClick = [this](TControl* s) { btnWorldTimeByTimeClick(s); };
}

void TfrmSetup::BuildExportImport(TPanel* page) {
  grbExportImport = new TGroupPanel(page, "Options");
  grbExportImport->SetBounds(8, 4, 244, 180);
  SetHelpId(grbExportImport, 2049);
  for (int i = 0; i < kExportBoxCount; ++i) {
    const TExportBoxInfo& info = vimo::ExportBoxes[static_cast<std::size_t>(i)];
    std::string caption = info.Caption;
    caption.insert(static_cast<std::size_t>(kExportBoxKeys[i]), "&");
    TCheckBox* box = MakeCheckBox(grbExportImport, caption.c_str(), 14, 20 + i * 22, 220);
    box->Hint = info.Hint;
    box->SetChecked(true);
    SetHelpId(box, 2049);
    ExportBoxes.push_back(box);
  }
  btnSelectAll = WithHelp(MakeButton(page, "&Select all", 8, 192, 120, 25), 2050);
  btnSelectAll->Tag = 1;
  btnUnselectAll = WithHelp(MakeButton(page, "&Unselect all", 132, 192, 120, 25), 2051);
  btnUnselectAll->Tag = 0;
  btnExport = WithHelp(MakeButton(page, "E&xport", 8, 224, 120, 25), 2052);
  btnImport = WithHelp(MakeButton(page, "&Import", 132, 224, 120, 25), 2053);

  btnSelectAll->OnClick = [this](TControl* s) { btnSelectUnselectClick(s); };
  btnUnselectAll->OnClick = [this](TControl* s) { btnSelectUnselectClick(s); };
  btnExport->OnClick = [this](TControl* s) { btnExportClick(s); };
  btnImport->OnClick = [this](TControl* s) { btnImportClick(s); };
}

void TfrmSetup::BuildAbout(TPanel* page) {
  pnlAbout = new TPanel(page);
  pnlAbout->BevelOuter = TBevelCut::None;
  pnlAbout->BorderWidth = 8;
  pnlAbout->SetAlign(TAlign::Client);
  // Tab walks into the panel, to the link.
  SetWindowLongPtrW(pnlAbout->Handle(), GWL_EXSTYLE,
                    GetWindowLongPtrW(pnlAbout->Handle(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  pnlIconName = new TPanel(pnlAbout);
  pnlIconName->BevelOuter = TBevelCut::None;
  pnlIconName->SetHeight(32);
  pnlIconName->SetAlign(TAlign::Top);
  imgIcon = new TPaintBox(pnlIconName);
  imgIcon->SetWidth(33);
  imgIcon->SetAlign(TAlign::Left);
  pnlName = new TPaintBox(pnlIconName);
  pnlName->SetAlign(TAlign::Client);
  lblInformation = new TLabel(pnlAbout, " \n\nYour Everyday Utilities\n \nversion 2.1\n ", SS_CENTER);
  lblInformation->SetHeight(76);
  lblInformation->SetAlign(TAlign::Top);
  // The link keeps 4 pixels from the texts above and below it.
  pnlWeb = new TPanel(pnlAbout);
  pnlWeb->BevelOuter = TBevelCut::None;
  pnlWeb->BorderWidth = 4;
  SetWindowLongPtrW(pnlWeb->Handle(), GWL_EXSTYLE, GetWindowLongPtrW(pnlWeb->Handle(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  pnlWeb->SetHeight(24);
  pnlWeb->SetAlign(TAlign::Top);
  lblWeb = new TLinkLabel(pnlWeb, kProductWebPage);
  lblWeb->Hint = kProductWebPage;
  lblWeb->SetAlign(TAlign::Client);
  AddHint(lblWeb);
  // The executable carries the map picture, so it carries its data's notice too.
  lblMapLicence = new TLabel(pnlAbout, kMapLicence, SS_CENTER);
  lblMapLicence->SetHeight(124);
  lblMapLicence->SetAlign(TAlign::Top);

  imgIcon->OnPaint = [this](TPaintBox* box, HDC dc) {
    // The application's face at twice the small icon's size.
    int color = TrayIconColor >= 0 && TrayIconColor < kTrayColorCount ? TrayIconColor : 0;
    const int size = Scaled(2 * kTrayImageSize);
    std::vector<std::uint32_t> px = ResizePixels(TrayImagePixels(TrayImageIndex(color, trNormal)), size);
    int top = (box->ClientHeight() - size) / 2;
    COLORREF back = Color();
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        std::uint32_t p = px[static_cast<std::size_t>(y * size + x)];
        unsigned a = p >> 24;
        if (a == 0) continue;
        auto mix = [a](unsigned c, unsigned b) { return static_cast<BYTE>((c * a + b * (255 - a)) / 255); };
        SetPixel(dc, x, top + y,
                 RGB(mix((p >> 16) & 0xFF, GetRValue(back)), mix((p >> 8) & 0xFF, GetGValue(back)),
                     mix(p & 0xFF, GetBValue(back))));
      }
  };
  pnlName->OnPaint = [this](TPaintBox* box, HDC dc) {
    TGdiObject font(CreateFontW(-Scaled(27), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
    HGDIOBJ old = SelectObject(dc, font.Get());
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextIn(dc, Application().Title(), RECT{4, 0, box->ClientWidth(), box->ClientHeight()},
               DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, old);
  };
  lblWeb->OnClick = [this](TLinkLabel* s) { eveWebClick(s); };
}

// ---------------------------------------------------------------------------- opening and closing

namespace {
TfrmSetup* openSetup = nullptr;
}  // namespace

bool TfrmSetup::Execute(bool about) {
  ntbSetup->SetActivePage(about ? "About" : "General");
  dgdSetup->SetRowCount(ntbSetup->PageCount());
  dgdSetup->SetRow(about ? dgdSetup->RowCount() - 1 : 0);
  struct Opened {
    TfrmSetup* previous;
    explicit Opened(TfrmSetup* form) : previous(openSetup) { openSetup = form; }
    ~Opened() { openSetup = previous; }
  } opened(this);
  return ShowModal() == mrOK;
}

TfrmSetup* TfrmSetup::Open() { return openSetup; }

void TfrmSetup::Reopen(bool about) {
  if (about) dgdSetup->SetRow(dgdSetup->RowCount() - 1);
  if (IsIconic(handle_)) ShowWindow(handle_, SW_RESTORE);
  SetForegroundWindow(handle_);
}

void TfrmSetup::FormShow(TForm*) {
  Work.WorkHotKeys.Clear();
  Work.WorkClips.Clear();
  Work.WorkWorldTimes.clear();
  LoadControls();
  RefreshPages();
}

bool TfrmSetup::FormClose(TForm*) {
  if (ModalResult == mrNone) return true;  // the close button: the result follows
  if (ModalResult == mrOK) {
    StoreControls();
    try {
      SaveSettings();
    } catch (...) {
      // The settings in memory are already stored; the user may press OK again or cancel.
      Application().HandleCurrentException();
      return false;
    }
  }
  Work.WorkHotKeys.Clear();
  Work.WorkClips.Clear();
  Work.WorkWorldTimes.clear();
  // Apply, "Restore default settings" and Import changed the settings already, so
  // these steps also follow Cancel.
  TrimHistory(*ClipHistory, HistoryDepth);
  if (host_.enableClipboardTimer) host_.enableClipboardTimer(!DisableHistory);
  if (DisableHistory && host_.leaveViewerChain) host_.leaveViewerChain();
  return true;
}

void TfrmSetup::FormHelp(TForm*, UINT command, ULONG_PTR data) {
  // A control's own text in a pop-up beside it; F1 where there is none opens the page's topic.
  ContextHelp(command, data, SetupPageHelpTopic(ntbSetup->PageIndex()));
}

// ---------------------------------------------------------------------------- working copies

void TfrmSetup::LoadControls() {
  vimo::LoadControls(Work);
  // A copy: setting a control runs its change handler, which reads the controls back.
  const TSetupControls c = Work.controls;
  dgdTrayIcon->SetCol(std::clamp(c.trayIconColumn, 0, kTrayColorCount - 1));
  chbTrayIconRandom->SetChecked(c.trayIconRandom);
  chbTrayIconAnimated->SetChecked(c.trayIconAnimated);
  chbAutoHide->SetChecked(c.autoHide);
  chbAutoRun->SetChecked(c.autoRun);
  trbMouseCornerSize->SetPosition(c.cornerSizePosition);
  trbMouseCornerDelay->SetPosition(c.cornerDelayPosition);
  chbMouseIgnoreFullScreen->SetChecked(c.ignoreFullScreen);
  rgrHotKeysCorner->SetItemIndex(c.hotKeysCornerItem);
  chbClipShowInEditor->SetChecked(c.clipShowInEditor);
  chbClipNumerateItems->SetChecked(c.clipNumerateItems);
  chbClipDisableHistory->SetChecked(c.clipDisableHistory);
  trbClipHistoryDepth->SetPosition(c.historyDepthPosition);
  SetHotKeyRowCount();
  SetWorldTimeRowCount();
  SetClipRowCount();
  dgdMouseActions->Invalidate();
  UpdateApplyButton();
  dgdTrayIconActions->Invalidate();
  UpdateApplyButton();
}

void TfrmSetup::StoreControls() {
  ReadControls();
  vimo::StoreControls(Work);
}

void TfrmSetup::UpdateApplyButton() {
  ReadControls();
  btnApply->SetEnabled(DiffersFromSettings(Work));
}

void TfrmSetup::ReadControls() {
  TSetupControls& c = Work.controls;
  c.trayIconColumn = dgdTrayIcon->Col();
  c.trayIconRandom = chbTrayIconRandom->Checked();
  c.trayIconAnimated = chbTrayIconAnimated->Checked();
  c.autoHide = chbAutoHide->Checked();
  c.autoRun = chbAutoRun->Checked();
  c.cornerSizePosition = trbMouseCornerSize->Position();
  c.cornerDelayPosition = trbMouseCornerDelay->Position();
  c.ignoreFullScreen = chbMouseIgnoreFullScreen->Checked();
  // A stored corner outside 1..4 shows no selection; it goes back unchanged.
  c.hotKeysCornerItem = rgrHotKeysCorner->ItemIndex() >= 0 ? rgrHotKeysCorner->ItemIndex() : KeyCorner - 1;
  c.clipShowInEditor = chbClipShowInEditor->Checked();
  c.clipNumerateItems = chbClipNumerateItems->Checked();
  c.clipDisableHistory = chbClipDisableHistory->Checked();
  c.historyDepthPosition = trbClipHistoryDepth->Position();
}

int TfrmSetup::ScaledRowHeight(int designHeight) const { return Scaled(designHeight); }

void TfrmSetup::RefreshPages() {
  UpdateWorldTimeButtons();
  UpdateMouseLabels();
  UpdateHotKeyButtons();
  UpdateClipButtons();
  UpdateDepthLabel();

  dgdTrayIcon->DefaultRowHeight = dgdTrayIcon->ClientHeight();
  dgdTrayIcon->DefaultColWidth = dgdTrayIcon->ClientWidth() / 8;
  dgdTrayIcon->SetWidth(dgdTrayIcon->Width() - dgdTrayIcon->ClientWidth() + dgdTrayIcon->DefaultColWidth * 8);

  dgdSetup->SetRowCount(ntbSetup->PageCount());
  dgdSetup->DefaultRowHeight = dgdSetup->ClientHeight() / dgdSetup->RowCount();
  dgdSetup->DefaultColWidth = dgdSetup->ClientWidth();

  int row15 = ScaledRowHeight(15);
  dgdMouseActions->DefaultRowHeight = row15;
  dgdMouseActions->SetClientHeight(row15 * 7 + 6);
  dgdMouseActions->SetColWidth(0, Scaled(kModifierColumn));
  dgdMouseActions->SetColWidth(1, dgdMouseActions->ClientWidth() - Scaled(kModifierColumn) - 2);

  dgdHotKeyActions->DefaultRowHeight = row15;
  dgdHotKeyActions->SetClientHeight(dgdHotKeyActions->ClientHeight() / row15 * row15 + 10);
  dgdHotKeyActions->SetColWidth(0, dgdHotKeyActions->ClientWidth() - Scaled(kHotKeyColumn) - 2);
  dgdHotKeyActions->SetColWidth(1, Scaled(kHotKeyColumn));
  SetHotKeyRowCount();

  dgdTrayIconActions->DefaultRowHeight = row15;
  dgdTrayIconActions->SetClientHeight(9 * (row15 + 1) - 1);
  dgdTrayIconActions->SetColWidth(0, Scaled(kModifierColumn));
  dgdTrayIconActions->SetColWidth(1, dgdTrayIconActions->ClientWidth() - Scaled(kModifierColumn) - 2);

  int row16 = ScaledRowHeight(16);
  dgdWorldTime->DefaultRowHeight = row16;
  dgdWorldTime->SetClientHeight(dgdWorldTime->ClientHeight() / row16 * row16 + 10);
  dgdWorldTime->SetColWidth(0, dgdWorldTime->ClientWidth() - Scaled(kTimeColumn) - 2);
  dgdWorldTime->SetColWidth(1, Scaled(kTimeColumn));
  SetWorldTimeRowCount();

  dgdClipCollection->DefaultRowHeight = row15;
  dgdClipCollection->SetClientHeight(dgdClipCollection->ClientHeight() / row15 * row15);
  dgdClipCollection->DefaultColWidth = dgdClipCollection->ClientWidth();
  SetClipRowCount();

  UpdateTrayIconColors();
  chbClipDisableHistoryClick(chbClipDisableHistory);
  imgIcon->Invalidate();
  pnlName->Invalidate();
}

void TfrmSetup::SetHotKeyRowCount() {
  dgdHotKeyActions->SetRowCount(Work.WorkHotKeys.Count() > 0 ? Work.WorkHotKeys.Count() + 1 : 2);
  dgdHotKeyActions->Invalidate();
  UpdateApplyButton();
}

void TfrmSetup::SetWorldTimeRowCount() {
  int n = static_cast<int>(Work.WorkWorldTimes.size());
  dgdWorldTime->SetRowCount(n > 0 ? n + 1 : 2);
  dgdWorldTime->Invalidate();
  UpdateApplyButton();
}

void TfrmSetup::SetClipRowCount() {
  dgdClipCollection->SetRowCount(std::max(Work.WorkClips.Count(), 1));
  dgdClipCollection->Invalidate();
  UpdateApplyButton();
}

// ---------------------------------------------------------------------------- frame

void TfrmSetup::dgdSetupDrawCell(TDrawGrid* grid, HDC dc, int, int row, RECT rect, TGridDrawState state) {
  bool selected = row == grid->Row();
  FillSolid(dc, rect, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
  if (!selected) {
    COLORREF dot = GetSysColor(COLOR_BTNSHADOW);
    for (int x = rect.left; x < rect.right - 1; ++x) {
      if (x % 2 == 0) continue;
      SetPixel(dc, x, rect.bottom - 1, dot);
      if (row == 0) SetPixel(dc, x, rect.top, dot);
    }
  }
  int height = rect.bottom - rect.top;
  int icon = 0, iconHeight = 0;
  onfirstuse::ImageList_GetIconSize(imlSetup.get(), &icon, &iconHeight);
  onfirstuse::ImageList_Draw(imlSetup.get(), row, dc, (height - icon) / 2, (rect.top + rect.bottom - icon) / 2, ILD_TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, BoldFont());
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
  RECT text{rect.left + (height - icon) / 2 + icon + Scaled(8), rect.top, rect.right, rect.bottom};
  if (row >= 0 && row < ntbSetup->PageCount())
    DrawTextIn(dc, ntbSetup->PageCaption(row), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, old);
  (void)state;
}

void TfrmSetup::dgdSetupClick(TDrawGrid* grid) {
  ntbSetup->SetPageIndex(grid->Row());
  grid->Invalidate();
}

void TfrmSetup::btnApplyClick(TControl*) {
  StoreControls();
  // Stored even when the save fails: the settings in memory are what Apply compares with.
  btnApply->SetEnabled(false);
  SaveSettings();
}

// ---------------------------------------------------------------------------- General

void TfrmSetup::dgdTrayIconDrawCell(TDrawGrid* grid, HDC dc, int col, int, RECT rect, TGridDrawState) {
  if (!host_.trayIcons) return;
  // Greyed, the faces are drawn half blended into the background.
  int w = 0, h = 0;
  onfirstuse::ImageList_GetIconSize(host_.trayIcons, &w, &h);
  onfirstuse::ImageList_DrawEx(host_.trayIcons, TrayImageIndex(col, trNormal), dc, (rect.left + rect.right - w) / 2,
                   (rect.top + rect.bottom - h) / 2, 0, 0, CLR_NONE, GetSysColor(COLOR_BTNFACE),
                   ILD_TRANSPARENT | (grid->Enabled() ? 0 : ILD_BLEND50));
}

void TfrmSetup::UpdateTrayIconColors() {
  // A random colour leaves no colour to pick.
  bool pick = !chbTrayIconRandom->Checked();
  dgdTrayIcon->SetEnabled(pick);
  lblIconColor->SetEnabled(pick);
}

void TfrmSetup::btnDefaultSettingsClick(TControl*) {
  if (!Confirm("All program settings will be reverted to default.\rContinue?")) return;
  LoadSettings(true);
  LoadControls();
  RefreshPages();
}

// ---------------------------------------------------------------------------- Mouse Launcher

int TfrmSetup::SelectedCorner() const { return std::clamp(rgrMouseCorner->ItemIndex(), 0, 3); }

void TfrmSetup::dgdMouseActionsDrawCell(TDrawGrid*, HDC dc, int col, int row, RECT rect, TGridDrawState) {
  if (row == 0) {
    CellText(dc, col == 0 ? "Modifier" : "Action", rect);
  } else if (row <= 6) {
    CellText(dc, col == 0 ? kMouseModifiers[row - 1] : ActionCaption(Work.WorkMouseActions[SelectedCorner()][row - 1]),
             rect);
  }
}

void TfrmSetup::rgrMouseCornerClick(TRadioGroup*) { dgdMouseActions->Invalidate(); }

void TfrmSetup::btnMouseActionEditClick(TControl*) {
  int row = dgdMouseActions->Row();
  if (row < 1 || row > 6) return;
  TActionRecord& slot = Work.WorkMouseActions[SelectedCorner()][row - 1];
  TActionRecord edited = slot;
  if (EditAction(edited, false, false)) {
    slot = edited;
    dgdMouseActions->Invalidate();
    UpdateApplyButton();
  }
}

void TfrmSetup::btnMouseActionDeleteClick(TControl*) {
  int row = dgdMouseActions->Row();
  if (row < 1 || row > 6 || !Confirm("Selected action will be deleted.\rContinue?")) return;
  Work.WorkMouseActions[SelectedCorner()][row - 1] = TActionRecord{};
  dgdMouseActions->Invalidate();
  UpdateApplyButton();
}

void TfrmSetup::btnMouseActionClearClick(TControl*) {
  if (!Confirm("All actions of the selected corner will be deleted.\rContinue?")) return;
  Work.WorkMouseActions[SelectedCorner()].fill(TActionRecord{});
  dgdMouseActions->Invalidate();
  UpdateApplyButton();
}

void TfrmSetup::btnMouseActionClearAllClick(TControl*) {
  if (!Confirm("All actions for all corners will be deleted.\rContinue?")) return;
  for (auto& corner : Work.WorkMouseActions) corner.fill(TActionRecord{});
  dgdMouseActions->Invalidate();
  UpdateApplyButton();
}

void TfrmSetup::trbMouseCornerChange(TTrackBar*) {
  UpdateMouseLabels();
  UpdateApplyButton();
}

void TfrmSetup::UpdateMouseLabels() {
  lblMouseCornerSizeValue->SetCaption(CornerSizeText(trbMouseCornerSize->Position()));
  lblMouseCornerDelayValue->SetCaption(CornerDelayText(trbMouseCornerDelay->Position(), DecimalSeparator()));
}

// ---------------------------------------------------------------------------- Hot Key Launcher

void TfrmSetup::UpdateHotKeyButtons() {
  bool any = Work.WorkHotKeys.Count() > 0;
  btnHotKeysEdit->SetEnabled(any);
  btnHotKeysDelete->SetEnabled(any);
  btnHotKeysClear->SetEnabled(any);
  UpdateApplyButton();
}

void TfrmSetup::dgdHotKeyActionsDrawCell(TDrawGrid*, HDC dc, int col, int row, RECT rect, TGridDrawState) {
  if (row == 0) {
    CellText(dc, col == 0 ? "Action" : "Hot Key", rect);
    return;
  }
  const TActionRecord* entry = Work.WorkHotKeys.ActionAt(row - 1);
  if (!entry) {
    if (col == 0 && Work.WorkHotKeys.Count() == 0) CellText(dc, kEmptyRow, rect);
    return;
  }
  if (col == 0) {
    CellText(dc, ActionCaption(*entry), rect);
    return;
  }
  const THotKeyRowState state = HotKeyRowState(Work.WorkHotKeys, row - 1, HotKeysTakenElsewhere);
  const COLORREF color = GetTextColor(dc);
  if (state != THotKeyRowState::Ok) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  CellText(dc, HotKeyText(entry->HotKey, &KeyName) + HotKeyRowMark(state), rect);
  SetTextColor(dc, color);
}

bool TfrmSetup::KeepHotKey(const TActionRecord& record, int index) {
  const int owner = DuplicateHotKeyOwner(Work.WorkHotKeys, record.HotKey, index);
  if (owner < 0) return true;
  return Confirm(HotKeyText(record.HotKey, &KeyName) + " is already in the list (" +
                 ActionCaption(*Work.WorkHotKeys.ActionAt(owner)) + ").\rOnly the first of them will work.\rKeep it?");
}

void TfrmSetup::btnHotKeysNewClick(TControl*) {
  TActionRecord record;
  if (EditAction(record, true, false) && KeepHotKey(record, -1)) {
    Work.WorkHotKeys.Add(record);
    SetHotKeyRowCount();
    dgdHotKeyActions->SetRow(dgdHotKeyActions->RowCount() - 1);
  }
  UpdateHotKeyButtons();
}

void TfrmSetup::btnHotKeysEditClick(TControl*) {
  TActionRecord* entry = Work.WorkHotKeys.ActionAt(dgdHotKeyActions->Row() - 1);
  if (!entry) return;
  TActionRecord copy = *entry;
  if (EditAction(copy, true, false) && KeepHotKey(copy, dgdHotKeyActions->Row() - 1)) {
    // The editor may have run other code: look the entry up again.
    if (TActionRecord* again = Work.WorkHotKeys.ActionAt(dgdHotKeyActions->Row() - 1)) *again = copy;
    dgdHotKeyActions->Invalidate();
    UpdateApplyButton();
    UpdateHotKeyButtons();
  }
}

void TfrmSetup::btnHotKeysDeleteClick(TControl*) {
  int index = dgdHotKeyActions->Row() - 1;
  if (!Work.WorkHotKeys.ActionAt(index) || !Confirm("Selected action will be deleted.\rContinue?")) return;
  Work.WorkHotKeys.Delete(index);
  SetHotKeyRowCount();
  UpdateHotKeyButtons();
}

void TfrmSetup::btnHotKeysClearClick(TControl*) {
  if (!Confirm("All actions will be deleted.\rContinue?")) return;
  Work.WorkHotKeys.Clear();
  SetHotKeyRowCount();
  UpdateHotKeyButtons();
}

// Which list a reorderable grid shows, and how many entries it holds now.
std::pair<TDragGrid, int> TfrmSetup::DragList(TControl* grid) const {
  if (grid == dgdHotKeyActions) return {TDragGrid::HotKeys, Work.WorkHotKeys.Count()};
  if (grid == dgdWorldTime) return {TDragGrid::WorldTimes, static_cast<int>(Work.WorkWorldTimes.size())};
  return {TDragGrid::Clips, Work.WorkClips.Count()};
}

void TfrmSetup::dgdMouseDown(TControl* sender, TMouseButton button, UINT, int, int y) {
  if (button != mbLeft) return;
  auto [list, count] = DragList(sender);
  DragStart(Work, list, static_cast<TDrawGrid*>(sender)->RowAt(y), count);
}

void TfrmSetup::dgdMouseMove(TControl* sender, UINT shift, int, int y) {
  if (!(shift & MK_LBUTTON) || !Work.Dragging) return;
  auto* grid = static_cast<TDrawGrid*>(sender);
  auto [list, count] = DragList(sender);
  std::function<void(int, int)> swap;
  if (list == TDragGrid::HotKeys)
    swap = [this](int a, int b) { Work.WorkHotKeys.Exchange(a, b); };
  else if (list == TDragGrid::WorldTimes)
    swap = [this](int a, int b) {
      std::swap(Work.WorkWorldTimes[static_cast<std::size_t>(a)], Work.WorkWorldTimes[static_cast<std::size_t>(b)]);
    };
  else
    swap = [this](int a, int b) { Work.WorkClips.Exchange(a, b); };
  if (DragMove(Work, list, grid->RowAt(y), count, swap)) {
    grid->Invalidate();
    UpdateApplyButton();
  }
  // The selection stays on the dragged entry, also where the pointer is over the header.
  grid->SetRow(Work.DragRow);
}

void TfrmSetup::dgdHotKeyActionsMouseUp(TControl*, TMouseButton, UINT, int, int) { Work.Dragging = false; }

void TfrmSetup::AllowRowDragging(TDrawGrid* grid) {
  grid->OnMouseDown = [this](TControl* s, TMouseButton b, UINT sh, int x, int y) { dgdMouseDown(s, b, sh, x, y); };
  grid->OnMouseMove = [this](TControl* s, UINT sh, int x, int y) { dgdMouseMove(s, sh, x, y); };
  grid->OnMouseUp = [this](TControl* s, TMouseButton b, UINT sh, int x, int y) { dgdHotKeyActionsMouseUp(s, b, sh, x, y); };
}

// ---------------------------------------------------------------------------- Tray Icon Launcher

void TfrmSetup::dgdTrayIconActionsDrawCell(TDrawGrid*, HDC dc, int col, int row, RECT rect, TGridDrawState) {
  if (row == 0) {
    CellText(dc, col == 0 ? "Modifier" : "Action", rect);
  } else if (row <= 8) {
    CellText(dc, col == 0 ? kTrayModifiers[row - 1] : ActionCaption(Work.WorkTrayActions[row - 1]), rect);
  }
}

void TfrmSetup::btnTrayIconLauncherEditClick(TControl*) {
  int row = dgdTrayIconActions->Row();
  if (row < 1 || row > 8) return;
  TActionRecord edited = Work.WorkTrayActions[row - 1];
  if (EditAction(edited, false, true)) {
    Work.WorkTrayActions[row - 1] = edited;
    dgdTrayIconActions->Invalidate();
    UpdateApplyButton();
  }
}

void TfrmSetup::btnTrayIconLauncherDeleteClick(TControl*) {
  int row = dgdTrayIconActions->Row();
  if (row < 1 || row > 8 || !Confirm("Selected action will be deleted.\rContinue?")) return;
  Work.WorkTrayActions[row - 1] = TActionRecord{};
  dgdTrayIconActions->Invalidate();
  UpdateApplyButton();
}

void TfrmSetup::btnTrayIconLauncherClearClick(TControl*) {
  if (!Confirm("All tray icon actions will be deleted.\rContinue?")) return;
  Work.WorkTrayActions.fill(TActionRecord{});
  dgdTrayIconActions->Invalidate();
  UpdateApplyButton();
}

// ---------------------------------------------------------------------------- Clipboard

void TfrmSetup::UpdateClipButtons() {
  bool any = Work.WorkClips.Count() > 0;
  btnClipCollectionEdit->SetEnabled(any);
  btnClipCollectionDelete->SetEnabled(any);
  btnClipCollectionClear->SetEnabled(any);
  UpdateApplyButton();
}

void TfrmSetup::UpdateDepthLabel() { lblClipHistoryDepthValue->SetCaption(std::to_string(trbClipHistoryDepth->Position())); }

void TfrmSetup::dgdClipCollectionDrawCell(TDrawGrid*, HDC dc, int, int row, RECT rect, TGridDrawState) {
  if (Work.WorkClips.Count() == 0) {
    CellText(dc, kEmptyRow, rect);
    return;
  }
  if (row >= Work.WorkClips.Count()) return;
  bool bold = Work.WorkClips.HasComment(row);
  HGDIOBJ old = bold ? SelectObject(dc, BoldFont()) : nullptr;
  CellText(dc, ClipCaption(Work.WorkClips.ClipTitle(row)), rect);
  if (old) SelectObject(dc, old);
}

void TfrmSetup::btnClipCollectionAddClick(TControl*) {
  TClipRecord clip;
  clip.Text = ClipboardText();
  if (EditClip(clip)) {
    Work.WorkClips.Add(clip);
    SetClipRowCount();
    dgdClipCollection->SetRow(dgdClipCollection->RowCount() - 1);
  }
  UpdateClipButtons();
}

void TfrmSetup::btnClipCollectionEditClick(TControl*) {
  TClipRecord* entry = Work.WorkClips.ClipAt(dgdClipCollection->Row());
  if (!entry) return;
  TClipRecord copy = *entry;
  if (EditClip(copy)) {
    if (TClipRecord* again = Work.WorkClips.ClipAt(dgdClipCollection->Row())) *again = copy;
    dgdClipCollection->Invalidate();
    UpdateApplyButton();
    UpdateClipButtons();
  }
}

void TfrmSetup::btnClipCollectionDeleteClick(TControl*) {
  int index = dgdClipCollection->Row();
  if (!Work.WorkClips.ClipAt(index) || !Confirm("Selected clip will be deleted.\rContinue?")) return;
  Work.WorkClips.Delete(index);
  SetClipRowCount();
  UpdateClipButtons();
}

void TfrmSetup::btnClipCollectionClearClick(TControl*) {
  if (!Confirm("All clips will be deleted.\rContinue?")) return;
  Work.WorkClips.Clear();
  SetClipRowCount();
  UpdateClipButtons();
}

void TfrmSetup::chbClipDisableHistoryClick(TCheckBox*) {
  bool on = !chbClipDisableHistory->Checked();
  trbClipHistoryDepth->SetEnabled(on);
  lblClipHistoryDepthTitle->SetEnabled(on);
  lblClipHistoryDepthValue->SetEnabled(on);
  UpdateApplyButton();
}

void TfrmSetup::trbClipChange(TTrackBar*) {
  UpdateDepthLabel();
  UpdateApplyButton();
}

// ---------------------------------------------------------------------------- World Time

void TfrmSetup::UpdateWorldTimeButtons() {
  bool any = !Work.WorkWorldTimes.empty();
  for (TButton* b : {btnWorldTimeEdit, btnWorldTimeDelete, btnWorldTimeClear, btnWorldTimeByZone, btnWorldTimeByTime})
    b->SetEnabled(any);
  UpdateApplyButton();
}

TPlaceOffset TfrmSetup::WorldTimeRowTime(int row) {
  if (!zones_) {
    EnsureTimeZoneSource();
    EnsureTimeServices();
    zones_ = Platform().timeZones->TimeZones();
  }
  if (row < 1 || row > static_cast<int>(Work.WorkWorldTimes.size()) || !host_.placeOffset) return {};
  return host_.placeOffset(Work.WorkWorldTimes[static_cast<std::size_t>(row - 1)], Platform().clock->Read(), *zones_);
}

void TfrmSetup::dgdWorldTimeDrawCell(TDrawGrid*, HDC dc, int col, int row, RECT rect, TGridDrawState) {
  std::string text;
  if (row == 0) {
    text = col == 0 ? "Name" : "Time";
  } else if (row <= static_cast<int>(Work.WorkWorldTimes.size())) {
    const TWorldTime& item = Work.WorkWorldTimes[static_cast<std::size_t>(row - 1)];
    if (col == 0) {
      text = item.Name;
    } else {
      // The offset in effect today; a small sun while the place's zone is on daylight time.
      TPlaceOffset now = WorldTimeRowTime(row);
      text = OffsetText(now.Offset);
      if (now.Daylight) {
        int cy = (rect.top + rect.bottom) / 2;
        TGdiObject sun(CreateSolidBrush(kDaylightMark));
        HGDIOBJ oldBrush = SelectObject(dc, sun.Get());
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
        Ellipse(dc, rect.left + 3, cy - 3, rect.left + 9, cy + 3);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
      }
    }
  } else if (col == 0) {
    text = kEmptyRow;
  }
  CellText(dc, text, rect, col == 1 ? DT_RIGHT : DT_LEFT);
}

void TfrmSetup::btnWorldTimeNewClick(TControl*) {
  TWorldTime item;
  if (!EditWorldTime(item)) return;
  Work.WorkWorldTimes.push_back(item);
  SetWorldTimeRowCount();
  dgdWorldTime->SetRow(dgdWorldTime->RowCount() - 1);
  UpdateWorldTimeButtons();
}

void TfrmSetup::btnWorldTimeEditClick(TControl*) {
  int index = dgdWorldTime->Row() - 1;
  if (index < 0 || index >= static_cast<int>(Work.WorkWorldTimes.size())) return;
  TWorldTime item = Work.WorkWorldTimes[static_cast<std::size_t>(index)];
  if (!EditWorldTime(item)) return;
  if (index < static_cast<int>(Work.WorkWorldTimes.size())) Work.WorkWorldTimes[static_cast<std::size_t>(index)] = item;
  dgdWorldTime->Invalidate();
  UpdateApplyButton();
}

void TfrmSetup::btnWorldTimeDeleteClick(TControl*) {
  int index = dgdWorldTime->Row() - 1;
  if (index < 0 || index >= static_cast<int>(Work.WorkWorldTimes.size()) ||
      !Confirm("Selected item will be deleted.\rContinue?"))
    return;
  Work.WorkWorldTimes.erase(Work.WorkWorldTimes.begin() + index);
  SetWorldTimeRowCount();
  UpdateWorldTimeButtons();
}

void TfrmSetup::btnWorldTimeClearClick(TControl*) {
  if (!Confirm("All items in the list will be deleted.\rContinue?")) return;
  Work.WorkWorldTimes.clear();
  SetWorldTimeRowCount();
  UpdateWorldTimeButtons();
}

void TfrmSetup::btnWorldTimeByZoneClick(TControl*) {
  SortWorldTimesByName(Work.WorkWorldTimes, &CompareNames);
  dgdWorldTime->Invalidate();
  UpdateApplyButton();
}

void TfrmSetup::btnWorldTimeByTimeClick(TControl*) {
  SortWorldTimesByTime(Work.WorkWorldTimes);
  dgdWorldTime->Invalidate();
  UpdateApplyButton();
}

// ---------------------------------------------------------------------------- Export / Import and About

TExportChoice TfrmSetup::ExportChoice() const {
  TExportChoice ticked{};
  for (std::size_t i = 0; i < ExportBoxes.size() && i < ticked.size(); ++i) ticked[i] = ExportBoxes[i]->Checked();
  return ticked;
}

void TfrmSetup::btnSelectUnselectClick(TControl* sender) {
  for (TCheckBox* box : ExportBoxes) box->SetChecked(sender->Tag != 0);
}

void TfrmSetup::btnExportClick(TControl*) {
  auto ui = MakeExportImportUi(*this);
  ExportSettings(*ui, ExportChoice());
}

void TfrmSetup::btnImportClick(TControl*) {
  auto ui = MakeExportImportUi(*this);
  ImportSettings(*ui, ExportChoice());
}

void TfrmSetup::eveWebClick(TLinkLabel* sender) {
  if (Platform().shell)
    Platform().shell->Execute(nullptr, "open", sender->Hint, "", SW_SHOW);
  else
    ShellExecuteW(nullptr, L"open", Widen(sender->Hint).c_str(), L"", L"", SW_SHOW);
}

}  // namespace vimo
