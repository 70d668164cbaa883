// The installation register against a real PostgreSQL server the test starts itself (initdb
// into a temporary folder, a Unix socket there and no TCP; as root through the unprivileged
// user postgres), and against SQLite: the schema made and upgraded, bound values, the offline
// queue sent exactly once, two programs at once, journals imported twice, and kvt-cli
// provision's events reaching the server.
#include "register/installationregister.h"
#include "register/registerrecorder.h"
#include "pgserver.h"
#include "simutil.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

RegisterLocation location(const QString &text)
{
    RegisterLocation where;
    parseRegisterLocation(text, &where, nullptr);
    return where;
}

RegisterEvent testEvent(const QString &serial, int n)
{
    RegisterEvent e = newRegisterEvent(QString::fromLatin1(RegisterKind::SettingsWritten),
                                       TerminalIdentity{"KVT3", serial, "866104023456789", "0.70"});
    e.time = QDateTime(QDate(2026, 5, 1), QTime(10, 0), Qt::UTC).addSecs(n);
    e.result = QStringLiteral("confirmed");
    e.details = QJsonObject{{QStringLiteral("n"), n}};
    return e;
}

QVector<RegisterEvent> listed(InstallationRegister &reg, const RegisterFilter &filter = {})
{
    QVector<RegisterEvent> all;
    QString error;
    RegisterDatabase *db = reg.database(&error);
    if (!db || !db->forEach(filter, [&all](const RegisterEvent &e) { all << e; }, &error))
        qWarning("%s", qPrintable(error));
    return all;
}

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

} // namespace

class TestRegister : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void resultCodes_data();
    void resultCodes();
    void schema_data();
    void schema();
    void boundValues_data();
    void boundValues();
    void importTwice_data();
    void importTwice();
    void twoProcesses_data();
    void twoProcesses();
    void serverStoppedInTheMiddle();
    void stationEvents_data();
    void stationEvents();

private:
    QString uriOf(const QString &backend);
    Run cli(const QStringList &args, const QString &registerText);
    QString journal(const QString &name, int lines, int first = 0);

    std::unique_ptr<PgServer> pg;
    QTemporaryDir data;   // XDG_DATA_HOME of the test and its programs
    QTemporaryDir files;
};

void TestRegister::initTestCase()
{
    if (PgServer::binaries().isEmpty())
        QSKIP("PostgreSQL is not installed (Debian: postgresql, see tools/deps.sh): the register "
              "test needs a server of its own");
    QVERIFY2(QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")),
             "the Qt PostgreSQL driver is missing (Debian: libqt5sql5-psql, see tools/deps.sh)");
    pg = std::make_unique<PgServer>();
    QString error;
    QVERIFY2(pg->start(&error), qPrintable(error));
}

void TestRegister::init()
{
    // every case with its own queue and default register
    static int n = 0;
    const QString folder = data.filePath(QString::number(++n));
    QDir().mkpath(folder);
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder));
    qunsetenv("KVT_REGISTER");
}

QString TestRegister::uriOf(const QString &backend)
{
    static int n = 0;
    return backend == QLatin1String("postgresql")
               ? pg->newDatabase()
               : files.filePath(QStringLiteral("register%1.sqlite").arg(++n));
}

Run TestRegister::cli(const QStringList &args, const QString &registerText)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KVT_REGISTER"), registerText);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KVT_CLI_PATH), args);
    Run r;
    if (p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit)
        r.status = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// A journal of `lines` lines as batch set-up wrote them before the port and code columns, and
