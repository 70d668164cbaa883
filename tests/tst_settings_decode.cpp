// The settings record "ST" as the window decodes it, and the check of the last write.

#include "settings_testutil.h"
#include "testutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {

const char warningText[] = "Возможна ошибка записи настроек";
const char confirmedText[] = "Настройки записаны";
const char emptyBody[] = "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#11=0,30#15=0,0";

} // namespace

class TestSettingsDecode : public QObject
{
    Q_OBJECT

private:
    MainWindow *w = nullptr;
    QWidget *page() const { return w->tabs()->widget(1); }
    void st(const QByteArray &field1) { w->dispatchRecord("ST", field1, "", "", "", ""); }
    // "name=value": line edit text, check box "1"/"0", list shown text, label text
    void apply(const QString &assignment);
    QString valueOf(const QString &name) const;
    QString warning() const
    {
        return page()->findChild<QLabel *>(QStringLiteral("writeStatusLabel"))->text();
    }
    void writeEmptyPage();

private slots:
    void init();
    void cleanup();

    void decode_data();
    void decode();
    void canBoxesClearedByEveryRecord();
    void disabledWidgetsAreFilled();
    void in2LabelFollowsDecoding();
    void rs485FromRecordSetsCanControls_data();
    void rs485FromRecordSetsCanControls();
    void otherFieldsIgnored();
    void longValueShownFromItsStart();

    void writeCheck_data();
    void writeCheck();
    void noCheckBeforeFirstWrite();
    void warningStaysUntilNextWrite();
};

void TestSettingsDecode::init()
{
    w = new MainWindow;
    // as while a port is open: the settings tab and its page are enabled
    w->tabs()->setTabEnabled(1, true);
}

void TestSettingsDecode::cleanup()
{
    delete w;
    w = nullptr;
}

void TestSettingsDecode::apply(const QString &assignment)
{
    setPageValue(page(), assignment);
}

QString TestSettingsDecode::valueOf(const QString &name) const
{
    QObject *o = page()->findChild<QObject *>(name);
    if (auto *e = qobject_cast<QLineEdit *>(o))
        return e->text();
    if (auto *c = qobject_cast<QCheckBox *>(o))
        return c->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (auto *c = qobject_cast<QComboBox *>(o))
        return c->currentText();
    if (auto *l = qobject_cast<QLabel *>(o))
        return l->text();
    return QStringLiteral("<no widget %1>").arg(name);
}

// Writes the page with every field empty and the CAN controls disabled; the port is not open,
// so nothing leaves the window, but the body is remembered for the check.
void TestSettingsDecode::writeEmptyPage()
{
    auto *rs485 = page()->findChild<QComboBox *>(QStringLiteral("rs485Combo"));
    rs485->setCurrentIndex(1);
    rs485->setCurrentIndex(0);
    page()->findChild<QPushButton *>(QStringLiteral("writeSettingsButton"))->click();
}

