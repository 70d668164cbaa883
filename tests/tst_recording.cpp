// Recording the traffic of a real main window into a file, over pseudo-terminals: time
// stamps, direction marks, a hang-up and a new connection in the middle, and a flood from the
// terminal simulator recorded without a byte missing.
#include "mainwindow/mainwindow.h"
#include "terminal/console.h"
#include "link/recorder.h"
#include "terminal/terminal.h"
#include "testutil.h"

#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>

#include <sys/resource.h>

namespace {
struct Entry
{
    QDateTime time;
    QByteArray mark;       // "←", "→" or "##"
    QByteArray payload;    // escapes undone for ← and →
};

// The entries of a recording, read by the rules of its format; an entry that breaks them
// ends the list early with `bad` set to it.
QList<Entry> readRecording(const QString &path, QByteArray &bad)
{
    QList<Entry> entries;
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QByteArray all = f.readAll();
    bad = all.endsWith('\n') ? QByteArray() : QByteArray("no line end at the end");
    QByteArray lastStamp;
    QDateTime time;
    for (const QByteArray &raw : all.split('\n')) {
        if (raw.isEmpty())
            continue;
        if (raw.left(23) != lastStamp) {   // "yyyy-MM-dd HH:mm:ss.zzz", shared by many lines
            lastStamp = raw.left(23);
            time = QDateTime::fromString(QString::fromLatin1(lastStamp), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        }
        Entry e{time, raw.mid(24, raw.mid(24, 3) == "## " ? 2 : 3), QByteArray()};
        const QByteArray payload = raw.mid(25 + e.mark.size());
        bool ok = time.isValid() && raw.mid(23, 1) == " " && raw.mid(24 + e.mark.size(), 1) == " "
                  && (e.mark == "##" || e.mark == "←" || e.mark == "→");
        for (int i = 0; ok && i < payload.size(); ++i) {
            const char c = payload.at(i);
            if (c != '\\' || e.mark == "##") {
                e.payload += c;
                continue;
            }
            const char k = ++i < payload.size() ? payload.at(i) : char(0);
            const int hex = k == 'x' ? payload.mid(i + 1, 2).toInt(&ok, 16) : 0;
            e.payload += k == 'r' ? '\r' : k == 'n' ? '\n' : k == 't' ? '\t' : k == 'x' ? char(hex) : k;
            ok = ok && QByteArray("\\rntx").contains(k) && (k != 'x' || payload.mid(i + 1, 2).size() == 2);
            i += k == 'x' ? 2 : 0;
        }
        if (!ok) {
            bad = raw;
            break;
        }
        entries << e;
    }
    return entries;
}

QByteArray receivedBytes(const QList<Entry> &entries)
{
    QByteArray out;
    for (const Entry &e : entries)
        out += e.mark == "←" ? e.payload : QByteArray();
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
    }
    void hangUpInTheMiddle();
    void completeAfterFlood();
    void escapes_data();
    void escapes();
    void writeFailureNamed_data();
    void writeFailureNamed();
    void staleFailureKeepsNextRecording();
};

void TestRecording::hangUpInTheMiddle()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rec.log"));
    const QDateTime started = QDateTime::currentDateTime().addMSecs(-1);
    MainWindow w;
    auto *label = w.findChild<QLabel *>(QStringLiteral("recordingLabel"));
    QVERIFY(w.terminalPanel()->startRecording(path));
    QVERIFY(label->text().startsWith(QStringLiteral("Запись: rec.log, ")));

    const QByteArray before(">DI=31;0;70\r\n>DN=20");
    const QByteArray before2("17\r\n\xff\x00 \\z\r", 10);   // not UTF-8, a zero byte, a backslash
    const QByteArray after("\n>TW=1;2\r\n");
    auto pty = std::make_unique<Pty>();
    const QString firstPath = pty->slavePath;
    connectTo(w, firstPath);
    QCOMPARE(pty->read(24), QByteArray(">I 0\r\n>I 1\r\n>I 3\r\n>I 7\r\n"));
    pty->write(before);
    QTRY_VERIFY(logOf(w).contains(QLatin1String(">DN=20")));
    pty->write(before2);
    QTRY_VERIFY(logOf(w).contains(QLatin1String(">DN=2017")));
    pty.reset();   // the line hangs up: the window closes the port, recording goes on
    QTRY_VERIFY(!w.serialPort()->isOpen());

