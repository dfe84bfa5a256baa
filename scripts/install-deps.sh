#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Ostrivel need.
# Installs only what is missing; safe to run again. Needs root (or sudo).
set -euo pipefail

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

packages=(
  # build
  build-essential locales cmake ninja-build pkg-config git
  clang-14 libclang-rt-14-dev clang-format clang-tidy
  googletest libgtest-dev libgmock-dev
  # Linux program
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6
  libsystemd-dev fonts-wqy-microhei fonts-noto-cjk
  # Linux tests
  xvfb xauth xdotool x11-utils x11-xserver-utils dbus dbus-x11 at-spi2-core
  python3 python3-pytest python3-dbusmock python3-pyatspi python3-gi python3-xlib
  # icon conversion for the Windows resource
  librsvg2-bin icoutils
  # Windows programs
  mingw-w64 wine64
)
i386_packages=(wine32:i386)

missing=()
for p in "${packages[@]}" "${i386_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -eq 0 ]; then
  echo "install-deps: all packages present"
else
  echo "install-deps: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -q
  as_root apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The conversion tests check that a locale with a decimal comma changes nothing.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  as_root sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  as_root locale-gen
fi
