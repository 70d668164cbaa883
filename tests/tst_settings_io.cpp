// What the settings page writes to the terminal: the settings string, the refusals, the
// settings request and the requests of a tab click, captured on a pseudo-terminal.

#include "settings/settingspage.h"
#include "settings_testutil.h"
#include "testutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QtTest>

namespace {

const char emptyBody[] = "#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#11=0,30#15=0,0";
const char warningText[] = "Возможна ошибка записи настроек";
const char confirmedText[] = "Настройки записаны";
const char noAnswerText[] = "Нет ответа терминала";
const QByteArray settingsRequest(">D 15;0\r\n");
const char versionWarning[] = "Для корректного отображения и задания настроек необходимо "
                              "обновить версию ПО до 0.25 и выше";

} // namespace

class TestSettingsIo : public QObject
{
    Q_OBJECT

private:
    MainWindow *w = nullptr;
    Pty *pty = nullptr;
    QWidget *page() const { return w->tabs()->widget(1); }
    template <typename T>
    T *get(const char *name) const
    {
        return page()->findChild<T *>(QLatin1String(name));
    }
    void apply(const QString &assignment);
    void disableCan();
    QByteArray written(int atLeast = 1) { return pty->read(atLeast, 1500); }
    QByteArray nothingWritten() { return pty->read(1, 300); }
    void clickTab(int index);
    QString warning() const { return get<QLabel>("writeStatusLabel")->text(); }
    void st(const QByteArray &f1) { w->dispatchRecord("ST", f1, "", "", "", ""); }

private slots:
    void init();
    void cleanup();

    void writeString_data();
    void writeString();
    void writeEnds_data();
    void writeEnds();
    void emptyPasswordSendsNothing();
    void refusedValues_data();
    void refusedValues();
    void emptyPasswordCheckedFirst();
    void readButton();
    void readShowsItsWait_data();
    void readShowsItsWait();
    void typedKeptAfterWrite_data();
    void typedKeptAfterWrite();
    void statusTabRequests();
    void settingsTabRequestsEveryClick();
    void firmwareWarning_data();
    void firmwareWarning();
    void settingsTabResetsRs485();
    void tabsActByPage();
};

void TestSettingsIo::init()
{
    pty = new Pty;
    QVERIFY(pty->isOpen());
    w = new MainWindow;
    w->resize(1200, 800);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    connectTo(*w, pty->slavePath);
    QVERIFY(w->serialPort()->isOpen());
    // the identity and status requests of every connect
    QCOMPARE(written(24), QByteArray(">I 0\r\n>I 1\r\n>I 3\r\n>I 7\r\n"));
}

void TestSettingsIo::cleanup()
{
    delete w;
    w = nullptr;
    delete pty;
    pty = nullptr;
}

void TestSettingsIo::apply(const QString &assignment)
{
    setPageValue(page(), assignment);
}

void TestSettingsIo::disableCan()
{
    get<QComboBox>("rs485Combo")->setCurrentIndex(1);
    get<QComboBox>("rs485Combo")->setCurrentIndex(0);
}