    pty = std::make_unique<Pty>();
    connectTo(w, pty->slavePath);
    QCOMPARE(pty->read(24), QByteArray(">I 0\r\n>I 1\r\n>I 3\r\n>I 7\r\n"));
    pty->write(after);
    QTRY_VERIFY(logOf(w).contains(QLatin1String(">TW=1;2")));
    w.terminalPanel()->stopRecording();
    QCOMPARE(label->text(), QString());
    const QDateTime stopped = QDateTime::currentDateTime().addMSecs(1);

    QByteArray bad;
    const QList<Entry> entries = readRecording(path, bad);
    QVERIFY2(bad.isEmpty(), bad.constData());
    // what happened, in order; received pieces in a row are one step, the reason of the
    // hang-up is the system's text
    QStringList steps;
    int gap = -1;
    for (int i = 0; i < entries.size(); ++i) {
        const Entry &e = entries.at(i);
        QString step = QString::fromUtf8(e.mark == "←" ? e.mark : e.mark + ' ' + e.payload);
        if (step.startsWith(QStringLiteral("## Связь прервана"))) {
            step = QStringLiteral("## Связь прервана");
            gap = i;
        }
        if (steps.isEmpty() || steps.last() != step)
            steps << step;
        QVERIFY(e.time >= started && e.time <= stopped);
        QVERIFY(i == 0 || entries.at(i - 1).time <= e.time);
        // a received piece ends at a line end or the end of its chunk
        QVERIFY(e.mark != "←" || !e.payload.chopped(1).contains('\n'));
    }
    const QString identity = QStringLiteral("→ >I 0\r\n|→ >I 1\r\n|→ >I 3\r\n|→ >I 7\r\n");
    QCOMPARE(steps.join(QLatin1Char('|')),
             QStringLiteral("## Запись начата|## Связь установлена: %1|%2|←|## Связь прервана|"
                            "## Связь установлена: %3|%2|←|## Запись остановлена")
                 .arg(firstPath, identity, pty->slavePath));
    // every byte as it came, on both sides of the gap
    QCOMPARE(receivedBytes(entries.mid(0, gap)), before + before2);
    QCOMPARE(receivedBytes(entries.mid(gap)), after);
}

void TestRecording::completeAfterFlood()
{
#ifndef KVT_SIM_PATH
    QSKIP("the terminal simulator is built on POSIX systems only");
#else
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("port"));
    QProcess sim;
    QVERIFY(startSimulator(sim, link, {QStringLiteral("--flood-bytes"), QStringLiteral("4000000")}));

    MainWindow w;
    // a known terminal: no identity request, only the flood comes
    w.dispatchRecord("DI", "1", "0", "70", "", "");
    const QString path = dir.filePath(QStringLiteral("rec.log"));
    QVERIFY(w.terminalPanel()->startRecording(path));
    connectTo(w, link);

    QByteArray out;
    QRegularExpressionMatch done;
    QTRY_VERIFY_WITH_TIMEOUT((out += sim.readAllStandardOutput(),
                              done = QRegularExpression(QStringLiteral("FLOOD-DONE (\\d+) (\\d+)"))
                                         .match(QString::fromLatin1(out)))
                                 .hasMatch(),
                             120000);
    const qint64 lines = done.captured(1).toLongLong();
    const qint64 bytes = done.captured(2).toLongLong();
    const QByteArray last = QByteArray::number(lines / 2);
    QTRY_VERIFY_WITH_TIMEOUT(logOf(w).contains(">RW=" + last + ";" + last), 60000);
    w.terminalPanel()->stopRecording();

    QByteArray bad;
    const QByteArray recorded = receivedBytes(readRecording(path, bad));
    QVERIFY2(bad.isEmpty(), bad.constData());
    QCOMPARE(qint64(recorded.size()), bytes);
    // the flood's own numbering: ">RW=n;n" with n from 1, every other line
    const QList<QByteArray> got = recorded.split('\n');
    QCOMPARE(qint64(got.size() - 1), lines);
    for (int i = 0; i + 1 < got.size(); i += 2)
        QCOMPARE(got.at(i), ">RW=" + QByteArray::number(i / 2 + 1) + ";" + QByteArray::number(i / 2 + 1) + "\r");
