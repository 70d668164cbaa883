// The settings page as built: widgets, limits, lists, layout and the small slots that change
// the page while it is edited.

#include "settings/settingspage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

class TestSettingsPage : public QObject
{
    Q_OBJECT

private:
    SettingsPage *settingsPage = nullptr;
    QWidget *page() const { return settingsPage; }
    template <typename T>
    T *get(const char *name) const
    {
        return page()->findChild<T *>(QLatin1String(name));
    }
    // the titles of the groups in a column, top to bottom
    static QStringList groupTitles(QWidget *column);
    // the rows of a group's form: label text or object name of the label item, then "=", then
    // the object name or text of the field item
    static QStringList formRows(QWidget *group);

private slots:
    void init();
    void cleanup();

    void namedWidgets_data();
    void namedWidgets();
    void maxLengths_data();
    void maxLengths();
    void listEntries_data();
    void listEntries();
    void inputListsEnabled_data();
    void inputListsEnabled();
    void initialState();
    void columnsAndGroups();
    void groupRows_data();
    void groupRows();
    void sizingPass();
    void in2Relabel_data();
    void in2Relabel();
    void otherInputsDoNotRelabel();
    void canControlsFollowRs485_data();
    void canControlsFollowRs485();
    void coreLabelsAreThePages_data();
    void coreLabelsAreThePages();
};

void TestSettingsPage::init()
{
    settingsPage = new SettingsPage;
}

void TestSettingsPage::cleanup()
{
    delete settingsPage;
    settingsPage = nullptr;
}

QStringList TestSettingsPage::groupTitles(QWidget *column)
{
    QStringList titles;
    QLayout *l = column->layout();
    for (int i = 0; i < l->count(); ++i) {
        if (auto *g = qobject_cast<QGroupBox *>(l->itemAt(i)->widget()))
            titles << g->title();
        else if (l->itemAt(i)->spacerItem())
            titles << QStringLiteral("<stretch>");
    }
    return titles;
}

QStringList TestSettingsPage::formRows(QWidget *group)
{
    auto describe = [](QLayoutItem *item) -> QString {
        if (!item || !item->widget())
            return QString();
        QWidget *wd = item->widget();
        if (!wd->objectName().isEmpty())
            return wd->objectName();
        if (auto *l = qobject_cast<QLabel *>(wd))
            return l->text();
        return QStringLiteral("?");
    };
    auto *form = qobject_cast<QFormLayout *>(group->layout());
    QStringList rows;
    for (int r = 0; form && r < form->rowCount(); ++r) {
        QLayoutItem *span = form->itemAt(r, QFormLayout::SpanningRole);
        if (span) {
            rows << QStringLiteral("*") + describe(span);
            continue;
        }
        rows << describe(form->itemAt(r, QFormLayout::LabelRole)) + QStringLiteral("=")
                    + describe(form->itemAt(r, QFormLayout::FieldRole));
    }
    return rows;
}

void TestSettingsPage::namedWidgets_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");
    const char *edits[] = {"monitoringServerEdit", "monitoringPortEdit", "simPin1Edit",
                           "apn1Edit", "login1Edit", "password1Edit", "simPin2Edit", "apn2Edit",
                           "login2Edit", "password2Edit", "workTimeEdit", "sleepTimeEdit",
                           "angleEdit", "speedChangeEdit", "distanceEdit", "timerEdit",
                           "canProgramEdit", "phone1Edit", "phone2Edit", "phone3Edit",
                           "phone4Edit", "phone5Edit", "accessPasswordEdit", "newPasswordEdit"};
    for (const char *n : edits)
        QTest::newRow(n) << n << "QLineEdit";
    const char *checks[] = {"roaming1Check", "roaming2Check", "sleepCheck", "newPasswordCheck"};
    for (const char *n : checks)
        QTest::newRow(n) << n << "QCheckBox";
    for (int k = 1; k <= 14; ++k) {
        const QByteArray n = "canParamCheck" + QByteArray::number(k);
        QTest::newRow(n.constData()) << QString::fromLatin1(n) << "QCheckBox";
    }
    const char *combos[] = {"rs232Combo", "rs485Combo", "oneWireCombo", "in0Combo", "in1Combo",
                            "in2Combo", "in3Combo", "in4Combo", "in5Combo", "in6Combo",
                            "in7Combo", "smsFunction1Combo", "smsFunction2Combo",
                            "smsFunction3Combo", "smsFunction4Combo", "smsFunction5Combo"};
    for (const char *n : combos)
        QTest::newRow(n) << n << "QComboBox";
    QTest::newRow("in2Label") << "in2Label" << "QLabel";
    QTest::newRow("writeStatusLabel") << "writeStatusLabel" << "QLabel";
    QTest::newRow("readSettingsButton") << "readSettingsButton" << "QPushButton";
    QTest::newRow("writeSettingsButton") << "writeSettingsButton" << "QPushButton";
    QTest::newRow("canParamsGroup") << "canParamsGroup" << "QGroupBox";
}

