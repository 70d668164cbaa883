#include "report/installationreport.h"

#include "charts/chartspanel.h"
#include "link/recordrouter.h"
#include "settings/settingspage.h"
#include "status/fieldtext.h"
#include "status/statuspage.h"

#include <QSet>

InstallationReport::InstallationReport(StatusPage *statusPage, SettingsPage *settingsPage,
                                       ChartsPanel *charts, QObject *parent)
    : QObject(parent)
    , statusPage(statusPage)
    , settingsPage(settingsPage)
    , charts(charts)
{
    setObjectName(QStringLiteral("installationReport"));
}

void InstallationReport::registerTaps(RecordRouter &router)
{
    // the values the page's decoders got: each record is decoded once
    InstallationChecks &c = installationChecks;
    router.tap(RecordKind::Fix, decodeFix, [&c](const FixRecord &v) { c.observeFix(v); });
    router.tap(RecordKind::ModemState, decodeModemState,
               [&c](const ModemStateRecord &v) { c.observeModemState(v); });
    router.tap(RecordKind::Power, decodePower, [&c](const PowerRecord &v) { c.observePower(v); });
    router.tap(RecordKind::Input, decodeInputState,
               [&c](const std::optional<InputRecord> &v) { c.observeInput(v); });
    router.tap(RecordKind::FuelSensors, decodeFuelSensor,
               [&c](const std::optional<FuelSensorRecord> &v) { c.observeFuelSensor(v); });
    router.tap(RecordKind::OneWireTemp, decodeThermometer,
               [&c](const std::optional<ThermometerRecord> &v) { c.observeThermometer(v); });
    router.tap(RecordKind::OneWireKey, decodeKey,
               [&c](const std::optional<KeyRecord> &v) { c.observeKey(v); });
    router.tap(RecordKind::CanProgram, decodeCanCounts,
               [&c](const CanCountsRecord &v) { c.observeCanCounts(v); });
    router.tap(RecordKind::Settings, decodeSettingsRecord, [this](const TerminalSettings &s) {
        // the page's decoder has run: the page shows what the terminal reported
        takeSettings(s);
    });
}

void InstallationReport::startConnection()
{
    installationChecks.reset();
    connectedAt = now();
    serialNumber.clear();
    settingsRead = SettingsRead();
    settingsReadHere = false;
}

void InstallationReport::setClock(std::function<qint64()> c)
{
    clock = std::move(c);
}

QDateTime InstallationReport::now() const
{
    return clock ? QDateTime::fromMSecsSinceEpoch(clock()) : QDateTime::currentDateTime();
}

void InstallationReport::setRecording(const QString &fileName, qint64 from, qint64 to)
{
    recordingFile = fileName;
    recordedFrom = from;
    recordedTo = to;
}

void InstallationReport::terminalIdentified(const QString &reported)
{
    const QString serial = reported.trimmed();
    if (serial.isEmpty() || serial == serialNumber)
        return;
    if (!serialNumber.isEmpty() && !settingsReadHere) {
        // another terminal on the same line: what the first one reported is not its own
        installationChecks.forgetSettings();
        settingsRead = SettingsRead();
    }
    serialNumber = serial;
    if (settingsReadHere) {
        keepSettingsOf(serial);
        return;
    }
    const auto earlier = settingsBySerialNumber.constFind(serial);
    if (earlier == settingsBySerialNumber.constEnd())
        return;
    settingsRead = *earlier;
    installationChecks.observeSettings(settingsRead.reported);
}

void InstallationReport::takeSettings(const TerminalSettings &reported)
{
    if (!settingsReadHere) {
        // the first read of this connection replaces settings taken over from an earlier one
        installationChecks.forgetSettings();
        settingsRead.reported = TerminalSettings();
    }
    installationChecks.observeSettings(reported);
    for (auto item = reported.reportedItems.constBegin(); item != reported.reportedItems.constEnd();
         ++item)
        settingsRead.reported.reportedItems.insert(item.key(), item.value());
    settingsRead.sections = snapshotGroups(settingsPage, settingsPage->recordGroups(),
                                           settingsPage->secretFields());
    settingsRead.readAt = now();
    settingsReadHere = true;
    if (!serialNumber.isEmpty())
        keepSettingsOf(serialNumber);
}

void InstallationReport::keepSettingsOf(const QString &serial)
{
    settingsBySerialNumber.insert(serial, settingsRead);
}

// One picture of the chart panes that have something to show over the last minutes, each
// pane as high as it is on the page.
QImage InstallationReport::chartsPicture(int minutes) const
{
    const ChartStore &store = charts->store();
    const qint64 from = store.newestTime() - qint64(minutes) * 60000;
    QSet<int> panes;
    for (int i = 0; i < chartSeriesCount; ++i) {
        const ChartSeries series = ChartSeries(i);
        const ChartBuffer &points = store.points(series);
        if (charts->isSeriesShown(series) && points.firstAtOrAfter(from) < points.size())
            panes.insert(int(chartSeriesInfo(series).pane));
    }
    if (store.newestTime() == 0 || panes.isEmpty())
        return QImage();
    return charts->renderRecent(
        minutes, QSize(ReportDocument::chartWidth,
                       qMin(chartsMaxHeight, chartPaneHeight * int(panes.size()))),
        2);
}

ReportContent InstallationReport::collect(const QString &note) const
{
    statusPage->fieldBatch().flush();   // values of the last chunk are shown before they are read
    ReportContent c;
    c.created = QDateTime::currentDateTime();
    c.connectedAt = connectedAt;
    c.note = note;
    if (!recordingFile.isEmpty()) {
        c.recordingFile = recordingFile;
        c.recordedFrom = QDateTime::fromMSecsSinceEpoch(recordedFrom);
        c.recordedTo = QDateTime::fromMSecsSinceEpoch(recordedTo);
    }
    const TerminalIdentity id = statusPage->identity();
    c.identity = {{tr("Модель"), id.model},
                  {tr("Серийный номер"), id.serialNumber},
                  {tr("IMEI"), id.imei},
                  {tr("Версия ПО"), id.firmwareVersion}};
    c.serialNumber = id.serialNumber;
    c.checks = installationChecks.evaluate();
    c.status = snapshotGroups(statusPage, statusPage->groups(), statusPage->secretFields());
    c.settings = settingsRead.sections;
    c.settingsReadAt = settingsRead.readAt;
    c.settingsReadEarlier = settingsRead.readAt.isValid() && !settingsReadHere;
    c.chartMinutes = charts->spanMinutes();
    c.charts = chartsPicture(c.chartMinutes);
    return c;
}

bool InstallationReport::save(const QString &fileName, const QString &note, QString *error) const
{
    return ReportDocument::write(collect(note), fileName, error);
}