// as they are written since (every other line with them).
QString TestRegister::journal(const QString &name, int lines, int first)
{
    const QString path = files.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write("время\tмодель\tсерийный номер\tIMEI\tверсия ПО\tрезультат\n");
    for (int i = first; i < first + lines; ++i) {
        QString line = QStringLiteral("2026-04-%1 10:%2:%3\tKVT3\t7%4\t86610402%5\t0.70\t%6")
                           .arg(1 + i / 3600 % 28, 2, 10, QLatin1Char('0'))
                           .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
                           .arg(i % 60, 2, 10, QLatin1Char('0'))
                           .arg(i, 5, 10, QLatin1Char('0'))
                           .arg(i, 7, 10, QLatin1Char('0'))
                           .arg(i % 2 ? QStringLiteral("не подтверждено, отличаются: APN1")
                                      : QStringLiteral("прервано"));
        if (i % 2)
            line += QStringLiteral("\t/dev/ttyACM%1\tnot-confirmed").arg(i % 8);
        f.write(line.toUtf8() + '\n');
    }
    return path;
}

void TestRegister::resultCodes_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("code");
    QTest::newRow("confirmed") << "записано и подтверждено" << "confirmed";
    QTest::newRow("confirmed, English") << "written and confirmed" << "confirmed";
    QTest::newRow("not confirmed") << "не подтверждено, отличаются: APN1" << "not-confirmed";
    QTest::newRow("other model before refused") << "не записано: модель KVT5, файл сохранён с KVT3" << "other-model";
    QTest::newRow("refused") << "не записано: пароль не подходит" << "refused";
    QTest::newRow("refused, English") << "not written: wrong password" << "refused";
    QTest::newRow("no answer") << "нет ответа терминала" << "no-answer";
    QTest::newRow("unplugged") << "терминал отключён" << "unplugged";
    QTest::newRow("abandoned") << "прервано" << "interrupted-after-write";
    QTest::newRow("already done") << "уже настроен в этом сеансе" << "already-done";
    QTest::newRow("firmware updated") << "ПО обновлено: 0.70 → 0.71. Проверьте настройки терминала." << "firmware-updated";
    QTest::newRow("firmware failed") << "Обновление ПО не начато: нет диска" << "firmware-failed";
    QTest::newRow("unknown words") << "что-то ещё" << "unknown";
}

// Older journals have no code column: the code is read from the words, the particular before
// the general.
void TestRegister::resultCodes()
{
    QFETCH(QString, words);
    QFETCH(QString, code);
    QCOMPARE(journalResultCode(words), code);
    RegisterEvent e;
    QVERIFY(journalLineEvent(QStringLiteral("2026-03-14 09:05:07\tKVT3\t1\t2\t0.70\t") + words + '\n', &e));
    QCOMPARE(e.result, code);
    QCOMPARE(e.kind, code.startsWith(QLatin1String("firmware-")) ? QStringLiteral("firmware-updated")
                                                                 : QStringLiteral("provisioned"));
}

void TestRegister::schema_data()
{
    QTest::addColumn<QString>("backend");
    QTest::newRow("sqlite") << "sqlite";
    QTest::newRow("postgresql") << "postgresql";
}

// Made on an empty database at the newest version; a register of the first version keeps its
// rows and gains the port and the indexes of the second.
void TestRegister::schema()
{
    QFETCH(QString, backend);
    const RegisterLocation where = location(uriOf(backend));
    QString error;
    {
        RegisterDatabase old(where);
        QVERIFY2(old.open(&error, 1), qPrintable(error));
        QCOMPARE(old.schemaVersion(&error), 1);
        QSqlQuery q(old.connection());
        QVERIFY(q.prepare("INSERT INTO register_events (id, time, kind, serial_number) VALUES (?, ?, ?, ?)"));
        q.addBindValue(QUuid::createUuid().toString(QUuid::WithoutBraces));
        q.addBindValue(QStringLiteral("2025-01-02T03:04:05.000Z"));
        q.addBindValue(QStringLiteral("connected"));
        q.addBindValue(QStringLiteral("100"));
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        QVERIFY(!old.connection().record("register_events").contains("port"));
    }
    RegisterDatabase now(where);
    QVERIFY2(now.open(&error), qPrintable(error));
    QCOMPARE(now.schemaVersion(&error), RegisterDatabase::SchemaVersion);
    QVERIFY(now.connection().record("register_events").contains("port"));
    RegisterEvent e = testEvent("100", 1);
    e.port = QStringLiteral("/dev/ttyACM0");
    QVERIFY2(now.insert({e}, nullptr, &error), qPrintable(error));
    QVector<RegisterEvent> rows;
    QVERIFY(now.page(RegisterFilter{"100"}, {}, {}, 10, &rows, &error));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).time, QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5), Qt::UTC));
    QCOMPARE(rows.at(0).port, QString());
    QCOMPARE(rows.at(1).port, e.port);
    QCOMPARE(rows.at(1).details, e.details);

    // opened again: nothing to upgrade, one row a step
    RegisterDatabase again(where);
    QVERIFY2(again.open(&error), qPrintable(error));
    QSqlQuery steps(again.connection());
    QVERIFY(steps.exec("SELECT count(*) FROM register_schema") && steps.next());
    QCOMPARE(steps.value(0).toInt(), RegisterDatabase::SchemaVersion);
}

