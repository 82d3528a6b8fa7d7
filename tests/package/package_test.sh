#!/usr/bin/env bash
# Builds the Debian package from the program as built (as `make package` does) into a
# temporary folder and checks what it ships. Usage: package_test.sh BUILD_FOLDER
set -uo pipefail

build=$1
if ! command -v dpkg-deb >/dev/null; then
  echo "dpkg-deb non disponibile: nessun pacchetto da provare"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FALLITO: $*"
  failures=$((failures + 1))
}

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  exit 1
fi
debs=("$work"/out/corvalisto_*_amd64.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "FALLITO: cpack non ha scritto un solo corvalisto_VERSIONE_amd64.deb"
  ls "$work/out"
  exit 1
fi
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "corvalisto_${version}_amd64.deb" ] || fail "nome del pacchetto $(basename "$deb")"

# Everything under /usr, owned by root, nothing writable by others.
dpkg-deb -c "$deb" | awk '{ print $1, $2, $6 }' >"$work/listing"
while read -r mode owner path; do
  case "$path" in ./ | ./usr/ | ./usr/*) ;; *) fail "fuori da /usr: $path" ;; esac
  [ "$owner" = root/root ] || fail "$path appartiene a $owner"
  [ "${mode:8:1}" = w ] && fail "$path scrivibile da tutti ($mode)"
done <"$work/listing"

expect_file() { # PATH MODE
  grep -qxF -- "$2 root/root ./$1" "$work/listing" || fail "manca ./$1 ($2)"
}
expect_file usr/bin/corvalisto -rwxr-xr-x
for f in usr/share/applications/corvalisto.desktop \
  usr/share/metainfo/it.corvalisto.corvalisto.metainfo.xml \
  usr/share/man/man1/corvalisto.1.gz \
  usr/share/doc/corvalisto/copyright \
  usr/share/doc/corvalisto/changelog.gz \
  usr/share/icons/hicolor/scalable/apps/corvalisto.svg; do
  expect_file "$f" -rw-r--r--
done

dpkg-deb -x "$deb" "$work/root"
root=$work/root

# Each PNG icon has the size its folder names (width and height from the PNG header).
for size in 16 24 32 48 64 128 256; do
  png=usr/share/icons/hicolor/${size}x${size}/apps/corvalisto.png
  expect_file "$png" -rw-r--r--
  [ -f "$root/$png" ] || continue
  dims=$(od -An -tu1 -j16 -N8 "$root/$png" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }')
  [ "$dims" = "${size}x${size}" ] || fail "$png misura $dims"
done

# Dependencies: computed from the binary, plus what it loads or calls at run time.
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6core6 libqt6widgets6 libqt6sql6-sqlite libqt6sql6-psql fonts-liberation2 postgresql-client; do
  [[ ", $depends," == *", $p"[\ ,]* ]] || fail "Depends senza $p: $depends"
done
for field in Section Description Maintainer; do
  [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "campo $field vuoto"
done

# One version everywhere: the package, the program, the release notes, the changelog.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/corvalisto" --version 2>/dev/null)
[ "$out" = "Corvalisto $version" ] || fail "corvalisto --version dice \"$out\", il pacchetto $version"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$root/usr/share/metainfo/it.corvalisto.corvalisto.metainfo.xml" ||
  fail "metainfo senza la release $version"
zcat "$root/usr/share/doc/corvalisto/changelog.gz" | head -1 | grep -qF "corvalisto ($version)" ||
  fail "changelog non comincia con la versione $version"
zcat "$root/usr/share/man/man1/corvalisto.1.gz" | grep -qF "Corvalisto $version" || fail "manuale senza la versione $version"

# The menu entry starts the packaged binary with the packaged icon.
desktop=$root/usr/share/applications/corvalisto.desktop
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name non è nel pacchetto"
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon=$icon non è nel pacchetto"
grep -q '<launchable type="desktop-id">corvalisto.desktop</launchable>' \
  "$root/usr/share/metainfo/it.corvalisto.corvalisto.metainfo.xml" || fail "metainfo non lancia corvalisto.desktop"

# The freedesktop and Debian checkers, where installed (scripts/setup.sh installs the first two).
metainfo=$root/usr/share/metainfo/it.corvalisto.corvalisto.metainfo.xml
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 || {
    cat "$work/appstream.log"
    fail "appstreamcli validate"
  }
fi
if command -v man >/dev/null; then
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
    "$root/usr/share/man/man1/corvalisto.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "avvisi del manuale: $warnings"
fi
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || {
    cat "$work/lintian.log"
    fail "lintian trova errori"
  }
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures controlli falliti su $(basename "$deb")"
  exit 1
fi
echo "pacchetto $(basename "$deb"): contenuto e controlli a posto"
