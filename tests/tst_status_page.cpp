// The device parameters page: its groups, captions and fields, read-only state and widths,
// the layout at the window's extreme sizes, the translated and untranslated texts, and
// "Очистить".
#include "mainwindow/mainwindow.h"
#include "terminal/console.h"
#include "terminal/terminal.h"
#include "testutil.h"
#include "tst_status_util.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QTranslator>
#include <QtTest>

namespace {
QWidget *statusPage(const MainWindow &w)
{
    return w.findChild<QWidget *>(QStringLiteral("statusPage"));
}

template <typename T>
T *pageChild(const MainWindow &w, const QString &name)
{
    return statusPage(w)->findChild<T *>(name);
}

// Caption and field object name of every row of a form group, in order.
QStringList formRows(const QGroupBox *group)
{
    QStringList rows;
    const auto *form = qobject_cast<QFormLayout *>(group->layout());
    if (!form)
        return {QStringLiteral("<no form layout>")};
    for (int r = 0; r < form->rowCount(); ++r) {
        QLayoutItem *label = form->itemAt(r, QFormLayout::LabelRole);
        QLayoutItem *field = form->itemAt(r, QFormLayout::FieldRole);
        const auto *l = label ? qobject_cast<QLabel *>(label->widget()) : nullptr;
        rows << (l ? l->text() : QStringLiteral("<none>")) + QLatin1Char('|')
                    + (field && field->widget() ? field->widget()->objectName()
                                                : QStringLiteral("<none>"));
    }
    return rows;
}

// The grid of a group, one string per row: the texts of labels and object names of fields.
QStringList gridRows(const QGroupBox *group)
{
    QStringList rows;
    const auto *grid = qobject_cast<QGridLayout *>(group->layout());
    if (!grid)
        return {QStringLiteral("<no grid layout>")};
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->columnCount(); ++c) {
            QLayoutItem *item = grid->itemAtPosition(r, c);
            const QWidget *cell = item ? item->widget() : nullptr;
            if (!cell)
                cells << QString();
            else if (const auto *l = qobject_cast<const QLabel *>(cell))
                cells << l->text();
            else
                cells << cell->objectName();
        }
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList rows(std::initializer_list<std::pair<const char *, const char *>> list)
{
    QStringList out;
    for (const auto &r : list)
        out << QString::fromUtf8(r.first) + QLatin1Char('|') + QLatin1String(r.second);
    return out;
}

// The line edits that are editors of a list or number box belong to that box.
bool isBoxEditor(const QLineEdit *e)
{
    return qobject_cast<QComboBox *>(e->parentWidget())
           || qobject_cast<QAbstractSpinBox *>(e->parentWidget());
}

// Marks every text of the page's contexts, so a test sees which texts were translated.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (qstrcmp(context, "StatusPage") != 0 && qstrcmp(context, "SensorPanel") != 0)
            return QString();
        return QStringLiteral("EN[%1]").arg(QString::fromUtf8(source));
    }
    bool isEmpty() const override { return false; }
};
} // namespace

class TestStatusPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<QSerialPort::SerialPortError>(); }
    void init() { setPortSource(nullptr); deviceModelCode = 0; }

    void formGroups_data();
    void formGroups();
    void gridGroups();
    void everyNamedFieldOnce();
    void statusFieldsReadOnlyAndFixedWidth();
    void panelFieldsReadOnly();
    void signalBar();
    void longValuesShowFromTheStart();
    void indicators();
    void layout_data();
    void layout();
    void translatedTexts_data();
    void translatedTexts();
    void clearAll();
    void clearAllWithPortClosed();
};

