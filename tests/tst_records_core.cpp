// The live records' decoders, without any widget: every field of a kind reads alike in every
// record, whatever hostile bytes it holds, and the fields not read play no part.
#include "link/core_terminalidentity.h"
#include "status/core_records.h"

#include <QtTest>

#include <cmath>

namespace {
// Bytes that no decoder may read as a value: the fields the test leaves out hold them.
const QByteArray junk("9;x\0" "5", 6);

RecordLine record(const QByteArray &name, const QVector<QByteArray> &fields)
{
    RecordLine r{name, {junk, junk, junk, junk, junk}};
    for (int i = 0; i < fields.size(); ++i)
        r.field[i] = fields.at(i);
    return r;
}
} // namespace

Q_DECLARE_METATYPE(std::optional<quint32>)
Q_DECLARE_METATYPE(std::optional<double>)

namespace QTest {
template <> char *toString(const std::optional<quint32> &v) { return v ? toString(*v) : qstrdup("-"); }
template <> char *toString(const std::optional<double> &v) { return v ? toString(*v) : qstrdup("-"); }
} // namespace QTest

class TestRecordsCore : public QObject
{
    Q_OBJECT

private slots:
    void counts_data();
    void counts();
    void reals_data();
    void reals();
    void sensorNumbers_data();
    void sensorNumbers();
    void modemState_data();
    void modemState();
    void inputsAndOutputs_data();
    void inputsAndOutputs();
    void oneWireAndCan_data();
    void oneWireAndCan();
    void identity_data();
    void identity();
};

void TestRecordsCore::counts_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<std::optional<quint32>>("value");
    const std::optional<quint32> none;
    QTest::newRow("plain") << QByteArray("12") << std::optional<quint32>(12);
    QTest::newRow("blanks and plus sign") << QByteArray(" +7\t") << std::optional<quint32>(7);
    QTest::newRow("read up to a NUL") << QByteArray("3\0" "9", 3) << std::optional<quint32>(3);
    QTest::newRow("top of 32 bits") << QByteArray("4294967295") << std::optional<quint32>(~0u);
    QTest::newRow("overflow") << QByteArray("4294967296") << none;
    QTest::newRow("negative") << QByteArray("-1") << none;
    QTest::newRow("fraction") << QByteArray("7.5") << none;
    QTest::newRow("empty") << QByteArray() << none;
    QTest::newRow("NUL first") << QByteArray("\0" "5", 2) << none;
    QTest::newRow("digits then text") << QByteArray("12 x") << none;
}

// Satellites, signal level, clock, running time, task states, the status word, packets, the
// server's port and sessions and the message counts.
void TestRecordsCore::counts()
{
    QFETCH(QByteArray, field);
    QFETCH(std::optional<quint32>, value);
    QCOMPARE(decodeFix(record("GS", {field})).satellites, value);
    QCOMPARE(decodeSignal(record("ML", {field})).level, value);
    QCOMPARE(decodeClock(record("TW", {field, junk})).clock, value);
    QCOMPARE(decodeClock(record("TW", {junk, field})).runningSeconds, value);
    QCOMPARE(decodeTasks(record("DF", {field, junk})).settingsTask, value);
    QCOMPARE(decodeTasks(record("DF", {junk, field})).firmwareTask, value);
    QCOMPARE(decodeDeviceStatus(record("DS", {field})), value);
    QCOMPARE(decodePackets(record("RW", {field, junk})).sent, value);
    QCOMPARE(decodePackets(record("RW", {junk, field})).written, value);
    QCOMPARE(decodeServer(record("MD", {junk, field, junk})).port, value);
    QCOMPARE(decodeServer(record("MD", {junk, junk, field})).sessions, value);
    QCOMPARE(decodeSms(record("SMS", {field, junk, junk})).received, value);
    QCOMPARE(decodeSms(record("SMS", {junk, field, junk})).valid, value);
    QCOMPARE(decodeSms(record("SMS", {junk, junk, field})).sent, value);
}

