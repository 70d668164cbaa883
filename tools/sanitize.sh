#!/bin/sh
# Builds everything with clang, AddressSanitizer and UndefinedBehaviorSanitizer (into
# build-sanitize or $KVT_SANITIZE_DIR) and runs the whole test suite with leak detection on.
# A report fails the test that made it. tools/lsan.supp silences only what Qt's offscreen
# platform plugin and fontconfig keep until the process ends; nothing of ours is suppressed.
# Not part of tools/test.sh: run it before a release and after changing the read path, the
# decoders or the settings files (see README).
set -e
cd "$(dirname "$0")/.."
sh tools/deps.sh clang libclang-rt-14-dev
BUILD="${KVT_SANITIZE_DIR:-build-sanitize}"
JOBS="${KVT_JOBS:-$(nproc)}"
FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKVT_BUILD_BENCH=OFF -DKVT_BUILD_FUZZ=OFF \
    -DCMAKE_C_FLAGS="$FLAGS" -DCMAKE_CXX_FLAGS="$FLAGS" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build "$BUILD" -j"$JOBS"

export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=$(pwd)/tools/lsan.supp:print_suppressions=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$JOBS"
