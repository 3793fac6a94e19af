#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, as root. Safe to run again:
# it does nothing when everything is there.
set -euo pipefail

packages=(
  cmake g++ make python3
  libgtest-dev libgmock-dev libbenchmark-dev googletest
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine32:i386 wine64
  xvfb xauth x11-utils xclip xdotool imagemagick
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
# A mirror in mid-sync fails an index now and then; try again a few times, and go on with
# the indexes we have if it still fails (the install below says if a package is missing).
updated=0
for attempt in 1 2 3; do
  $SUDO apt-get update -q && { updated=1; break; }
  echo "apt-get update failed (attempt $attempt of 3)"
  sleep $((attempt * 10))
done
install() { DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "$@" "${missing[@]}"; }
if [ "$updated" -eq 1 ]; then
  install
else
  # Seen: the security suite's i386 index failing while its amd64 one loads. The i386
  # half of wine must then match the amd64 packages as the release has them, so the
  # install is tried again with the security suite ranked below the release.
  install || {
    prefs=$(mktemp)
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$prefs"
    rc=0
    install -o Dir::Etc::Preferences="$prefs" || rc=$?
    rm -f "$prefs"
    exit $rc
  }
fi
