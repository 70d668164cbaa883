#pragma once
// The journal of a batch set-up: one line per terminal, appended to a text file beside the
// settings file the batch writes. Its column names and result words are Russian whatever the
// interface language; the `код` column holds the outcome's ASCII code for scripts.

#include "settings/core_terminaloutcome.h"
#include "status/core_identity.h"

#include <QDateTime>
#include <QString>

// "<settings file without its suffix>.journal.tsv" in the settings file's folder.
QString batchJournalPath(const QString &settingsFilePath);

// The first line of a new journal: the names of its columns, TABs between, ended by LF.
QString batchJournalHeader();

// Time (local, to the second), model, serial number, IMEI, firmware version, result, port and
// the outcome's code, separated by TABs, ended by LF. TABs and line ends inside a value become
// blanks.
QString batchJournalLine(const QDateTime &when, const TerminalIdentity &terminal,
                         const QString &result, const QString &port, TerminalOutcome outcome);

// Makes the journal ready for a run: a new (or empty) one gets its header, an existing one is
// checked to take more bytes (one line end, written and flushed, then taken back, or kept when
// the last line had none). False, with the reason in *error, when it cannot be opened or
// written.
bool openBatchJournal(const QString &path, QString *error);

// Appends one line, flushed; false, with the reason, when any of it could not be written.
bool appendBatchJournal(const QString &path, const QString &line, QString *error);