#endif
}

void TestRecording::escapes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("tab") << QByteArray("a\tb") << QByteArray("a\\tb");
    // C0 and C1 would only start overlong forms of ASCII
    QTest::newRow("overlong lead bytes") << QByteArray("\xC0\x80\xC1\xBF") << QByteArray("\\xC0\\x80\\xC1\\xBF");
    QTest::newRow("control bytes, hex digits in order") << QByteArray("\x1B[0m\x07") << QByteArray("\\x1B[0m\\x07");
    // a character complete at the very end of the chunk is the character; one cut off is not
    QTest::newRow("Cyrillic at the end of the chunk")
        << QByteArray("OK \xD0\x94\xD0\xB0") << QByteArray("OK \xD0\x94\xD0\xB0");
    QTest::newRow("three-byte character at the end") << QByteArray("\xE2\x86\x90") << QByteArray("\xE2\x86\x90");
    QTest::newRow("character cut off at the end") << QByteArray("a\xD0") << QByteArray("a\\xD0");
}

void TestRecording::escapes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, written);
    QByteArray out;
    Recorder::escape(bytes.constData(), bytes.size(), out);
    QCOMPARE(out, written);
}

void TestRecording::writeFailureNamed_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("sizeLimit");   // bytes a file may grow to, 0: no limit
    QTest::addColumn<int>("error");
    QTest::newRow("full disk") << "/dev/full" << 0 << ENOSPC;
    // the first write goes in part, the rest fails
    QTest::newRow("file size limit reached in a write") << "rec.log" << 4096 << EFBIG;
}

void TestRecording::writeFailureNamed()
{
    QFETCH(QString, path);
    QFETCH(int, sizeLimit);
    QFETCH(int, error);
    if (path.startsWith('/') && !QFile::exists(path))
        QSKIP("needs /dev/full");
    QTemporaryDir dir;
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    if (sizeLimit > 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = rlim_t(sizeLimit);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    }
    MainWindow w;
    ModalCloser closer;
    const bool started = w.terminalPanel()->startRecording(path.startsWith('/') ? path : dir.filePath(path));
    w.terminalPanel()->showReceived(QByteArray(100000, 'x'));
    const bool told = QTest::qWaitFor([&] { return !closer.texts.isEmpty(); });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    QVERIFY(started && told);
    QVERIFY(!w.terminalPanel()->isRecording());
    QCOMPARE(closer.texts.size(), 1);
    QVERIFY2(closer.texts.at(0).contains(QString::fromLocal8Bit(std::strerror(error))),
             qPrintable(closer.texts.at(0)));
}

void TestRecording::staleFailureKeepsNextRecording()
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("needs /dev/full");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rec.log"));
    MainWindow w;
    ModalCloser closer;
    Terminal *t = w.terminalPanel();
    QVERIFY(t->startRecording(QStringLiteral("/dev/full")));
    // stopping writes what is queued: the failure is posted before the next recording starts
    QVERIFY(t->startRecording(path));
    QCoreApplication::processEvents();
    QVERIFY(t->isRecording());
    QCOMPARE(closer.texts, QStringList());
    t->stopRecording();
    QByteArray bad;
    QCOMPARE(readRecording(path, bad).size(), 2);   // started, stopped
}

QTEST_MAIN(TestRecording)
#include "tst_recording.moc"
