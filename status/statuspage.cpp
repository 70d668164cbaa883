// The device parameters page: the terminal's identity and live state in five groups, and the
// sensor and CAN panel to their right. The record decoders write into the fields kept as
// members here.
#include "mainwindow/mainwindow.h"
#include "status/fieldtext.h"

#include "status/core_codes.h"
#include "terminal/terminal.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <QWidget>

#include <utility>

namespace {
QLineEdit *newField(const char *name)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QGroupBox *newGroup(const QString &title, const char *name)
{
    auto *group = new QGroupBox(title);
    group->setObjectName(QLatin1String(name));
    return group;
}

QSpacerItem *columnEnd()
{
    return new QSpacerItem(40, 20, QSizePolicy::Minimum, QSizePolicy::Expanding);
}

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

// The plain containers that only arrange groups side by side or one below the other add no
// margins of their own; the groups' frames keep them apart.
QWidget *plainContainer(const char *name)
{
    auto *w = new QWidget;
    w->setObjectName(QLatin1String(name));
    return w;
}
} // namespace

// A line edit member with its own name as object name.
#define FIELD(member) (member = newField(#member))

QWidget *MainWindow::buildStatusPage()
{
    auto *page = new QGroupBox;
    page->setObjectName(QStringLiteral("statusPage"));
    auto *pageLayout = new QHBoxLayout(page);

    QWidget *statusColumns = plainContainer("statusColumns");
    auto *columnsLayout = new QHBoxLayout(statusColumns);
    columnsLayout->setContentsMargins(0, 0, 0, 0);
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    columnsLayout->addLayout(left);
    columnsLayout->addLayout(right);
    columnsLayout->addSpacerItem(
        new QSpacerItem(50, 200, QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding));

    pageLayout->addWidget(statusColumns);
    pageLayout->addWidget(buildSensorPanel());

    generalInfoGroup = newGroup(tr("Общая информация"), "generalInfoGroup");
    auto *general = new QFormLayout(generalInfoGroup);
    addRow(general, tr("Модель"), FIELD(modelEdit));
    addRow(general, tr("SN устройства"), FIELD(serialNumberEdit));
    addRow(general, tr("IMEI модема"), FIELD(imeiEdit));
    addRow(general, tr("Версия ПО"), FIELD(firmwareVersionEdit));
    addRow(general, tr("Время устройства"), FIELD(deviceTimeEdit));
    addRow(general, tr("Время работы"), FIELD(runTimeEdit));
    addRow(general, tr("Статус настроек"), FIELD(settingsTaskEdit));
    addRow(general, tr("Статус ПО"), FIELD(firmwareTaskEdit));
    addRow(general, tr("Записано пакетов"), FIELD(packetsWrittenEdit));
    addRow(general, tr("Отправлено пакетов"), FIELD(packetsSentEdit));

    deviceStatusGroup = newGroup(tr("Статусы устройства"), "deviceStatusGroup");
    auto *statuses = new QFormLayout(deviceStatusGroup);
    addRow(statuses, tr("Внутр. память"), FIELD(internalMemoryEdit));
    addRow(statuses, tr("Внешн. память"), FIELD(externalMemoryEdit));
    addRow(statuses, tr("Часы"), FIELD(clockEdit));
    addRow(statuses, tr("Акселерометр"), FIELD(accelerometerEdit));
    addRow(statuses, tr("GPS/ГЛОНАСС"), FIELD(gnssStateEdit));
    addRow(statuses, tr("GSM"), FIELD(gsmStateEdit));
    addRow(statuses, tr("SIM1 карта"), FIELD(sim1Edit));
    addRow(statuses, tr("PIN1 код"), FIELD(pin1Edit));
    addRow(statuses, tr("SIM2 карта"), FIELD(sim2Edit));
    addRow(statuses, tr("PIN2 код"), FIELD(pin2Edit));

    powerGroup = newGroup(tr("Питание"), "powerGroup");
    auto *power = new QFormLayout(powerGroup);
    addRow(power, tr("Внешнее напряжение, мВ"), FIELD(externalVoltageEdit));
    addRow(power, tr("Напряжение АКБ, мВ"), FIELD(batteryVoltageEdit));

    gsmGroup = newGroup(tr("GSM"), "gsmGroup");
    auto *gsm = new QFormLayout(gsmGroup);
    addRow(gsm, tr("Оператор"), FIELD(operatorEdit));
    addRow(gsm, tr("MCC"), FIELD(mccEdit));
    addRow(gsm, tr("MNC"), FIELD(mncEdit));
    addRow(gsm, tr("APN "), FIELD(apnEdit));
    addRow(gsm, tr("APN логин"), FIELD(apnLoginEdit));
    addRow(gsm, tr("APN пароль"), FIELD(apnPasswordEdit));
    signalLevelBar = new QProgressBar;
    signalLevelBar->setObjectName(QStringLiteral("signalLevelBar"));
    signalLevelBar->setRange(0, 100);
    signalLevelBar->setMaximumWidth(150);
    signalLevelBar->setTextVisible(true);
    addRow(gsm, tr("Уровень сигнала"), signalLevelBar);
    addRow(gsm, tr("Сервер"), FIELD(serverEdit));
    addRow(gsm, tr("Свзяь с модемом"), FIELD(modemLinkEdit));
    addRow(gsm, tr("Регистрация в сети"), FIELD(networkRegistrationEdit));
    addRow(gsm, tr("GPRS сервис"), FIELD(gprsServiceEdit));
    addRow(gsm, tr("Соединение с сервером"), FIELD(serverConnectionEdit));
    addRow(gsm, tr("Ответ от сервера"), FIELD(serverReplyEdit));
    addRow(gsm, tr("TCP сессий"), FIELD(tcpCountEdit));
    addRow(gsm, tr("SMS входящие/валидные"), FIELD(smsInEdit));
    addRow(gsm, tr("SMS исходящие"), FIELD(smsOutEdit));

    gnssGroup = newGroup(tr("GPS / ГЛОНАСС"), "gnssGroup");
    auto *gnss = new QFormLayout(gnssGroup);
    addRow(gnss, tr("Широта"), FIELD(latitudeEdit));
    addRow(gnss, tr("Долгота"), FIELD(longitudeEdit));
    addRow(gnss, tr("Высота"), FIELD(altitudeEdit));
    addRow(gnss, tr("Курс"), FIELD(courseEdit));
    addRow(gnss, tr("Скорость"), FIELD(speedEdit));
    addRow(gnss, tr("Спутники"), FIELD(satellitesEdit));
    addRow(gnss, tr("HDOP"), FIELD(hdopEdit));

    left->addWidget(generalInfoGroup);
    left->addWidget(deviceStatusGroup);
    left->addWidget(powerGroup);
    left->addSpacerItem(columnEnd());
    right->addWidget(gsmGroup);
    right->addWidget(gnssGroup);
    right->addSpacerItem(columnEnd());

    formatStatusPage(page, statusColumns);

    return page;
}

