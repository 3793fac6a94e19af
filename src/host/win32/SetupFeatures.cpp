#include "host/win32/SetupFeatures.h"

#include "clips/win32/ClipEdit.h"
#include "help/HelpTopics.h"
#include "time/PlaceTime.h"
#include "time/win32/WorldTimeEdit.h"

namespace vimo {

void LinkSetupFeatures(TSetupHostLinks& links) {
  links.editClip = [](TClipRecord& clip) {
    TfrmClipEditor editor;
    editor.HelpTopic = kHelpClipEditor;
    return editor.EditClip(clip);
  };
  links.editWorldTime = [](TWorldTime& item) {
    TfrmWorldTimeEditor editor(item);
    editor.HelpTopic = kHelpWorldTimeEditor;
    return editor.ShowModal() == mrOK;
  };
  links.placeOffset = [](const TWorldTime& place, const TClockReading& now, const std::vector<TTimeZone>& zones) {
    TPlaceTime time = PlaceTimeNow(place, now, zones);
    return TPlaceOffset{time.Offset, time.Daylight};
  };
}

}  // namespace vimo
