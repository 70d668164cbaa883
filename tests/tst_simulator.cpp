// The terminal simulator kvt-sim, driven over its pseudo-terminal the way the program
// drives a terminal: command lines out, record lines back.
#include "simutil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <memory>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString simPath()
{
#ifdef KVT_SIM_PATH
    return QStringLiteral(KVT_SIM_PATH);
#else
    return QString();
#endif
}

// One running simulator plus a client on its slave side.
class SimClient
{
public:
    explicit SimClient(const QStringList &args, bool withPaths = false)
    {
        QStringList all = args;
        all << QStringLiteral("--quiet");
        if (withPaths) {
            linkPath = dir.filePath(QStringLiteral("link"));
            portFilePath = dir.filePath(QStringLiteral("portfile"));
            all << QStringLiteral("--link") << linkPath << QStringLiteral("--port-file") << portFilePath;
        }
        proc.setProgram(simPath());
        proc.setArguments(all);
        proc.setProcessChannelMode(QProcess::SeparateChannels);
        proc.start();
        if (proc.waitForStarted(5000))
            path = waitForStdout(QStringLiteral("PORT "), 5000);
    }

    // A client on the slave of a simulator started by another SimClient (a terminal of --count).
    explicit SimClient(const QString &slavePath) : path(slavePath) {}

    ~SimClient()
    {
        closeSlave();
        if (proc.state() != QProcess::NotRunning) {
            proc.terminate();
            if (!proc.waitForFinished(3000)) {
                proc.kill();
                proc.waitForFinished(3000);
            }
        }
    }

    // The rest of the next stdout line that starts with prefix, or an empty string.
    QString waitForStdout(const QString &prefix, int ms)
    {
        QElapsedTimer t;
        t.start();
        for (;;) {
            while (proc.canReadLine()) {
                const QString line = QString::fromLocal8Bit(proc.readLine()).trimmed();
                if (line.startsWith(prefix))
                    return line.mid(prefix.size());
            }
            const int left = ms - int(t.elapsed());
            if (left <= 0 || proc.state() == QProcess::NotRunning)
                return QString();
            proc.waitForReadyRead(qMin(left, 100));
        }
    }

    // Opens the slave in raw mode; discards whatever was waiting in it unless told otherwise.
    bool openSlave(bool discardOld = true)
    {
        closeSlave();
        fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0)
            return false;
        termios t{};
        ::tcgetattr(fd, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
        if (discardOld) {
            QTest::qWait(20);
            ::tcflush(fd, TCIFLUSH);
        }
        buffer.clear();
        hungUp = false;
        return true;
    }

    void closeSlave()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }

    bool send(const QByteArray &bytes)
    {
        qsizetype done = 0;
        QElapsedTimer t;
        t.start();
        while (done < bytes.size() && t.elapsed() < 5000) {
            const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (n > 0)
                done += n;
            else if (n < 0 && errno != EAGAIN && errno != EINTR)
                return false;
            else
                QTest::qWait(1);
        }
        return done == bytes.size();
    }

    // Reads for up to ms milliseconds (less when enough lines arrived and the line then
    // stays quiet for quietMs); returns the complete lines, each with its CR LF.
    QList<QByteArray> readLines(int ms, int wantLines = -1, int quietMs = 150)
    {
        QList<QByteArray> lines;
        QElapsedTimer total, quiet;
        total.start();
        quiet.start();
        while (total.elapsed() < ms && !hungUp) {
            if (wantLines >= 0 && lines.size() >= wantLines && quiet.elapsed() >= quietMs)
                break;
            if (readSome(20) > 0)
                quiet.restart();
            int end;
            while ((end = buffer.indexOf("\r\n")) >= 0) {
                lines << buffer.left(end + 2);
                buffer.remove(0, end + 2);
            }
        }
        return lines;
    }

    // One poll and read; sets hungUp on EOF, EIO or POLLHUP.
    qsizetype readSome(int pollMs, qsizetype maxBytes = 65536)
    {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, pollMs) <= 0)
            return 0;
        QByteArray chunk(int(maxBytes), Qt::Uninitialized);
        const ssize_t n = ::read(fd, chunk.data(), size_t(chunk.size()));
        if (n > 0) {
            buffer.append(chunk.constData(), int(n));
            return n;
        }
        if (n == 0 || (n < 0 && errno == EIO) || (p.revents & (POLLHUP | POLLERR)))
            hungUp = true;
        return 0;
    }

    QTemporaryDir dir;
    QString linkPath;
    QString portFilePath;
    QProcess proc;
    QString path;
    int fd = -1;
    QByteArray buffer;
    bool hungUp = false;
};

// ">NAME=f1;...;f5" CR LF: a name without "=", at most five fields, nothing after the line end.
bool isRecordLine(const QByteArray &line)
{
    static const QRegularExpression shape(QStringLiteral("^>[^=\\r\\n>]+=[^\\r\\n]*\\r\\n$"));
    if (!shape.match(QString::fromLatin1(line)).hasMatch())
        return false;
    return line.startsWith(">ST=") || line.count(';') <= 4;
}

QByteArray nameOf(const QByteArray &line)
{
    return line.mid(1, line.indexOf('=') - 1);
}

QList<QByteArray> fieldsOf(const QByteArray &line)
{
    const int eq = line.indexOf('=');
    return line.mid(eq + 1, line.size() - eq - 3).split(';');
}

QList<QByteArray> namesOf(const QList<QByteArray> &lines)
{
    QList<QByteArray> names;
    for (const QByteArray &l : lines)
        names << nameOf(l);
    return names;
}

QList<QByteArray> withName(const QList<QByteArray> &lines, const QByteArray &name)
{
    QList<QByteArray> out;
    for (const QByteArray &l : lines)
        if (nameOf(l) == name)
            out << l;
    return out;
}

// The settings text of the one ST record that answers a settings request.
QByteArray readSettings(SimClient &sim)
{
    if (!sim.send(">D 15;0\r\n"))
        return QByteArray("<send failed>");
    const QList<QByteArray> lines = sim.readLines(3000, 1);
    if (lines.size() != 1 || !lines.first().startsWith(">ST="))
        return QByteArray("<no single ST record>");
    return lines.first().mid(4, lines.first().size() - 6);
}

const char kDefaultSettings[] =
    "#1=track.example.org,20332#2=internet.mts.ru,mts,mts#4=#5=300,15,20,60#6=0,60,10"
    "#7=internet.beeline.ru,beeline,beeline#8=#9=D,A,N#10=2,3,4,5,6,7,8,#11=7,30#12=113#15=0,0";

} // namespace

