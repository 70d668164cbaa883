// The device parameters page: the terminal's identity and live state in five groups, and the
// sensor and CAN panel to their right or, in a narrow window, below them.
#include "status/statuspage.h"
#include "status/fieldtext.h"
#include "status/flowlayout.h"
#include "status/sensorpanel.h"

#include "link/recordrouter.h"

#include <QFormLayout>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {
void addRow(QFormLayout *form, const QString &caption, QWidget *field)
{
    form->addRow(new QLabel(caption), field);
}

// A caption never gets less room than its text needs: a minimum or maximum width narrower
// than the text is widened to it (at the window's minimum size the page scrolls instead of
// cutting captions).
void unclipLabels(QWidget *root)
{
    for (QLabel *label : root->findChildren<QLabel *>()) {
        const int needed = label->sizeHint().width();
        if (label->minimumWidth() < needed)
            label->setMinimumWidth(needed);
        if (label->maximumWidth() < needed)
            label->setMaximumWidth(needed);
    }
}
} // namespace

StatusPage::StatusPage(QWidget *parent)
    : QGroupBox(parent)
    , signalLevelBar(namedWidget<QProgressBar>("signalLevelBar"))
    , sensorPanel(new SensorPanel(fields))
{
    setObjectName(QStringLiteral("statusPage"));
    // The status columns and the sensor panel stand side by side when the window is wide
    // enough, the panel below the columns otherwise; the columns themselves, and the columns
    // of the panel, flow the same way. The page then never needs horizontal scrolling.
    auto *pageLayout = new FlowLayout(this);

    // the columns add no margins of their own; the groups' frames keep them apart
    auto *statusColumns = namedWidget<QWidget>("statusColumns");
    auto *columnsLayout = new FlowLayout(statusColumns);
    columnsLayout->setContentsMargins(0, 0, 0, 0);
    auto *leftColumn = namedWidget<QWidget>("statusLeftColumn");
    auto *rightColumn = namedWidget<QWidget>("statusRightColumn");
    auto *left = new QVBoxLayout(leftColumn);
    auto *right = new QVBoxLayout(rightColumn);
    for (QVBoxLayout *column : {left, right})
        column->setContentsMargins(0, 0, 0, 0);
    columnsLayout->addWidget(leftColumn);
    columnsLayout->addWidget(rightColumn);

    pageLayout->addWidget(statusColumns);
    pageLayout->addWidget(sensorPanel);

    QGroupBox *generalInfoGroup = makeGroup(tr("Общая информация"), "generalInfoGroup");
    auto *general = new QFormLayout(generalInfoGroup);
    addRow(general, tr("Модель"), modelEdit);
    addRow(general, tr("SN устройства"), serialNumberEdit);
    addRow(general, tr("IMEI модема"), imeiEdit);
    addRow(general, tr("Версия ПО"), firmwareVersionEdit);
    addRow(general, tr("Время устройства"), deviceTimeEdit);
    addRow(general, tr("Время работы"), runTimeEdit);
    addRow(general, tr("Статус настроек"), settingsTaskEdit);
    addRow(general, tr("Статус ПО"), firmwareTaskEdit);
    addRow(general, tr("Записано пакетов"), packetsWrittenEdit);
    addRow(general, tr("Отправлено пакетов"), packetsSentEdit);

    QGroupBox *deviceStatusGroup = makeGroup(tr("Статусы устройства"), "deviceStatusGroup");
    auto *statuses = new QFormLayout(deviceStatusGroup);
    addRow(statuses, tr("Внутр. память"), internalMemoryEdit);
    addRow(statuses, tr("Внешн. память"), externalMemoryEdit);
    addRow(statuses, tr("Часы"), clockEdit);
    addRow(statuses, tr("Акселерометр"), accelerometerEdit);
    addRow(statuses, tr("GPS/ГЛОНАСС"), gnssStateEdit);
    addRow(statuses, tr("GSM"), gsmStateEdit);
    addRow(statuses, tr("SIM1 карта"), sim1Edit);
    addRow(statuses, tr("PIN1 код"), pin1Edit);
    addRow(statuses, tr("SIM2 карта"), sim2Edit);
    addRow(statuses, tr("PIN2 код"), pin2Edit);

    QGroupBox *powerGroup = makeGroup(tr("Питание"), "powerGroup");
    auto *power = new QFormLayout(powerGroup);
    addRow(power, tr("Внешнее напряжение, мВ"), externalVoltageEdit);
    addRow(power, tr("Напряжение АКБ, мВ"), batteryVoltageEdit);

    QGroupBox *gsmGroup = makeGroup(tr("GSM"), "gsmGroup");
    auto *gsm = new QFormLayout(gsmGroup);
    addRow(gsm, tr("Оператор"), operatorEdit);
    addRow(gsm, tr("MCC"), mccEdit);
    addRow(gsm, tr("MNC"), mncEdit);
    addRow(gsm, tr("APN "), apnEdit);
    addRow(gsm, tr("APN логин"), apnLoginEdit);
    addRow(gsm, tr("APN пароль"), apnPasswordEdit);
    signalLevelBar->setRange(0, 100);
    signalLevelBar->setMaximumWidth(150);
    signalLevelBar->setTextVisible(true);
    addRow(gsm, tr("Уровень сигнала"), signalLevelBar);
    addRow(gsm, tr("Сервер"), serverEdit);
    addRow(gsm, tr("Свзяь с модемом"), modemLinkEdit);
    addRow(gsm, tr("Регистрация в сети"), networkRegistrationEdit);
    addRow(gsm, tr("GPRS сервис"), gprsServiceEdit);
    addRow(gsm, tr("Соединение с сервером"), serverConnectionEdit);
    addRow(gsm, tr("Ответ от сервера"), serverReplyEdit);
    addRow(gsm, tr("TCP сессий"), tcpCountEdit);
    addRow(gsm, tr("SMS входящие/валидные"), smsInEdit);
    addRow(gsm, tr("SMS исходящие"), smsOutEdit);

    QGroupBox *gnssGroup = makeGroup(tr("GPS / ГЛОНАСС"), "gnssGroup");
    auto *gnss = new QFormLayout(gnssGroup);
    addRow(gnss, tr("Широта"), latitudeEdit);
    addRow(gnss, tr("Долгота"), longitudeEdit);
    addRow(gnss, tr("Высота"), altitudeEdit);
    addRow(gnss, tr("Курс"), courseEdit);
    addRow(gnss, tr("Скорость"), speedEdit);
    addRow(gnss, tr("Спутники"), satellitesEdit);
    addRow(gnss, tr("HDOP"), hdopEdit);

    left->addWidget(generalInfoGroup);
    left->addWidget(deviceStatusGroup);
    left->addWidget(powerGroup);
    left->addSpacerItem(columnStretch());
    right->addWidget(gsmGroup);
    right->addWidget(gnssGroup);
    right->addSpacerItem(columnStretch());

    format(leftColumn, rightColumn);
}

