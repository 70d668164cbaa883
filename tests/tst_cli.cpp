// kvt-cli as a script runs it: the built program against the terminal simulator, a
// pseudo-terminal nobody answers on and ports that cannot be opened; its exit statuses, its
// JSON and the files it writes, and the access password never in its output.
#include "settings/core_settingsfile.h"
#include "simutil.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

using Run = ProcessRun;

// A settings file of the simulator's model that changes one field.
const QByteArray fleetSettings = R"({"format": "kvt-logger-settings", "version": 1, "terminal": {"model": "KVT3"},
               "fields": {"apn1Edit": "fleet.apn"}})";

// The environment of a run: no password from the test's own environment.
QProcessEnvironment cliEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("KVT_PASSWORD"));
    env.remove(QStringLiteral("KVT_SIMULATOR_PORT"));
    return env;
}

#ifdef KVT_CLI_PATH
Run runCli(const QStringList &args, const QProcessEnvironment &env = cliEnvironment(),
           const QByteArray &input = QByteArray(), const QStringList &wrapper = QStringList())
{
    QProcess cli;
    cli.setProcessEnvironment(env);
    if (wrapper.isEmpty())
        cli.start(QStringLiteral(KVT_CLI_PATH), args);
    else
        cli.start(wrapper.first(), wrapper.mid(1) + QStringList{QStringLiteral(KVT_CLI_PATH)} + args);
    cli.waitForStarted();
    cli.write(input);
    cli.closeWriteChannel();
    return waitForRun(cli, 30000);
}
#endif

// A pseudo-terminal with nobody behind it: what the program writes is kept unread, nothing
// ever answers unless the test writes to the master.
class SilentPort
{
public:
    SilentPort()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0)
            path = QString::fromLocal8Bit(::ptsname(master));
    }
    ~SilentPort()
    {
        if (master >= 0)
            ::close(master);
    }
    SilentPort(const SilentPort &) = delete;
    SilentPort &operator=(const SilentPort &) = delete;

    int master = -1;
    QString path;
};

QJsonObject jsonObject(const QByteArray &bytes)
{
    return QJsonDocument::fromJson(bytes).object();
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
#if !defined(KVT_CLI_PATH) || !defined(KVT_SIM_PATH)
        QSKIP("kvt-cli and the terminal simulator are built on Linux only");
#endif
    }
    void exitStatuses_data();
    void exitStatuses();
    void settingsWrite_data();
    void settingsWrite();
    void info_data();
    void info();
    void ports();
    void infoLeavesOut();
    void readWithoutCanParams();
    void failedSaveKeepsTheFile_data();
    void failedSaveKeepsTheFile();
    void passwordAndFileRules_data();
    void passwordAndFileRules();
    void send_data();
    void send();
    void record_data();
    void record();
    void provision_data();
    void provision();
    void provisionOutcomes_data();
    void provisionOutcomes();

private:
    QTemporaryDir dir;
    // starts a simulator behind dir/<name>; its port
    QString simulator(QProcess &sim, const QString &name, const QStringList &args)
    {
        const QString link = dir.filePath(name);
#ifdef KVT_SIM_PATH
        if (!startSimulator(sim, link, args))
            return QString();
#else
        Q_UNUSED(sim) Q_UNUSED(args)
#endif
        return link;
    }
};

#ifdef KVT_CLI_PATH

// What every command does with a port that cannot be opened, a terminal that does not answer
// and a command line it does not take.
void TestCli::exitStatuses_data()
{
    QTest::addColumn<QStringList>("args");   // "PTY" stands for the silent port
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");    // expected in standard error
    const QString missing = QStringLiteral("/nonexistent/kvt-port");
    QTest::newRow("info, no such port") << QStringList{"info", missing} << 5 << missing;
    QTest::newRow("settings read, no such port")
        << QStringList{"settings", "read", missing} << 5 << missing;
    QTest::newRow("record, no such port")
        << QStringList{"record", missing, "rec.log", "--seconds", "1"} << 5 << missing;
    QTest::newRow("info, nobody answers") << QStringList{"info", "PTY"} << 4 << "no answer";
    QTest::newRow("settings read, nobody answers")
        << QStringList{"settings", "read", "PTY"} << 4 << "no answer";
    QTest::newRow("no command") << QStringList() << 2 << "no command";
    QTest::newRow("unknown command") << QStringList{"configure"} << 2 << "configure";
    QTest::newRow("info without a port") << QStringList{"info"} << 2 << "info --help";
    QTest::newRow("unknown option") << QStringList{"ports", "--xml"} << 2 << "xml";
    QTest::newRow("settings without read or write") << QStringList{"settings", "erase"} << 2 << "erase";
    QTest::newRow("send for minus one second")
        << QStringList{"send", "PTY", ">I 0", "--for", "-1"} << 2 << "--for";
    QTest::newRow("provision without a file") << QStringList{"provision"} << 2 << "provision --help";
    QTest::newRow("provision, count of none")
        << QStringList{"provision", "f.json", "--count", "0"} << 2 << "--count";
    QTest::newRow("help of a subcommand") << QStringList{"settings", "write", "--help"} << 0 << "";
}

