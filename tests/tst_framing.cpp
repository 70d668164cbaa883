// Framing of the terminal's record lines, without any widget.
#include "link/framing.h"
#include "link/recordrouter.h"
#include "link/recordnames.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
using Lines = QList<QByteArrayList>;   // name, field 1..5

QByteArrayList asList(const RecordLine &l)
{
    return {l.name, l.field[0], l.field[1], l.field[2], l.field[3], l.field[4]};
}

Lines frame(LineFramer &f, const QList<QByteArray> &chunks)
{
    Lines out;
    for (const QByteArray &c : chunks)
        f.feed(c, [&](const RecordLine &l) { out << asList(l); });
    return out;
}

QList<QByteArray> byteByByte(const QByteArray &s)
{
    QList<QByteArray> out;
    for (char c : s)
        out << QByteArray(1, c);
    return out;
}

QList<QByteArray> randomSplit(const QByteArray &s, quint32 seed)
{
    QRandomGenerator rng(seed);
    QList<QByteArray> out;
    int pos = 0;
    while (pos < s.size()) {
        const int n = 1 + int(rng.bounded(quint32(qMax(1, s.size() - pos))));
        out << s.mid(pos, n);
        pos += n;
    }
    return out;
}
} // namespace

class TestFraming : public QObject
{
    Q_OBJECT

private slots:
    void typedRouteDecodesOnce();
    void lines_data();
    void lines();
    void splitAcrossReads();
    void bufferCapDropsPartialLine();
    void capKeepsLongButBoundedLines();
    void resetForgetsPartialLine();
    void reentrantFeedKeepsOrder();
    void recordNames_data();
    void recordNames();
};

void TestFraming::lines_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<Lines>("expected");

    QTest::newRow("serial number, LF ignored")
        << QByteArray(">DN=20417\r\n") << Lines{{"DN", "20417", "", "", "", ""}};
    QTest::newRow("sixth and seventh value join the fifth")
        << QByteArray(">TW=a;b;c;d;e;f;g\r\n") << Lines{{"TW", "a", "b", "c", "d", "efg"}};
    QTest::newRow("empty leading fields")
        << QByteArray(">X=;;5\n") << Lines{{"X", "", "", "5", "", ""}};
    QTest::newRow("line without '=' merges into the next name")
        << QByteArray(">RD\r\n>DF=0\r\n") << Lines{{QByteArray("RD\r\n>DF"), "0", "", "", "", ""}};
    QTest::newRow("text before '>' is ignored")
        << QByteArray("OK\r\n>DI=1;2\r\n") << Lines{{"DI", "1", "2", "", "", ""}};
    QTest::newRow("'>' and '=' inside a field are ordinary")
        << QByteArray(">MO=a>b=c\r") << Lines{{"MO", "a>b=c", "", "", "", ""}};
    QTest::newRow("zero byte is framed like any other")
        << QByteArray("AB\0>X=1\r\n", 9) << Lines{{"X", "1", "", "", "", ""}};
    QTest::newRow("lone CR and lone LF each end a line")
        << QByteArray(">A=1\r>B=2\n") << Lines{{"A", "1", "", "", "", ""}, {"B", "2", "", "", "", ""}};
    QTest::newRow("empty name") << QByteArray(">=7\n") << Lines{{"", "7", "", "", "", ""}};
    QTest::newRow("no line end: nothing yet") << QByteArray(">DI=1;2") << Lines{};
    QTest::newRow("non-ASCII bytes pass unchanged")
        << QByteArray(">MO=\xd0\x9c\xd0\xa2\xd0\xa1\r\n")
        << Lines{{"MO", "\xd0\x9c\xd0\xa2\xd0\xa1", "", "", "", ""}};
}

void TestFraming::lines()
{
    QFETCH(QByteArray, input);
    QFETCH(Lines, expected);

    LineFramer whole;
    QCOMPARE(frame(whole, {input}), expected);

    LineFramer bytes;
    QCOMPARE(frame(bytes, byteByByte(input)), expected);

    for (quint32 seed = 1; seed <= 20; ++seed) {
        LineFramer split;
        QCOMPARE(frame(split, randomSplit(input, seed)), expected);
    }
}

void TestFraming::splitAcrossReads()
{
    LineFramer f;
    const Lines got = frame(f, {">D", "I=1;", "2\r\n"});
    QCOMPARE(got, (Lines{{"DI", "1", "2", "", "", ""}}));
    QCOMPARE(f.frameState, quint8(0));
    QVERIFY(f.recordName.isEmpty());
    QVERIFY(f.recordField1.isEmpty());
}

void TestFraming::bufferCapDropsPartialLine()
{
    // '>' and never '=': the name would grow without end
    LineFramer f;
    QByteArray flood = ">";
    flood += QByteArray(LineFramer::MaxBufferSize + 10, 'x');
    Lines got = frame(f, {flood});
    QVERIFY(got.isEmpty());
    QCOMPARE(f.droppedLines(), quint64(1));
    QCOMPARE(f.frameState, quint8(0));
    QVERIFY(f.recordName.size() <= LineFramer::MaxBufferSize);

    // an endless field is dropped too, and the next line comes through intact
    got = frame(f, {">DN=" + QByteArray(3 * LineFramer::MaxBufferSize, '7'), ";1\r\n>DI=5;0.31\r\n"});
    QCOMPARE(got, (Lines{{"DI", "5", "0.31", "", "", ""}}));
    QCOMPARE(f.droppedLines(), quint64(2));
}

