#pragma once
// A provisioning station, without widgets: the same settings file written to every terminal
// port present and to each one that appears, all at once. Each port gets its own terminal
// session and its own batch run (identity, read, write, confirm, never a new password); they
// share the journal and the terminals confirmed, so a terminal confirmed on one port is not
// written again on another. A port that goes away ends its terminal (unplugged in the middle
// when it was not finished); a terminal plugged into it later starts by itself.

#include "link/portlist.h"
#include "status/core_identity.h"
#include "settings/core_batchrun.h"
#include "settings/core_settingsfile.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

class QTimer;

// One terminal port of the station, as its table shows it.
struct StationRow
{
    QString port;
    QString serialNumber;
    QString imei;
    QString firmware;
    BatchRun::Stage stage = BatchRun::Stage::Waiting;
    QString result;     // how the last terminal on the port ended
    bool present = true;
    QString code;       // its outcome's code (terminalOutcomeCode), empty while at work
    bool updatingFirmware = false;   // its firmware update over USB is at work
};

// "ожидание", "чтение", "запись", "проверка", "готово", "ошибка"
QString stationStageText(BatchRun::Stage stage);
// "отключён": the stage column of a port whose terminal went, whatever it reached before
QString stationUnpluggedText();
// The stage a row shows: "обновление ПО" while its firmware is updated, else its stage's.
QString stationStageText(const StationRow &row);

class ProvisionStation : public QObject
{
    Q_OBJECT

public:
    explicit ProvisionStation(QObject *parent = nullptr);
    ~ProvisionStation() override;

    // Where the ports are listed (the machine's serial ports unless given).
    void setPortSource(PortSource source);
    // Only these ports (by name or path); every terminal port when empty.
    void setPorts(const QStringList &ports);
    // A port the station leaves alone (the one the window has open); empty for none.
    void setExcludedPort(const QString &port);
    // The journal to append to; beside the settings file when empty.
    void setJournalPath(const QString &path);
    // How long a terminal may take to report its identity or its settings; 5 s unless set.
    void setAnswerTimeout(int ms);
    // How often the ports are listed; 500 ms unless set.
    void setPollInterval(int ms);

    // Starts with a settings file read whole and the terminals' access password; false, with
    // the reason in *error, when the journal cannot be opened.
    bool start(const SettingsFile &file, const QString &settingsPath, const QString &password,
               QString *error);
    // Updates the firmware of every terminal in the table over USB with one file, one terminal
    // after another (each one's loader shows a disk of the same name); each result goes into
    // its row and the journal. False, with the reason, when the station is not running, a
    // terminal is still being set up, or an update runs already.
    bool startFirmwareUpdate(const QString &firmwareFile, QString *error);
    bool isUpdatingFirmware() const { return !firmwareQueue.isEmpty() || updating; }

    // Abandons the terminals in the middle of their set-up (each gets its journal line) and
    // closes every port.
    void stop();
    bool isRunning() const { return running; }

    const QVector<StationRow> &rows() const { return table; }
    QString journalPath() const { return journal; }
    // Terminals (and ports that could not be opened) that got their journal line; of those
    // the confirmed ones and those that held the file's values already.
    int finishedCount() const { return finished; }
    int confirmedCount() const { return confirmed; }
    int alreadySetCount() const { return alreadySet; }
    // Ports that could not be opened, and terminals that were not confirmed.
    int failedCount() const { return failed; }
    // Terminals between their connection and their journal line.
    int busyCount() const;

signals:
    void rowAdded(int row);
    void rowChanged(int row);
    // A terminal's set-up began on the port of `row`.
    void terminalStarted(int row);
    // The port of `row` could not be opened (said once until it opens again).
    void portNotOpened(int row, const QString &reason);
    // A terminal got its journal line.
    void terminalFinished(int row, bool ok);
    // A terminal confirmed earlier in this run came again (its journal line says so).
    void terminalAlreadyDone(int row);
    void runningChanged(bool running);
    void firmwareUpdateStarted();
    // Every terminal's firmware update ended.
    void firmwareUpdateFinished();
    // The journal could not be written; the station stops right after.
    void journalFailed(const QString &path, const QString &error);
    // A line was appended to the journal for the terminal on `port`, as it stands there.
    void journalLineWritten(const QString &port, const QString &line);

private:
    class Socket;

    void poll();
    void startSocket(const PortEntry &port);
    int rowFor(const QString &port);
    void updateRow(int row, const std::function<void(StationRow &)> &change);
    bool wanted(const PortEntry &port) const;
    void socketClosed(Socket *socket);
    void updateNextFirmware();
    // The journal could not be written: said once, and the station stops.
    void journalBroke(const QString &path, const QString &error);
    void journalLine(const TerminalIdentity &terminal, const QString &port,
                     TerminalOutcome outcome, const QString &result);

    QTimer *const pollTimer;
    PortSource source;
    QStringList only;
    QString excluded;
    QString journalOverride;
    QString journal;
    int answerTimeout = 5000;

    bool running = false;
    SettingsFile file;
    QString settingsPath;
    QString password;
    BatchRun::DoneSerials doneSerials;
    QVector<StationRow> table;
    QList<Socket *> sockets;
    QSet<QString> unopenable;   // ports whose last try to open failed
    QString firmwareFile;
    QStringList firmwareQueue;   // ports whose terminal is still to be updated
    QObject *updating = nullptr; // the update at work
    QString updatingPort;
    int finished = 0;
    int confirmed = 0;
    int alreadySet = 0;
    int failed = 0;
    bool journalBroken = false;
};