void TestCli::exitStatuses()
{
    QFETCH(QStringList, args);
    SilentPort pty;
    QVERIFY(!pty.path.isEmpty());
    args.replaceInStrings(QRegularExpression(QStringLiteral("^PTY$")), pty.path);
    const Run run = runCli(args);
    QTEST(run.status, "status");
    QFETCH(QString, message);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    if (run.status != 0)
        QVERIFY2(run.out.isEmpty(), run.out.constData());
}

void TestCli::settingsWrite_data()
{
    QTest::addColumn<QStringList>("simArgs");   // "SILENT": the port nobody answers on
    QTest::addColumn<QString>("field");         // a field of the file and its new value
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("passwordFrom");  // env, file, stdin or nothing
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("messages");  // parts of standard error
    const QString server = QStringLiteral("monitoringServerEdit");
    const QString serverLabel = settingsValueLabel(server, TerminalSettings());
    const QString apn = QStringLiteral("apn1Edit");
    const QString pw = QStringLiteral("482915");
    const QStringList none;
    QTest::newRow("confirmed, password from the environment")
        << none << server << "cli.example.org" << "env" << pw << 0 << QStringList{"confirmed"};
    QTest::newRow("confirmed, password from a file")
        << none << apn << "m2m.example" << "file" << pw << 0 << QStringList{"confirmed"};
    QTest::newRow("confirmed, password on standard input")
        << none << server << "stdin.example.org" << "stdin" << pw << 0 << QStringList{"confirmed"};
    QTest::newRow("wrong password") << QStringList{"--password", "731066"} << server
                                    << "cli.example.org" << "env" << pw << 6
                                    << QStringList{"не принято терминалом: проверьте пароль доступа"};
    // the file as read: the terminal holds every value, nothing is written (not even with a
    // password it would ignore), and nothing is said to be
    QTest::newRow("already holding the file") << QStringList{"--password", "731066"} << server
                                              << "KEEP" << "env" << pw << 0
                                              << QStringList{"уже совпадает с файлом"};
    // the simulator alters the last character of the first item: the port
    const QString port = QStringLiteral("monitoringPortEdit");
    QTest::newRow("the terminal keeps another value")
        << QStringList{"--corrupt-echo"} << port << "20400" << "env" << pw << 3
        << QStringList{"not confirmed", settingsValueLabel(port, TerminalSettings())};
    QTest::newRow("nobody answers") << QStringList{"SILENT"} << server << "cli.example.org"
                                    << "env" << pw << 4 << QStringList{"no answer"};
    QTest::newRow("a value the settings string cannot carry")
        << none << apn << "a#b" << "env" << pw << 2 << QStringList{"settings.json", apn, "#"};
    QTest::newRow("a text longer than its field")
        << none << server << QString(200, QLatin1Char('x')) << "env" << pw << 2
        << QStringList{"settings.json", server};
    QTest::newRow("a password the settings string cannot carry")
        << none << server << "cli.example.org" << "env" << "48#2915" << 2
        << QStringList{"settings.json", "not written"};
    QTest::newRow("no password at all") << none << server << "cli.example.org" << "nothing" << ""
                                        << 2 << QStringList{"no access password"};
}

// A file read from the terminal, one field changed, written back; read again to see what the
// terminal holds.
void TestCli::settingsWrite()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, passwordFrom);
    QFETCH(QString, password);

    // the file comes from a terminal with its factory settings
    QProcess source;
    const QString sourcePort = simulator(source, QStringLiteral("source"), {"--rate", "0"});
    QVERIFY(!sourcePort.isEmpty());
    const QString file = dir.filePath(QStringLiteral("settings.json"));
    QCOMPARE(runCli({"settings", "read", sourcePort, "-o", file}).status, 0);
    source.terminate();
    source.waitForFinished();
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QJsonObject document = jsonObject(f.readAll());
    f.close();
    QJsonObject fields = document.value(QStringLiteral("fields")).toObject();
    QVERIFY(fields.contains(field));
    if (value == QLatin1String("KEEP"))
        value = fields.value(field).toString();
    fields.insert(field, value);
    document.insert(QStringLiteral("fields"), fields);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QJsonDocument(document).toJson());
    f.close();

    SilentPort pty;
    QProcess sim;
    const bool silent = simArgs == QStringList{QStringLiteral("SILENT")};
    const QString port = silent ? pty.path
                                : simulator(sim, QStringLiteral("terminal"),
                                            QStringList{"--rate", "0"} + simArgs);
    QVERIFY(!port.isEmpty());

    QProcessEnvironment env = cliEnvironment();
    QStringList args{"settings", "write", port, file};
    QByteArray input;
    QStringList wrapper;
    if (passwordFrom == QLatin1String("env")) {
        env.insert(QStringLiteral("KVT_PASSWORD"), password);
    } else if (passwordFrom == QLatin1String("file")) {
        const QString passwordFile = dir.filePath(QStringLiteral("password"));
        QFile p(passwordFile);
        QVERIFY(p.open(QIODevice::WriteOnly | QIODevice::Truncate));
        p.write(password.toUtf8() + "\nsecond line\n");
        p.close();
        args << QStringLiteral("--password-file") << passwordFile;
    } else if (passwordFrom == QLatin1String("stdin")) {
        args << QStringLiteral("--password-file") << QStringLiteral("-");
        input = password.toUtf8() + "\r\n";
    } else {
        // without a terminal to ask on: a session of its own has none
        const QString setsid = QStandardPaths::findExecutable(QStringLiteral("setsid"));
        if (setsid.isEmpty())
            QSKIP("setsid is needed to run without a controlling terminal");
        wrapper = QStringList{setsid, QStringLiteral("--wait")};
    }
    const Run run = runCli(args, env, input, wrapper);
    QTEST(run.status, "status");
    QFETCH(QStringList, messages);
    for (const QString &m : messages)
        QVERIFY2(run.err.contains(m.toUtf8()), run.err.constData());
    if (!password.isEmpty()) {
        QVERIFY(!run.out.contains(password.toUtf8()));
        QVERIFY(!run.err.contains(password.toUtf8()));
    }

    // what the terminal holds now: the new value once confirmed, the old one otherwise
    if (silent)
        return;
    const Run after = runCli({"settings", "read", port});
    QCOMPARE(after.status, 0);
    const SettingsFile held = readSettingsFile(after.out);
    QVERIFY(held.ok());
    QCOMPARE(held.values.value(field).toString() == value, run.status == 0);
    // "written" only for a write that happened
    QCOMPARE(run.err.contains("written and confirmed"),
             messages.first() == QLatin1String("confirmed"));
    sim.terminate();
    sim.waitForFinished();
}

