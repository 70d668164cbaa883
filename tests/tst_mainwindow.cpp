// The main window frame, the port dialog and the serial connection, over a real pseudo-terminal.
#include "app/styleloader.h"
#include "mainwindow/mainwindow.h"
#include "link/portlist.h"
#include "portdialog/settingsdialog.h"
#include "settings/settingspage.h"
#include "terminal/terminal.h"
#include "testutil.h"

#include <QAction>
#include <QComboBox>
#include "terminal/console.h"

#include <QDockWidget>
#include <QGroupBox>
#include <QKeyEvent>
#include <QStyle>
#include <QMenu>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QDockWidget>
#include <QSettings>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    static QAction *action(MainWindow &w, const char *name)
    {
        return w.findChild<QAction *>(QString::fromLatin1(name));
    }
    static QString status(MainWindow &w) { return w.statusBar()->currentMessage(); }
    static QStringList enabledActions(MainWindow &w)
    {
        QStringList on;
        // the language actions are always enabled, connected or not
        for (QAction *a : w.findChildren<QAction *>())
            if (a->isEnabled() && a->objectName().startsWith(QLatin1String("action"))
                && a->objectName() != QLatin1String("actionRussian")
                && a->objectName() != QLatin1String("actionENGLISH"))
                on << a->objectName();
        on.sort();
        return on;
    }

private slots:
    void initTestCase() { qRegisterMetaType<QSerialPort::SerialPortError>(); }
    void init() {}

    void startUpState();
    void toolBarAndIcons();
    void portListFilter();
    void portInfoNotAvailable();
    void defaultCapture();
    void failedOpenChangesNothing();
    void openWritesIdentityRequestFirst();
    void openSkipsIdentityRequestWhenModelKnown();
    void disconnect();
    void hungUpLineDisconnectsOnce();
    void writeErrorIsReported();
    void openResetsFraming();
    void shortcuts_data();
    void shortcuts();
    void readShowsChunkInStatusAndLog();
    void darkLookOnF5();
    void lookRemembered_data();
    void lookRemembered();
    void windowLayoutRemembered();
    void chunkShowsLastValueOfEachField();
    void fieldsFilledBeforeFirmwareWarning();
    void windowClosedWithValuesOnTheirWay();
};

