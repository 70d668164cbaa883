// The terminal session alone, without widgets, against the simulator over a real
// pseudo-terminal: identity, restart, waiting and opening again, also under another port name
// with the same USB serial number.
#include "link/commands.h"
#include "link/terminalsession.h"
#include "simutil.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// a terminal without live records: only what the test asks for comes
bool startSim(QProcess &sim, const QString &link, const QStringList &args = {})
{
#ifdef KVT_SIM_PATH
    return startSimulator(sim, link, QStringList{QStringLiteral("--rate"), QStringLiteral("0")} + args);
#else
    Q_UNUSED(sim) Q_UNUSED(link) Q_UNUSED(args)
    return false;
#endif
}
} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
#ifndef KVT_SIM_PATH
        QSKIP("the terminal simulator is built on POSIX systems only");
#endif
    }
    void identityRestartAndBack();
    void backUnderAnotherName();
    void anyDeviceUnderneath();
};

void TestSession::identityRestartAndBack()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("port"));
    QProcess sim;
    QVERIFY(startSim(sim, link, {QStringLiteral("--fw"), QStringLiteral("0.05"),
                                 QStringLiteral("--restart-delay"), QStringLiteral("0.5")}));
    qputenv("KVT_SIMULATOR_PORT", link.toLocal8Bit());
    TerminalSession session;
    QSignalSpy opened(&session, &TerminalSession::opened);
    QSignalSpy restarted(&session, &TerminalSession::restarted);
    QSignalSpy waiting(&session, &TerminalSession::waiting);
    QVERIFY(session.open(LineSettings{link}));
    QCOMPARE(opened.count(), 1);
    session.send(Command::identity);
    QTRY_COMPARE_WITH_TIMEOUT(session.identity().imei, QStringLiteral("866104023456789"), 5000);
    QCOMPARE(session.identity().model, 31u);
    QCOMPARE(session.identity().serialNumber, QStringLiteral("201745"));
    // 0.05: minor 5, older than 0.25 and than 0.64
    QCOMPARE(session.identity().firmware.minor, 5u);
    QVERIFY(session.identity().firmware.isOlderThan(0, 25));

    session.send(Command::restart);
    QTRY_COMPARE_WITH_TIMEOUT(restarted.count(), 1, 5000);
    QCOMPARE(restarted.at(0).at(0).toBool(), true);
    QVERIFY(!session.isOpen());
    QCOMPARE(waiting.count(), 1);
    QCOMPARE(session.identity().model, 0u);
    QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 2, 8000);
    QVERIFY(session.isOpen());
    session.send(Command::identity);
    QTRY_COMPARE_WITH_TIMEOUT(session.identity().model, 31u, 5000);
    sim.terminate();
    sim.waitForFinished();
    qunsetenv("KVT_SIMULATOR_PORT");
}

// A terminal that re-enumerates after a restart or a firmware update comes back on another
// port with the same USB serial number: the session opens that port.
void TestSession::backUnderAnotherName()
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a"));
    const QString b = dir.filePath(QStringLiteral("b"));
    qputenv("KVT_SIMULATOR_PORT", (a + QStringLiteral("#KVT000123:") + b
                                   + QStringLiteral("#KVT000123")).toLocal8Bit());
    QProcess first;
    QVERIFY(startSim(first, a));
    TerminalSession session;
    QSignalSpy opened(&session, &TerminalSession::opened);
    QSignalSpy lost(&session, &TerminalSession::lost);
    QVERIFY(session.open(LineSettings{a}));
    QCOMPARE(session.connectedPort().serialNumber, QStringLiteral("KVT000123"));

    first.terminate();   // unplugged
    first.waitForFinished();
    QTRY_COMPARE_WITH_TIMEOUT(lost.count(), 1, 5000);
    QVERIFY(session.isWaiting());
    QProcess second;
    QVERIFY(startSim(second, b));
    QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 2, 5000);
    QCOMPARE(opened.at(1).at(0).toString(), b);
    session.send(Command::identity);
    QTRY_COMPARE_WITH_TIMEOUT(session.identity().model, 31u, 5000);
    second.terminate();
    second.waitForFinished();
    qunsetenv("KVT_SIMULATOR_PORT");
}

// Not only a serial port: any open device (a recording played back, a process, a socket) is
// read and framed alike, and what is sent goes to it.
void TestSession::anyDeviceUnderneath()
{
    QProcess terminal;   // says who it is, then echoes what it is sent
    terminal.start(QStringLiteral("sh"),
                   {QStringLiteral("-c"), QStringLiteral("printf '>DI=31;0;70\\r\\n'; cat")});
    QVERIFY(terminal.waitForStarted());
    TerminalSession session;
    QSignalSpy opened(&session, &TerminalSession::opened);
    QSignalSpy received(&session, &TerminalSession::received);
    session.attach(&terminal);
    QCOMPARE(opened.count(), 1);
    QTRY_COMPARE(session.identity().model, 31u);
    QVERIFY(session.send(">DN=42\r\n") > 0);
    QTRY_COMPARE(session.identity().serialNumber, QStringLiteral("42"));
    QVERIFY(received.count() >= 2);
    terminal.kill();
    terminal.waitForFinished();
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