void TestCli::info_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<double>("model");
    QTest::addColumn<QString>("modelName");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("imei");
    QTest::addColumn<QString>("firmware");
    QTest::newRow("the simulator's defaults")
        << QStringList() << 31.0 << "KVT3" << "201745" << "866104023456789" << "0.70";
    QTest::newRow("another terminal")
        << QStringList{"--model", "20", "--fw", "1.05", "--serial", "TX-0042", "--imei",
                       "351234567890123"}
        << 20.0 << "KVT2 Tacho" << "TX-0042" << "351234567890123" << "1.05";
    QTest::newRow("a model without a name")
        << QStringList{"--model", "77"} << 77.0 << "" << "201745" << "866104023456789" << "0.70";
}

void TestCli::info()
{
    QFETCH(QStringList, simArgs);
    QProcess sim;
    const QString port =
        simulator(sim, QStringLiteral("info"), QStringList{"--rate", "0"} + simArgs);
    QVERIFY(!port.isEmpty());
    const Run run = runCli({"info", port, "--json"});
    QCOMPARE(run.status, 0);
    const QJsonObject info = jsonObject(run.out);
    QTEST(info.value(QStringLiteral("model")).toDouble(-1), "model");
    QTEST(info.value(QStringLiteral("modelName")).toString(), "modelName");
    QTEST(info.value(QStringLiteral("serialNumber")).toString(), "serial");
    QTEST(info.value(QStringLiteral("imei")).toString(), "imei");
    QTEST(info.value(QStringLiteral("firmware")).toString(), "firmware");

    // the state as numbers where they are numbers: the simulator's answers to the status request
    const QJsonObject status = info.value(QStringLiteral("status")).toObject();
    const auto number = [&status](const QString &path) {
        QJsonValue v = status;
        for (const QString &key : path.split(QLatin1Char('.')))
            v = v.isArray() ? v.toArray().at(key.toInt()) : v.toObject().value(key);
        return v.isDouble() ? v.toDouble() : qQNaN();
    };
    QVERIFY(number(QStringLiteral("power.supplyMv")) > 9000);
    QCOMPARE(number(QStringLiteral("modem.state")), 7.0);
    QCOMPARE(number(QStringLiteral("server.port")), 20332.0);
    QCOMPARE(number(QStringLiteral("packets.sent")), 120.0);
    QVERIFY(qAbs(number(QStringLiteral("position.latitude")) - 55.75) < 0.1);
    QCOMPARE(number(QStringLiteral("fuelSensors.1.sensor")), 1.0);
    QCOMPARE(number(QStringLiteral("thermometers.0.sensor")), 0.0);
    QCOMPARE(number(QStringLiteral("can.valid")) > 0, true);
    QCOMPARE(status.value(QStringLiteral("signal")).toObject().value(QStringLiteral("mnc")),
             QJsonValue(QStringLiteral("01")));   // a code keeps its leading zero

    // the same as text: one value a line, nested keys joined by dots
    const Run text = runCli({"info", port});
    QCOMPARE(text.status, 0);
    const QStringList lines = QString::fromUtf8(text.out).split(QLatin1Char('\n'));
    QFETCH(QString, serial);
    QVERIFY(lines.contains(QStringLiteral("serialNumber\t") + serial));
    QVERIFY(lines.contains(QStringLiteral("status.modem.state\t7")));
    sim.terminate();
    sim.waitForFinished();
}