void TestSettingsDecode::decode_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QStringList>("after");

    const QStringList untouched{"apn1Edit=keep", "simPin2Edit=k2", "sleepCheck=1",
                                "in0Combo=Frequency", "rs485Combo=LLS-совместимые у-ва ",
                                "roaming1Check=1"};

    QTest::newRow("items 1 and 4, nothing else")
        << untouched << QByteArray("#1=h,80#4=12")
        << (QStringList{"monitoringServerEdit=h", "monitoringPortEdit=80", "simPin1Edit=12"}
            + untouched);
    QTest::newRow("item 1 with one value skipped")
        << QStringList{"monitoringServerEdit=old", "monitoringPortEdit=9"} << QByteArray("#1=h")
        << QStringList{"monitoringServerEdit=old", "monitoringPortEdit=9"};
    QTest::newRow("empty values are values")
        << QStringList{"monitoringServerEdit=old", "monitoringPortEdit=9"} << QByteArray("#1=,")
        << QStringList{"monitoringServerEdit=", "monitoringPortEdit="};
    QTest::newRow("item 2, extra values ignored")
        << QStringList{} << QByteArray("#2=сеть,логин,пароль,x")
        << QStringList{"apn1Edit=сеть", "login1Edit=логин", "password1Edit=пароль"};
    QTest::newRow("item 2 with two values skipped")
        << QStringList{"apn1Edit=a", "login1Edit=b", "password1Edit=c"} << QByteArray("#2=x,y")
        << QStringList{"apn1Edit=a", "login1Edit=b", "password1Edit=c"};
    QTest::newRow("item 5 order")
        << QStringList{} << QByteArray("#5=500,15,20,120")
        << QStringList{"distanceEdit=500", "angleEdit=15", "speedChangeEdit=20", "timerEdit=120"};
    QTest::newRow("item 5 with three values skipped")
        << QStringList{"distanceEdit=1"} << QByteArray("#5=500,15,20")
        << QStringList{"distanceEdit=1", "angleEdit=", "timerEdit="};
    QTest::newRow("item 6 with 0 keeps a checked box")
        << QStringList{"sleepCheck=1"} << QByteArray("#6=0,5,10")
        << QStringList{"sleepCheck=1", "sleepTimeEdit=5", "workTimeEdit=10"};
    QTest::newRow("item 6 with 0 keeps an unchecked box")
        << QStringList{"sleepCheck=0"} << QByteArray("#6=0,5,10")
        << QStringList{"sleepCheck=0", "sleepTimeEdit=5", "workTimeEdit=10"};
    QTest::newRow("item 6 with 1 checks")
        << QStringList{} << QByteArray("#6=1,5,10") << QStringList{"sleepCheck=1"};
    QTest::newRow("item 6 with x checks")
        << QStringList{} << QByteArray("#6=x,5,10") << QStringList{"sleepCheck=1"};
    QTest::newRow("item 6 with two values skipped")
        << QStringList{} << QByteArray("#6=1,5") << QStringList{"sleepCheck=0", "sleepTimeEdit="};
    QTest::newRow("items 7 and 8")
        << QStringList{} << QByteArray("#7=a2,l2,p2#8=2222")
        << QStringList{"apn2Edit=a2", "login2Edit=l2", "password2Edit=p2", "simPin2Edit=2222"};
    QTest::newRow("item 9 N A O")
        << QStringList{"in0Combo=Pulse", "in1Combo=Discrete", "in2Combo=Pulse"}
        << QByteArray("#9=N,A,O")
        << QStringList{"in0Combo=No", "in1Combo=ADC", "in2Combo=OUT1"};
    QTest::newRow("item 9 P P P: IN1 has no Pulse")
        << QStringList{"in1Combo=Discrete"} << QByteArray("#9=P,P,P")
        << QStringList{"in0Combo=Pulse", "in1Combo=Discrete", "in2Combo=Pulse"};
    QTest::newRow("item 9 C, as Pulse is written, reads as Pulse")
        << QStringList{"in0Combo=Frequency"} << QByteArray("#9=C,D,C")
        << QStringList{"in0Combo=Pulse", "in1Combo=Discrete", "in2Combo=Pulse"};
    QTest::newRow("item 9 G; lower case and unknown letters ignored")
        << QStringList{"in1Combo=ADC", "in2Combo=Discrete"} << QByteArray("#9=G,n,X,D")
        << QStringList{"in0Combo=Chassis ground", "in1Combo=ADC", "in2Combo=Discrete"};
    QTest::newRow("item 9 with two values skipped")
        << QStringList{} << QByteArray("#9=D,D") << QStringList{"in0Combo=No", "in1Combo=No"};
    QTest::newRow("item 10 codes")
        << QStringList{"canParamCheck3=1"} << QByteArray("#10=1,14,15,x")
        << QStringList{"canParamCheck1=1", "canParamCheck2=0", "canParamCheck3=0",
                       "canParamCheck13=0", "canParamCheck14=1"};
    QTest::newRow("item 10 trailing comma, 0 and negative")
        << QStringList{} << QByteArray("#10=0,-3,7,")
        << QStringList{"canParamCheck7=1", "canParamCheck1=0"};
    QTest::newRow("item 11 KVA-CAN, Discrete")
        << QStringList{} << QByteArray("#11=7,29")
        << QStringList{"rs485Combo=KVA-CAN", "oneWireCombo=Discrete"};
    QTest::newRow("item 11 LLS")
        << QStringList{"oneWireCombo=Discrete"} << QByteArray("#11=5,30")
        << QStringList{"rs485Combo=LLS-совместимые у-ва ", "oneWireCombo=1Wire"};
    QTest::newRow("item 11 other number, one value")
        << QStringList{"rs485Combo=KVA-CAN", "oneWireCombo=Discrete"} << QByteArray("#11=3")
        << QStringList{"rs485Combo=Не используется", "oneWireCombo=Discrete"};
    QTest::newRow("item 11 x, 30")
        << QStringList{"rs485Combo=KVA-CAN", "oneWireCombo=Discrete"} << QByteArray("#11=x,30")
        << QStringList{"rs485Combo=KVA-CAN", "oneWireCombo=1Wire"};
    QTest::newRow("item 11 other 1-Wire code")
        << QStringList{"oneWireCombo=Discrete"} << QByteArray("#11=0,31")
        << QStringList{"rs485Combo=Не используется", "oneWireCombo=Discrete"};
    QTest::newRow("item 12 number kept as received")
        << QStringList{"canProgramEdit=5"} << QByteArray("#12=007")
        << QStringList{"canProgramEdit=007"};
    QTest::newRow("item 12 zero") << QStringList{"canProgramEdit=5"} << QByteArray("#12=0")
                                  << QStringList{"canProgramEdit=5"};
    QTest::newRow("item 12 not a number")
        << QStringList{"canProgramEdit=5"} << QByteArray("#12=abc")
        << QStringList{"canProgramEdit=5"};
    QTest::newRow("item 15 two values")
        << QStringList{"roaming1Check=0", "roaming2Check=1"} << QByteArray("#15=2,0")
        << QStringList{"roaming1Check=1", "roaming2Check=0"};
    QTest::newRow("item 15 one value skipped")
        << QStringList{"roaming1Check=0", "roaming2Check=1"} << QByteArray("#15=1")
        << QStringList{"roaming1Check=0", "roaming2Check=1"};
    QTest::newRow("item 15 values independent")
        << QStringList{"roaming1Check=1", "roaming2Check=0"} << QByteArray("#15=x,3")
        << QStringList{"roaming1Check=1", "roaming2Check=1"};
    QTest::newRow("items 3, 13, 20 change nothing")
        << QStringList{"newPasswordEdit=np", "monitoringServerEdit=s"}
        << QByteArray("#3=999#13=a,b,c#20=x,y#0=q,r")
        << QStringList{"newPasswordEdit=np", "monitoringServerEdit=s"};
    QTest::newRow("first item without leading #")
        << QStringList{} << QByteArray("1=h,80#4=12")
        << QStringList{"monitoringServerEdit=h", "monitoringPortEdit=80", "simPin1Edit=12"};
    QTest::newRow("empty parts")
        << QStringList{} << QByteArray("##4=5###8=6#") << QStringList{"simPin1Edit=5", "simPin2Edit=6"};
    QTest::newRow("second = ends the values")
        << QStringList{} << QByteArray("#1=h,80=x,y#4=12=34")
        << QStringList{"monitoringServerEdit=h", "monitoringPortEdit=80", "simPin1Edit=12"};
    QTest::newRow("second = leaves item 2 with too few values")
        << QStringList{"apn1Edit=a"} << QByteArray("#2=apn=x,y,z") << QStringList{"apn1Edit=a"};
    QTest::newRow("known number without =")
        << QStringList{"simPin1Edit=1", "distanceEdit=2", "canProgramEdit=3"}
        << QByteArray("#4#5#12")
        << QStringList{"simPin1Edit=1", "distanceEdit=2", "canProgramEdit=3"};
    QTest::newRow("later item overrides")
        << QStringList{} << QByteArray("#4=1#4=2#4=") << QStringList{"simPin1Edit="};
    QTest::newRow("number with leading zero")
        << QStringList{} << QByteArray("#04=7") << QStringList{"simPin1Edit=7"};
    QTest::newRow("text stops at NUL")
        << QStringList{"simPin2Edit=k"} << QByteArray("#4=1\0#8=2", 9)
        << QStringList{"simPin1Edit=1", "simPin2Edit=k"};
    QTest::newRow("values as received, blanks kept")
        << QStringList{} << QByteArray("#1= h , 80 ")
        << QStringList{"monitoringServerEdit= h ", "monitoringPortEdit= 80 "};
}

