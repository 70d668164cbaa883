#pragma once
// The check list of the installation report: what a terminal installed in a vehicle must show,
// judged from the records of one connection. No widgets here: the report feeds the records in
// through the router's observers and asks for the outcome when it is written.
//
// The fields are read by the decoders of status/core_records.h, as the device parameters page
// reads them. Each check ends as passed, failed or not seen (nothing seen to judge it by). The
// rules:
//
// - GNSS fix: a "GS" record reported at least minSatellites satellites in use (field 1) at
//   least once. GS records that never reached it: failed. No GS record: not seen.
// - GSM registered, GPRS active, server answering: the modem state of "MS" (field 1, 0..7, a
//   number outside is ignored) reached 2 (registration passed), 4 (GPRS activated) and 7
//   (server connected and its reply received) at least once. 6 is a server connection whose
//   reply never came, so it fails the server check. No MS record: not seen.
// - Supply voltage: every "PB" record's field 1 (external supply, mV; a field that is not a
//   number is no reading) lies within minSupplyMv..maxSupplyMv, both included. One reading
//   outside (a supply that sags while cranking, a bench supply of 5 V): failed. No reading:
//   not seen.
// - Inputs: the inputs the settings record "ST" (item 9: modes of IN0, IN1, IN2) gives a mode
//   other than "No" and "OUT1" must each have sent an input record (a name "I", type letter,
//   the input's digit) at least once. All of them did, or none is configured: passed; one is
//   missing: failed. No settings record with item 9 in this connection: not seen.
// - Fuel sensors: every sensor that sent an "LLS" record answered in its last one: the level
//   (field 3) is a number, not negative. One did not: failed. No LLS record: failed when the
//   settings record set RS485 to LLS sensors (item 11 value 1 = 5), otherwise not seen.
// - 1-Wire: every temperature sensor that sent an "OWT" record answered in its last one: an
//   address (field 2) that is not empty and not all zeros, and a temperature (field 3) that is
//   a number. A key read through "OWK" (a key identifier that is not empty and not all zeros)
//   also counts as a device that answered; a key record without a key is no failure (no key
//   was put to the reader). At least one device answered and none failed: passed; a sensor
//   that did not answer: failed; nothing answered: not seen.
// - CAN data: the last "C#" record counts more than 0 valid CAN data (field 2). 0 or not a
//   number: failed. No C# record: failed when the settings record set RS485 to the CAN
//   adapter (item 11 value 1 = 7), otherwise not seen.

#include "link/framing.h"
#include "link/recordnames.h"
#include "settings/core_terminalsettings.h"
#include "status/core_records.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

enum class CheckResult { Passed, Failed, NotSeen };

enum class InstallationCheck {
    GnssFix,
    GsmRegistered,
    GprsActive,
    ServerAnswering,
    SupplyVoltage,
    Inputs,
    FuelSensors,
    OneWire,
    CanData,
};
constexpr int installationCheckCount = int(InstallationCheck::CanData) + 1;

struct CheckOutcome
{
    InstallationCheck check;
    CheckResult result;
    QString detail;   // what was seen, for the reader of the report
};

class InstallationChecks
{
    Q_DECLARE_TR_FUNCTIONS(InstallationChecks)

public:
    static constexpr int minSatellites = 4;
    static constexpr int minSupplyMv = 9000;
    static constexpr int maxSupplyMv = 32000;

    // Forgets every record: a new connection starts.
    void reset();
    // One record of an observed kind, already classified; other kinds are ignored.
    void observe(RecordKind kind, const RecordLine &record);
    // The same for a record already decoded (status/core_records.h), as the router hands it.
    void observeFix(const FixRecord &f);
    void observeModemState(const ModemStateRecord &m);
    void observePower(const PowerRecord &p);
    void observeInput(const std::optional<InputRecord> &input);
    void observeFuelSensor(const std::optional<FuelSensorRecord> &s);
    void observeThermometer(const std::optional<ThermometerRecord> &t);
    void observeKey(const std::optional<KeyRecord> &key);
    void observeCanCounts(const CanCountsRecord &counts);
    void observeSettings(const TerminalSettings &s);
    // Forgets what settings records said (the records of the other kinds count on).
    void forgetSettings();

    // The outcome of every check, in the order of InstallationCheck.
    QVector<CheckOutcome> evaluate() const;
    CheckOutcome evaluate(InstallationCheck check) const;

    static QString checkName(InstallationCheck check);
    static QString resultText(CheckResult result);

private:
    static constexpr int configurableInputs = 3;   // IN0 .. IN2 have a mode in the settings

    CheckOutcome gnssFix() const;
    CheckOutcome modemStage(InstallationCheck check, int needed, int stage) const;
    CheckOutcome supplyVoltage() const;
    CheckOutcome inputs() const;
    CheckOutcome fuelSensors() const;
    CheckOutcome oneWire() const;
    CheckOutcome canData() const;

    // GS (the count is unsigned: 32 bits)
    qint64 bestSatellites = -1;
    qint64 lastSatellites = -1;
    // MS
    int highestModemState = -1;
    int lastModemState = -1;
    // PB, external supply in mV
    int supplyReadings = 0;
    int supplyOutOfRange = 0;
    double minSupply = 0;
    double maxSupply = 0;
    double lastSupply = 0;
    // ST: item 9 modes (input list entries, null when unknown) and item 11 codes (-1 unknown)
    bool inputModesKnown = false;
    std::array<QString, configurableInputs> inputModes;
    int rs485Code = -1;
    // input records seen, by input number
    std::array<bool, InputLineCount> inputSeen{};
    // LLS: the last report of each sensor
    struct Report
    {
        bool seen = false;
        bool answered = false;
        QByteArray value;   // the level or the temperature
    };
    std::array<Report, FuelSensorCount> fuelReports{};
    // OWT and OWK
    std::array<Report, ThermometerCount> thermoReports{};
    QByteArray keyRead;   // the last key identifier read, empty when none
    // C#
    bool canSeen = false;
    std::optional<quint64> canValidCount;
    QByteArray canValid;
    QByteArray canInvalid;
};
