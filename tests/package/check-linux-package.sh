#!/usr/bin/env bash
# What `make package` wrote for Linux players, checked with Debian's own
# tools, then installed as a player installs it and run:
#   check-linux-package.sh PACKAGE_DIR VERSION SOURCE_DIR
# Installs with apt where the run is root and the package is not installed
# yet (and removes it again); otherwise unpacks it with dpkg-deb.
set -euo pipefail
dir=$(readlink -f "$1") version=$2 source=$(readlink -f "$3")
deb=$dir/ravelstone-config_${version}_$(dpkg --print-architecture).deb
tarball=$dir/ravelstone-config-$version-source.tar.gz
editor=/usr/bin/ravelstone-config
. "$source/tests/e2e/editor-session.sh"
for file in "$deb" "$tarball" "$dir/SHA256SUMS"; do
    [ -f "$file" ] || fail "no $file: run make package"
done
(cd "$dir" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the packages"

# Debian's checks of the package as a whole: errors fail, the rest is shown.
lintian --fail-on error --display-info "$deb" >"$work/lintian" 2>&1 || { cat "$work/lintian"; fail "lintian found errors"; }
grep -E '^[EWI]:' "$work/lintian" || true
echo "ok - lintian finds no errors"
dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ //' >"$work/depends"
for library in libsdl2-2.0-0 libqt6widgets6 libasound2 libx11-6; do
    grep -q "^$library\b" "$work/depends" || fail "Depends lacks $library: $(paste -sd, "$work/depends")"
done
echo "ok - Depends: $(paste -sd, "$work/depends")"

root=$work/unpacked
dpkg-deb -x "$deb" "$root"
share=$root/usr/share
desktop=$share/applications/ravelstone-config.desktop
metainfo=$share/metainfo/ravelstone-config.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop-file-validate: $desktop"
# The record's id is the desktop entry's name: an id in reverse-DNS form
# needs a domain the project owns, and an id cannot change once released.
status=0
appstreamcli validate --no-net "$metainfo" >"$work/appstream" 2>&1 || status=$?
findings=$(grep -E '^[EW]:' "$work/appstream" | sed 's/:[0-9]*: / /') || true
[ "$status" = 0 ] || [ "$findings" = "W: ravelstone-config cid-desktopapp-is-not-rdns ravelstone-config" ] ||
    { cat "$work/appstream"; fail "appstreamcli validate: $metainfo"; }
grep -qx 'Exec=ravelstone-config' "$desktop" && [ -x "$root/usr/bin/ravelstone-config" ] ||
    fail "the desktop entry does not start the packaged editor"
grep -q '<launchable type="desktop-id">ravelstone-config.desktop</launchable>' "$metainfo" ||
    fail "the software centres' record does not launch the desktop entry"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the record's release is not $version"
for shot in $(grep -o '/linux-[a-z-]*\.png' "$metainfo"); do
    [ -f "$source/docs$shot" ] || fail "the record names a screenshot docs$shot does not hold"
done
grep -qx 'Icon=ravelstone-config' "$desktop" || fail "the desktop entry names another icon"
for size in 16 22 24 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x$size/apps/ravelstone-config.png
    [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x$size" ] || fail "no ${size}x$size icon"
done
echo "ok - desktop-file-validate and appstreamcli accept the entry and the record; icons in 8 sizes"

# The pages render without a warning, from the programs' own --help.
for program in ravelstone-config ravelstone-cfg; do
    page=$share/man/man1/$program.1.gz
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>"$work/warnings" >/dev/null ||
        fail "man cannot render $page"
    [ ! -s "$work/warnings" ] || fail "man warns about $page: $(cat "$work/warnings")"
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" >"$work/page" 2>/dev/null
    "$root/usr/bin/$program" --help | grep -E -o -- '--[a-z-]+' | sort -u >"$work/options"
    while read -r option; do
        grep -qF -- "$option" "$work/page" || fail "$program(1) lacks $option of its --help"
    done <"$work/options"
    grep -q "$program $version" "$work/page" || fail "$program(1) is not of version $version"
done
echo "ok - man renders ravelstone-config(1) and ravelstone-cfg(1) without warnings, with every option of --help"

listing=$(tar -tzf "$tarball")
grep -qx "ravelstone-config-$version-source/CMakeLists.txt" <<<"$listing" || fail "the source archive lacks CMakeLists.txt"
grep -qx "ravelstone-config-$version-source/src/app/qt/main.cpp" <<<"$listing" || fail "the source archive lacks the sources"
! grep -E '/(build|\.git)/' <<<"$listing" >/dev/null || fail "the source archive holds build output or Git's data"
echo "ok - the source archive holds the tree without build output"

installed() { dpkg-query -W -f='${Status}' ravelstone-config 2>/dev/null | grep -q "install ok installed"; }
remove() { apt-get purge -y -o DPkg::Lock::Timeout=600 ravelstone-config >/dev/null 2>&1 || true; }
if [ "$(id -u)" = 0 ] && ! installed; then
    on_exit=remove
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
        -o DPkg::Lock::Timeout=600 "$deb" >"$work/apt" 2>&1 || { cat "$work/apt"; fail "apt-get install $deb"; }
    dpkg -L ravelstone-config
    bin=/usr/bin how=installed
else
    echo "note: not root, or the package is installed already: running it unpacked in $root"
    bin=$root/usr/bin editor=$root/usr/bin/ravelstone-config how=unpacked
fi
"$bin/ravelstone-cfg" defaults "$work/defaults.cfg" || fail "the $how ravelstone-cfg defaults ended with $?"
[ "$(stat -c %s "$work/defaults.cfg")" = 596 ] || fail "ravelstone-cfg defaults did not write 596 bytes"
echo "ok - the $how ravelstone-cfg defaults writes 596 bytes"

# No sound card here: ALSA's null device stands in for one.
printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
start
click ok
finish 0 "OK in the $how editor"
# The defaults for what this machine answered: pixel shaders (583), sound (586).
flags=()
[ "$(byte 583 "$settings")" = 1 ] || flags+=(--no-pixel-shader)
[ "$(byte 586 "$settings")" = 0 ] || flags+=(--no-sound)
"$bin/ravelstone-cfg" defaults "$work/expected.cfg" "${flags[@]}"
cmp "$settings" "$work/expected.cfg" || fail "OK in the $how editor did not write the defaults (${flags[*]})"
echo "ok - the $how ravelstone-config opens its sheet and OK writes the defaults (${flags[*]:-with pixel shaders and sound})"
if [ "$on_exit" = remove ]; then
    remove
    on_exit=true
    ! installed && [ ! -e /usr/bin/ravelstone-config ] && [ ! -e /usr/bin/ravelstone-cfg ] ||
        fail "the package is still installed after apt-get purge"
    echo "ok - apt-get installed the package and purged it again"
fi