class TestSimulator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void identityRecords_data();
    void identityRecords();
    void statusRecords_data();
    void statusRecords();
    void settingsRequest_data();
    void settingsRequest();
    void settingsWrite_data();
    void settingsWrite();
    void newPasswordItem_data();
    void newPasswordItem();
    void packetCounters_data();
    void packetCounters();
    void taskStates_data();
    void taskStates();
    void tachographDownload_data();
    void tachographDownload();
    void restartHangsUp_data();
    void restartHangsUp();
    void loaderFlashes();
    void batchOfTerminals_data();
    void batchOfTerminals();
    void countOfTerminals_data();
    void countOfTerminals();
    void silentTerminal_data();
    void silentTerminal();
    void flood_data();
    void flood();
    void robustInput_data();
    void robustInput();
    void clientReopensSlave_data();
    void clientReopensSlave();
    void unreadRecords_data();
    void unreadRecords();
    void liveRecords_data();
    void liveRecords();
    void signalCleansUp_data();
    void signalCleansUp();
    void badOptions_data();
    void badOptions();
};

void TestSimulator::initTestCase()
{
#ifndef KVT_SIM_PATH
    QSKIP("the terminal simulator is built on POSIX systems only");
#endif
}

void TestSimulator::identityRecords_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QList<QByteArray>>("expected");

    QTest::newRow("defaults, >I 0")
        << QStringList() << QByteArray(">I 0\r\n")
        << QList<QByteArray>{">DI=31;0;70\r\n", ">DN=201745\r\n", ">MN=866104023456789\r\n"};
    QTest::newRow("tachograph model, old firmware")
        << QStringList{"--model", "20", "--fw", "0.63", "--serial", "TX-0042", "--imei", "351234567890123"}
        << QByteArray(">I 0\r\n")
        << QList<QByteArray>{">DI=20;0;63\r\n", ">DN=TX-0042\r\n", ">MN=351234567890123\r\n"};
    QTest::newRow("model 0, minor version with leading zero")
        << QStringList{"--model", "0", "--fw", "1.05"} << QByteArray(">I 0\n")
        << QList<QByteArray>{">DI=0;1;05\r\n", ">DN=201745\r\n", ">MN=866104023456789\r\n"};
    QTest::newRow("identity request as the program writes it")
        << QStringList{"--model", "108"} << QByteArray(">I 0\r\n>I 1\r\n")
        << QList<QByteArray>{">DI=108;0;70\r\n", ">DN=201745\r\n", ">MN=866104023456789\r\n", ">DF=0;0\r\n",
                             ">RW=120;124\r\n"};
}

void TestSimulator::identityRecords()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, request);
    QFETCH(QList<QByteArray>, expected);

    SimClient sim(args + QStringList{"--rate", "0"});
    QVERIFY2(!sim.path.isEmpty(), "no PORT line");
    QVERIFY(sim.openSlave());
    QVERIFY(sim.send(request));
    const QList<QByteArray> lines = sim.readLines(3000, expected.size());
    for (const QByteArray &l : lines)
        QVERIFY2(isRecordLine(l), l.constData());
    QCOMPARE(lines, expected);
}

void TestSimulator::statusRecords_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QList<QByteArray>>("names");

    QTest::newRow(">I 3") << QByteArray(">I 3\r\n")
                          << QList<QByteArray>{"TW", "RW", "DS", "PB", "MS", "ML", "APN", "MO", "MD", "SMS"};
    QTest::newRow(">I 7") << QByteArray(">I 7\r\n")
                          << QList<QByteArray>{"GK", "GS", "ID0", "ID1", "IA2", "IF3", "II4", "O15", "LLS", "LLS",
                                               "OWT", "OWT", "OWK", "C#", "CA", "CC", "CE", "CG", "CH", "CI", "CJ",
                                               "CP", "CS", "CK", "CL", "CM", "CN", "CO", "CV"};
}

void TestSimulator::statusRecords()
{
    QFETCH(QByteArray, request);
    QFETCH(QList<QByteArray>, names);

    SimClient sim({"--rate", "0"});
    QVERIFY(sim.openSlave());
    QVERIFY(sim.send(request));
    const QList<QByteArray> lines = sim.readLines(3000, names.size());
    for (const QByteArray &l : lines)
        QVERIFY2(isRecordLine(l), l.constData());
    QCOMPARE(namesOf(lines), names);

    // Field contents in the shapes the record decoders read.
    static const QHash<QByteArray, QString> fieldShape{
        {"TW", "^\\d+;\\d+$"},
        {"RW", "^\\d+;\\d+$"},
        {"DS", "^\\d+$"},
        {"PB", "^\\d+;\\d+$"},
        {"MS", "^[0-7]$"},
        {"ML", "^([0-9]|[12][0-9]|3[01]);250;01$"},
        {"APN", "^[^;]*;[^;]*;[^;]*$"},
        {"MO", "^[^;]+;[^;]+$"},
        {"MD", "^[^;]+;\\d+;\\d+$"},
        {"SMS", "^\\d+;\\d+;\\d+$"},
        {"GK", "^-?\\d+\\.\\d+;-?\\d+\\.\\d+$"},
        {"GS", "^\\d+;\\d+;-?\\d+;\\d+;\\d+$"},
        {"ID0", "^[01]$"},
        {"ID1", "^[01]$"},
        {"IA2", "^\\d+(\\.\\d+)?$"},
        {"IF3", "^\\d+$"},
        {"II4", "^\\d+$"},
        {"O15", "^[01]$"},
        {"LLS", "^[^;]*;[0-6];\\d+;-?\\d+$"},
        {"OWT", "^[0-5];[0-9A-F]{16};-?\\d+(\\.\\d)?$"},
        {"OWK", "^0;[0-9A-F]{16}$"},
        {"C#", "^\\d+;\\d+;\\d+$"},
    };
    for (const QByteArray &l : lines) {
        const QByteArray name = nameOf(l);
        const QString fields = QString::fromLatin1(l.mid(name.size() + 2, l.size() - name.size() - 4));
        const QString shape = fieldShape.value(name, QStringLiteral("^-?\\d+$")); // CAN values: one number
        QVERIFY2(QRegularExpression(shape).match(fields).hasMatch(), l.constData());
    }

    if (request.startsWith(">I 3")) {
        // The clock is seconds since 1970 UTC: within a minute of this machine's clock.
        const qint64 clock = fieldsOf(withName(lines, "TW").first()).at(0).toLongLong();
        QVERIFY(qAbs(clock - QDateTime::currentSecsSinceEpoch()) < 60);
        // Status word: memories, clock, GSM on line, SIM 1, GNSS with NMEA, SIM 2; no PIN needed.
        const quint32 ds = fieldsOf(withName(lines, "DS").first()).at(0).toUInt();
        for (int bit : {0, 1, 2, 3, 5, 6, 9, 10, 16})
            QVERIFY2(ds & (1u << bit), qPrintable(QString::number(bit)));
        for (int bit : {7, 13, 17})
            QVERIFY2(!(ds & (1u << bit)), qPrintable(QString::number(bit)));
        // APN and server come from the stored settings.
        QCOMPARE(withName(lines, "APN").first(), QByteArray(">APN=internet.mts.ru;mts;mts\r\n"));
        QCOMPARE(withName(lines, "MD").first(), QByteArray(">MD=track.example.org;20332;1\r\n"));
    } else {
        const QList<QByteArray> lls = withName(lines, "LLS");
        QCOMPARE(fieldsOf(lls.at(0)).at(1), QByteArray("0"));
        QCOMPARE(fieldsOf(lls.at(1)).at(1), QByteArray("1"));
        // Position fix of 0 would never reach the page.
        QVERIFY(fieldsOf(withName(lines, "GK").first()).at(0).toDouble() != 0.0);
        // CAN program number follows setting 12.
        QCOMPARE(fieldsOf(withName(lines, "C#").first()).at(0), QByteArray("113"));
    }
}

