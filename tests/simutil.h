#pragma once
// Starting the terminal simulator for a test, without widgets.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

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
