#!/bin/sh
# Builds the benchmarks (Release) and runs them all: the framing alone, the whole read path
# (64 B and 4 KiB chunks, log empty and at its cap), memory after 200 MB, and the
# simulator's flood end to end, the station, a 100 MB recording played back (kvt-cli replay
# --json, the window, a seek) and the installation register on PostgreSQL. See bench/README.md.
#   KVT_BENCH_BUILD_DIR  build folder (default build-bench)
#   FLOOD_SECONDS        length of the end-to-end run (default 30)
#   REGISTER_LINES       journal lines the register benchmark imports (default 1000000)
set -e
cd "$(dirname "$0")/.."
BUILD="${KVT_BENCH_BUILD_DIR:-build-bench}"
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD" -j2 --target bench_framing bench_readpath flood_e2e station_e2e kvt-sim replay_bench register_e2e kvt-cli
BIN="$BUILD/bench"
# Diagnostics on stderr go to /dev/null (the per-record traces are off unless turned on
# through QT_LOGGING_RULES; a file or a terminal would be measured along with the program).
LOG=/dev/null
export QT_QPA_PLATFORM=offscreen

echo "== load: $(uptime)"
echo "== framing alone"
"$BIN/bench_framing" 2>>"$LOG"
echo "== read path through the main window"
"$BIN/bench_readpath" --benchmark_filter='BM_ReadPath/' 2>>"$LOG"
echo "== read path with every view on: time stamps, charts"
"$BIN/bench_readpath" --stamps --charts --benchmark_filter='BM_ReadPath/chunk:(64|4096)/full:1/' 2>>"$LOG"
echo "== memory after 200 MB through the read path"
"$BIN/bench_readpath" --benchmark_filter='BM_ReadPathMemory' 2>>"$LOG"
echo "== end to end: simulator flood for ${FLOOD_SECONDS:-30} s"
"$BIN/flood_e2e" --seconds "${FLOOD_SECONDS:-30}" 2>>"$LOG"
echo "== end to end with time stamps, charts and recording"
"$BIN/flood_e2e" --seconds "${FLOOD_SECONDS:-30}" --stamps --charts --record 2>>"$LOG"
echo "== provisioning station: 1 and 8 simulated terminals at once"
"$BIN/station_e2e" 2>>"$LOG"
"$BIN/station_e2e" --answer-delay 20 2>>"$LOG"
echo "== provisioning station: the register off, on SQLite, on PostgreSQL, in turn"
for round in 1 2 3; do
    for where in off sqlite postgresql; do
        echo "-- register $where"
        "$BIN/station_e2e" --rounds 1 --answer-delay 20 --register "$where" 2>>"$LOG"
    done
done
echo "== provisioning station: terminals flooding at full USB speed"
"$BIN/station_e2e" --rounds 1 --flood 1200000 2>>"$LOG"
echo "== a 100 MB recording played back"
"$BIN/replay_bench" 2>>"$LOG"
echo "== installation register: ${REGISTER_LINES:-1000000} journal lines into PostgreSQL"
"$BIN/register_e2e" --lines "${REGISTER_LINES:-1000000}" 2>>"$LOG"
echo "== load: $(uptime)"
