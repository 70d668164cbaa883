// End to end: the simulator's flood mode over a pseudo-terminal into a running main window
// (offscreen, log dock open), for a while, then a check that every byte the simulator
// wrote reached readData() and how long the GUI thread was away from its event loop.
//
//   flood_e2e [--seconds N] [--sim PATH] [--stamps] [--charts] [--record] [--no-check]
//
// --stamps shows the log's time stamps, --charts opens the charts dock, --record records the
// line into a file (in the temporary folder) all the while. Also printed: the CPU time of
// the whole process per MB taken (the numbering check on every chunk included unless
// --no-check leaves it out: then only the byte counts are compared) and the resident size
// before and after. Offscreen unless QT_QPA_PLATFORM names a platform.
//
// The bytes sent are what the simulator process wrote (wchar of /proc/<pid>/io) less its
// stdout lines; the bytes received are what readData() took. The flood numbering (">RW=n;n",
// n counting up from 1) is checked on a copy of each chunk, so a lost or mangled line shows
// even where the byte counts agree. Exit status 1 when a byte or a line went missing.
#include "app/startup.h"
#include "bench/harness.h"
#include "link/framing.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTranslator>

#include <csignal>
#include <ctime>
#include <cstdio>

#ifndef KVT_SIM_PATH
#define KVT_SIM_PATH "kvt-sim"
#endif

namespace {

// Checks the flood numbering: every ">RW=n;n" line carries the number after the last one.
// (The answers to the window's identity request, RW with two different counters among
// them, come in between and are skipped.)
struct FloodChecker
{
    LineFramer framer;
    quint64 lastSeq = 0;
    quint64 records = 0;
    quint64 gaps = 0;

    void feed(const QByteArray &chunk)
    {
        framer.feed(chunk, [this](const RecordLine &r) {
            ++records;
            if (r.name != "RW" || r.field[0] != r.field[1])
                return;
            const quint64 n = r.field[0].toULongLong();
            if (n != lastSeq + 1)
                ++gaps;
            lastSeq = n;
        });
    }
};

// Longest time between two ticks of a 1 ms timer: how long the GUI thread stayed away from
// its event loop.
struct StallMeter
{
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longestNs = 0;
    qint64 longestAtNs = 0;   // when the longest gap ended, from the start of the run
    int over20ms = 0;
    int over50ms = 0;

    StallMeter()
    {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(1);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = clock.nsecsElapsed();
            const qint64 gap = now - last;
            last = now;
            if (gap > longestNs) {
                longestNs = gap;
                longestAtNs = now;
            }
            over20ms += gap > 20000000;
            over50ms += gap > 50000000;
        });
        clock.start();
        timer.start();
    }
};

} // namespace