void TestSettingsDecode::decode()
{
    QFETCH(QStringList, before);
    QFETCH(QByteArray, record);
    QFETCH(QStringList, after);
    for (const QString &a : before)
        apply(a);
    st(record);
    for (const QString &a : after) {
        const int eq = a.indexOf(QLatin1Char('='));
        QCOMPARE(valueOf(a.left(eq)), a.mid(eq + 1));
    }
    // decoding never reports anything
    QCOMPARE(warning(), QString());
}

void TestSettingsDecode::canBoxesClearedByEveryRecord()
{
    st("#10=2,4,6");
    st("#1=a,b");
    for (int k = 1; k <= 14; ++k)
        QCOMPARE(valueOf(QStringLiteral("canParamCheck%1").arg(k)), QStringLiteral("0"));
    st("#10=2#10=4");
    QCOMPARE(valueOf("canParamCheck2"), QStringLiteral("1"));
    QCOMPARE(valueOf("canParamCheck4"), QStringLiteral("1"));
    st("");
    QCOMPARE(valueOf("canParamCheck2"), QStringLiteral("0"));
}

void TestSettingsDecode::disabledWidgetsAreFilled()
{
    apply("rs485Combo=KVA-CAN");
    apply("rs485Combo=Не используется");
    QVERIFY(!page()->findChild<QWidget *>("canParamsGroup")->isEnabledTo(page()));
    st("#10=3#12=9");
    QCOMPARE(valueOf("canParamCheck3"), QStringLiteral("1"));
    QCOMPARE(valueOf("canProgramEdit"), QStringLiteral("9"));
}

