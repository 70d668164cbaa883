#pragma once
// The installation report of the window: observes the records of each connection for the
// check list, keeps the settings as last read, and puts together and writes the report from
// the pages and the charts when asked.

#include "report/core_installationchecks.h"
#include "report/reportdocument.h"

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QVector>

#include <functional>

class ChartsPanel;
class RecordRouter;
class SettingsPage;
class StatusPage;

class InstallationReport : public QObject
{
    Q_OBJECT

public:
    // The height of one chart pane in the report, and of all of them at most (so that they
    // fit on one printed page under their heading), in pixels of the page.
    static constexpr int chartPaneHeight = 175;
    static constexpr int chartsMaxHeight = 860;

    InstallationReport(StatusPage *statusPage, SettingsPage *settingsPage, ChartsPanel *charts,
                       QObject *parent = nullptr);

    // Observes the records the check list reads; the settings record also makes the report
    // take the settings page as it was just filled.
    void registerTaps(RecordRouter &router);

    // A connection begins: the checks and the settings read start again.
    void startConnection();
    // The terminal of this connection gave its serial number. Settings the same terminal
    // reported earlier in this run count for this connection until it reports them again;
    // settings read in this connection are kept for that terminal.
    void terminalIdentified(const QString &serialNumber);
    // True once a connection began in this run: only then is there something to report.
    bool hasConnection() const { return connectedAt.isValid(); }

    const InstallationChecks &checks() const { return installationChecks; }

    // Where the connection's and the settings' times come from: the wall clock unless given
    // another (ms since the epoch; the recorded time while a recording plays).
    void setClock(std::function<qint64()> clock);
    // The report is made from a recording (its file name and recorded span); an empty name:
    // from a terminal.
    void setRecording(const QString &fileName, qint64 from, qint64 to);

    // Everything the report shows, as of now.
    ReportContent collect(const QString &note) const;
    // Collects and writes the report to the file (PDF for a ".pdf" name, HTML otherwise).
    bool save(const QString &fileName, const QString &note, QString *error) const;

private:
    void takeSettings(const TerminalSettings &reported);
    QImage chartsPicture(int minutes) const;

    StatusPage *const statusPage;
    SettingsPage *const settingsPage;
    ChartsPanel *const charts;

    InstallationChecks installationChecks;
    QDateTime connectedAt;
    // The settings as the settings page showed them after a settings record, and the items
    // the terminal reported (for the check list), all the records of a connection together.
    struct SettingsRead
    {
        QVector<ReportSection> sections;
        QDateTime readAt;
        TerminalSettings reported;
    };
    void keepSettingsOf(const QString &serialNumber);

    QString serialNumber;   // of this connection's terminal, empty until it reports it
    SettingsRead settingsRead;   // readAt invalid: none in this connection
    bool settingsReadHere = false;   // not taken over from an earlier connection
    QHash<QString, SettingsRead> settingsBySerialNumber;
    std::function<qint64()> clock;
    QString recordingFile;
    qint64 recordedFrom = 0, recordedTo = 0;

    QDateTime now() const;
};
