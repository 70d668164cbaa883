// Identity and state records on the device parameters page.
#include "mainwindow/mainwindow.h"
#include "tst_status_util.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

#include <time.h>

namespace {
const QStringList statusFields{"internalMemoryEdit", "externalMemoryEdit", "clockEdit",
                               "accelerometerEdit",  "gnssStateEdit",      "gsmStateEdit",
                               "sim1Edit",           "pin1Edit",           "sim2Edit",
                               "pin2Edit"};
} // namespace

class TestStatusIdentity : public QObject
{
    Q_OBJECT

private slots:



    void identity_data();
    void identity();
    void identityWarningComesAfterTheFields();
    void identityWarningOpensOnce();
    void tachographActionStaysOnForOtherModels();
    void textRecords_data();
    void textRecords();
    void tasks_data();
    void tasks();
    void clock_data();
    void clock();
    void deviceStatus_data();
    void deviceStatus();
};

void TestStatusIdentity::identity_data()
{
    QTest::addColumn<QByteArrayList>("before");
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("version");
    QTest::addColumn<uint>("modelCode");
    QTest::addColumn<bool>("warning");
    QTest::addColumn<bool>("tachograph");

    const QByteArrayList none;
    const QByteArrayList kvt2{"DI=30;1;5"};
    QTest::newRow("KVT3 0.70") << none << QByteArray("DI=31;0;70") << "KVT3" << "0.70" << 31u
                               << false << false;
    QTest::newRow("tachograph model") << none << QByteArray("DI=20;1;2") << "KVT2 Tacho" << "1.2"
                                      << 20u << false << true;
    QTest::newRow("KVT2") << none << QByteArray("DI=30;1;0") << "KVT2" << "1.0" << 30u << false
                          << false;
    QTest::newRow("KVT D") << none << QByteArray("DI=107;0;99") << "KVT D" << "0.99" << 107u
                           << false << false;
    QTest::newRow("KVT B") << none << QByteArray("DI=108;2;1") << "KVT B" << "2.1" << 108u
                           << false << false;
    QTest::newRow("unknown model keeps the model text")
        << kvt2 << QByteArray("DI=55;1;0") << "KVT2" << "1.0" << 55u << false << false;
    QTest::newRow("model 0, 0.63: warning")
        << kvt2 << QByteArray("DI=0;0;63") << "KVT2" << "0.63" << 0u << true << false;
    QTest::newRow("model 0, 0.64: no warning")
        << kvt2 << QByteArray("DI=0;0;64") << "KVT2" << "0.64" << 0u << false << false;
    QTest::newRow("old firmware of a known model: no warning")
        << none << QByteArray("DI=31;0;5") << "KVT3" << "0.5" << 31u << false << false;
    QTest::newRow("version parts not numbers count as 0")
        << none << QByteArray("DI=0;x;y") << "" << "x.y" << 0u << true << false;
    QTest::newRow("major version alone") << none << QByteArray("DI=0;1;") << "" << "1." << 0u
                                         << false << false;
    QTest::newRow("huge major version does not wrap to an old one")
        << none << QByteArray("DI=0;42949673;0") << "" << "42949673.0" << 0u << false << false;
    QTest::newRow("model not a number changes nothing")
        << kvt2 << QByteArray("DI=3x;0;10") << "KVT2" << "1.5" << 30u << false << false;
    QTest::newRow("empty model changes nothing")
        << kvt2 << QByteArray("DI=;0;10") << "KVT2" << "1.5" << 30u << false << false;
    QTest::newRow("version shown up to a NUL")
        << none << QByteArray("DI=31;1\0" "9;2", 11) << "KVT3" << "1" << 31u << false << false;
}

