#!/bin/sh
# Configures and builds everything into ./build (or $KVT_BUILD_DIR).
set -e
cd "$(dirname "$0")/.."
BUILD="${KVT_BUILD_DIR:-build}"
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" -j"$(nproc)"