void TestSimulator::settingsRequest_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::newRow("CR LF") << QByteArray(">D 15;0\r\n");
    QTest::newRow("LF only") << QByteArray(">D 15;0\n");
    QTest::newRow("CR only") << QByteArray(">D 15;0\r");
    QTest::newRow("with the identity request") << QByteArray(">I 9\r\n>D 15;0\r\n");
}

void TestSimulator::settingsRequest()
{
    QFETCH(QByteArray, request);
    SimClient sim({"--rate", "0"});
    QVERIFY(sim.openSlave());
    QVERIFY(sim.send(request));
    const QList<QByteArray> lines = sim.readLines(1500, 1, 400);
    QCOMPARE(lines.size(), 1);
    QVERIFY(isRecordLine(lines.first()));
    QCOMPARE(nameOf(lines.first()), QByteArray("ST"));
    const QByteArray text = lines.first().mid(4, lines.first().size() - 6);
    QCOMPARE(text, QByteArray(kDefaultSettings));
    // Every item is "#" number "=" values, each number once.
    QSet<int> numbers;
    const QList<QByteArray> items = text.mid(1).split('#');
    for (const QByteArray &item : items) {
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d+=")).match(QString::fromLatin1(item)).hasMatch(),
                 item.constData());
        const int n = item.left(item.indexOf('=')).toInt();
        QVERIFY(!numbers.contains(n));
        numbers.insert(n);
    }
    QCOMPARE(numbers, (QSet<int>{1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15}));
}

void TestSimulator::settingsWrite_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("write");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QByteArray>("mustContain");
    QTest::addColumn<QByteArray>("mustNotContain");

    const QByteArray programBody = "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#11=0,30#15=0,0";
    QTest::newRow("right password, two items")
        << QStringList() << QByteArray("482915*SETP*#1=host.test,7000#2=apn,l,p\r\n") << true
        << QByteArray("#1=host.test,7000#2=apn,l,p#4=") << QByteArray("track.example.org");
    QTest::newRow("empty page as the program writes it, CAN items kept")
        << QStringList() << QByteArray("482915*SETP*" + programBody + "\r\n") << true << programBody
        << QByteArray("#9=D,A,N");
    QTest::newRow("LF only")
        << QStringList() << QByteArray("482915*SETP*#12=77\n") << true << QByteArray("#12=77#1=track")
        << QByteArray("#12=113");
    QTest::newRow("UTF-8 values kept byte for byte")
        << QStringList() << QString("482915*SETP*#2=интернет,логин,пароль\r\n").toUtf8() << true
        << QString("#2=интернет,логин,пароль").toUtf8() << QByteArray("mts,mts");
    QTest::newRow("wrong password")
        << QStringList() << QByteArray("111111*SETP*#1=evil,1\r\n") << false << QByteArray(kDefaultSettings)
        << QByteArray("evil");
    QTest::newRow("password with an extra digit")
        << QStringList() << QByteArray("4829150*SETP*#1=evil,1\r\n") << false << QByteArray(kDefaultSettings)
        << QByteArray("evil");
    QTest::newRow("password one digit short")
        << QStringList() << QByteArray("48291*SETP*#1=evil,1\r\n") << false << QByteArray(kDefaultSettings)
        << QByteArray("evil");
    QTest::newRow("empty password")
        << QStringList() << QByteArray("*SETP*#1=evil,1\r\n") << false << QByteArray(kDefaultSettings)
        << QByteArray("evil");
    QTest::newRow("own password accepted")
        << QStringList{"--password", "s3cret"} << QByteArray("s3cret*SETP*#4=1234\r\n") << true
        << QByteArray("#4=1234") << QByteArray("#4=#");
    QTest::newRow("default password refused when another is set")
        << QStringList{"--password", "s3cret"} << QByteArray("482915*SETP*#4=1234\r\n") << false
        << QByteArray(kDefaultSettings) << QByteArray("1234");
    QTest::newRow("corrupt echo alters a digit")
        << QStringList{"--corrupt-echo"} << QByteArray("482915*SETP*#1=host.test,7000#2=apn,l,p\r\n") << true
        << QByteArray("#1=host.test,7001#2=apn,l,p") << QByteArray("#1=host.test,7000#2=apn,l,p");
    QTest::newRow("items reported last number first, with one of the terminal's own")
        << QStringList{"--reorder-settings"} << QByteArray("482915*SETP*#1=host.test,7000\r\n") << true
        << QByteArray("#2=internet.mts.ru,mts,mts#1=host.test,7000#14=1")
        << QByteArray("#1=host.test,7000#2=");
    QTest::newRow("corrupt echo alters letter case")
        << QStringList{"--corrupt-echo"} << QByteArray("482915*SETP*#2=apn,l,p\r\n") << true
        << QByteArray("#2=apn,l,P") << QByteArray("#2=apn,l,p");
}

