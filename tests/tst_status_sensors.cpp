// Sensor and CAN records: CAN values and indicators, fuel level sensors, 1-Wire, inputs and
// outputs.
#include "tst_status_util.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

namespace {
QString caption(const PageUnderTest &w, const QString &labelName)
{
    const auto *l = pageOf(w)->findChild<QLabel *>(labelName);
    return l ? l->text() : QStringLiteral("<no label %1>").arg(labelName);
}

// The captions of the checked indicators of a group, in the group's order.
QStringList checkedIndicators(const PageUnderTest &w, const char *groupName)
{
    const auto *group = pageOf(w)->findChild<QGroupBox *>(QLatin1String(groupName));
    const auto *form = qobject_cast<QFormLayout *>(group->layout());
    QStringList on;
    for (int row = 0; row < form->rowCount(); ++row) {
        auto *label = qobject_cast<QLabel *>(form->itemAt(row, QFormLayout::LabelRole)->widget());
        auto *button =
            qobject_cast<QRadioButton *>(form->itemAt(row, QFormLayout::FieldRole)->widget());
        if (button->isChecked())
            on << label->text();
    }
    return on;
}

QStringList allLamps()
{
    return {"Ремень пассажира",
            "Ремень водителя",
            "ESP, ASC",
            "Свечи предварительного накала",
            "Сажевый фильтр",
            "Управление двигателем (бензин)",
            "Габаритные огни",
            "Ближний свет",
            "Дальний свет",
            "Контроль отработавших газов",
            "Габариты, лампа заднего хода",
            "Давление воздуха в шинах",
            "Накладки тормозной колодки",
            "Пробуксовка?",
            "ABS",
            "Запас топлива",
            "Требуется остановка",
            "Давление масла",
            "Система охлаждения",
            "Тормозная система",
            "Разряд АКБ",
            "Подушки безопасности"};
}

QByteArray bits(std::initializer_list<int> list)
{
    quint32 v = 0;
    for (int b : list)
        v |= 1u << b;
    return QByteArray::number(v);
}
} // namespace

class TestStatusSensors : public QObject
{
    Q_OBJECT

private slots:
    void records_data();
    void records();
    void fuelLevelCaption_data();
    void fuelLevelCaption();
    void lamps_data();
    void lamps();
    void security_data();
    void security();
    void inputsAndOutputs_data();
    void inputsAndOutputs();
    void rowsSixAndSevenNeverWritten();
};

