// The port dialog: the port list that follows the ports, the choice kept between runs, and a
// layout that cuts no text.
#include "portdialog/portlist.h"
#include "portdialog/settingsdialog.h"
#include "testutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSettings>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTranslator>
#include <QtTest>

class TestPortDialog : public QObject
{
    Q_OBJECT

private:
    QList<PortEntry> shownPorts;
    void showPorts(const QStringList &names)
    {
        shownPorts.clear();
        for (const QString &name : names)
            shownPorts << terminalPort(name);
    }
    template<class T> static T *child(SettingsDialog &d, const char *name)
    {
        return d.findChild<T *>(QString::fromLatin1(name));
    }
    static QStringList texts(QComboBox *box)
    {
        QStringList all;
        for (int i = 0; i < box->count(); ++i)
            all << box->itemText(i);
        return all;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("kvt-tests"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_portdialog"));
    }
    void init()
    {
        QSettings().clear();
        qunsetenv("KVT_SIMULATOR_PORT");
        setPortSource([this] { return shownPorts; });
    }

    // lists: the ports listed at first, then each later set; chosen: selected by the user
    // after the first list; selected: the selection expected after each later list
    void listFollowsPorts_data()
    {
        QTest::addColumn<QList<QStringList>>("lists");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("selected");
        QTest::newRow("a port appears") << QList<QStringList>{{}, {"ttyACM0"}} << "" << QStringList{"ttyACM0"};
        QTest::newRow("a port appears before the selected one")
            << QList<QStringList>{{"ttyACM0", "ttyACM1"}, {"ttyACM2", "ttyACM0", "ttyACM1"}}
            << "ttyACM1" << QStringList{"ttyACM1"};
        QTest::newRow("the selected port goes and comes back")
            << QList<QStringList>{{"ttyACM0", "ttyACM1"}, {"ttyACM0"}, {"ttyACM0", "ttyACM1"}}
            << "ttyACM1" << QStringList{"ttyACM0", "ttyACM1"};
        QTest::newRow("every port goes") << QList<QStringList>{{"ttyACM0"}, {}} << "ttyACM0" << QStringList{""};
        QTest::newRow("nothing changes")
            << QList<QStringList>{{"ttyACM0", "ttyACM1"}, {"ttyACM0", "ttyACM1"}} << "ttyACM1"
            << QStringList{"ttyACM1"};
    }
    void listFollowsPorts()
    {
        QFETCH(QList<QStringList>, lists);
        QFETCH(QString, chosen);
        QFETCH(QStringList, selected);
        showPorts(lists.first());
        SettingsDialog d;
        d.show();
        auto *list = child<QComboBox>(d, "serialPortInfoListBox");
        if (!chosen.isEmpty())
            list->setCurrentIndex(list->findText(chosen));
        for (int i = 1; i < lists.size(); ++i) {
            QSignalSpy removed(list->model(), &QAbstractItemModel::rowsRemoved);
            showPorts(lists.at(i));
            QTRY_COMPARE_WITH_TIMEOUT(texts(list), lists.at(i), 3000);
            QCOMPARE(list->currentText(), selected.at(i - 1));
            if (lists.at(i) == lists.at(i - 1)) {
                // an unchanged list is left alone
                QTest::qWait(2 * SettingsDialog::PortPollIntervalMs + 200);
                QCOMPARE(removed.count(), 0);
            }
        }
    }

    void simulatorPortAppears()
    {
        Pty pty;
        QVERIFY(pty.isOpen());
        setPortSource(nullptr);
        SettingsDialog d;
        d.show();
        auto *list = child<QComboBox>(d, "serialPortInfoListBox");
        QCOMPARE(list->findText(pty.slavePath), -1);

        qputenv("KVT_SIMULATOR_PORT", pty.slavePath.toLocal8Bit());
        QTRY_VERIFY_WITH_TIMEOUT(list->findText(pty.slavePath) >= 0, 3000);
        list->setCurrentIndex(list->findText(pty.slavePath));
        QCOMPARE(child<QLabel>(d, "descriptionLabel")->text(),
                 QStringLiteral("Description: KVT terminal simulator"));
        qunsetenv("KVT_SIMULATOR_PORT");
        QTRY_COMPARE_WITH_TIMEOUT(list->findText(pty.slavePath), -1, 3000);

        // hidden, the dialog does not look; shown again, it looks at once
        d.hide();
        qputenv("KVT_SIMULATOR_PORT", pty.slavePath.toLocal8Bit());
        QTest::qWait(2 * SettingsDialog::PortPollIntervalMs + 200);
        QCOMPARE(list->findText(pty.slavePath), -1);
        d.show();
        QVERIFY(list->findText(pty.slavePath) >= 0);
        qunsetenv("KVT_SIMULATOR_PORT");
    }

    void remembersChoice_data()
    {
        QTest::addColumn<bool>("select");      // "Выбрать" pressed in the first dialog
        QTest::addColumn<int>("baudRate");      // not in the list: typed as a custom rate
        QTest::addColumn<bool>("reconnect");
        QTest::addColumn<QStringList>("later"); // the ports when the second dialog opens
        QTest::addColumn<QString>("port");      // chosen in the first dialog
        QTest::addColumn<QString>("expectedPort");
        QTest::newRow("chosen and present") << true << 115200 << false << QStringList{"ttyACM0", "ttyACM1"}
                                            << "ttyACM1" << "ttyACM1";
        QTest::newRow("custom rate, port gone") << true << 250000 << true << QStringList{"ttyACM0"}
                                                << "ttyACM1" << "ttyACM0";
        QTest::newRow("closed without choosing") << false << 38400 << false
                                                 << QStringList{"ttyACM0", "ttyACM1"} << "ttyACM1" << "ttyACM0";
    }
    void remembersChoice()
    {
        QFETCH(bool, select);
        QFETCH(int, baudRate);
        QFETCH(bool, reconnect);
        QFETCH(QStringList, later);
        QFETCH(QString, port);
        QFETCH(QString, expectedPort);
        showPorts({"ttyACM0", "ttyACM1"});
        {
            SettingsDialog d;
            QVERIFY(d.autoReconnect());
            QSignalSpy toggled(&d, &SettingsDialog::autoReconnectChanged);
            auto *baud = child<QComboBox>(d, "baudRateBox");
            const int idx = baud->findData(baudRate);
            baud->setCurrentIndex(idx >= 0 ? idx : baud->count() - 1);
            if (idx < 0)
                baud->setEditText(QString::number(baudRate));
            const auto pick = [&](const char *name, int value) {
                auto *box = child<QComboBox>(d, name);
                box->setCurrentIndex(box->findData(value));
            };
            pick("dataBitsBox", QSerialPort::Data7);
            pick("parityBox", QSerialPort::EvenParity);
            pick("stopBitsBox", QSerialPort::TwoStop);
            pick("flowControlBox", QSerialPort::HardwareControl);
            auto *list = child<QComboBox>(d, "serialPortInfoListBox");
            list->setCurrentIndex(list->findText(port));
            child<QCheckBox>(d, "autoReconnectCheck")->setChecked(reconnect);
            QCOMPARE(toggled.count(), reconnect ? 0 : 1);
            QCOMPARE(d.autoReconnect(), reconnect);
            if (select)
                child<QPushButton>(d, "applyButton")->click();
        }
        showPorts(later);
        SettingsDialog d;
        const PortSettings s = d.currentSettings();
        QCOMPARE(s.portName, expectedPort);
        QCOMPARE(s.baudRate, select ? baudRate : 9600);
        QCOMPARE(s.dataBits, select ? QSerialPort::Data7 : QSerialPort::Data8);
        QCOMPARE(s.parity, select ? QSerialPort::EvenParity : QSerialPort::NoParity);
        QCOMPARE(s.stopBits, select ? QSerialPort::TwoStop : QSerialPort::OneStop);
        QCOMPARE(s.flowControl, select ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl);
        QCOMPARE(s.autoReconnect, reconnect);
        QCOMPARE(child<QCheckBox>(d, "autoReconnectCheck")->isChecked(), reconnect);
    }

    void layoutCutsNothing_data()
    {
        QTest::addColumn<bool>("russian");
        QTest::addColumn<QSize>("resizeTo"); // empty: the default size
        for (bool russian : {true, false}) {
            const char *lang = russian ? "Russian" : "source texts";
            QTest::addRow("%s, default size", lang) << russian << QSize();
            QTest::addRow("%s, shrunk", lang) << russian << QSize(100, 100);
            QTest::addRow("%s, enlarged", lang) << russian << QSize(1500, 900);
        }
    }
    void layoutCutsNothing()
    {
        QFETCH(bool, russian);
        QFETCH(QSize, resizeTo);
        QTranslator ru;
        if (russian) {
            QVERIFY(ru.load(QStringLiteral("terminal_ru"), QStringLiteral(KVT_BUILD_DIR)));
            QCoreApplication::installTranslator(&ru);
        }
        PortEntry port = terminalPort(QStringLiteral("/dev/serial/by-id/usb-KVT_terminal-if00"));
        port.manufacturer = QStringLiteral("STMicroelectronics");
        shownPorts = {port};
        SettingsDialog d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        if (resizeTo.isValid())
            d.resize(resizeTo);
        QTest::qWait(100);

        for (QWidget *w : d.findChildren<QWidget *>()) {
            if (!w->isVisible())
                continue;
            const QByteArray name = w->objectName().toLatin1();
            if (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w)) {
                QVERIFY2(w->width() >= w->sizeHint().width(), name);
                QVERIFY2(w->height() >= w->sizeHint().height(), name);
            } else if (auto *box = qobject_cast<QComboBox *>(w)) {
                QStyleOptionComboBox opt;
                opt.initFrom(box);
                const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &opt,
                                                                 QStyle::SC_ComboBoxEditField, box);
                for (const QString &text : texts(box))
                    QVERIFY2(field.width() >= box->fontMetrics().horizontalAdvance(text), name);
            } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
                // the title is clear of the group's widgets
                QStyleOptionGroupBox opt;
                opt.initFrom(group);
                opt.text = group->title();
                const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &opt,
                                                                   QStyle::SC_GroupBoxLabel, group);
                QVERIFY2(group->width() >= title.left() + opt.fontMetrics.horizontalAdvance(opt.text), name);
                const auto inside = group->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
                for (QWidget *c : inside)
                    QVERIFY2(opt.text.isEmpty() || !c->geometry().intersects(title), name);
            }
        }
    }
};

QTEST_MAIN(TestPortDialog)
#include "tst_portdialog.moc"
