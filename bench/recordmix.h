// Record lines as a busy terminal sends them, for the read path benchmarks.
#pragma once

#include <QByteArray>

namespace bench {

// At least minBytes of whole record lines (CR LF ended): the live records of a terminal
// sending every 100 ms, the state and sensor answers of a polling host every tenth tick,
// and every hundredth tick the identity, task and counter records and the settings
// record. Every record kind the simulator sends is there except RD (a restart closes the
// port). The same call always gives the same kinds in the same order.
QByteArray busyTerminalMix(int minBytes);

// Number of record lines (LF bytes) in data.
int countLines(const QByteArray &data);

} // namespace bench
