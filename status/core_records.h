#pragma once
// The live records of the terminal, each read in one place into a typed value: the device
// parameters page, its sensor panel, the charts and the installation checks all take these
// values and never read the fields themselves. No widgets here.
//
// How the fields are read (the page's rules, so that every consumer sees the same value):
// - a text field is kept as received; shown, it ends at its first NUL (fieldText);
// - a count or a code is an unsigned decimal as QByteArray::toUInt reads it: blanks around it
//   and a plus sign allowed, read up to the first NUL; a minus sign, a fraction or more than
//   32 bits is no number;
// - a real value is read as QByteArray::toDouble reads the whole field: blanks around it
//   allowed, "inf" and "nan" taken, a NUL anywhere makes it no number (and a field of blanks
//   alone reads 0);
// - a sensor number is the field's only byte before any NUL, a digit in range; an input's
//   number is the third byte of its name.
// A field that is no number has no value (std::nullopt): the page then keeps the text it
// shows, the charts and checks skip it.
//
// The identity records (DI, DN, MN), the settings record (ST) and the restart record (RD) are
// read by their pages' own decoders.

#include "link/framing.h"
#include "link/recordnames.h"

#include <QByteArray>

#include <optional>

// ---- state records

// PB: supply voltages in mV.
struct PowerRecord
{
    QByteArray supplyText, batteryText;   // as received
    std::optional<double> supplyMv, batteryMv;
};
PowerRecord decodePower(const RecordLine &r);

// TW: the terminal's clock (seconds since 1970, UTC) and its running time in seconds.
struct ClockRecord
{
    std::optional<quint32> clock, runningSeconds;
};
ClockRecord decodeClock(const RecordLine &r);

// RW: packets sent to the server and packets written to memory.
struct PacketsRecord
{
    QByteArray sentText, writtenText;   // as received
    std::optional<quint32> sent, written;
};
PacketsRecord decodePackets(const RecordLine &r);

// DF: the states of the settings and the firmware update tasks (0..3 are known).
struct TasksRecord
{
    std::optional<quint32> settingsTask, firmwareTask;
};
TasksRecord decodeTasks(const RecordLine &r);

// DS: the hardware status word (deviceStatusTexts() names its bits); none when the field is
// no number.
std::optional<quint32> decodeDeviceStatus(const RecordLine &r);

// ---- radio and positioning records

// GS: the fix. HDOP is sent in tenths; hdop is the HDOP itself.
struct FixRecord
{
    QByteArray satellitesText, speedText, altitudeText, courseText;   // as received
    std::optional<quint32> satellites;
    std::optional<double> speed, hdop;
    std::optional<double> altitude, course;
};
FixRecord decodeFix(const RecordLine &r);

// GK: latitude and longitude as received. A coordinate is a real number other than 0 (0 is
// no fix); there is no position when the latitude is none.
struct PositionRecord
{
    QByteArray latitudeText, longitudeText;
    bool longitudeValid = false;
    double latitude = 0;
    std::optional<double> longitude;   // when longitudeValid
};
std::optional<PositionRecord> decodePosition(const RecordLine &r);

// MS: the modem's connection state.
struct ModemStateRecord
{
    // the field read as a signed number, 0 when it is none (the status bar shows it)
    int reported = 0;
    // the state 0..7 (modemStateTexts()); none for anything else
    std::optional<int> state;
};
ModemStateRecord decodeModemState(const RecordLine &r);

// ML: the signal level and the cell's network.
struct SignalRecord
{
    std::optional<quint32> level;   // on the modem's 0..31 scale; 99 and the like: not known
    QByteArray mccText, mncText;    // as received
    // MCC followed by MNC as one number, 0 when that is none (operatorName() names it)
    quint32 operatorCode() const;
};
SignalRecord decodeSignal(const RecordLine &r);

// APN: access point, login, password, as received (empty or a NUL first: not set).
struct ApnRecord
{
    QByteArray apnText, loginText, passwordText;
};
ApnRecord decodeApn(const RecordLine &r);