// Records whose fields go into line edits of the panel, with the texts they leave.
void TestStatusSensors::records_data()
{
    QTest::addColumn<QByteArrayList>("records");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("values");

    const QStringList can{"canDataProgramEdit", "canDataValidEdit"};
    QTest::newRow("C#") << QByteArrayList{"C#=115;120;3"} << can << QStringList{"115", "120 / 3"};
    QTest::newRow("C# empty counts") << QByteArrayList{"C#=7"} << can << QStringList{"7", " / "};

    const QStringList hours{"engineHoursEdit"};
    QTest::newRow("CA 250") << QByteArrayList{"CA=250"} << hours << QStringList{"2.5"};
    QTest::newRow("CB like CA") << QByteArrayList{"CB=250"} << hours << QStringList{"2.5"};
    QTest::newRow("CA six significant digits")
        << QByteArrayList{"CA=1234567"} << hours << QStringList{"12345.7"};
    QTest::newRow("CA one million hours") << QByteArrayList{"CA=100000000"} << hours
                                          << QStringList{"1e+06"};
    QTest::newRow("CA small") << QByteArrayList{"CA=0.001"} << hours << QStringList{"1e-05"};
    QTest::newRow("CA not a number keeps")
        << QByteArrayList{"CA=250", "CA=12h"} << hours << QStringList{"2.5"};
    QTest::newRow("CB empty keeps") << QByteArrayList{"CB=250", "CB="} << hours
                                    << QStringList{"2.5"};
    const QStringList mileage{"mileageEdit"};
    QTest::newRow("CC") << QByteArrayList{"CC=98765432"} << mileage << QStringList{"987654"};
    QTest::newRow("CD like CC") << QByteArrayList{"CD=987654321"} << mileage
                                << QStringList{"9.87654e+06"};
    QTest::newRow("CC not a number keeps")
        << QByteArrayList{"CC=100", "CC=x"} << mileage << QStringList{"1"};
    const QStringList fuelUsed{"fuelUsedEdit"};
    QTest::newRow("CE divides by 10") << QByteArrayList{"CE=5"} << fuelUsed << QStringList{"0.5"};
    QTest::newRow("CF like CE") << QByteArrayList{"CF=123456"} << fuelUsed
                                << QStringList{"12345.6"};
    QTest::newRow("CE negative") << QByteArrayList{"CE=-15"} << fuelUsed << QStringList{"-1.5"};
    QTest::newRow("CG") << QByteArrayList{"CG=455"} << QStringList{"fuelLevelEdit"}
                        << QStringList{"45.5"};
    QTest::newRow("CR") << QByteArrayList{"CR=1000"} << QStringList{"fuelLevelEdit"}
                        << QStringList{"100"};

    QTest::newRow("values as received")
        << QByteArrayList{"CH=1800", "CI=-7", "CJ=64.5", "CK=5200", "CL=7100", "CM=a", "CN=",
                          "CO=0009", "CV=40%"}
        << QStringList{"engineRpmEdit", "engineTempEdit", "vehicleSpeedEdit", "axleLoad1Edit",
                       "axleLoad2Edit", "axleLoad3Edit", "axleLoad4Edit", "axleLoad5Edit",
                       "adBlueLevelEdit"}
        << QStringList{"1800", "-7", "64.5", "5200", "7100", "a", "", "0009", "40%"};
    QTest::newRow("CU shows in the AdBlue row")
        << QByteArrayList{"CV=40", "CU=17"}
        << QStringList{"adBlueLevelEdit", "pedalPositionEdit", "engineLoadEdit"}
        << QStringList{"17", "", ""};
    QTest::newRow("codes as received") << QByteArrayList{"CP=64x", "CS=abc"}
                                       << QStringList{"alarmControllersEdit", "securityStateEdit"}
                                       << QStringList{"64x", "abc"};

    const QStringList lls3{"llsLevelEdit3", "llsTempEdit3"};
    QTest::newRow("LLS 3") << QByteArrayList{"LLS=x;3;1500;21"} << lls3
                           << QStringList{"1500", "21"};
    QTest::newRow("LLS 0 and 6")
        << QByteArrayList{"LLS=;0;1;2", "LLS=;6;13;14"}
        << QStringList{"llsLevelEdit0", "llsTempEdit0", "llsLevelEdit6", "llsTempEdit6"}
        << QStringList{"1", "2", "13", "14"};
    for (const char *bad : {"7", "00", "", " 3", "3 ", "-1", "a"})
        QTest::newRow(qPrintable(QStringLiteral("LLS number '%1' changes nothing").arg(bad)))
            << QByteArrayList{"LLS=;3;1;2", QByteArray("LLS=;") + bad + ";9;9"} << lls3
            << QStringList{"1", "2"};
    QTest::newRow("LLS number cut at NUL")
        << QByteArrayList{QByteArray("LLS=;3\0x;5;6", 12)} << lls3 << QStringList{"5", "6"};

    const QStringList owt5{"thermoAddressEdit5", "thermoTempEdit5"};
    QTest::newRow("OWT 5") << QByteArrayList{"OWT=5;28FF6A1C2216045C;21.5"} << owt5
                           << QStringList{"28FF6A1C2216045C", "21.5"};
    QTest::newRow("OWT 0") << QByteArrayList{"OWT=0;A;B"}
                           << QStringList{"thermoAddressEdit0", "thermoTempEdit0"}
                           << QStringList{"A", "B"};
    for (const char *bad : {"6", "05", "", "x"})
        QTest::newRow(qPrintable(QStringLiteral("OWT number '%1' changes nothing").arg(bad)))
            << QByteArrayList{"OWT=5;A;B", QByteArray("OWT=") + bad + ";C;D"} << owt5
            << QStringList{"A", "B"};

    const QStringList key{"keyIdEdit"};
    QTest::newRow("OWK 0") << QByteArrayList{"OWK=0;01A2B3C4D5E6F7"} << key
                           << QStringList{"01A2B3C4D5E6F7"};
    QTest::newRow("OWK 1 changes nothing") << QByteArrayList{"OWK=0;K", "OWK=1;L"} << key
                                           << QStringList{"K"};
    QTest::newRow("OWK empty number changes nothing") << QByteArrayList{"OWK=0;K", "OWK=;L"}
                                                      << key << QStringList{"K"};
}

