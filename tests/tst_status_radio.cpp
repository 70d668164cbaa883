// Radio and positioning records: position fix, modem chain, signal and operator, APN, server,
// SMS counters and the terminal's restart notice.
#include "mainwindow/mainwindow.h"
#include "testutil.h"
#include "tst_status_util.h"

#include <QAction>
#include <QLineEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QtTest>

namespace {
QProgressBar *signalBar(const MainWindow &w)
{
    return w.findChild<QProgressBar *>(QStringLiteral("signalLevelBar"));
}

const QStringList modemFields{"modemLinkEdit", "networkRegistrationEdit", "gprsServiceEdit",
                              "serverConnectionEdit", "serverReplyEdit"};
} // namespace

class TestStatusRadio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<QSerialPort::SerialPortError>(); }
    void init() {}

    void records_data();
    void records();
    void fix_data();
    void fix();
    void modemState_data();
    void modemState();
    void signalLevel_data();
    void signalLevel();
    void operatorTable_data();
    void operatorTable();
    void restartNotice_data();
    void restartNotice();
};

// Records whose fields go into line edits, with the texts they leave.
void TestStatusRadio::records_data()
{
    QTest::addColumn<QByteArrayList>("records");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("values");

    const QStringList pos{"latitudeEdit", "longitudeEdit"};
    const QByteArray fix("GK=55.1;37.2");
    QTest::newRow("GK both") << QByteArrayList{fix} << pos << QStringList{"55.1", "37.2"};
    QTest::newRow("GK shown as received")
        << QByteArrayList{"GK=-33.90;1.5e1"} << pos << QStringList{"-33.90", "1.5e1"};
    QTest::newRow("GK latitude 0 changes nothing")
        << QByteArrayList{fix, "GK=0;37.6"} << pos << QStringList{"55.1", "37.2"};
    QTest::newRow("GK latitude 0.000 changes nothing")
        << QByteArrayList{fix, "GK=0.000;37.6"} << pos << QStringList{"55.1", "37.2"};
    QTest::newRow("GK latitude not a number changes nothing")
        << QByteArrayList{fix, "GK=N55;37.6"} << pos << QStringList{"55.1", "37.2"};
    QTest::newRow("GK empty changes nothing")
        << QByteArrayList{fix, "GK="} << pos << QStringList{"55.1", "37.2"};
    QTest::newRow("GK longitude 0 keeps the longitude")
        << QByteArrayList{fix, "GK=56.5;0"} << pos << QStringList{"56.5", "37.2"};
    QTest::newRow("GK longitude not a number keeps it")
        << QByteArrayList{fix, "GK=56.5;E37"} << pos << QStringList{"56.5", "37.2"};

    const QStringList apn{"apnEdit", "apnLoginEdit", "apnPasswordEdit"};
    QTest::newRow("APN name only") << QByteArrayList{"APN=internet;;"} << apn
                                   << QStringList{"internet", "не задан", "не задан"};
    QTest::newRow("APN all three") << QByteArrayList{"APN=internet.mts.ru;mts;pass"} << apn
                                   << QStringList{"internet.mts.ru", "mts", "pass"};
    QTest::newRow("APN missing fields are not set") << QByteArrayList{"APN=;user"} << apn
                                                    << QStringList{"не задан", "user", "не задан"};
    QTest::newRow("APN field starting with NUL is not set")
        << QByteArrayList{QByteArray("APN=\0x;a;b", 10)} << apn
        << QStringList{"не задан", "a", "b"};
    QTest::newRow("APN replaces the previous values")
        << QByteArrayList{"APN=a;b;c", "APN="} << apn
        << QStringList{"не задан", "не задан", "не задан"};

    QTest::newRow("MO joins with brackets") << QByteArrayList{"MO=MTS RUS;2G"}
                                            << QStringList{"operatorEdit"}
                                            << QStringList{"MTS RUS [2G]"};
    QTest::newRow("MO empty suffix") << QByteArrayList{"MO=Tele2"} << QStringList{"operatorEdit"}
                                     << QStringList{"Tele2 []"};
    QTest::newRow("MO after ML wins") << QByteArrayList{"ML=20;250;01", "MO=Beeline;3G"}
                                      << QStringList{"operatorEdit"}
                                      << QStringList{"Beeline [3G]"};
    QTest::newRow("ML after MO wins") << QByteArrayList{"MO=Beeline;3G", "ML=20;250;01"}
                                      << QStringList{"operatorEdit"} << QStringList{"MTS"};
    QTest::newRow("MO cut at the first NUL")
        << QByteArrayList{QByteArray("MO=MT\0S;2G", 10)} << QStringList{"operatorEdit"}
        << QStringList{"MT"};

    const QStringList server{"serverEdit", "tcpCountEdit"};
    QTest::newRow("MD") << QByteArrayList{"MD=193.193.165.165;5000;2"} << server
                        << QStringList{"193.193.165.165:5000", "2"};
    QTest::newRow("MD empty") << QByteArrayList{"MD=a;1;1", "MD="} << server
                              << QStringList{":", ""};
    const QStringList sms{"smsInEdit", "smsOutEdit"};
    QTest::newRow("SMS") << QByteArrayList{"SMS=3;2;1"} << sms << QStringList{"3/2", "1"};
    QTest::newRow("SMS as received") << QByteArrayList{"SMS=x;;07"} << sms
                                     << QStringList{"x/", "07"};
}