void TestRegister::boundValues_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QString>("serial");
    const QStringList serials{"12'34", "\"; DROP TABLE register_events; --",
                              "{\"a\",b}\\", "Газель А123ВС'77"};
    for (const char *backend : {"sqlite", "postgresql"}) {
        for (const QString &s : serials)
            QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(backend, s))) << backend << s;
    }
}

// Serial numbers and vehicles with quotes, backslashes and braces stay text, recorded one at
// a time and imported many at a time; the vehicle is remembered for the terminal's later events.
void TestRegister::boundValues()
{
    QFETCH(QString, backend);
    QFETCH(QString, serial);
    InstallationRegister reg(location(uriOf(backend)));
    QString error;
    RegisterEvent first = testEvent(serial, 1);
    first.vehicle = serial;
    QVERIFY2(reg.record(first, &error), qPrintable(error));
    QVERIFY2(reg.record(testEvent(serial, 2), &error), qPrintable(error));
    QVERIFY2(reg.sync(nullptr, &error), qPrintable(error));
    QVector<RegisterEvent> many;
    for (int i = 3; i < 1203; ++i)
        many << testEvent(serial, i);
    QVERIFY2(reg.database(&error)->insert(many, nullptr, &error), qPrintable(error));

    const QVector<RegisterEvent> rows = listed(reg, RegisterFilter{serial});
    QCOMPARE(rows.size(), 1202);
    QCOMPARE(rows.at(0).id, first.id);
    QCOMPARE(rows.at(1).vehicle, serial);
    QCOMPARE(rows.last().serialNumber, serial);
    QCOMPARE(rows.last().details.value("n").toInt(), 1202);
    RegisterFilter byVehicle;
    byVehicle.any = serial;
    QCOMPARE(listed(reg, byVehicle).size(), 1202);
}

void TestRegister::importTwice_data()
{
    schema_data();
}

// Journals with and without the port and code columns: imported twice they are one event a
// line, with the same ids, the older lines' codes read from their words.
void TestRegister::importTwice()
{
    QFETCH(QString, backend);
    const QString where = uriOf(backend);
    const QString a = journal(QStringLiteral("a.journal.tsv"), 300);
    const QString b = journal(QStringLiteral("b.journal.tsv"), 200, 300);
    Run first = cli({"register", "import", a, b}, where);
    QVERIFY2(first.status == 0, first.err.constData());
    QVERIFY2(first.err.contains("500 journal lines: 500 new events"), first.err.constData());
    Run again = cli({"register", "import", b, a}, where);
    QVERIFY2(again.status == 0, again.err.constData());
    QVERIFY2(again.err.contains("0 new events, 500 already"), again.err.constData());

    Run list = cli({"register", "list", "--json", "--since", "2026-04-01"}, where);
    QCOMPARE(list.status, 0);
    const QJsonArray events = QJsonDocument::fromJson(list.out).array();
    QCOMPARE(events.size(), 500);
    QSet<QString> ids;
    for (const QJsonValue &v : events)
        ids.insert(v["id"].toString());
    QCOMPARE(ids.size(), 500);
    const QJsonObject older = events.at(0).toObject();
    QCOMPARE(older["serialNumber"].toString(), QStringLiteral("700000"));
    QCOMPARE(older["result"].toString(), QStringLiteral("interrupted-after-write"));
    QCOMPARE(older["kind"].toString(), QStringLiteral("provisioned"));
    const QJsonObject newer = events.at(1).toObject();
    QCOMPARE(newer["result"].toString(), QStringLiteral("not-confirmed"));
    QCOMPARE(newer["port"].toString(), QStringLiteral("/dev/ttyACM1"));

    Run one = cli({"register", "list", "--csv", "--serial", "700299"}, where);
    QCOMPARE(one.out.count('\n'), 2);
    QVERIFY(one.out.contains(",700299,866104020000299,KVT3,0.70,not-confirmed,"));
}