void MainWindow::formatStatusPage(QWidget *page, QWidget *statusColumns)
{
    for (QGroupBox *group : {generalInfoGroup, deviceStatusGroup}) {
        for (QLineEdit *edit : group->findChildren<QLineEdit *>())
            edit->setReadOnly(true);
        for (QLabel *label : group->findChildren<QLabel *>())
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    for (QHBoxLayout *box : page->findChildren<QHBoxLayout *>())
        box->setSpacing(1);
    for (QFormLayout *form : page->findChildren<QFormLayout *>())
        form->setVerticalSpacing(1);
    for (QLineEdit *edit : statusColumns->findChildren<QLineEdit *>()) {
        edit->setReadOnly(true);
        edit->setMinimumWidth(150);
        edit->setMaximumWidth(150);
        edit->setSizeIncrement(0, 0);
    }
    for (QLabel *label : statusColumns->findChildren<QLabel *>()) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setMinimumWidth(120);
        label->setSizeIncrement(0, 0);
    }
    // right-aligned captions also sit flush against their fields
    for (QFormLayout *form : statusColumns->findChildren<QFormLayout *>())
        form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    unclipLabels(page);
}

QWidget *MainWindow::buildSensorPanel()
{
    sensorPanel = plainContainer("sensorPanel");
    QWidget *leftColumn = plainContainer("sensorLeftColumn");
    QWidget *rightColumn = plainContainer("sensorRightColumn");
    QWidget *securityHolder = plainContainer("securityFlagsHolder");
    QWidget *lampHolder = plainContainer("lampFlagsHolder");

    canDataGroup = newGroup(tr("Данные с CAN шины"), "canDataGroup");
    auto *can = new QFormLayout(canDataGroup);
    inputsGroup = newGroup(tr("Дискретные входы/выходы"), "inputsGroup");
    auto *inputs = new QFormLayout(inputsGroup);
    oneWireGroup = newGroup(QStringLiteral("1-Wire"), "oneWireGroup");
    auto *oneWire = new QGridLayout(oneWireGroup);
    oneWire->setSpacing(1);
    fuelSensorsGroup = newGroup(tr("Датчики уровня топлива (RS232/RS485)"), "fuelSensorsGroup");
    auto *fuel = new QGridLayout(fuelSensorsGroup);
    fuel->setSpacing(1);

    // inputs: the captions are rewritten by the input and output records
    QLabel **const inputLabels[] = {&inputLabel0, &inputLabel1, &inputLabel2, &inputLabel3,
                                    &inputLabel4, &inputLabel5, &inputLabel6, &inputLabel7};
    QLineEdit **const inputEdits[] = {&inputEdit0, &inputEdit1, &inputEdit2, &inputEdit3,
                                      &inputEdit4, &inputEdit5, &inputEdit6, &inputEdit7};
    for (int i = 0; i < 8; ++i) {
        auto *label = new QLabel(QStringLiteral("IN%1").arg(i));
        label->setObjectName(QStringLiteral("inputLabel%1").arg(i));
        auto *edit = new QLineEdit;
        edit->setObjectName(QStringLiteral("inputEdit%1").arg(i));
        *inputLabels[i] = label;
        *inputEdits[i] = edit;
        inputs->addRow(label, edit);
    }

    auto header = [](const QString &text) {
        auto *label = new QLabel(text);
        label->setMaximumWidth(75);
        label->setMinimumWidth(30);
        return label;
    };

    // fuel level sensors: a header row, then level and temperature of sensors 0 to 6
    QLineEdit **const llsLevels[] = {&llsLevelEdit0, &llsLevelEdit1, &llsLevelEdit2,
                                     &llsLevelEdit3, &llsLevelEdit4, &llsLevelEdit5,
                                     &llsLevelEdit6};
    QLineEdit **const llsTemps[] = {&llsTempEdit0, &llsTempEdit1, &llsTempEdit2, &llsTempEdit3,
                                    &llsTempEdit4, &llsTempEdit5, &llsTempEdit6};
    fuel->addWidget(new QLabel(QStringLiteral(" ")), 0, 0);
    fuel->addWidget(header(tr("Уровень")), 0, 1);
    fuel->addWidget(header(tr("Температура")), 0, 2);
    for (int n = 0; n < 7; ++n) {
        *llsLevels[n] = new QLineEdit;
        (*llsLevels[n])->setObjectName(QStringLiteral("llsLevelEdit%1").arg(n));
        *llsTemps[n] = new QLineEdit;
        (*llsTemps[n])->setObjectName(QStringLiteral("llsTempEdit%1").arg(n));
        fuel->addWidget(new QLabel(tr("ДУТ %1").arg(n)), n + 1, 0);
        fuel->addWidget(*llsLevels[n], n + 1, 1);
        fuel->addWidget(*llsTemps[n], n + 1, 2);
    }

    // 1-Wire: a header row, address and temperature of sensors 0 to 5, then the key
    QLineEdit **const thermoAddresses[] = {&thermoAddressEdit0, &thermoAddressEdit1,
                                           &thermoAddressEdit2, &thermoAddressEdit3,
                                           &thermoAddressEdit4, &thermoAddressEdit5};
    QLineEdit **const thermoTemps[] = {&thermoTempEdit0, &thermoTempEdit1, &thermoTempEdit2,
                                       &thermoTempEdit3, &thermoTempEdit4, &thermoTempEdit5};
    oneWire->addWidget(header(tr("Адрес")), 0, 1);
    oneWire->addWidget(header(tr(" Температура")), 0, 2);
    for (int n = 0; n < 6; ++n) {
        *thermoAddresses[n] = new QLineEdit;
        (*thermoAddresses[n])->setObjectName(QStringLiteral("thermoAddressEdit%1").arg(n));
        *thermoTemps[n] = new QLineEdit;
        (*thermoTemps[n])->setObjectName(QStringLiteral("thermoTempEdit%1").arg(n));
        oneWire->addWidget(new QLabel(tr("Термодатчик %1").arg(n)), n + 1, 0);
        oneWire->addWidget(*thermoAddresses[n], n + 1, 1);
        oneWire->addWidget(*thermoTemps[n], n + 1, 2);
    }
    oneWire->addWidget(new QLabel(tr("Ключ ID")), 7, 0);
    oneWire->addWidget(FIELD(keyIdEdit), 7, 1);

    // CAN vehicle data
    addRow(can, tr("Номер программы CAN"), FIELD(canDataProgramEdit));
    addRow(can, tr("Валидные/невалидные"), FIELD(canDataValidEdit));
    addRow(can, tr("Время работы двигателя (ч)"), FIELD(engineHoursEdit));
    addRow(can, tr("Полный пробег ТС (км)"), FIELD(mileageEdit));
    addRow(can, tr("Полный расход топлива (л)"), FIELD(fuelUsedEdit));
    fuelLevelLabel = new QLabel(tr("Уровень топлива в баке (%)"));
    fuelLevelLabel->setObjectName(QStringLiteral("fuelLevelLabel"));
    can->addRow(fuelLevelLabel, FIELD(fuelLevelEdit));
    addRow(can, tr("Обороты двигателя (об/мин)"), FIELD(engineRpmEdit));
    addRow(can, tr("Температура двигателя (С)"), FIELD(engineTempEdit));
    addRow(can, tr("Скорость ТС (км/ч)"), FIELD(vehicleSpeedEdit));
    addRow(can, tr("Давлене на ось 1 (кг)"), FIELD(axleLoad1Edit));
    addRow(can, tr("Давлене на ось 2 (кг)"), FIELD(axleLoad2Edit));
    addRow(can, tr("Давлене на ось 3 (кг)"), FIELD(axleLoad3Edit));
    addRow(can, tr("Давлене на ось 4 (кг)"), FIELD(axleLoad4Edit));
    addRow(can, tr("Давлене на ось 5 (кг)"), FIELD(axleLoad5Edit));
    addRow(can, tr("Положение педали газа"), FIELD(pedalPositionEdit));
    addRow(can, tr("Нагрузка на двигатель"), FIELD(engineLoadEdit));
    addRow(can, tr("Уровень AdBlue"), FIELD(adBlueLevelEdit));
    addRow(can, tr("Состояние безопасности"), FIELD(securityStateEdit));
    addRow(can, tr("Контроллеры аварии"), FIELD(alarmControllersEdit));

    // the indicators of the CAN security state and warning lamps
    auto indicators = [this](const char *name, const char *const *captions, int count,
                             QList<QRadioButton *> &buttons) {
        QGroupBox *group = newGroup(QString(), name);
        auto *form = new QFormLayout(group);
        for (int i = 0; i < count; ++i) {
            auto *button = new QRadioButton;
            form->addRow(new QLabel(tr(captions[i])), button);
            buttons << button;
        }
        for (QRadioButton *button : group->findChildren<QRadioButton *>()) {
            button->setAutoExclusive(false);
            button->setEnabled(false);
        }
        return group;
    };
    securityFlagsGroup = indicators("securityFlagsGroup", securityFlagCaptions,
                                    SecurityFlagCount, securityFlagButtons);
    lampFlagsGroup = indicators("lampFlagsGroup", lampFlagCaptions, LampFlagCount,
                                lampFlagButtons);

    auto *leftLayout = new QVBoxLayout(leftColumn);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(inputsGroup);
    leftLayout->addWidget(fuelSensorsGroup);
    leftLayout->addWidget(oneWireGroup);
    leftLayout->addSpacerItem(columnEnd());

    for (auto holder : {std::make_pair(securityHolder, securityFlagsGroup),
                        std::make_pair(lampHolder, lampFlagsGroup)}) {
        auto *holderLayout = new QVBoxLayout(holder.first);
        holderLayout->setContentsMargins(0, 0, 0, 0);
        holderLayout->addWidget(holder.second);
        holderLayout->addSpacerItem(columnEnd());
    }
    // the indicators are shown below the CAN group
    auto *rightLayout = new QVBoxLayout(rightColumn);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(canDataGroup);
    rightLayout->addWidget(securityHolder);
    rightLayout->addWidget(lampHolder);
    rightLayout->addSpacerItem(columnEnd());

    auto *panelLayout = new QHBoxLayout(sensorPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(leftColumn);
    panelLayout->addWidget(rightColumn);
    panelLayout->addSpacerItem(new QSpacerItem(20, 40, QSizePolicy::Expanding, QSizePolicy::Minimum));

    formatSensorPanel();
    return sensorPanel;
}

void MainWindow::formatSensorPanel()
{
    const QList<QLineEdit *> edits = sensorPanel->findChildren<QLineEdit *>();
    for (QLineEdit *edit : edits) {
        edit->setReadOnly(true);
        edit->setSizeIncrement(0, 0);
    }
    for (QLineEdit *edit : edits) {
        edit->setReadOnly(true);
        edit->setSizeIncrement(0, 0);
        edit->setMinimumWidth(50);
        edit->setMaximumWidth(100);
    }
    for (QGroupBox *group : {fuelSensorsGroup, oneWireGroup}) {
        for (QLabel *label : group->findChildren<QLabel *>()) {
            label->setAlignment(Qt::AlignCenter);
            label->setMinimumWidth(50);
            label->setMaximumWidth(80);
            label->setSizeIncrement(0, 0);
        }
    }
    // The input and output records write captions such as "IN1_D Дискретный": the caption
    // column is one fixed width, 100 pixels or the widest of those captions if that is more,
    // so no caption is cut and the column does not jump when a record arrives.
    const int captionWidth = qMax(100, widestInputCaption());
    for (QLabel *label : inputsGroup->findChildren<QLabel *>()) {
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(captionWidth);
        label->setMaximumWidth(captionWidth);
        label->setSizeIncrement(0, 0);
    }
    for (QGroupBox *group : {securityFlagsGroup, lampFlagsGroup, canDataGroup}) {
        for (QLabel *label : group->findChildren<QLabel *>()) {
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setSizeIncrement(0, 0);
        }
        static_cast<QFormLayout *>(group->layout())
            ->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
}

int MainWindow::widestInputCaption() const
{
    QStringList captions{tr("IN4_U Выход"), tr("IN5_U Выход")};
    for (int row = 0; row < 6; ++row)
        for (char type : {'D', 'I', 'F', 'A'})
            captions << QString::fromLatin1(inputRowPrefix(row)) + tr(inputTypeText(type));
    QLabel probe;
    probe.setFont(inputLabel0->font());
    int widest = 0;
    for (const QString &caption : captions) {
        probe.setText(caption);
        widest = qMax(widest, probe.sizeHint().width());
    }
    return widest;
}

QAction *MainWindow::tachographAction() const
{
    return findChild<QAction *>(QStringLiteral("actionTaho"));
}