void TestMainWindow::startUpState()
{
    MainWindow w;
    QCOMPARE(w.windowTitle(), QStringLiteral("KVT Logger [0.06]"));
    QCOMPARE(w.minimumSize(), QSize(420, 460));
    QCOMPARE(enabledActions(w),
             (QStringList{"actionAbout", "actionAboutQt", "actionConfigure", "actionConnect",
                          "actionGoToSite"}));
    QVERIFY(action(w, "actionRussian")->isEnabled() && action(w, "actionENGLISH")->isEnabled());
    QTabWidget *tabs = w.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Параметры устройства"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Настройки"));
    QVERIFY(tabs->isTabEnabled(0));
    QVERIFY(!tabs->isTabEnabled(1));
    QVERIFY(tabs->isMovable());

    w.show();
    QDockWidget *dock = nullptr;
    for (QDockWidget *d : w.findChildren<QDockWidget *>())
        if (d->windowTitle() == QLatin1String("Log"))
            dock = d;
    QVERIFY(dock);
    QVERIFY(!dock->isVisible());
    QCOMPARE(w.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    QCOMPARE(dock->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    // the dock is reachable from the window's context menu
    QScopedPointer<QMenu> menu(w.createPopupMenu());
    QStringList entries;
    for (QAction *a : menu->actions())
        entries << a->text();
    QVERIFY2(entries.contains(QStringLiteral("Log")), qPrintable(entries.join(',')));

    w.resize(100, 100);
    QVERIFY(w.width() >= 420 && w.height() >= 460);
}

void TestMainWindow::toolBarAndIcons()
{
    MainWindow w;
    QToolBar *bar = w.findChild<QToolBar *>(QStringLiteral("mainToolBar"));
    QVERIFY(bar);
    QStringList names;
    for (QAction *a : bar->actions())
        names << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
    QCOMPARE(names, (QStringList{"actionConnect", "actionDisconnect", "actionConfigure",
                                 "openRecordingAction", "actionClear", "|", "reportAction", "|", "actionSendPacket",
                                 "actionClearMem",
                                 "actionRestart_Device", "actionUpdate_FW_Local",
                                 "actionUpdate_FW_WEB", "actionUpdate_Settings_WEB",
                                 "batchSetupAction", "stationAction", "registerAction", "actionTaho", "panelsAction",
                                 "actionGoToSite", "|",
                                 "actionRussian",
                                 "actionENGLISH"}));
    QCOMPARE(bar->iconSize(), QSize(30, 30));
    for (QAction *a : bar->actions())
        if (!a->isSeparator())
            QVERIFY2(!a->icon().pixmap(30, 30).isNull(), qPrintable(a->objectName()));
    QVERIFY(!w.windowIcon().isNull());
    for (const char *path : {":/images/PNG/KV_s.png", ":/images/png/connect.png",
                             ":/images/PNG/tacho.png", ":/images/PNG/russian.png",
                             ":/images/PNG/usa.png", ":/images/png/help2.png"})
        QVERIFY2(!QPixmap(QString::fromLatin1(path)).isNull(), path);
    QCOMPARE(action(w, "actionRestart_Device")->toolTip(), QStringLiteral("Рестарт устройства"));
    QCOMPARE(action(w, "actionClear")->iconText(), QStringLiteral("Очистить "));
    // the language actions: one of the two checked
    QVERIFY(action(w, "actionRussian")->isCheckable() && action(w, "actionENGLISH")->isCheckable());
    QVERIFY(action(w, "actionRussian")->isChecked() != action(w, "actionENGLISH")->isChecked());
}

void TestMainWindow::portListFilter()
{
    PortEntry other;
    other.portName = QStringLiteral("ttyS0");
    PortEntry wrongProduct = terminalPort(QStringLiteral("ttyACM7"));
    wrongProduct.productIdentifier = 0x5741;
    PortEntry wrongVendor = terminalPort(QStringLiteral("ttyACM8"));
    wrongVendor.vendorIdentifier = 0x0484;
    SettingsDialog d(nullptr,
                     listing({other, wrongProduct, terminalPort(QStringLiteral("ttyACM0")),
                              wrongVendor}));
    auto *list = d.findChild<QComboBox *>(QStringLiteral("serialPortInfoListBox"));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->itemText(0), QStringLiteral("ttyACM0"));
    QCOMPARE(list->itemData(0).toStringList(),
             (QStringList{"ttyACM0", "test terminal", "KVT", "ttyACM0", "0483", "5740", "N/A"}));
    QCOMPARE(d.findChild<QLabel *>(QStringLiteral("vidLabel"))->text(),
             QStringLiteral("Vendor Identifier: 0483"));

    // "Обновить" after the terminal is unplugged empties the list
    d.setPortSource(listing({other}));
    d.findChild<QPushButton *>(QStringLiteral("refreshButton"))->click();
    QCOMPARE(list->count(), 0);
}

void TestMainWindow::portInfoNotAvailable()
{
    PortEntry bare = terminalPort(QStringLiteral("ttyACM3"));
    bare.description.clear();
    bare.manufacturer.clear();
    SettingsDialog d(nullptr, listing({bare}));
    QCOMPARE(d.findChild<QLabel *>(QStringLiteral("descriptionLabel"))->text(),
             QStringLiteral("Description: N/A"));
    QCOMPARE(d.findChild<QLabel *>(QStringLiteral("manufacturerLabel"))->text(),
             QStringLiteral("Manufacturer: N/A"));
    // identifiers of 0 read N/A as well
    bare.vendorIdentifier = 0;
    QCOMPARE(portItemData(bare, QStringLiteral("N/A")).at(4), QStringLiteral("N/A"));

    // the simulator port named in the environment is listed as a terminal port
    qputenv("KVT_SIMULATOR_PORT", "/tmp/kvt-test-port");
    const QList<PortEntry> ports = systemSerialPorts();
    qunsetenv("KVT_SIMULATOR_PORT");
    QVERIFY(!ports.isEmpty());
    QCOMPARE(ports.last().portName, QStringLiteral("/tmp/kvt-test-port"));
    QCOMPARE(ports.last().description, QStringLiteral("KVT terminal simulator"));
    QCOMPARE(ports.last().manufacturer, QStringLiteral("KVT"));
    QVERIFY(isTerminalPort(ports.last()));
}

