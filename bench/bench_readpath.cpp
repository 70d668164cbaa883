// The whole read path through a real main window, offscreen: the serial port's readyRead(),
// MainWindow::readData() (status bar, terminal log, framing, dispatch, the decoders writing
// the page widgets) and the painting the event loop does in between.
//
// How it is driven: a thread writes the busy-terminal record mix into the master side of a
// pseudo-terminal as fast as the line takes it, the way a USB terminal fills the port; the
// window has the slave side open as its COM port and reads it in its own event loop. The
// port's read buffer is limited to the chunk size under test, so each readyRead() hands
// readData() exactly one chunk of 64 B or 4 KiB (the driver of a busy USB line delivers
// chunks of that kind). Nothing is called on the window directly.
#include "app/startup.h"
#include "bench/harness.h"
#include "bench/recordmix.h"
#include "terminal/console.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTranslator>

#include <atomic>
#include <memory>
#include <thread>

#include <poll.h>
#include <time.h>

namespace {

// --charts: the window has its charts dock open as well, drawing what the records bring
bool chartsShown = false;
// --stamps: the log shows each line's arrival time (its "Вид" menu's time stamps)
bool stampsShown = false;

const QByteArray &mix()
{
    static const QByteArray data = bench::busyTerminalMix(4 * 1024 * 1024);
    return data;
}

// The first whole lines of the mix, at most maxBytes.
QByteArray wholeLines(int maxBytes)
{
    const QByteArray head = mix().left(maxBytes);
    return head.left(head.lastIndexOf('\n') + 1);
}

double cpuSeconds(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}
double threadCpuSeconds() { return cpuSeconds(CLOCK_THREAD_CPUTIME_ID); }

struct ReadPath
{
    Pty pty;
    MainWindow window;
    std::unique_ptr<bench::ReadCounter> counter;
    bool ok = false;
    double guiCpuSeconds = 0;   // CPU time the GUI thread spent streaming
    double writerCpuSeconds = 0;   // CPU time of the thread that fills the pseudo-terminal
    double processCpuSeconds = 0;  // CPU time of the whole process meanwhile

    explicit ReadPath(int chunkSize)
    {
        bench::showLikeTheProgram(window);
        if (chartsShown) {
            if (auto *dock = window.findChild<QDockWidget *>(QStringLiteral("chartsDock")))
                dock->show();
            QCoreApplication::processEvents();
        }
        // set either way: the choice is remembered from run to run
        if (auto *stamps = window.findChild<QAction *>(QStringLiteral("timeStampsAction")))
            stamps->setChecked(stampsShown);
        connectTo(window, pty.slavePath);
        ok = window.serialPort()->isOpen();
        if (!ok)
            return;
        counter = std::make_unique<bench::ReadCounter>(window);
        window.serialPort()->setReadBufferSize(chunkSize);
        pty.drain();   // the identity request the window sent on connecting
    }

    Console *console() const { return window.terminalPanel()->logConsole(); }

    // Brings the log to its line cap with the record mix, straight through the terminal
    // panel (the read path is not what is measured here).
    void fillLog()
    {
        const QByteArray &data = mix();
        int lines = 0;
        for (int pos = 0; lines < Console::MaxLines + 1000; pos = (pos + 65536) % data.size()) {
            const QByteArray slice = data.mid(pos, 65536);
            window.terminalPanel()->showReceived(slice);
            lines += bench::countLines(slice);
        }
        QCoreApplication::processEvents();
    }