void StatusPage::format(QWidget *leftColumn, QWidget *rightColumn)
{
    for (QFormLayout *form : findChildren<QFormLayout *>())
        form->setVerticalSpacing(1);
    // The longest values a column is known to show: a date on the left, a server name with
    // its port on the right.
    formatColumn(leftColumn,
                 {QStringLiteral("00-00-0000  00:00:00"), QStringLiteral("000000000000000")});
    formatColumn(rightColumn, {QStringLiteral("monitoring.example-telematics.ru:20144"),
                               QStringLiteral("-000.000000")});
    unclipLabels(this);
}

// A column reads as a table: its captions share one width, right-aligned against the
// fields, and its read-only fields share one width, that of the longest value.
void StatusPage::formatColumn(QWidget *column, const QStringList &longestValues)
{
    const QList<QLineEdit *> edits = column->findChildren<QLineEdit *>();
    for (QLineEdit *edit : edits) {
        edit->setReadOnly(true);
        edit->setSizeIncrement(0, 0);
    }
    fitFields(edits, longestValues);
    const QList<QLabel *> labels = column->findChildren<QLabel *>();
    int captionWidth = 0;
    for (QLabel *label : labels)
        captionWidth = qMax(captionWidth, label->sizeHint().width());
    for (QLabel *label : labels) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setMinimumWidth(captionWidth);
        label->setSizeIncrement(0, 0);
    }
    for (QFormLayout *form : column->findChildren<QFormLayout *>())
        form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void StatusPage::registerRoutes(RecordRouter &router)
{
    router.route(RecordKind::Tasks, decodeTasks,
                 [this](const TasksRecord &v) { decodeDF(v); });
    router.route(RecordKind::Clock, decodeClock,
                 [this](const ClockRecord &v) { decodeTW(v); });
    router.route(RecordKind::Packets, decodePackets,
                 [this](const PacketsRecord &v) { decodeRW(v); });
    router.route(RecordKind::DeviceStatus, decodeDeviceStatus,
                 [this](const std::optional<quint32> &v) { decodeDS(v); });
    router.route(RecordKind::Power, decodePower,
                 [this](const PowerRecord &v) { decodePB(v); });
    router.route(RecordKind::Position, decodePosition,
                 [this](const std::optional<PositionRecord> &v) { decodeGK(v); });
    router.route(RecordKind::Fix, decodeFix,
                 [this](const FixRecord &v) { decodeGS(v); });
    router.route(RecordKind::ModemState, decodeModemState,
                 [this](const ModemStateRecord &v) { decodeMS(v); });
    router.route(RecordKind::Signal, decodeSignal,
                 [this](const SignalRecord &v) { decodeML(v); });
    router.route(RecordKind::Apn, decodeApn,
                 [this](const ApnRecord &v) { decodeAPN(v); });
    router.route(RecordKind::Operator, decodeOperator,
                 [this](const OperatorRecord &v) { decodeMO(v); });
    router.route(RecordKind::Server, decodeServer,
                 [this](const ServerRecord &v) { decodeMD(v); });
    router.route(RecordKind::Sms, decodeSms,
                 [this](const SmsRecord &v) { decodeSMS(v); });
    sensorPanel->registerRoutes(router);
}

TerminalIdentity StatusPage::identity() const
{
    fields.flush();   // values of records just received count
    return {modelEdit->text(), serialNumberEdit->text(), imeiEdit->text(),
            firmwareVersionEdit->text()};
}

QList<QGroupBox *> StatusPage::groups() const
{
    QList<QGroupBox *> list;
    for (const char *name : {"generalInfoGroup", "deviceStatusGroup", "powerGroup", "gsmGroup",
                             "gnssGroup", "inputsGroup", "fuelSensorsGroup", "oneWireGroup",
                             "canDataGroup", "securityFlagsGroup", "lampFlagsGroup"}) {
        if (auto *group = findChild<QGroupBox *>(QLatin1String(name)))
            list << group;
    }
    return list;
}
