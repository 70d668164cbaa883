// The settings page: one terminal's configuration as editable fields in three columns, and
// the buttons that read it from the terminal and write it back.

#include "mainwindow/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QStringList>
#include <QVBoxLayout>
#include <QWidget>

namespace {

QLineEdit *makeEdit(const char *name, int maxLength = 0)
{
    auto *e = new QLineEdit;
    e->setObjectName(QLatin1String(name));
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

QCheckBox *makeCheck(const char *name)
{
    auto *c = new QCheckBox;
    c->setObjectName(QLatin1String(name));
    return c;
}

QComboBox *makeCombo(const char *name)
{
    auto *c = new QComboBox;
    c->setObjectName(QLatin1String(name));
    return c;
}

QGroupBox *makeGroup(const QString &title, const char *name)
{
    auto *g = new QGroupBox(title);
    g->setObjectName(QLatin1String(name));
    new QFormLayout(g);
    return g;
}

QFormLayout *formOf(QGroupBox *group)
{
    return static_cast<QFormLayout *>(group->layout());
}

// The stretch at the foot of each column.
QSpacerItem *columnStretch()
{
    return new QSpacerItem(40, 20, QSizePolicy::Minimum, QSizePolicy::Expanding);
}

} // namespace

QWidget *MainWindow::buildSettingsPage()
{
    // 1. rows of columns 1 and 2, with their labels and length limits
    auto *serverLabel = new QLabel(tr("Сервер"));
    monitoringServerEdit = makeEdit("monitoringServerEdit", 32);
    auto *portLabel = new QLabel(tr("Порт"));
    monitoringPortEdit = makeEdit("monitoringPortEdit", 5);

    auto *pin1Label = new QLabel(tr("ПИН1"));
    simPin1Edit = makeEdit("simPin1Edit", 8);
    auto *roaming1Label = new QLabel(tr("Роуминг SIM1"));
    roaming1Check = makeCheck("roaming1Check");
    auto *apn1Label = new QLabel(tr("APN1"));
    apn1Edit = makeEdit("apn1Edit", 32);
    auto *login1Label = new QLabel(tr("Логин1"));
    login1Edit = makeEdit("login1Edit", 16);
    auto *password1Label = new QLabel(tr("Пароль1"));
    password1Edit = makeEdit("password1Edit");

    auto *pin2Label = new QLabel(tr("ПИН2"));
    simPin2Edit = makeEdit("simPin2Edit", 8);
    auto *roaming2Label = new QLabel(tr("Роуминг SIM2"));
    roaming2Check = makeCheck("roaming2Check");
    auto *apn2Label = new QLabel(tr("APN2"));
    apn2Edit = makeEdit("apn2Edit", 32);
    auto *login2Label = new QLabel(tr("Логин2"));
    login2Edit = makeEdit("login2Edit", 16);
    auto *password2Label = new QLabel(tr("Пароль2"));
    password2Edit = makeEdit("password2Edit");

    auto *sleepLabel = new QLabel(tr("Уходить в сон"));
    sleepCheck = makeCheck("sleepCheck");
    auto *workTimeLabel = new QLabel(tr("Время работы"));
    workTimeEdit = makeEdit("workTimeEdit", 3);
    auto *sleepTimeLabel = new QLabel(tr("Время сна"));
    sleepTimeEdit = makeEdit("sleepTimeEdit", 3);

    auto *angleLabel = new QLabel(tr("По углу"));
    angleEdit = makeEdit("angleEdit", 2);
    auto *speedChangeLabel = new QLabel(tr("По изменению скрсти на"));
    speedChangeEdit = makeEdit("speedChangeEdit", 3);
    auto *distanceLabel = new QLabel(tr("По дистанции"));
    distanceEdit = makeEdit("distanceEdit", 4);
    auto *timerLabel = new QLabel(tr("По таймеру"));
    timerEdit = makeEdit("timerEdit", 4);

    QLabel *inLabels[8];
    inLabels[0] = new QLabel(tr("IN0"));
    inLabels[1] = new QLabel(tr("IN1"));
    in2Label = new QLabel(tr("IN2"));
    in2Label->setObjectName(QStringLiteral("in2Label"));
    inLabels[2] = in2Label;
    inLabels[3] = new QLabel(tr("IN3"));
    inLabels[4] = new QLabel(tr("IN4"));
    inLabels[5] = new QLabel(tr("IN5"));
    inLabels[6] = new QLabel(tr("IN6"));
    inLabels[7] = new QLabel(tr("IN7"));
    in0Combo = makeCombo("in0Combo");
    in1Combo = makeCombo("in1Combo");
    in2Combo = makeCombo("in2Combo");
    in3Combo = makeCombo("in3Combo");
    in4Combo = makeCombo("in4Combo");
    in5Combo = makeCombo("in5Combo");
    in6Combo = makeCombo("in6Combo");
    in7Combo = makeCombo("in7Combo");
    QComboBox *const inCombos[8] = {in0Combo, in1Combo, in2Combo, in3Combo,
                                    in4Combo, in5Combo, in6Combo, in7Combo};

    // 2. the input modes: machine words, shown and written untranslated
    in0Combo->addItems({QStringLiteral("No"), QStringLiteral("Discrete"), QStringLiteral("Pulse"),
                        QStringLiteral("Frequency"), QStringLiteral("Chassis ground")});
    in1Combo->addItems({QStringLiteral("No"), QStringLiteral("Discrete"), QStringLiteral("ADC")});
    in2Combo->addItems({QStringLiteral("No"), QStringLiteral("Discrete"), QStringLiteral("Pulse"),
                        QStringLiteral("Frequency"), QStringLiteral("OUT1")});
    in0Combo->setCurrentIndex(0);
    in1Combo->setCurrentIndex(0);
    in2Combo->setCurrentIndex(0);
    connect(in2Combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int index) { set_in2cb_changed(in2Combo->itemText(index)); });

