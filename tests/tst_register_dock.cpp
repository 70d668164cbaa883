// The installation register in the window: the dock finds a terminal's history a page at a
// time and exports what it shows, and never holds the window while a server does not answer;
// the status bar tells of events waiting for it; a vehicle given to a station row goes with
// its terminal's events; a terminal without an IMEI is recorded all the same.
#include "simutil.h"
#include "testutil.h"

#include "mainwindow/mainwindow.h"
#include "register/installationregister.h"
#include "register/registercontroller.h"
#include "register/registerpanel.h"
#include "settings/core_settingsfile.h"
#include "station/provisionstation.h"
#include "settings/settingspage.h"
#include "station/stationpanel.h"
#include "link/terminalsession.h"

#include <QAction>
#include <QInputDialog>
#include <QJsonArray>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProcess>
#include <QStatusBar>
#include <QScopeGuard>
#include <QTableView>
#include <QTableWidget>
#include <QToolBar>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

RegisterEvent eventAt(const QString &serial, int n, const QString &vehicle = QString())
{
    RegisterEvent e = newRegisterEvent(QString::fromLatin1(RegisterKind::Connected),
                                       TerminalIdentity{"KVT3", serial, "866104023456789", "0.70"});
    e.time = QDateTime(QDate(2026, 6, 1), QTime(8, 0), Qt::UTC).addSecs(n);
    e.vehicle = vehicle;
    return e;
}

void removeQueue()
{
    for (const char *end : {"", "-wal", "-shm"})
        QFile::remove(InstallationRegister::queuePath() + QLatin1String(end));
}

// A PostgreSQL socket that takes connections and never answers: a server hung, or a network
// that swallows packets. The client waits for its connect timeout.
struct SilentServer
{
    explicit SilentServer(const QString &folder)
    {
        fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(folder + QStringLiteral("/.s.PGSQL.5432"));
        qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
        listening = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
                    && ::listen(fd, 16) == 0;
    }
    ~SilentServer()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int fd = -1;
    bool listening = false;
};

// Types `text` into the next input dialog and presses OK.
void answerInputDialog(const QString &text)
{
    auto *timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, text] {
        if (auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget())) {
            dialog->setTextValue(text);
            dialog->accept();
            timer->deleteLater();
        }
    });
    timer->start();
}

QVector<RegisterEvent> eventsOf(const QString &serial, const QString &kind)
{
    InstallationRegister reg(registerLocation());
    QString error;
    QVector<RegisterEvent> rows, found;
    RegisterDatabase *db = reg.database(&error);
    if (db)
        db->page(RegisterFilter{serial}, {}, {}, 100, &rows, &error);
    for (const RegisterEvent &e : rows) {
        if (e.kind == kind)
            found << e;
    }
    return found;
}

} // namespace

class TestRegisterDock : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { qunsetenv("KVT_REGISTER"); }
    void searchPagesAndExport();
    void offlineQueueInStatusBar();
    void settingsApplyAtOnce();
    void searchWhileServerHangs();
    void stationRowVehicle_data();
    void stationRowVehicle();
    void connectedWithoutImei_data();
    void connectedWithoutImei();
    void writeAfterReconnect_data();
    void writeAfterReconnect();
    void kindAndResultInWords_data();
    void kindAndResultInWords();
};