void TestCli::ports()
{
    const QString a = dir.filePath(QStringLiteral("ports-a"));
    const QString b = dir.filePath(QStringLiteral("ports-b"));
    QProcessEnvironment env = cliEnvironment();
    env.insert(QStringLiteral("KVT_SIMULATOR_PORT"), a + QStringLiteral("#KVT000123:") + b);
    const Run json = runCli({"ports", "--json"}, env);
    QCOMPARE(json.status, 0);
    QMap<QString, QJsonObject> listed;
    for (const QJsonValue &v : QJsonDocument::fromJson(json.out).array())
        listed.insert(v.toObject().value(QStringLiteral("port")).toString(), v.toObject());
    QCOMPARE(listed.value(a).value(QStringLiteral("serialNumber")).toString(),
             QStringLiteral("KVT000123"));
    QVERIFY(listed.value(b).contains(QStringLiteral("serialNumber")));
    QCOMPARE(listed.value(b).value(QStringLiteral("serialNumber")).toString(), QString());
    QCOMPARE(listed.value(b).value(QStringLiteral("description")).toString(),
             QStringLiteral("KVT terminal simulator"));

    const Run text = runCli({"ports"}, env);
    QCOMPARE(text.status, 0);
    const QStringList lines = QString::fromUtf8(text.out).split(QLatin1Char('\n'));
    QVERIFY(lines.contains(a + QStringLiteral("\tKVT000123\tKVT terminal simulator")));
    QCOMPARE(lines.count() - 1, listed.size());   // one a port, and the last line's end
}

void TestCli::send_data()
{
    QTest::addColumn<bool>("simulated");     // the simulator, or the silent port
    QTest::addColumn<QByteArray>("answer");  // written by the test once the command came
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("shown");   // expected in standard output
    QTest::addColumn<QByteArray>("hidden");  // not in standard output
    QTest::newRow("identity") << true << QByteArray() << 0 << QByteArray(">DI=31;0;70\r\n")
                              << QByteArray(">ST=");
    QTest::newRow("nothing comes") << false << QByteArray() << 4 << QByteArray() << QByteArray(">");
    QTest::newRow("a settings string's password masked")
        << false << QByteArray("777111*SETP*#1=srv,20#3=555000\r\n>RW=1;2\r\n") << 0
        << QByteArray("•••*SETP*#1=srv,20#3=•••\r\n>RW=1;2\r\n") << QByteArray("555000");
}

void TestCli::send()
{
    QFETCH(bool, simulated);
    QFETCH(QByteArray, answer);
    SilentPort pty;
    QProcess sim;
    const QString port =
        simulated ? simulator(sim, QStringLiteral("send"), {"--rate", "0"}) : pty.path;
    QVERIFY(!port.isEmpty());
    QProcess cli;
    cli.start(QStringLiteral(KVT_CLI_PATH), {"send", port, ">I 0", "--for", "1"});
    QVERIFY(cli.waitForStarted());
    if (!answer.isEmpty()) {
        // the answer goes out once the command has come: the port is open by then
        QByteArray got;
        QElapsedTimer t;
        t.start();
        while (!got.contains("\r\n") && t.elapsed() < 5000) {
            char buf[256];
            const ssize_t n = ::read(pty.master, buf, sizeof buf);
            if (n > 0)
                got.append(buf, int(n));
            else
                QTest::qWait(10);
        }
        QCOMPARE(got, QByteArray(">I 0\r\n"));
        QCOMPARE(::write(pty.master, answer.constData(), size_t(answer.size())),
                 ssize_t(answer.size()));
    }
    QVERIFY(cli.waitForFinished(10000));
    QTEST(cli.exitCode(), "status");
    const QByteArray out = cli.readAllStandardOutput();
    QFETCH(QByteArray, shown);
    QFETCH(QByteArray, hidden);
    QVERIFY2(out.contains(shown), out.constData());
    QVERIFY2(!out.contains(hidden), out.constData());
    if (simulated) {
        sim.terminate();
        sim.waitForFinished();
    }
}

void TestCli::record_data()
{
    QTest::addColumn<QString>("stop");   // --seconds, or the signal sent
    QTest::newRow("for a second") << "seconds";
    QTest::newRow("until SIGTERM") << "SIGTERM";
    QTest::newRow("until Ctrl+C") << "SIGINT";
}

