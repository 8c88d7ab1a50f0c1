#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test Korvex File Repair.
# When everything is already present this returns in a few seconds.
set -euo pipefail

packages=(
  # toolchain and engine libraries
  cmake ninja-build g++ clang pkg-config libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev libsodium-dev
  # decoders the program asks whether a repaired recording really plays
  libavformat-dev libavcodec-dev libavutil-dev
  # application
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools
  qt6-multimedia-dev qt6-pdf-dev qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools
  qt6-svg-dev qt6-image-formats-plugins
  qml6-module-qtqml qml6-module-qtqml-models qml6-module-qtqml-workerscript
  qml6-module-qtcore qml6-module-qtquick qml6-module-qtquick-controls
  qml6-module-qtquick-layouts qml6-module-qtquick-dialogs qml6-module-qtquick-templates
  qml6-module-qtquick-window qml6-module-qtquick-shapes qml6-module-qt-labs-folderlistmodel
  qml6-module-qttest qml6-module-qtmultimedia qml6-module-qtquick-pdf
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-plugins-ugly gstreamer1.0-libav qt6-translations-l10n libgl1-mesa-dri fonts-noto-cjk fonts-noto-core fonts-dejavu-core
  xvfb xauth dbus-x11 dbus-daemon
  # independent checkers used by the tests
  python3 python3-olefile python3-pil qpdf unzip libxml2-utils
  pngcheck libjpeg-turbo-progs jpeginfo gifsicle libtiff-tools libimage-exiftool-perl imagemagick
  ffmpeg mkvtoolnix flac vorbis-tools mp3val
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Installing ${missing[*]} needs root: run this as root (or with sudo)." >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
