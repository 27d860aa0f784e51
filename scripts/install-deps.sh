#!/usr/bin/env bash
# Installs, from Debian's packages only, whatever the build and the tests need
# and this machine lacks. Takes no time when everything is present.
set -euo pipefail

# Commands (or files) we need, each with the Debian package that brings it.
needs=(
  "cmake:cmake"
  "ninja:ninja-build"
  "g++:g++"
  "x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix"
  "x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64"
  "/usr/share/mingw-w64/include/windows.h:mingw-w64-common"
  "/usr/x86_64-w64-mingw32/include/windows.h:mingw-w64-x86-64-dev"
  "/usr/include/gtest/gtest.h:libgtest-dev"
  "/usr/include/gmock/gmock.h:libgmock-dev"
  "/usr/include/benchmark/benchmark.h:libbenchmark-dev"
  "wine:wine"
  "/usr/lib/wine/wine64:wine64"
  "Xvfb:xvfb"
  "xdotool:xdotool"
  # Reads the clipboard that Wine hands to the X selection CLIPBOARD.
  "xclip:xclip"
  "xauth:xauth"
  "import:imagemagick"
  "python3:python3"
  # Two monitors for the end-to-end tests: Xorg with the dummy video driver,
  # its outputs set up by xrandr.
  "/usr/lib/xorg/Xorg:xserver-xorg-core"
  "/usr/lib/xorg/modules/drivers/dummy_drv.so:xserver-xorg-video-dummy"
  "xrandr:x11-xserver-utils"
  # The monitors' EDIDs set through RandR from python3 (ctypes).
  "/usr/lib/x86_64-linux-gnu/libXrandr.so.2:libxrandr2"
  "/usr/lib/x86_64-linux-gnu/libX11.so.6:libx11-6"
  # The about box: libjpeg natively, and what scripts/libjpeg-mingw.sh needs to
  # fetch and cross-build it for Windows; the font of tools/make_about_pictures.py.
  "/usr/include/jpeglib.h:libjpeg62-turbo-dev"
  "dpkg-source:dpkg-dev"
  "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf:fonts-dejavu-core"
  # The help file (chmcmd, chmls) and the installer (wixl).
  "chmcmd:fp-utils"
  "wixl:wixl"
  # The fuzz targets: clang with libFuzzer and the sanitizer runtimes.
  "clang++:clang"
  "/usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a:libclang-rt-14-dev"
)

missing=()
for entry in "${needs[@]}"; do
  what=${entry%%:*}
  pkg=${entry#*:}
  if [[ $what == /* ]]; then
    [[ -e $what ]] || missing+=("$pkg")
  else
    command -v "$what" >/dev/null 2>&1 || missing+=("$pkg")
  fi
done

if ((${#missing[@]} > 0)); then
  echo "install-deps: installing ${missing[*]}"
  sudo=""
  if [[ $(id -u) != 0 ]]; then sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# libjpeg for the Windows build, cross-built once from Debian's source package.
bash "$(dirname "$0")/libjpeg-mingw.sh"
