// Reading the bit maps of the status records and the signal-level scale, without any widget;
// the window tests cover the rest of the field reading and number display.
#include "status/core_numbers.h"

#include <QtTest>

class TestStatusCore : public QObject
{
    Q_OBJECT

private slots:
    void leadingInt_data();
    void leadingInt();
    void signalLevelMatchesScaleFactor();
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

QTEST_APPLESS_MAIN(TestStatusCore)
#include "tst_status_core.moc"