void TestStatusIdentity::identity()
{
    QFETCH(QByteArrayList, before);
    QFETCH(QByteArray, record);
    QFETCH(QString, model);
    QFETCH(QString, version);
    QFETCH(uint, modelCode);
    QFETCH(bool, warning);
    QFETCH(bool, tachograph);

    MainWindow w;
    feedAll(w, before);
    QStringList titles, bodies;
    BoxWatcher watcher([&](QMessageBox *box) {
        titles << box->windowTitle();
        bodies << box->text();
        box->button(QMessageBox::Ok)->click();
    });
    feed(w, record);

    QCOMPARE(text(w, "modelEdit"), model);
    QCOMPARE(text(w, "firmwareVersionEdit"), version);
    QCOMPARE(::modelCode(w), modelCode);
    QCOMPARE(w.findChild<QAction *>("actionTaho")->isEnabled(), tachograph);
    if (warning) {
        QCOMPARE(titles, QStringList{"Внимание"});
        QCOMPARE(bodies, QStringList{"Версия ПО устройства устарела\r\nТребуется версия ПО не ниже 0.64"});
    } else {
        QCOMPARE(titles, QStringList());
    }
}

// The box waits for the user, centred on the window; the fields and the model code are
// already written by then.
void TestStatusIdentity::identityWarningComesAfterTheFields()
{
    MainWindow w;
    QString versionWhileOpen;
    uint codeWhileOpen = 99;
    QMessageBox::StandardButtons buttons;
    QWidget *parent = reinterpret_cast<QWidget *>(1);
    BoxWatcher watcher([&](QMessageBox *box) {
        versionWhileOpen = text(w, "firmwareVersionEdit");
        codeWhileOpen = modelCode(w);
        buttons = box->standardButtons();
        parent = box->parentWidget();
        box->button(QMessageBox::Ok)->click();
    });
    feed(w, "DI=0;0;12");
    QCOMPARE(watcher.count, 1);
    QCOMPARE(versionWhileOpen, QStringLiteral("0.12"));
    QCOMPARE(codeWhileOpen, 0u);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(parent, static_cast<QWidget *>(&w));
}

// The same identity again while its box stands open (the terminal replugged, asked again)
// opens no second box; once closed, the next one opens it again.
void TestStatusIdentity::identityWarningOpensOnce()
{
    MainWindow w;
    BoxWatcher watcher([&](QMessageBox *box) {
        if (watcher.count == 1) {
            feed(w, "DI=0;0;12");
            feed(w, "DI=0;0;12");
        }
        box->button(QMessageBox::Ok)->click();
    });
    feed(w, "DI=0;0;12");
    QCOMPARE(watcher.count, 1);
    feed(w, "DI=0;0;12");
    QCOMPARE(watcher.count, 2);
}

void TestStatusIdentity::tachographActionStaysOnForOtherModels()
{
    MainWindow w;
    QAction *taho = w.findChild<QAction *>("actionTaho");
    feed(w, "DI=31;1;0");
    QVERIFY(!taho->isEnabled());
    feed(w, "DI=20;1;0");
    QVERIFY(taho->isEnabled());
    feed(w, "DI=31;1;0");
    QVERIFY(taho->isEnabled());
}

void TestStatusIdentity::textRecords_data()
{
    QTest::addColumn<QByteArrayList>("records");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("values");

    QTest::newRow("serial number") << QByteArrayList{"DN=000123"} << QStringList{"serialNumberEdit"}
                                   << QStringList{"000123"};
    QTest::newRow("IMEI") << QByteArrayList{"MN=861234567890123"} << QStringList{"imeiEdit"}
                          << QStringList{"861234567890123"};
    QTest::newRow("packets: sent first, written second")
        << QByteArrayList{"RW=12;34"} << QStringList{"packetsSentEdit", "packetsWrittenEdit"}
        << QStringList{"12", "34"};
    QTest::newRow("voltages as received")
        << QByteArrayList{"PB=12450;04100"}
        << QStringList{"externalVoltageEdit", "batteryVoltageEdit"}
        << QStringList{"12450", "04100"};
    QTest::newRow("empty field empties")
        << QByteArrayList{"RW=5;6", "RW=;"} << QStringList{"packetsSentEdit", "packetsWrittenEdit"}
        << QStringList{"", ""};
    QTest::newRow("no checks, no trimming") << QByteArrayList{"DN= x-1 "}
                                            << QStringList{"serialNumberEdit"}
                                            << QStringList{" x-1 "};
    QTest::newRow("cut at NUL") << QByteArrayList{QByteArray("MN=8612\0" "99", 10)}
                                << QStringList{"imeiEdit"} << QStringList{"8612"};
    QTest::newRow("UTF-8") << QByteArrayList{"PB=нет;—"}
                           << QStringList{"externalVoltageEdit", "batteryVoltageEdit"}
                           << QStringList{"нет", "—"};
}

