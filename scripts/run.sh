#!/usr/bin/env bash
# Builds Vimo.exe and starts it under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Vimo -j"$(nproc)"
source scripts/wine-env.sh
start_xvfb
wine_env "$PWD/build/win32"
trap stop_wine_and_xvfb EXIT
echo "Starting build/win32/bin/Vimo.exe (display $DISPLAY)"
wine build/win32/bin/Vimo.exe