void TestSimulator::settingsWrite()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, write);
    QFETCH(bool, answered);
    QFETCH(QByteArray, mustContain);
    QFETCH(QByteArray, mustNotContain);

    SimClient sim(args + QStringList{"--rate", "0"});
    QVERIFY(sim.openSlave());
    QVERIFY(sim.send(write));
    const QList<QByteArray> answer = sim.readLines(answered ? 3000 : 700, answered ? 1 : -1, 300);
    if (!answered) {
        QVERIFY2(answer.isEmpty(), answer.value(0).constData());
    } else {
        QCOMPARE(answer.size(), 1);
        QVERIFY(isRecordLine(answer.first()));
        QVERIFY(answer.first().startsWith(">ST="));
    }
    // The stored settings as the next settings request reports them.
    const QByteArray stored = readSettings(sim);
    if (answered)
        QCOMPARE(stored, answer.first().mid(4, answer.first().size() - 6));
    QVERIFY2(stored.contains(mustContain), stored.constData());
    QVERIFY2(!stored.contains(mustNotContain), stored.constData());
}

void TestSimulator::newPasswordItem_data()
{
    QTest::addColumn<QByteArray>("item3");
    QTest::addColumn<QByteArray>("passwordAfter");
    QTest::addColumn<QByteArray>("refusedAfter");

    QTest::newRow("new password") << QByteArray("#3=7777") << QByteArray("7777") << QByteArray("482915");
    QTest::newRow("empty new password is ignored") << QByteArray("#3=") << QByteArray("482915") << QByteArray("");
}

void TestSimulator::newPasswordItem()
{
    QFETCH(QByteArray, item3);
    QFETCH(QByteArray, passwordAfter);
    QFETCH(QByteArray, refusedAfter);

    SimClient sim({"--rate", "0"});
    QVERIFY(sim.openSlave());
    const QByteArray body = "#1=a,1#2=b,c,d" + item3 + "#4=";
    QVERIFY(sim.send("482915*SETP*" + body + "\r\n"));
    QList<QByteArray> answer = sim.readLines(3000, 1);
    QCOMPARE(answer.size(), 1);
    // the written body comes back whole, item 3 included, so a write check finds it
    QVERIFY2(answer.first().contains(body), answer.first().constData());

    if (!refusedAfter.isEmpty()) {
        QVERIFY(sim.send(refusedAfter + "*SETP*#4=9999\r\n"));
        QVERIFY(sim.readLines(700, -1).isEmpty());
    }
    QVERIFY(sim.send(passwordAfter + "*SETP*#4=5555\r\n"));
    answer = sim.readLines(3000, 1);
    QCOMPARE(answer.size(), 1);
    QVERIFY(answer.first().contains("#4=5555"));
}

void TestSimulator::packetCounters_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("LF") << QByteArray("\n");
}

void TestSimulator::packetCounters()
{
    QFETCH(QByteArray, lineEnd);
    SimClient sim({"--rate", "0"});
    QVERIFY(sim.openSlave());

    QVERIFY(sim.send(">I 1" + lineEnd));
    QList<QByteArray> lines = withName(sim.readLines(3000, 2), "RW");
    QCOMPARE(lines.size(), 1);
    const QList<QByteArray> before = fieldsOf(lines.first());
    QVERIFY(before.at(0).toInt() > 0 && before.at(1).toInt() > 0);

    // sending a packet counts it as written and sent
    QVERIFY(sim.send(">D 4;1" + lineEnd));
    lines = sim.readLines(3000, 1);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(fieldsOf(lines.first()),
             (QList<QByteArray>{QByteArray::number(before.at(0).toInt() + 1),
                                QByteArray::number(before.at(1).toInt() + 1)}));

    // clearing the packet memory as the program asks for it
    QVERIFY(sim.send(">D 8;0" + lineEnd + ">I 1" + lineEnd));
    lines = withName(sim.readLines(3000, 3), "RW");
    QVERIFY(!lines.isEmpty());
    for (const QByteArray &l : lines)
        QCOMPARE(l, QByteArray(">RW=0;0\r\n"));

    // and the counters start again from zero
    QVERIFY(sim.send(">D 4;1" + lineEnd));
    lines = sim.readLines(3000, 1);
    QCOMPARE(lines, (QList<QByteArray>{">RW=1;1\r\n"}));
}

void TestSimulator::taskStates_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("field");

    QTest::newRow("settings update over GPRS") << QByteArray(">D 0;0\r\n") << 0;
    QTest::newRow("firmware update over GPRS") << QByteArray(">D 2;0\r\n") << 1;
}

void TestSimulator::taskStates()
{
    QFETCH(QByteArray, command);
    QFETCH(int, field);
    SimClient sim({"--rate", "0"});
    QVERIFY(sim.openSlave());
    QVERIFY(sim.send(command));
    // the task runs through loading, confirmation, synchronisation and back to no task
    const QList<QByteArray> lines = sim.readLines(12000, 4, 500);
    QCOMPARE(namesOf(lines), (QList<QByteArray>{"DF", "DF", "DF", "DF"}));
    QList<QByteArray> states;
    for (const QByteArray &l : lines) {
        QVERIFY(isRecordLine(l));
        states << fieldsOf(l).at(field);
        QCOMPARE(fieldsOf(l).at(1 - field), QByteArray("0"));
    }
    QCOMPARE(states, (QList<QByteArray>{"1", "2", "3", "0"}));
}

void TestSimulator::tachographDownload_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QList<QByteArray>>("names");

    // the tachograph model uploads the file: the server link runs up, a packet goes out
    QTest::newRow("KVT2 Tacho") << QStringLiteral("20") << QList<QByteArray>{"MS", "MS", "MS", "RW"};
    QTest::newRow("KVT3 has no tachograph") << QStringLiteral("31") << QList<QByteArray>{};
}

void TestSimulator::tachographDownload()
{
    QFETCH(QString, model);
    QFETCH(QList<QByteArray>, names);
    SimClient sim({"--rate", "0", "--model", model});
    QVERIFY(sim.openSlave());
    QVERIFY(sim.send(">D 9\r\n"));
    const QList<QByteArray> lines = sim.readLines(names.isEmpty() ? 1500 : 8000, names.size(), 1500);
    QCOMPARE(namesOf(lines), names);
    if (!names.isEmpty()) {
        QCOMPARE(lines.mid(0, 3), (QList<QByteArray>{">MS=5\r\n", ">MS=6\r\n", ">MS=7\r\n"}));
        QCOMPARE(lines.at(3), QByteArray(">RW=121;125\r\n"));
    }
}

