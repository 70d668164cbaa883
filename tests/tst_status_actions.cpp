// The device actions of the tool bar, over a pseudo-terminal: the exact bytes each writes,
// the boxes, and the close of the port after the restarting commands.
#include "mainwindow/mainwindow.h"
#include "testutil.h"
#include "tst_status_util.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileDialog>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <QtTest>

namespace {
QAction *action(MainWindow &w, const char *name)
{
    return w.findChild<QAction *>(QLatin1String(name));
}

const QByteArray connectRequests(">I 0\r\n>I 1\r\n>I 3\r\n>I 7\r\n");
} // namespace

// Takes the URLs the program asks the desktop to open, instead of a browser.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

class TestStatusActions : public QObject
{
    Q_OBJECT

private:
    // A window connected to a fresh pseudo-terminal, the identity request already taken.
    bool connectWindow(MainWindow &w, Pty &pty)
    {
        connectTo(w, pty.slavePath);
        return w.serialPort()->isOpen() && pty.read(connectRequests.size()) == connectRequests;
    }

private slots:
    void initTestCase() { qRegisterMetaType<QSerialPort::SerialPortError>(); }
    void init() {}

    void plainCommands_data();
    void plainCommands();
    void clearMemoryAsksFirst_data();
    void clearMemoryAsksFirst();
    void sendPacketTwiceWritesTwice();
    void tachographOnlyForTheTachographModel();
    void restart();
    void restartRecordWhileRestartBoxIsOpen();
    void usbFirmware_data();
    void usbFirmware();
    void webSite();
};

void TestStatusActions::plainCommands_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("send packet") << QByteArray("actionSendPacket") << QByteArray(">D 4;1\r\n");
    QTest::newRow("firmware over GPRS") << QByteArray("actionUpdate_FW_WEB")
                                        << QByteArray(">D 2;0\r\n");
    QTest::newRow("settings over GPRS") << QByteArray("actionUpdate_Settings_WEB")
                                        << QByteArray(">D 0;0\r\n");
    QTest::newRow("tachograph file") << QByteArray("actionTaho") << QByteArray(">D 9\r\n");
}

// No confirmation, no message, no status text; the connection stays.
void TestStatusActions::plainCommands()
{
    QFETCH(QByteArray, action);
    QFETCH(QByteArray, bytes);
    Pty pty;
    MainWindow w;
    QVERIFY(connectWindow(w, pty));
    feed(w, "DI=20;1;0");
    w.statusBar()->showMessage(QStringLiteral("before"));
    ModalCloser closer;

    QAction *a = ::action(w, action.constData());
    QVERIFY(a->isEnabled());
    a->trigger();
    QCOMPARE(pty.read(bytes.size()), bytes);
    QCOMPARE(pty.read(1, 100), QByteArray());
    QCOMPARE(closer.titles, QStringList());
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("before"));
    QVERIFY(w.serialPort()->isOpen());
    QCOMPARE(modelCode(w), 20u);
}

void TestStatusActions::clearMemoryAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("yes: clear, then ask") << int(QMessageBox::Yes)
                                          << QByteArray(">D 8;0\r\n>I 1\r\n");
    QTest::newRow("no") << int(QMessageBox::No) << QByteArray();
    QTest::newRow("box closed") << int(QMessageBox::Escape) << QByteArray();
}

// Clearing the packet memory loses data for good: it asks first, No being the default.
void TestStatusActions::clearMemoryAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(QByteArray, bytes);
    Pty pty;
    MainWindow w;
    QVERIFY(connectWindow(w, pty));
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QWidget *parent = nullptr;
    BoxWatcher watcher([&](QMessageBox *box) {
        defaultButton = box->standardButton(box->defaultButton());
        parent = box->parentWidget();
        if (answer == QMessageBox::Escape)
            box->reject();
        else
            box->button(QMessageBox::StandardButton(answer))->click();
    });
    action(w, "actionClearMem")->trigger();
    QCOMPARE(watcher.count, 1);
    QCOMPARE(defaultButton, QMessageBox::No);
    QCOMPARE(parent, static_cast<QWidget *>(&w));
    QCOMPARE(pty.read(qMax(1, bytes.size()), bytes.isEmpty() ? 100 : 3000), bytes);
    QVERIFY(w.serialPort()->isOpen());
}