void TestStatusRadio::records()
{
    QFETCH(QByteArrayList, records);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, values);
    MainWindow w;
    feedAll(w, records);
    QCOMPARE(texts(w, fields), values);
}

void TestStatusRadio::fix_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QStringList>("values");   // satellites, speed, altitude, HDOP, course

    // the window starts from "GS=5;10;100;20;90"
    QTest::newRow("HDOP 15") << QByteArray("GS=9;42;156;15;270")
                             << QStringList{"9", "42", "156", "1.5", "270"};
    QTest::newRow("HDOP 12") << QByteArray("GS=1;2;3;12;4") << QStringList{"1", "2", "3", "1.2", "4"};
    QTest::newRow("HDOP 7") << QByteArray("GS=1;2;3;7;4") << QStringList{"1", "2", "3", "0.7", "4"};
    QTest::newRow("HDOP 10") << QByteArray("GS=1;2;3;10;4") << QStringList{"1", "2", "3", "1", "4"};
    QTest::newRow("HDOP 9.5") << QByteArray("GS=1;2;3;9.5;4")
                              << QStringList{"1", "2", "3", "0.95", "4"};
    QTest::newRow("HDOP six significant digits")
        << QByteArray("GS=1;2;3;123456789;4") << QStringList{"1", "2", "3", "1.23457e+07", "4"};
    QTest::newRow("HDOP empty keeps it, the rest written")
        << QByteArray("GS=8;0;-5;;359") << QStringList{"8", "0", "-5", "2", "359"};
    QTest::newRow("HDOP not a number keeps it")
        << QByteArray("GS=8;0;-5;n/a;359") << QStringList{"8", "0", "-5", "2", "359"};
    QTest::newRow("empty record empties the text fields")
        << QByteArray("GS=") << QStringList{"", "", "", "2", ""};
}

void TestStatusRadio::fix()
{
    QFETCH(QByteArray, record);
    QFETCH(QStringList, values);
    MainWindow w;
    feed(w, "GS=5;10;100;20;90");
    feed(w, record);
    QCOMPARE(texts(w, {"satellitesEdit", "speedEdit", "altitudeEdit", "hdopEdit", "courseEdit"}),
             values);
}

