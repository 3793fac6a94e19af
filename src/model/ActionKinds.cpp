#include "model/ActionKinds.h"

#include "platform/Platform.h"

namespace vimo {

const std::array<TActionKind, kActionKindCount> ActionKinds = {{
    {"Calendar", akCalendar, true},
    {"World Time", akWorldTime, true},
    {"Sun Time Map", akSunTimeMap, true},
    {"Clip History", akClipHistory, false},
    {"Clip Collection", akClipCollection, false},
    {"Application", akApplication, true},
    {"Folder", akFolder, true},
    {"My Computer", akMyComputer, true},
    {"My Network Places", akMyNetworkPlaces, true},
    {"My Documents", akMyDocuments, true},
    {"Favorites", akFavorites, true},
    {"Recycle Bin", akRecycleBin, true},
    {"Control Panel", akControlPanel, true},
    {"Printers And Faxes", akPrintersAndFaxes, true},
    {"Run Dialog", akRunDialog, true},
    {"Find Files", akFindFiles, true},
    {"Find Computer", akFindComputer, true},
    {"Screen Saver", akScreenSaver, true},
    {"Toggle Desktop", akToggleDesktop, true},
    {"Log Off", akLogOff, true},
    {"Sleep", akSleep, true},
    {"Hibernate", akHibernate, true},
    {"Reboot", akReboot, true},
    {"Shutdown", akShutdown, true},
    {"Power Off", akPowerOff, true},
    {"Turn Off Dialog", akTurnOffDialog, true},
    {"Open CD-ROM", akOpenCdRom, true},
    {"Close CD-ROM", akCloseCdRom, true},
}};

namespace {
template <std::size_t N>
bool NameFrom(const std::array<const char*, N>& names, int index, std::string& name) {
  if (index < 0 || index >= static_cast<int>(N)) return false;
  name = names[index];
  return true;
}
}  // namespace

bool CornerName(int corner, std::string& name) { return NameFrom(CornerNames, corner - 1, name); }
bool MouseModifierName(int index, std::string& name) { return NameFrom(MouseModifierNames, index, name); }
bool TrayModifierName(int index, std::string& name) { return NameFrom(TrayModifierNames, index, name); }

const TActionKind* FindActionKind(std::int32_t id) {
  for (const auto& k : ActionKinds)
    if (k.Id == id) return &k;
  return nullptr;
}

std::optional<int> MouseModifierFor(bool ctrl, bool alt, bool shift) {
  if (ctrl) return shift ? 3 : alt ? 4 : 1;
  if (shift) return alt ? 5 : 2;
  if (alt) return std::nullopt;
  return 0;
}

int TrayModifierFor(bool ctrl, bool alt, bool shift) {
  if (ctrl) {
    if (alt) return shift ? 7 : 4;
    return shift ? 5 : 1;
  }
  if (alt) return shift ? 6 : 2;
  return shift ? 3 : 0;
}

namespace {
bool Held(int vk) { return Platform().keyboard->IsKeyDown(vk); }
}  // namespace

std::optional<int> MouseModifier() {
  return MouseModifierFor(Held(kVkControl), Held(kVkMenu), Held(kVkShift));
}

int TrayModifier() { return TrayModifierFor(Held(kVkControl), Held(kVkMenu), Held(kVkShift)); }

std::string ActionCaption(const TActionRecord& action) {
  if (!action.Comment.empty()) return action.Comment;
  if (action.Action == 0) return {};
  const TActionKind* kind = FindActionKind(action.Action);
  return kind ? kind->Name : "Unknown";
}

namespace {
bool IsTypingKey(std::uint32_t vk) {
  return (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') ||
         (vk >= 0x60 && vk <= 0x6F) ||                             // the number pad
         (vk >= 0x25 && vk <= 0x28) ||                             // arrows
         vk == 0x09 || vk == 0x0D || vk == 0x20 || vk == 0x1B ||   // Tab, Enter, Space, Escape
         (vk >= 0xBA && vk <= 0xC0) || (vk >= 0xDB && vk <= 0xDF) || vk == 0xE2;  // punctuation
}
}  // namespace

bool MayRegisterShortcut(std::int32_t shortcut) {
  const std::uint32_t code = static_cast<std::uint32_t>(shortcut) & 0xFFFF;
  if (code & (scCtrl | scAlt)) return true;
  return !IsTypingKey(code & ~static_cast<std::uint32_t>(scShift | scCtrl | scAlt));
}

}  // namespace vimo