void TestSettingsIo::clickTab(int index)
{
    QTabBar *bar = w->tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

void TestSettingsIo::writeString_data()
{
    QTest::addColumn<bool>("canOff");
    QTest::addColumn<QStringList>("page");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("all empty") << true << QStringList{}
                               << QByteArray("482915*SETP*") + emptyBody + "\r\n";
    QTest::newRow("CAN controls as at start")
        << false << QStringList{}
        << QByteArray("482915*SETP*#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,N#10=#11=0,30#12="
                      "#15=0,0\r\n");
    QTest::newRow("password of blanks passes")
        << true << QStringList{"accessPasswordEdit=  "}
        << QByteArray("  *SETP*") + emptyBody + "\r\n";
    QTest::newRow("every field")
        << false
        << QStringList{"monitoringServerEdit=сервер.рф", "monitoringPortEdit=20144",
                       "simPin1Edit=1111", "roaming1Check=0", "roaming2Check=1",
                       "apn1Edit=internet", "login1Edit=l1", "password1Edit=p1",
                       "simPin2Edit=2222", "apn2Edit=a2", "login2Edit=l2",
                       "password2Edit=p 2", "sleepCheck=1", "workTimeEdit=10",
                       "sleepTimeEdit=60", "angleEdit=15", "speedChangeEdit=20",
                       "distanceEdit=500", "timerEdit=120", "in0Combo=Frequency",
                       "in1Combo=ADC", "in2Combo=Discrete", "rs485Combo=KVA-CAN",
                       "oneWireCombo=Discrete", "canProgramEdit=105", "canParamCheck2=1",
                       "canParamCheck14=1", "newPasswordCheck=1", "newPasswordEdit=777",
                       "accessPasswordEdit=пароль", "phone1Edit=+79990000000"}
        << QStringLiteral("пароль*SETP*#1=сервер.рф,20144#2=internet,l1,p1#3=777#4=1111"
                          "#5=500,15,20,120#6=1,60,10#7=a2,l2,p 2#8=2222#9=F,A,D,#10=2,14,"
                          "#11=7,29#12=105#15=0,1\r\n")
               .toUtf8();
    QTest::newRow("LLS leaves out items 10 and 12")
        << false
        << QStringList{"rs485Combo=LLS-совместимые у-ва ", "canProgramEdit=105",
                       "canParamCheck1=1", "in2Combo=OUT1"}
        << QByteArray("482915*SETP*#1=,#2=,,#4=#5=,,,#6=0,,#7=,,#8=#9=N,N,O#11=5,30#15=0,0\r\n");
}

void TestSettingsIo::writeString()
{
    QFETCH(bool, canOff);
    QFETCH(QStringList, page);
    QFETCH(QByteArray, bytes);
    if (canOff)
        disableCan();
    for (const QString &a : page)
        apply(a);
    pty->drain();
    get<QPushButton>("writeSettingsButton")->click();
    // the settings string, then the request whose answer confirms it
    QCOMPARE(written(bytes.size() + settingsRequest.size()), bytes + settingsRequest);
    // the body written is what the next record is checked against
    const QByteArray body = bytes.mid(bytes.indexOf("*SETP*") + 6).chopped(2);
    st("#0=x" + body);
    QCOMPARE(warning(), QString::fromUtf8(confirmedText));
    st(body.left(body.size() - 1));
    QCOMPARE(warning(), QString::fromUtf8(warningText));
}

// Every write ends in a visible result, and the result does not move the page around.
void TestSettingsIo::writeEnds_data()
{
    QTest::addColumn<QByteArray>("answer"); // empty: none
    QTest::addColumn<QString>("label");
    const QByteArray body(emptyBody);
    QTest::newRow("items in another order, and one of the terminal's own")
        << QByteArray("#15=0,0#11=0,30#9=N,N,N#8=#7=,,#6=0,,#5=,,,#4=#2=,,#14=1#1=,") << confirmedText;
    QTest::newRow("a value changed") << QByteArray(body).replace("#6=0,,", "#6=0,5,") << warningText;
    QTest::newRow("no answer") << QByteArray() << noAnswerText;
}

void TestSettingsIo::writeEnds()
{
    QFETCH(QByteArray, answer);
    QFETCH(QString, label);
    auto *settings = qobject_cast<SettingsPage *>(page());
    QVERIFY(settings);
    settings->setConfirmTimeout(300);
    disableCan();
    QSignalSpy finished(settings, &SettingsPage::writeFinished);
    auto *status = get<QLabel>("writeStatusLabel");
    const QRect labelBefore = status->geometry();
    const QRect buttonBefore = get<QPushButton>("writeSettingsButton")->geometry();
    get<QPushButton>("writeSettingsButton")->click();
    QCOMPARE(written(), QByteArray("482915*SETP*") + emptyBody + "\r\n" + settingsRequest);
    if (!answer.isEmpty())
        pty->write(">ST=" + answer + "\r\n");
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(status->text(), label);
    QTest::qWait(400); // past the time-out: nothing changes any more
    QCOMPARE(finished.count(), 1);
    QCOMPARE(status->text(), label);
    QCOMPARE(status->geometry(), labelBefore);
    QCOMPARE(get<QPushButton>("writeSettingsButton")->geometry(), buttonBefore);
}

void TestSettingsIo::emptyPasswordSendsNothing()
{
    disableCan();
    get<QPushButton>("writeSettingsButton")->click();
    QCOMPARE(written(), QByteArray("482915*SETP*") + emptyBody + "\r\n" + settingsRequest);
    st("#1=a,b");
    QCOMPARE(warning(), QString::fromUtf8(warningText));

    apply("accessPasswordEdit=");
    apply("monitoringServerEdit=changed");
    {
        ModalCloser closer;
        get<QPushButton>("writeSettingsButton")->click();
        QCOMPARE(closer.titles, QStringList{"Настройка терминала"});
        QCOMPARE(closer.texts, QStringList{"Требуется указать пароль доступа"});
    }
    QCOMPARE(nothingWritten(), QByteArray());
    // the old warning is gone all the same, and the check still uses the earlier body
    QCOMPARE(warning(), QString());
    st(emptyBody);
    QCOMPARE(warning(), QString::fromUtf8(confirmedText));
}

void TestSettingsIo::refusedValues_data()
{
    QTest::addColumn<QStringList>("page");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("character");

    QTest::newRow("comma in APN password")
        << QStringList{"password1Edit=pa,ss"} << "Пароль1" << "«,»";
    QTest::newRow("hash in server") << QStringList{"monitoringServerEdit=x#4=9"} << "Сервер"
                                    << "«#»";
    QTest::newRow("= in APN2") << QStringList{"apn2Edit=a=b"} << "APN2" << "«=»";
    QTest::newRow("comma in PIN2") << QStringList{"simPin2Edit=1,2"} << "ПИН2" << "«,»";
    QTest::newRow("semicolon in APN1") << QStringList{"apn1Edit=a;b"} << "APN1" << "«;»";
    QTest::newRow("CR in login1") << QStringList{"login1Edit=ab\rc"} << "Логин1"
                                  << "CR (возврат каретки)";
    QTest::newRow("LF in timer") << QStringList{"timerEdit=1\n"} << "По таймеру"
                                 << "LF (перевод строки)";
    QTest::newRow("hash in access password")
        << QStringList{"accessPasswordEdit=48#29"} << "Пароль" << "«#»";
    QTest::newRow("comma in new password")
        << QStringList{"newPasswordCheck=1", "newPasswordEdit=1,2"} << "Новый пароль" << "«,»";
    QTest::newRow("hash in CAN program")
        << QStringList{"rs485Combo=KVA-CAN", "canProgramEdit=1#2"} << "Прграмма CAN" << "«#»";
    QTest::newRow("first of two in string order")
        << QStringList{"simPin2Edit=#", "apn1Edit=a=b"} << "APN1" << "«=»";
    QTest::newRow("NUL in APN1") << QStringList{QStringLiteral("apn1Edit=a") + QChar(0) + "b"}
                                 << "APN1" << "нулевой символ (NUL)";
    QTest::newRow("a lone surrogate in login2")
        << QStringList{QStringLiteral("login2Edit=x") + QChar(0xDC00)} << "Логин2" << "U+DC00";
    QTest::newRow("the marker in the server")
        << QStringList{"monitoringServerEdit=a*SETP*b"} << "Сервер" << "«*SETP*»";
    QTest::newRow("an access password making a marker early")
        << QStringList{"accessPasswordEdit=48*SETP"} << "Пароль" << "«*SETP»";
}

void TestSettingsIo::refusedValues()
{
    QFETCH(QStringList, page);
    QFETCH(QString, label);
    QFETCH(QString, character);
    disableCan();
    get<QPushButton>("writeSettingsButton")->click();
    QCOMPARE(written(), QByteArray("482915*SETP*") + emptyBody + "\r\n" + settingsRequest);

    for (const QString &a : page)
        apply(a);
    {
        ModalCloser closer;
        get<QPushButton>("writeSettingsButton")->click();
        QCOMPARE(closer.titles, QStringList{"Настройка терминала"});
        QCOMPARE(closer.texts.size(), 1);
        const QString text = closer.texts.first();
        QVERIFY2(text.contains(QStringLiteral("«") + label + QStringLiteral("»")),
                 qPrintable(text));
        QVERIFY2(text.contains(character), qPrintable(text));
    }
    QCOMPARE(nothingWritten(), QByteArray());
    // the remembered body is still the one actually written
    st(emptyBody);
    QCOMPARE(warning(), QString::fromUtf8(confirmedText));
}

void TestSettingsIo::emptyPasswordCheckedFirst()
{
    apply("accessPasswordEdit=");
    apply("monitoringServerEdit=a#b");
    ModalCloser closer;
    get<QPushButton>("writeSettingsButton")->click();
    QCOMPARE(closer.texts, QStringList{"Требуется указать пароль доступа"});
    QCOMPARE(nothingWritten(), QByteArray());
}

void TestSettingsIo::readButton()
{
    pty->drain();
    get<QPushButton>("readSettingsButton")->click();
    QCOMPARE(written(9), QByteArray(">D 15;0\r\n"));
}

// "Прочитать" says "Чтение…" under the buttons until the settings record comes, or that the
// terminal did not answer.
void TestSettingsIo::readShowsItsWait_data()
{
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("after");
    QTest::newRow("answered") << true << QString();
    QTest::newRow("no answer") << false << QString::fromUtf8(noAnswerText);
}

void TestSettingsIo::readShowsItsWait()
{
    QFETCH(bool, answered);
    qobject_cast<SettingsPage *>(page())->setConfirmTimeout(300);
    get<QPushButton>("readSettingsButton")->click();
    QCOMPARE(warning(), QStringLiteral("Чтение…"));
    if (answered)
        pty->write(QByteArray(">ST=") + emptyBody + "\r\n");
    QTest::qWait(500);
    QTEST(warning(), "after");
}

// A write the terminal does not confirm leaves what was typed in the fields it reports
// otherwise, marked; when it took none of the changed values, the line says, whole, to check
// the password.
void TestSettingsIo::typedKeptAfterWrite_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("passwordHint");
    const QByteArray before = QByteArray(emptyBody).replace("#1=,", "#1=old.example,");
    QTest::newRow("nothing taken") << before << true;
    QTest::newRow("nothing taken, reported in another order")
        << QByteArray("#14=1") + before.mid(before.indexOf('#', 1)) + before.left(before.indexOf('#', 1))
        << true;
    QTest::newRow("another value taken")
        << QByteArray(emptyBody).replace("#1=,", "#1=other.example,") << false;
}