void TestStatusIdentity::textRecords()
{
    QFETCH(QByteArrayList, records);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, values);
    MainWindow w;
    feedAll(w, records);
    QCOMPARE(texts(w, fields), values);
}

void TestStatusIdentity::tasks_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("settingsTask");
    QTest::addColumn<QString>("firmwareTask");

    // the window starts from "DF=1;1": both fields show "Загрузка"
    QTest::newRow("0 and 3") << QByteArray("DF=0;3") << "Нет заданий" << "Синхронизация";
    QTest::newRow("2 and 0") << QByteArray("DF=2;0") << "Подтверждение" << "Нет заданий";
    QTest::newRow("5 keeps, 2 shows") << QByteArray("DF=5;2") << "Загрузка" << "Подтверждение";
    QTest::newRow("not a number keeps") << QByteArray("DF=x;3") << "Загрузка" << "Синхронизация";
    QTest::newRow("empty fields keep") << QByteArray("DF=") << "Загрузка" << "Загрузка";
    QTest::newRow("negative keeps") << QByteArray("DF=-1;4") << "Загрузка" << "Загрузка";
}

void TestStatusIdentity::tasks()
{
    QFETCH(QByteArray, record);
    QFETCH(QString, settingsTask);
    QFETCH(QString, firmwareTask);
    MainWindow w;
    feed(w, "DF=1;1");
    feed(w, record);
    QCOMPARE(text(w, "settingsTaskEdit"), settingsTask);
    QCOMPARE(text(w, "firmwareTaskEdit"), firmwareTask);
}

void TestStatusIdentity::clock_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("deviceTime");
    QTest::addColumn<QString>("runTime");

    // the window starts from "TW=86400;1": 02-01-1970 and 0:0:1 in UTC
    QTest::newRow("epoch in UTC") << QByteArray("UTC0") << QByteArray("TW=0;3725")
                                  << "01-01-1970  00:00:00" << "1:2:5";
    QTest::newRow("local time east of UTC")
        << QByteArray("XYZ-3") << QByteArray("TW=0;0") << "01-01-1970  03:00:00" << "0:0:0";
    QTest::newRow("24-hour clock") << QByteArray("UTC0") << QByteArray("TW=1700000000;90000")
                                   << "14-11-2023  22:13:20" << "25:0:0";
    QTest::newRow("clock not a number keeps it")
        << QByteArray("UTC0") << QByteArray("TW=abc;59") << "02-01-1970  00:00:00" << "0:0:59";
    QTest::newRow("running time not a number keeps it")
        << QByteArray("UTC0") << QByteArray("TW=60;1.5") << "01-01-1970  00:01:00" << "0:0:1";
    QTest::newRow("negative keeps both") << QByteArray("UTC0") << QByteArray("TW=-1;-1")
                                         << "02-01-1970  00:00:00" << "0:0:1";
}

void TestStatusIdentity::clock()
{
    QFETCH(QByteArray, zone);
    QFETCH(QByteArray, record);
    QFETCH(QString, deviceTime);
    QFETCH(QString, runTime);
    const QByteArray oldZone = qgetenv("TZ");
    qputenv("TZ", "UTC0");
    ::tzset();
    MainWindow w;
    feed(w, "TW=86400;1");
    qputenv("TZ", zone);
    ::tzset();
    feed(w, record);
    qputenv("TZ", oldZone);
    ::tzset();
    QCOMPARE(text(w, "deviceTimeEdit"), deviceTime);
    QCOMPARE(text(w, "runTimeEdit"), runTime);
}

