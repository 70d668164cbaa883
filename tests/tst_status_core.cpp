// Field reading and number display of the status records, without any widget.
#include "status/core_codes.h"
#include "status/core_numbers.h"

#include <QtTest>

class TestStatusCore : public QObject
{
    Q_OBJECT

private slots:
    void leadingInt_data();
    void leadingInt();
    void generalNumber_data();
    void generalNumber();
    void signalLevel_data();
    void signalLevel();
    void signalLevelMatchesScaleFactor();
    void fieldText_data();
    void fieldText();
    void runTime_data();
    void runTime();
};

void TestStatusCore::leadingInt_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<qint32>("value");
    QTest::newRow("plain") << QByteArray("64") << 64;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("no digit") << QByteArray("abc") << 0;
    QTest::newRow("digits then garbage") << QByteArray("260xyz") << 260;
    QTest::newRow("leading blanks and tab") << QByteArray(" \t 17") << 17;
    QTest::newRow("plus sign") << QByteArray("+5") << 5;
    QTest::newRow("minus one: all bits") << QByteArray("-1") << -1;
    QTest::newRow("blank after sign stops") << QByteArray("- 5") << 0;
    QTest::newRow("unsigned 32-bit map keeps its bits") << QByteArray("4294967295") << -1;
    QTest::newRow("bit 31 as unsigned") << QByteArray("2147483648") << qint32(0x80000000u);
    QTest::newRow("more digits than 32 bits: low bits") << QByteArray("4294967360") << 64;
    QTest::newRow("stops at NUL") << QByteArray("12\0" "34", 5) << 12;
}

void TestStatusCore::leadingInt()
{
    QFETCH(QByteArray, field);
    QFETCH(qint32, value);
    QCOMPARE(::leadingInt(field), value);
}

void TestStatusCore::generalNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("drops trailing zeros") << 2.5 << "2.5";
    QTest::newRow("whole") << 1.0 << "1";
    QTest::newRow("six digits rounded") << 12345.67 << "12345.7";
    QTest::newRow("six integer digits") << 987654.0 << "987654";
    QTest::newRow("one million: exponent") << 1e6 << "1e+06";
    QTest::newRow("seven digits") << 9876543.2 << "9.87654e+06";
    QTest::newRow("small") << 0.0001 << "0.0001";
    QTest::newRow("below 1e-4: exponent") << 0.00001 << "1e-05";
    QTest::newRow("negative") << -0.5 << "-0.5";
    QTest::newRow("zero") << 0.0 << "0";
}

void TestStatusCore::generalNumber()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(::generalNumber(value), text);
}

void TestStatusCore::signalLevel_data()
{
    QTest::addColumn<quint32>("level");
    QTest::addColumn<quint64>("value");
    QTest::newRow("0") << 0u << quint64(0);
    QTest::newRow("1") << 1u << quint64(3);
    QTest::newRow("15") << 15u << quint64(48);
    QTest::newRow("30") << 30u << quint64(96);
    QTest::newRow("31 is 99, not 100") << 31u << quint64(99);
    QTest::newRow("32 beyond the bar") << 32u << quint64(103);
    QTest::newRow("99 beyond the bar") << 99u << quint64(319);
    QTest::newRow("largest level does not overflow") << 4294967295u << quint64(13854733209ull);
}

void TestStatusCore::signalLevel()
{
    QFETCH(quint32, level);
    QFETCH(quint64, value);
    QCOMPARE(signalLevelValue(level), value);
}

// The terminal's own scale factor, applied in extended precision and truncated, for every
// level the modem reports.
void TestStatusCore::signalLevelMatchesScaleFactor()
{
    if (sizeof(long double) <= sizeof(double))
        QSKIP("no extended precision on this build");
    for (quint32 level = 0; level <= 200; ++level) {
        const auto expected = quint64(static_cast<long double>(level) * 3.225806451612903L);
        QCOMPARE(signalLevelValue(level), expected);
    }
}

void TestStatusCore::fieldText_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("empty");
    QTest::newRow("plain") << QByteArray("internet") << "internet" << false;
    QTest::newRow("no bytes") << QByteArray() << "" << true;
    QTest::newRow("NUL first") << QByteArray("\0abc", 4) << "" << true;
    QTest::newRow("cut at NUL") << QByteArray("ab\0cd", 5) << "ab" << false;
    QTest::newRow("blank is text") << QByteArray(" ") << " " << false;
    QTest::newRow("UTF-8") << QByteArray("Привет") << QString::fromUtf8("Привет") << false;
}

void TestStatusCore::fieldText()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, text);
    QFETCH(bool, empty);
    QCOMPARE(::fieldText(field), text);
    QCOMPARE(fieldIsEmpty(field), empty);
}

void TestStatusCore::runTime_data()
{
    QTest::addColumn<quint32>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0u << "0:0:0";
    QTest::newRow("no leading zeros") << 3725u << "1:2:5";
    QTest::newRow("25 hours not wrapped") << 90000u << "25:0:0";
    QTest::newRow("largest") << 4294967295u << "1193046:28:15";
}

void TestStatusCore::runTime()
{
    QFETCH(quint32, seconds);
    QFETCH(QString, text);
    QCOMPARE(runTimeText(seconds), text);
}

QTEST_APPLESS_MAIN(TestStatusCore)
#include "tst_status_core.moc"
