// Read, edit, write and read back the settings of the simulated terminal over a
// pseudo-terminal; the write ends confirmed, or with a warning when the simulator damages the
// stored copy or refuses the password.

#include "settings/core_settingsfields.h"
#include "testutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTabBar>
#include <QtTest>

class TestSettingsRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void longestValues();
};

namespace {

// The simulator on its own pseudo-terminal; stopped when this goes away.
class Simulator
{
public:
    ~Simulator()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(3000))
                process.kill();
            process.waitForFinished(1000);
        }
    }
    // Starts it and waits for the "PORT <path>" line; the path, or empty on failure.
    QString start(const QString &program, const QStringList &extra)
    {
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start(program, QStringList{"--rate", "0", "--quiet"} + extra);
        if (!process.waitForStarted(5000))
            return QString();
        QElapsedTimer t;
        t.start();
        QByteArray out;
        while (t.elapsed() < 5000) {
            process.waitForReadyRead(100);
            out += process.readAllStandardOutput();
            const int at = out.indexOf("PORT ");
            const int end = out.indexOf('\n', at);
            if (at >= 0 && end > at)
                return QString::fromLocal8Bit(out.mid(at + 5, end - at - 5).trimmed());
        }
        return QString();
    }
    QProcess process;
};

} // namespace

void TestSettingsRoundTrip::roundTrip_data()
{
    QTest::addColumn<QStringList>("simulator");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("stored");   // the terminal holds the values written
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("intact") << QStringList() << "482915" << true << true;
    QTest::newRow("damaged echo") << QStringList{"--corrupt-echo"} << "482915" << false << false;
    QTest::newRow("items reported in another order")
        << QStringList{"--reorder-settings"} << "482915" << true << true;
    QTest::newRow("wrong password changes nothing")
        << QStringList() << "111111" << false << false;
}

void TestSettingsRoundTrip::roundTrip()
{
#ifndef KVT_SIM_PATH
    QSKIP("the terminal simulator is not part of this build");
#else
    QFETCH(QStringList, simulator);
    QFETCH(QString, password);
    QFETCH(bool, stored);
    QFETCH(bool, confirmed);
    Simulator sim;
    const QString port = sim.start(QStringLiteral(KVT_SIM_PATH), simulator);
    QVERIFY2(!port.isEmpty(), "the simulator did not announce its port");

    MainWindow w;
    w.resize(1200, 800);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ModalCloser closer; // no box is expected; a stray one must not hang the test
    connectTo(w, port);
    QVERIFY(w.serialPort()->isOpen());

    QWidget *page = w.tabs()->widget(1);
    auto edit = [page](const char *name) {
        return page->findChild<QLineEdit *>(QLatin1String(name));
    };
    auto *fw = w.findChild<QLineEdit *>(QStringLiteral("firmwareVersionEdit"));
    QVERIFY(fw);
    QTRY_VERIFY_WITH_TIMEOUT(!fw->text().isEmpty(), 5000);

    // read: a click on the settings tab
    QTabBar *bar = w.tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(1).center());
    QTRY_VERIFY_WITH_TIMEOUT(!edit("monitoringServerEdit")->text().isEmpty(), 5000);
    QVERIFY(closer.titles.isEmpty());
    const QString apn1 = edit("apn1Edit")->text();

    // edit and write
    edit("monitoringServerEdit")->setText(QStringLiteral("rt.example"));
    edit("monitoringPortEdit")->setText(QStringLiteral("1234"));
    edit("sleepTimeEdit")->setText(QStringLiteral("45"));
    auto *roaming2 = page->findChild<QCheckBox *>(QStringLiteral("roaming2Check"));
    const bool roaming2Before = roaming2->isChecked();
    roaming2->setChecked(!roaming2Before);
    auto *in2 = page->findChild<QComboBox *>(QStringLiteral("in2Combo"));
    in2->setCurrentIndex(in2->findText(QStringLiteral("Discrete")));
    edit("accessPasswordEdit")->setText(password);
    page->findChild<QPushButton *>(QStringLiteral("writeSettingsButton"))->click();
    // the write ends by itself: the program asks for the settings and checks the answer
    auto *status = page->findChild<QLabel *>(QStringLiteral("writeStatusLabel"));
    QTRY_VERIFY_WITH_TIMEOUT(!status->text().isEmpty(), 5000);
    const QString outcome = status->text();
    // a terminal that took nothing at all is said, in a whole sentence, to want its password
    // checked
    const bool wrongPassword = password != QLatin1String("482915");
    QCOMPARE(outcome, confirmed       ? QStringLiteral("Настройки записаны")
                      : wrongPassword ? QStringLiteral("Не принято терминалом: проверьте пароль доступа")
                                      : QStringLiteral("Возможна ошибка записи настроек"));
    QVERIFY(status->heightForWidth(status->width()) <= status->height());

    // read back: forget what the page shows, then ask
    edit("monitoringServerEdit")->clear();
    edit("sleepTimeEdit")->clear();
    roaming2->setChecked(roaming2Before);
    in2->setCurrentIndex(0);
    page->findChild<QPushButton *>(QStringLiteral("readSettingsButton"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!edit("monitoringServerEdit")->text().isEmpty(), 5000);
    QCOMPARE(edit("apn1Edit")->text(), apn1);
    if (password == QLatin1String("482915")) {
        QCOMPARE(edit("monitoringServerEdit")->text(), QStringLiteral("rt.example"));
        QCOMPARE(edit("sleepTimeEdit")->text(), QStringLiteral("45"));
        QCOMPARE(roaming2->isChecked(), !roaming2Before);
        QCOMPARE(in2->currentText(), QStringLiteral("Discrete"));
    } else {
        QVERIFY(edit("monitoringServerEdit")->text() != QLatin1String("rt.example"));
        QVERIFY(edit("sleepTimeEdit")->text() != QLatin1String("45"));
    }
    QCOMPARE(edit("monitoringPortEdit")->text() == QLatin1String("1234"), stored);
    // a later read keeps showing the outcome of the write
    QTRY_COMPARE(status->text(), outcome);
    QVERIFY(closer.titles.isEmpty());
#endif
}