// MO: the operator's name and network, as received.
struct OperatorRecord
{
    QByteArray nameText, networkText;
};
OperatorRecord decodeOperator(const RecordLine &r);

// MD: the server's address and port and the count of TCP sessions, as received.
struct ServerRecord
{
    QByteArray hostText, portText, sessionsText;
    std::optional<quint32> port, sessions;
};
ServerRecord decodeServer(const RecordLine &r);

// SMS: messages received, received valid and sent, as received.
struct SmsRecord
{
    QByteArray receivedText, validText, sentText;
    std::optional<quint32> received, valid, sent;
};
SmsRecord decodeSms(const RecordLine &r);

// ---- CAN records

// C#: the CAN program and the counts of valid and invalid data.
struct CanCountsRecord
{
    QByteArray programText, validText, invalidText;   // as received
    // the valid and invalid counts, unsigned up to 64 bits, blanks around them allowed
    std::optional<quint64> valid, invalid;
};
CanCountsRecord decodeCanCounts(const RecordLine &r);

// CA .. CO, CR, CU, CV: one value each. CA to CD come in hundredths of their unit, CE to CG
// and CR in tenths. Most are shown as received: the number is read only when asked for.
struct CanValueRecord
{
    QByteArray text;        // as received
    double divisor = 1.0;   // 100, 10 or 1 by the record's kind
    // the value in its unit; none when the field is no number
    std::optional<double> value() const;
};
CanValueRecord decodeCanValue(RecordKind kind, const RecordLine &r);

// CP, CS: the warning lamp or security state code. The code is read like C's atoi, so a bit
// map sent unsigned keeps its bits (lampFlags(), securityFlags()).
struct CanCodeRecord
{
    QByteArray text;   // as received
    qint32 code = 0;
};
CanCodeRecord decodeCanCode(const RecordLine &r);

// ---- sensors, inputs and outputs

constexpr int FuelSensorCount = 7;    // LLS 0..6
constexpr int ThermometerCount = 6;   // OWT 0..5
constexpr int InputLineCount = 6;     // input records of IN0 .. IN5

// LLS: one fuel level sensor (field 2 its number); none for a number out of range.
struct FuelSensorRecord
{
    int sensor = 0;
    QByteArray levelText, temperatureText;   // as received
    std::optional<double> level, temperature;
};
std::optional<FuelSensorRecord> decodeFuelSensor(const RecordLine &r);

// OWT: one 1-Wire thermometer (field 1 its number); none for a number out of range.
struct ThermometerRecord
{
    int sensor = 0;
    QByteArray addressText, temperatureText;   // as received
    bool addressNamesDevice = false;           // see namesDevice()
    std::optional<double> temperature;
};
std::optional<ThermometerRecord> decodeThermometer(const RecordLine &r);

// OWK: the key at the reader; none unless field 1 is "0" (the reader's number).
struct KeyRecord
{
    QByteArray idText;   // as received
    bool namesDevice = false;
};
std::optional<KeyRecord> decodeKey(const RecordLine &r);

// A 1-Wire address or key identifier that names a device: its text, blanks around it left
// out, is not empty and not all zeros.
bool namesDevice(const QByteArray &id);

// "I", a type letter, the input's digit 0..5; none for another digit or name length.
struct InputRecord
{
    int input = 0;
    char type = 0;          // 'D' discrete, 'I' pulse, 'F' frequency, 'A' analogue, or unknown
    QByteArray stateText;   // as received
    bool closed = false;    // the field reads 1 (as a signed number, like an output's)
    std::optional<double> value;   // the state as a real number (a level, a count, a frequency)
};
std::optional<InputRecord> decodeInputState(const RecordLine &r);

// O14, O24 (IN4) and O15, O25 (IN5) switched as outputs: on when the field reads 1.
struct OutputRecord
{
    int input = 0;   // 4 or 5
    bool on = false;
};
std::optional<OutputRecord> decodeOutputState(const RecordLine &r);
