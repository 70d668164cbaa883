#!/bin/sh
# Installs what is missing, builds, and runs the whole test suite.
set -e
cd "$(dirname "$0")/.."
sh tools/deps.sh
sh tools/build.sh
BUILD="${KVT_BUILD_DIR:-build}"
cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
