#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the clinic-folder suite as a clinician, an ordinary user, on a
# group-writable folder (mode 2770) that a second user of the same group has
# filled with traps first. Run as root, it makes the group avektest and the
# users avektest1 (the clinician) and avektest2 (the other user) when they
# are missing; otherwise it skips, saying why.
# usage: run-as-clinician.sh TEST_BINARY WORK_FOLDER
set -u
tests=$1
work=$2

skip() { echo "SKIPPED: $*"; exit 77; }
[ "$(id -u)" = 0 ] || skip "making the two users of the clinic folder needs root"
command -v setpriv >/dev/null 2>&1 || skip "setpriv is not installed"
getent group avektest >/dev/null || groupadd avektest || skip "cannot make the group avektest"
for user in avektest1 avektest2; do
    id "$user" >/dev/null 2>&1 || useradd -M -N -g avektest -d /nonexistent -s /usr/sbin/nologin "$user" \
        || skip "cannot make the user $user"
done
# The suite must be reachable by the clinician.
setpriv --reuid avektest1 --regid avektest --init-groups test -x "$tests" \
    || skip "$tests cannot be run by another user (a folder on its way is private)"

as() { user=$1; shift; setpriv --reuid "$user" --regid avektest --init-groups "$@"; }

rm -rf "$work"
mkdir -p "$work"
chmod 0755 "$work"
home=$work/home   # the clinician's own files, nobody else's to touch
share=$work/share # the clinic folder
program=$work/program
install -d -o avektest1 -g avektest -m 0700 "$home"
install -d -o avektest1 -g avektest -m 2770 "$share" "$program"

as avektest1 sh -c "
    cd '$home' && umask 022 &&
    printf 'my notes\n' > notes.txt && printf 'export PATH\n' > .bashrc && printf '%%PDF-1.4 my thesis\n' > thesis.pdf" \
    || { echo "FAIL: cannot make the clinician's own files"; exit 1; }

# The other user's traps.
as avektest2 sh -c "
    umask 002 && cd '$share' &&
    ln -s '$home/notes.txt' Brown.VEK &&
    ln -s '$home/thesis.pdf' report-2.pdf &&
    ln -s '$home/thesis.pdf' OUT.pdf &&
    mkfifo FIFO.pdf Fifo.VEK '.~lock.Jones.VEK#' &&
    for name in Smith.VEK.backup Smith.VEK.202412 Smith.VEK.orig01 Smith.VEK.aB3dE9; do
        printf 'backup\n' > \"\$name\" && touch -d '2 days ago' \"\$name\"; done &&
    printf 'kept\n' > ReadOnly.VEK && chmod 0440 ReadOnly.VEK &&
    head -c 70000 /dev/zero > Big.VEK &&
    head -c 2328 /dev/zero > Hidden.VEK && chmod 0220 Hidden.VEK &&
    mkdir -p \"\$(printf 'x\n[CD]\nDevice=/share/img/OTHER.cue\nX=')\" &&
    ln -s '$home/.bashrc' '$program/VEK.INI'" \
    || { echo "FAIL: cannot plant the other user's files"; exit 1; }

cd "$share" || exit 1
as avektest1 env -i PATH="$PATH" HOME="$home" QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 \
    AVEK_CLINIC_HOME="$home" AVEK_CLINIC_SHARE="$share" AVEK_CLINIC_PROGRAM="$program" \
    sh -c 'umask 022; exec "$0"' "$tests"