void TestStatusActions::sendPacketTwiceWritesTwice()
{
    Pty pty;
    MainWindow w;
    QVERIFY(connectWindow(w, pty));
    action(w, "actionSendPacket")->trigger();
    action(w, "actionSendPacket")->trigger();
    QCOMPARE(pty.read(16), QByteArray(">D 4;1\r\n>D 4;1\r\n"));
}

void TestStatusActions::tachographOnlyForTheTachographModel()
{
    Pty pty;
    MainWindow w;
    QAction *taho = action(w, "actionTaho");
    QVERIFY(connectWindow(w, pty));
    QVERIFY(!taho->isEnabled());
    feed(w, "DI=31;1;0");
    QVERIFY(!taho->isEnabled());
    // a click on the tool bar button does nothing yet
    auto *bar = w.findChild<QToolBar *>(QStringLiteral("mainToolBar"));
    QTest::mouseClick(bar->widgetForAction(taho), Qt::LeftButton);
    QCOMPARE(pty.read(1, 100), QByteArray());
    // the record as the terminal sends it
    pty.write(">DI=20;1;0\r\n");
    QTRY_VERIFY(taho->isEnabled());
    QTest::mouseClick(bar->widgetForAction(taho), Qt::LeftButton);
    QCOMPARE(pty.read(6), QByteArray(">D 9\r\n"));
    action(w, "actionDisconnect")->trigger();
    QVERIFY(!taho->isEnabled());
}

