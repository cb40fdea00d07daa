#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the .deb from the build with CPack and checks it as Debian's tools
# would: lintian without errors or warnings, the menu entry, both AppStream
# validators, the client files' MIME type, versions that agree, and
# avektool's manual page listing the commands `avektool help` lists.
# Usage: check_package.sh BUILD_DIR
set -euo pipefail

build=$1
for tool in cpack lintian desktop-file-validate appstreamcli appstream-util update-mime-database dpkg-deb; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/deps --test installs it)"
    exit 77
  fi
done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
if ! cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log" >&2
  exit 1
fi
deb=$(find "$out" -maxdepth 1 -name '*.deb')
root=$out/root
dpkg-deb -x "$deb" "$root"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Informational tags (I:, P:) are advice; errors and warnings are faults.
findings=$(lintian --tag-display-limit 0 "$deb" 2>/dev/null | grep -E '^[EW]: ' || true)
[ -z "$findings" ] || fail "lintian:"$'\n'"$findings"

desktop=$root/usr/share/applications/org.avek.AVEK.desktop
findings=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $findings"
[ -z "$findings" ] || fail "desktop-file-validate: $findings"

metainfo=$root/usr/share/metainfo/org.avek.AVEK.metainfo.xml
findings=$(appstreamcli validate --pedantic --no-net "$metainfo" 2>&1) || fail "appstreamcli: $findings"
findings=$(appstream-util validate --nonet "$metainfo" 2>&1) || fail "appstream-util: $findings"

# The MIME type compiles, and a file manager would find client files by a
# name in either case and by their signature.
mime=$out/mime
mkdir -p "$mime/packages"
cp "$root"/usr/share/mime/packages/*.xml "$mime/packages/"
# It notes that the scratch folder is not on the search path; anything else
# it says is a fault of the XML.
findings=$(update-mime-database "$mime" 2>&1) || fail "update-mime-database: $findings"
if grep -qiE 'error|warning|unknown|invalid' <<<"$findings"; then fail "update-mime-database: $findings"; fi
grep -q '^50:application/x-avek-client:\*\.vek$' "$mime/globs2" || fail "no case-insensitive *.vek glob"
grep -aq 'application/x-avek-client' "$mime/magic" || fail "no magic for client files"
grep -q '^Exec=avek %f$' "$desktop" || fail "the menu entry does not pass the file it is asked to open"
grep -q '^MimeType=application/x-avek-client;$' "$desktop" || fail "the menu entry does not claim client files"

version=$(dpkg-deb -f "$deb" Version)
changelog=$(zcat "$root/usr/share/doc/avek/changelog.Debian.gz" | sed -n '1s/^avek (\([^)]*\)).*/\1/p')
[ "$changelog" = "$version" ] || fail "the changelog's top entry is $changelog, the package $version"
grep -q "<release version=\"${version%-*}\"" "$metainfo" || fail "no AppStream release for ${version%-*}"
avek_version=$("$root/usr/bin/avek" --version)
[ "$avek_version" = "avek ${version%-*}" ] || fail "avek --version says '$avek_version'"

help_commands=$("$root/usr/bin/avektool" help | awk '/^Commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 }' | sort)
man_commands=$(zcat "$root/usr/share/man/man1/avektool.1.gz" |
  awk '/^\.SH COMMANDS/ { on = 1; next } /^\.SH/ { on = 0 } on && /^\.BI? / { print $2 }' | sed 's/\\-/-/g' | sort)
[ -n "$help_commands" ] && [ "$help_commands" = "$man_commands" ] ||
  fail "avektool help lists [$(echo $help_commands)], its manual page [$(echo $man_commands)]"

[ "$failures" -eq 0 ] || exit 1
echo "The package $(basename "$deb") passes lintian and the desktop and AppStream checks."