void TestMainWindow::defaultCapture()
{
    SettingsDialog d(nullptr, listing({terminalPort(QStringLiteral("ttyACM0"))}));
    QSignalSpy spy(&d, &SettingsDialog::connectToSerialPort);
    d.show();
    d.findChild<QPushButton *>(QStringLiteral("applyButton"))->click();
    QCOMPARE(spy.count(), 1);
    QVERIFY(!d.isVisible());
    const PortSettings s = d.currentSettings();
    QCOMPARE(s.portName, QStringLiteral("ttyACM0"));
    QCOMPARE(s.baudRate, 9600);
    QCOMPARE((QStringList{s.baudRateText, s.dataBitsText, s.parityText, s.stopBitsText,
                          s.flowControlText}),
             (QStringList{"9600", "8", "None", "1", "None"}));
    QCOMPARE(s.dataBits, QSerialPort::Data8);
    QVERIFY(!d.findChild<QGroupBox *>(QStringLiteral("parametersBox"))->isEnabled());
}

void TestMainWindow::failedOpenChangesNothing()
{
    MainWindow w;
    ModalCloser closer;
    connectTo(w, QStringLiteral("/dev/kvt-no-such-port"));
    QCOMPARE(closer.titles, QStringList{QStringLiteral("Ошибка")});
    QCOMPARE(closer.texts.size(), 1);
    // the box names the port and the reason, not only the advice
    QVERIFY(closer.texts.first().startsWith(QStringLiteral("Проверьте COM порт на вашем ПК\n\n")));
    QVERIFY(closer.texts.first().contains(QStringLiteral("/dev/kvt-no-such-port")));
    QVERIFY(closer.texts.first().endsWith(w.serialPort()->errorString()));
    QVERIFY(status(w).startsWith(QLatin1String("Open error [")));
    QVERIFY(action(w, "actionConnect")->isEnabled());
    QVERIFY(!action(w, "actionDisconnect")->isEnabled());
    QVERIFY(!w.tabs()->isTabEnabled(1));
}

void TestMainWindow::openWritesIdentityRequestFirst()
{
    Pty pty;
    MainWindow w;
    connectTo(w, pty.slavePath);
    QVERIFY(w.serialPort()->isOpen());
    QCOMPARE(status(w), QStringLiteral("Connected to %1 : 9600, 8, None, 1, None").arg(pty.slavePath));
    // identity first, then the status, so every group fills without a click
    QCOMPARE(pty.read(24), QByteArray(">I 0\r\n>I 1\r\n>I 3\r\n>I 7\r\n"));
    QCOMPARE(enabledActions(w),
             (QStringList{"actionAbout", "actionAboutQt", "actionClear", "actionClearMem",
                          "actionDisconnect", "actionGoToSite", "actionRestart_Device",
                          "actionSendPacket", "actionUpdate_FW_Local", "actionUpdate_FW_WEB",
                          "actionUpdate_Settings_WEB"}));
    QVERIFY(w.tabs()->isTabEnabled(1));
    QVERIFY(w.terminalPanel()->logConsole()->isEnabled());

    // applying again while connected: the second open fails, the connection stays up
    ModalCloser closer;
    connectTo(w, pty.slavePath);
    QCOMPARE(closer.texts.size(), 1);
    QVERIFY(status(w).startsWith(QLatin1String("Open error [")));
    QVERIFY(w.serialPort()->isOpen());
    QVERIFY(action(w, "actionDisconnect")->isEnabled());
}

void TestMainWindow::openSkipsIdentityRequestWhenModelKnown()
{
    Pty pty;
    MainWindow w;
    w.dispatchRecord("DI", "5", "0", "70", "", "");
    connectTo(w, pty.slavePath);
    QVERIFY(w.serialPort()->isOpen());
    QCOMPARE(pty.read(1, 300), QByteArray());
}