void TestRecordsCore::reals_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<std::optional<double>>("value");
    const std::optional<double> none;
    QTest::newRow("whole") << QByteArray("12450") << std::optional<double>(12450);
    QTest::newRow("fraction, blanks") << QByteArray(" -2.5 ") << std::optional<double>(-2.5);
    QTest::newRow("exponent") << QByteArray("1e3") << std::optional<double>(1000);
    QTest::newRow("infinity taken") << QByteArray("inf") << std::optional<double>(INFINITY);
    QTest::newRow("blanks alone read 0") << QByteArray(" ") << std::optional<double>(0);
    QTest::newRow("NUL after the number") << QByteArray("12450\0", 6) << none;
    QTest::newRow("empty") << QByteArray() << none;
    QTest::newRow("decimal comma") << QByteArray("12,5") << none;
    QTest::newRow("hexadecimal") << QByteArray("0x10") << none;
    QTest::newRow("beyond double") << QByteArray("1e400") << none;
}

// Voltages, speed, altitude, course, HDOP, fuel level and temperature, thermometers, an input's
// value, the coordinates and the CAN values in their units.
void TestRecordsCore::reals()
{
    QFETCH(QByteArray, field);
    QFETCH(std::optional<double>, value);
    const auto scaled = [&value](double divisor) {
        return value ? std::optional<double>(*value / divisor) : value;
    };
    QCOMPARE(decodePower(record("PB", {field, junk})).supplyMv, value);
    QCOMPARE(decodePower(record("PB", {junk, field})).batteryMv, value);
    QCOMPARE(decodeFix(record("GS", {junk, field, junk, junk})).speed, value);
    QCOMPARE(decodeFix(record("GS", {junk, junk, junk, field})).hdop, scaled(10));
    QCOMPARE(decodeFix(record("GS", {junk, junk, field, junk, junk})).altitude, value);
    QCOMPARE(decodeFix(record("GS", {junk, junk, junk, junk, field})).course, value);
    QCOMPARE(decodeFuelSensor(record("LLS", {junk, "0", junk, field}))->temperature, value);
    QCOMPARE(decodeInputState(record("IA2", {field}))->value, value);
    QCOMPARE(decodeFuelSensor(record("LLS", {junk, "6", field}))->level, value);
    QCOMPARE(decodeThermometer(record("OWT", {"5", "28FF", field}))->temperature, value);
    QCOMPARE(decodeCanValue(RecordKind::CanEngineHours, record("CA", {field})).value(), scaled(100));
    QCOMPARE(decodeCanValue(RecordKind::CanMileage, record("CD", {field})).value(), scaled(100));
    QCOMPARE(decodeCanValue(RecordKind::CanFuelUsed, record("CE", {field})).value(), scaled(10));
    QCOMPARE(decodeCanValue(RecordKind::CanFuelLitres, record("CR", {field})).value(), scaled(10));
    QCOMPARE(decodeCanValue(RecordKind::CanEngineSpeed, record("CH", {field})).value(), value);
    // a coordinate is a number other than 0
    const bool coordinate = value && *value != 0;
    QCOMPARE(decodePosition(record("GK", {field, "37.6"})).has_value(), coordinate);
    QCOMPARE(decodePosition(record("GK", {"55.7", field}))->longitudeValid, coordinate);
    const std::optional<double> none;
    QCOMPARE(decodePosition(record("GK", {"55.7", field}))->longitude, coordinate ? value : none);
    if (coordinate)
        QCOMPARE(decodePosition(record("GK", {field, "0"}))->latitude, *value);
}

