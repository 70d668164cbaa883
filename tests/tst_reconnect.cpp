// Reconnection after the line is lost: the window waits for the same port to come back and
// opens it again by itself; the user's own disconnect stops the waiting.
#include "link/portwatcher.h"
#include "mainwindow/mainwindow.h"
#include "testutil.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
const QByteArray connectRequests(">I 0\r\n>I 1\r\n>I 3\r\n>I 7\r\n");

int openFileDescriptors()
{
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::System).size();
}
} // namespace

// A terminal behind a fixed path (as a USB port keeps its name), whose line can be cut and
// brought back on a new pseudo-terminal.
class UnpluggableTerminal : public QObject
{
public:
    explicit UnpluggableTerminal(const QString &dir) : link(dir + QStringLiteral("/kvt-port")) { plugIn(); }
    void plugIn()
    {
        pty = std::make_unique<Pty>();
        QFile::remove(link);
        QFile::link(pty->slavePath, link);
    }
    void unplug()
    {
        QFile::remove(link);
        pty.reset();
    }
    QString link;
    std::unique_ptr<Pty> pty;
};

class TestReconnect : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<QSerialPort::SerialPortError>(); }
    void init() {}
    void comesBackAfterHangUps();
    void userDisconnectStopsWaiting();
    void portComingBack_data();
    void portComingBack();
};

void TestReconnect::portComingBack_data()
{
    // ports as "name location serial" ("-" for none); /dev/null is there, /dev/kvt-gone is not
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<int>("found");
    QTest::newRow("same serial number under another name, a path not there skipped")
        << "/dev/kvt-gone - 201745"
        << QStringList{"/dev/kvt-gone /dev/kvt-gone 201745", "ttyACM1 /dev/null 201745"} << 1;
    QTest::newRow("no serial number: another port without one is not it")
        << "ttyACM0 /dev/null -" << QStringList{"ttyACM1 /dev/null -"} << -1;
    QTest::newRow("the listed path is not there")
        << "/dev/kvt-gone /dev/kvt-gone -" << QStringList{"/dev/kvt-gone /dev/kvt-gone -"} << -1;
}

void TestReconnect::portComingBack()
{
    QFETCH(QString, wanted);
    QFETCH(QStringList, listed);
    QFETCH(int, found);
    const auto port = [](const QString &text) {
        const QStringList f = text.split(' ');
        PortEntry e = terminalPort(f.at(0));
        e.systemLocation = f.at(1) == "-" ? QString() : f.at(1);
        e.serialNumber = f.at(2) == "-" ? QString() : f.at(2);
        return e;
    };
    QList<PortEntry> ports;
    for (const QString &p : listed)
        ports << port(p);
    const PortEntry *p = PortWatcher::find(port(wanted), qAsConst(ports));
    int index = -1;
    for (int i = 0; i < ports.size(); ++i)
        index = &ports.at(i) == p ? i : index;
    QCOMPARE(index, found);
}

void TestReconnect::comesBackAfterHangUps()
{
    QTemporaryDir dir;
    UnpluggableTerminal t(dir.path());
    MainWindow w;
    connectTo(w, t.link);
    QVERIFY(w.serialPort()->isOpen());
    QCOMPARE(t.pty->read(connectRequests.size()), connectRequests);
    t.pty->write(">DN=4711\r\n");
    auto *serialNumber = w.findChild<QLineEdit *>(QStringLiteral("serialNumberEdit"));
    QTRY_COMPARE(serialNumber->text(), QStringLiteral("4711"));

    const int fds = openFileDescriptors();
    const int timers = w.findChildren<QTimer *>().size();
    QSignalSpy errors(w.serialPort(), &QSerialPort::errorOccurred);
    for (int round = 0; round < 20; ++round) {
        t.unplug();
        QTRY_VERIFY_WITH_TIMEOUT(!w.serialPort()->isOpen(), 3000);
        QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Ожидание терминала…"));
        if (round == 0) {
            // old values stay, greyed, until a record gives them again
            QCOMPARE(serialNumber->text(), QStringLiteral("4711"));
            QVERIFY(serialNumber->palette().color(QPalette::Text)
                    != QLineEdit().palette().color(QPalette::Text));
        }
        t.plugIn();
        QElapsedTimer back;
        back.start();
        QTRY_VERIFY_WITH_TIMEOUT(w.serialPort()->isOpen(), 3000);
        QVERIFY2(back.elapsed() < 1000, "reconnected more than a second after the port came back");
        QCOMPARE(t.pty->read(connectRequests.size()), connectRequests);
        if (round == 0) {
            t.pty->write(">DN=4711\r\n");
            QTRY_COMPARE(serialNumber->palette().color(QPalette::Text),
                         QLineEdit().palette().color(QPalette::Text));
        }
    }
    QVERIFY2(errors.count() < 20 * 5, "error storm");
    QCOMPARE(w.findChildren<QTimer *>().size(), timers);
    QCOMPARE(openFileDescriptors(), fds);
}

void TestReconnect::userDisconnectStopsWaiting()
{
    QTemporaryDir dir;
    UnpluggableTerminal t(dir.path());
    MainWindow w;
    connectTo(w, t.link);
    QVERIFY(w.serialPort()->isOpen());
    t.unplug();
    QTRY_COMPARE_WITH_TIMEOUT(w.statusBar()->currentMessage(), QStringLiteral("Ожидание терминала…"),
                              3000);
    auto *disconnect = w.findChild<QAction *>(QStringLiteral("actionDisconnect"));
    QVERIFY(disconnect->isEnabled());   // the way to stop waiting
    disconnect->trigger();
    QVERIFY(!disconnect->isEnabled());
    t.plugIn();
    QTest::qWait(800);
    QVERIFY(!w.serialPort()->isOpen());
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Disconnected"));
}

QTEST_MAIN(TestReconnect)
#include "tst_reconnect.moc"