void TestStatusRadio::modemState_data()
{
    QTest::addColumn<QByteArray>("state");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("values");

    // the window starts from state 4
    const QStringList four{"Установлена", "Пройдена", "Активирован", "-", "-"};
    QTest::newRow("0") << QByteArray("0") << "!!! MS= 0 !!!" << QStringList{"-", "-", "-", "-", "-"};
    QTest::newRow("1") << QByteArray("1") << "!!! MS= 1 !!!"
                       << QStringList{"Установлена", "Поиск", "-", "-", "-"};
    QTest::newRow("2") << QByteArray("2") << "!!! MS= 2 !!!"
                       << QStringList{"Установлена", "Пройдена", "-", "-", "-"};
    QTest::newRow("3") << QByteArray("3") << "!!! MS= 3 !!!"
                       << QStringList{"Установлена", "Пройдена", "Проверка", "-", "-"};
    QTest::newRow("4") << QByteArray("4") << "!!! MS= 4 !!!" << four;
    QTest::newRow("5") << QByteArray("5") << "!!! MS= 5 !!!"
                       << QStringList{"Установлена", "Пройдена", "Активирован", "Устанавливается",
                                      "-"};
    QTest::newRow("6") << QByteArray("6") << "!!! MS= 6 !!!"
                       << QStringList{"Установлена", "Пройдена", "Активирован", "Установлено",
                                      "Ожидание"};
    QTest::newRow("7") << QByteArray("7") << "!!! MS= 7 !!!"
                       << QStringList{"Установлена", "Пройдена", "Активирован", "Установлено",
                                      "Получен"};
    QTest::newRow("8 keeps the fields") << QByteArray("8") << "!!! MS= 8 !!!" << four;
    QTest::newRow("9 keeps the fields") << QByteArray("9") << "!!! MS= 9 !!!" << four;
    QTest::newRow("negative shown, fields kept") << QByteArray("-1") << "!!! MS= -1 !!!" << four;
    QTest::newRow("not a number shows 0, fields kept") << QByteArray("x") << "!!! MS= 0 !!!" << four;
    QTest::newRow("empty shows 0, fields kept") << QByteArray() << "!!! MS= 0 !!!" << four;
}

void TestStatusRadio::modemState()
{
    QFETCH(QByteArray, state);
    QFETCH(QString, status);
    QFETCH(QStringList, values);
    MainWindow w;
    feed(w, "MS=4");
    w.statusBar()->showMessage(QStringLiteral("before"));
    feed(w, "MS=" + state);
    QCOMPARE(w.statusBar()->currentMessage(), status);
    QCOMPARE(texts(w, modemFields), values);
}

void TestStatusRadio::signalLevel_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<int>("bar");
    QTest::addColumn<QStringList>("values");   // MCC, MNC, operator

    // the window starts from level 10 (bar 32)
    const QStringList mts{"250", "01", "MTS"};
    QTest::newRow("0") << QByteArray("ML=0;250;01") << 0 << mts;
    QTest::newRow("1") << QByteArray("ML=1;250;01") << 3 << mts;
    QTest::newRow("30") << QByteArray("ML=30;250;01") << 96 << mts;
    QTest::newRow("31 shows 99") << QByteArray("ML=31;250;01") << 99 << mts;
    QTest::newRow("32 keeps the bar") << QByteArray("ML=32;250;01") << 32 << mts;
    QTest::newRow("99 keeps the bar, writes the rest") << QByteArray("ML=99;250;99") << 32
                                                       << QStringList{"250", "99", "Beeline"};
    QTest::newRow("huge level keeps the bar") << QByteArray("ML=4294967295;250;01") << 32 << mts;
    QTest::newRow("not a number keeps the bar, writes the rest")
        << QByteArray("ML=x;257;02") << 32 << QStringList{"257", "02", "MTS BY"};
    QTest::newRow("negative keeps the bar") << QByteArray("ML=-1;250;01") << 32 << mts;
    QTest::newRow("no network") << QByteArray("ML=5;;") << 16
                                << QStringList{"", "", "Не определен"};
}

void TestStatusRadio::signalLevel()
{
    QFETCH(QByteArray, record);
    QFETCH(int, bar);
    QFETCH(QStringList, values);
    MainWindow w;
    feed(w, "ML=10;1;1");
    QCOMPARE(signalBar(w)->value(), 32);
    feed(w, record);
    QCOMPARE(signalBar(w)->value(), bar);
    QVERIFY(signalBar(w)->isTextVisible());
    QCOMPARE(texts(w, {"mccEdit", "mncEdit", "operatorEdit"}), values);
}