void TestRecordsCore::sensorNumbers_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("number");   // -1: no sensor
    QTest::newRow("0") << QByteArray("0") << 0;
    QTest::newRow("5") << QByteArray("5") << 5;
    QTest::newRow("6") << QByteArray("6") << 6;
    QTest::newRow("7") << QByteArray("7") << -1;
    QTest::newRow("cut at NUL") << QByteArray("3\0" "x", 3) << 3;
    QTest::newRow("NUL first") << QByteArray("\0" "3", 2) << -1;
    QTest::newRow("two digits") << QByteArray("03") << -1;
    QTest::newRow("blank") << QByteArray(" 3") << -1;
    QTest::newRow("empty") << QByteArray() << -1;
    QTest::newRow("arabic-indic three") << QByteArray("\xd9\xa3") << -1;
}

// Fuel sensors 0..6, thermometers 0..5, the key reader 0.
void TestRecordsCore::sensorNumbers()
{
    QFETCH(QByteArray, field);
    QFETCH(int, number);
    const auto fuel = decodeFuelSensor(record("LLS", {junk, field, "1500", "21"}));
    QCOMPARE(fuel ? fuel->sensor : -1, number);
    if (fuel)
        QCOMPARE(fuel->levelText, QByteArray("1500"));
    const auto thermo = decodeThermometer(record("OWT", {field, "28FF", "20"}));
    QCOMPARE(thermo ? thermo->sensor : -1, number < ThermometerCount ? number : -1);
    QCOMPARE(decodeKey(record("OWK", {field, "01A2"})).has_value(), number == 0);
}

void TestRecordsCore::modemState_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("reported");
    QTest::addColumn<int>("state");   // -1: none
    QTest::newRow("7") << QByteArray("7") << 7 << 7;
    QTest::newRow("0 up to a NUL") << QByteArray("0\0" "7", 3) << 0 << 0;
    QTest::newRow("8 beyond the chain") << QByteArray("8") << 8 << -1;
    QTest::newRow("-1") << QByteArray("-1") << -1 << -1;
    QTest::newRow("not a number") << QByteArray("x") << 0 << -1;
    QTest::newRow("too big for a signed int") << QByteArray("4294967295") << 0 << -1;
}

void TestRecordsCore::modemState()
{
    QFETCH(QByteArray, field);
    const ModemStateRecord m = decodeModemState(record("MS", {field}));
    QTEST(m.reported, "reported");
    QTEST(m.state.value_or(-1), "state");
}

void TestRecordsCore::inputsAndOutputs_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("input");   // -1: no input or output
    QTest::addColumn<bool>("on");     // closed, or switched on
    QTest::newRow("ID1 closed") << QByteArray("ID1") << QByteArray(" +1") << 1 << true;
    QTest::newRow("1 up to a NUL") << QByteArray("II0") << QByteArray("1\0" "2", 3) << 0 << true;
    QTest::newRow("1.0 is not 1") << QByteArray("ID2") << QByteArray("1.0") << 2 << false;
    QTest::newRow("ID6") << QByteArray("ID6") << QByteArray("1") << -1 << false;
    QTest::newRow("ID01") << QByteArray("ID01") << QByteArray("1") << -1 << false;
    QTest::newRow("name up to a NUL") << QByteArray("IF3\0" "9", 5) << QByteArray("1") << 3 << true;
    QTest::newRow("O24 on") << QByteArray("O24") << QByteArray("1") << 4 << true;
    QTest::newRow("O15 2 is off") << QByteArray("O15") << QByteArray("2") << 5 << false;
    QTest::newRow("O16") << QByteArray("O16") << QByteArray("1") << -1 << false;
}

void TestRecordsCore::inputsAndOutputs()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, field);
    const RecordLine r = record(name, {field});
    if (name.startsWith('O')) {
        const auto o = decodeOutputState(r);
        QTEST(o ? o->input : -1, "input");
        QTEST(o && o->on, "on");
    } else {
        const auto i = decodeInputState(r);
        QTEST(i ? i->input : -1, "input");
        QTEST(i && i->closed, "on");
        QVERIFY(!i || i->type == name.at(1));
    }
}