void TestStatusSensors::records()
{
    QFETCH(QByteArrayList, records);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, values);
    PageUnderTest w;
    feedAll(w, records);
    QCOMPARE(texts(w, fields), values);
}

void TestStatusSensors::fuelLevelCaption_data()
{
    QTest::addColumn<QByteArrayList>("records");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("value");

    const QString percent = QStringLiteral("Уровень топлива в баке (%)");
    const QString litres = QStringLiteral("Уровень топлива в баке (л)");
    QTest::newRow("at start") << QByteArrayList{} << percent << "";
    QTest::newRow("CR switches to litres") << QByteArrayList{"CR=455"} << litres << "45.5";
    QTest::newRow("CG then CR") << QByteArrayList{"CG=500", "CR=455"} << litres << "45.5";
    QTest::newRow("CR then CG") << QByteArrayList{"CR=455", "CG=500"} << percent << "50";
    QTest::newRow("CR not a number switches nothing")
        << QByteArrayList{"CG=500", "CR=x"} << percent << "50";
    QTest::newRow("CG not a number switches nothing")
        << QByteArrayList{"CR=455", "CG="} << litres << "45.5";
}

void TestStatusSensors::fuelLevelCaption()
{
    QFETCH(QByteArrayList, records);
    QFETCH(QString, caption);
    QFETCH(QString, value);
    PageUnderTest w;
    feedAll(w, records);
    QCOMPARE(::caption(w, "fuelLevelLabel"), caption);
    QCOMPARE(text(w, "fuelLevelEdit"), value);
}

void TestStatusSensors::lamps_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QStringList>("lamps");

    QTest::newRow("64: passenger belt only") << QByteArray("64")
                                             << QStringList{"Ремень пассажира"};
    QTest::newRow("bit 15 ignored") << QByteArray("32768") << QStringList();
    QTest::newRow("bits 0 to 5 ignored") << QByteArray("63") << QStringList();
    QTest::newRow("bits 23, 30, 31 ignored") << bits({23, 30, 31}) << QStringList();
    QTest::newRow("-1: all 22") << QByteArray("-1") << allLamps();
    QTest::newRow("all bits as unsigned") << QByteArray("4294967295") << allLamps();
    QTest::newRow("14 and 16 around the gap")
        << bits({14, 16}) << QStringList{"Дальний свет", "Контроль отработавших газов"};
    QTest::newRow("22 and 24 around the gap")
        << bits({22, 24}) << QStringList{"Запас топлива", "Требуется остановка"};
    QTest::newRow("29: airbags") << bits({29}) << QStringList{"Подушки безопасности"};
    QTest::newRow("leading number read") << QByteArray(" +4160 lamps")
                                         << QStringList{"Ремень пассажира", "Габаритные огни"};
    QTest::newRow("not a number: none") << QByteArray("lamps") << QStringList();
    QTest::newRow("0: none") << QByteArray("0") << QStringList();
}

// Each code replaces the whole set of lamps.
void TestStatusSensors::lamps()
{
    QFETCH(QByteArray, code);
    QFETCH(QStringList, lamps);
    PageUnderTest w;
    feed(w, "CP=" + bits({7, 21, 28}));
    QCOMPARE(checkedIndicators(w, "lampFlagsGroup"),
             (QStringList{"Ремень водителя", "ABS", "Разряд АКБ"}));
    feed(w, "CP=" + code);
    QCOMPARE(checkedIndicators(w, "lampFlagsGroup"), lamps);
    QCOMPARE(text(w, "alarmControllersEdit"), QString::fromUtf8(code));
    QCOMPARE(checkedIndicators(w, "securityFlagsGroup"), QStringList());
}