void TestMainWindow::disconnect()
{
    Pty pty;
    MainWindow w;
    connectTo(w, pty.slavePath);
    w.dispatchRecord("DI", "7", "0", "70", "", "");
    QCOMPARE(modelCode(w), 7u);
    action(w, "actionDisconnect")->trigger();
    QVERIFY(!w.serialPort()->isOpen());
    QCOMPARE(status(w), QStringLiteral("Disconnected"));
    QCOMPARE(modelCode(w), 0u);
    QCOMPARE(enabledActions(w),
             (QStringList{"actionAbout", "actionAboutQt", "actionClear", "actionConfigure",
                          "actionConnect", "actionGoToSite"}));
    QVERIFY(!w.tabs()->isTabEnabled(1));
}

void TestMainWindow::hungUpLineDisconnectsOnce()
{
    Pty pty;
    MainWindow w;
    connectTo(w, pty.slavePath);
    QVERIFY(w.serialPort()->isOpen());
    pty.read(14);

    QStringList messages;
    connect(w.statusBar(), &QStatusBar::messageChanged, this,
            [&](const QString &m) { if (!m.isEmpty()) messages << m; });
    QSignalSpy errors(w.serialPort(), &QSerialPort::errorOccurred);
    pty.close();   // the other side of the line goes away, as an unplugged terminal does
    QTRY_VERIFY_WITH_TIMEOUT(!w.serialPort()->isOpen(), 3000);
    QTest::qWait(200);
    // then it waits for the terminal to come back
    QCOMPARE(status(w), QStringLiteral("Ожидание терминала…"));
    QCOMPARE(messages.count(QStringLiteral("Disconnected")), 1);
    QCOMPARE(messages.filter(QStringLiteral("Critical Error [")).size(), 1);
    QVERIFY2(errors.count() < 5, "error storm after the hang-up");
    QVERIFY(action(w, "actionConnect")->isEnabled());
    QVERIFY(!w.tabs()->isTabEnabled(1));
    QVERIFY(!QApplication::activeModalWidget());
}

// A write the port refuses is reported, not ignored.
void TestMainWindow::writeErrorIsReported()
{
    Pty pty;
    MainWindow w;
    connectTo(w, pty.slavePath);
    QVERIFY(w.serialPort()->isOpen());
    w.handleError(QSerialPort::WriteError);
    QVERIFY(status(w).startsWith(QStringLiteral("Write error [")));
    QVERIFY(w.serialPort()->isOpen());
}

void TestMainWindow::openResetsFraming()
{
    Pty pty;
    MainWindow w;
    connectTo(w, pty.slavePath);
    pty.read(14);
    pty.write(">DN=12");   // cut off by the close
    QTRY_COMPARE(w.framing().recordName, QByteArray("DN"));
    action(w, "actionDisconnect")->trigger();
    connectTo(w, pty.slavePath);
    QVERIFY(w.serialPort()->isOpen());
    QCOMPARE(w.framing().frameState, quint8(0));
    QVERIFY(w.framing().recordName.isEmpty());
    QVERIFY(w.framing().recordField1.isEmpty());
}

void TestMainWindow::shortcuts_data()
{
    QTest::addColumn<QString>("actionName");
    QTest::addColumn<QString>("keys");
    QTest::newRow("connect") << "actionConnect" << "Ctrl+O";
    QTest::newRow("disconnect") << "actionDisconnect" << "Ctrl+D";
    QTest::newRow("configure") << "actionConfigure" << "Alt+C";
    QTest::newRow("clear") << "actionClear" << "Alt+L";
}

void TestMainWindow::shortcuts()
{
    QFETCH(QString, actionName);
    QFETCH(QString, keys);
    MainWindow w;
    QAction *a = w.findChild<QAction *>(actionName);
    QCOMPARE(a->shortcut(), QKeySequence(keys));
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    a->setEnabled(true);
    QSignalSpy spy(a, &QAction::triggered);
    ModalCloser closer;
    const QKeySequence seq(keys);
    QTest::keyClick(&w, Qt::Key(seq[0] & ~Qt::KeyboardModifierMask),
                    Qt::KeyboardModifiers(seq[0] & Qt::KeyboardModifierMask));
    QCOMPARE(spy.count(), 1);
    w.portSettingsDialog()->hide();
}