void TestSettingsIo::typedKeptAfterWrite()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, passwordHint);
    disableCan();
    pty->write(QByteArray(">ST=") + QByteArray(emptyBody).replace("#1=,", "#1=old.example,") + "\r\n");
    QTRY_COMPARE(get<QLineEdit>("monitoringServerEdit")->text(), QStringLiteral("old.example"));
    apply("monitoringServerEdit=new.example");
    pty->drain();
    get<QPushButton>("writeSettingsButton")->click();
    QVERIFY(written().endsWith(settingsRequest));
    pty->write(">ST=" + answer + "\r\n");
    const QString hint = QStringLiteral("Не принято терминалом: проверьте пароль доступа");
    QTRY_COMPARE(warning(), passwordHint ? hint : QString::fromUtf8(warningText));
    if (passwordHint) {
        // the whole sentence in sight, not cut at the label's edge
        auto *label = get<QLabel>("writeStatusLabel");
        QVERIFY(label->heightForWidth(label->width()) <= label->height());
    }
    auto *server = get<QLineEdit>("monitoringServerEdit");
    QCOMPARE(server->text(), QStringLiteral("new.example"));
    QVERIFY(server->property("differsFromTerminal").toBool());
    QVERIFY(!get<QLineEdit>("monitoringPortEdit")->property("differsFromTerminal").toBool());
}