void TestStatusSensors::security_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QStringList>("flags");

    QTest::newRow("260: fob lock and driver door")
        << QByteArray("260") << QStringList{"Закрыто брелоком", "Дверь водителя"};
    QTest::newRow("0: none") << QByteArray("0") << QStringList();
    QTest::newRow("code 1") << QByteArray("1") << QStringList{"Штатная блокировка"};
    QTest::newRow("code 2") << QByteArray("2") << QStringList{"Штатная разблокировка"};
    QTest::newRow("code 3") << QByteArray("3") << QStringList{"Багажник"};
    QTest::newRow("code 4") << QByteArray("4") << QStringList{"Закрыто брелоком"};
    QTest::newRow("code 7") << QByteArray("7") << QStringList{"Модуль спит"};
    QTest::newRow("codes 5, 6, 8, 255: none") << QByteArray("5") << QStringList();
    QTest::newRow("code 6") << QByteArray("6") << QStringList();
    QTest::newRow("code 8") << QByteArray("8") << QStringList();
    QTest::newRow("code 255") << QByteArray("255") << QStringList();
    QTest::newRow("code and flag on the same indicator")
        << QByteArray(QByteArray::number(3 | (1 << 10))) << QStringList{"Багажник"};
    QTest::newRow("bits 8 to 14")
        << bits({8, 9, 10, 11, 12, 13, 14})
        << QStringList{"Дверь водителя", "Пассажирские двери", "Багажник", "Капот",
                       "Ручной тормоз", "Ножной тормоз", "Двигатель работает"};
    QTest::newRow("bit 16: ignition") << bits({16}) << QStringList{"Зажигание"};
    QTest::newRow("bit 17: alarm system") << bits({17}) << QStringList{"Сигнализация"};
    QTest::newRow("bit 18: fob lock") << bits({18}) << QStringList{"Закрыто брелоком"};
    QTest::newRow("bit 19: key") << bits({19}) << QStringList{"Ключ вставлен"};
    QTest::newRow("bit 20 as ignition") << bits({20}) << QStringList{"Зажигание"};
    QTest::newRow("bit 21 as passenger doors") << bits({21}) << QStringList{"Пассажирские двери"};
    QTest::newRow("bit 22 as passenger doors") << bits({22}) << QStringList{"Пассажирские двери"};
    QTest::newRow("bit 15 and 23 to 31 ignored")
        << bits({15, 23, 24, 25, 26, 27, 28, 29, 30, 31}) << QStringList();
    QTest::newRow("-1") << QByteArray("-1")
                        << QStringList{"Зажигание", "Ключ вставлен", "Сигнализация",
                                       "Закрыто брелоком", "Дверь водителя", "Пассажирские двери",
                                       "Багажник", "Капот", "Ручной тормоз", "Ножной тормоз",
                                       "Двигатель работает"};
    QTest::newRow("not a number: none") << QByteArray("x260") << QStringList();
}

// Each code replaces the whole set of security indicators.
void TestStatusSensors::security()
{
    QFETCH(QByteArray, code);
    QFETCH(QStringList, flags);
    PageUnderTest w;
    feed(w, "CS=" + QByteArray::number(7 | (1 << 11) | (1 << 19)));
    QCOMPARE(checkedIndicators(w, "securityFlagsGroup"),
             (QStringList{"Ключ вставлен", "Капот", "Модуль спит"}));
    feed(w, "CS=" + code);
    QCOMPARE(checkedIndicators(w, "securityFlagsGroup"), flags);
    QCOMPARE(text(w, "securityStateEdit"), QString::fromUtf8(code));
    QCOMPARE(checkedIndicators(w, "lampFlagsGroup"), QStringList());
}

