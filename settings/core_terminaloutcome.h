#pragma once
// How one terminal's set-up ended, as batch set-up, the station and `kvt-cli provision` tell it:
// a stable ASCII code for the journal's `код` column and scripts, and the result words, which
// the journal keeps in Russian whatever the interface language.

#include "settings/core_settingsecho.h"

#include <QLatin1String>
#include <QString>

#include <optional>

enum class TerminalOutcome {
    Confirmed,              // written and read back as written
    AlreadySet,             // the terminal held every value already: nothing written
    NotConfirmed,           // read back with other values
    WrongPassword,          // none of the values to change was taken
    NoAnswer,               // no answer in time, or the port cannot be opened
    Refused,                // the settings could not be written to this terminal
    OtherModel,             // the file was saved from another model and not written
    Unplugged,              // the line went in the middle
    InterruptedBeforeWrite, // stopped before anything was sent
    InterruptedAfterWrite,  // stopped after the write went out, before it was confirmed
    AlreadyDone,            // confirmed earlier in the same run
    FirmwareUpdated,
    FirmwareFailed,
};

// "confirmed", "already-set", ... "firmware-failed".
QLatin1String terminalOutcomeCode(TerminalOutcome outcome);
std::optional<TerminalOutcome> terminalOutcomeFromCode(const QString &code);

// The Russian result words (the source text of their translation in the "BatchSetup" context);
// NotConfirmed, Refused and OtherModel hold %1 (and %2) for what differs or why.
const char *terminalOutcomeWords(TerminalOutcome outcome);

// The outcome of a settings write that went out and was read back (or not).
TerminalOutcome terminalOutcomeOfWrite(WriteOutcome outcome);

// True for the outcomes that leave the terminal holding the file's values.
bool terminalOutcomeOk(TerminalOutcome outcome);