// The recording ends complete however it is stopped: its start, the records in between and
// its stop, in the log's recording format.
void TestCli::record()
{
    QFETCH(QString, stop);
    QProcess sim;
    const QString port = simulator(sim, QStringLiteral("record"), {"--rate", "100"});
    QVERIFY(!port.isEmpty());
    const QString file = dir.filePath(QStringLiteral("traffic-%1.log").arg(stop));
    QProcess cli;
    QStringList args{"record", port, file};
    if (stop == QLatin1String("seconds"))
        args << QStringLiteral("--seconds") << QStringLiteral("1");
    cli.start(QStringLiteral(KVT_CLI_PATH), args);
    QVERIFY(cli.waitForStarted());
    if (stop != QLatin1String("seconds")) {
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(file).size() > 200, 5000);
        ::kill(pid_t(cli.processId()), stop == QLatin1String("SIGTERM") ? SIGTERM : SIGINT);
    }
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), 0);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    QVERIFY(lines.size() > 3);
    const QRegularExpression entry(QStringLiteral(
        R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} (← >[A-Z#]+\d*=.*\\r\\n|## .+)$)"));
    for (int i = 0; i < lines.size() - 1; ++i)
        QVERIFY2(entry.match(QString::fromUtf8(lines.at(i))).hasMatch(), lines.at(i).constData());
    QVERIFY(lines.first().endsWith("## Запись начата"));
    QVERIFY(lines.at(lines.size() - 2).endsWith("## Запись остановлена"));
    QVERIFY(lines.last().isEmpty());   // the last entry ends its line
    sim.terminate();
    sim.waitForFinished();
}

void TestCli::provision_data()
{
    QTest::addColumn<QString>("end");   // --count, or the signal sent
    QTest::newRow("after four terminals") << "count";
    QTest::newRow("on SIGTERM, the silent one in the middle") << "SIGTERM";
}

// Four terminals at once: two that take the file, one with another access password and one
// that never answers. Each ends in its own journal line and its own line on standard output;
// stopped early, the one in the middle is abandoned with its journal line.
void TestCli::provision()
{
    QFETCH(QString, end);
    QTemporaryDir here;
    const QString settingsPath = here.filePath(QStringLiteral("fleet.json"));
    QVERIFY(writeTestFile(settingsPath, fleetSettings));
    QProcess pair, other, silent;
    const auto stopAll = qScopeGuard([&] {
        for (QProcess *p : {&pair, &other, &silent}) {
            p->terminate();
            p->waitForFinished();
        }
    });
    const QString link = here.filePath(QStringLiteral("t"));
    pair.start(QStringLiteral(KVT_SIM_PATH),
               {"--count", "2", "--link", link, "--serial", "600100", "--quiet"});
    const QString otherPort = simulator(other, QStringLiteral("other-") + end,
                                        {"--serial", "600200", "--password", "111111"});
    const QString silentPort = simulator(silent, QStringLiteral("silent-") + end,
                                         {"--serial", "600300", "--silent"});
    QTRY_VERIFY(QFile::exists(link + "-1") && QFile::exists(link + "-2"));
    QProcessEnvironment env = cliEnvironment();
    env.insert(QStringLiteral("KVT_PASSWORD"), QStringLiteral("482915"));
    env.insert(QStringLiteral("KVT_SIMULATOR_PORT"),
               QStringList{link + "-1", link + "-2", otherPort, silentPort}.join(':'));
    QProcess cli;
    cli.setProcessEnvironment(env);
    QStringList args{"provision", settingsPath};
    args << (end == QLatin1String("count") ? QStringList{"--count", "4", "--answer-timeout", "1.5"}
                                           : QStringList{"--answer-timeout", "30"});
    cli.start(QStringLiteral(KVT_CLI_PATH), args);
    QVERIFY(cli.waitForStarted());
    QByteArray out;
    if (end != QLatin1String("count")) {
        QTRY_COMPARE_WITH_TIMEOUT((out += cli.readAllStandardOutput()).count('\n'), 3, 10000);
        ::kill(pid_t(cli.processId()), SIGTERM);
    }
    QVERIFY(cli.waitForFinished(15000));
    out += cli.readAllStandardOutput();
    const QByteArray err = cli.readAllStandardError();
    QCOMPARE(cli.exitCode(), 3);
    QVERIFY2(!(out + err).contains("482915"), err.constData());

    // stopped, the silent one had nothing sent yet
    const QString silentResult = end == QLatin1String("count")
                                     ? QStringLiteral("нет ответа терминала\t%1\tno-answer")
                                     : QStringLiteral("прервано до записи\t%1\tinterrupted-before-write");
    const QString wrong = QStringLiteral("не принято терминалом: проверьте пароль доступа");
    QStringList printed = QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts);
    QStringList expected{link + "-1\t600100\t866104023456789\tзаписано и подтверждено\tconfirmed",
                         link + "-2\t600101\t866104023456790\tзаписано и подтверждено\tconfirmed",
                         otherPort + "\t600200\t866104023456789\t" + wrong + "\twrong-password",
                         silentPort + "\t\t\t" + silentResult.section('\t', 0, 0) + '\t'
                             + silentResult.section('\t', 2)};
    printed.sort();
    expected.sort();
    QCOMPARE(printed, expected);
    QFile journal(here.filePath(QStringLiteral("fleet.journal.tsv")));
    QVERIFY(journal.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(journal.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.takeFirst(), QStringLiteral("время\tмодель\tсерийный номер\tIMEI\tверсия ПО"
                                               "\tрезультат\tпорт\tкод"));
    for (QString &line : lines)
        line = line.section('\t', 1);   // the time aside
    const auto at = [](const QString &port) { return QFileInfo(port).absoluteFilePath(); };
    expected = QStringList{"KVT3\t600100\t866104023456789\t0.70\tзаписано и подтверждено\t"
                               + at(link + "-1") + "\tconfirmed",
                           "KVT3\t600101\t866104023456790\t0.70\tзаписано и подтверждено\t"
                               + at(link + "-2") + "\tconfirmed",
                           "KVT3\t600200\t866104023456789\t0.70\t" + wrong + "\t" + at(otherPort)
                               + "\twrong-password",
                           "\t\t\t\t" + silentResult.arg(at(silentPort))};
    lines.sort();
    expected.sort();
    QCOMPARE(lines, expected);
}


void TestCli::provisionOutcomes_data()
{
    QTest::addColumn<QString>("port");         // sim, none (no port at all) or folder
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("file");         // fleet, or terminal: read from it before
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("codes");    // the journal's, line by line
    const QStringList none;
    const QStringList quick{"--timeout", "0.5"};
    QTest::newRow("no terminal at all") << "none" << none << quick << "fleet" << 4 << none;
    QTest::newRow("a port that cannot be opened")
        << "folder" << none << quick << "fleet" << 3 << QStringList{"no-answer"};
    QTest::newRow("the journal on a full disk")
        << "sim" << none << QStringList{"--count", "1", "--journal", "/dev/full"} << "fleet" << 1
        << none;
    // every answer late: the whole set-up takes longer than --timeout
    QTest::newRow("a terminal at work outlasts --timeout")
        << "sim" << QStringList{"--answer-delay", "700"} << quick << "fleet" << 0
        << QStringList{"confirmed"};
    QTest::newRow("the terminal holds the file already")
        << "sim" << none << QStringList{"--count", "1"} << "terminal" << 0 << QStringList{"already-set"};
    QTest::newRow("a confirmed terminal plugged in again")
        << "sim" << QStringList{"--restart-delay", "0.3"} << QStringList{"--count", "1", "REPLUG"}
        << "fleet" << 0 << QStringList{"confirmed", "already-done"};
}

// How provision ends, told by its exit status and its journal's codes; a terminal is never
// written before its journal is.
void TestCli::provisionOutcomes()
{
    QFETCH(QString, port);
    QFETCH(QStringList, simArgs);
    QFETCH(QStringList, args);
    QFETCH(QString, file);
    QTemporaryDir here;
    QProcess sim;
    const auto stop = qScopeGuard([&] {
        sim.terminate();
        sim.waitForFinished();
    });
    QString path;
    if (port == QLatin1String("sim"))
        path = simulator(sim, QStringLiteral("p-%1").arg(QTest::currentDataTag()),
                         QStringList{"--rate", "0"} + simArgs);
    else if (port == QLatin1String("folder"))
        path = here.filePath(QStringLiteral("folder"));
    QVERIFY(port != QLatin1String("folder") || QDir().mkdir(path));
    const QString settingsPath = here.filePath(QStringLiteral("fleet.json"));
    if (file == QLatin1String("terminal")) {
        QCOMPARE(runCli({"settings", "read", path, "-o", settingsPath}).status, 0);
    } else {
        QVERIFY(writeTestFile(settingsPath, fleetSettings));
    }
    QProcessEnvironment env = cliEnvironment();
    env.insert(QStringLiteral("KVT_PASSWORD"), QStringLiteral("482915"));
    env.insert(QStringLiteral("KVT_SIMULATOR_PORT"), path);
    const bool replug = args.removeAll(QStringLiteral("REPLUG")) > 0;
    if (replug)
        args = QStringList{"--timeout", "60"};
    QProcess cli;
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(KVT_CLI_PATH), QStringList{"provision", settingsPath} + args);
    QVERIFY(cli.waitForStarted());
    QByteArray out;
    if (replug) {
        QTRY_COMPARE_WITH_TIMEOUT((out += cli.readAllStandardOutput()).count('\n'), 1, 10000);
        sim.write("next\n");
        QTRY_COMPARE_WITH_TIMEOUT((out += cli.readAllStandardOutput()).count('\n'), 2, 10000);
        QVERIFY2(out.endsWith("\t201745\t866104023456789\tуже настроен в этом сеансе\talready-done\n"),
                 out.constData());
        ::kill(pid_t(cli.processId()), SIGTERM);
    }
    QVERIFY(cli.waitForFinished(20000));
    out += cli.readAllStandardOutput();
    QTEST(cli.exitCode(), "status");
    // a port that cannot be opened is announced
    QCOMPARE(cli.readAllStandardError().contains("cannot be opened"), port == QLatin1String("folder"));

    QStringList codes;
    QFile journal(here.filePath(QStringLiteral("fleet.journal.tsv")));
    if (journal.open(QIODevice::ReadOnly)) {
        const QStringList lines = QString::fromUtf8(journal.readAll()).split('\n', Qt::SkipEmptyParts);
        for (const QString &line : lines.mid(1)) {
            const QStringList columns = line.split('\t');
            QCOMPARE(columns.size(), 8);
            QCOMPARE(columns.at(6), QFileInfo(path).absoluteFilePath());
            codes << columns.at(7);
        }
    }
    QTEST(codes, "codes");
    // each journal line, a port that cannot be opened included, has its line on stdout
    QCOMPARE(out.count('\n'), codes.size());
    // the terminal holds the file's value only when it was set up
    if (port == QLatin1String("sim") && file == QLatin1String("fleet")) {
        const Run after = runCli({"settings", "read", path});
        QCOMPARE(after.status, 0);
        QCOMPARE(readSettingsFile(after.out).values.value("apn1Edit").toString() == "fleet.apn",
                 codes.value(0) == QLatin1String("confirmed"));
    }
}

#else
void TestCli::exitStatuses_data() {}
void TestCli::exitStatuses() {}
void TestCli::settingsWrite_data() {}
void TestCli::settingsWrite() {}
void TestCli::info_data() {}
void TestCli::info() {}
void TestCli::ports() {}
void TestCli::send_data() {}
void TestCli::send() {}
void TestCli::record_data() {}
void TestCli::record() {}
void TestCli::provision_data() {}
void TestCli::provision() {}
void TestCli::provisionOutcomes_data() {}
void TestCli::provisionOutcomes() {}
#endif

#ifdef KVT_CLI_PATH

namespace {

// Plays the terminal on a silent port: each line kvt-cli sends that `answers` knows is answered
// at once; the run ends when kvt-cli does. Standard output goes to `outputFile` when given.
Run runAgainst(const SilentPort &pty, const QStringList &args,
               const QHash<QByteArray, QByteArray> &answers,
               const QStringList &wrapper = QStringList(), const QString &outputFile = QString())
{
    QProcess cli;
    cli.setProcessEnvironment(cliEnvironment());
    if (!outputFile.isEmpty())
        cli.setStandardOutputFile(outputFile);
    if (wrapper.isEmpty())
        cli.start(QStringLiteral(KVT_CLI_PATH), args);
    else
        cli.start(wrapper.first(), wrapper.mid(1) + QStringList{QStringLiteral(KVT_CLI_PATH)} + args);
    if (!cli.waitForStarted())
        return Run();
    cli.closeWriteChannel();
    ::fcntl(pty.master, F_SETFL, ::fcntl(pty.master, F_GETFL) | O_NONBLOCK);
    QByteArray got;
    QElapsedTimer t;
    t.start();
    while (!cli.waitForFinished(5) && t.elapsed() < 20000) {
        char buf[512];
        ssize_t n;
        while ((n = ::read(pty.master, buf, sizeof buf)) > 0)
            got.append(buf, int(n));
        for (int end = got.indexOf('\n'); end >= 0; end = got.indexOf('\n')) {
            const QByteArray answer = answers.value(got.left(end).trimmed());
            got.remove(0, end + 1);
            if (!answer.isEmpty() && ::write(pty.master, answer.constData(), size_t(answer.size())) < 0)
                return Run();
        }
    }
    return waitForRun(cli, 0);
}

const QByteArray identityAnswer = ">DI=31;0;70\r\n>DN=201745\r\n>MN=866104023456789\r\n";
// A terminal whose settings have no item 10: no CAN parameters
const QByteArray settingsAnswer = ">ST=#1=track.example.org,20332#2=internet,mts,mts#12=113\r\n";

// Runs kvt-cli with the limit of a file's size at 512 bytes, the signal of it ignored: a full
// disk for the files it writes.
QStringList smallDisk()
{
    return {QStringLiteral("sh"), QStringLiteral("-c"),
            QStringLiteral("trap '' XFSZ; ulimit -f 1; exec \"$0\" \"$@\"")};
}

} // namespace

// What the state leaves out: numbers that are not finite, the APN's password; and the CAN
// count of invalid data is the invalid one.
void TestCli::infoLeavesOut()
{
    SilentPort pty;
    QVERIFY(!pty.path.isEmpty());
    const QByteArray state = ">APN=m2m.example;fleetuser;Zq7secret\r\n>C#=5;1000;7\r\n"
                             ">GS=8;nan;inf;-inf;NaN\r\n>GK=nan;37.61\r\n";
    const Run run = runAgainst(pty, {"info", pty.path, "--json"}, {{">I 0", identityAnswer + state}});
    QCOMPARE(run.status, 0);
    QVERIFY2(!run.out.contains("Zq7secret") && !run.out.toLower().contains("nan")
                 && !run.out.toLower().contains("inf") && !run.out.contains("null"),
             run.out.constData());
    const QJsonObject status = jsonObject(run.out).value(QStringLiteral("status")).toObject();
    const QJsonObject can = status.value(QStringLiteral("can")).toObject();
    QCOMPARE(can.value(QStringLiteral("invalid")).toDouble(), 7.0);
    QCOMPARE(can.value(QStringLiteral("valid")).toDouble(), 1000.0);
    QCOMPARE(status.value(QStringLiteral("apn")).toObject().value(QStringLiteral("login")).toString(),
             QStringLiteral("fleetuser"));
    QCOMPARE(status.value(QStringLiteral("fix")).toObject().keys(), QStringList{"satellites"});
    QVERIFY(!status.value(QStringLiteral("position")).toObject().contains(QStringLiteral("latitude")));
}

// A terminal that reports no CAN parameters: the file keeps the entry, empty, as the page
// saves it.
void TestCli::readWithoutCanParams()
{
    SilentPort pty;
    QVERIFY(!pty.path.isEmpty());
    const Run run = runAgainst(pty, {"settings", "read", pty.path},
                               {{">I 0", identityAnswer}, {">D 15;0", settingsAnswer}});
    QCOMPARE(run.status, 0);
    const QJsonObject fields = jsonObject(run.out).value(QStringLiteral("fields")).toObject();
    QVERIFY2(fields.contains(QStringLiteral("canParamsGroup")), run.out.constData());
    QCOMPARE(fields.value(QStringLiteral("canParamsGroup")).toArray(), QJsonArray());
}

// A save onto a full disk fails with the reason and exit status 1; the file that was there
// stays as it was, nothing is left beside it.
void TestCli::failedSaveKeepsTheFile_data()
{
    QTest::addColumn<QString>("to");   // "file": -o FILE on a small disk; "stdout": /dev/full
    QTest::addColumn<QByteArray>("reason");
    QTest::newRow("file on a full disk") << "file" << QByteArray("File too large");
    QTest::newRow("standard output on a full disk") << "stdout" << QByteArray("No space left on device");
}

void TestCli::failedSaveKeepsTheFile()
{
    QFETCH(QString, to);
    QFETCH(QByteArray, reason);
    if (to == QLatin1String("stdout") && !QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("needs /dev/full");
    SilentPort pty;
    QVERIFY(!pty.path.isEmpty());
    QTemporaryDir here;
    const QString path = here.filePath(QStringLiteral("settings.json"));
    const QByteArray before(100, 'o');
    QVERIFY(writeTestFile(path, before));
    const QHash<QByteArray, QByteArray> answers{{">I 0", identityAnswer}, {">D 15;0", settingsAnswer}};
    const Run run = to == QLatin1String("file")
                        ? runAgainst(pty, {"settings", "read", pty.path, "-o", path}, answers, smallDisk())
                        : runAgainst(pty, {"settings", "read", pty.path}, answers, QStringList(),
                                     QStringLiteral("/dev/full"));
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(reason), run.err.constData());
    if (to == QLatin1String("file"))
        QVERIFY2(run.err.contains(path.toUtf8()), run.err.constData());
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), before);
    QCOMPARE(QDir(here.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"settings.json"});
}

