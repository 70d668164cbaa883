#!/bin/sh
# Installs what is missing, builds, starts the terminal simulator on a pseudo-terminal and
# the program pointed at it. Extra arguments go to the simulator (see build/sim/kvt-sim --help).
set -e
cd "$(dirname "$0")/.."
sh tools/deps.sh
sh tools/build.sh
BUILD="$(cd "${KVT_BUILD_DIR:-build}" && pwd)"
LINK="${TMPDIR:-/tmp}/kvt-sim-port.$$"
"$BUILD/sim/kvt-sim" --link "$LINK" "$@" &
SIM=$!
trap 'kill $SIM 2>/dev/null; rm -f "$LINK"' EXIT INT TERM
i=0
while [ ! -e "$LINK" ] && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done
echo "Simulator port: $LINK (choose it under \"Настройка\", Alt+C, then \"Выбрать\")"
# the program loads its translation from the current folder
cd "$BUILD"
KVT_SIMULATOR_PORT="$LINK" ./kvt-logger
