#!/bin/sh
# Checks the Debian package made by tools/package.sh (or the .deb given): unpacks it into a
# clean temporary tree (dpkg-deb -x), checks what it installs, starts the installed program
# and simulator once, and runs lintian, which must report no errors. Exits non-zero on any
# failure.
set -u
cd "$(dirname "$0")/.."
DEB="${1:-$(ls -t "${KVT_PKG_BUILD_DIR:-build-pkg}"/kvt-logger_*.deb 2>/dev/null | head -n 1)}"
[ -n "$DEB" ] && [ -f "$DEB" ] || { echo "no package: run sh tools/package.sh first" >&2; exit 2; }

# the checking tools, installed when missing
missing=""
for p in lintian desktop-file-utils appstream file binutils; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -q && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q $missing \
        || { echo "cannot install:$missing" >&2; exit 2; }
fi

APP_ID=com.example.kvt_terminal.kvt_logger
TREE="$(mktemp -d)"
trap 'rm -rf "$TREE"' EXIT INT TERM
failures=0
ok() { echo "ok    $*"; }
fail() { echo "FAIL  $*"; failures=$((failures + 1)); }
has() { [ -e "$TREE/$1" ] && ok "/${1#root/}" || fail "/${1#root/} missing"; }

dpkg-deb -x "$DEB" "$TREE/root" || { echo "dpkg-deb -x failed" >&2; exit 1; }
dpkg-deb -e "$DEB" "$TREE/control"
R=root

echo "== $DEB: $(du -k "$DEB" | cut -f1) KiB"
dpkg-deb -f "$DEB" Package Version Architecture Section Depends Installed-Size

echo "== binaries"
for exe in kvt-logger kvt-sim kvt-cli; do
    f="$TREE/$R/usr/bin/$exe"
    if [ ! -x "$f" ]; then fail "usr/bin/$exe missing or not executable"; continue; fi
    if file -b "$f" | grep -q 'not stripped' || readelf -S "$f" | grep -q '\.debug_info\|\.symtab'; then
        fail "usr/bin/$exe is not stripped"
    else
        ok "usr/bin/$exe stripped ($(du -k "$f" | cut -f1) KiB)"
    fi
done
depends="$(dpkg-deb -f "$DEB" Depends)"
for lib in libqt5core5a libqt5gui5 libqt5widgets5 libqt5serialport5; do
    echo "$depends" | grep -q "$lib" && ok "depends on $lib" || fail "no dependency on $lib"
done

echo "== translations"
for qm in terminal_ru terminal_en; do has "$R/usr/share/kvt-logger/$qm.qm"; done

echo "== desktop entry"
desktop="$R/usr/share/applications/$APP_ID.desktop"
has "$desktop"
if [ -f "$TREE/$desktop" ]; then
    desktop-file-validate "$TREE/$desktop" && ok "desktop-file-validate" || fail "desktop-file-validate"
    grep -q '^Path=' "$TREE/$desktop" && fail "desktop entry depends on a working folder (Path=)"
    grep -q '^Exec=kvt-logger$' "$TREE/$desktop" && ok "Exec=kvt-logger" || fail "Exec is not kvt-logger"
    grep -q '^Icon=kvt-logger$' "$TREE/$desktop" && ok "Icon=kvt-logger" || fail "Icon is not kvt-logger"
fi

echo "== icons"
has "$R/usr/share/icons/hicolor/scalable/apps/kvt-logger.svg"
for n in 16 22 24 32 48 64 128 256; do
    png="$TREE/$R/usr/share/icons/hicolor/${n}x${n}/apps/kvt-logger.png"
    if file -b "$png" 2>/dev/null | grep -q "PNG image data, $n x $n,"; then
        ok "hicolor ${n}x${n} PNG"
    else
        fail "hicolor ${n}x${n}: $(file -b "$png" 2>&1)"
    fi
done

echo "== AppStream metainfo"
meta="$R/usr/share/metainfo/$APP_ID.metainfo.xml"
has "$meta"
if [ -f "$TREE/$meta" ]; then
    appstreamcli validate --no-net "$TREE/$meta" >"$TREE/appstream.log" 2>&1 \
        && ok "appstreamcli validate" || { cat "$TREE/appstream.log"; fail "appstreamcli validate"; }
    grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$TREE/$meta" \
        && ok "metainfo launches the desktop entry" || fail "metainfo launchable"
fi

echo "== udev rule"
has "$R/lib/udev/rules.d/99-kvt-terminal.rules"
stray="$(cd "$TREE/$R" && find . -name '*.rules' ! -path './lib/udev/rules.d/*')"
[ -z "$stray" ] && ok "no rule outside /lib/udev/rules.d" || fail "rules elsewhere: $stray"
if [ -f "$TREE/control/postinst" ]; then
    grep -q 'udevadm control --reload-rules' "$TREE/control/postinst" && ok "postinst reloads the rules" \
        || fail "postinst does not reload the rules"
    # without udev (a container, a chroot) the post-install script must still succeed
    env PATH=/nonexistent /bin/sh "$TREE/control/postinst" configure && ok "postinst without udevadm" \
        || fail "postinst fails without udevadm"
else
    fail "no postinst"
fi

echo "== documentation"
has "$R/usr/share/doc/kvt-logger/copyright"
has "$R/usr/share/doc/kvt-logger/changelog.gz"
has "$R/usr/share/man/man1/kvt-logger.1.gz"
has "$R/usr/share/man/man1/kvt-sim.1.gz"
has "$R/usr/share/man/man1/kvt-cli.1.gz"
has "$R/usr/share/bash-completion/completions/kvt-cli"

echo "== start-up from the unpacked tree"
QT_QPA_PLATFORM=offscreen HOME="$TREE/home" XDG_CONFIG_HOME="$TREE/home/.config" \
    timeout 3 "$TREE/$R/usr/bin/kvt-logger" >"$TREE/run.log" 2>&1
rc=$?
[ $rc -eq 124 ] && ok "kvt-logger runs (stopped after 3 s)" || { cat "$TREE/run.log"; fail "kvt-logger exited with $rc"; }
"$TREE/$R/usr/bin/kvt-sim" --help >/dev/null 2>&1 && ok "kvt-sim --help" || fail "kvt-sim --help"
# the command line needs no display: no widgets library among its libraries
"$TREE/$R/usr/bin/kvt-cli" --version >/dev/null 2>&1 && ok "kvt-cli --version" || fail "kvt-cli --version"
readelf -d "$TREE/$R/usr/bin/kvt-cli" 2>/dev/null | grep -q 'libQt5\(Widgets\|Gui\)' \
    && fail "kvt-cli links Qt's widgets or GUI library" || ok "kvt-cli links neither QtWidgets nor QtGui"

echo "== lintian"
lintian --tag-display-limit 0 --display-info "$DEB" >"$TREE/lintian.log" 2>&1
cat "$TREE/lintian.log"
errors=$(grep -c '^E: ' "$TREE/lintian.log")
warnings=$(grep -c '^W: ' "$TREE/lintian.log")
echo "lintian: $errors error(s), $warnings warning(s)"
[ "$errors" -eq 0 ] && ok "lintian reports no errors" || fail "lintian reports errors"

echo
if [ $failures -eq 0 ]; then echo "package check passed"; else echo "package check: $failures failure(s)"; fi
[ $failures -eq 0 ]