void TestRegisterDock::searchPagesAndExport()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("register.sqlite"));
    qputenv("KVT_REGISTER", QFile::encodeName(file));
    {
        InstallationRegister reg(registerLocation());
        QString error;
        QVector<RegisterEvent> many;
        for (int i = 0; i < 450; ++i)
            many << eventAt(QStringLiteral("S1"), i);
        QVERIFY2(reg.database(&error)->insert(many, nullptr, &error), qPrintable(error));
        for (int i = 0; i < 5; ++i)
            QVERIFY(reg.record(eventAt(QStringLiteral("S2"), 1000 + i, QStringLiteral("А 123'ВС, \"7\"")),
                               &error));
    }
    MainWindow w;
    w.show();
    auto *dock = w.findChild<QDockWidget *>(QStringLiteral("registerDock"));
    auto *action = w.findChild<QAction *>(QStringLiteral("registerAction"));
    auto *table = w.findChild<QTableView *>(QStringLiteral("registerTable"));
    auto *search = w.findChild<QLineEdit *>(QStringLiteral("registerSearchEdit"));
    QVERIFY(dock && action && table && search);
    QVERIFY(w.findChild<QToolBar *>(QStringLiteral("mainToolBar"))->actions().contains(action));
    QVERIFY(!dock->isVisible());
    action->trigger();
    QTRY_VERIFY(dock->isVisible());
    // the latest events, one page of them
    QAbstractItemModel *model = table->model();
    QTRY_COMPARE(model->rowCount(), RegisterTableModel::PageSize);
    QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("S2"));

    auto *events = w.installationRegister()->panel()->model();
    search->setText(QStringLiteral("S1"));
    QTest::keyClick(search, Qt::Key_Return);
    QTRY_VERIFY(!events->isFetching());
    QCOMPARE(model->rowCount(), RegisterTableModel::PageSize);
    QVERIFY(model->canFetchMore(QModelIndex()));
    while (model->canFetchMore(QModelIndex())) {
        model->fetchMore(QModelIndex());
        QVERIFY(!model->canFetchMore(QModelIndex()));   // one page asked at a time
        QTRY_VERIFY(!events->isFetching());
    }
    QCOMPARE(model->rowCount(), 450);
    for (int i = 1; i < events->events().size(); ++i)
        QVERIFY(events->events().at(i - 1).time > events->events().at(i).time);

    search->setText(QStringLiteral("А 123'ВС, \"7\""));
    QTest::keyClick(search, Qt::Key_Return);
    QTRY_VERIFY(!events->isFetching());
    QCOMPARE(model->rowCount(), 5);
    const QString csv = dir.filePath(QStringLiteral("shown.csv"));
    QString error;
    QVERIFY2(w.installationRegister()->panel()->exportCsv(csv, &error), qPrintable(error));
    QFile f(csv);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    QCOMPARE(lines.size(), 7);   // the heading, five rows and the end of the last
    QVERIFY2(lines.at(1).contains(",S2,866104023456789,KVT3,0.70,,\"А 123'ВС, \"\"7\"\"\","),
             lines.at(1).constData());

    // what the window records now shows at once, in the search shown; hidden, when shown again
    RegisterRecorder *recorder = w.installationRegister()->recorder();
    QVERIFY(recorder->record(eventAt(QStringLiteral("S1"), 2000)));
    QVERIFY(recorder->record(eventAt(QStringLiteral("S2"), 2001, QStringLiteral("А 123'ВС, \"7\""))));
    QTRY_COMPARE(model->rowCount(), 6);
    QCOMPARE(events->events().first().time, eventAt(QString(), 2001).time);
    action->trigger();
    QTRY_VERIFY(!dock->isVisible());
    QVERIFY(recorder->record(eventAt(QStringLiteral("S2"), 2002, QStringLiteral("А 123'ВС, \"7\""))));
    action->trigger();
    QTRY_COMPARE(model->rowCount(), 7);
}

// A server that cannot be reached: the event is queued at once and the status bar says so.
void TestRegisterDock::offlineQueueInStatusBar()
{
    QTemporaryDir dir;
    removeQueue();
    qputenv("KVT_REGISTER", QStringLiteral("postgresql://kvt@/register?host=%1&connect_timeout=1")
                                .arg(dir.filePath(QStringLiteral("no-server")))
                                .toUtf8());
    MainWindow w;
    auto *label = w.findChild<QLabel *>(QStringLiteral("registerStatusLabel"));
    QVERIFY(label);
    QVERIFY(w.installationRegister()->recorder()->record(eventAt(QStringLiteral("S3"), 1)));
    QVERIFY(w.installationRegister()->recorder()->record(eventAt(QStringLiteral("S3"), 2)));
    QTRY_COMPARE(label->text(), QStringLiteral("Реестр: нет связи, в очереди 2"));
    removeQueue();
}