// ">D 1" goes out before the box; the port closes only when the box is acknowledged.
void TestStatusActions::restart()
{
    Pty pty;
    MainWindow w;
    QVERIFY(connectWindow(w, pty));
    feed(w, "DI=31;1;0");

    QByteArray writtenBeforeOk;
    bool openBeforeOk = false;
    QString title, body;
    QMessageBox::StandardButtons buttons;
    QWidget *parent = nullptr;
    BoxWatcher watcher([&](QMessageBox *box) {
        parent = box->parentWidget();
        writtenBeforeOk = pty.read(6);
        openBeforeOk = w.serialPort()->isOpen();
        title = box->windowTitle();
        body = box->text();
        buttons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
    action(w, "actionRestart_Device")->trigger();

    QCOMPARE(watcher.count, 1);
    QCOMPARE(writtenBeforeOk, QByteArray(">D 1\r\n"));
    QVERIFY(openBeforeOk);
    QCOMPARE(title, QStringLiteral("Перезагрузка устройства"));
    QCOMPARE(body, QStringLiteral("Устройство перезагружено\r\nCOM порт закрыт"));
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(parent, static_cast<QWidget *>(&w));
    QVERIFY(!w.serialPort()->isOpen());
    QCOMPARE(modelCode(w), 0u);
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Ожидание терминала…"));
    QVERIFY(!action(w, "actionRestart_Device")->isEnabled());
    QVERIFY(action(w, "actionConnect")->isEnabled());
    QCOMPARE(pty.read(1, 100), QByteArray());
}

// The terminal's own restart record arrives while the restart notice is open: it closes the
// port at once, and no second notice opens. When the terminal is back the notice, no longer
// true, goes by itself.
void TestStatusActions::restartRecordWhileRestartBoxIsOpen()
{
    Pty pty;
    MainWindow w;
    QVERIFY(connectWindow(w, pty));
    usePorts(w, {});   // the terminal stays away until its port is listed again

    QSignalSpy errors(w.serialPort(), &QSerialPort::errorOccurred);
    bool closedWhileOpen = false;
    bool closedByTest = false;
    QString waitingText;
    QStringList titles;
    BoxWatcher watcher([&](QMessageBox *box) {
        titles << box->windowTitle();
        pty.write(">RD=1\r\n");
        QTimer::singleShot(500, box, [&] {
            closedWhileOpen = !w.serialPort()->isOpen();
            waitingText = w.statusBar()->currentMessage();
            usePorts(w, {terminalPort(pty.slavePath)});
        });
        QTimer::singleShot(5000, box, [&closedByTest, box] {
            closedByTest = true;
            box->button(QMessageBox::Ok)->click();
        });
    });
    action(w, "actionRestart_Device")->trigger();

    QCOMPARE(watcher.count, 1);
    QVERIFY(closedWhileOpen);
    QCOMPARE(waitingText, QStringLiteral("Ожидание терминала…"));
    QCOMPARE(titles, QStringList({"Перезагрузка устройства"}));
    QVERIFY(!closedByTest);
    // the notice leaves the new connection open
    QVERIFY(w.serialPort()->isOpen());
    QVERIFY(action(w, "actionDisconnect")->isEnabled());
    for (const QList<QVariant> &e : errors)
        QVERIFY(e.at(0).value<QSerialPort::SerialPortError>() != QSerialPort::NotOpenError);
}

void TestStatusActions::usbFirmware_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("yes") << "yes";
    QTest::newRow("cancel") << "cancel";
    QTest::newRow("escape") << "escape";
}

void TestStatusActions::usbFirmware()
{
    QFETCH(QString, answer);
    Pty pty;
    MainWindow w;
    QVERIFY(connectWindow(w, pty));

    QStringList titles, bodies;
    QWidget *questionParent = nullptr;
    QMessageBox::StandardButtons questionButtons;
    bool defaultIsYes = false;
    QByteArray writtenBeforeOk;
    bool openBeforeOk = false;
    BoxWatcher watcher([&](QMessageBox *box) {
        titles << box->windowTitle();
        bodies << box->text();
        if (watcher.count == 1) {
            questionParent = box->parentWidget();
            questionButtons = box->standardButtons();
            defaultIsYes = box->defaultButton() == box->button(QMessageBox::Yes);
            if (answer == QLatin1String("yes"))
                box->button(QMessageBox::Yes)->click();
            else if (answer == QLatin1String("cancel"))
                box->button(QMessageBox::Cancel)->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        writtenBeforeOk = pty.read(8);
        openBeforeOk = w.serialPort()->isOpen();
        box->button(QMessageBox::Ok)->click();
    });
    // Yes asks for the firmware file; the engineer without one cancels it and copies by hand
    QWidget *fileDialogParent = nullptr;
    int fileDialogs = 0;
    QTimer fileCloser;
    connect(&fileCloser, &QTimer::timeout, [&] {
        if (auto *d = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            ++fileDialogs;
            fileDialogParent = d->parentWidget();
            d->reject();
        }
    });
    fileCloser.start(10);
    action(w, "actionUpdate_FW_Local")->trigger();

    QCOMPARE(fileDialogs, answer == QLatin1String("yes") ? 1 : 0);
    if (fileDialogs)
        QCOMPARE(fileDialogParent, &w);
    QCOMPARE(titles.value(0), QStringLiteral("Обновление ПО через USB "));
    QCOMPARE(bodies.value(0),
             QStringLiteral("Для обновления ПО через USB вам потребуется файл прошивки\r\n"
                            "Если у вас нет данного файла - нажмите «Отмена»"));
    QCOMPARE(questionParent, &w);
    QCOMPARE(questionButtons, QMessageBox::Yes | QMessageBox::Cancel);
    // Enter goes on: the engineer came for the update
    QVERIFY(defaultIsYes);
    if (answer == QLatin1String("yes")) {
        QCOMPARE(watcher.count, 2);
        QCOMPARE(writtenBeforeOk, QByteArray(">D 3;0\r\n"));
        QVERIFY(openBeforeOk);
        QCOMPARE(titles.value(1), QStringLiteral("Перезагрузка устройства"));
        QCOMPARE(bodies.value(1), QStringLiteral("Устройство перезагружено\r\n"
                                                 "Скопируйте файл ПО на съемный диск KVT_loader\r\n"));
        QVERIFY(!w.serialPort()->isOpen());
        QCOMPARE(modelCode(w), 0u);
    } else {
        QCOMPARE(watcher.count, 1);
        QCOMPARE(pty.read(1, 200), QByteArray());
        QVERIFY(w.serialPort()->isOpen());
        QVERIFY(action(w, "actionDisconnect")->isEnabled());
    }
}

// The web-site action opens one fixed address under a reserved example domain, connected or not.
void TestStatusActions::webSite()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    MainWindow w;
    QAction *site = action(w, "actionGoToSite");
    QVERIFY(site->isEnabled());
    site->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QCOMPARE(catcher.urls.size(), 1);
    const QUrl url = catcher.urls.first();
    QVERIFY(url.isValid());
    QVERIFY(url.host() == QLatin1String("example.com")
            || url.host().endsWith(QLatin1String(".example.com")));
}

QTEST_MAIN(TestStatusActions)
#include "tst_status_actions.moc"