void TestSettingsPage::namedWidgets()
{
    QFETCH(QString, name);
    QFETCH(QString, type);
    QCOMPARE(page()->objectName(), QStringLiteral("settingsPage"));
    const QList<QWidget *> found = page()->findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    QCOMPARE(QString::fromLatin1(found.first()->metaObject()->className()), type);
}

void TestSettingsPage::maxLengths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("maxLength");
    const int none = QLineEdit().maxLength();
    QTest::newRow("server") << "monitoringServerEdit" << 32;
    QTest::newRow("port") << "monitoringPortEdit" << 5;
    QTest::newRow("pin1") << "simPin1Edit" << 8;
    QTest::newRow("apn1") << "apn1Edit" << 32;
    QTest::newRow("login1") << "login1Edit" << 16;
    QTest::newRow("password1") << "password1Edit" << 32;
    QTest::newRow("pin2") << "simPin2Edit" << 8;
    QTest::newRow("apn2") << "apn2Edit" << 32;
    QTest::newRow("login2") << "login2Edit" << 16;
    QTest::newRow("password2") << "password2Edit" << 32;
    QTest::newRow("work time") << "workTimeEdit" << 3;
    QTest::newRow("sleep time") << "sleepTimeEdit" << 3;
    QTest::newRow("angle") << "angleEdit" << 2;
    QTest::newRow("speed change") << "speedChangeEdit" << 3;
    QTest::newRow("distance") << "distanceEdit" << 4;
    QTest::newRow("timer") << "timerEdit" << 4;
    QTest::newRow("CAN program") << "canProgramEdit" << 10;
    QTest::newRow("access password") << "accessPasswordEdit" << 32;
    QTest::newRow("new password") << "newPasswordEdit" << 32;
    QTest::newRow("phone1") << "phone1Edit" << none;
    QTest::newRow("phone5") << "phone5Edit" << none;
}

void TestSettingsPage::maxLengths()
{
    QFETCH(QString, name);
    QFETCH(int, maxLength);
    auto *e = page()->findChild<QLineEdit *>(name);
    QVERIFY(e);
    QCOMPARE(e->maxLength(), maxLength);
    // input stops at the limit (the numbers group is disabled, so insert rather than type)
    e->clear();
    e->insert(QString(40, QLatin1Char('7')));
    QCOMPARE(e->text().size(), qMin(40, maxLength));
}

void TestSettingsPage::listEntries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("RS232") << "rs232Combo"
                           << QStringList{"Не используется", "CANLOG внешний", "ДУТ LLS",
                                          "Фото камера", "Иридиум"};
    QTest::newRow("RS485 (trailing blank)")
        << "rs485Combo" << QStringList{"Не используется", "LLS-совместимые у-ва ", "KVA-CAN"};
    QTest::newRow("1-Wire") << "oneWireCombo" << QStringList{"1Wire", "Discrete"};
    QTest::newRow("IN0") << "in0Combo"
                         << QStringList{"No", "Discrete", "Pulse", "Frequency", "Chassis ground"};
    QTest::newRow("IN1") << "in1Combo" << QStringList{"No", "Discrete", "ADC"};
    QTest::newRow("IN2") << "in2Combo"
                         << QStringList{"No", "Discrete", "Pulse", "Frequency", "OUT1"};
    for (const char *n : {"in3Combo", "in4Combo", "in5Combo", "in6Combo", "in7Combo"})
        QTest::newRow(n) << n << QStringList();
    const QStringList functions{"INFO SMS",  "GEO SMS",   "Speaker On",     "Microphone On",
                                "Restart",   "Update FW", "Update Settings"};
    for (const char *n : {"smsFunction1Combo", "smsFunction2Combo", "smsFunction3Combo",
                          "smsFunction4Combo", "smsFunction5Combo"})
        QTest::newRow(n) << n << functions;
}

void TestSettingsPage::listEntries()
{
    QFETCH(QString, name);
    QFETCH(QStringList, entries);
    auto *c = page()->findChild<QComboBox *>(name);
    QVERIFY(c);
    QStringList got;
    for (int i = 0; i < c->count(); ++i)
        got << c->itemText(i);
    QCOMPARE(got, entries);
    QCOMPARE(c->currentIndex(), entries.isEmpty() ? -1 : 0);
}

