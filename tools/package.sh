#!/bin/sh
# Builds the Debian package: a Release build for the prefix /usr in build-pkg (or
# $KVT_PKG_BUILD_DIR), without tests and benchmarks, with Debian's compiler and linker
# hardening flags; cpack writes build-pkg/kvt-logger_<version>_<arch>.deb, stripped, its
# dependencies computed by dpkg-shlibdeps. Check it with tools/check-package.sh.
set -e
cd "$(dirname "$0")/.."
sh tools/deps.sh
# dpkg-dev: dpkg-shlibdeps and dpkg-buildflags; file: cpack looks for the binaries with it
missing=""
for p in dpkg-dev file; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q $missing
fi

BUILD="${KVT_PKG_BUILD_DIR:-build-pkg}"
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DKVT_BUILD_TESTS=OFF -DKVT_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$CXXFLAGS" -DCMAKE_CXX_FLAGS_RELEASE="-DNDEBUG" \
    -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS"
cmake --build "$BUILD" -j"$(nproc)"
rm -f "$BUILD"/kvt-logger_*.deb
(cd "$BUILD" && cpack -G DEB)
for deb in "$BUILD"/kvt-logger_*.deb; do
    echo "Package: $deb ($(du -k "$deb" | cut -f1) KiB)"
done