void TestSettingsDecode::in2LabelFollowsDecoding()
{
    st("#9=N,N,P");
    QCOMPARE(valueOf("in2Label"), QStringLiteral("Only for KVT3.1    IN2"));
    st("#9=N,N,O");
    QCOMPARE(valueOf("in2Label"), QStringLiteral("IN2"));
}

void TestSettingsDecode::rs485FromRecordSetsCanControls_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("7") << QByteArray("#11=7") << true;
    QTest::newRow("5") << QByteArray("#11=5") << false;
    QTest::newRow("0") << QByteArray("#11=0") << false;
}

void TestSettingsDecode::rs485FromRecordSetsCanControls()
{
    QFETCH(QByteArray, record);
    QFETCH(bool, enabled);
    // start from the opposite state so the record has to change it
    apply(enabled ? "rs485Combo=LLS-совместимые у-ва " : "rs485Combo=KVA-CAN");
    st(record);
    QCOMPARE(page()->findChild<QWidget *>("canProgramEdit")->isEnabledTo(page()), enabled);
    QCOMPARE(page()->findChild<QWidget *>("canParamsGroup")->isEnabledTo(page()), enabled);
}

void TestSettingsDecode::otherFieldsIgnored()
{
    w->dispatchRecord("ST", "#4=1", "#4=2", "#8=3", "", "");
    QCOMPARE(valueOf("simPin1Edit"), QStringLiteral("1"));
    QCOMPARE(valueOf("simPin2Edit"), QString());
    // the record name is compared case-sensitively
    w->dispatchRecord("st", "#4=9", "", "", "", "");
    QCOMPARE(valueOf("simPin1Edit"), QStringLiteral("1"));
}

void TestSettingsDecode::longValueShownFromItsStart()
{
    st("#1=monitoring.long-name.example.org,20332");
    auto *server = page()->findChild<QLineEdit *>(QStringLiteral("monitoringServerEdit"));
    QCOMPARE(server->text(), QStringLiteral("monitoring.long-name.example.org"));
    QCOMPARE(server->cursorPosition(), 0);
}

void TestSettingsDecode::writeCheck_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<bool>("warns");
    const QByteArray body(emptyBody);
    QTest::newRow("the body itself") << body << false;
    QTest::newRow("the body among other items") << "#0=x" + body + "#20=1,2" << false;
    QTest::newRow("letter case differs") << QByteArray(body).replace("N,N,N", "n,N,N") << true;
    QTest::newRow("one value changed") << QByteArray(body).replace("#11=0,30", "#11=0,29") << true;
    QTest::newRow("last character missing") << body.left(body.size() - 1) << true;
    QTest::newRow("item order differs")
        << QByteArray(body).replace("#4=#5=,,,", "#5=,,,#4=") << false;
    QTest::newRow("one item missing") << QByteArray(body).replace("#8=", "") << true;
    QTest::newRow("empty record") << QByteArray() << true;
    QTest::newRow("body after a NUL") << QByteArray("x\0", 2) + body << true;
}

void TestSettingsDecode::writeCheck()
{
    QFETCH(QByteArray, record);
    QFETCH(bool, warns);
    writeEmptyPage();
    QCOMPARE(warning(), QString());
    st(record);
    QCOMPARE(warning(), QString::fromUtf8(warns ? warningText : confirmedText));
}

void TestSettingsDecode::noCheckBeforeFirstWrite()
{
    st("");
    st("#1=a,b");
    QCOMPARE(warning(), QString());
}

void TestSettingsDecode::warningStaysUntilNextWrite()
{
    writeEmptyPage();
    st(emptyBody);
    st(emptyBody); // the remembered body is kept for the records that follow
    QCOMPARE(warning(), QString::fromUtf8(confirmedText));
    st("#1=a,b");
    QCOMPARE(warning(), QString::fromUtf8(warningText));
    st(emptyBody); // a matching record does not clear the warning
    QCOMPARE(warning(), QString::fromUtf8(warningText));
    writeEmptyPage();
    QCOMPARE(warning(), QString());
    st(emptyBody);
    QCOMPARE(warning(), QString::fromUtf8(confirmedText));
}

QTEST_MAIN(TestSettingsDecode)
#include "tst_settings_decode.moc"
