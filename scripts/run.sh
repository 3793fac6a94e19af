#!/usr/bin/env bash
# Builds Vimo.exe and starts it under Wine, inside a virtual desktop window with a
# taskbar and a notification area, so the tray face and its balloons can be seen.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Vimo VimoTriggers -j"$(nproc)"
source scripts/wine-env.sh

headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  headless=1
  unset DISPLAY
fi
start_xvfb
# A prefix of its own: the tests empty the settings of theirs, and yours stay here.
wine_env "$PWD/build/run"
trap stop_wine_and_xvfb EXIT

echo
echo "What is set for this user (the settings dialog changes it):"
wine build/win32/bin/VimoTriggers.exe || true
echo
if [ "$headless" -eq 1 ]; then
  cat <<MSG
No display was found (DISPLAY is not set or cannot be opened), so Vimo runs headless
on a hidden X server, display $DISPLAY. To look at it, from another terminal:
    DISPLAY=$DISPLAY import -window root vimo.png
or run this script from a desktop session, where it opens in a window of its own.
Stop it with Ctrl+C.
MSG
else
  echo "Vimo runs in the window \"Vimo - Wine desktop\" on $DISPLAY: its face is at the"
  echo "right of the taskbar. Exit it from its tray menu, close the window, or press Ctrl+C."
fi
# The virtual desktop brings a taskbar with a notification area even where no window
# manager or system tray runs.
wine explorer /desktop=Vimo,1024x768 build/win32/bin/Vimo.exe
