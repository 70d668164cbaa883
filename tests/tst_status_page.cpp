// The device parameters page: its groups, captions and fields, read-only state and widths,
// the layout at the window's extreme sizes, the translated and untranslated texts, and
// "Очистить".
#include "app/styleloader.h"
#include "mainwindow/mainwindow.h"
#include "status/fieldtext.h"
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
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyleOptionButton>
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

// How far apart the field paints the start and the end of its text (the cursor is at the
// start): less than the text's width when it has to scroll to show the end.
int shownTextWidth(QLineEdit *field)
{
    int x[2];
    for (int &at : x) {
        field->grab();
        at = field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        field->end(false);
    }
    return x[1] - x[0];
}

QPoint lampCentre(const QRadioButton *lamp)
{
    QStyleOptionButton option;
    option.initFrom(lamp);
    return lamp->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, lamp).center();
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
    void init() {}

    void formGroups_data();
    void formGroups();
    void gridGroups();
    void everyNamedFieldOnce();
    void statusFieldsReadOnlyAndFixedWidth();
    void panelFieldsReadOnly();
    void signalBar();
    void longValuesShowFromTheStart();
    void fieldBatch_data();
    void fieldBatch();
    void longestValuesShownWhole_data();
    void longestValuesShownWhole();
    void indicators();
    void indicatorColours_data();
    void indicatorColours();
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

// Each column of the status groups reads as a table: its fields share one fixed width.
void TestStatusPage::statusFieldsReadOnlyAndFixedWidth()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(pageChild<QWidget>(w, "statusColumns")->findChildren<QLineEdit *>().size(), 44);
    for (const char *column : {"statusLeftColumn", "statusRightColumn"}) {
        const auto edits = pageChild<QWidget>(w, column)->findChildren<QLineEdit *>();
        for (QLineEdit *e : edits) {
            QVERIFY2(e->isReadOnly(), qPrintable(e->objectName()));
            QCOMPARE(e->width(), edits.first()->width());
            QCOMPARE(e->minimumWidth(), e->maximumWidth());
        }
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
        QCOMPARE(e->minimumWidth(), e->maximumWidth());   // a value does not resize its field
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
    // the whole value is in the tool tip, also when it came in a busy line's batch; clearing
    // takes the value's tool tip, not another
    QCOMPARE(imei->toolTip(), imei->text());
    FieldBatch &fields = w.findChild<StatusPage *>()->fieldBatch();
    fields.begin();
    feedAll(w, {"MN=333", "MN=444"});
    fields.end();
    fields.flush();
    QCOMPARE(imei->toolTip(), QStringLiteral("444"));
    QLineEdit *pin = pageChild<QLineEdit>(w, "pin1Edit");
    pin->setText(QStringLiteral("x"));
    pin->setToolTip(QStringLiteral("a hint"));
    w.clearAll();
    QCOMPARE(imei->toolTip(), QString());
    QCOMPARE(pin->toolTip(), QStringLiteral("a hint"));
}

// A batch shows the last value each widget got once it is flushed, nothing before; a value
// given as a record's bytes ends at its first NUL and is UTF-8; the same value again un-greys
// a greyed field. Widgets are written in any order, fields and labels mixed.
void TestStatusPage::fieldBatch_data()
{
    QTest::addColumn<QStringList>("before");   // the texts of fields a, b, c and label L
    QTest::addColumn<bool>("stale");           // the fields greyed before the batch
    QTest::addColumn<QStringList>("writes");   // "a=text" as a string, "a:text" as bytes
    QTest::addColumn<QStringList>("after");
    const QStringList empty{"", "", "", ""};
    QTest::newRow("last value of each")
        << empty << false << QStringList{"a:1", "b:2", "a:3", "L=x", "c=4", "L=y"}
        << QStringList{"3", "2", "4", "y"};
    QTest::newRow("order changed between records")
        << empty << false << QStringList{"a:1", "b:2", "c:3", "c:6", "b:5", "a:4", "b:2"}
        << QStringList{"4", "2", "6", ""};
    QTest::newRow("bytes end at NUL and are UTF-8")
        << empty << false
        << QStringList{QStringLiteral("a:Мск"), QStringLiteral("b:12") + QChar(0) + "34", "c:"}
        << QStringList{QStringLiteral("Мск"), "12", "", ""};
    QTest::newRow("the value shown given again")
        << QStringList{"7", "8", "9", "L"} << false << QStringList{"a:7", "b:x", "b:8", "c:9"}
        << QStringList{"7", "8", "9", "L"};
    QTest::newRow("non-ASCII value shown given again")
        << QStringList{QStringLiteral("ёж"), "", "", ""} << false
        << QStringList{QStringLiteral("a:ёж"), QStringLiteral("a:ёжи"), QStringLiteral("a:ёж")}
        << QStringList{QStringLiteral("ёж"), "", "", ""};
    QTest::newRow("a value changing with every record")
        << empty << false
        << QStringList{"a:100", "a:101", "a:7", QStringLiteral("a:Ж"), "a:1020", "b:5", "b=6", "b:77"}
        << QStringList{"1020", "77", "", ""};
    QTest::newRow("the same value un-greys")
        << QStringList{"7", "8", "9", ""} << true << QStringList{"a:7", "b=8"}
        << QStringList{"7", "8", "9", ""};
}

