#!/bin/sh
# Builds every libFuzzer target of tests/fuzz with clang (into build-fuzz or $KVT_FUZZ_DIR)
# and runs each for the given number of seconds (default 60), starting from its seeds in
# tests/fuzz/seeds/<name without "fuzz_">/ (or seeds/<target>/). What the fuzzer learns goes to
# <build>/fuzz-corpus/<target>/, what it finds (crash-*, leak-*, timeout-*, oom-*) to
# <build>/fuzz-artifacts/<target>/: nothing is written into the source tree. Exits non-zero
# when a target found something. Further arguments name the targets to run (default: all).
# Not part of tools/test.sh (see README).
#   sh tools/fuzz.sh 600
#   sh tools/fuzz.sh 600 fuzz_settingsfile fuzz_settingsecho
set -e
cd "$(dirname "$0")/.."
SECONDS_EACH="${1:-60}"
case "$SECONDS_EACH" in
    ''|*[!0-9]*) echo "usage: $0 [seconds per target [target...]]" >&2; exit 2 ;;
esac
[ $# -gt 0 ] && shift
ONLY="$*"
sh tools/deps.sh clang libclang-rt-14-dev
SOURCE="$(pwd)"
BUILD="${KVT_FUZZ_DIR:-build-fuzz}"
CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKVT_BUILD_FUZZ=ON -DKVT_BUILD_TESTS=OFF -DKVT_BUILD_BENCH=OFF >/dev/null
BUILD="$(cd "$BUILD" && pwd)"
# every fuzz_* target the build defines, whoever added it
TARGETS="$(cmake --build "$BUILD" --target help | grep -o 'fuzz_[A-Za-z0-9_]*' | sort -u)"
[ -n "$TARGETS" ] || { echo "no fuzz targets in $BUILD" >&2; exit 1; }
# shellcheck disable=SC2086
cmake --build "$BUILD" -j"${KVT_JOBS:-$(nproc)}" --target $TARGETS

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$SOURCE/tools/lsan.supp"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# libFuzzer writes into its working folder when no prefix applies: keep that the build folder
cd "$BUILD"
found=""
for exe in $(find "$BUILD" -type f -perm -u+x -name 'fuzz_*' | sort); do
    target="$(basename "$exe")"
    if [ -n "$ONLY" ]; then
        case " $ONLY " in *" $target "*) ;; *) continue ;; esac
    fi
    corpus="$BUILD/fuzz-corpus/$target"
    artifacts="$BUILD/fuzz-artifacts/$target"
    seeds="$SOURCE/tests/fuzz/seeds/${target#fuzz_}"
    [ -d "$seeds" ] || seeds="$SOURCE/tests/fuzz/seeds/$target"
    mkdir -p "$corpus" "$artifacts"
    [ -d "$seeds" ] || { echo "$target: no seeds in $seeds, starting from nothing"; seeds=""; }
    # Qt 5.15's JSON parser leaks a few blocks on some malformed documents (seen with a
    # program that calls nothing but QJsonDocument::fromJson): the settings file target runs
    # without leak checks, every other with them
    leaks=1
    [ "$target" = fuzz_settingsfile ] && leaks=0
    echo "== $target, $SECONDS_EACH s"
    # the corpus first: new inputs go there; the seeds are only read
    # shellcheck disable=SC2086
    if ! ASAN_OPTIONS="detect_leaks=$leaks" "$exe" -max_total_time="$SECONDS_EACH" -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$corpus" $seeds; then
        found="$found $target"
    fi
done
if [ -n "$found" ]; then
    echo "found something:$found (see $BUILD/fuzz-artifacts/)" >&2
    exit 1
fi
echo "no findings"