void TestStatusRadio::operatorTable_data()
{
    QTest::addColumn<QByteArray>("mcc");
    QTest::addColumn<QByteArray>("mnc");
    QTest::addColumn<QString>("name");

    QTest::newRow("Beeline") << QByteArray("250") << QByteArray("99") << "Beeline";
    QTest::newRow("MTS") << QByteArray("250") << QByteArray("01") << "MTS";
    QTest::newRow("MegaFon") << QByteArray("250") << QByteArray("02") << "MegaFon";
    QTest::newRow("TELE") << QByteArray("250") << QByteArray("20") << "TELE";
    QTest::newRow("MTS BY") << QByteArray("257") << QByteArray("02") << "MTS BY";
    QTest::newRow("VELCOM") << QByteArray("257") << QByteArray("01") << "VELCOM";
    QTest::newRow("ROGERS, three-digit MNC") << QByteArray("302") << QByteArray("720") << "ROGERS";
    QTest::newRow("K-CELL") << QByteArray("401") << QByteArray("02") << "K-CELL";
    QTest::newRow("BeeLineKZ") << QByteArray("401") << QByteArray("01") << "BeeLineKZ";
    QTest::newRow("WIND") << QByteArray("222") << QByteArray("88") << "WIND";
    QTest::newRow("MTS UA") << QByteArray("255") << QByteArray("01") << "MTS UA";
    QTest::newRow("Kyivstar") << QByteArray("255") << QByteArray("03") << "Kyivstar";
    QTest::newRow("Life") << QByteArray("255") << QByteArray("06") << "Life";
    QTest::newRow("Orange Mali") << QByteArray("610") << QByteArray("02") << "Orange Mali";
    QTest::newRow("Tigo") << QByteArray("608") << QByteArray("02") << "Tigo";
    QTest::newRow("MNC without leading zero is another code")
        << QByteArray("250") << QByteArray("1") << "Не определен";
    QTest::newRow("codes join as text, not as sum")
        << QByteArray("2500") << QByteArray("1") << "MTS";
    QTest::newRow("unknown") << QByteArray("250") << QByteArray("11") << "Не определен";
    QTest::newRow("not a number") << QByteArray("25O") << QByteArray("01") << "Не определен";
    QTest::newRow("too long for a number") << QByteArray("25001") << QByteArray("25001250")
                                           << "Не определен";
}

void TestStatusRadio::operatorTable()
{
    QFETCH(QByteArray, mcc);
    QFETCH(QByteArray, mnc);
    QFETCH(QString, name);
    MainWindow w;
    feed(w, "MO=previous;x");
    w.dispatchRecord("ML", "20", mcc, mnc, QByteArray(), QByteArray());
    QCOMPARE(text(w, "operatorEdit"), name);
}

// The restart record closes the port first, then tells the user when its field is a number.
void TestStatusRadio::restartNotice_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<bool>("box");
    QTest::newRow("1: box") << QByteArray("1") << true;
    QTest::newRow("0: box") << QByteArray("0") << true;
    QTest::newRow("empty: silent") << QByteArray() << false;
    QTest::newRow("not a number: silent") << QByteArray("x") << false;
}

void TestStatusRadio::restartNotice()
{
    QFETCH(QByteArray, field);
    QFETCH(bool, box);

    Pty pty;
    MainWindow w;
    connectTo(w, pty.slavePath);
    QVERIFY(w.serialPort()->isOpen());
    QCOMPARE(pty.read(24), QByteArray(">I 0\r\n>I 1\r\n>I 3\r\n>I 7\r\n"));
    feed(w, "DI=31;1;0");
    feed(w, "SMS=1;1;1");
    QCOMPARE(modelCode(w), 31u);

    bool openWhileBox = true;
    QStringList titles, bodies;
    BoxWatcher watcher([&](QMessageBox *b) {
        openWhileBox = w.serialPort()->isOpen();
        titles << b->windowTitle();
        bodies << b->text();
        b->button(QMessageBox::Ok)->click();
    });
    w.dispatchRecord("RD", field, QByteArray(), QByteArray(), QByteArray(), QByteArray());

    QVERIFY(!w.serialPort()->isOpen());
    QCOMPARE(modelCode(w), 0u);
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Ожидание терминала…"));
    QVERIFY(!w.findChild<QAction *>("actionRestart_Device")->isEnabled());
    // the page keeps what it showed
    QCOMPARE(text(w, "smsInEdit"), QStringLiteral("1/1"));
    if (box) {
        QCOMPARE(titles, QStringList{"Перезагрузка устройства"});
        QCOMPARE(bodies, QStringList{"Устройство перезагружено\r\nCOM порт закрыт"});
        QVERIFY(!openWhileBox);
    } else {
        QCOMPARE(titles, QStringList());
    }
}

QTEST_MAIN(TestStatusRadio)
#include "tst_status_radio.moc"
