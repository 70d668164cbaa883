// End to end: the provisioning station of a running main window (offscreen) sets up 1, then 8
// simulated terminals at once, each on its own pseudo-terminal with its live records on.
// Prints the wall time from the start to the last journal line for each count, their ratio,
// and the longest time the GUI thread was away from its event loop meanwhile.
//
//   station_e2e [--rounds N] [--answer-delay MS] [--no-dock] [--sim PATH]
//               [--register sqlite|postgresql|off]
//               [--flood BYTES_PER_S] [--hold S]
//
// The simulator answers at once unless --answer-delay is given: then the station's own work
// is all there is to wait for, and eight terminals take eight times its CPU time. A real
// terminal takes a while over each answer (its modem, its flash); --answer-delay 20 gives each
// simulated one that much.
//
// --flood makes every simulated terminal stream numbered records at that many bytes a second
// instead of its live records (a terminal on full-speed USB sends about 1200000); the station
// then keeps its terminals open for --hold seconds more (5 unless given) after the last
// journal line, and the line also gives the bytes a second the station took from all of them
// meanwhile and the longest stall while they were held.
//
// The window records the terminals' events into the installation register as the environment
// says (KVT_REGISTER), unless --register names one: a new SQLite file, a new database on a
// PostgreSQL server of the benchmark's own (tests/pgserver.h), or none at all (the station's
// events not handed to the register). With a register, the events it holds at the end are
// counted.
//
// Exit status 1 when a terminal was not confirmed.
#include "bench/harness.h"
#include "pgserver.h"
#include "register/installationregister.h"
#include "register/registercontroller.h"
#include "register/registerrecorder.h"
#include "station/provisionstation.h"
#include "station/stationpanel.h"
#include "settings/core_settingsfile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>

#ifndef KVT_SIM_PATH
#define KVT_SIM_PATH "kvt-sim"
#endif

namespace {

const char fleetFile[] =
    R"({"format": "kvt-logger-settings", "version": 1, "terminal": {"model": "KVT3"},
        "fields": {"apn1Edit": "fleet.apn", "monitoringServerEdit": "fleet.example"}})";

// The longest gap between two turns of the event loop, seen by a 5 ms timer.
struct StallMeter
{
    QTimer timer;
    QElapsedTimer since;
    qint64 longest = 0;
    StallMeter()
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            longest = std::max(longest, since.restart() - 5);
        });
    }
    void start()
    {
        longest = 0;
        since.start();
        timer.start();
    }
};

struct Round
{
    qint64 wallMs = -1;
    qint64 stallMs = 0;
    int confirmed = 0;
    double holdMBps = 0;   // with --flood: what the station took while it held the lines
    double holdCpuPerMB = 0;   // and the CPU seconds of the whole process per MB meanwhile
    qint64 holdStallMs = 0;    // and the longest stall meanwhile
};