void TestStatusSensors::inputsAndOutputs_data()
{
    QTest::addColumn<QByteArrayList>("records");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("value");

    QTest::newRow("O24 on") << QByteArrayList{"O24=1"} << 4 << "IN4_U Выход" << "Вкл";
    QTest::newRow("O14 off") << QByteArrayList{"O14=0"} << 4 << "IN4_U Выход" << "Выкл";
    QTest::newRow("O15 on") << QByteArrayList{"O15=1"} << 5 << "IN5_U Выход" << "Вкл";
    QTest::newRow("O25 2 is off") << QByteArrayList{"O25=2"} << 5 << "IN5_U Выход" << "Выкл";
    QTest::newRow("output not a number is off") << QByteArrayList{"O14=on"} << 4 << "IN4_U Выход"
                                                << "Выкл";
    QTest::newRow("O16 is no output record") << QByteArrayList{"O16=1"} << 4 << "IN4" << "";
    QTest::newRow("O34 is no output record") << QByteArrayList{"O34=1"} << 4 << "IN4" << "";
    QTest::newRow("O13 is no output record") << QByteArrayList{"O13=1"} << 4 << "IN4" << "";

    QTest::newRow("ID1 closed") << QByteArrayList{"ID1=1"} << 1 << "IN1_D Дискретный"
                                << " Замкнут";
    QTest::newRow("ID1 open") << QByteArrayList{"ID1=0"} << 1 << "IN1_D Дискретный"
                              << " Разомкнут";
    QTest::newRow("ID1 not a number is open") << QByteArrayList{"ID1=yes"} << 1
                                              << "IN1_D Дискретный" << " Разомкнут";
    QTest::newRow("ID0 2 is open") << QByteArrayList{"ID0=2"} << 0 << "IN0_D Дискретный"
                                   << " Разомкнут";
    QTest::newRow("IA2 analogue") << QByteArrayList{"IA2=12.5"} << 2 << "IN2_A Аналоговый"
                                  << "12.5";
    QTest::newRow("II3 pulse") << QByteArrayList{"II3=1042"} << 3 << "IN3_A Импульсный" << "1042";
    QTest::newRow("IF5 frequency") << QByteArrayList{"IF5=440"} << 5 << "IN5_U Частотный" << "440";
    QTest::newRow("prefix belongs to the row") << QByteArrayList{"ID2=1"} << 2
                                               << "IN2_A Дискретный" << " Замкнут";
    QTest::newRow("unknown type: prefix alone") << QByteArrayList{"IX0=7"} << 0 << "IN0_D" << "7";
    QTest::newRow("lower-case type is unknown") << QByteArrayList{"Id0=1"} << 0 << "IN0_D" << "1";
    QTest::newRow("ID6 changes nothing") << QByteArrayList{"ID6=1"} << 5 << "IN5" << "";
    QTest::newRow("IDx changes nothing") << QByteArrayList{"IDx=1"} << 0 << "IN0" << "";
    QTest::newRow("two-byte ID is no input record") << QByteArrayList{"ID=1"} << 0 << "IN0" << "";
    QTest::newRow("four-byte ID01 is no input record") << QByteArrayList{"ID01=1"} << 0 << "IN0"
                                                       << "";
    QTest::newRow("output then input: input wins")
        << QByteArrayList{"O14=1", "IA4=3.3"} << 4 << "IN4_U Аналоговый" << "3.3";
    QTest::newRow("input then output: output wins")
        << QByteArrayList{"IA4=3.3", "O24=1"} << 4 << "IN4_U Выход" << "Вкл";
}

void TestStatusSensors::inputsAndOutputs()
{
    QFETCH(QByteArrayList, records);
    QFETCH(int, row);
    QFETCH(QString, caption);
    QFETCH(QString, value);
    PageUnderTest w;
    feedAll(w, records);
    QCOMPARE(::caption(w, QStringLiteral("inputLabel%1").arg(row)), caption);
    QCOMPARE(text(w, QStringLiteral("inputEdit%1").arg(row)), value);
}

void TestStatusSensors::rowsSixAndSevenNeverWritten()
{
    PageUnderTest w;
    for (const char *name : {"ID6", "II6", "IF7", "IA7", "IX6", "O16", "O17", "O26", "O27"})
        feed(w, QByteArray(name) + "=1;1;1;1;1");
    for (int row : {6, 7}) {
        QCOMPARE(caption(w, QStringLiteral("inputLabel%1").arg(row)),
                 QStringLiteral("IN%1").arg(row));
        QCOMPARE(text(w, QStringLiteral("inputEdit%1").arg(row)), QString());
    }
}

QTEST_MAIN(TestStatusSensors)
#include "tst_status_sensors.moc"