// Where the access password comes from and what the file may be: each written to a terminal
// that holds 482915 and read back.
void TestCli::passwordAndFileRules_data()
{
    QTest::addColumn<QByteArray>("passwordFile");   // its content; null: none
    QTest::addColumn<bool>("sharedFile");           // readable by others
    QTest::addColumn<QByteArray>("input");          // standard input; "-" takes the password from it
    QTest::addColumn<QString>("environment");       // KVT_PASSWORD; null: unset
    QTest::addColumn<QStringList>("extra");          // more arguments; "STDIN" for the settings file
    QTest::addColumn<QString>("terminalModel");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    const QByteArray none;
    const QString unset;
    QTest::newRow("file without a line end")
        << QByteArray("482915") << false << none << unset << QStringList() << "31" << 0 << "confirmed";
    QTest::newRow("file with CR LF")
        << QByteArray("482915\r\nnext\r\n") << false << none << unset << QStringList() << "31" << 0
        << "confirmed";
    QTest::newRow("pipe without a line end")
        << none << false << QByteArray("482915") << unset << QStringList{"--password-file", "-"} << "31"
        << 0 << "confirmed";
    QTest::newRow("file others may read, used with a warning")
        << QByteArray("482915\n") << true << none << unset << QStringList() << "31" << 0
        << "can be read by other users";
    QTest::newRow("empty KVT_PASSWORD is an empty password")
        << none << false << none << "" << QStringList() << "31" << 2 << "Требуется указать пароль доступа";
    QTest::newRow("oversized settings file on standard input")
        << none << false << QByteArray(settingsFileMaxSize + 10, ' ') << "482915" << QStringList{"STDIN"}
        << "31" << 2 << "too much for a settings file";
    QTest::newRow("file of another model refused")
        << none << false << none << "482915" << QStringList() << "20" << 2 << "--any-model";
    QTest::newRow("file of another model, --any-model")
        << none << false << none << "482915" << QStringList{"--any-model"} << "20" << 0 << "confirmed";
}

