// The port dialog: a port list that follows the ports, the choice kept between runs, no text cut.
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
    QList<PortEntry> shown;
    Pty pty; // "sim": the simulator port named in KVT_SIMULATOR_PORT
    void showPorts(const QStringList &names)
    {
        shown.clear();
        for (const QString &name : names)
            if (name != "sim")
                shown << terminalPort(name);
        if (names.contains("sim"))
            qputenv("KVT_SIMULATOR_PORT", pty.slavePath.toLocal8Bit());
        else
            qunsetenv("KVT_SIMULATOR_PORT");
    }
    template<class T> static T *child(SettingsDialog &d, const char *name)
    {
        return d.findChild<T *>(QString::fromLatin1(name));
    }
    QStringList texts(QComboBox *box) const
    {
        QStringList all;
        for (int i = 0; i < box->count(); ++i)
            all << (box->itemText(i) == pty.slavePath ? QStringLiteral("sim") : box->itemText(i));
        return all;
    }
    const int twoPolls = 2 * SettingsDialog::PortPollIntervalMs + 200;
    // the ports the test shows, then the machine's own
    PortSource ports()
    {
        return [this] { return shown + systemSerialPorts(); };
    }

private slots:
    void initTestCase()
    {
        QVERIFY(pty.isOpen());
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("kvt-tests"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_portdialog"));
    }
    void init()
    {
        QSettings().clear();
    }

    // the ports listed at first and later on; the port the user selects in the first list;
    // the selection expected with each later list
    void listFollowsPorts_data()
    {
        QTest::addColumn<QList<QStringList>>("lists");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("selected");
        const QString a = "ttyACM0", b = "ttyACM1";
        QTest::newRow("simulator appears") << QList<QStringList>{{a}, {a, "sim"}} << a << QStringList{a};
        QTest::newRow("appears first") << QList<QStringList>{{b, "sim"}, {a, b, "sim"}} << "sim" << QStringList{"sim"};
        QTest::newRow("goes, comes back") << QList<QStringList>{{a, "sim"}, {a}, {a, "sim"}} << "sim" << QStringList{a, "sim"};
        QTest::newRow("all go") << QList<QStringList>{{"sim"}, {}} << "sim" << QStringList{""};
        QTest::newRow("unchanged") << QList<QStringList>{{a, b}, {a, b}} << b << QStringList{b};
    }
    void listFollowsPorts()
    {
        QFETCH(QList<QStringList>, lists);
        QFETCH(QString, chosen);
        QFETCH(QStringList, selected);
        showPorts(lists.first());
        SettingsDialog d(nullptr, ports());
        d.show();
        auto *list = child<QComboBox>(d, "serialPortInfoListBox");
        list->setCurrentIndex(texts(list).indexOf(chosen));
        for (int i = 1; i < lists.size(); ++i) {
            QSignalSpy removed(list->model(), &QAbstractItemModel::rowsRemoved);
            showPorts(lists.at(i));
            QTRY_COMPARE_WITH_TIMEOUT(texts(list), lists.at(i), 3000);
            QCOMPARE(texts(list).value(list->currentIndex()), selected.at(i - 1));
            if (lists.at(i) == lists.at(i - 1)) { // an unchanged list is left alone
                QTest::qWait(twoPolls);
                QCOMPARE(removed.count(), 0);
            }
        }
        // hidden, the dialog does not look; shown again, it looks at once
        d.hide();
        showPorts(lists.first());
        QTest::qWait(twoPolls);
        QCOMPARE(texts(list), lists.last());
        d.show();
        QCOMPARE(texts(list), lists.first());
        qunsetenv("KVT_SIMULATOR_PORT");
    }

    // "Выбрать" pressed or not; a rate not in the list is typed as a custom one; the ports
    // when the second dialog opens and the port it selects (ttyACM1 was chosen in the first)
    void remembersChoice_data()
    {
        QTest::addColumn<bool>("select");
        QTest::addColumn<int>("baudRate");
        QTest::addColumn<bool>("reconnect");
        QTest::addColumn<QStringList>("later");
        QTest::addColumn<QString>("port");
        QTest::newRow("present") << true << 115200 << false << QStringList{"ttyACM0", "ttyACM1"} << "ttyACM1";
        QTest::newRow("custom rate, port gone") << true << 250000 << true << QStringList{"ttyACM0"} << "ttyACM0";
        QTest::newRow("not chosen") << false << 38400 << false << QStringList{"ttyACM0", "ttyACM1"} << "ttyACM0";
    }
    void remembersChoice()
    {
        QFETCH(bool, select);
        QFETCH(int, baudRate);
        QFETCH(bool, reconnect);
        QFETCH(QStringList, later);
        QFETCH(QString, port);
        const QList<QPair<const char *, int>> params{{"dataBitsBox", QSerialPort::Data7},
            {"parityBox", QSerialPort::EvenParity}, {"stopBitsBox", QSerialPort::TwoStop},
            {"flowControlBox", QSerialPort::HardwareControl}, {"baudRateBox", baudRate}};
        showPorts({"ttyACM0", "ttyACM1"});
        {
            SettingsDialog d(nullptr, ports());
            QVERIFY(d.autoReconnect());
            QSignalSpy toggled(&d, &SettingsDialog::autoReconnectChanged);
            for (const auto &p : params) {
                auto *box = child<QComboBox>(d, p.first);
                box->setCurrentIndex(box->findData(p.second) >= 0 ? box->findData(p.second) : box->count() - 1);
            }
            child<QComboBox>(d, "baudRateBox")->setEditText(QString::number(baudRate));
            child<QComboBox>(d, "serialPortInfoListBox")->setCurrentIndex(1);
            child<QCheckBox>(d, "autoReconnectCheck")->setChecked(reconnect);
            QCOMPARE(toggled.count(), reconnect ? 0 : 1);
            QCOMPARE(d.autoReconnect(), reconnect);
            if (select)
                child<QPushButton>(d, "applyButton")->click();
        }
        showPorts(later);
        SettingsDialog d(nullptr, ports());
        const PortSettings s = d.currentSettings();
        QCOMPARE(s.portName, port);
        QCOMPARE((QList<int>{s.dataBits, s.parity, s.stopBits, s.flowControl, s.baudRate}),
                 select ? (QList<int>{7, 2, 2, 1, baudRate}) : (QList<int>{8, 0, 1, 0, 9600}));
        QCOMPARE(s.autoReconnect, reconnect);
        QCOMPARE(child<QCheckBox>(d, "autoReconnectCheck")->isChecked(), reconnect);
    }

    void layoutCutsNothing_data()
    {
        QTest::addColumn<bool>("russian");
        QTest::addColumn<QSize>("resizeTo"); // none: the default size
        for (bool russian : {true, false}) {
            for (const QSize size : {QSize(), QSize(100, 100), QSize(1500, 900)})
                QTest::addRow("%s %dx%d", russian ? "ru" : "source", size.width(), size.height())
                    << russian << size;
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
        shown = {terminalPort(QStringLiteral("/dev/serial/by-id/usb-KVT_terminal-if00"))};
        SettingsDialog d(nullptr, ports());
        d.show();
        if (resizeTo.isValid())
            d.resize(resizeTo);
        QTest::qWait(100);
        for (QWidget *w : d.findChildren<QWidget *>()) {
            const QByteArray name = w->objectName().toLatin1();
            if (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w)) {
                QVERIFY2(w->width() >= w->sizeHint().width() && w->height() >= w->sizeHint().height(), name);
            } else if (auto *box = qobject_cast<QComboBox *>(w)) {
                QStyleOptionComboBox opt;
                opt.initFrom(box);
                const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &opt,
                                                                 QStyle::SC_ComboBoxEditField, box);
                for (const QString &text : texts(box))
                    QVERIFY2(field.width() >= box->fontMetrics().horizontalAdvance(text), name);
            } else if (auto *group = qobject_cast<QGroupBox *>(w)) { // nothing sits on a title
                QStyleOptionGroupBox opt;
                opt.initFrom(group);
                opt.text = group->title();
                const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &opt,
                                                                   QStyle::SC_GroupBoxLabel, group);
                for (QWidget *c : group->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
                    QVERIFY2(opt.text.isEmpty() || !c->geometry().intersects(title), name);
            }
        }
    }
};

QTEST_MAIN(TestPortDialog)
#include "tst_portdialog.moc"
