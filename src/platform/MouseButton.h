#pragma once
// Which mouse button an event is about; shared by the tray icon and the form controls.

namespace vimo {

enum TMouseButton { mbLeft, mbRight, mbMiddle };

}  // namespace vimo
