#pragma once
// Starting the terminal simulator for a test, without widgets.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// What a program's run left: its exit code (-1 when it crashed, was killed or did not end in
// time) and both its outputs.
struct ProcessRun
{
    int status = -1;
    QByteArray out, err;
};

// Waits up to `ms` for a started program to end and takes its run; one that does not end by
// then is killed and its run is empty (status -1).
inline ProcessRun waitForRun(QProcess &p, int ms)
{
    ProcessRun run;
    if (p.error() == QProcess::FailedToStart)
        return run;
    if (p.state() != QProcess::NotRunning && !p.waitForFinished(ms)) {
        p.kill();
        p.waitForFinished();
        return run;
    }
    run.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

// Writes a test's input file whole (replacing one that is there); false when it cannot.
inline bool writeTestFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size()
           && f.flush();
}

#ifdef KVT_SIM_PATH
// Starts the terminal simulator with its port behind `link`; true once the port is there.
inline bool startSimulator(QProcess &sim, const QString &link, const QStringList &args)
{
    sim.start(QStringLiteral(KVT_SIM_PATH),
              QStringList{QStringLiteral("--link"), link, QStringLiteral("--quiet")} + args);
    if (!sim.waitForStarted())
        return false;
    QElapsedTimer t;
    t.start();
    while (!QFile::exists(link) && t.elapsed() < 5000)
        QTest::qWait(20);
    return QFile::exists(link);
}

// A simulated terminal behind a fixed link path, as a USB port keeps its name; in a folder of
// its own unless a path is given. Stopped when it goes.
struct LinkedSimulator
{
    explicit LinkedSimulator(const QStringList &args, const QString &path = QString())
        : link(path.isEmpty() ? dir.filePath(QStringLiteral("port")) : path)
    {
        startSimulator(proc, link, QStringList{"--rate", "0"} + args);
    }
    ~LinkedSimulator()
    {
        proc.terminate();
        proc.waitForFinished(3000);
    }
    QTemporaryDir dir;
    QString link;
    QProcess proc;
};
#endif
