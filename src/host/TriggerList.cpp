#include "host/TriggerList.h"

#include <cstdio>

#include "model/ActionKinds.h"
#include "model/Model.h"

namespace vimo {

namespace {

void Line(std::string& out, const std::string& trigger, const std::string& action) {
  out += "  ";
  out += trigger;
  // Columns for the eye; long names just push the action right.
  if (trigger.size() < 26) out.append(26 - trigger.size(), ' ');
  out += ' ';
  out += action;
  out += '\n';
}

}  // namespace

std::string TriggerList(const KeyNameFunc& keyName) {
  std::string out;
  std::string keys;
  if (HotKeyList) {
    for (int i = 0; i < HotKeyList->Count(); ++i) {
      const TActionRecord* a = HotKeyList->ActionAt(i);
      if (!a || a->HotKey == 0 || a->Action == 0) continue;
      std::string text = HotKeyText(a->HotKey, keyName);
      if (!text.empty()) Line(keys, text, ActionCaption(*a));
    }
  }
  out += keys.empty() ? "Hot keys: none set (Settings... > Hot Key Launcher adds one)\n" : "Hot keys:\n" + keys;

  std::string corners;
  for (int c = 0; c < kCornerCount; ++c)
    for (int m = 0; m < kMouseModifierCount; ++m) {
      const TActionRecord& a = MouseActions[c][m];
      if (a.Action == 0) continue;
      std::string trigger = CornerLabels[c];
      trigger += m == 0 ? " corner" : std::string(" corner + ") + MouseModifierLabels[m];
      Line(corners, trigger, ActionCaption(a));
    }
  if (corners.empty()) {
    out += "Screen corners: none set\n";
  } else {
    char delay[64];
    std::snprintf(delay, sizeof delay, "Screen corners (rest the pointer there %.1f s):\n", CornerDelay / 10.0);
    out += delay + corners;
  }

  std::string tray;
  for (int m = 0; m < kTrayModifierCount; ++m) {
    if (TrayActions[m].Action == 0) continue;
    Line(tray, m == 0 ? std::string("Click") : std::string(TrayModifierLabels[m]) + "+click", ActionCaption(TrayActions[m]));
  }
  out += tray.empty() ? "Tray icon clicks: none set\n" : "Tray icon clicks:\n" + tray;
  out += "Right click on the tray icon for the menu (Settings..., Help, Exit).\n";
  return out;
}

}  // namespace vimo
