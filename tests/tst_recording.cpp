// Recording the traffic of a real main window into a file, over pseudo-terminals: time
// stamps, direction marks, a hang-up and a new connection in the middle, and a flood from the
// terminal simulator recorded without a byte missing.
#include "mainwindow/mainwindow.h"
#include "terminal/console.h"
#include "terminal/terminal.h"
#include "testutil.h"

#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Entry
{
    QDateTime time;
    QString mark;          // "←", "→" or "##"
    QByteArray payload;    // escapes undone for ← and →
};

// Undoes the escapes of a payload: \\ \r \n \t \xHH; false on anything else after "\".
bool unescape(const QByteArray &in, QByteArray &out)
{
    for (int i = 0; i < in.size(); ++i) {
        if (in.at(i) != '\\') {
            out += in.at(i);
            continue;
        }
        if (++i >= in.size())
            return false;
        switch (in.at(i)) {
        case '\\': out += '\\'; break;
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'x': {
            bool ok = false;
            out += char(in.mid(i + 1, 2).toInt(&ok, 16));
            if (!ok || i + 2 >= in.size())
                return false;
            i += 2;
            break;
        }
        default: return false;
        }
    }
    return true;
}

// The entries of a recording; a line that is not an entry fails the test.
QList<Entry> readRecording(const QString &path)
{
    QList<Entry> entries;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        QTest::qFail("the recording cannot be read", __FILE__, __LINE__);
        return entries;
    }
    const QRegularExpression stampFormat(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}$"));
    const QByteArray all = f.readAll();
    if (!all.endsWith('\n'))
        QTest::qFail("the recording does not end with a line end", __FILE__, __LINE__);
    QByteArray lastStamp;
    QDateTime lastTime;
    for (const QByteArray &raw : all.split('\n')) {
        if (raw.isEmpty())
            continue;
        // "yyyy-MM-dd HH:mm:ss.zzz", a blank, the mark, a blank, the payload
        const QByteArray stamp = raw.left(23);
        if (stamp != lastStamp) {
            lastStamp = stamp;
            lastTime = stampFormat.match(QString::fromLatin1(stamp)).hasMatch()
                           ? QDateTime::fromString(QString::fromLatin1(stamp),
                                                   QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))
                           : QDateTime();
        }
        Entry e;
        e.time = lastTime;
        const QByteArray rest = raw.mid(23);
        bool ok = e.time.isValid();
        if (rest.startsWith(" ## ")) {
            e.mark = QStringLiteral("##");
            e.payload = rest.mid(4);
        } else if (rest.startsWith(" \xE2\x86\x90 ") || rest.startsWith(" \xE2\x86\x92 ")) {
            e.mark = QString::fromUtf8(rest.mid(1, 3));
            ok = ok && unescape(rest.mid(5), e.payload);
        } else {
            ok = false;
        }
        if (!ok) {
            QTest::qFail(raw.constData(), __FILE__, __LINE__);
            return entries;
        }
        entries << e;
    }
    return entries;
}

// The received bytes of the entries, in file order.
QByteArray receivedBytes(const QList<Entry> &entries)
{
    QByteArray out;
    for (const Entry &e : entries)
        if (e.mark == QStringLiteral("←"))
            out += e.payload;
    return out;
}

QString logOf(MainWindow &w)
{
    return w.terminalPanel()->logConsole()->toPlainText();
}
} // namespace

class TestRecording : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        setPortSource(nullptr);
        deviceModelCode = 0;
    }
    void hangUpInTheMiddle();
    void completeAfterFlood();
};

