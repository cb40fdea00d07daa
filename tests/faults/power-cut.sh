#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A power cut right after a save says it is done: the save runs on a small
# ext4 of its own (a loop device), the device's backing file is copied at
# once, as the disk would be found after the cut, and the copy is checked
# and mounted. The last save must be there, for a new file and for a file
# that is replaced.
# usage: power-cut.sh SAVE_LOOP WORK_FOLDER
set -u
save_loop=$1
work=$2

skip() { echo "SKIPPED: $*"; exit 77; }
[ "$(id -u)" = 0 ] || skip "mounting a file system of its own needs root"
for tool in mkfs.ext4 e2fsck losetup mount umount; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done

rm -rf "$work"
mkdir -p "$work/disk" "$work/after" "$work/expected"
image=$work/disk.img
truncate -s 32M "$image"
mkfs.ext4 -q -F "$image" || skip "cannot make an ext4 file system"
device=$(losetup --find --show "$image" 2>/dev/null) || skip "no loop device"
cleanup() {
    umount "$work/after" 2>/dev/null
    umount "$work/disk" 2>/dev/null
    losetup -d "$device" 2>/dev/null
}
trap cleanup EXIT
# A long commit interval, so that only what the writer syncs is on the disk.
mount -o commit=300 "$device" "$work/disk" || skip "cannot mount the loop device"

failures=0
# save COUNT: saves COUNT times, copies the device at once and checks that the
# copy holds what the last save wrote.
save() {
    "$save_loop" "$work/disk/CLIENT.VEK" "$1" >/dev/null || { echo "FAIL: the save itself failed"; exit 1; }
    cp "$image" "$work/copy.img"
    "$save_loop" "$work/expected/CLIENT.VEK" "$1" >/dev/null
    e2fsck -f -y "$work/copy.img" >"$work/e2fsck.log" 2>&1
    if [ $? -ge 4 ]; then
        echo "FAIL: e2fsck found errors it could not mend:"; cat "$work/e2fsck.log"; exit 1
    fi
    mount -o ro,loop "$work/copy.img" "$work/after" || { echo "FAIL: the copy does not mount"; exit 1; }
    if cmp -s "$work/after/CLIENT.VEK" "$work/expected/CLIENT.VEK"; then
        echo "ok: after $1 save(s) the last one is on the disk"
    else
        echo "FAIL: after $1 save(s) the disk holds $(stat -c %s "$work/after/CLIENT.VEK" 2>/dev/null || echo no) file, not the last save"
        failures=$((failures + 1))
    fi
    umount "$work/after"
}
save 1 # a new client file
save 2 # the same file replaced
exit $failures