    // 3. the interface rows
    auto *rs232Label = new QLabel(tr("RS232"));
    rs232Combo = makeCombo("rs232Combo");
    auto *rs485Label = new QLabel(tr("RS485"));
    rs485Combo = makeCombo("rs485Combo");
    auto *oneWireLabel = new QLabel(tr("1-Wire"));
    oneWireCombo = makeCombo("oneWireCombo");
    auto *canProgramLabel = new QLabel(tr("Прграмма CAN"));
    canProgramEdit = makeEdit("canProgramEdit");
    rs232Combo->setEnabled(false);
    oneWireCombo->setEnabled(true);
    rs232Combo->addItems({tr("Не используется"), tr("CANLOG внешний"), tr("ДУТ LLS"),
                          tr("Фото камера"), tr("Иридиум")});
    rs485Combo->addItems({tr("Не используется"), tr("LLS-совместимые у-ва "), tr("KVA-CAN")});
    oneWireCombo->addItems({tr("1Wire"), tr("Discrete")});

    // 4. CAN parameter boxes with their labels, then the numbers and their SMS functions
    const QString canParamTexts[14] = {
        tr("Security flags"),
        tr("Полное время работы двигателя"),
        tr("Полный пробег"),
        tr("Полный расход топлива"),
        tr("Уровень топлива"),
        tr("Обороты двигателя"),
        tr("Температура двигателя"),
        tr("Скорость ТС"),
        tr("Нагрузка на оси"),
        tr("Контроллеры аварии"),
        tr("Мгновенный расход топлива"),
        tr("Уровень AdBlue"),
        tr("Положене педали газа"),
        tr("Нагрузка на двигатель"),
    };
    QCheckBox **const canBoxes[14] = {
        &canParamCheck1,  &canParamCheck2,  &canParamCheck3,  &canParamCheck4,  &canParamCheck5,
        &canParamCheck6,  &canParamCheck7,  &canParamCheck8,  &canParamCheck9,  &canParamCheck10,
        &canParamCheck11, &canParamCheck12, &canParamCheck13, &canParamCheck14,
    };
    QLabel *canLabels[14];
    for (int i = 0; i < 14; ++i) {
        *canBoxes[i] = new QCheckBox;
        (*canBoxes[i])->setObjectName(QStringLiteral("canParamCheck%1").arg(i + 1));
        canLabels[i] = new QLabel(canParamTexts[i]);
    }

    smsFunction1Combo = makeCombo("smsFunction1Combo");
    smsFunction2Combo = makeCombo("smsFunction2Combo");
    smsFunction3Combo = makeCombo("smsFunction3Combo");
    smsFunction4Combo = makeCombo("smsFunction4Combo");
    smsFunction5Combo = makeCombo("smsFunction5Combo");
    phone1Edit = makeEdit("phone1Edit");
    phone2Edit = makeEdit("phone2Edit");
    phone3Edit = makeEdit("phone3Edit");
    phone4Edit = makeEdit("phone4Edit");
    phone5Edit = makeEdit("phone5Edit");