void TestSettingsPage::inputListsEnabled_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("enabled");
    for (int k = 0; k < 8; ++k)
        QTest::newRow(qPrintable(QStringLiteral("IN%1").arg(k))) << QStringLiteral("in%1Combo").arg(k) << (k < 3);
}

// IN3 to IN7 have no modes to choose from: their lists cannot be opened and say why
void TestSettingsPage::inputListsEnabled()
{
    QFETCH(QString, name);
    QFETCH(bool, enabled);
    auto *c = page()->findChild<QComboBox *>(name);
    QVERIFY(c);
    QCOMPARE(c->isEnabledTo(c->parentWidget()), enabled);
    QCOMPARE(c->toolTip(), enabled ? QString()
                                   : QStringLiteral("Входы IN3–IN7 в этой программе не настраиваются"));
}

void TestSettingsPage::initialState()
{
    for (QLineEdit *e : page()->findChildren<QLineEdit *>()) {
        if (e->objectName() == QLatin1String("accessPasswordEdit"))
            QCOMPARE(e->text(), QStringLiteral("482915"));
        else
            QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
    }
    for (QCheckBox *c : page()->findChildren<QCheckBox *>())
        QVERIFY2(!c->isChecked(), qPrintable(c->objectName()));
    QCOMPARE(get<QLabel>("in2Label")->text(), QStringLiteral("IN2"));
    QCOMPARE(get<QLabel>("writeStatusLabel")->text(), QString());

    // the page follows its tab; the widgets' own states are what the page decides
    QVERIFY(!get<QComboBox>("rs232Combo")->isEnabledTo(page()));
    QVERIFY(get<QComboBox>("oneWireCombo")->isEnabledTo(page()));
    QVERIFY(get<QComboBox>("rs485Combo")->isEnabledTo(page()));
    QVERIFY(get<QLineEdit>("canProgramEdit")->isEnabledTo(page()));
    QVERIFY(get<QGroupBox>("canParamsGroup")->isEnabledTo(page()));
    for (const char *n : {"phone1Edit", "phone3Edit", "phone5Edit", "smsFunction1Combo",
                          "smsFunction5Combo"})
        QVERIFY2(!get<QWidget>(n)->isEnabledTo(page()), n);
    QVERIFY(get<QLineEdit>("monitoringServerEdit")->isEnabledTo(page()));

    auto *read = get<QPushButton>("readSettingsButton");
    auto *write = get<QPushButton>("writeSettingsButton");
    QCOMPARE(read->text(), QStringLiteral("Прочитать"));
    QCOMPARE(write->text(), QStringLiteral("Записать"));
    QCOMPARE(read->minimumHeight(), 30);
    QCOMPARE(write->minimumHeight(), 30);
}

