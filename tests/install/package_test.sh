#!/usr/bin/env bash
# package_test.sh SOURCE_DIR WORK_DIR
# Makes the Debian package with scripts/package, twice at once, building in
# WORK_DIR, and checks that it holds the install it was made from (names,
# contents, link targets), that it depends on the package of each library the
# program links and of each file its links point to, and on nothing else, and
# that lintian finds neither error nor warning in it.
set -euo pipefail
source_dir=$1 work=$2
mkdir -p "$work"
# Two runs at once in one folder (WORK_DIR's name holds a space): each must
# make the whole package and nothing more.
package() { PACKAGE_BUILD_DIR="$work/build" BUILD_DIR="$work" "$source_dir/scripts/package" 2>"$work/package$1.log"; }
package 2 >"$work/other.path" &
other=$!
deb=$(package 1) || { cat "$work/package1.log"; exit 1; }
wait "$other" || { cat "$work/package2.log"; exit 1; }
[ "$(cat "$work/other.path")" = "$deb" ] || { echo "the runs printed $deb and $(cat "$work/other.path")"; exit 1; }
status=0
fail() { echo "FAIL: $*"; status=1; }

rm -rf "$work/installed" "$work/unpacked"
DESTDIR="$work/installed" cmake --install "$work/build" --strip >/dev/null
dpkg-deb -x "$deb" "$work/unpacked"
diff -r --no-dereference "$work/installed" "$work/unpacked" || fail "the package is not the install"

# The Debian packages owning each file, without their architecture.
owners() { dpkg -S "$1" | sed 's/: .*//' | tr ',' '\n' | sed 's/:.*//; s/ //g'; }
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
expected=$(
  cd "$work/unpacked"
  find . -type f -perm -u+x | while read -r file; do
    [ "$(head -c 4 "$file")" = $'\x7fELF' ] || continue
    for library in $(objdump -p "$file" | awk '$1 == "NEEDED" { print $2 }'); do
      owners "*/$multiarch/$library"
    done
  done
  find . -type l | while read -r link; do
    target=$(realpath -m "$(dirname "${link#.}")/$(readlink "$link")")
    [ -e "./$target" ] || owners "$target"
  done
)
expected=$(sort -u <<<"$expected")
depends=$(dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/ //g' | sort -u)
[ "$depends" = "$expected" ] || fail "Depends: $(echo $depends), but the program needs $(echo $expected)"

lintian --fail-on error,warning "$deb" || fail "lintian"
exit $status