int main(int argc, char **argv)
{
    // offscreen unless a platform is named (xcb on an X server, to compare with another program)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTranslator translator;
    setUpApplication(app, translator);

    int seconds = 30;
    bool stamps = false;
    bool charts = false;
    bool record = false;
    bool check = true;
    QString simPath = QStringLiteral(KVT_SIM_PATH);
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--seconds") && i + 1 < args.size())
            seconds = args[++i].toInt();
        else if (args[i] == QLatin1String("--sim") && i + 1 < args.size())
            simPath = args[++i];
        else if (args[i] == QLatin1String("--stamps"))
            stamps = true;
        else if (args[i] == QLatin1String("--charts"))
            charts = true;
        else if (args[i] == QLatin1String("--record"))
            record = true;
        else if (args[i] == QLatin1String("--no-check"))
            check = false;
        else {
            std::fprintf(stderr, "usage: flood_e2e [--seconds N] [--sim PATH] [--stamps] [--charts] "
                                 "[--record] [--no-check]\n");
            return 2;
        }
    }

    QProcess sim;
    sim.setProgram(simPath);
    sim.setArguments({QStringLiteral("--flood"), QStringLiteral("--quiet")});
    sim.setProcessChannelMode(QProcess::SeparateChannels);
    sim.start();
    if (!sim.waitForStarted(5000)) {
        std::fprintf(stderr, "flood_e2e: cannot start %s\n", qPrintable(simPath));
        return 2;
    }
    qint64 simStdout = 0;
    QString port;
    while (port.isEmpty() && sim.waitForReadyRead(5000)) {
        while (sim.canReadLine()) {
            const QByteArray line = sim.readLine();
            simStdout += line.size();
            if (line.startsWith("PORT "))
                port = QString::fromLocal8Bit(line.mid(5).trimmed());
        }
    }
    if (port.isEmpty()) {
        std::fprintf(stderr, "flood_e2e: the simulator named no port\n");
        return 2;
    }

    MainWindow window;
    bench::showLikeTheProgram(window);
    // set either way: the choice is remembered from run to run
    if (auto *action = window.findChild<QAction *>(QStringLiteral("timeStampsAction")))
        action->setChecked(stamps);
    if (charts) {
        if (auto *dock = window.findChild<QDockWidget *>(QStringLiteral("chartsDock")))
            dock->show();
        QCoreApplication::processEvents();
    }
    connectTo(window, port);
    if (!window.serialPort()->isOpen()) {
        std::fprintf(stderr, "flood_e2e: the window could not open %s\n", qPrintable(port));
        return 2;
    }
    bench::ReadCounter counter(window);
    FloodChecker checker;
    if (check)
        counter.onRead = [&checker](QSerialPort *p, qint64 n) { checker.feed(p->peek(n)); };

    QTemporaryDir recordDir;
    if (record && !window.terminalPanel()->startRecording(recordDir.filePath(QStringLiteral("record.log")))) {
        std::fprintf(stderr, "flood_e2e: the recording could not start\n");
        return 2;
    }
    const auto cpuSeconds = [] {
        timespec ts{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
    };
    const double rssStart = bench::procStatusMB("VmRSS");
    const double cpuStart = cpuSeconds();
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < seconds * 1000LL)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);

    // Stop the simulator where it is, then read what is still on the line.
    const qint64 pid = sim.processId();
    ::kill(pid_t(pid), SIGSTOP);
    const double runSeconds = clock.nsecsElapsed() / 1e9;
    const quint64 receivedInRun = counter.bytes;
    const double cpuInRun = cpuSeconds() - cpuStart;
    const double rssEnd = bench::procStatusMB("VmRSS");
    QCoreApplication::processEvents();   // (no blocking wait here: it would count as a stall)
    simStdout += sim.readAllStandardOutput().size();
    const qint64 sent = bench::bytesWrittenBy(pid) - simStdout;
    QElapsedTimer drain;
    drain.start();
    while (qint64(counter.bytes) < sent && drain.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const qint64 received = qint64(counter.bytes);
    ::kill(pid_t(pid), SIGCONT);
    sim.terminate();
    sim.waitForFinished(5000);

    const bool lost =
        sent < 0 || received != sent || checker.gaps != 0 || (check && checker.lastSeq == 0);
    std::printf("flood_e2e: %.1f s, simulator sent %lld B, readData took %lld B (%s)\n",
                runSeconds, sent, received, lost ? "LOST OR MISCOUNTED" : "nothing lost");
    std::printf("  throughput      %.2f MB/s, %.0f records/s (%llu reads, %.0f B per read)\n",
                receivedInRun / runSeconds / 1e6, checker.records / runSeconds,
                counter.reads, double(counter.bytes) / qMax<quint64>(1, counter.reads));
    std::printf("  CPU             %.3f s per MB (process, %.1f s in %.1f s), resident %.0f MB -> %.0f MB\n",
                cpuInRun / qMax(1e-9, receivedInRun / 1e6), cpuInRun, runSeconds, rssStart, rssEnd);
    std::printf("  flood numbering 1..%llu, %llu gaps\n", checker.lastSeq, checker.gaps);
    std::printf("  event loop      longest away %.1f ms (%.1f s into the run), %d times over 20 ms,"
                " %d over 50 ms\n",
                stalls.longestNs / 1e6, stalls.longestAtNs / 1e9, stalls.over20ms, stalls.over50ms);
    return lost ? 1 : 0;
}
