#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch DESTDIR and checks what a desktop and a
# package manager will look for there. Usage: check_install.sh BUILD_DIR
set -euo pipefail

build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
root=$stage/usr

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

for program in avek avektool; do
  [ -x "$root/bin/$program" ] || fail "bin/$program is not installed"
  # A program that still pointed into the build tree would work here and
  # nowhere else.
  if readelf -d "$root/bin/$program" | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
    fail "bin/$program keeps a run path into the build tree"
  fi
  if ldd "$root/bin/$program" | grep -q 'not found'; then
    fail "bin/$program needs a library this machine lacks"
  fi
done

# The tool draws its report with Qt Gui alone, so that it also runs where no
# widget toolkit is installed.
if ldd "$root/bin/avektool" | grep -qE 'libQt6(Widgets|PrintSupport)'; then
  fail "bin/avektool links Qt Widgets or PrintSupport"
fi

# The installed tool runs on its own: no arguments is a usage error.
status=0
"$root/bin/avektool" >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "bin/avektool without arguments exits $status, not 2"

desktop=$(find "$root/share/applications" -name '*.desktop' 2>/dev/null)
if [ "$(echo "$desktop" | grep -c .)" -ne 1 ]; then
  fail "share/applications does not hold exactly one menu entry"
else
  # Hints count too: an entry without a main category lands in a catch-all
  # corner of the menu.
  findings=$(desktop-file-validate "$desktop" 2>&1) || fail "$(basename "$desktop") does not validate"
  [ -z "$findings" ] || fail "desktop-file-validate: $findings"
  exec_line=$(sed -n 's/^Exec=//p' "$desktop")
  [ -x "$root/bin/${exec_line%% *}" ] || fail "Exec=$exec_line names no installed program"
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  for side in 16 24 32 48 64 128 256; do
    png=$root/share/icons/hicolor/${side}x${side}/apps/$icon.png
    if [ ! -f "$png" ]; then
      fail "no ${side}x${side} icon $icon.png"
      continue
    fi
    # PNG signature, then the IHDR chunk's width and height, big-endian.
    signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
    size=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }')
    [ "$signature" = 89504e470d0a1a0a ] || fail "$png is not a PNG"
    [ "$size" = "${side}x${side}" ] || fail "$png is $size, not ${side}x${side}"
  done
fi

metainfo=$(find "$root/share/metainfo" -name '*.metainfo.xml' 2>/dev/null)
if [ "$(echo "$metainfo" | grep -c .)" -ne 1 ]; then
  fail "share/metainfo does not hold exactly one AppStream file"
else
  appstreamcli validate --no-net "$metainfo" >/dev/null || fail "$(basename "$metainfo") does not validate"
  launchable=$(sed -n 's/.*<launchable type="desktop-id">\(.*\)<\/launchable>.*/\1/p' "$metainfo")
  [ -n "$desktop" ] && [ "$launchable" = "$(basename "$desktop")" ] ||
    fail "the AppStream launchable '$launchable' is not the installed menu entry"
fi

[ "$failures" -eq 0 ] || exit 1
echo "The installed tree is complete."