// "Настроить…": a URI with a password is refused and nothing changes; a file given is where
// the next events go, and the engineer's name is theirs.
void TestRegisterDock::settingsApplyAtOnce()
{
    QTemporaryDir dir;
    MainWindow w;
    RegisterController *reg = w.installationRegister();
    const QString before = reg->recorder()->location().describe();
    QString error;
    QVERIFY(!reg->applySettings(QStringLiteral("postgresql://kvt:secret@db/fleet"), QString(), &error));
    QVERIFY2(error.contains(QStringLiteral("pgpass")), qPrintable(error));
    QCOMPARE(reg->recorder()->location().describe(), before);

    const QString file = dir.filePath(QStringLiteral("team.sqlite"));
    QVERIFY2(reg->applySettings(file, QStringLiteral("Иванов"), &error), qPrintable(error));
    const auto restore = qScopeGuard([reg] { reg->applySettings(QString(), QString(), nullptr); });
    QCOMPARE(reg->recorder()->location().sqlitePath, file);
    QVERIFY(reg->recorder()->record(newRegisterEvent(QString::fromLatin1(RegisterKind::Connected),
                                                     TerminalIdentity{"KVT3", "S4", "1", "0.70"})));
    InstallationRegister check(registerLocation());
    QVector<RegisterEvent> rows;
    QVERIFY(check.database(&error)->page(RegisterFilter{"S4"}, {}, {}, 10, &rows, &error));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().engineer, QStringLiteral("Иванов"));
}

// A server that takes the connection and never answers: the search waits in its own thread
// while the window's timers keep firing, then the dock says there is no connection and shows
// the events still queued here that the search matches.
void TestRegisterDock::searchWhileServerHangs()
{
    QTemporaryDir dir;
    SilentServer server(dir.path());
    QVERIFY(server.listening);
    removeQueue();
    const auto cleanQueue = qScopeGuard([] { removeQueue(); });
    qputenv("KVT_REGISTER", QStringLiteral("postgresql://kvt@/register?host=%1&connect_timeout=2")
                                .arg(dir.path())
                                .toUtf8());
    MainWindow w;
    RegisterController *reg = w.installationRegister();
    QVERIFY(reg->recorder()->record(eventAt(QStringLiteral("S5"), 1)));
    QVERIFY(reg->recorder()->record(eventAt(QStringLiteral("S6"), 2)));
    QVERIFY(reg->recorder()->record(eventAt(QStringLiteral("S5"), 3, QStringLiteral("А 001 АА"))));

    RegisterTableModel *model = reg->panel()->model();
    int ticksWhileSearching = 0;
    QTimer ticker;
    ticker.setInterval(10);
    connect(&ticker, &QTimer::timeout, [&] { ticksWhileSearching += model->isFetching() ? 1 : 0; });
    ticker.start();
    reg->panel()->searchEdit()->setText(QStringLiteral("S5"));
    QTest::keyClick(reg->panel()->searchEdit(), Qt::Key_Return);
    QVERIFY(model->isFetching());
    QTRY_VERIFY_WITH_TIMEOUT(!model->isFetching(), 15000);
    QVERIFY2(ticksWhileSearching > 0, "the window's event loop stood still during the search");

    auto *state = w.findChild<QLabel *>(QStringLiteral("registerStateLabel"));
    QVERIFY2(state->text().startsWith(QStringLiteral("Реестр: нет связи, в очереди 3")), qPrintable(state->text()));
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->events().at(0).vehicle, QStringLiteral("А 001 АА"));   // newest first
    QCOMPARE(model->events().at(1).serialNumber, QStringLiteral("S5"));
    QVERIFY(!model->canFetchMore(QModelIndex()));
}

void TestRegisterDock::stationRowVehicle_data()
{
    QTest::addColumn<bool>("serialKnown");
    QTest::addColumn<QString>("imei");
    QTest::newRow("given as the port appears") << false << QStringLiteral("866104020000051");
    QTest::newRow("given once the serial number shows, no IMEI") << true << QString();
}

