#pragma once
// The journal of a batch set-up: one line per terminal, appended to a text file beside the
// settings file the batch writes.

#include "status/core_identity.h"

#include <QDateTime>
#include <QString>

// "<settings file without its suffix>.journal.tsv" in the settings file's folder.
QString batchJournalPath(const QString &settingsFilePath);

// Time (local, to the second), model, serial number, IMEI, firmware version and result,
// separated by TABs, ended by LF. TABs and line ends inside a value become blanks.
QString batchJournalLine(const QDateTime &when, const TerminalIdentity &terminal,
                         const QString &result);