void TestFraming::capKeepsLongButBoundedLines()
{
    // a field exactly at the cap is still delivered whole
    LineFramer f;
    const QByteArray value(LineFramer::MaxBufferSize, 'v');
    const Lines got = frame(f, {">ST=" + value + "\r\n"});
    QCOMPARE(got.size(), 1);
    QCOMPARE(got.at(0).at(1), value);
    QCOMPARE(f.droppedLines(), quint64(0));
}

void TestFraming::resetForgetsPartialLine()
{
    LineFramer f;
    frame(f, {">DI=12"});
    f.reset();
    QCOMPARE(frame(f, {"3\r\n>DN=5\r\n"}), (Lines{{"DN", "5", "", "", "", ""}}));
}

void TestFraming::reentrantFeedKeepsOrder()
{
    // A decoder that opens a message box runs the event loop; the next chunk is framed from
    // inside it. Every byte must still be framed once, in arrival order.
    LineFramer f;
    QByteArrayList names;
    bool nested = false;
    std::function<void(const RecordLine &)> sink = [&](const RecordLine &l) {
        names << l.name;
        if (l.name == "A" && !nested) {
            nested = true;
            f.feed(QByteArray(">C=3\r\n"), sink);
        }
    };
    f.feed(QByteArray(">A=1\r\n>B=2\r\n"), sink);
    QCOMPARE(names, (QByteArrayList{"A", "B", "C"}));

    // The restart record's box: the line is opened again from inside it. What was left of the
    // old line's chunk (a whole line and a cut one) stays out of the new line's records.
    names.clear();
    nested = false;
    sink = [&](const RecordLine &l) {
        names << l.name + '=' + l.field[0];
        if (l.name == "RD" && !nested) {
            nested = true;
            f.reset();
            f.feed(QByteArray("1\r\n>DI=31\r\n"), sink);
        }
    };
    f.feed(QByteArray(">RD=1\r\n>TW=5\r\n>GS=7"), sink);
    QCOMPARE(names, (QByteArrayList{"RD=1", "DI=31"}));
}

void TestFraming::recordNames_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("kind");
    const auto row = [](const char *tag, const QByteArray &n, RecordKind k) {
        QTest::newRow(tag) << n << int(k);
    };
    row("ST", "ST", RecordKind::Settings);
    row("DI", "DI", RecordKind::Identity);
    row("di lower case", "di", RecordKind::Unknown);
    row("DI blank", "DI ", RecordKind::Unknown);
    row("DIX", "DIX", RecordKind::Unknown);
    row("DI cut at NUL", QByteArray("DI\0XYZ", 6), RecordKind::Identity);
    row("empty", "", RecordKind::Unknown);
    row("CB as CA", "CB", RecordKind::CanEngineHours);
    row("CD as CC", "CD", RecordKind::CanMileage);
    row("CF as CE", "CF", RecordKind::CanFuelUsed);
    row("C#", "C#", RecordKind::CanProgram);
    row("CK axle 1", "CK", RecordKind::CanAxle1);
    row("CO axle 5", "CO", RecordKind::CanAxle5);
    row("LLS", "LLS", RecordKind::FuelSensors);
    row("OWK", "OWK", RecordKind::OneWireKey);
    row("O14 output", "O14", RecordKind::Output);
    row("O25 output", "O25", RecordKind::Output);
    row("O34 nothing", "O34", RecordKind::Unknown);
    row("O16 nothing", "O16", RecordKind::Unknown);
    row("O1 too short", "O1", RecordKind::Unknown);
    row("ID0 input", "ID0", RecordKind::Input);
    row("IA5 input", "IA5", RecordKind::Input);
    row("ID two bytes", "ID", RecordKind::Unknown);
    row("ID00 four bytes", "ID00", RecordKind::Unknown);
    row("GK", "GK", RecordKind::Position);
    row("SMS", "SMS", RecordKind::Sms);
    row("RD", "RD", RecordKind::Restart);
    row("merged name", "RD\r\n>DF", RecordKind::Unknown);
}

void TestFraming::recordNames()
{
    QFETCH(QByteArray, name);
    QFETCH(int, kind);
    QCOMPARE(int(classifyRecord(name)), kind);
}

// The page, the charts and the checks all take a record's value: the kind's decoder runs once a
// record, the handler first, then the observers in the order they came.
void TestFraming::typedRouteDecodesOnce()
{
    RecordRouter router;
    int decoded = 0;
    QStringList calls;
    const auto decode = [&decoded](const RecordLine &r) {
        ++decoded;
        return r.field[0].toInt();
    };
    router.tap(RecordKind::Power, decode, [&](int v) { calls << QStringLiteral("charts %1").arg(v); });
    router.route(RecordKind::Power, decode, [&](int v) { calls << QStringLiteral("page %1").arg(v); });
    router.tap(RecordKind::Power, decode, [&](int v) { calls << QStringLiteral("checks %1").arg(v); });
    router.dispatch(RecordLine{"PB", {"12", "", "", "", ""}});
    router.dispatch(RecordLine{"GS", {"7", "", "", "", ""}});
    QCOMPARE(decoded, 1);
    QCOMPARE(calls, (QStringList{"page 12", "charts 12", "checks 12"}));
}

QTEST_APPLESS_MAIN(TestFraming)
#include "tst_framing.moc"
