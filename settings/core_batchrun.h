#pragma once
// The run of a batch set-up, without widgets: the same settings file written to one terminal
// after another. Every time a terminal is connected it waits for the terminal's identity
// (the identity record, the serial number and the IMEI), reads its settings, writes the
// file's settings through a SettingsWriter, waits for the confirmation and appends one line
// to the journal beside the settings file. A terminal written and confirmed in this run is not
// written again. What it is doing goes out as progress texts; asking the user (a terminal of
// another model than the file) is a function the owner gives.

#include "link/recordnames.h"
#include "settings/core_settingsecho.h"
#include "settings/core_settingsfile.h"
#include "settings/core_terminaloutcome.h"
#include "settings/core_terminalsettings.h"
#include "status/core_identity.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QTimer;
class SettingsWriter;

// What goes to a terminal that reported `reported` when a settings file's values are written
// to it: the file's values over the terminal's own, the access password given, never a new
// password, the CAN parameters and the CAN program while RS485 is set to KVA-CAN. Batch set-up
// and the command line write the same.
TerminalSettings settingsOverReported(const TerminalSettings &reported,
                                      const SettingsValues &fileValues,
                                      const QString &accessPassword);

class BatchRun : public QObject
{
    Q_OBJECT

public:
    // Where the terminal being set up is, as a station's table shows it.
    enum class Stage { Waiting, Reading, Writing, Checking, Done, Failed };

    // Writes and reads through `writer`, which the owner keeps.
    explicit BatchRun(SettingsWriter *writer, QObject *parent = nullptr);

    // Where the connected terminal's identity comes from once it has reported it.
    void setIdentitySource(std::function<TerminalIdentity()> source);
    // The port the terminal is on, for the journal.
    void setPortSource(std::function<QString()> source);
    // Asked when the file was saved from another model than the terminal's: true writes it,
    // and every further terminal of that model. Without one such a terminal is not written.
    using ModelQuestion =
        std::function<bool(const QString &shownFileModel, const QString &terminalModel)>;
    void setModelQuestion(ModelQuestion ask);

    // Starts with a settings file read whole (readSettingsFile) and the terminals' access
    // password, opening the journal beside the file (openBatchJournal: a new journal starts
    // with the names of its columns). False, with the journal's error in `journalError`, when
    // the journal cannot be opened or written: nothing starts. With a terminal connected now, that terminal is the first and its identity
    // is asked for.
    bool start(const SettingsFile &file, const QString &settingsPath,
               const QString &accessPassword, bool connectedNow, QString *journalError);
    void stop();
    bool isRunning() const { return running; }

    // Runs side by side (one a port) share the terminals written and confirmed: a terminal
    // confirmed by one of them is not written again by another. Each run has its own set
    // unless given one; start() empties it only when it is the run's own.
    using DoneSerials = std::shared_ptr<QSet<QString>>;
    void shareDoneSerials(DoneSerials serials);
    // Appends to this journal instead of the one beside the settings file (empty: beside it).
    void setJournalPath(const QString &path);

    // How long a terminal may take to report its identity or its settings; 5 s unless set.
    void setAnswerTimeout(int ms);

    QString settingsPath() const { return settingsFile; }
    QString journalPath() const { return journal; }
    // Terminals written and confirmed; those that held the file's values already.
    int confirmedCount() const { return confirmed; }
    int alreadySetCount() const { return alreadySet; }
    int failedCount() const { return failed; }
    Stage stage() const { return shown; }
    // The terminal being set up (or the last one), as it reported itself.
    const TerminalIdentity &currentTerminal() const { return terminal; }

    // What is written to a terminal that reported `reported` (settingsOverReported with the
    // run's file and password).
    TerminalSettings settingsFor(const TerminalSettings &reported) const;

public slots:
    // A terminal was connected.
    void terminalConnected();
    // An identity record (RecordKind::Identity), a serial number or an IMEI came.
    void identityRecordSeen(RecordKind kind);
    // A settings record came.
    void settingsReported(const TerminalSettings &reported);
    // The line went: a terminal in the middle of its set-up ends as unplugged.
    void terminalLost();
    // Ends a terminal in the middle (its journal line says whether its write had gone out)
    // and stops.
    void abandon();

signals:
    // The identity request is to be sent.
    void identityRequested();
    void runningChanged(bool running);
    // What the run does now, or how the last terminal ended (`failure` when it failed).
    void progress(const QString &state, bool failure);
    void stageChanged(BatchRun::Stage stage);
    // A terminal ended with its journal line: `result` in the interface language.
    void terminalFinished(const QString &result, TerminalOutcome outcome);
    // The terminal connected was confirmed earlier in this run: nothing is written, its
    // journal line says so (already-done).
    void alreadyConfirmed(const QString &serialNumber);
    // The journal could not be written; the run stops right after.
    void journalFailed(const QString &path, const QString &error);
    // A line was appended to the journal, as it stands there (the installation register
    // records it).
    void journalLineWritten(const QString &line);

private:
    enum class Step { Waiting, Identity, Checking, Settings, Confirm };

    void identityComplete();
    void writeFinished(WriteOutcome outcome, const QStringList &differing);
    void timedOut();
    // Ends the current terminal: its journal line, the counts and the progress. `args` fill
    // the outcome's words as the interface says them; `russianArgs`, when given, as the
    // journal keeps them (in Russian whatever the interface language).
    void finishTerminal(TerminalOutcome outcome, const QStringList &args = QStringList(),
                        const QStringList &russianArgs = QStringList());
    // Appends the current terminal's line; on failure says so and stops.
    bool writeJournal(TerminalOutcome outcome, const QString &words);
    void setStage(Stage stage);

    SettingsWriter *const writer;
    std::function<TerminalIdentity()> identitySource;
    std::function<QString()> portSource;
    ModelQuestion askModel;

    bool running = false;
    Step step = Step::Waiting;
    QString settingsFile;
    QString journal;
    QString password;
    SettingsFile file;
    TerminalSettings writing;      // what went to the terminal being set up
    TerminalIdentity terminal;     // the terminal being set up
    QSet<int> identitySeen;        // identity record kinds since the connection
    DoneSerials doneSerials;       // written and confirmed in this run
    bool ownDoneSerials = true;
    QString journalOverride;
    Stage shown = Stage::Waiting;
    QSet<QString> acceptedModels;  // other models the user agreed to write
    int confirmed = 0;
    int alreadySet = 0;
    int failed = 0;
    QTimer *const answerTimer;
};