void TestCli::passwordAndFileRules()
{
    QFETCH(QByteArray, passwordFile);
    QFETCH(bool, sharedFile);
    QFETCH(QByteArray, input);
    QFETCH(QString, environment);
    QFETCH(QStringList, extra);
    QFETCH(QString, terminalModel);
    QTemporaryDir here;
    // a file saved from the simulator's model, one field changed: a write the terminal can refuse
    const QString file = here.filePath(QStringLiteral("settings.json"));
    QVERIFY(writeTestFile(file, R"({"format": "kvt-logger-settings", "version": 1, "terminal": {"model": "KVT3"},
                                  "fields": {"monitoringServerEdit": "rules.example.org"}})"));
    QProcess sim;
    const QString port = simulator(sim, QStringLiteral("rules"), {"--rate", "0", "--model", terminalModel});
    QVERIFY(!port.isEmpty());
    const auto stop = qScopeGuard([&sim] {
        sim.terminate();
        sim.waitForFinished();
    });
    QProcessEnvironment env = cliEnvironment();
    if (!environment.isNull())
        env.insert(QStringLiteral("KVT_PASSWORD"), environment);
    QStringList args{"settings", "write", port, file};
    if (extra.contains(QStringLiteral("STDIN")))
        args.replace(3, QStringLiteral("/dev/stdin"));
    else
        args << extra;
    if (!passwordFile.isNull()) {
        const QString pw = here.filePath(QStringLiteral("pw"));
        QFile p(pw);
        QVERIFY(p.open(QIODevice::WriteOnly));
        p.write(passwordFile);
        p.close();
        QVERIFY(p.setPermissions(sharedFile ? QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                  | QFile::ReadOther
                                            : QFile::ReadOwner | QFile::WriteOwner));
        args << QStringLiteral("--password-file") << pw;
    }
    const Run run = runCli(args, env, input);
    QTEST(run.status, "status");
    QFETCH(QString, message);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QVERIFY2(!run.err.contains("482915") && !run.out.contains("482915"), run.err.constData());
    const Run after = runCli({"settings", "read", port});
    QCOMPARE(after.status, 0);
    QCOMPARE(readSettingsFile(after.out).values.value(QStringLiteral("monitoringServerEdit")).toString()
                 == QLatin1String("rules.example.org"),
             run.status == 0);
}

#else
void TestCli::infoLeavesOut() {}
void TestCli::readWithoutCanParams() {}
void TestCli::failedSaveKeepsTheFile_data() {}
void TestCli::failedSaveKeepsTheFile() {}
void TestCli::passwordAndFileRules_data() {}
void TestCli::passwordAndFileRules() {}
#endif

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