// Every text field at its limit in 3-byte UTF-8 characters, the CAN items and the new password
// written too: the terminal's settings record still reaches the program whole.
void TestSettingsRoundTrip::longestValues()
{
#ifndef KVT_SIM_PATH
    QSKIP("the terminal simulator is not part of this build");
#else
    Simulator sim;
    const QString port =
        sim.start(QStringLiteral(KVT_SIM_PATH), {"--password", QString(32, QChar(0x20AC))});
    QVERIFY(!port.isEmpty());
    MainWindow w;
    ModalCloser closer;
    connectTo(w, port);
    QWidget *page = w.tabs()->widget(1);
    page->findChild<QComboBox *>("rs485Combo")->setCurrentIndex(2);
    for (QCheckBox *box : page->findChildren<QCheckBox *>())
        box->setChecked(true);
    auto edit = [page](const SettingsTextField &row) {
        return page->findChild<QLineEdit *>(QLatin1String(row.objectName));
    };
    // the CAN program is read back only as a number
    auto value = [](const SettingsTextField &row) {
        return row.field == SettingsField::CanProgram ? QStringLiteral("2147483647")
                                                      : QString(row.maxLength, QChar(0x20AC));
    };
    for (const SettingsTextField &row : settingsTextFields())
        edit(row)->setText(value(row));
    page->findChild<QPushButton *>("writeSettingsButton")->click();
    QTRY_COMPARE_WITH_TIMEOUT(page->findChild<QLabel *>("writeStatusLabel")->text(),
                              QStringLiteral("Настройки записаны"), 5000);
    for (const SettingsTextField &row : settingsTextFields())
        edit(row)->setText("1");
    page->findChild<QPushButton *>("readSettingsButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(edit(settingsTextFields()[1])->text() != "1", 5000);
    for (const SettingsTextField &row : settingsTextFields())
        QCOMPARE(edit(row)->text(), row.read == SettingsRead::Never ? "1" : value(row));
    QCOMPARE(closer.texts, QStringList());
#endif
}

QTEST_MAIN(TestSettingsRoundTrip)
#include "tst_settings_roundtrip.moc"