// "Указать ТС…" on a station row: the vehicle is on the terminal's `provisioned` event and
// remembered for its later ones. A terminal without an IMEI is `connected` all the same.
void TestRegisterDock::stationRowVehicle()
{
#ifndef KVT_SIM_PATH
    QSKIP("no simulator");
#else
    QFETCH(bool, serialKnown);
    QFETCH(QString, imei);
    QTemporaryDir dir;
    qputenv("KVT_REGISTER", QFile::encodeName(dir.filePath(QStringLiteral("register.sqlite"))));
    const QString serial = serialKnown ? QStringLiteral("500002") : QStringLiteral("500001");
    const QString vehicle = QStringLiteral("А 777 АА 77 'гараж 5'");
    MainWindow w;
    StationPanel *panel = w.provisioningStation();
    ProvisionStation *station = panel->station();
    const QString link = dir.filePath(QStringLiteral("port"));
    station->setPortSource(listing({terminalPort(link)}));
    station->setPollInterval(100);
    const QString settingsPath = dir.filePath(QStringLiteral("fleet.json"));
    QFile f(settingsPath);
    QVERIFY(f.open(QIODevice::WriteOnly));
    const QByteArray fleet = R"({"format": "kvt-logger-settings", "version": 1, "terminal": {"model": "KVT3"},
                                 "fields": {"apn1Edit": "fleet.apn"}})";
    f.write(fleet);
    f.close();
    QString error;
    QVERIFY2(station->start(readSettingsFile(fleet), settingsPath, QStringLiteral("482915"), &error),
             qPrintable(error));
    // each answer a while in coming: the vehicle is given before the terminal's line
    LinkedSimulator sim({"--serial", serial, "--imei", imei, "--answer-delay", "150"}, link);
    QTableWidget *table = panel->table();
    QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), 1, 5000);
    if (serialKnown)
        QTRY_VERIFY_WITH_TIMEOUT(!table->item(0, 1)->text().isEmpty(), 5000);
    QVERIFY(station->finishedCount() == 0);
    table->setCurrentCell(0, 0);
    answerInputDialog(vehicle);
    QVERIFY(table->actions().contains(panel->vehicleAction()));
    panel->vehicleAction()->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(station->finishedCount(), 1, 20000);
    QCOMPARE(station->confirmedCount(), 1);
    const QVector<RegisterEvent> provisioned = eventsOf(serial, QStringLiteral("provisioned"));
    QCOMPARE(provisioned.size(), 1);
    QCOMPARE(provisioned.first().vehicle, vehicle);
    QCOMPARE(w.installationRegister()->vehicleFor(serial), vehicle);
    const QVector<RegisterEvent> connected = eventsOf(serial, QStringLiteral("connected"));
    QCOMPARE(connected.size(), 1);
    QCOMPARE(connected.first().imei, imei);
    station->stop();
#endif
}

void TestRegisterDock::connectedWithoutImei_data()
{
    QTest::addColumn<QString>("imei");
    QTest::newRow("no IMEI") << QString();
    QTest::newRow("with IMEI") << QStringLiteral("866104020000077");
}

// The window's `connected` once the serial number is known: with the IMEI that comes with it,
// and without one from a terminal that tells none.
void TestRegisterDock::connectedWithoutImei()
{
#ifndef KVT_SIM_PATH
    QSKIP("no simulator");
#else
    QFETCH(QString, imei);
    QTemporaryDir dir;
    qputenv("KVT_REGISTER", QFile::encodeName(dir.filePath(QStringLiteral("register.sqlite"))));
    const QString serial = imei.isEmpty() ? QStringLiteral("510001") : QStringLiteral("510002");
    MainWindow w;
    w.installationRegister()->setImeiWait(300);
    LinkedSimulator sim({"--serial", serial, "--imei", imei});
    connectTo(w, sim.link);
    QTRY_COMPARE_WITH_TIMEOUT(eventsOf(serial, QStringLiteral("connected")).size(), 1, 10000);
    QCOMPARE(eventsOf(serial, QStringLiteral("connected")).first().imei, imei);
    // once per terminal in a run, whatever it reports again
    QTest::qWait(2 * w.installationRegister()->imeiWait());
    QCOMPARE(eventsOf(serial, QStringLiteral("connected")).size(), 1);
#endif
}

void TestRegisterDock::writeAfterReconnect_data()
{
    QTest::addColumn<QString>("again");   // what the terminal says once the line is back
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("imei");
    QTest::newRow("same terminal, not read again yet") << "" << "510009" << "866104020000099";
    QTest::newRow("same terminal, serial read again") << ">DN=510009\\r\\n" << "510009" << "866104020000099";
    QTest::newRow("another terminal") << ">DN=510010\\r\\n" << "510010" << "";
}

