#pragma once

#include "app/pagewidgets.h"
#include "link/core_terminalidentity.h"
#include "status/core_identity.h"
#include "status/core_records.h"
#include "status/fieldtext.h"

#include <QGroupBox>
#include <QString>
#include <QStringList>

class QProgressBar;
class RecordRouter;
class SensorPanel;
struct RecordLine;

// The device parameters page: the terminal's identity and live state in five groups of
// read-only fields in two columns, the sensor and CAN panel to their right (below them in a
// narrow window), and the decoders of the records that fill them.
class StatusPage : public QGroupBox
{
    Q_OBJECT

public:
    explicit StatusPage(QWidget *parent = nullptr);

    // Routes every record this page and its sensor panel show to their decoders.
    void registerRoutes(RecordRouter &router);

    // Model, serial number, IMEI and firmware version as the page shows them, values still on
    // their way included.
    TerminalIdentity identity() const;

    // The page's fields as the decoders write them: the read path batches them, the window
    // greys them while the line is away.
    FieldBatch &fieldBatch() { return fields; }

    // The identity records, decoded by the terminal session.
    void showIdentity(const IdentityRecord &id);
    void showSerialNumber(const QString &text);
    void showImei(const QString &text);

    // The groups of the page and of its sensor panel in reading order: the two status
    // columns, then the panel's.
    QList<QGroupBox *> groups() const;
    // The fields whose values are secrets: the APN password.
    QList<QLineEdit *> secretFields() const { return {apnPasswordEdit}; }

signals:
    // A modem state report for the status bar.
    void statusMessage(const QString &text);
    // The identity record reported the tachograph terminal.
    void tachographAvailable(bool available);

private:
    mutable FieldBatch fields{this};   // identity() shows the values still on their way
    TranslatedTexts translated{"StatusPage"};
    // the local time's offset from UTC for the hour of the terminal's clock last shown
    qint64 clockOffsetHour = -1;
    int clockOffset = 0;
    // the old-firmware box is open: the same identity again (a replug) opens no second one
    bool oldFirmwareBoxOpen = false;
    // the terminal's clock last shown, and its text
    qint64 clockShown = -1;
    QString clockText;
    qint64 runTimeShown = -1;
    QString runTimeShownText;

    void format(QWidget *leftColumn, QWidget *rightColumn);
    static void formatColumn(QWidget *column, const QStringList &longestValues);

    // identity and state records
    void decodeDF(const TasksRecord &r);
    void decodeTW(const ClockRecord &r);
    void decodeRW(const PacketsRecord &r);
    void decodeDS(const std::optional<quint32> &r);
    void decodePB(const PowerRecord &r);
    // radio and positioning records
    void decodeGK(const std::optional<PositionRecord> &r);
    void decodeGS(const FixRecord &r);
    void decodeMS(const ModemStateRecord &r);
    void decodeML(const SignalRecord &r);
    void decodeAPN(const ApnRecord &r);
    void decodeMO(const OperatorRecord &r);
    void decodeMD(const ServerRecord &r);
    void decodeSMS(const SmsRecord &r);

    // "Общая информация"
    QLineEdit *const modelEdit = makeLineEdit("modelEdit");
    QLineEdit *const serialNumberEdit = makeLineEdit("serialNumberEdit");
    QLineEdit *const imeiEdit = makeLineEdit("imeiEdit");
    QLineEdit *const firmwareVersionEdit = makeLineEdit("firmwareVersionEdit");
    QLineEdit *const deviceTimeEdit = makeLineEdit("deviceTimeEdit");
    QLineEdit *const runTimeEdit = makeLineEdit("runTimeEdit");
    QLineEdit *const settingsTaskEdit = makeLineEdit("settingsTaskEdit");
    QLineEdit *const firmwareTaskEdit = makeLineEdit("firmwareTaskEdit");
    QLineEdit *const packetsWrittenEdit = makeLineEdit("packetsWrittenEdit");
    QLineEdit *const packetsSentEdit = makeLineEdit("packetsSentEdit");
    // "Статусы устройства"
    QLineEdit *const internalMemoryEdit = makeLineEdit("internalMemoryEdit");
    QLineEdit *const externalMemoryEdit = makeLineEdit("externalMemoryEdit");
    QLineEdit *const clockEdit = makeLineEdit("clockEdit");
    QLineEdit *const accelerometerEdit = makeLineEdit("accelerometerEdit");
    QLineEdit *const gnssStateEdit = makeLineEdit("gnssStateEdit");
    QLineEdit *const gsmStateEdit = makeLineEdit("gsmStateEdit");
    QLineEdit *const sim1Edit = makeLineEdit("sim1Edit");
    QLineEdit *const pin1Edit = makeLineEdit("pin1Edit");
    QLineEdit *const sim2Edit = makeLineEdit("sim2Edit");
    QLineEdit *const pin2Edit = makeLineEdit("pin2Edit");
    // "Питание"
    QLineEdit *const externalVoltageEdit = makeLineEdit("externalVoltageEdit");
    QLineEdit *const batteryVoltageEdit = makeLineEdit("batteryVoltageEdit");
    // "GSM"
    QLineEdit *const operatorEdit = makeLineEdit("operatorEdit");
    QLineEdit *const mccEdit = makeLineEdit("mccEdit");
    QLineEdit *const mncEdit = makeLineEdit("mncEdit");
    QLineEdit *const apnEdit = makeLineEdit("apnEdit");
    QLineEdit *const apnLoginEdit = makeLineEdit("apnLoginEdit");
    QLineEdit *const apnPasswordEdit = makeLineEdit("apnPasswordEdit");
    QProgressBar *const signalLevelBar;
    QLineEdit *const serverEdit = makeLineEdit("serverEdit");
    QLineEdit *const modemLinkEdit = makeLineEdit("modemLinkEdit");
    QLineEdit *const networkRegistrationEdit = makeLineEdit("networkRegistrationEdit");
    QLineEdit *const gprsServiceEdit = makeLineEdit("gprsServiceEdit");
    QLineEdit *const serverConnectionEdit = makeLineEdit("serverConnectionEdit");
    QLineEdit *const serverReplyEdit = makeLineEdit("serverReplyEdit");
    QLineEdit *const tcpCountEdit = makeLineEdit("tcpCountEdit");
    QLineEdit *const smsInEdit = makeLineEdit("smsInEdit");
    QLineEdit *const smsOutEdit = makeLineEdit("smsOutEdit");
    // "GPS / ГЛОНАСС"
    QLineEdit *const latitudeEdit = makeLineEdit("latitudeEdit");
    QLineEdit *const longitudeEdit = makeLineEdit("longitudeEdit");
    QLineEdit *const altitudeEdit = makeLineEdit("altitudeEdit");
    QLineEdit *const courseEdit = makeLineEdit("courseEdit");
    QLineEdit *const speedEdit = makeLineEdit("speedEdit");
    QLineEdit *const satellitesEdit = makeLineEdit("satellitesEdit");
    QLineEdit *const hdopEdit = makeLineEdit("hdopEdit");

    SensorPanel *const sensorPanel;
};
