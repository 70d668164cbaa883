// A recording played back: a recording of the simulator's record mix is made in the temporary
// folder (100 MB unless told), then
//  - `kvt-cli replay --json` decodes it into /dev/null: MB/s and its peak memory (ru_maxrss);
//  - a shown window (log and charts docks open) plays it as fast as it goes: MB/s, and its
//    resident size at each quarter of the file (flat when nothing grows with the file);
//  - a window, paused at the start, seeks to the end: seconds.
//
//   replay_bench [--mb N] [--cli PATH] [--keep FILE]
//
// The file is made the way the recorder writes: one ← line per record line, the recorder's
// escapes; as `kvt-cli record` of the simulator has it, the records of a tick (about 1 KiB,
// some 30 records) come in one chunk and share its time, ticks 100 ms apart.
#include "bench/harness.h"
#include "bench/recordmix.h"
#include "link/localtime.h"
#include "link/recorder.h"
#include "link/recordingplayer.h"
#include "replay/replaycontroller.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef KVT_CLI_PATH
#define KVT_CLI_PATH "kvt-cli"
#endif

namespace {

// Writes a recording of at least `megabytes` MB of the record mix; its size in bytes.
qint64 makeRecording(const QString &path, int megabytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return -1;
    const QByteArray mix = bench::busyTerminalMix(4 << 20);
    const QList<QByteArray> records = mix.split('\n');
    LocalTimeText clock;
    qint64 time = QDateTime(QDate(2026, 3, 14), QTime(9, 0)).toMSecsSinceEpoch();
    const qint64 target = qint64(megabytes) << 20;
    QByteArray out;
    qint64 written = 0;
    int burst = 0;
    while (written < target) {
        for (const QByteArray &r : records) {
            if (r.isEmpty())
                continue;
            const QByteArray line = r + '\n';
            clock.appendDateTime(time, out);
            out += " \xE2\x86\x90 ";
            Recorder::escape(line.constData(), line.size(), out);
            out += '\n';
            burst += line.size();
            if (burst >= 1024) {
                burst = 0;
                time += 100;
            }
            if (out.size() > (1 << 20)) {
                written += file.write(out);
                out.clear();
                if (written >= target)
                    break;
            }
        }
    }
    written += file.write(out);
    return written;
}

// CPU time of this process so far, in seconds (the GUI thread does nearly all of it).
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec
           + usage.ru_stime.tv_usec / 1e6;
}

void cliReplay(const QString &path, qint64 size, const char *cli)
{
    QElapsedTimer t;
    t.start();
    const pid_t pid = fork();
    if (pid == 0) {
        const QByteArray file = QFile::encodeName(path);
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execl(cli, cli, "replay", file.constData(), "--json", static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double seconds = t.elapsed() / 1000.0;
    const double cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6
                       + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
    std::printf("kvt-cli replay --json: %.1f MB in %.2f s = %.1f MB/s (%.1f MB per CPU s), "
                "peak memory %.1f MB, exit %d\n",
                size / 1048576.0, seconds, size / 1048576.0 / seconds, size / 1048576.0 / cpu,
                usage.ru_maxrss / 1024.0, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}

void showWithCharts(MainWindow &w)
{
    bench::showLikeTheProgram(w);
    if (auto *dock = w.findChild<QDockWidget *>(QStringLiteral("chartsDock")))
        dock->show();
    QCoreApplication::processEvents();
}

void windowPlays(const QString &path, qint64 size)
{
    MainWindow w;
    showWithCharts(w);
    const double startRss = bench::procStatusMB("VmRSS");
    RecordingPlayer *player = w.replayController()->player();
    QElapsedTimer t;
    t.start();
    const double cpu0 = cpuSeconds();
    if (!w.replayController()->openRecording(path))
        return;
    player->setSpeed(RecordingPlayer::Fastest);
    const qint64 span = player->lastTime() - player->firstTime();
    int quarter = 1;
    QString rss;
    while (!player->atEnd() || !player->isPaused()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (quarter <= 4 && player->position() - player->firstTime() >= span * quarter / 4) {
            rss += QStringLiteral(" %1").arg(bench::procStatusMB("VmRSS"), 0, 'f', 1);
            ++quarter;
        }
    }
    const double seconds = t.elapsed() / 1000.0;
    const double cpu = cpuSeconds() - cpu0;
    std::printf("window, as fast as it goes: %.1f MB in %.2f s = %.1f MB/s (%.1f MB per CPU s); "
                "RSS before %.1f MB, at each quarter%s MB\n",
                size / 1048576.0, seconds, size / 1048576.0 / seconds, size / 1048576.0 / cpu,
                startRss, qPrintable(rss));
}

void seekToEnd(const QString &path)
{
    MainWindow w;
    showWithCharts(w);
    RecordingPlayer *player = w.replayController()->player();
    if (!w.replayController()->openRecording(path))
        return;
    player->setPaused(true);
    QElapsedTimer t;
    t.start();
    const double cpu0 = cpuSeconds();
    player->seek(player->lastTime());
    while (player->isSeeking())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    std::printf("window, seek to the end: %.2f s (CPU %.2f s)\n", t.elapsed() / 1000.0,
                cpuSeconds() - cpu0);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int megabytes = 100;
    QString cli = QStringLiteral(KVT_CLI_PATH);
    QString keep;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--mb"))
            megabytes = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--cli"))
            cli = args.at(i + 1);
        else if (args.at(i) == QLatin1String("--keep"))
            keep = args.at(i + 1);
    }
    QTemporaryDir dir;
    const QString path = keep.isEmpty() ? dir.filePath(QStringLiteral("mix.txt")) : keep;
    QElapsedTimer t;
    t.start();
    const qint64 size = QFile::exists(path) && !keep.isEmpty() ? QFileInfo(path).size()
                                                               : makeRecording(path, megabytes);
    if (size <= 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("recording of the record mix: %.1f MB (made in %.1f s)\n", size / 1048576.0,
                t.elapsed() / 1000.0);
    std::fflush(stdout);
    cliReplay(path, size, QFile::encodeName(cli).constData());
    std::fflush(stdout);
    windowPlays(path, size);
    std::fflush(stdout);
    seekToEnd(path);
    return 0;
}