void TestStatusPage::formGroups_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("general") << "generalInfoGroup" << "Общая информация"
                             << rows({{"Модель", "modelEdit"},
                                      {"SN устройства", "serialNumberEdit"},
                                      {"IMEI модема", "imeiEdit"},
                                      {"Версия ПО", "firmwareVersionEdit"},
                                      {"Время устройства", "deviceTimeEdit"},
                                      {"Время работы", "runTimeEdit"},
                                      {"Статус настроек", "settingsTaskEdit"},
                                      {"Статус ПО", "firmwareTaskEdit"},
                                      {"Записано пакетов", "packetsWrittenEdit"},
                                      {"Отправлено пакетов", "packetsSentEdit"}});
    QTest::newRow("statuses") << "deviceStatusGroup" << "Статусы устройства"
                              << rows({{"Внутр. память", "internalMemoryEdit"},
                                       {"Внешн. память", "externalMemoryEdit"},
                                       {"Часы", "clockEdit"},
                                       {"Акселерометр", "accelerometerEdit"},
                                       {"GPS/ГЛОНАСС", "gnssStateEdit"},
                                       {"GSM", "gsmStateEdit"},
                                       {"SIM1 карта", "sim1Edit"},
                                       {"PIN1 код", "pin1Edit"},
                                       {"SIM2 карта", "sim2Edit"},
                                       {"PIN2 код", "pin2Edit"}});
    QTest::newRow("power") << "powerGroup" << "Питание"
                           << rows({{"Внешнее напряжение, мВ", "externalVoltageEdit"},
                                    {"Напряжение АКБ, мВ", "batteryVoltageEdit"}});
    QTest::newRow("gsm") << "gsmGroup" << "GSM"
                         << rows({{"Оператор", "operatorEdit"},
                                  {"MCC", "mccEdit"},
                                  {"MNC", "mncEdit"},
                                  {"APN ", "apnEdit"},
                                  {"APN логин", "apnLoginEdit"},
                                  {"APN пароль", "apnPasswordEdit"},
                                  {"Уровень сигнала", "signalLevelBar"},
                                  {"Сервер", "serverEdit"},
                                  {"Свзяь с модемом", "modemLinkEdit"},
                                  {"Регистрация в сети", "networkRegistrationEdit"},
                                  {"GPRS сервис", "gprsServiceEdit"},
                                  {"Соединение с сервером", "serverConnectionEdit"},
                                  {"Ответ от сервера", "serverReplyEdit"},
                                  {"TCP сессий", "tcpCountEdit"},
                                  {"SMS входящие/валидные", "smsInEdit"},
                                  {"SMS исходящие", "smsOutEdit"}});
    QTest::newRow("gnss") << "gnssGroup" << "GPS / ГЛОНАСС"
                          << rows({{"Широта", "latitudeEdit"},
                                   {"Долгота", "longitudeEdit"},
                                   {"Высота", "altitudeEdit"},
                                   {"Курс", "courseEdit"},
                                   {"Скорость", "speedEdit"},
                                   {"Спутники", "satellitesEdit"},
                                   {"HDOP", "hdopEdit"}});
    QTest::newRow("inputs") << "inputsGroup" << "Дискретные входы/выходы"
                            << rows({{"IN0", "inputEdit0"},
                                     {"IN1", "inputEdit1"},
                                     {"IN2", "inputEdit2"},
                                     {"IN3", "inputEdit3"},
                                     {"IN4", "inputEdit4"},
                                     {"IN5", "inputEdit5"},
                                     {"IN6", "inputEdit6"},
                                     {"IN7", "inputEdit7"}});
    QTest::newRow("can") << "canDataGroup" << "Данные с CAN шины"
                         << rows({{"Номер программы CAN", "canDataProgramEdit"},
                                  {"Валидные/невалидные", "canDataValidEdit"},
                                  {"Время работы двигателя (ч)", "engineHoursEdit"},
                                  {"Полный пробег ТС (км)", "mileageEdit"},
                                  {"Полный расход топлива (л)", "fuelUsedEdit"},
                                  {"Уровень топлива в баке (%)", "fuelLevelEdit"},
                                  {"Обороты двигателя (об/мин)", "engineRpmEdit"},
                                  {"Температура двигателя (С)", "engineTempEdit"},
                                  {"Скорость ТС (км/ч)", "vehicleSpeedEdit"},
                                  {"Давлене на ось 1 (кг)", "axleLoad1Edit"},
                                  {"Давлене на ось 2 (кг)", "axleLoad2Edit"},
                                  {"Давлене на ось 3 (кг)", "axleLoad3Edit"},
                                  {"Давлене на ось 4 (кг)", "axleLoad4Edit"},
                                  {"Давлене на ось 5 (кг)", "axleLoad5Edit"},
                                  {"Положение педали газа", "pedalPositionEdit"},
                                  {"Нагрузка на двигатель", "engineLoadEdit"},
                                  {"Уровень AdBlue", "adBlueLevelEdit"},
                                  {"Состояние безопасности", "securityStateEdit"},
                                  {"Контроллеры аварии", "alarmControllersEdit"}});
}

void TestStatusPage::formGroups()
{
    QFETCH(QString, group);
    QFETCH(QString, title);
    QFETCH(QStringList, rows);
    MainWindow w;
    const auto *g = pageChild<QGroupBox>(w, group);
    QVERIFY(g);
    QCOMPARE(g->title(), title);
    QCOMPARE(formRows(g), rows);
}

