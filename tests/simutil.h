#pragma once
// Starting the terminal simulator for a test, without widgets.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
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
#endif