void TestStatusPage::fieldBatch()
{
    QFETCH(QStringList, before);
    QFETCH(bool, stale);
    QFETCH(QStringList, writes);
    QFETCH(QStringList, after);
    QWidget page;
    QLineEdit a(&page), b(&page), c(&page);
    QLabel label(&page);
    QList<QLineEdit *> fields{&a, &b, &c};
    for (int i = 0; i < 3; ++i)
        fields[i]->setText(before[i]);
    label.setText(before[3]);
    FieldBatch batch(&page);
    if (stale)
        batch.markStale(&page);
    batch.begin();
    for (const QString &w : writes) {
        const QString text = w.mid(2);
        if (w[0] == 'L')
            batch.set(&label, text);
        else if (w[1] == '=')
            batch.set(fields[w[0].unicode() - 'a'], text);
        else
            batch.setBytes(fields[w[0].unicode() - 'a'], text.toUtf8());
    }
    batch.end();
    for (int i = 0; i < 3; ++i)
        QCOMPARE(fields[i]->text(), before[i]);   // nothing shows before the flush
    QCOMPARE(label.text(), before[3]);
    batch.flush();
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(fields[i]->text(), after[i]);
        const bool written = std::any_of(writes.cbegin(), writes.cend(), [i](const QString &w) {
            return w[0] == QChar('a' + i);
        });
        // greyed until a value comes, the same one too
        QCOMPARE(batch.isStale(fields[i]), stale && !fields[i]->text().isEmpty() && !written);
    }
    QCOMPARE(label.text(), after[3]);
}

void TestStatusPage::longestValuesShownWhole_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("field");
    QTest::newRow("key ID") << QByteArray("OWK=0;DBCDEABFDCBAEDCB") << "keyIdEdit";
    QTest::newRow("1-Wire") << QByteArray("OWT=5;28FFDDCCBBAA0317;-55.5") << "thermoAddressEdit5";
    QTest::newRow("server") << QByteArray("MD=monitoring.example-telematics.ru;20144")
                            << "serverEdit";
    QTest::newRow("date") << QByteArray("TW=1861916399") << "deviceTimeEdit";
    QTest::newRow("SIM in use") << QByteArray("DS=64") << "sim1Edit";
    QTest::newRow("CAN counts") << QByteArray("C#=1;4294967295;4294967295") << "canDataValidEdit";
    QTest::newRow("input open") << QByteArray("ID1=0") << "inputEdit1";
    QTest::newRow("fuel level") << QByteArray("LLS=x;6;-2147483648") << "llsLevelEdit6";
}

