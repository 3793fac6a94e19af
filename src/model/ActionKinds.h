#pragma once
// The vocabulary around actions: kinds, show commands, corner and modifier names.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/ActionRecord.h"

namespace vimo {

struct TActionKind {
  const char* Name;
  std::int32_t Id;
  bool ForTray;  // offered in the editor's list for tray clicks
};

inline constexpr int kActionKindCount = 28;
extern const std::array<TActionKind, kActionKindCount> ActionKinds;

// Kind ids.
enum : std::int32_t {
  akNone = 0,
  akCalendar = 40,
  akWorldTime = 60,
  akSunTimeMap = 70,
  akClipHistory = 80,
  akClipCollection = 90,
  akApplication = 100,
  akFolder = 200,
  akMyComputer = 300,
  akMyNetworkPlaces = 400,
  akMyDocuments = 500,
  akFavorites = 600,
  akRecycleBin = 700,
  akControlPanel = 800,
  akPrintersAndFaxes = 900,
  akRunDialog = 1000,
  akFindFiles = 1100,
  akFindComputer = 1200,
  akScreenSaver = 1400,
  akToggleDesktop = 1500,
  akLogOff = 1510,
  akSleep = 1512,
  akHibernate = 1514,
  akReboot = 1516,
  akShutdown = 1518,
  akPowerOff = 1520,
  akTurnOffDialog = 1522,
  akOpenCdRom = 1600,
  akCloseCdRom = 1700,
};

// Show command for ExecWindowState 0..2 (SW_SHOWDEFAULT, SW_MINIMIZE, SW_SHOWMAXIMIZED).
inline constexpr std::array<int, 3> ShowCommands = {10, 6, 3};
inline constexpr std::array<const char*, 3> WindowStateLabels = {"Normal", "Minimized", "Maximized"};
inline constexpr std::array<const char*, 2> FolderModeLabels = {"Open", "Explore"};

// Corner codes; 0 is no corner.
enum : int { cnNone = 0, cnLeftTop = 1, cnLeftBottom = 2, cnRightTop = 3, cnRightBottom = 4 };
inline constexpr int kCornerCount = 4;
inline constexpr int kMouseModifierCount = 6;
inline constexpr int kTrayModifierCount = 8;

inline constexpr std::array<const char*, 4> CornerNames = {"LeftTop", "LeftBottom", "RightTop", "RightBottom"};
inline constexpr std::array<const char*, 4> CornerLabels = {"Left top", "Left bottom", "Right top", "Right bottom"};
inline constexpr std::array<const char*, 6> MouseModifierNames = {"None", "Control", "Shift",
                                                                   "ControlShift", "AltControl", "AltShift"};
inline constexpr std::array<const char*, 6> MouseModifierLabels = {"None", "Ctrl", "Shift",
                                                                    "Ctrl+Shift", "Ctrl+Alt", "Shift+Alt"};
inline constexpr std::array<const char*, 8> TrayModifierNames = {
    "None", "Control", "Alt", "Shift", "ControlAlt", "ControlShift", "AltShift", "ControlAltShift"};
inline constexpr std::array<const char*, 8> TrayModifierLabels = {
    "None", "Ctrl", "Alt", "Shift", "Ctrl+Alt", "Ctrl+Shift", "Alt+Shift", "Ctrl+Alt+Shift"};

// Each sets `name` to the registry key name for a valid code and leaves it unchanged
// otherwise; the result says which.
bool CornerName(int corner, std::string& name);
bool MouseModifierName(int index, std::string& name);
bool TrayModifierName(int index, std::string& name);

// Row of ActionKinds with the given id, or null.
const TActionKind* FindActionKind(std::int32_t id);

// Modifier slot for the keys held now; no slot for Alt held alone.
std::optional<int> MouseModifier();
int TrayModifier();
// The same decisions for a given key state, for callers that already read the keys.
std::optional<int> MouseModifierFor(bool ctrl, bool alt, bool shift);
int TrayModifierFor(bool ctrl, bool alt, bool shift);

std::string ActionCaption(const TActionRecord& action);
// False for a key that types (a character, a digit, an arrow, Tab, Enter, Space, Escape)
// without Ctrl or Alt: registered, it would take that key from every program.
bool MayRegisterShortcut(std::int32_t shortcut);

}  // namespace vimo