void TestSettingsIo::statusTabRequests()
{
    pty->drain();
    clickTab(0);
    QCOMPARE(written(24), QByteArray(">I 0\r\n>I 1\r\n>I 3\r\n>I 7\r\n"));
}

void TestSettingsIo::settingsTabRequestsEveryClick()
{
    pty->drain();
    clickTab(1);
    QCOMPARE(written(9), QByteArray(">D 15;0\r\n"));
    QCOMPARE(w->tabs()->currentIndex(), 1);
    clickTab(1);
    QCOMPARE(written(9), QByteArray(">D 15;0\r\n"));
}

void TestSettingsIo::firmwareWarning_data()
{
    // the identity record's major and minor number; none: no identity record yet
    QTest::addColumn<QByteArrayList>("version");
    QTest::addColumn<bool>("warns");
    QTest::newRow("0.24") << QByteArrayList{"0", "24"} << true;
    QTest::newRow("0.5 is minor 5") << QByteArrayList{"0", "5"} << true;
    QTest::newRow("0.25") << QByteArrayList{"0", "25"} << false;
    QTest::newRow("0.100 is minor 100") << QByteArrayList{"0", "100"} << false;
    QTest::newRow("1.0") << QByteArrayList{"1", "0"} << false;
    QTest::newRow("parts not numbers count as 0") << QByteArrayList{"x", "y"} << true;
    QTest::newRow("no identity record") << QByteArrayList() << false;
}

