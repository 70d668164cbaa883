#!/bin/sh
# Installs the Debian packages the program, its tests and benchmarks need, when missing.
# qttranslations5-l10n holds Qt's own Russian texts (standard buttons and dialogs);
# poppler-utils lets the report test look at the PDF as pictures; postgresql and the Qt SQL
# drivers let the register test start its own PostgreSQL server. Package names given as
# arguments are installed as well (tools/sanitize.sh and tools/fuzz.sh add clang).
set -e
PACKAGES="build-essential cmake qtbase5-dev qtbase5-dev-tools libqt5serialport5-dev qttools5-dev qttools5-dev-tools qttranslations5-l10n libbenchmark-dev libqwt-qt5-dev poppler-utils postgresql libqt5sql5-psql libqt5sql5-sqlite $*"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q $missing