void TestSimulator::restartHangsUp_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("lastRecord");

    QTest::newRow("restart") << QByteArray(">D 1\r\n") << QByteArray(">RD=1\r\n");
    QTest::newRow("USB firmware update") << QByteArray(">D 3;0\r\n") << QByteArray(">DF=0;1\r\n");
}

void TestSimulator::restartHangsUp()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, lastRecord);

    SimClient sim({"--rate", "0", "--restart-delay", "1.5"}, true);
    QVERIFY(!sim.path.isEmpty());
    QCOMPARE(QFileInfo(sim.linkPath).symLinkTarget(), sim.path);
    QVERIFY(sim.openSlave());
    const QString firstPath = sim.path;

    // the record, then the line hangs up as an unplugged device does
    QVERIFY(sim.send(command + ">I 0\r\n"));
    const QList<QByteArray> lines = sim.readLines(6000);
    QVERIFY2(sim.hungUp, "the line did not hang up");
    QCOMPARE(lines, (QList<QByteArray>{lastRecord}));
    QCOMPARE(sim.waitForStdout(QStringLiteral("HANGUP "), 3000), firstPath);
    // while the terminal is away its link is gone, like the device node of an unplugged device
    QVERIFY(!QFileInfo(sim.linkPath).isSymLink());

    // a new line appears, the link and port file follow it
    sim.path = sim.waitForStdout(QStringLiteral("PORT "), 5000);
    QVERIFY(!sim.path.isEmpty());
    QVERIFY(sim.path != firstPath);
    QCOMPARE(QFileInfo(sim.linkPath).symLinkTarget(), sim.path);
    QFile portFile(sim.portFilePath);
    QVERIFY(portFile.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(portFile.readAll()), sim.path + QLatin1Char('\n'));

    // the terminal that came back answers and has been running for a moment only
    QVERIFY(sim.openSlave());
    QVERIFY(sim.send(">I 0\r\n>I 3\r\n"));
    const QList<QByteArray> again = sim.readLines(3000, 13);
    QCOMPARE(withName(again, "DI"), (QList<QByteArray>{">DI=31;0;70\r\n"}));
    const QList<QByteArray> tw = withName(again, "TW");
    QCOMPARE(tw.size(), 1);
    QVERIFY(fieldsOf(tw.first()).at(1).toInt() < 10);
}

// A USB update through the loader: the disk appears after the hang-up, a firmware file copied
// onto it is flashed once it has settled, and the terminal comes back with the new version.
void TestSimulator::loaderFlashes()
{
    // the minor number counted up, keeping its digits: 2.09, then 2.10 and 2.11
    const QStringList args{"--fw", "2.09", "--model", "108"};
    const QList<QByteArray> versions{"108;2;10", "108;2;11"};

    QTemporaryDir work;
    const QString disk = work.filePath(QStringLiteral("KVT_loader"));
    SimClient sim(args + QStringList{"--rate", "0", "--restart-delay", "60", "--loader-dir", disk,
                                     "--loader-delay", "0.5", "--flash-time", "0.3"},
                  true);
    QVERIFY(!sim.path.isEmpty());
    for (const QByteArray &version : versions) {
        QVERIFY(sim.openSlave());
        const QString before = sim.path;
        QVERIFY(sim.send(">D 3;0\r\n"));
        QCOMPARE(sim.readLines(4000), (QList<QByteArray>{">DF=0;1\r\n"}));
        QVERIFY(sim.hungUp);
        QCOMPARE(sim.waitForStdout(QStringLiteral("HANGUP "), 3000), before);
        QVERIFY2(!QFileInfo::exists(disk), "the disk came before the loader delay");
        QCOMPARE(sim.waitForStdout(QStringLiteral("LOADER "), 3000), disk);
        QVERIFY(QFileInfo(disk).isDir());
        QVERIFY(!QFileInfo(sim.linkPath).isSymLink());

        // copied in two parts: the loader waits until the size has stayed put for a second
        QFile image(disk + QStringLiteral("/kvt3.bin"));
        QVERIFY(image.open(QIODevice::WriteOnly));
        QVERIFY(image.write(QByteArray(4096, '\x5a')) == 4096 && image.flush());
        QTest::qWait(700);
        QVERIFY(image.write(QByteArray(4096, '\xa5')) == 4096 && image.flush());
        image.close();
        QElapsedTimer settled;
        settled.start();

        sim.path = sim.waitForStdout(QStringLiteral("PORT "), 6000);
        QVERIFY(!sim.path.isEmpty());
        QVERIFY2(settled.elapsed() >= 1100, "flashed before the file had settled");
        QCOMPARE(sim.waitForStdout(QStringLiteral("FLASHED "), 2000).toLatin1(),
                 version.mid(version.indexOf(';') + 1).replace(';', '.'));
        QCOMPARE(QFileInfo(sim.linkPath).symLinkTarget(), sim.path);
        QVERIFY2(!QFileInfo::exists(disk), "the disk stayed after flashing");

        QVERIFY(sim.openSlave());
        QVERIFY(sim.send(">I 0\r\n>I 1\r\n"));
        const QList<QByteArray> identity = sim.readLines(3000, 5);
        QCOMPARE(withName(identity, "DI"), (QList<QByteArray>{">DI=" + version + "\r\n"}));
        QCOMPARE(withName(identity, "DF"), (QList<QByteArray>{">DF=0;0\r\n"}));
    }
}

void TestSimulator::batchOfTerminals_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("next on stdin") << "stdin";
    QTest::newRow("SIGUSR1") << "signal";
    QTest::newRow("restart command") << "restart";
}