void TestMainWindow::readShowsChunkInStatusAndLog()
{
    Pty pty;
    MainWindow w;
    connectTo(w, pty.slavePath);
    pty.read(14);
    // a message of the program's own outlasts the chunks that follow it
    auto *page = w.findChild<SettingsPage *>();
    QVERIFY(page);
    emit page->statusMessage(QStringLiteral("Настройки сохранены в файл /tmp/x.json"));
    const QByteArray chunk("AB\0>X=1\r\n", 9);
    pty.write(chunk);
    QTRY_VERIFY(status(w).endsWith(QLatin1String(" | 9 B")));
    QCOMPARE(w.notice(), QStringLiteral("Настройки сохранены в файл /tmp/x.json"));
    QCOMPARE(w.findChild<QLabel *>("noticeLabel")->text(), w.notice());
    const QStringList parts = status(w).section(QLatin1Char(' '), 0, 0).split(QLatin1Char(':'));
    QCOMPARE(parts.size(), 3);
    for (const QString &p : parts)
        QVERIFY2(p == QLatin1String("0") || !p.startsWith(QLatin1Char('0')), qPrintable(status(w)));
    QCOMPARE(w.terminalPanel()->logConsole()->toPlainText(), QStringLiteral("AB"));
}

// Size and docks come back in the next run; the first run has nothing to restore.
void TestMainWindow::windowLayoutRemembered()
{
    QSettings().clear();
    {
        MainWindow first;
        QVERIFY(!first.restoreWindowLayout());
        first.resize(900, 640);
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        first.findChild<QDockWidget *>(QStringLiteral("logDock"))->show();
        first.findChild<QDockWidget *>(QStringLiteral("chartsDock"))->hide();
        first.close();
    }
    MainWindow second;
    QVERIFY(second.restoreWindowLayout());
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QCOMPARE(second.size(), QSize(900, 640));
    QVERIFY(second.findChild<QDockWidget *>(QStringLiteral("logDock"))->isVisible());
    QVERIFY(!second.findChild<QDockWidget *>(QStringLiteral("chartsDock"))->isVisible());
    QSettings().clear();
}

void TestMainWindow::darkLookOnF5()
{
    const QPalette light = QApplication::palette();
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(light.color(QPalette::Window) == QColor(53, 53, 53), false);

    auto *loader = new StyleLoader(qApp, QKeySequence(QStringLiteral("F5")));
    qApp->installEventFilter(loader);
    QLineEdit *edit = w.terminalPanel()->findChild<QLineEdit *>(QStringLiteral("commandEdit"));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A);
    QTest::keyClick(edit, Qt::Key_F5, Qt::ShiftModifier);
    QCOMPARE(edit->text(), QStringLiteral("a"));   // the key press reached no widget

    const QPalette dark = QApplication::palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        QCOMPARE(dark.color(group, QPalette::Window), QColor(53, 53, 53));
        QCOMPARE(dark.color(group, QPalette::Base), QColor(25, 25, 25));
        QCOMPARE(dark.color(group, QPalette::Highlight), QColor(42, 130, 218));
        QCOMPARE(dark.color(group, QPalette::HighlightedText), QColor(Qt::black));
        QCOMPARE(dark.color(group, QPalette::BrightText), QColor(Qt::red));
    }
    // disabled controls do not look enabled
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        QVERIFY(dark.color(QPalette::Disabled, role) != dark.color(QPalette::Active, role));
    QCOMPARE(qApp->styleSheet(),
             QStringLiteral("QToolTip { color: #ffffff; background-color: #2a82da; border: 1px solid white; }"));
    QCOMPARE(w.palette().color(QPalette::Window), QColor(53, 53, 53));
    // the log keeps its own colours
    QCOMPARE(w.terminalPanel()->logConsole()->palette().color(QPalette::Base), QColor(Qt::black));
    QCOMPARE(w.terminalPanel()->logConsole()->palette().color(QPalette::Text), QColor(0, 255, 0));
    qApp->removeEventFilter(loader);
    delete loader;
    QApplication::setPalette(light);
    qApp->setStyleSheet(QString());
    QSettings().remove(QStringLiteral("look/dark"));
}

void TestMainWindow::lookRemembered_data()
{
    QTest::addColumn<QList<bool>>("presses");   // F5 presses, true for an auto-repeated one
    QTest::addColumn<bool>("dark");
    QTest::newRow("never pressed") << QList<bool>{} << false;
    QTest::newRow("pressed twice: light again") << QList<bool>{false, false} << false;
    QTest::newRow("held down: switches once") << QList<bool>{false, true, true} << true;
}