void TestRecording::hangUpInTheMiddle()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rec.log"));
    const QDateTime started = QDateTime::currentDateTime().addMSecs(-1);
    MainWindow w;
    auto *label = w.findChild<QLabel *>(QStringLiteral("recordingLabel"));
    QVERIFY(label);
    QVERIFY(w.terminalPanel()->startRecording(path));
    QVERIFY(label->text().startsWith(QStringLiteral("Запись: rec.log, ")));

    const QByteArray before1(">DI=31;0;70\r\n>DN=2017");
    const QByteArray before2("45\r\n\xff\x00 \\z\r", 10);   // not UTF-8, a zero byte, a backslash
    const QByteArray after("\n>TW=1;2\r\n");
    QString firstPath, secondPath;
    {
        Pty first;
        firstPath = first.slavePath;
        connectTo(w, first.slavePath);
        QVERIFY(w.serialPort()->isOpen());
        QCOMPARE(first.read(12), QByteArray(">I 0\r\n>I 1\r\n"));
        first.write(before1);
        QTRY_VERIFY(logOf(w).contains(QLatin1String(">DN=2017")));
        first.write(before2);
        QTRY_VERIFY(logOf(w).contains(QLatin1String(">DN=201745")));
    }
    // the master side is gone: the line hangs up and the window closes the port
    QTRY_VERIFY(!w.serialPort()->isOpen());
    QVERIFY(w.terminalPanel()->isRecording());

    Pty second;
    secondPath = second.slavePath;
    connectTo(w, second.slavePath);
    QVERIFY(w.serialPort()->isOpen());
    QCOMPARE(second.read(12), QByteArray(">I 0\r\n>I 1\r\n"));
    second.write(after);
    QTRY_VERIFY(logOf(w).contains(QLatin1String(">TW=1;2")));
    w.terminalPanel()->stopRecording();
    QCOMPARE(label->text(), QString());
    const QDateTime stopped = QDateTime::currentDateTime().addMSecs(1);

    const QList<Entry> entries = readRecording(path);
    // what happened, in order: received pieces in a row count as one step
    QStringList steps;
    for (const Entry &e : entries) {
        QString step = e.mark + QLatin1Char(' ') + QString::fromUtf8(e.payload);
        if (e.mark == QStringLiteral("←"))
            step = e.mark;
        if (step.startsWith(QStringLiteral("## Связь прервана")))
            step = QStringLiteral("## Связь прервана");   // the reason is the system's text
        if (steps.isEmpty() || step != QStringLiteral("←") || steps.last() != step)
            steps << step;
    }
    const QStringList expected{
        QStringLiteral("## Запись начата"),
        QStringLiteral("## Связь установлена: ") + firstPath,
        QStringLiteral("→ >I 0\r\n"),
        QStringLiteral("→ >I 1\r\n"),
        QStringLiteral("←"),
        QStringLiteral("## Связь прервана"),
        QStringLiteral("## Связь установлена: ") + secondPath,
        QStringLiteral("→ >I 0\r\n"),
        QStringLiteral("→ >I 1\r\n"),
        QStringLiteral("←"),
        QStringLiteral("## Запись остановлена"),
    };
    QCOMPARE(steps, expected);

    // every byte as it came, on both sides of the gap
    int gap = 0;
    while (!entries.at(gap).payload.startsWith("Связь прервана"))
        ++gap;
    QCOMPARE(receivedBytes(entries.mid(0, gap)), before1 + before2);
    QCOMPARE(receivedBytes(entries.mid(gap)), after);
    // a received piece ends at a line end: the line that was cut by the hang-up stays cut
    for (const Entry &e : entries) {
        if (e.mark == QStringLiteral("←")) {
            const int end = e.payload.indexOf('\n');
            QVERIFY2(end < 0 || end == e.payload.size() - 1, e.payload.constData());
        }
    }
    // local times to the millisecond, in order, between start and stop
    for (int i = 0; i < entries.size(); ++i) {
        QVERIFY(entries.at(i).time >= started);
        QVERIFY(entries.at(i).time <= stopped);
        if (i > 0)
            QVERIFY(entries.at(i - 1).time <= entries.at(i).time);
    }
}

void TestRecording::completeAfterFlood()
{
#ifndef KVT_SIM_PATH
    QSKIP("the terminal simulator is built on POSIX systems only");
#else
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("port"));
    QProcess sim;
    sim.setProgram(QStringLiteral(KVT_SIM_PATH));
    sim.setArguments({QStringLiteral("--link"), link, QStringLiteral("--flood-bytes"),
                      QStringLiteral("4000000"), QStringLiteral("--quiet")});
    sim.start();
    QVERIFY(sim.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(link), 5000);

    // a known terminal: no identity request, so only the flood comes
    deviceModelCode = 1;
    MainWindow w;
    const QString path = dir.filePath(QStringLiteral("rec.log"));
    QVERIFY(w.terminalPanel()->startRecording(path));
    // the bytes each readData() is about to take
    QSerialPort *port = w.serialPort();
    qint64 taken = 0;
    QObject::disconnect(port, &QSerialPort::readyRead, &w, &MainWindow::readData);
    QObject::connect(port, &QSerialPort::readyRead, &w, [&] { taken += port->bytesAvailable(); });
    QObject::connect(port, &QSerialPort::readyRead, &w, &MainWindow::readData);
    connectTo(w, link);
    QVERIFY(port->isOpen());

    QByteArray out;
    QRegularExpressionMatch done;
    const QRegularExpression doneLine(QStringLiteral("FLOOD-DONE (\\d+) (\\d+)"));
    QTRY_VERIFY_WITH_TIMEOUT((out += sim.readAllStandardOutput(),
                              done = doneLine.match(QString::fromLatin1(out)), done.hasMatch()),
                             120000);
    const qint64 lines = done.captured(1).toLongLong();
    const qint64 bytes = done.captured(2).toLongLong();
    QTRY_COMPARE_WITH_TIMEOUT(taken, bytes, 60000);
    w.terminalPanel()->stopRecording();
    sim.terminate();
    sim.waitForFinished(3000);

    const QByteArray recorded = receivedBytes(readRecording(path));
    QCOMPARE(recorded.size(), bytes);
    // the flood's own numbering: ">RW=n;n" with n from 1, every other line
    QList<QByteArray> got = recorded.split('\n');
    QCOMPARE(got.takeLast(), QByteArray());
    QCOMPARE(qint64(got.size()), lines);
    for (int i = 0; i < got.size(); i += 2) {
        const QByteArray n = QByteArray::number(i / 2 + 1);
        QCOMPARE(got.at(i), ">RW=" + n + ";" + n + "\r");
    }
#endif
}

QTEST_MAIN(TestRecording)
#include "tst_recording.moc"