// One line, three terminals in turn: each with the next serial number and IMEI and its own
// factory settings; after the last the line stays away.
void TestSimulator::batchOfTerminals()
{
    QFETCH(QString, how);
    SimClient sim({"--rate", "0", "--restart-delay", "0.2", "--batch", "3", "--serial", "0099"},
                  true);
    QVERIFY(!sim.path.isEmpty());
    const QList<QByteArray> serials{"0099", "0100", "0101"};
    for (int k = 0; k < 3; ++k) {
        QVERIFY(sim.openSlave());
        QVERIFY(sim.send(">I 0\r\n"));
        const QList<QByteArray> identity = sim.readLines(3000, 3);
        QCOMPARE(withName(identity, "DN"), (QList<QByteArray>{">DN=" + serials.at(k) + "\r\n"}));
        QCOMPARE(withName(identity, "MN"),
                 (QList<QByteArray>{">MN=" + QByteArray::number(866104023456789LL + k) + "\r\n"}));
        QCOMPARE(readSettings(sim), QByteArray(kDefaultSettings));
        QVERIFY(sim.send("482915*SETP*#1=own" + QByteArray::number(k) + ",1\r\n"));
        QCOMPARE(sim.readLines(3000, 1).size(), 1);

        if (how == QLatin1String("stdin"))
            sim.proc.write("next\n");
        else if (how == QLatin1String("signal"))
            ::kill(pid_t(sim.proc.processId()), SIGUSR1);
        else
            QVERIFY(sim.send(">D 1\r\n"));
        QVERIFY(!sim.waitForStdout(QStringLiteral("HANGUP "), 5000).isEmpty());
        if (k < 2) {
            sim.path = sim.waitForStdout(QStringLiteral("PORT "), 5000);
            QVERIFY(!sim.path.isEmpty());
            QCOMPARE(QFileInfo(sim.linkPath).symLinkTarget(), sim.path);
        }
    }
    QCOMPARE(sim.waitForStdout(QStringLiteral("BATCH"), 3000), QStringLiteral("-END"));
    QTest::qWait(500);
    QVERIFY(!QFileInfo(sim.linkPath).isSymLink());
    QVERIFY(!sim.proc.readAllStandardOutput().contains("PORT "));
}

void TestSimulator::countOfTerminals_data()
{
    QTest::addColumn<QString>("replug"); // how terminal 2 is unplugged and plugged in again
    QTest::newRow("three at once") << QString();
    QTest::newRow("terminal 2 restarts") << "restart";
    QTest::newRow("next 2 on stdin") << "stdin";
}

// Three terminals at once, each on its own line with the next serial number and IMEI;
// one coming back on a new line leaves the others alone; on exit every link goes.
void TestSimulator::countOfTerminals()
{
    QFETCH(QString, replug);
    SimClient sim({"--count", "3", "--rate", "0", "--restart-delay", "0.3"}, true);
    auto identity = [](int k) {
        return QList<QByteArray>{">DI=31;0;70\r\n", ">DN=" + QByteArray::number(201745 + k) + "\r\n",
                                 ">MN=" + QByteArray::number(866104023456789LL + k) + "\r\n"};
    };
    std::unique_ptr<SimClient> terminals[3];
    for (int k = 0; k < 3; ++k) {
        const QString n = QString::number(k + 1);
        const QString slave = QFileInfo(sim.linkPath + "-" + n).symLinkTarget();
        QCOMPARE(k == 0 ? sim.path : sim.waitForStdout(QStringLiteral("PORT "), 3000), n + " " + slave);
        QFile portFile(sim.portFilePath + "-" + n);
        QVERIFY(portFile.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLocal8Bit(portFile.readAll()), slave + '\n');
        terminals[k] = std::make_unique<SimClient>(slave);
        QVERIFY(terminals[k]->openSlave());
    }
    if (!replug.isEmpty()) {
        const QString old = terminals[1]->path;
        if (replug == QLatin1String("restart"))
            QVERIFY(terminals[1]->send(">D 1\r\n"));
        else
            sim.proc.write("next 2\n");
        terminals[1]->readLines(3000);
        QCOMPARE(sim.waitForStdout(QStringLiteral("HANGUP "), 5000), "2 " + old);
        const QString port = sim.waitForStdout(QStringLiteral("PORT "), 5000);
        QVERIFY2(port.startsWith("2 ") && port != "2 " + old, qPrintable(port));
        terminals[1] = std::make_unique<SimClient>(port.mid(2));
        QCOMPARE(QFileInfo(sim.linkPath + "-2").symLinkTarget(), terminals[1]->path);
        QVERIFY(terminals[1]->openSlave());
    }
    for (int k = 0; k < 3; ++k) {
        QVERIFY(terminals[k]->send(">I 0\r\n"));
        QCOMPARE(terminals[k]->readLines(3000, 3), identity(k));
        QVERIFY(!terminals[k]->hungUp);
    }
    sim.proc.terminate();
    QVERIFY(sim.proc.waitForFinished(5000));
    QCOMPARE(QDir(sim.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System), QStringList());
}

void TestSimulator::silentTerminal_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("links"); // what follows the link path
    QTest::newRow("one terminal") << QStringList{"--silent"} << QStringList{""};
    QTest::newRow("every terminal of a count") << QStringList{"--silent", "--count", "2"} << QStringList{"-1", "-2"};
}

// The line is there, but neither answers nor live records nor a restart come over it.
void TestSimulator::silentTerminal()
{
    QFETCH(QStringList, args);
    QFETCH(QStringList, links);
    SimClient sim(args + QStringList{"--rate", "100"}, true);
    for (const QString &suffix : links) {
        SimClient terminal(QFileInfo(sim.linkPath + suffix).symLinkTarget());
        QVERIFY(terminal.openSlave());
        QVERIFY(terminal.send(">I 0\r\n>I 7\r\n>D 15;0\r\n>D 1\r\n"));
        QCOMPARE(terminal.readLines(1500), QList<QByteArray>());
        QCOMPARE(terminal.buffer, QByteArray());
        QVERIFY(!terminal.hungUp);
    }
}

void TestSimulator::flood_data()
{
    QTest::addColumn<int>("readDelayMs");
    QTest::addColumn<qint64>("floodBytes");
    QTest::addColumn<qint64>("floodRate");

    QTest::newRow("fast reader") << 0 << qint64(0) << qint64(0);
    QTest::newRow("slow reader") << 3 << qint64(0) << qint64(0);
    QTest::newRow("bounded total") << 0 << qint64(200000) << qint64(0);
    // at a USB terminal's rate the stream stays whole and numbered
    QTest::newRow("bounded rate") << 0 << qint64(0) << qint64(1200000);
}