// In the window maximized on a 1366x768 screen.
void TestStatusPage::longestValuesShownWhole()
{
    QFETCH(QByteArray, record);
    QFETCH(QString, field);
    MainWindow w;
    w.resize(1366, 768 - 60);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    feed(w, record);
    QLineEdit *edit = pageChild<QLineEdit>(w, field);
    const int textWidth = edit->fontMetrics().horizontalAdvance(edit->text());
    QVERIFY(edit->text().size() > 8);
    QCOMPARE(edit->toolTip(), edit->text());
    QVERIFY(edit->contentsRect().width() >= textWidth);
    QVERIFY2(shownTextWidth(edit) >= textWidth - 1, qPrintable(edit->text()));
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

// The CAN indicators are shown beside the CAN group, one titled group above the other; they
// are indicators only: enabled to look at, but no focus and no clicks.
void TestStatusPage::indicators()
{
    MainWindow w;
    w.resize(1600, 900);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QWidget *page = statusPage(w);
    const auto *can = pageChild<QGroupBox>(w, "canDataGroup");
    const auto *security = pageChild<QGroupBox>(w, "securityFlagsGroup");
    const auto *lamps = pageChild<QGroupBox>(w, "lampFlagsGroup");
    QCOMPARE(security->title(), QStringLiteral("Охрана"));
    QCOMPARE(lamps->title(), QStringLiteral("Индикаторы"));
    QVERIFY(security->mapTo(page, QPoint()).x()
            >= can->mapTo(page, QPoint(can->width(), 0)).x());
    QVERIFY(lamps->mapTo(page, QPoint()).y()
            >= security->mapTo(page, QPoint(0, security->height())).y());
    for (const QGroupBox *group : {security, lamps}) {
        QVERIFY(group->isVisible());
        for (const QRadioButton *b : group->findChildren<QRadioButton *>()) {
            QVERIFY(b->isEnabled());
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
            QVERIFY(b->testAttribute(Qt::WA_TransparentForMouseEvents));
            QVERIFY(!b->autoExclusive());
            QVERIFY(b->text().isEmpty());
        }
    }
    QCOMPARE(security->findChildren<QRadioButton *>().size(), 16);
    QCOMPARE(lamps->findChildren<QRadioButton *>().size(), 22);
    // several at once, and a click where a lamp is shown changes nothing
    feed(w, "CS=" + QByteArray::number((1 << 8) | (1 << 9) | (1 << 16)));
    auto *scrollArea = w.findChild<QScrollArea *>(QStringLiteral("scrollArea"));
    int checked = 0;
    for (QRadioButton *b : security->findChildren<QRadioButton *>()) {
        scrollArea->ensureWidgetVisible(b);
        const QPoint at = b->mapTo(&w, lampCentre(b));
        QCOMPARE(w.childAt(at), static_cast<const QWidget *>(security));
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, at);
        checked += b->isChecked();
    }
    QCOMPARE(checked, 3);
}

void TestStatusPage::indicatorColours_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

// A lit lamp is a saturated colour standing out from the window, an unlit one is grey.
void TestStatusPage::indicatorColours()
{
    QFETCH(bool, dark);
    const QPalette light = QApplication::palette();
    if (dark)
        StyleLoader::applyDarkLook();
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    feedAll(w, {"CS=65536", "CP=64"});   // the first lamp of each group lit, the second not
    const QColor window = w.palette().color(QPalette::Window);
    for (const char *group : {"securityFlagsGroup", "lampFlagsGroup"}) {
        const auto lamps = pageChild<QWidget>(w, group)->findChildren<QRadioButton *>();
        const QColor on = lamps[0]->grab().toImage().pixelColor(lampCentre(lamps[0]));
        const QColor off = lamps[1]->grab().toImage().pixelColor(lampCentre(lamps[1]));
        QVERIFY2(on.hsvSaturation() > 150 && off.hsvSaturation() < 60, qPrintable(on.name()));
        QVERIFY(qMax(qMax(qAbs(on.red() - window.red()), qAbs(on.green() - window.green())),
                     qAbs(on.blue() - window.blue()))
                > 100);
    }
    QApplication::setPalette(light);
    qApp->setStyleSheet(QString());
}

void TestStatusPage::layout_data()
{
    QTest::addColumn<QSize>("size");   // empty: maximized
    QTest::newRow("minimum") << QSize(420, 460);
    QTest::newRow("1366x768 laptop") << QSize(1366, 768 - 60);
    QTest::newRow("1600x900") << QSize(1600, 900);
    QTest::newRow("maximized") << QSize();
}

// No caption is cut and no two widgets of the page overlap, whatever the window size; the
// page scrolls when it does not fit, sideways only when a column is wider than the window.
// The records that write the longest captions came first.
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

    // the page is never squeezed below what it needs; the scroll area scrolls instead, from
    // the laptop's width on only vertically
    QVERIFY(page->width() >= page->minimumSizeHint().width());
    if (w.width() >= 1366)
        QCOMPARE(w.findChild<QScrollArea *>()->horizontalScrollBar()->maximum(), 0);
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
    QCOMPARE(modelCode(w), 31u);
    QVERIFY(w.serialPort()->isOpen());

    // the answers fill the page again
    pty.write(">DI=31;1;0\r\n>ML=20;250;02\r\n");
    QTRY_COMPARE(text(w, "operatorEdit"), QStringLiteral("MegaFon"));
    QCOMPARE(text(w, "modelEdit"), QStringLiteral("KVT3"));
    // the clear button of the log's find field fades out (160 ms, an animation Qt deletes
    // when it ends): a window gone before that leaves the animation behind at exit
    QTest::qWait(300);
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