// F5 switches between the looks; the next start comes up in the look last chosen
void TestMainWindow::lookRemembered()
{
    QFETCH(QList<bool>, presses);
    QFETCH(bool, dark);
    QSettings().clear();
    const QColor darkWindow(53, 53, 53);
    const QColor lightWindow = QApplication::style()->standardPalette().color(QPalette::Window);
    QVERIFY(lightWindow != darkWindow);
    QWidget target;
    {
        StyleLoader loader(nullptr, QKeySequence(QStringLiteral("F5")));
        loader.applySavedLook();
        QVERIFY(!loader.isDark());
        qApp->installEventFilter(&loader);
        for (bool repeated : presses) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier, QString(), repeated);
            QApplication::sendEvent(&target, &press);
        }
        qApp->removeEventFilter(&loader);
        QCOMPARE(loader.isDark(), dark);
        QCOMPARE(QApplication::palette().color(QPalette::Window), dark ? darkWindow : lightWindow);
        QCOMPARE(qApp->styleSheet().isEmpty(), !dark);
    }
    QCOMPARE(StyleLoader::savedDarkLook(), dark);

    // the next start, from the light look
    StyleLoader::applyLightLook();
    StyleLoader next(nullptr, QKeySequence(QStringLiteral("F5")));
    next.applySavedLook();
    QCOMPARE(next.isDark(), dark);
    QCOMPARE(QApplication::palette().color(QPalette::Window), dark ? darkWindow : lightWindow);
    StyleLoader::applyLightLook();
    QSettings().clear();
}

void TestMainWindow::chunkShowsLastValueOfEachField()
{
    Pty pty;
    MainWindow w;
    connectTo(w, pty.slavePath);
    pty.read(14);
    auto *serialNumber = w.findChild<QLineEdit *>(QStringLiteral("serialNumberEdit"));
    auto *imei = w.findChild<QLineEdit *>(QStringLiteral("imeiEdit"));
    pty.write(">DN=111\r\n>MN=866104023456789\r\n>DN=222\r\n>DN=333\r\n");
    QTRY_COMPARE(serialNumber->text(), QStringLiteral("333"));
    QCOMPARE(imei->text(), QStringLiteral("866104023456789"));
    // a record cut between two chunks still lands
    pty.write(">DN=4");
    QTest::qWait(50);
    pty.write("44\r\n");
    QTRY_COMPARE(serialNumber->text(), QStringLiteral("444"));
}

void TestMainWindow::fieldsFilledBeforeFirmwareWarning()
{
    Pty pty;
    MainWindow w;
    connectTo(w, pty.slavePath);
    pty.read(14);
    auto *serialNumber = w.findChild<QLineEdit *>(QStringLiteral("serialNumberEdit"));
    auto *version = w.findChild<QLineEdit *>(QStringLiteral("firmwareVersionEdit"));
    QStringList seenWithBox;
    QTimer probe;
    probe.setInterval(10);
    connect(&probe, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            seenWithBox = QStringList{serialNumber->text(), version->text()};
            box->button(QMessageBox::Ok)->click();
        }
    });
    probe.start();
    // an old firmware (model code 0): the warning opens from inside the chunk
    pty.write(">DN=555\r\n>DI=0;0;10\r\n>MN=1\r\n");
    QTRY_VERIFY(!seenWithBox.isEmpty());
    QCOMPARE(seenWithBox, (QStringList{"555", "0.10"}));
    QTRY_COMPARE(w.findChild<QLineEdit *>(QStringLiteral("imeiEdit"))->text(), QStringLiteral("1"));
}

void TestMainWindow::windowClosedWithValuesOnTheirWay()
{
    Pty pty;
    auto *w = new MainWindow;
    connectTo(*w, pty.slavePath);
    pty.read(14);
    QSignalSpy chunks(w->serialPort(), &QSerialPort::readyRead);
    pty.write(">DN=1\r\n>MN=2\r\n");
    QVERIFY(chunks.wait(2000));
    QCoreApplication::processEvents();
    delete w;          // before the values are shown
    QTest::qWait(60);  // showing them must not touch the gone window
    MainWindow again;
    auto *serialNumber = again.findChild<QLineEdit *>(QStringLiteral("serialNumberEdit"));
    QVERIFY(serialNumber->text().isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