void TestStatusPage::gridGroups()
{
    MainWindow w;
    QStringList fuel{" |Уровень|Температура"};
    for (int n = 0; n < 7; ++n)
        fuel << QStringLiteral("ДУТ %1|llsLevelEdit%1|llsTempEdit%1").arg(n);
    const auto *fuelGroup = pageChild<QGroupBox>(w, "fuelSensorsGroup");
    QCOMPARE(fuelGroup->title(), QStringLiteral("Датчики уровня топлива (RS232/RS485)"));
    QCOMPARE(gridRows(fuelGroup), fuel);

    QStringList oneWire{"|Адрес| Температура"};
    for (int n = 0; n < 6; ++n)
        oneWire << QStringLiteral("Термодатчик %1|thermoAddressEdit%1|thermoTempEdit%1").arg(n);
    oneWire << QStringLiteral("Ключ ID|keyIdEdit|");
    const auto *oneWireGroup = pageChild<QGroupBox>(w, "oneWireGroup");
    QCOMPARE(oneWireGroup->title(), QStringLiteral("1-Wire"));
    QCOMPARE(gridRows(oneWireGroup), oneWire);
}

// Every name a decoder writes to is one widget of the page.
void TestStatusPage::everyNamedFieldOnce()
{
    MainWindow w;
    QStringList names;
    for (const QString &group :
         {"generalInfoGroup", "deviceStatusGroup", "powerGroup", "gsmGroup", "gnssGroup",
          "inputsGroup", "canDataGroup", "fuelSensorsGroup", "oneWireGroup"})
        for (const QLineEdit *e : pageChild<QGroupBox>(w, group)->findChildren<QLineEdit *>())
            names << e->objectName();
    QCOMPARE(names.size(), 44 + 8 + 19 + 14 + 13);
    for (const QString &name : names) {
        QVERIFY2(!name.isEmpty(), "a field without a name");
        QCOMPARE(w.findChildren<QLineEdit *>(name).size(), 1);
    }
    for (const char *name : {"signalLevelBar", "fuelLevelLabel", "inputLabel0", "inputLabel7",
                             "sensorPanel", "securityFlagsGroup", "lampFlagsGroup"})
        QVERIFY2(statusPage(w)->findChildren<QWidget *>(QLatin1String(name)).size() == 1, name);
}

void TestStatusPage::statusFieldsReadOnlyAndFixedWidth()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const auto edits = pageChild<QWidget>(w, "statusColumns")->findChildren<QLineEdit *>();
    QCOMPARE(edits.size(), 44);
    for (QLineEdit *e : edits) {
        QVERIFY2(e->isReadOnly(), qPrintable(e->objectName()));
        QCOMPARE(e->width(), 150);
        QCOMPARE(e->minimumWidth(), 150);
        QCOMPARE(e->maximumWidth(), 150);
    }
    // typing is refused, the shown value stays
    QLineEdit *model = pageChild<QLineEdit>(w, "modelEdit");
    feed(w, "DI=31;1;0");
    model->setFocus();
    QTest::keyClicks(model, "abc");
    QTest::keyClick(model, Qt::Key_Backspace);
    QCOMPARE(model->text(), QStringLiteral("KVT3"));
}

void TestStatusPage::panelFieldsReadOnly()
{
    MainWindow w;
    const auto edits = pageChild<QWidget>(w, "sensorPanel")->findChildren<QLineEdit *>();
    QCOMPARE(edits.size(), 8 + 14 + 13 + 19);
    for (QLineEdit *e : edits) {
        QVERIFY2(e->isReadOnly(), qPrintable(e->objectName()));
        QCOMPARE(e->minimumWidth(), 50);
        QCOMPARE(e->maximumWidth(), 100);
        QVERIFY(e->text().isEmpty());
    }
    // read-only, but the value can be selected and copied
    feed(w, "OWK=0;01A2B3C4");
    QLineEdit *key = pageChild<QLineEdit>(w, "keyIdEdit");
    QTest::keyClicks(key, "zz");
    QCOMPARE(key->text(), QStringLiteral("01A2B3C4"));
    key->selectAll();
    QCOMPARE(key->selectedText(), QStringLiteral("01A2B3C4"));
}