void TestRecordsCore::oneWireAndCan_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<bool>("namesDevice");
    QTest::addColumn<qint64>("count");   // C# valid and invalid counts, -1: none
    QTest::newRow("address") << QByteArray("28FF6A1B63160317") << true << qint64(-1);
    QTest::newRow("zeros") << QByteArray("0000000000000000") << false << qint64(0);
    QTest::newRow("zeros in blanks") << QByteArray("\t000 ") << false << qint64(0);
    QTest::newRow("blank between zeros") << QByteArray("00 00") << true << qint64(-1);
    QTest::newRow("zeros up to a NUL") << QByteArray("00\0" "12", 5) << false << qint64(0);
    QTest::newRow("empty") << QByteArray() << false << qint64(-1);
    QTest::newRow("count") << QByteArray(" 51200 ") << true << qint64(51200);
    QTest::newRow("beyond 32 bits") << QByteArray("4294967296") << true << qint64(4294967296);
    QTest::newRow("negative") << QByteArray("-3") << true << qint64(-1);
}

void TestRecordsCore::oneWireAndCan()
{
    QFETCH(QByteArray, field);
    QTEST(decodeThermometer(record("OWT", {"1", field, "20"}))->addressNamesDevice, "namesDevice");
    QTEST(decodeKey(record("OWK", {"0", field}))->namesDevice, "namesDevice");
    const std::optional<quint64> valid = decodeCanCounts(record("C#", {junk, field})).valid;
    QTEST(valid ? qint64(*valid) : -1, "count");
    const std::optional<quint64> invalid = decodeCanCounts(record("C#", {junk, junk, field})).invalid;
    QTEST(invalid ? qint64(*invalid) : -1, "count");
}

// The identity record: the model code decides whether it is taken at all; the version is two
// integers (0.5 is minor 5), a part that is no number counting as 0; the text as received.
void TestRecordsCore::identity_data()
{
    QTest::addColumn<QVector<QByteArray>>("fields");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<quint64>("hundredths");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("olderThan064");
    QTest::newRow("0.70") << QVector<QByteArray>{"31", "0", "70"} << true << quint64(70) << "0.70" << false;
    QTest::newRow("0.5 is minor 5") << QVector<QByteArray>{"0", "0", "5"} << true << quint64(5) << "0.5" << true;
    QTest::newRow("1.2") << QVector<QByteArray>{"31", "1", "2"} << true << quint64(102) << "1.2" << false;
    QTest::newRow("parts not numbers") << QVector<QByteArray>{"31", "x", "-1"} << true << quint64(0) << "x.-1" << true;
    QTest::newRow("huge parts do not wrap")
        << QVector<QByteArray>{"31", "4294967295", "4294967295"} << true
        << quint64(4294967295u) * 100u + 4294967295u << "4294967295.4294967295" << false;
    QTest::newRow("model not a number") << QVector<QByteArray>{"3x", "0", "70"} << false << quint64(0) << "" << false;
    QTest::newRow("model empty") << QVector<QByteArray>{"", "0", "70"} << false << quint64(0) << "" << false;
}

void TestRecordsCore::identity()
{
    QFETCH(QVector<QByteArray>, fields);
    QFETCH(bool, taken);
    QFETCH(quint64, hundredths);
    QFETCH(QString, text);
    QFETCH(bool, olderThan064);
    const auto id = decodeIdentityRecord(record("DI", fields));
    QCOMPARE(bool(id), taken);
    if (!id)
        return;
    QCOMPARE(id->firmware.hundredths(), hundredths);
    QCOMPARE(id->versionText, text);
    QCOMPARE(id->firmware.isOlderThan(0, 64), olderThan064);
    QVERIFY(!FirmwareVersion().isOlderThan(0, 64));   // not reported: no warning
    // the restart record reports the restart when field 1 is a number
    QVERIFY(decodeRestartReported(record("RD", {"1"})));
    QVERIFY(!decodeRestartReported(record("RD", {""})));
}

QTEST_APPLESS_MAIN(TestRecordsCore)
#include "tst_records_core.moc"
