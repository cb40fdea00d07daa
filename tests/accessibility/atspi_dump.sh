#!/usr/bin/env bash
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

# Other sessions' servers may hold low display numbers, not always visibly
# to this one: take a high number at random, and another if it is not ours.
display_up() {
    for _ in $(seq 50); do
        kill -0 "$xvfb" 2>/dev/null || return 1
        xwininfo -root >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
for attempt in 1 2 3 4 5; do
    export DISPLAY=:$((RANDOM % 800 + 100))
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp 2>/dev/null &
    xvfb=$!
    display_up && break
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    xvfb=
done
[ -n "$xvfb" ] || skip "no private X server could be started"
pids+=("$xvfb")
export XDG_RUNTIME_DIR=$scratch

"$launcher" --launch-immediately >/dev/null 2>&1 &
pids+=($!)

QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$subject" >"$scratch/subject.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q ready "$scratch/subject.log" && break; sleep 0.1; done
grep -q ready "$scratch/subject.log" || { cat "$scratch/subject.log"; echo "the window never came up"; exit 1; }

# The caption as the desktop shows it: the program's own, no name added.
caption=$(xwininfo -root -tree | grep -o '"AVEK beta[^"]*"')
if [ "$caption" != '"AVEK beta - SMITH.VEK"' ]; then
    echo "the window's caption reads $caption, not \"AVEK beta - SMITH.VEK\""
    exit 1
fi

timeout 120 /usr/bin/python3 "$reader" AVEK "$dump"
