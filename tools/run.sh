#!/bin/sh
# Installs what is missing, builds only the program, kvt-cli and the simulator (Release, into
# build-run or $KVT_RUN_BUILD_DIR; no tests, no benchmarks), starts the terminal simulator on
# a pseudo-terminal and the program pointed at it. Extra arguments go to the simulator
# (see build-run/sim/kvt-sim --help).
set -e
cd "$(dirname "$0")/.."
sh tools/deps.sh
BUILD="${KVT_RUN_BUILD_DIR:-build-run}"
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DKVT_BUILD_TESTS=OFF -DKVT_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target kvt-logger kvt-cli kvt-sim
BUILD="$(cd "$BUILD" && pwd)"
LINK="${TMPDIR:-/tmp}/kvt-sim-port.$$"
"$BUILD/sim/kvt-sim" --link "$LINK" "$@" &
SIM=$!
trap 'kill $SIM 2>/dev/null; rm -f "$LINK"' EXIT INT TERM
i=0
while [ ! -e "$LINK" ] && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done
echo "Simulator port: $LINK (press the gear button \"Настройка COM порта\" or Alt+C, pick it, then \"Выбрать\")"
echo "From another shell meanwhile: $BUILD/kvt-cli info $LINK"
# the program finds its translations beside itself
KVT_SIMULATOR_PORT="$LINK" "$BUILD/kvt-logger"