void TestRegister::twoProcesses_data()
{
    schema_data();
}

// Two programs meeting an empty register at once: the tables are made once and both write
// everything.
void TestRegister::twoProcesses()
{
    QFETCH(QString, backend);
    const QString where = uriOf(backend);
    const QString a = journal(QStringLiteral("one.journal.tsv"), 3000);
    const QString b = journal(QStringLiteral("two.journal.tsv"), 3000, 3000);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KVT_REGISTER"), where);
    QProcess one, two;
    for (QProcess *p : {&one, &two})
        p->setProcessEnvironment(env);
    one.start(QStringLiteral(KVT_CLI_PATH), {"register", "import", a});
    two.start(QStringLiteral(KVT_CLI_PATH), {"register", "import", b});
    for (QProcess *p : {&one, &two}) {
        QVERIFY(p->waitForFinished(120000));
        QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
    }
    InstallationRegister reg(location(where));
    QCOMPARE(listed(reg).size(), 6000);
    QString error;
    QCOMPARE(reg.database(&error)->schemaVersion(&error), RegisterDatabase::SchemaVersion);
    QSqlQuery steps(reg.database(&error)->connection());
    QVERIFY(steps.exec("SELECT count(*) FROM register_schema") && steps.next());
    QCOMPARE(steps.value(0).toInt(), RegisterDatabase::SchemaVersion);
}

// The server goes away without warning between events and comes back: the events in between
// wait in the queue and reach the server once each, in order, also when the queue is sent
// again after the server took it (the program killed before it emptied its queue).
void TestRegister::serverStoppedInTheMiddle()
{
    const QString where = pg->newDatabase();
    RegisterRecorder recorder(location(where));
    QSignalSpy synced(&recorder, &RegisterRecorder::syncFinished);
    QVector<RegisterEvent> sent;
    for (int i = 0; i < 3; ++i) {
        sent << testEvent("500", i);
        QVERIFY(recorder.record(sent.last()));
    }
    QVERIFY2(recorder.syncAndWait(20000), qPrintable(synced.isEmpty() ? QString("no answer") : synced.last().at(2).toString()));

    QString error;
    QVERIFY2(pg->down(&error), qPrintable(error));
    const auto restart = qScopeGuard([this] { pg->up(nullptr); });
    for (int i = 3; i < 6; ++i) {
        sent << testEvent("500", i);
        QVERIFY(recorder.record(sent.last()));   // never refused for the server
    }
    QVERIFY(!recorder.syncAndWait(20000));
    QCOMPARE(recorder.queuedCount(), 3);
    QVERIFY(!recorder.serverReachable());
    QVERIFY(!synced.isEmpty());

    QVERIFY2(pg->up(&error), qPrintable(error));
    QVERIFY(recorder.syncAndWait(20000));
    QCOMPARE(recorder.queuedCount(), 0);

    // the queue sent again, as after a kill between the server's commit and the queue's
    InstallationRegister reg(location(where));
    for (const RegisterEvent &e : sent)
        QVERIFY(reg.record(e, &error));
    QCOMPARE(reg.queued(), 6);
    int count = 0;
    QVERIFY2(reg.sync(&count, &error), qPrintable(error));
    QCOMPARE(count, 6);
    const QVector<RegisterEvent> rows = listed(reg, RegisterFilter{"500"});
    QCOMPARE(rows.size(), 6);
    for (int i = 0; i < rows.size(); ++i)
        QCOMPARE(rows.at(i).id, sent.at(i).id);
}