Round provision(MainWindow &w, const QString &sim, int count, int answerDelayMs,
                qint64 floodRate, int holdSeconds)
{
    Round round;
    QTemporaryDir dir;
    QProcess simulator;
    const QString link = dir.filePath(QStringLiteral("terminal"));
    QStringList simArgs{"--count", QString::number(count), "--link", link, "--quiet",
                        "--answer-delay", QString::number(answerDelayMs)};
    if (floodRate > 0)
        simArgs << "--flood-rate" << QString::number(floodRate);
    simulator.start(sim, simArgs);
    QList<PortEntry> ports;
    for (int k = 1; k <= count; ++k)
        ports << terminalPort(link + QStringLiteral("-%1").arg(k));
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 5000
           && !std::all_of(ports.cbegin(), ports.cend(),
                           [](const PortEntry &p) { return QFile::exists(p.portName); }))
        QTest::qWait(20);
    // let the live records run a while, as on terminals plugged in a moment ago
    QTest::qWait(1500);

    QFile file(dir.filePath(QStringLiteral("fleet.json")));
    file.open(QIODevice::WriteOnly);
    file.write(fleetFile);
    file.close();
    ProvisionStation *station = w.provisioningStation()->station();
    station->setPortSource(listing(ports));
    StallMeter meter;
    meter.start();
    QElapsedTimer wall;
    wall.start();
    QString error;
    if (!station->start(readSettingsFile(fleetFile), file.fileName(), QStringLiteral("482915"),
                        &error)) {
        std::fprintf(stderr, "station: %s\n", qPrintable(error));
        return round;
    }
    QEventLoop loop;
    QObject::connect(station, &ProvisionStation::terminalFinished, &loop, [&] {
        if (station->finishedCount() >= count)
            loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (station->finishedCount() < count)
        loop.exec();
    round.wallMs = wall.elapsed();
    round.confirmed = station->confirmedCount();
    if (floodRate > 0) {
        const auto cpuSeconds = [] {
            timespec ts{};
            clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
            return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
        };
        const qint64 setUpStall = meter.longest;
        meter.longest = 0;
        const qint64 before = bench::bytesWrittenBy(simulator.processId());
        const double cpuBefore = cpuSeconds();
        QElapsedTimer hold;
        hold.start();
        while (hold.elapsed() < holdSeconds * 1000LL)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        const double mb = (bench::bytesWrittenBy(simulator.processId()) - before) / 1e6;
        round.holdMBps = mb / (hold.elapsed() / 1000.0);
        round.holdCpuPerMB = (cpuSeconds() - cpuBefore) / std::max(1e-9, mb);
        round.holdStallMs = meter.longest;
        meter.longest = std::max(meter.longest, setUpStall);
    }
    round.stallMs = meter.longest;
    station->stop();
    simulator.terminate();
    simulator.waitForFinished(3000);
    return round;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QString sim = QStringLiteral(KVT_SIM_PATH);
    int rounds = 3;
    int answerDelayMs = 0;
    QString registerMode;
    qint64 floodRate = 0;
    int holdSeconds = 5;
    const QStringList args = app.arguments();
    for (int k = 1; k + 1 < args.size(); ++k) {
        if (args[k] == QLatin1String("--sim"))
            sim = args[k + 1];
        else if (args[k] == QLatin1String("--rounds"))
            rounds = std::max(1, args[k + 1].toInt());
        else if (args[k] == QLatin1String("--answer-delay"))
            answerDelayMs = std::max(0, args[k + 1].toInt());
        else if (args[k] == QLatin1String("--flood"))
            floodRate = std::max<qint64>(0, args[k + 1].toLongLong());
        else if (args[k] == QLatin1String("--hold"))
            holdSeconds = std::max(0, args[k + 1].toInt());
        else if (args[k] == QLatin1String("--register"))
            registerMode = args[k + 1];
    }
    QTemporaryDir registerFolder;   // the register's file or the server's queue
    std::unique_ptr<PgServer> pg;
    if (registerMode == QLatin1String("sqlite") || registerMode == QLatin1String("postgresql")) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(registerFolder.path()));
        QString where = registerFolder.filePath(QStringLiteral("register.sqlite"));
        if (registerMode == QLatin1String("postgresql")) {
            pg = std::make_unique<PgServer>();
            QString error;
            if (PgServer::binaries().isEmpty() || !pg->start(&error)) {
                std::fprintf(stderr, "no PostgreSQL server: %s\n", qPrintable(error));
                return 1;
            }
            where = pg->newDatabase();
        }
        qputenv("KVT_REGISTER", where.toUtf8());
    } else if (!registerMode.isEmpty() && registerMode != QLatin1String("off")) {
        std::fprintf(stderr, "--register: sqlite, postgresql or off\n");
        return 2;
    }
    MainWindow w;
    RegisterController *reg = w.installationRegister();
    if (registerMode == QLatin1String("off")) {
        QObject::disconnect(w.provisioningStation()->station(), nullptr, reg, nullptr);
        QObject::disconnect(w.provisioningStation(), nullptr, reg, nullptr);
    }
    bench::showLikeTheProgram(w);
    if (!args.contains(QLatin1String("--no-dock")))
        w.findChild<QDockWidget *>(QStringLiteral("stationDock"))->show();

    bool allConfirmed = true;
    for (int r = 1; r <= rounds; ++r) {
        const Round one = provision(w, sim, 1, answerDelayMs, floodRate, holdSeconds);
        const Round eight = provision(w, sim, 8, answerDelayMs, floodRate, holdSeconds);
        allConfirmed = allConfirmed && one.confirmed == 1 && eight.confirmed == 8;
        std::printf("answer delay %d ms, round %d: 1 terminal %lld ms, 8 terminals %lld ms (ratio %.2f), "
                    "confirmed %d+%d, longest event-loop stall %lld ms\n",
                    answerDelayMs, r, static_cast<long long>(one.wallMs), static_cast<long long>(eight.wallMs),
                    one.wallMs > 0 ? double(eight.wallMs) / double(one.wallMs) : 0.0,
                    one.confirmed, eight.confirmed,
                    static_cast<long long>(std::max(one.stallMs, eight.stallMs)));
        if (floodRate > 0)
            std::printf("  flooding at %lld B/s each: 1 terminal held %.2f MB/s (%.3f CPU-s/MB, stall %lld ms), "
                        "8 terminals held %.2f MB/s (%.3f CPU-s/MB, stall %lld ms)\n",
                        static_cast<long long>(floodRate), one.holdMBps, one.holdCpuPerMB,
                        static_cast<long long>(one.holdStallMs), eight.holdMBps, eight.holdCpuPerMB,
                        static_cast<long long>(eight.holdStallMs));
        std::fflush(stdout);
    }
    if (registerMode != QLatin1String("off")) {
        const bool sent = reg->recorder()->syncAndWait(20000);
        InstallationRegister check(reg->recorder()->location());
        QString error;
        int events = 0;
        RegisterDatabase *db = check.database(&error);
        if (!db || !db->forEach(RegisterFilter(), [&events](const RegisterEvent &) { ++events; }, &error))
            std::fprintf(stderr, "register: %s\n", qPrintable(error));
        std::printf("register %s: %d events, %s\n", qPrintable(reg->recorder()->location().describe()), events,
                    sent ? "nothing queued" : "events still queued");
    } else {
        std::printf("register off: the station's events not recorded\n");
    }
    return allConfirmed ? 0 : 1;
}