    // 5. page, columns and groups
    settingsPage = new QWidget;
    settingsPage->setObjectName(QStringLiteral("settingsPage"));
    auto *column1 = new QWidget;
    auto *column2 = new QWidget;
    auto *column3 = new QWidget;
    column1->setObjectName(QStringLiteral("settingsColumn1"));
    column2->setObjectName(QStringLiteral("settingsColumn2"));
    column3->setObjectName(QStringLiteral("settingsColumn3"));
    auto *pageLayout = new QHBoxLayout;
    auto *column1Layout = new QVBoxLayout(column1);
    auto *column2Layout = new QVBoxLayout(column2);
    auto *column3Layout = new QVBoxLayout(column3);

    QGroupBox *serverGroup = makeGroup(tr("Сервер мониторинга"), "monitoringServerGroup");
    QGroupBox *sim1Group = makeGroup(tr("Сим карта 1"), "sim1Group");
    QGroupBox *sim2Group = makeGroup(tr("Сим карта 2"), "sim2Group");
    QGroupBox *sleepGroup = makeGroup(tr("Режим сна"), "sleepGroup");
    QGroupBox *trackGroup = makeGroup(tr("Точки маршрута"), "trackPointsGroup");
    QGroupBox *inputsGroup = makeGroup(tr("Входы/выходы"), "settingsInputsGroup");
    QGroupBox *numbersGroup = makeGroup(QStringLiteral("Номера и функции"), "smsNumbersGroup");
    QGroupBox *interfacesGroup = makeGroup(tr("Интерфейсы"), "interfacesGroup");
    canParamsGroup = makeGroup(tr("Параметры CAN"), "canParamsGroup");
    QGroupBox *writeGroup = makeGroup(tr("Записать"), "writeGroup");

    // 6. rows of each group
    formOf(serverGroup)->addRow(serverLabel, monitoringServerEdit);
    formOf(serverGroup)->addRow(portLabel, monitoringPortEdit);

    formOf(sim1Group)->addRow(pin1Label, simPin1Edit);
    formOf(sim1Group)->addRow(roaming1Label, roaming1Check);
    formOf(sim1Group)->addRow(apn1Label, apn1Edit);
    formOf(sim1Group)->addRow(login1Label, login1Edit);
    formOf(sim1Group)->addRow(password1Label, password1Edit);

    formOf(sim2Group)->addRow(pin2Label, simPin2Edit);
    formOf(sim2Group)->addRow(roaming2Label, roaming2Check);
    formOf(sim2Group)->addRow(apn2Label, apn2Edit);
    formOf(sim2Group)->addRow(login2Label, login2Edit);
    formOf(sim2Group)->addRow(password2Label, password2Edit);

    formOf(sleepGroup)->addRow(sleepLabel, sleepCheck);
    formOf(sleepGroup)->addRow(workTimeLabel, workTimeEdit);
    formOf(sleepGroup)->addRow(sleepTimeLabel, sleepTimeEdit);

    formOf(trackGroup)->addRow(angleLabel, angleEdit);
    formOf(trackGroup)->addRow(speedChangeLabel, speedChangeEdit);
    formOf(trackGroup)->addRow(distanceLabel, distanceEdit);
    formOf(trackGroup)->addRow(timerLabel, timerEdit);

    formOf(interfacesGroup)->addRow(rs232Label, rs232Combo);
    formOf(interfacesGroup)->addRow(rs485Label, rs485Combo);
    formOf(interfacesGroup)->addRow(oneWireLabel, oneWireCombo);
    formOf(interfacesGroup)->addRow(canProgramLabel, canProgramEdit);

    for (int i = 0; i < 8; ++i)
        formOf(inputsGroup)->addRow(inLabels[i], inCombos[i]);

    formOf(numbersGroup)->addRow(phone1Edit, smsFunction1Combo);
    formOf(numbersGroup)->addRow(phone2Edit, smsFunction2Combo);
    formOf(numbersGroup)->addRow(phone3Edit, smsFunction3Combo);
    formOf(numbersGroup)->addRow(phone4Edit, smsFunction4Combo);
    formOf(numbersGroup)->addRow(phone5Edit, smsFunction5Combo);

    for (int i = 0; i < 14; ++i)
        formOf(canParamsGroup)->addRow(*canBoxes[i], canLabels[i]);

    // 7. the numbers and functions are shown but never edited, read or written
    fillSmsFunctionLists();
    numbersGroup->setEnabled(false);