void TestRegister::stationEvents_data()
{
    QTest::addColumn<bool>("serverDown");
    QTest::newRow("server up") << false;
    QTest::newRow("server down, sent later") << true;
}

// kvt-cli provision with two terminals: each journal line and each first identity is an event
// on the server; with the server down the terminals are set up all the same and their events
// reach it with `register sync`.
void TestRegister::stationEvents()
{
    QFETCH(bool, serverDown);
    const QString where = pg->newDatabase();
    QString error;
    if (serverDown)
        QVERIFY2(pg->down(&error), qPrintable(error));
    const auto restart = qScopeGuard([&] {
        if (serverDown)
            pg->up(nullptr);
    });
    QTemporaryDir here;
    const QString settingsPath = here.filePath(QStringLiteral("fleet.json"));
    QFile f(settingsPath);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(R"({"format": "kvt-logger-settings", "version": 1, "terminal": {"model": "KVT3"},
               "fields": {"apn1Edit": "fleet.apn"}})");
    f.close();
    QProcess pair;
    const QString link = here.filePath(QStringLiteral("t"));
    pair.start(QStringLiteral(KVT_SIM_PATH),
               {"--count", "2", "--link", link, "--serial", "600100", "--quiet"});
    const auto stopSim = qScopeGuard([&] {
        pair.terminate();
        pair.waitForFinished();
    });
    QTRY_VERIFY(QFile::exists(link + "-1") && QFile::exists(link + "-2"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KVT_PASSWORD"), QStringLiteral("482915"));
    env.insert(QStringLiteral("KVT_SIMULATOR_PORT"), link + "-1:" + link + "-2");
    env.insert(QStringLiteral("KVT_REGISTER"), where);
    QProcess cli;
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(KVT_CLI_PATH), {"provision", settingsPath, "--count", "2"});
    QVERIFY(cli.waitForFinished(60000));
    const QByteArray err = cli.readAllStandardError();
    QVERIFY2(cli.exitCode() == 0, err.constData());
    QVERIFY2(err.contains("does not answer: 4 event(s) queued") == serverDown, err.constData());

    if (serverDown) {
        QVERIFY2(pg->up(&error), qPrintable(error));
        const Run sync = this->cli({"register", "sync"}, where);
        QVERIFY2(sync.status == 0, sync.err.constData());
        QVERIFY2(sync.err.contains("4 sent, 0 still queued"), sync.err.constData());
    }
    InstallationRegister reg(location(where));
    QCOMPARE(reg.queued(), 0);
    for (const QString serial : {"600100", "600101"}) {
        const QVector<RegisterEvent> rows = listed(reg, RegisterFilter{serial});
        QStringList kinds;
        for (const RegisterEvent &e : rows)
            kinds << e.kind;
        kinds.sort();
        QCOMPARE(kinds, (QStringList{"connected", "provisioned"}));
        for (const RegisterEvent &e : rows) {
            QVERIFY(e.port.startsWith(link));
            QVERIFY(!e.engineer.isEmpty() || qEnvironmentVariableIsEmpty("USER"));
            if (e.kind == QLatin1String("provisioned"))
                QCOMPARE(e.result, QStringLiteral("confirmed"));
        }
    }
    // the access password is nowhere in the register
    const Run all = this->cli({"register", "list", "--json"}, where);
    QVERIFY(!all.out.isEmpty());
    QVERIFY(!all.out.contains("482915"));
}

QTEST_GUILESS_MAIN(TestRegister)
#include "tst_register.moc"