void TestStatusIdentity::deviceStatus_data()
{
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<QStringList>("values");

    const QString ok = QStringLiteral("Ok");
    auto bits = [](std::initializer_list<int> list) {
        quint32 v = 0;
        for (int b : list)
            v |= 1u << b;
        return QByteArray::number(v);
    };
    const QStringList zero{"Нет настроек", "Не обнаружена", "Ошибка в работе", "Не обнаружен",
                           "Выкл", "Выкл", "Отсутствует", "Не требуется", "Отсутствует",
                           "Не требуется"};
    auto with = [&](std::initializer_list<std::pair<int, const char *>> changes) {
        QStringList v = zero;
        for (const auto &c : changes)
            v[c.first] = QString::fromUtf8(c.second);
        return v;
    };
    QTest::newRow("0") << QByteArray("0") << zero;
    QTest::newRow("memories and clock") << bits({0, 1, 2})
                                        << with({{0, "Ok"}, {1, "Ok"}, {2, "Ok"}});
    QTest::newRow("9 and 10: accelerometer and NMEA")
        << bits({9, 10}) << with({{3, "Ok"}, {4, "NMEA есть"}});
    QTest::newRow("9 alone: no NMEA") << bits({9}) << with({{4, "Нет NMEA"}});
    QTest::newRow("10 alone: accelerometer, receiver off") << bits({10}) << with({{3, "Ok"}});
    QTest::newRow("3 alone: GSM error") << bits({3}) << with({{5, "Ошибка"}});
    QTest::newRow("3 and 5: online") << bits({3, 5}) << with({{5, "На связи"}});
    QTest::newRow("5 alone: off") << bits({5}) << zero;
    QTest::newRow("SIM 1 in use") << bits({6}) << with({{6, "Есть (В работе)"}});
    QTest::newRow("both SIMs, SIM 1 in use")
        << bits({6, 16}) << with({{6, "Есть (В работе)"}, {8, "Есть"}});
    QTest::newRow("both SIMs, SIM 2 in use")
        << bits({6, 13, 16}) << with({{6, "Есть"}, {8, "Есть (В работе)"}});
    QTest::newRow("SIM 2 alone in use") << bits({13, 16}) << with({{8, "Есть (В работе)"}});
    QTest::newRow("PIN 1 required") << bits({17}) << with({{7, "Требуется"}});
    QTest::newRow("PIN 1 entered") << bits({17, 18}) << zero;
    QTest::newRow("18 alone") << bits({18}) << zero;
    QTest::newRow("PIN 2 required") << bits({7}) << with({{9, "Требуется"}});
    QTest::newRow("PIN 2 entered") << bits({7, 8}) << zero;
    QTest::newRow("bits above 18 ignored") << bits({19, 20, 24, 31}) << zero;
    QTest::newRow("all bits")
        << QByteArray("4294967295")
        << QStringList{ok,          ok,          ok,          ok,
                       "NMEA есть", "На связи", "Есть",      "Не требуется",
                       "Есть (В работе)",        "Не требуется"};
}

void TestStatusIdentity::deviceStatus()
{
    QFETCH(QByteArray, word);
    QFETCH(QStringList, values);
    MainWindow w;
    feed(w, "DS=" + word);
    QCOMPARE(texts(w, statusFields), values);

    // a word that is not a number leaves every field as it is
    for (const QByteArray bad : {QByteArray("abc"), QByteArray(), QByteArray("-1"),
                                 QByteArray("4294967296"), QByteArray("12x")}) {
        feed(w, "DS=" + bad);
        QCOMPARE(texts(w, statusFields), values);
    }
}

QTEST_MAIN(TestStatusIdentity)
#include "tst_status_identity.moc"