void TestSettingsPage::columnsAndGroups()
{
    // the columns scroll under the write bar
    QLayout *pageLayout = get<QWidget>("settingsColumns")->layout();
    QVERIFY(pageLayout);
    QCOMPARE(pageLayout->count(), 3);
    QWidget *columns[3];
    for (int i = 0; i < 3; ++i) {
        columns[i] = pageLayout->itemAt(i)->widget();
        QVERIFY(columns[i]);
        QVERIFY(qobject_cast<QVBoxLayout *>(columns[i]->layout()));
    }
    // wide: the three columns side by side; as narrow as the widest column: under each other,
    // and never cut
    int widest = 0, sum = 0;
    for (QWidget *c : columns) {
        widest = qMax(widest, c->sizeHint().width());
        sum += c->sizeHint().width();
    }
    const QMargins m = pageLayout->contentsMargins();
    QVERIFY(pageLayout->minimumSize().width() <= widest + m.left() + m.right());
    for (const int width : {sum + 200, widest + m.left() + m.right()}) {
        pageLayout->setGeometry(QRect(0, 0, width, pageLayout->heightForWidth(width)));
        const bool wide = width > sum;
        QCOMPARE(columns[2]->y() == columns[0]->y(), wide);
        QVERIFY(columns[1]->x() > columns[0]->x() || !wide);
        for (QWidget *c : columns)
            QVERIFY2(c->geometry().right() < width && c->width() >= c->minimumSizeHint().width(),
                     qPrintable(c->objectName()));
    }

    QCOMPARE(groupTitles(columns[0]),
             (QStringList{"Сервер мониторинга", "Сим карта 1", "Сим карта 2", "Режим сна",
                          "Точки маршрута", "<stretch>"}));
    QCOMPARE(groupTitles(columns[1]),
             (QStringList{"Интерфейсы", "Входы/выходы", "Номера и функции", "<stretch>"}));
    QCOMPARE(groupTitles(columns[2]), (QStringList{"Параметры CAN", "<stretch>"}));
    for (QWidget *c : columns) {
        QLayout *l = c->layout();
        QSpacerItem *s = l->itemAt(l->count() - 1)->spacerItem();
        QCOMPARE(s->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(s->sizePolicy().horizontalPolicy(), QSizePolicy::Minimum);
    }
    QCOMPARE(qobject_cast<QGroupBox *>(columns[2]->layout()->itemAt(0)->widget()),
             get<QGroupBox>("canParamsGroup"));
    // the bar above them: the write group, then the scrolling columns
    QLayout *outer = page()->layout();
    QCOMPARE(outer->count(), 2);
    QCOMPARE(outer->itemAt(0)->widget(), get<QWidget>("writeGroup"));
    QCOMPARE(outer->itemAt(1)->widget(), get<QWidget>("settingsScroll"));
}

void TestSettingsPage::groupRows_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("server") << "Сервер мониторинга"
                            << QStringList{"Сервер=monitoringServerEdit", "Порт=monitoringPortEdit"};
    QTest::newRow("SIM 1") << "Сим карта 1"
                           << QStringList{"ПИН1=simPin1Edit", "Роуминг SIM1=roaming1Check",
                                          "APN1=apn1Edit", "Логин1=login1Edit",
                                          "Пароль1=password1Edit"};
    QTest::newRow("SIM 2") << "Сим карта 2"
                           << QStringList{"ПИН2=simPin2Edit", "Роуминг SIM2=roaming2Check",
                                          "APN2=apn2Edit", "Логин2=login2Edit",
                                          "Пароль2=password2Edit"};
    QTest::newRow("sleep") << "Режим сна"
                           << QStringList{"Уходить в сон=sleepCheck", "Время работы=workTimeEdit",
                                          "Время сна=sleepTimeEdit"};
    QTest::newRow("track points") << "Точки маршрута"
                                  << QStringList{"По углу=angleEdit",
                                                 "По изменению скрсти на=speedChangeEdit",
                                                 "По дистанции=distanceEdit",
                                                 "По таймеру=timerEdit"};
    QTest::newRow("interfaces") << "Интерфейсы"
                                << QStringList{"RS232=rs232Combo", "RS485=rs485Combo",
                                               "1-Wire=oneWireCombo",
                                               "Прграмма CAN=canProgramEdit"};
    QTest::newRow("inputs") << "Входы/выходы"
                            << QStringList{"IN0=in0Combo", "IN1=in1Combo", "in2Label=in2Combo",
                                           "IN3=in3Combo", "IN4=in4Combo", "IN5=in5Combo",
                                           "IN6=in6Combo", "IN7=in7Combo"};
    QStringList numbers;
    for (int k = 1; k <= 5; ++k)
        numbers << QStringLiteral("phone%1Edit=smsFunction%1Combo").arg(k);
    QTest::newRow("numbers") << "Номера и функции" << numbers;
    QTest::newRow("write") << "writePasswords"
                           << QStringList{"Пароль=accessPasswordEdit",
                                          "Новый пароль=newPasswordCheck", "=newPasswordEdit"};
    const QStringList canTexts{"Security flags",
                               "Полное время работы двигателя",
                               "Полный пробег",
                               "Полный расход топлива",
                               "Уровень топлива",
                               "Обороты двигателя",
                               "Температура двигателя",
                               "Скорость ТС",
                               "Нагрузка на оси",
                               "Контроллеры аварии",
                               "Мгновенный расход топлива",
                               "Уровень AdBlue",
                               "Положене педали газа",
                               "Нагрузка на двигатель"};
    QStringList can;
    for (int k = 1; k <= 14; ++k)
        can << QStringLiteral("canParamCheck%1=").arg(k) + canTexts.at(k - 1);
    QTest::newRow("CAN parameters") << "Параметры CAN" << can;
}

void TestSettingsPage::groupRows()
{
    QFETCH(QString, title);
    QFETCH(QStringList, rows);
    QWidget *group = page()->findChild<QWidget *>(title);
    for (QGroupBox *g : page()->findChildren<QGroupBox *>()) {
        if (g->title() == title)
            group = g;
    }
    QVERIFY(group);
    QCOMPARE(formRows(group), rows);
}