// A write that ends just after the line was lost and opened again: its event names the
// terminal on the port (the one before unless another has said who it is), never nobody.
void TestRegisterDock::writeAfterReconnect()
{
    QFETCH(QString, again);
    QFETCH(QString, serial);
    QFETCH(QString, imei);
    QTemporaryDir dir;
    qputenv("KVT_REGISTER", QFile::encodeName(dir.filePath(QStringLiteral("register.sqlite"))));
    QMainWindow window;
    RegisterController controller(&window, nullptr, nullptr, window.statusBar());
    TerminalSession session;
    SettingsPage page;
    controller.watchSession(&session);
    controller.watchSettingsPage(&page, &session);
    const auto terminal = [](const QString &says) {
        auto *p = new QProcess;
        p->start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("printf '%1'; cat").arg(says)});
        return p;
    };
    std::unique_ptr<QProcess> before(terminal(">DI=31;0;70\\r\\n>DN=510009\\r\\n>MN=866104020000099\\r\\n"));
    QVERIFY(before->waitForStarted());
    session.attach(before.get());
    QTRY_COMPARE(session.identity().imei, QStringLiteral("866104020000099"));
    session.closeAndWait();
    QVERIFY(session.identity().serialNumber.isEmpty());
    std::unique_ptr<QProcess> after(terminal(again));
    QVERIFY(after->waitForStarted());
    session.attach(after.get());
    if (!again.isEmpty())
        QTRY_VERIFY(!session.identity().serialNumber.isEmpty());
    emit page.writeFinished(WriteOutcome::WrongPassword, {});
    const QVector<RegisterEvent> written = eventsOf(serial, QStringLiteral("settings-written"));
    QCOMPARE(written.size(), 1);
    QCOMPARE(written.first().imei, imei);
    QCOMPARE(written.first().result, QStringLiteral("wrong-password"));
    for (QProcess *p : {before.get(), after.get()}) {
        p->kill();
        p->waitForFinished();
    }
}

void TestRegisterDock::kindAndResultInWords_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QStringList>("differing");
    QTest::addColumn<QString>("kindShown");
    QTest::addColumn<QString>("resultShown");
    QTest::newRow("wrong password") << "settings-written" << "wrong-password" << QStringList()
                                    << "запись настроек" << "не принято терминалом: проверьте пароль доступа";
    QTest::newRow("differing named") << "settings-written" << "not-confirmed" << QStringList{"APN", "сервер"}
                                     << "запись настроек" << "не подтверждено, отличаются: APN, сервер";
    QTest::newRow("why not in the event") << "provisioned" << "other-model" << QStringList()
                                          << "настройка" << "не записано";
    QTest::newRow("firmware") << "firmware-updated" << "firmware-failed" << QStringList()
                              << "обновление ПО" << "ПО не обновлено";
    QTest::newRow("report") << "report-saved" << "saved" << QStringList() << "отчёт сохранён" << "сохранён";
    QTest::newRow("unknown codes") << "moved" << "lost" << QStringList() << "moved" << "lost";
}

// The table tells kinds and results in words, their codes as tool tip; CSV keeps the codes.
void TestRegisterDock::kindAndResultInWords()
{
    QFETCH(QString, kind);
    QFETCH(QString, result);
    QFETCH(QStringList, differing);
    QFETCH(QString, kindShown);
    QFETCH(QString, resultShown);
    RegisterEvent e = eventAt(QStringLiteral("S9"), 1);
    e.kind = kind;
    e.result = result;
    if (!differing.isEmpty())
        e.details = QJsonObject{{QStringLiteral("differing"), QJsonArray::fromStringList(differing)}};
    RegisterTableModel model;
    model.showEvents({e});
    QCOMPARE(model.index(0, 1).data().toString(), kindShown);
    QCOMPARE(model.index(0, 6).data().toString(), resultShown);
    QCOMPARE(model.index(0, 1).data(Qt::ToolTipRole).toString(), kind);
    QCOMPARE(model.index(0, 6).data(Qt::ToolTipRole).toString(), result);
    QVERIFY2(model.csv().contains(QStringLiteral(",%1,S9,").arg(kind).toUtf8()), model.csv().constData());
    QVERIFY(model.csv().contains(QStringLiteral(",%1,").arg(result).toUtf8()));
}

QTEST_MAIN(TestRegisterDock)
#include "tst_register_dock.moc"
