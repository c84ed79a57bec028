#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine, only where something is missing.
set -euo pipefail
need=()
have() { command -v "$1" >/dev/null 2>&1; }
have cmake || need+=(cmake)
have make || need+=(make)
have g++ || need+=(g++)
have i686-w64-mingw32-g++-posix || need+=(mingw-w64 g++-mingw-w64-i686-posix)
have Xvfb || need+=(xvfb)
have xauth || need+=(xauth)
have chmcmd || need+=(fp-utils)
have import || need+=(imagemagick)
have xdotool || need+=(xdotool)
have xdpyinfo || need+=(x11-utils)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
have wine || need+=(wine)
dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine32:i386)
# Wine's own fonts: "MS Sans Serif", "Small Fonts", Tahoma and Marlett (caption buttons).
dpkg -s fonts-wine >/dev/null 2>&1 || need+=(fonts-wine)
dpkg -s fonts-liberation >/dev/null 2>&1 || need+=(fonts-liberation)
[ ${#need[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
echo "Installing: ${need[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
