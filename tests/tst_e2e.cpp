// The program and the terminal simulator over a real pseudo-terminal, as with a terminal on a
// COM port: connect, identity request, records framed and dispatched, the log, the restart.
#include "mainwindow/mainwindow.h"
#include "terminal/console.h"
#include "terminal/terminal.h"
#include "link/recordrouter.h"
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
    void init() {}

    void connectAndReceive();
    void restartHangsUpAndComesBack();
    void readingGoesOnPastAnOpenBox_data();
    void readingGoesOnPastAnOpenBox();
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
    QTRY_VERIFY_WITH_TIMEOUT(modelCode(w) != 0, 5000);

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
    QCOMPARE(modelCode(w), 0u);

    // the terminal comes back on a new line, and the window opens it again by itself
    QTRY_VERIFY_WITH_TIMEOUT(sim.portsAnnounced() == 2, 8000);
    QElapsedTimer back;
    back.start();
    QTRY_VERIFY_WITH_TIMEOUT(w.serialPort()->isOpen(), 3000);
    QVERIFY2(back.elapsed() < 1000, "connected again more than a second after the port returned");
    QTRY_VERIFY_WITH_TIMEOUT(log(w).count(QLatin1String(">DI=")) > before, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(modelCode(w) != 0, 5000);
}

void TestEndToEnd::readingGoesOnPastAnOpenBox_data()
{
    const QStringList oldFirmware{QStringLiteral("--model"), QStringLiteral("0"),
                                  QStringLiteral("--fw"), QStringLiteral("0.50")};
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("then");
    QTest::addColumn<int>("holdMs");
    QTest::newRow("old-firmware box held open") << oldFirmware << QString() << 15000;
    QTest::newRow("hang-up while the box is open") << oldFirmware << QStringLiteral("hang up") << 4000;
    QTest::newRow("restart boxes held open") << QStringList() << QStringLiteral("restart") << 4000;
}

// Boxes open from inside the read path: the old-firmware warning, the terminal's restart
// record. The terminal sends ten rounds of live records a second meanwhile: while a box stands
// open they are still read (nothing piles up for the simulator to throw away), and after OK
// they go on. A hang-up during a box is noticed and the terminal is opened again.
void TestEndToEnd::readingGoesOnPastAnOpenBox()
{
    QFETCH(QStringList, args);
    QFETCH(QString, then);
    QFETCH(int, holdMs);
    Simulator sim(args + QStringList{QStringLiteral("--rate"), QStringLiteral("100"),
                                     QStringLiteral("--restart-delay"), QStringLiteral("0.5")});
    QVERIFY(sim.ready());
    QTRY_COMPARE(sim.portsAnnounced(), 1);
    MainWindow w;
    int fixes = 0;
    w.recordRouter().tap(RecordKind::Fix, [&fixes](const RecordLine &) { ++fixes; });

    // each box is answered once it has stood open for holdMs
    QElapsedTimer boxOpen;
    QPointer<QWidget> box;
    int fixesAtFirstBox = -1;
    int boxes = 0;
    QTimer poll;
    poll.setInterval(20);
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget *active = QApplication::activeModalWidget();
        if (active && active != box) {
            box = active;
            boxOpen.start();
            if (++boxes == 1) {
                fixesAtFirstBox = fixes;
                if (then == QLatin1String("hang up"))
                    sim.proc.write("next\n");
            }
        }
        if (box && boxOpen.elapsed() >= holdMs)
            qobject_cast<QMessageBox *>(box.data())->button(QMessageBox::Ok)->click();
    });
    poll.start();
    connectTo(w, sim.link);
    QVERIFY(w.serialPort()->isOpen());
    if (then == QLatin1String("restart")) {
        QTRY_VERIFY_WITH_TIMEOUT(fixes > 0, 5000);
        w.findChild<QAction *>(QStringLiteral("actionRestart_Device"))->trigger();
    }
    QTRY_VERIFY_WITH_TIMEOUT(boxes >= 1, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), holdMs * 3 + 5000);
    if (then.isEmpty()) {
        // about one round per 100 ms the box stood open: the line was read throughout
        const int expected = int(boxOpen.elapsed() / 100);
        QVERIFY2(fixes - fixesAtFirstBox >= expected * 8 / 10,
                 qPrintable(QStringLiteral("%1 rounds in %2 ms")
                                .arg(fixes - fixesAtFirstBox)
                                .arg(boxOpen.elapsed())));
    } else {
        QTRY_COMPARE(sim.portsAnnounced(), 2);
    }
    if (then == QLatin1String("restart")) {
        // one notice for the restart, and it went by itself when the terminal came back
        QCOMPARE(boxes, 1);
        QVERIFY(boxOpen.elapsed() < holdMs);
    }
    QTRY_VERIFY_WITH_TIMEOUT(w.serialPort()->isOpen(), 5000);
    const int afterBox = fixes;
    QTRY_VERIFY_WITH_TIMEOUT(fixes >= afterBox + 10, 3000);
    QCOMPARE(w.framing().droppedLines(), quint64(0));
}

QTEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