void TestStatusPage::longValuesShowFromTheStart()
{
    MainWindow w;
    QLineEdit *imei = pageChild<QLineEdit>(w, "imeiEdit");
    feed(w, "MN=866104023456789123456789");
    QCOMPARE(imei->cursorPosition(), 0);
    feed(w, "MN=866104023456789123456789");   // the same value again
    QCOMPARE(imei->cursorPosition(), 0);
    feed(w, "MN=966104023456789123456789");
    QCOMPARE(imei->cursorPosition(), 0);
    QCOMPARE(imei->text(), QStringLiteral("966104023456789123456789"));
}

void TestStatusPage::signalBar()
{
    MainWindow w;
    QProgressBar *bar = pageChild<QProgressBar>(w, "signalLevelBar");
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(bar->maximumWidth(), 150);
    QVERIFY(bar->isTextVisible());
    feed(w, "ML=31;250;01");
    QCOMPARE(bar->text(), QStringLiteral("99%"));
}

// The CAN indicators are shown below the CAN group; they are indicators only.
void TestStatusPage::indicators()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QWidget *page = statusPage(w);
    const auto *can = pageChild<QGroupBox>(w, "canDataGroup");
    int top = can->mapTo(page, QPoint(0, can->height())).y();
    for (const char *name : {"securityFlagsGroup", "lampFlagsGroup"}) {
        const auto *group = pageChild<QGroupBox>(w, name);
        QVERIFY2(group->isVisible(), name);
        QVERIFY(group->title().isEmpty());
        const QPoint at = group->mapTo(page, QPoint(0, 0));
        QVERIFY2(at.y() >= top, name);
        QVERIFY2(qAbs(at.x() - can->mapTo(page, QPoint(0, 0)).x()) < 5, name);
        top = at.y() + group->height();
        for (const QRadioButton *b : group->findChildren<QRadioButton *>()) {
            QVERIFY(!b->isEnabled());
            QVERIFY(!b->autoExclusive());
            QVERIFY(b->text().isEmpty());
        }
    }
    QCOMPARE(pageChild<QGroupBox>(w, "securityFlagsGroup")->findChildren<QRadioButton *>().size(),
             16);
    QCOMPARE(pageChild<QGroupBox>(w, "lampFlagsGroup")->findChildren<QRadioButton *>().size(), 22);
    // several at once, and a click does not change them
    feed(w, "CS=" + QByteArray::number((1 << 8) | (1 << 9) | (1 << 16)));
    int checked = 0;
    for (QRadioButton *b : pageChild<QGroupBox>(w, "securityFlagsGroup")->findChildren<QRadioButton *>()) {
        QTest::mouseClick(b, Qt::LeftButton);
        checked += b->isChecked();
    }
    QCOMPARE(checked, 3);
}

void TestStatusPage::layout_data()
{
    QTest::addColumn<QSize>("size");   // empty: maximized
    QTest::newRow("minimum") << QSize(420, 460);
    QTest::newRow("1600x900") << QSize(1600, 900);
    QTest::newRow("maximized") << QSize();
}

// No caption is cut and no two widgets of the page overlap, whatever the window size; the
// page scrolls when it does not fit. The records that write the longest captions came first.
void TestStatusPage::layout()
{
    QFETCH(QSize, size);
    MainWindow w;
    feedAll(w, {"ID0=1", "II1=5", "IA2=1.5", "IF3=440", "O14=1", "IF5=3", "CR=455", "MS=5"});
    if (size.isValid()) {
        w.resize(size);
        w.show();
    } else {
        w.showMaximized();
    }
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::qWait(20);
    if (size.isValid())
        QCOMPARE(w.size(), size);

    QWidget *page = statusPage(w);
    QList<QWidget *> leaves;
    for (QWidget *c : page->findChildren<QWidget *>()) {
        if (!c->isVisible())
            continue;
        if (qobject_cast<QLabel *>(c) || qobject_cast<QLineEdit *>(c)
            || qobject_cast<QProgressBar *>(c) || qobject_cast<QRadioButton *>(c))
            leaves << c;
        // inside its parent: nothing sticks out of a group
        QVERIFY2(c->parentWidget()->rect().contains(c->geometry()),
                 qPrintable(c->objectName() + QLatin1Char(' ') + c->metaObject()->className()));
    }
    QVERIFY(leaves.size() > 200);
    auto describe = [](const QWidget *c) {
        const auto *l = qobject_cast<const QLabel *>(c);
        return l ? l->text() : c->objectName();
    };
    for (QWidget *c : leaves) {
        if (const auto *l = qobject_cast<QLabel *>(c)) {
            QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(describe(c)));
            QVERIFY2(l->height() >= l->fontMetrics().height(), qPrintable(describe(c)));
        }
    }
    QList<QRect> rects;
    for (QWidget *c : leaves)
        rects << QRect(c->mapTo(page, QPoint(0, 0)), c->size());
    for (int i = 0; i < leaves.size(); ++i)
        for (int j = i + 1; j < leaves.size(); ++j)
            QVERIFY2(!rects[i].intersects(rects[j]),
                     qPrintable(describe(leaves[i]) + QStringLiteral(" / ") + describe(leaves[j])));

    // the page is never squeezed below what it needs; the scroll area scrolls instead
    QVERIFY(page->width() >= page->minimumSizeHint().width());
    QVERIFY(page->height() >= page->minimumSizeHint().height());
}

