#!/usr/bin/env bash
# Cross-builds libjpeg (libjpeg-turbo, from Debian's own source package) for
# the Windows build: a static library and its headers under
# build/libjpeg-mingw/ (lib/libjpeg.a, include/*.h). Runs once; later calls
# return at once while the library is there.
#
# The source comes through `apt-get source`, so apt needs deb-src entries.
# When the machine has none, they are derived from its own deb entries
# (same addresses, suites and keys) and apt's lists are refreshed once.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/libjpeg-mingw}
[[ -f $out/lib/libjpeg.a && -f $out/include/jpeglib.h ]] && exit 0

sudo=""
if [[ $(id -u) != 0 ]]; then sudo="sudo"; fi

has_deb_src() {
  grep -rqsE '^[[:space:]]*(deb-src[[:space:]]|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/
}

if ! has_deb_src; then
  echo "libjpeg-mingw: adding deb-src entries beside the machine's deb entries"
  for f in /etc/apt/sources.list.d/*.sources; do
    [[ -e $f ]] || continue
    name=$(basename "$f" .sources)
    [[ $name == mensor-src-* ]] && continue
    # deb822 files: the same stanzas with Types: deb-src.
    if grep -qE '^Types:.*\bdeb\b' "$f"; then
      sed -E 's/^Types:.*/Types: deb-src/' "$f" | $sudo tee "/etc/apt/sources.list.d/mensor-src-$name.sources" >/dev/null
    fi
  done
  # One-line style: every "deb" line again as "deb-src".
  lines=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    sed -nE 's/^[[:space:]]*deb[[:space:]]+/deb-src /p' || true)
  if [[ -n $lines ]]; then
    printf '%s\n' "$lines" | $sudo tee /etc/apt/sources.list.d/mensor-src-lines.list >/dev/null
  fi
  $sudo apt-get update -qq
fi

src=$root/build/libjpeg-turbo-source
if [[ ! -f $src/.unpacked ]]; then
  rm -rf "$src"
  mkdir -p "$src"
  # A second try after refreshing apt's lists, which may be older than the
  # deb-src entries.
  (cd "$src" && { apt-get source -qq libjpeg-turbo >/dev/null ||
    { $sudo apt-get update -qq && apt-get source -qq libjpeg-turbo >/dev/null; }; })
  touch "$src/.unpacked"
fi
dir=$(find "$src" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
[[ -n $dir ]] || { echo "libjpeg-mingw: no unpacked libjpeg-turbo source in $src" >&2; exit 1; }

# Only the static library: no shared library, no TurboJPEG API, no tools or
# tests, no SIMD (it would need nasm; one small picture is decoded).
work=$root/build/libjpeg-mingw-build
rm -rf "$work"
cmake -S "$dir" -B "$work" -G Ninja \
  -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=AMD64 \
  -DCMAKE_C_COMPILER=x86_64-w64-mingw32-gcc-posix \
  -DCMAKE_RC_COMPILER=x86_64-w64-mingw32-windres \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$out" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
  -DWITH_JAVA=OFF -Wno-dev >/dev/null
cmake --build "$work" --target jpeg-static >/dev/null

mkdir -p "$out/lib" "$out/include"
cp "$work/libjpeg.a" "$out/lib/libjpeg.a"
cp "$work/jconfig.h" "$dir/jpeglib.h" "$dir/jmorecfg.h" "$dir/jerror.h" "$out/include/"
rm -rf "$work"
echo "libjpeg-mingw: built $out/lib/libjpeg.a"