void TestSettingsIo::firmwareWarning()
{
    QFETCH(QByteArrayList, version);
    QFETCH(bool, warns);
    if (!version.isEmpty())
        w->dispatchRecord("DI", "31", version.at(0), version.at(1), "", "");
    pty->drain();

    // close the box, noting what had been written while it was open
    QStringList titles, texts;
    QByteArray writtenWhileOpen;
    QTimer closer;
    closer.setInterval(20);
    connect(&closer, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        writtenWhileOpen += pty->drain();
        titles << box->windowTitle();
        texts << box->text();
        box->button(QMessageBox::Ok)->click();
    });
    closer.start();
    clickTab(1);
    const QByteArray after = written(9);
    closer.stop();

    if (warns) {
        QCOMPARE(titles, QStringList{"Внимание"});
        QCOMPARE(texts, QStringList{QString::fromUtf8(versionWarning)});
        QCOMPARE(writtenWhileOpen, QByteArray());
    } else {
        QCOMPARE(titles, QStringList());
    }
    QCOMPARE(after, QByteArray(">D 15;0\r\n"));
}

void TestSettingsIo::settingsTabResetsRs485()
{
    apply("rs485Combo=KVA-CAN");
    QVERIFY(get<QGroupBox>("canParamsGroup")->isEnabled());
    clickTab(1);
    QCOMPARE(get<QComboBox>("rs485Combo")->currentIndex(), 0);
    QVERIFY(!get<QGroupBox>("canParamsGroup")->isEnabled());
    QVERIFY(!get<QLineEdit>("canProgramEdit")->isEnabled());
    // the answer sets the choice again
    st("#11=7,30");
    QCOMPARE(get<QComboBox>("rs485Combo")->currentIndex(), 2);
    QVERIFY(get<QGroupBox>("canParamsGroup")->isEnabled());
}

// The user may drag the tabs into another order: each page still asks for its own records,
// and disconnecting disables the settings page wherever it stands.
void TestSettingsIo::tabsActByPage()
{
    w->tabs()->tabBar()->moveTab(1, 0);
    QCOMPARE(w->tabs()->widget(0)->objectName(), QStringLiteral("settingsPage"));
    pty->drain();
    clickTab(0);
    QCOMPARE(written(9), QByteArray(">D 15;0\r\n"));
    clickTab(1);
    QCOMPARE(written(24), QByteArray(">I 0\r\n>I 1\r\n>I 3\r\n>I 7\r\n"));
    w->closeSerialPort();
    QVERIFY(!w->tabs()->isTabEnabled(0));
    QVERIFY(w->tabs()->isTabEnabled(1));
}

QTEST_MAIN(TestSettingsIo)
#include "tst_settings_io.moc"