void TestSimulator::flood()
{
    QFETCH(int, readDelayMs);
    QFETCH(qint64, floodBytes);
    QFETCH(qint64, floodRate);

    QStringList args{"--flood"};
    if (floodBytes > 0)
        args << "--flood-bytes" << QString::number(floodBytes);
    if (floodRate > 0)
        args << "--flood-rate" << QString::number(floodRate);
    SimClient sim(args);
    QVERIFY(!sim.path.isEmpty());
    // nothing is discarded: the stream is read from its first byte
    QVERIFY(sim.openSlave(false));

    const qint64 want = floodBytes > 0 ? floodBytes + 1000 : 300000;
    qint64 received = 0;
    quint64 lastSeq = 0;
    qint64 lineCount = 0;
    bool expectRw = true;
    QElapsedTimer t;
    t.start();
    while (received < want && t.elapsed() < 20000) {
        const qsizetype n = sim.readSome(floodBytes > 0 ? 300 : 50, 4096);
        received += n;
        if (n == 0 && floodBytes > 0 && received >= floodBytes)
            break; // the stream stopped
        if (readDelayMs > 0)
            QTest::qWait(readDelayMs);
        int end;
        while ((end = sim.buffer.indexOf("\r\n")) >= 0) {
            const QByteArray line = sim.buffer.left(end + 2);
            sim.buffer.remove(0, end + 2);
            ++lineCount;
            QVERIFY2(isRecordLine(line), line.constData());
            const bool isRw = nameOf(line) == "RW";
            QVERIFY2(isRw == expectRw, line.constData());
            if (isRw) {
                const QList<QByteArray> f = fieldsOf(line);
                QCOMPARE(f.size(), 2);
                QCOMPARE(f.at(0), f.at(1));
                QCOMPARE(f.at(0).toULongLong(), lastSeq + 1);
                lastSeq = f.at(0).toULongLong();
            }
            expectRw = !isRw;
        }
    }
    QVERIFY(sim.buffer.isEmpty() || floodBytes == 0);
    if (floodBytes > 0) {
        QVERIFY(received >= floodBytes);
        QVERIFY(received < floodBytes + 100);
        const QStringList done = sim.waitForStdout(QStringLiteral("FLOOD-DONE "), 3000).split(' ');
        QCOMPARE(done, (QStringList{QString::number(lineCount), QString::number(received)}));
    } else {
        QVERIFY(received >= want);
        QVERIFY(lastSeq > 1000);
    }
}

void TestSimulator::robustInput_data()
{
    QTest::addColumn<QList<QByteArray>>("pieces");

    QTest::newRow("line split over writes") << QList<QByteArray>{">", "I", " 0", "\r", "\n"};
    QTest::newRow("bytes above 0x7f")
        << QList<QByteArray>{"\xff\xfe>I 9\r\n\x80\x81\xd0\xbf\xd1\x80\xd0\xb8\r\n", ">I 0\r\n"};
    QTest::newRow("command file lines are not commands") << QList<QByteArray>{">send >D 1\r\n>send hello\r\n>I 0\r\n"};
    QTest::newRow("unknown commands")
        << QList<QByteArray>{">X 1\r\n>D 99\r\n>I 42;7\r\n>D\r\n>I\r\n>\r\n>I 0\r\n"};
    QTest::newRow("lower case is not a command") << QList<QByteArray>{">i 0\r\n>d 1\r\n>I 0\r\n"};
    QTest::newRow("NUL bytes") << QList<QByteArray>{QByteArray(">I 0\0\r\n\0\0\r\n", 11), ">I 0\r\n"};
    QTest::newRow("overlong line") << QList<QByteArray>{QByteArray(100000, 'A'), ">D 1\r\n>I 0\r\n"};
    QTest::newRow("blank lines and padding") << QList<QByteArray>{"\r\n\r\n\n", "  >I 0  \r\n"};
    QTest::newRow("settings marker with nothing else") << QList<QByteArray>{"*SETP*\r\n>I 0\r\n"};
}

void TestSimulator::robustInput()
{
    QFETCH(QList<QByteArray>, pieces);
    SimClient sim({"--rate", "0"});
    QVERIFY(sim.openSlave());
    for (const QByteArray &p : pieces) {
        QVERIFY(sim.send(p));
        QTest::qWait(30);
    }
    const QList<QByteArray> lines = sim.readLines(1500, 3, 400);
    QVERIFY2(!sim.hungUp, "the line hung up");
    QCOMPARE(lines, (QList<QByteArray>{">DI=31;0;70\r\n", ">DN=201745\r\n", ">MN=866104023456789\r\n"}));
    QCOMPARE(sim.proc.state(), QProcess::Running);
}

void TestSimulator::clientReopensSlave_data()
{
    QTest::addColumn<bool>("useSerialPort");
    QTest::newRow("POSIX client") << false;
    QTest::newRow("QSerialPort client") << true;
}

void TestSimulator::clientReopensSlave()
{
    QFETCH(bool, useSerialPort);
    SimClient sim({"--rate", "50"});
    QVERIFY(!sim.path.isEmpty());

    for (int round = 0; round < 3; ++round) {
        QByteArray received;
        if (useSerialPort) {
            QSerialPort port(sim.path);
            port.setBaudRate(115200);
            QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
            port.clear(QSerialPort::Input);
            QCOMPARE(port.write(">I 0\r\n>I 1\r\n"), qint64(12));
            QElapsedTimer t;
            t.start();
            while (!received.contains(">RW=") && t.elapsed() < 3000) {
                port.waitForReadyRead(50);
                received += port.readAll();
            }
            port.close();
        } else {
            QVERIFY(sim.openSlave());
            QVERIFY(sim.send(">I 0\r\n>I 1\r\n"));
            QElapsedTimer t;
            t.start();
            while (!sim.buffer.contains(">RW=") && t.elapsed() < 3000)
                sim.readSome(50);
            received = sim.buffer;
            sim.closeSlave();
        }
        QVERIFY2(received.contains(">DI=31;0;70\r\n>DN=201745\r\n>MN=866104023456789\r\n>DF=0;0\r\n>RW="),
                 received.constData());
        QTest::qWait(200); // live records pile up while nobody listens
    }
}

void TestSimulator::unreadRecords_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("idleMs");

    // Nobody attached: old live records do not pile up for the next client.
    QTest::newRow("abandoned line") << QByteArray() << 8500;
    // A client that asked for something but reads late still gets every answer.
    QTest::newRow("late reader") << QByteArray(">I 0\r\n") << 4000;
}

