#!/usr/bin/env bash
# Builds everything and runs every test tier: native unit tests, Win32 tests under
# Wine, end-to-end tests of Vimo.exe under Wine. Ends with one "N passed, N failed" line.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh || exit 1

# Before building: no file may include a layer above its own.
layers_ok=1
python3 scripts/check-layers.py || layers_ok=0

source scripts/wine-env.sh
# The display first: a Wine prefix created without one keeps a desktop that cannot show windows.
start_xvfb || exit 1
trap stop_wine_and_xvfb EXIT
# A new Wine prefix is mostly waiting: it is made while the build runs.
(wine_env "$PWD/build/win32") &
prefix_job=$!

jobs=$(nproc)
build_start=$SECONDS
build() {
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j"$jobs" ${2:+--target $2}
}
build linux || exit 1
build win32 || exit 1
# The 64-bit build only has to compile: it catches pointer-size faults.
build win64 Vimo || exit 1
build_time=$((SECONDS - build_start))

# A size figure, not a test: printed always, a failure only above the goal.
exe_limit=$((800 * 1024))
exe_size=$(stat -c %s build/win32/bin/Vimo.exe)
echo "Vimo.exe: $exe_size bytes (goal: at most $exe_limit)"

wait "$prefix_job"
wine_env "$PWD/build/win32"
# A crash ends the test program at once: the crash debugger would hold it, and the
# whole tier, until the timeout.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d"

times=("build $build_time s")
passed=0
failed=0
broken=0
logs=build/test-logs
mkdir -p "$logs"
# The end-to-end tests leave screenshots of what a user would see here.
export VIMO_SCREENSHOTS="$PWD/build/screenshots"
mkdir -p "$VIMO_SCREENSHOTS"

# Runs one GoogleTest program and adds its counts; a crash or a missing summary counts as broken.
tier() {
  local name="$1"; shift
  echo "=== $name"
  local log="$logs/$name.log"
  local start=$SECONDS
  timeout 1500 "$@" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  times+=("$name $((SECONDS - start)) s")
  local p f
  p=$(grep -Eo '^\[  PASSED  \] [0-9]+' "$log" | grep -Eo '[0-9]+$' | tail -1)
  f=$(grep -Eo '^\[  FAILED  \] [0-9]+ tests?, listed below' "$log" | grep -Eo '^\[  FAILED  \] [0-9]+' | grep -Eo '[0-9]+$' | tail -1)
  passed=$((passed + ${p:-0}))
  failed=$((failed + ${f:-0}))
  if [ -z "$p" ] && [ -z "$f" ]; then
    echo "!!! $name ended without a test summary (exit $rc)"
    broken=$((broken + 1))
  elif [ "$rc" -ne 0 ] && [ -z "$f" ]; then
    echo "!!! $name exited with $rc"
    broken=$((broken + 1))
  fi
}

# Each Wine tier in a fresh Wine session and a virtual desktop: on a bare X server
# every hide of a shown window waits 2 s for a window manager, and the desktop has a
# taskbar with a notification area for the tray icon.
fresh_wine() { wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1; }
tier unit ./build/linux/bin/vimo_unit_tests
fresh_wine
tier win32 wine explorer /desktop=vimo-win,1024x768 build/win32/bin/vimo_win_tests.exe
fresh_wine
tier e2e wine explorer /desktop=vimo-e2e,1024x768 build/win32/bin/vimo_e2e_tests.exe

echo
echo "time: ${times[*]/%/;}"
[ "$broken" -gt 0 ] && echo "$broken test program(s) broke off"
too_big=0
if [ "$exe_size" -gt "$exe_limit" ]; then
  echo "!!! Vimo.exe is $exe_size bytes, above $exe_limit"
  too_big=1
fi
[ "$layers_ok" -eq 0 ] && echo "!!! an include runs against the layers (scripts/check-layers.py, above)"
echo "total: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$broken" -eq 0 ] && [ "$too_big" -eq 0 ] && [ "$layers_ok" -eq 1 ]
