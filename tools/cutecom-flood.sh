#!/bin/sh
# CuteCom (the Debian package) on the simulator's flood under an X server, to put beside
# flood_e2e on the same flood (QT_QPA_PLATFORM=xcb DISPLAY=... flood_e2e --no-check): its
# intake (the bytes the simulator wrote, wchar of /proc/<pid>/io), its CPU seconds per MB and
# its resident size, over SECONDS after a warm-up. Needs cutecom and xdotool; CuteCom's first
# session (~/.config/CuteCom/CuteCom5.conf, made by starting it once) gets the device.
#   tools/cutecom-flood.sh KVT_SIM DISPLAY [SECONDS]
SIM=$1; DISP=$2; T=${3:-20}
LINK=/tmp/cutecom-flood-$$
"$SIM" --flood --quiet --link "$LINK" >/dev/null 2>&1 &
SIMPID=$!
for i in $(seq 50); do [ -e "$LINK" ] && break; sleep 0.1; done
CONF=$HOME/.config/CuteCom/CuteCom5.conf
# the pseudo-terminal itself (not the link), and no automatic reconnection: CuteCom's
# reconnection looks for the device among the serial ports and closes a pseudo-terminal
REAL=$(readlink -f "$LINK")
sed -i "s#^1\\\\Device=.*#1\\\\Device=$REAL#; s#^1\\\\autoReconnect=.*#1\\\\autoReconnect=false#" "$CONF"
QT_QPA_PLATFORM=xcb DISPLAY=$DISP cutecom >/dev/null 2>&1 &
CCPID=$!
# its "Open" button, at the top left of its window, pressed until the device is open
for i in $(seq 20); do
    DISPLAY=$DISP xdotool search --name "CuteCom" >/dev/null 2>&1
    sleep 1
    ls -l /proc/$CCPID/fd 2>/dev/null | grep -q "$REAL" && break
    DISPLAY=$DISP xdotool mousemove 50 43 click 1
    sleep 1
    ls -l /proc/$CCPID/fd 2>/dev/null | grep -q "$REAL" && break
done
sleep 2
wchar() { awk '/^wchar/ {print $2}' /proc/$1/io; }
cpu() { awk '{print $14 + $15}' /proc/$1/stat; }
rss() { awk '/^VmRSS/ {print $2}' /proc/$1/status; }
W0=$(wchar $SIMPID); C0=$(cpu $CCPID); R0=$(rss $CCPID)
sleep "$T"
W1=$(wchar $SIMPID); C1=$(cpu $CCPID); R1=$(rss $CCPID)
kill $CCPID; kill $SIMPID; wait $CCPID 2>/dev/null; wait $SIMPID 2>/dev/null
rm -f "$LINK"
TCK=$(getconf CLK_TCK)
awk -v w=$((W1 - W0)) -v c=$((C1 - C0)) -v t=$T -v k=$TCK -v r0=$R0 -v r1=$R1 'BEGIN {
  mb = w / 1e6; printf "cutecom: %.2f MB/s, %.3f CPU-s/MB, resident %.0f MB -> %.0f MB\n", mb / t, (c / k) / (mb > 0 ? mb : 1), r0 / 1024, r1 / 1024 }'