void TestSimulator::unreadRecords()
{
    QFETCH(QByteArray, command);
    QFETCH(int, idleMs);

    SimClient sim({"--rate", "100"});
    QVERIFY(sim.openSlave());
    if (!command.isEmpty())
        QVERIFY(sim.send(command));
    else
        sim.closeSlave();
    QTest::qWait(idleMs); // about 450 bytes of live records every 100 ms
    if (command.isEmpty())
        QVERIFY(sim.openSlave(false));

    // Take what is waiting: everything that arrives before the first 40 ms pause
    // (the live records themselves come every 100 ms).
    qint64 stale = 0;
    QElapsedTimer total;
    total.start();
    while (total.elapsed() < 5000) {
        const qsizetype n = sim.readSome(40);
        if (n == 0)
            break;
        stale += n;
    }
    if (command.isEmpty()) {
        QVERIFY2(stale < 12000, qPrintable(QString::number(stale)));
    } else {
        QVERIFY2(stale > 12000, qPrintable(QString::number(stale)));
        QVERIFY(sim.buffer.contains(">DI=31;0;70\r\n>DN=201745\r\n>MN=866104023456789\r\n"));
    }
}

void TestSimulator::liveRecords_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<bool>("live");
    QTest::newRow("every 100 ms") << 100 << true;
    QTest::newRow("disabled") << 0 << false;
}

void TestSimulator::liveRecords()
{
    QFETCH(int, rate);
    QFETCH(bool, live);
    SimClient sim({"--rate", QString::number(rate)});
    QVERIFY(sim.openSlave());
    const QList<QByteArray> lines = sim.readLines(2500);
    for (const QByteArray &l : lines)
        QVERIFY2(isRecordLine(l), l.constData());
    if (!live) {
        QVERIFY2(lines.isEmpty(), lines.value(0).constData());
        return;
    }
    const QList<QByteArray> nameList = namesOf(lines);
    const QSet<QByteArray> names(nameList.begin(), nameList.end());
    for (const char *n : {"TW", "GK", "GS", "MS", "ML", "PB", "ID0", "LLS", "OWT", "OWK", "C#", "CA", "CC", "CG",
                          "CH", "CJ"})
        QVERIFY2(names.contains(n), n);

    // The clock and the running time tick; the CAN counters only grow.
    const QList<QByteArray> tw = withName(lines, "TW");
    QVERIFY(tw.size() >= 10);
    QVERIFY(fieldsOf(tw.last()).at(0).toLongLong() >= fieldsOf(tw.first()).at(0).toLongLong() + 1);
    QVERIFY(fieldsOf(tw.last()).at(1).toLongLong() >= fieldsOf(tw.first()).at(1).toLongLong() + 1);
    const QList<QByteArray> cc = withName(lines, "CC");
    const QList<QByteArray> ce = withName(lines, "CE");
    QVERIFY(fieldsOf(cc.last()).at(0).toLongLong() >= fieldsOf(cc.first()).at(0).toLongLong());
    QVERIFY(fieldsOf(ce.last()).at(0).toLongLong() >= fieldsOf(ce.first()).at(0).toLongLong());
    // The position moves while the vehicle drives.
    const QList<QByteArray> gk = withName(lines, "GK");
    QVERIFY(gk.first() != gk.last());
}

void TestSimulator::signalCleansUp_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void TestSimulator::signalCleansUp()
{
    QFETCH(int, signalNumber);
    SimClient sim({"--rate", "100"}, true);
    QVERIFY(!sim.path.isEmpty());
    QCOMPARE(QFileInfo(sim.linkPath).symLinkTarget(), sim.path);
    QVERIFY(QFile::exists(sim.portFilePath));

    QVERIFY(::kill(pid_t(sim.proc.processId()), signalNumber) == 0);
    QVERIFY(sim.proc.waitForFinished(5000));
    QCOMPARE(sim.proc.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.proc.exitCode(), 0);
    QVERIFY(!QFileInfo(sim.linkPath).isSymLink());
    QVERIFY(!QFile::exists(sim.portFilePath));
    QVERIFY(QDir(sim.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).isEmpty());
}

void TestSimulator::badOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("model not a number") << QStringList{"--model", "x"} << 2;
    QTest::newRow("negative model") << QStringList{"--model", "-1"} << 2;
    QTest::newRow("firmware without a dot") << QStringList{"--fw", "70"} << 2;
    QTest::newRow("firmware with letters") << QStringList{"--fw", "a.b"} << 2;
    QTest::newRow("negative rate") << QStringList{"--rate", "-5"} << 2;
    QTest::newRow("restart delay not a number") << QStringList{"--restart-delay", "nan"} << 2;
    QTest::newRow("serial with a field separator") << QStringList{"--serial", "1;2"} << 2;
    QTest::newRow("password with the settings marker") << QStringList{"--password", "a*SETP*b"} << 2;
    QTest::newRow("batch of no terminals") << QStringList{"--batch", "0"} << 2;
    QTest::newRow("batch not a number") << QStringList{"--batch", "three"} << 2;
    QTest::newRow("count together with batch") << QStringList{"--count", "3", "--batch", "2"} << 2;
    QTest::newRow("count beyond 64") << QStringList{"--count", "65"} << 2;
    QTest::newRow("silent and flood") << QStringList{"--silent", "--flood"} << 2;
    QTest::newRow("answer delay beyond a minute") << QStringList{"--answer-delay", "60001"} << 2;
    QTest::newRow("empty loader folder") << QStringList{"--loader-dir", ""} << 2;
    QTest::newRow("loader delay beyond an hour") << QStringList{"--loader-dir", "@DIR@", "--loader-delay", "3601"} << 2;
    QTest::newRow("flash time not a number") << QStringList{"--loader-dir", "@DIR@", "--flash-time", "2s"} << 2;
    QTest::newRow("next firmware with letters") << QStringList{"--loader-dir", "@DIR@", "--next-fw", "0.7a"} << 2;
    QTest::newRow("next firmware without a loader") << QStringList{"--next-fw", "0.71"} << 2;
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2;
    QTest::newRow("stray argument") << QStringList{"extra"} << 2;
    QTest::newRow("link over a regular file") << QStringList{"--link", "@FILE@"} << 1;
}

void TestSimulator::badOptions()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("keep.txt"));
    QVERIFY(writeTestFile(file, "user data\n"));
    args.replaceInStrings(QStringLiteral("@FILE@"), file);
    args.replaceInStrings(QStringLiteral("@DIR@"), dir.filePath(QStringLiteral("KVT_loader")));

    QProcess proc;
    proc.setProgram(simPath());
    proc.setArguments(args);
    proc.start();
    const ProcessRun run = waitForRun(proc, 5000);
    QCOMPARE(run.status, exitCode);
    QVERIFY(!run.out.contains("PORT "));
    QVERIFY(!run.err.isEmpty());
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("user data\n"));
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