void TestStatusPage::translatedTexts_data()
{
    QTest::addColumn<QByteArrayList>("records");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("shown");

    QTest::newRow("caption") << QByteArrayList{} << "modelEdit:label" << "EN[Модель]";
    QTest::newRow("input caption IN0") << QByteArrayList{} << "inputLabel0" << "IN0";
    QTest::newRow("model name") << QByteArrayList{"DI=20;1;0"} << "modelEdit" << "KVT2 Tacho";
    QTest::newRow("task state") << QByteArrayList{"DF=0;3"} << "firmwareTaskEdit"
                                << "EN[Синхронизация]";
    QTest::newRow("status Ok") << QByteArrayList{"DS=1"} << "internalMemoryEdit" << "EN[Ok]";
    QTest::newRow("accelerometer Ok stays") << QByteArrayList{"DS=1024"} << "accelerometerEdit"
                                            << "Ok";
    QTest::newRow("status word text") << QByteArrayList{"DS=0"} << "sim1Edit"
                                      << "EN[Отсутствует]";
    QTest::newRow("modem stage") << QByteArrayList{"MS=1"} << "networkRegistrationEdit"
                                 << "EN[Поиск]";
    QTest::newRow("modem dash stays") << QByteArrayList{"MS=1"} << "serverReplyEdit" << "-";
    QTest::newRow("operator name stays") << QByteArrayList{"ML=1;250;02"} << "operatorEdit"
                                         << "MegaFon";
    QTest::newRow("operator unknown") << QByteArrayList{"ML=1;1;1"} << "operatorEdit"
                                      << "EN[Не определен]";
    QTest::newRow("APN not set") << QByteArrayList{"APN=a"} << "apnLoginEdit" << "EN[не задан]";
    QTest::newRow("fuel caption in percent")
        << QByteArrayList{"CG=5"} << "fuelLevelLabel" << "EN[Уровень топлива в баке (%)]";
    QTest::newRow("fuel caption in litres") << QByteArrayList{"CR=5"} << "fuelLevelLabel"
                                            << "EN[Уровень топлива в баке (л)]";
    QTest::newRow("output caption") << QByteArrayList{"O15=1"} << "inputLabel5"
                                    << "EN[IN5_U Выход]";
    QTest::newRow("output state") << QByteArrayList{"O15=1"} << "inputEdit5" << "EN[Вкл]";
    QTest::newRow("input caption: prefix stays, type translated")
        << QByteArrayList{"ID0=1"} << "inputLabel0" << "IN0_DEN[ Дискретный]";
    QTest::newRow("input state") << QByteArrayList{"ID0=1"} << "inputEdit0" << "EN[ Замкнут]";
    QTest::newRow("input value stays") << QByteArrayList{"IA2=12.5"} << "inputEdit2" << "12.5";
    QTest::newRow("indicator caption") << QByteArrayList{} << "securityFlagsGroup:0"
                                       << "EN[Зажигание]";
    QTest::newRow("status bar") << QByteArrayList{"MS=3"} << "statusBar" << "EN[!!! MS= 3 !!!]";
}

void TestStatusPage::translatedTexts()
{
    QFETCH(QByteArrayList, records);
    QFETCH(QString, widget);
    QFETCH(QString, shown);

    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    MainWindow w;
    feedAll(w, records);
    QString got;
    if (widget == QLatin1String("statusBar")) {
        got = w.statusBar()->currentMessage();
    } else if (widget.endsWith(QLatin1String(":label"))) {
        auto *field = pageChild<QWidget>(w, widget.section(QLatin1Char(':'), 0, 0));
        auto *form = qobject_cast<QFormLayout *>(field->parentWidget()->layout());
        got = qobject_cast<QLabel *>(form->labelForField(field))->text();
    } else if (widget.contains(QLatin1Char(':'))) {
        auto *group = pageChild<QGroupBox>(w, widget.section(QLatin1Char(':'), 0, 0));
        auto *form = qobject_cast<QFormLayout *>(group->layout());
        got = qobject_cast<QLabel *>(
                  form->itemAt(widget.section(QLatin1Char(':'), 1).toInt(), QFormLayout::LabelRole)
                      ->widget())
                  ->text();
    } else if (auto *label = pageChild<QLabel>(w, widget)) {
        got = label->text();
    } else {
        got = text(w, widget);
    }
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(got, shown);
}