void TestSettingsPage::sizingPass()
{
    for (QLineEdit *e : page()->findChildren<QLineEdit *>()) {
        QCOMPARE(e->maximumWidth(), 150);
        QCOMPARE(e->minimumWidth(), 70);
    }
    auto *can = get<QGroupBox>("canParamsGroup");
    int inCan = 0;
    for (QLabel *l : page()->findChildren<QLabel *>()) {
        QCOMPARE(l->minimumWidth(), 150);
        if (can->isAncestorOf(l)) {
            ++inCan;
            QCOMPARE(l->alignment(), Qt::Alignment(Qt::AlignLeft));
        } else if (l->objectName() == QLatin1String("writeStatusLabel")) {
            // the outcome of a write reads from the left under the buttons
            QCOMPARE(l->alignment(), Qt::AlignLeft | Qt::AlignTop);
        } else {
            QCOMPARE(l->alignment(), Qt::Alignment(Qt::AlignRight));
        }
    }
    QCOMPARE(inCan, 14);
}

void TestSettingsPage::in2Relabel_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("label");
    QTest::newRow("Pulse") << "Pulse" << "Only for KVT3.1    IN2";
    QTest::newRow("Discrete") << "Discrete" << "Only for KVT3.1    IN2";
    QTest::newRow("Frequency") << "Frequency" << "Only for KVT3.1    IN2";
    QTest::newRow("OUT1") << "OUT1" << "IN2";
    QTest::newRow("No") << "No" << "IN2";
}

void TestSettingsPage::in2Relabel()
{
    QFETCH(QString, entry);
    QFETCH(QString, label);
    auto *in2 = get<QComboBox>("in2Combo");
    auto *in2Label = get<QLabel>("in2Label");
    // start from the other kind of label so that every row sees a change
    in2->setCurrentIndex(label == QLatin1String("IN2") ? 2 : 4);
    QVERIFY(in2Label->text() != label);
    in2->setCurrentIndex(in2->findText(entry));
    QCOMPARE(in2Label->text(), label);
}

void TestSettingsPage::otherInputsDoNotRelabel()
{
    get<QComboBox>("in0Combo")->setCurrentIndex(2);
    get<QComboBox>("in1Combo")->setCurrentIndex(1);
    QCOMPARE(get<QLabel>("in2Label")->text(), QStringLiteral("IN2"));
}

void TestSettingsPage::canControlsFollowRs485_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("KVA-CAN") << 0 << 2 << true;
    QTest::newRow("LLS") << 2 << 1 << false;
    QTest::newRow("not used") << 2 << 0 << false;
    QTest::newRow("LLS to KVA-CAN") << 1 << 2 << true;
}

void TestSettingsPage::canControlsFollowRs485()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, enabled);
    auto *rs485 = get<QComboBox>("rs485Combo");
    rs485->setCurrentIndex(from);
    rs485->setCurrentIndex(to);
    QCOMPARE(get<QLineEdit>("canProgramEdit")->isEnabledTo(page()), enabled);
    QCOMPARE(get<QGroupBox>("canParamsGroup")->isEnabledTo(page()), enabled);
}

// Batch set-up and the refusals name the fields without the page, by the labels the page
// shows, in either language and whatever IN2 is set to.
void TestSettingsPage::coreLabelsAreThePages_data()
{
    QTest::addColumn<QString>("language"); // empty: the texts of the sources
    QTest::addColumn<QString>("in2");
    for (const char *language : {"", "en"}) {
        for (const char *in2 : {"No", "Pulse", "OUT1"})
            QTest::addRow("%s %s", *language ? language : "sources", in2) << language << in2;
    }
}

void TestSettingsPage::coreLabelsAreThePages()
{
    QFETCH(QString, language);
    QFETCH(QString, in2);
    QTranslator translator;
    if (!language.isEmpty()) {
        QVERIFY(translator.load("terminal_" + language, QStringLiteral(KVT_BUILD_DIR)));
        QCoreApplication::installTranslator(&translator);
    }
    SettingsPage shown;
    auto *in2Combo = shown.findChild<QComboBox *>(QStringLiteral("in2Combo"));
    in2Combo->setCurrentIndex(in2Combo->findText(in2));
    QStringList names{"accessPasswordEdit", "newPasswordEdit"};
    for (const SettingsFileField &f : settingsFileFields())
        names << f.name;
    for (const QString &name : names)
        QCOMPARE(settingsValueLabel(name, shown.shownSettings()), shown.fieldLabel(name));
    QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(TestSettingsPage)
#include "tst_settings_page.moc"