    // 8. the write group
    accessPasswordEdit = makeEdit("accessPasswordEdit");
    accessPasswordEdit->setText(QStringLiteral("482915"));
    newPasswordEdit = makeEdit("newPasswordEdit");
    newPasswordCheck = makeCheck("newPasswordCheck");
    readSettingsButton = new QPushButton(tr("Прочитать"));
    readSettingsButton->setObjectName(QStringLiteral("readSettingsButton"));
    readSettingsButton->setMinimumHeight(30);
    writeSettingsButton = new QPushButton(tr("Записать"));
    writeSettingsButton->setObjectName(QStringLiteral("writeSettingsButton"));
    writeSettingsButton->setMinimumHeight(30);
    writeStatusLabel = new QLabel(QString());
    writeStatusLabel->setObjectName(QStringLiteral("writeStatusLabel"));
    connect(writeSettingsButton, &QPushButton::clicked, this, &MainWindow::set_settings);
    connect(readSettingsButton, &QPushButton::clicked, this, &MainWindow::get_settings);
    formOf(writeGroup)->addRow(new QLabel(QStringLiteral("Пароль")), accessPasswordEdit);
    formOf(writeGroup)->addRow(new QLabel(tr("Новый пароль")), newPasswordCheck);
    formOf(writeGroup)->addRow(QString(), newPasswordEdit);
    formOf(writeGroup)->addRow(QString(), readSettingsButton);
    formOf(writeGroup)->addRow(writeStatusLabel, writeSettingsButton);

    // 9. columns left to right, each closed by a stretch, then a stretch right of them
    column1Layout->addWidget(serverGroup);
    column1Layout->addWidget(sim1Group);
    column1Layout->addWidget(sim2Group);
    column1Layout->addWidget(sleepGroup);
    column1Layout->addWidget(trackGroup);
    column1Layout->addItem(columnStretch());
    column2Layout->addWidget(interfacesGroup);
    column2Layout->addWidget(inputsGroup);
    column2Layout->addWidget(numbersGroup);
    column2Layout->addItem(columnStretch());
    column3Layout->addWidget(writeGroup);
    column3Layout->addWidget(canParamsGroup);
    column3Layout->addItem(columnStretch());
    pageLayout->addWidget(column1);
    pageLayout->addWidget(column2);
    pageLayout->addWidget(column3);
    pageLayout->addItem(new QSpacerItem(20, 40, QSizePolicy::Expanding, QSizePolicy::Minimum));
    settingsPage->setLayout(pageLayout);

    // 10. sizing pass
    for (QLineEdit *e : settingsPage->findChildren<QLineEdit *>()) {
        e->setMaximumWidth(150);
        e->setMinimumWidth(70);
        e->setSizeIncrement(0, 0);
    }
    for (QLabel *l : settingsPage->findChildren<QLabel *>()) {
        l->setAlignment(Qt::AlignRight);
        l->setMinimumWidth(150);
        l->setSizeIncrement(0, 0);
    }
    for (QLabel *l : canParamsGroup->findChildren<QLabel *>()) {
        l->setAlignment(Qt::AlignLeft);
        l->setMinimumWidth(150);
        l->setSizeIncrement(0, 0);
    }

    return settingsPage;
}

void MainWindow::fillSmsFunctionLists()
{
    const QStringList functions{QStringLiteral("INFO SMS"),      QStringLiteral("GEO SMS"),
                                QStringLiteral("Speaker On"),    QStringLiteral("Microphone On"),
                                QStringLiteral("Restart"),       QStringLiteral("Update FW"),
                                QStringLiteral("Update Settings")};
    smsFunction1Combo->addItems(functions);
    smsFunction2Combo->addItems(functions);
    smsFunction3Combo->addItems(functions);
    smsFunction4Combo->addItems(functions);
    smsFunction5Combo->addItems(functions);
}

QCheckBox *MainWindow::canParamBox(int code) const
{
    switch (code) {
    case 1: return canParamCheck1;
    case 2: return canParamCheck2;
    case 3: return canParamCheck3;
    case 4: return canParamCheck4;
    case 5: return canParamCheck5;
    case 6: return canParamCheck6;
    case 7: return canParamCheck7;
    case 8: return canParamCheck8;
    case 9: return canParamCheck9;
    case 10: return canParamCheck10;
    case 11: return canParamCheck11;
    case 12: return canParamCheck12;
    case 13: return canParamCheck13;
    case 14: return canParamCheck14;
    default: return nullptr;
    }
}

QString MainWindow::settingsRowLabel(QWidget *field) const
{
    // the new password field shares the row label of its check box
    if (field == newPasswordEdit)
        field = newPasswordCheck;
    QWidget *group = field ? field->parentWidget() : nullptr;
    auto *form = group ? qobject_cast<QFormLayout *>(group->layout()) : nullptr;
    if (form) {
        if (auto *label = qobject_cast<QLabel *>(form->labelForField(field)))
            return label->text();
    }
    return field ? field->objectName() : QString();
}