void TestStatusPage::clearAll()
{
    Pty pty;
    MainWindow w;
    connectTo(w, pty.slavePath);
    QVERIFY(w.serialPort()->isOpen());
    QCOMPARE(pty.read(24), QByteArray(">I 0\r\n>I 1\r\n>I 3\r\n>I 7\r\n"));

    feedAll(w, {"DI=31;1;0", "ML=15;250;01", "MS=7", "GK=55.1;37.2", "CS=260", "CP=-1",
                "O14=1", "CR=455", "LLS=;3;1;2", "OWK=0;K"});
    // list and number boxes keep their values
    auto *combo = new QComboBox(statusPage(w));
    combo->setEditable(true);
    combo->addItems({"one", "two"});
    combo->setCurrentIndex(1);
    auto *spin = new QSpinBox(statusPage(w));
    spin->setValue(7);
    const QList<QComboBox *> combos = w.findChildren<QComboBox *>();
    QStringList comboTexts;
    for (QComboBox *c : combos)
        comboTexts << c->currentText();

    const QList<QLineEdit *> edits = w.findChildren<QLineEdit *>();
    for (QLineEdit *e : edits)
        if (!isBoxEditor(e))
            e->setText(QStringLiteral("x"));
    for (QCheckBox *c : w.findChildren<QCheckBox *>())
        c->setChecked(true);
    w.terminalPanel()->showReceived("traffic");
    QVERIFY(!w.terminalPanel()->logConsole()->toPlainText().isEmpty());
    QVERIFY(w.findChildren<QCheckBox *>().size() > 1);   // the settings page's and the log's

    w.findChild<QAction *>("actionClear")->trigger();

    QCOMPARE(pty.read(24), QByteArray(">I 0\r\n>I 1\r\n>I 3\r\n>I 7\r\n"));
    QVERIFY(w.terminalPanel()->logConsole()->toPlainText().isEmpty());
    for (const QLineEdit *e : edits)
        if (!isBoxEditor(e))
            QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
    for (const QCheckBox *c : w.findChildren<QCheckBox *>())
        QVERIFY2(!c->isChecked(), qPrintable(c->objectName()));
    for (const QRadioButton *b : w.findChildren<QRadioButton *>())
        QVERIFY(!b->isChecked());
    QStringList comboTextsAfter;
    for (QComboBox *c : combos)
        comboTextsAfter << c->currentText();
    QCOMPARE(comboTextsAfter, comboTexts);
    QCOMPARE(spin->value(), 7);
    QCOMPARE(spin->text(), QStringLiteral("7"));

    // kept: the signal bar, the captions the records changed, the model code, the connection
    QCOMPARE(pageChild<QProgressBar>(w, "signalLevelBar")->value(), 48);
    QCOMPARE(pageChild<QLabel>(w, "inputLabel4")->text(), QStringLiteral("IN4_U Выход"));
    QCOMPARE(pageChild<QLabel>(w, "fuelLevelLabel")->text(),
             QStringLiteral("Уровень топлива в баке (л)"));
    QCOMPARE(deviceModelCode, 31u);
    QVERIFY(w.serialPort()->isOpen());

    // the answers fill the page again
    pty.write(">DI=31;1;0\r\n>ML=20;250;02\r\n");
    QTRY_COMPARE(text(w, "operatorEdit"), QStringLiteral("MegaFon"));
    QCOMPARE(text(w, "modelEdit"), QStringLiteral("KVT3"));
}

void TestStatusPage::clearAllWithPortClosed()
{
    MainWindow w;
    ModalCloser closer;
    feed(w, "MN=861234567890123");
    w.clearAll();
    QCOMPARE(text(w, "imeiEdit"), QString());
    QCOMPARE(closer.titles, QStringList());
    QVERIFY(!w.serialPort()->isOpen());
}

QTEST_MAIN(TestStatusPage)
#include "tst_status_page.moc"
