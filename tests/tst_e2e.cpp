// The program and the terminal simulator over a real pseudo-terminal, as with a terminal on a
// COM port: connect, identity request, records framed and dispatched, the log, the restart.
#include "mainwindow/mainwindow.h"
#include "terminal/console.h"
#include "terminal/terminal.h"
#include "testutil.h"

#include <QAction>
#include <QLineEdit>
#include <QProcess>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

class Simulator
{
public:
    explicit Simulator(const QStringList &args)
    {
#ifdef KVT_SIM_PATH
        link = dir.filePath(QStringLiteral("port"));
        proc.setProgram(QStringLiteral(KVT_SIM_PATH));
        proc.setArguments(QStringList{QStringLiteral("--link"), link} + args);
        proc.setProcessChannelMode(QProcess::SeparateChannels);
        proc.start();
        proc.waitForStarted();
        QElapsedTimer t;
        t.start();
        while (!QFile::exists(link) && t.elapsed() < 5000)
            QTest::qWait(20);
#else
        Q_UNUSED(args)
#endif
    }
    ~Simulator()
    {
        proc.terminate();
        proc.waitForFinished(3000);
    }
    bool ready() const { return QFile::exists(link); }
    // how many times the simulator has announced a line ("PORT <path>")
    int portsAnnounced()
    {
        out += proc.readAllStandardOutput();
        return out.count("PORT ");
    }
    QByteArray out;
    QString path() const { return QFileInfo(link).canonicalFilePath(); }

    QTemporaryDir dir;
    QString link;
    QProcess proc;
};

class TestEndToEnd : public QObject
{
    Q_OBJECT

    static QString status(MainWindow &w) { return w.statusBar()->currentMessage(); }
    static QString log(MainWindow &w) { return w.terminalPanel()->logConsole()->toPlainText(); }

private slots:
    void initTestCase()
    {
#ifndef KVT_SIM_PATH
        QSKIP("the terminal simulator is built on POSIX systems only");
#endif
    }
    void init() { setPortSource(nullptr); deviceModelCode = 0; }

    void connectAndReceive();
    void restartHangsUpAndComesBack();
};

void TestEndToEnd::connectAndReceive()
{
    Simulator sim({QStringLiteral("--rate"), QStringLiteral("200")});
    QVERIFY(sim.ready());
    MainWindow w;
    w.show();
    QStringList messages;
    connect(w.statusBar(), &QStatusBar::messageChanged, this,
            [&](const QString &m) { messages << m; });
    // the program finds the simulator through the environment, as the run command sets it
    qputenv("KVT_SIMULATOR_PORT", sim.link.toLocal8Bit());
    w.portSettingsDialog()->findChild<QPushButton *>(QStringLiteral("refreshButton"))->click();
    w.portSettingsDialog()->findChild<QPushButton *>(QStringLiteral("applyButton"))->click();
    qunsetenv("KVT_SIMULATOR_PORT");
    QVERIFY(w.serialPort()->isOpen());

    // the simulator answers the identity request; the log shows the traffic
    QTRY_VERIFY_WITH_TIMEOUT(log(w).contains(QLatin1String(">DI=")), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(log(w).contains(QLatin1String(">DN=")), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(log(w).contains(QLatin1String(">TW=")), 5000);
    const QRegularExpression chunkText(QStringLiteral("^\\d{1,2}:\\d{1,2}:\\d{1,2} \\| \\d+ B$"));
    QVERIFY(!messages.filter(chunkText).isEmpty());
    // the identity record reached its decoder: the model code is known
    QTRY_VERIFY_WITH_TIMEOUT(deviceModelCode != 0, 5000);

    // the page fills from the terminal's records
    for (const char *name : {"modelEdit", "serialNumberEdit", "imeiEdit", "firmwareVersionEdit",
                             "deviceTimeEdit", "latitudeEdit", "longitudeEdit"}) {
        auto *edit = w.findChild<QLineEdit *>(QString::fromLatin1(name));
        QVERIFY2(edit, name);
        QTRY_VERIFY2_WITH_TIMEOUT(!edit->text().isEmpty(), name, 5000);
    }

    w.findChild<QAction *>(QStringLiteral("actionDisconnect"))->trigger();
    QCOMPARE(status(w), QStringLiteral("Disconnected"));
}

void TestEndToEnd::restartHangsUpAndComesBack()
{
    Simulator sim({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--restart-delay"),
                   QStringLiteral("1")});
    QVERIFY(sim.ready());
    QTRY_COMPARE(sim.portsAnnounced(), 1);
    MainWindow w;
    connectTo(w, sim.link);
    QVERIFY(w.serialPort()->isOpen());
    QTRY_VERIFY_WITH_TIMEOUT(log(w).contains(QLatin1String(">DI=")), 5000);

    const int before = log(w).count(QLatin1String(">DI="));
    ModalCloser closer;
    w.findChild<QAction *>(QStringLiteral("actionRestart_Device"))->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!w.serialPort()->isOpen(), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(status(w), QStringLiteral("Ожидание терминала…"), 5000);
    QVERIFY(closer.texts.size() >= 1);
    QVERIFY(closer.texts.first().startsWith(QStringLiteral("Устройство перезагружено")));
    QCOMPARE(deviceModelCode, 0u);

    // the terminal comes back on a new line, and the window opens it again by itself
    QTRY_VERIFY_WITH_TIMEOUT(sim.portsAnnounced() == 2, 8000);
    QElapsedTimer back;
    back.start();
    QTRY_VERIFY_WITH_TIMEOUT(w.serialPort()->isOpen(), 3000);
    QVERIFY2(back.elapsed() < 1000, "connected again more than a second after the port returned");
    QTRY_VERIFY_WITH_TIMEOUT(log(w).count(QLatin1String(">DI=")) > before, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(deviceModelCode != 0, 5000);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