    // Streams data `times` times through the pseudo-terminal and runs the event loop until
    // readData() has taken every byte. False if that did not happen within the time limit.
    bool stream(const QByteArray &data, int times = 1, int limitMs = 600000)
    {
        const quint64 target = counter->bytes + quint64(data.size()) * quint64(times);
        std::atomic<bool> stop{false};
        const int fd = pty.master;
        std::atomic<double> writerCpu{0};
        std::thread writer([&] {
            const double writerStart = threadCpuSeconds();
            for (int t = 0; t < times && !stop; ++t) {
                qint64 done = 0;
                while (done < data.size() && !stop) {
                    pollfd p{fd, POLLOUT, 0};
                    if (::poll(&p, 1, 100) <= 0)
                        continue;
                    const ssize_t n = ::write(fd, data.constData() + done,
                                              size_t(qMin<qint64>(data.size() - done, 65536)));
                    if (n > 0)
                        done += n;
                }
            }
            writerCpu = threadCpuSeconds() - writerStart;
        });
        QTimer keepAwake;   // wakes the loop now and then to check the time limit
        keepAwake.start(100);
        QElapsedTimer clock;
        clock.start();
        const double cpuStart = threadCpuSeconds();
        const double processStart = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        while (counter->bytes < target && clock.elapsed() < limitMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        guiCpuSeconds += threadCpuSeconds() - cpuStart;
        stop = true;
        writer.join();
        processCpuSeconds += cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart;
        writerCpuSeconds += writerCpu;
        return counter->bytes == target;
    }
};

void setCounters(benchmark::State &state, double bytes, double records, const ReadPath &rp)
{
    state.SetBytesProcessed(int64_t(bytes));
    state.counters["MB_per_s"] = benchmark::Counter(bytes / 1e6, benchmark::Counter::kIsRate);
    state.counters["records_per_s"] = benchmark::Counter(records, benchmark::Counter::kIsRate);
    // what the GUI thread could take with a core of its own: bytes per second of its CPU time
    state.counters["MB_per_gui_cpu_s"] = bytes / 1e6 / qMax(1e-9, rp.guiCpuSeconds);
    // CPU seconds per MB of the window's threads (the GUI thread and the recording's writer;
    // the thread that fills the pseudo-terminal is left out)
    state.counters["cpu_s_per_MB"] =
        (rp.processCpuSeconds - rp.writerCpuSeconds) / qMax(1e-9, bytes / 1e6);
    state.counters["bytes_per_read"] =
        double(rp.counter->bytes) / double(qMax<quint64>(1, rp.counter->reads));
}

// range(0): chunk size; range(1): 0 = the log starts empty, 1 = the log is at its cap;
// range(2): 1 = recording to a file (in the temporary folder) all the while.
void BM_ReadPath(benchmark::State &state)
{
    const int chunk = int(state.range(0));
    const bool full = state.range(1) != 0;
    const bool record = state.range(2) != 0;
    ReadPath rp(chunk);
    if (!rp.ok) {
        state.SkipWithError("the window could not open the pseudo-terminal");
        return;
    }
    if (full)
        rp.fillLog();
    QTemporaryDir dir;
    if (record && !rp.window.terminalPanel()->startRecording(dir.filePath(QStringLiteral("record.log")))) {
        state.SkipWithError("recording could not start");
        return;
    }
    // well below 65535 lines (the mix averages about 14 bytes a line), so a log that starts
    // empty does not reach its cap
    const QByteArray block = wholeLines(chunk < 1024 ? 256 * 1024 : 512 * 1024);
    const double records = bench::countLines(block);
    rp.counter->bytes = rp.counter->reads = 0;

    for (auto _ : state) {
        if (!full) {
            state.PauseTiming();
            rp.console()->clear();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        if (!rp.stream(block)) {
            state.SkipWithError("readData() did not get every byte in time");
            return;
        }
    }
    setCounters(state, double(block.size()) * state.iterations(), records * state.iterations(), rp);
    state.counters["log_lines"] = rp.console()->toPlainText().count(QLatin1Char('\n')) + 1;
    if (record) {
        // what the writer thread still has queued is written out here, outside the timing;
        // drain_ms shows how far behind the line it was
        QElapsedTimer drain;
        drain.start();
        rp.window.terminalPanel()->stopRecording();
        state.counters["drain_ms"] = double(drain.elapsed());
        state.counters["record_MB"] = double(QFileInfo(dir.filePath(QStringLiteral("record.log"))).size()) / 1e6;
    }
}

// Resident memory once 200 MB have gone through the read path in 4 KiB chunks, against the
// resident size of the shown, connected window before the first byte.
void BM_ReadPathMemory(benchmark::State &state)
{
    ReadPath rp(4096);
    if (!rp.ok) {
        state.SkipWithError("the window could not open the pseudo-terminal");
        return;
    }
    const QByteArray block = wholeLines(4 * 1024 * 1024);
    const int times = int((200e6 + block.size() - 1) / block.size());
    const double startup = bench::procStatusMB("VmRSS");
    const bool peakReset = bench::resetPeakRss();
    for (auto _ : state) {
        if (!rp.stream(block, times)) {
            state.SkipWithError("readData() did not get every byte in time");
            return;
        }
    }
    const double peak = bench::procStatusMB("VmHWM");
    const double now = bench::procStatusMB("VmRSS");
    setCounters(state, double(block.size()) * times, double(bench::countLines(block)) * times, rp);
    state.counters["streamed_MB"] = double(block.size()) * times / 1e6;
    state.counters["startup_rss_MB"] = startup;
    state.counters["peak_growth_MB"] = peak - startup;
    state.counters["rss_growth_MB"] = now - startup;
    state.counters["peak_reset"] = peakReset ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTranslator translator;
    setUpApplication(app, translator);
    // --quick: one short run of each, for profiling under callgrind or perf
    bool quick = false;
    for (int i = 1; i < argc;) {
        const bool isQuick = qstrcmp(argv[i], "--quick") == 0;
        const bool isCharts = qstrcmp(argv[i], "--charts") == 0;
        const bool isStamps = qstrcmp(argv[i], "--stamps") == 0;
        if (!isQuick && !isCharts && !isStamps) {
            ++i;
            continue;
        }
        quick = quick || isQuick;
        chartsShown = chartsShown || isCharts;
        stampsShown = stampsShown || isStamps;
        for (int j = i; j < argc; ++j)
            argv[j] = argv[j + 1];
        --argc;
    }
    auto *readPath = benchmark::RegisterBenchmark("BM_ReadPath", BM_ReadPath);
    readPath->ArgNames({"chunk", "full", "record"})
        ->ArgsProduct({{64, 4096}, {0, 1}, {0}})
        ->Args({64, 1, 1})
        ->Args({4096, 1, 1})
        ->Iterations(quick ? 1 : 4)
        ->Repetitions(quick ? 1 : 3)
        ->ReportAggregatesOnly(!quick)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ReadPathMemory", BM_ReadPathMemory)
        ->Iterations(1)
        ->UseRealTime()
        ->Unit(benchmark::kSecond);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
