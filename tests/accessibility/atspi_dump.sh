#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts a private X server and accessibility bus, shows AVEK's window on
# them, checks its caption and reads it with atspi_dump.py. Exit code 77 (skipped) with the
# reason when a part is missing; nothing of the machine's own state is used.
# Arguments: the subject program, the reader script, the dump file to write.
set -uo pipefail
subject=$1 reader=$2 dump=$3

skip() { echo "SKIPPED: $*"; exit 77; }
command -v Xvfb >/dev/null || skip "Xvfb is not installed"
command -v xwininfo >/dev/null || skip "xwininfo (x11-utils) is not installed"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed"
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || skip "at-spi2-core's bus launcher is not installed"
/usr/bin/python3 -c "import gi; gi.require_version('Atspi', '2.0')" 2>/dev/null ||
    skip "python3-gi with gir1.2-atspi-2.0 is not installed"

if [ "${AVEK_IN_PRIVATE_BUS:-}" != 1 ]; then
    AVEK_IN_PRIVATE_BUS=1 exec dbus-run-session -- "$0" "$@"
fi

scratch=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$scratch"; }
trap cleanup EXIT

# The server picks a display number no other server holds and tells it.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    kill -0 "${pids[0]}" 2>/dev/null || break
    sleep 0.1
done
[ -s "$scratch/display" ] || skip "no private X server could be started"
export DISPLAY=:$(head -n 1 "$scratch/display")
export XDG_RUNTIME_DIR=$scratch

"$launcher" --launch-immediately >/dev/null 2>&1 &
pids+=($!)

QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$subject" >"$scratch/subject.log" 2>&1 &
pids+=($!)
for _ in $(seq 300); do grep -q ready "$scratch/subject.log" && break; sleep 0.1; done
grep -q ready "$scratch/subject.log" || { cat "$scratch/subject.log"; echo "the window never came up"; exit 1; }

# The caption as the desktop shows it: the program's own, no name added.
caption=$(xwininfo -root -tree | grep -o '"AVEK beta[^"]*"')
if [ "$caption" != '"AVEK beta - SMITH.VEK"' ]; then
    echo "the window's caption reads $caption, not \"AVEK beta - SMITH.VEK\""
    exit 1
fi

timeout 120 /usr/bin/python3 "$reader" AVEK "$dump"
