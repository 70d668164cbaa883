#pragma once
// A firmware update over USB, without widgets, from the file to the new version: the command
// that drops the terminal into its loader, waiting for the loader's removable disk
// "KVT_loader", copying the file onto it in pieces (so the events go on meanwhile), writing it
// out to the disk and checking it is there whole (a disk unplugged in the middle fails the
// copy, naming the file), waiting for the terminal to come back on its port and comparing the
// version it reports with the one before. A copy cancelled or failed before it was whole is
// removed from the disk; a whole one stays (the terminal may be writing it); nothing else is
// ever written there.

#include "link/core_textlanguage.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QString>

#include <functional>

class QTimer;
class TerminalSession;

class FirmwareUpdate : public QObject
{
    Q_OBJECT

public:
    enum class Stage { WaitingForDisk, Copying, Writing, WaitingForTerminal, Finished };
    enum class Outcome { Updated, SameVersion, NoDisk, CopyFailed, NoTerminal, Cancelled };
    Q_ENUM(Stage)
    Q_ENUM(Outcome)

    explicit FirmwareUpdate(TerminalSession *session, QObject *parent = nullptr);
    ~FirmwareUpdate() override;

    // How long the disk may take to appear (60 s) and the terminal to come back (5 min).
    void setDiskTimeout(int ms) { diskTimeoutMs = ms; }
    void setTerminalTimeout(int ms) { terminalTimeoutMs = ms; }
    int diskTimeout() const { return diskTimeoutMs; }
    int terminalTimeout() const { return terminalTimeoutMs; }

    // The root of the mounted loader disk: the first existing folder of KVT_LOADER_PATH
    // (paths separated by ':'), else a mounted, ready volume labelled "KVT_loader"; empty when there is none.
    static QString loaderDisk();

    // Sends the command and goes through the stages; false, with the reason in *error, when
    // the file cannot be read (nothing is sent then).
    bool start(const QString &firmwareFile, QString *error);
    // Stops where it is; a partly copied file is removed.
    void cancel();

    Stage stage() const { return current; }
    bool isRunning() const { return running; }
    QString versionBefore() const { return before; }
    QString versionAfter() const { return after; }
    // Where the file went on the disk (empty before the copy).
    QString copiedTo() const { return target.fileName(); }

    // What an ending means and what the engineer should do next.
    static QString outcomeText(Outcome outcome, const QString &before, const QString &after,
                               const QString &reason,
                               TextLanguage language = TextLanguage::Interface);
    // The text of the last ending in Russian, as the journals keep it whatever the interface
    // language (finished() gives it in the interface language).
    QString russianOutcomeText() const { return russianText; }

signals:
    void stageChanged(FirmwareUpdate::Stage stage);
    void progress(qint64 copied, qint64 total);
    void finished(FirmwareUpdate::Outcome outcome, const QString &text);

private:
    void setStage(Stage stage);
    void lookForDisk();
    void copySome();
    void writeOut();
    void terminalBack();
    void check();
    // Why it ended, in the language asked for.
    using Reason = std::function<QString(TextLanguage)>;
    void finish(Outcome outcome, const Reason &reason = Reason());
    void removePartialCopy();
    // The reason of a copy whose file vanished: the disk went.
    QString diskGoneText(TextLanguage language) const;

    TerminalSession *const session;
    QTimer *const ticker;   // looks for the disk, copies a piece, checks the time
    int diskTimeoutMs = 60000;
    int terminalTimeoutMs = 5 * 60000;

    bool running = false;
    Stage current = Stage::Finished;
    QElapsedTimer stageClock;
    QFile source;
    QFile target;
    qint64 copied = 0;
    bool copyComplete = false;
    QString before;
    QString after;
    QString russianText;
    int connectionsAtStart = 0;
    bool identityAsked = false;
};
