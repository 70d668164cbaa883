#pragma once
// Batch set-up: the same settings file written to one terminal after another. Every time a
// terminal is connected (by the user or by the automatic reconnection) it reads the terminal's
// identity and settings, writes the file's settings through the settings page, waits for the
// confirmation and appends one line to a journal beside the settings file. A banner says that
// it is on, how many terminals were done and the last result, and stops it with one click.

#include "link/recordnames.h"
#include "settings/core_settingsecho.h"
#include "settings/core_settingsfile.h"
#include "status/core_identity.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class QWidget;
class RecordRouter;
class SettingsPage;

class BatchSetup : public QObject
{
    Q_OBJECT

public:
    BatchSetup(SettingsPage *page, QWidget *window);

    // Where the connected terminal's identity comes from (the device parameters page).
    void setIdentitySource(std::function<TerminalIdentity()> source);
    // Watches the identity records (DI, DN, MN) that come after a connection.
    void registerTaps(RecordRouter &router);

    // The banner, for the window to place; hidden while batch set-up is off.
    QWidget *banner() const;

    // Starts with a settings file and the terminals' access password; false, after telling the
    // user why, when the file is refused, the password is empty or the journal cannot be
    // written. With a terminal connected now, that terminal is the first.
    bool start(const QString &settingsFile, const QString &accessPassword, bool connectedNow);
    void stop();
    bool isRunning() const { return running; }

    // How long a terminal may take to report its identity or its settings.
    void setAnswerTimeout(int ms);

    QString journalPath() const { return journal; }
    int confirmedCount() const { return confirmed; }
    int failedCount() const { return failed; }

public slots:
    // A terminal was connected.
    void terminalConnected();

signals:
    // A command or settings string to send (the line end is added by the sender).
    void sendCommand(const QString &text);
    // The identity request is to be sent.
    void identityRequested();
    void runningChanged(bool running);

private:
    enum class Step { Waiting, Identity, Checking, Settings, Confirm };

    void identityRecord(RecordKind kind);
    void identityComplete();
    void settingsRead();
    void writeFinished(WriteOutcome outcome, const QStringList &differing);
    void timedOut();
    // Ends the current terminal: its journal line, the counts and the banner.
    void finishTerminal(const QString &result, bool ok);
    bool appendJournal(const QString &line);
    void updateBanner(const QString &state, bool failure);

    SettingsPage *const page;
    QWidget *const window;
    std::function<TerminalIdentity()> identitySource;

    bool running = false;
    Step step = Step::Waiting;
    QString settingsPath;
    QString journal;
    QString password;
    SettingsFile file;
    TerminalIdentity terminal;     // the terminal being set up
    QSet<int> identitySeen;        // identity record kinds since the connection
    QSet<QString> doneSerials;     // written and confirmed in this run
    QSet<QString> acceptedModels;  // other models the user agreed to write
    int confirmed = 0;
    int failed = 0;
    QTimer *const answerTimer;

    QFrame *const bannerFrame;
    QLabel *const bannerLabel;
    QPushButton *const stopButton;
};
