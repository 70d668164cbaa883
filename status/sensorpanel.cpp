// The sensor and CAN panel of the device parameters page: inputs, fuel level sensors, 1-Wire
// and the CAN vehicle data in two columns, the CAN indicators below the CAN data.
#include "status/sensorpanel.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

namespace {
void addRow(QFormLayout *form, const QString &caption, QWidget *field)
{
    form->addRow(new QLabel(caption), field);
}

// The captions of the input rows before any record: "IN0" .. "IN7".
template <size_t N>
std::array<QLabel *, N> inputCaptions()
{
    std::array<QLabel *, N> labels;
    for (size_t i = 0; i < N; ++i) {
        labels[i] = new QLabel(QStringLiteral("IN%1").arg(i));
        labels[i]->setObjectName(QStringLiteral("inputLabel%1").arg(i));
    }
    return labels;
}
} // namespace

template <size_t N>
std::array<QLineEdit *, N> SensorPanel::numberedEdits(const char *stem)
{
    std::array<QLineEdit *, N> edits;
    for (size_t n = 0; n < N; ++n) {
        edits[n] = new QLineEdit;
        edits[n]->setObjectName(QLatin1String(stem) + QString::number(n));
    }
    return edits;
}

SensorPanel::SensorPanel(QWidget *parent)
    : QWidget(parent)
    , inputLabels(inputCaptions<InputCount>())
    , fuelLevelLabel(new QLabel(tr("Уровень топлива в баке (%)")))
    , axleLoadEdits{makeLineEdit("axleLoad1Edit"), makeLineEdit("axleLoad2Edit"),
                    makeLineEdit("axleLoad3Edit"), makeLineEdit("axleLoad4Edit"),
                    makeLineEdit("axleLoad5Edit")}
{
    setObjectName(QStringLiteral("sensorPanel"));
    fuelLevelLabel->setObjectName(QStringLiteral("fuelLevelLabel"));

    QWidget *leftColumn = namedWidget<QWidget>("sensorLeftColumn");
    QWidget *rightColumn = namedWidget<QWidget>("sensorRightColumn");
    QWidget *securityHolder = namedWidget<QWidget>("securityFlagsHolder");
    QWidget *lampHolder = namedWidget<QWidget>("lampFlagsHolder");

    QGroupBox *canDataGroup = makeGroup(tr("Данные с CAN шины"), "canDataGroup");
    auto *can = new QFormLayout(canDataGroup);
    QGroupBox *inputsGroup = makeGroup(tr("Дискретные входы/выходы"), "inputsGroup");
    auto *inputs = new QFormLayout(inputsGroup);
    QGroupBox *oneWireGroup = makeGroup(QStringLiteral("1-Wire"), "oneWireGroup");
    auto *oneWire = new QGridLayout(oneWireGroup);
    oneWire->setSpacing(1);
    QGroupBox *fuelSensorsGroup =
        makeGroup(tr("Датчики уровня топлива (RS232/RS485)"), "fuelSensorsGroup");
    auto *fuel = new QGridLayout(fuelSensorsGroup);
    fuel->setSpacing(1);

    for (int i = 0; i < InputCount; ++i)
        inputs->addRow(inputLabels[i], inputEdits[i]);

    auto header = [](const QString &text) {
        auto *label = new QLabel(text);
        label->setMaximumWidth(75);
        label->setMinimumWidth(30);
        return label;
    };

    // fuel level sensors: a header row, then level and temperature of sensors 0 to 6
    fuel->addWidget(new QLabel(QStringLiteral(" ")), 0, 0);
    fuel->addWidget(header(tr("Уровень")), 0, 1);
    fuel->addWidget(header(tr("Температура")), 0, 2);
    for (int n = 0; n < FuelSensorCount; ++n) {
        fuel->addWidget(new QLabel(tr("ДУТ %1").arg(n)), n + 1, 0);
        fuel->addWidget(llsLevelEdits[n], n + 1, 1);
        fuel->addWidget(llsTempEdits[n], n + 1, 2);
    }

    // 1-Wire: a header row, address and temperature of sensors 0 to 5, then the key
    oneWire->addWidget(header(tr("Адрес")), 0, 1);
    oneWire->addWidget(header(tr(" Температура")), 0, 2);
    for (int n = 0; n < ThermoSensorCount; ++n) {
        oneWire->addWidget(new QLabel(tr("Термодатчик %1").arg(n)), n + 1, 0);
        oneWire->addWidget(thermoAddressEdits[n], n + 1, 1);
        oneWire->addWidget(thermoTempEdits[n], n + 1, 2);
    }
    oneWire->addWidget(new QLabel(tr("Ключ ID")), 7, 0);
    oneWire->addWidget(keyIdEdit, 7, 1);

    // CAN vehicle data
    addRow(can, tr("Номер программы CAN"), canDataProgramEdit);
    addRow(can, tr("Валидные/невалидные"), canDataValidEdit);
    addRow(can, tr("Время работы двигателя (ч)"), engineHoursEdit);
    addRow(can, tr("Полный пробег ТС (км)"), mileageEdit);
    addRow(can, tr("Полный расход топлива (л)"), fuelUsedEdit);
    can->addRow(fuelLevelLabel, fuelLevelEdit);
    addRow(can, tr("Обороты двигателя (об/мин)"), engineRpmEdit);
    addRow(can, tr("Температура двигателя (С)"), engineTempEdit);
    addRow(can, tr("Скорость ТС (км/ч)"), vehicleSpeedEdit);
    addRow(can, tr("Давлене на ось 1 (кг)"), axleLoadEdits[0]);
    addRow(can, tr("Давлене на ось 2 (кг)"), axleLoadEdits[1]);
    addRow(can, tr("Давлене на ось 3 (кг)"), axleLoadEdits[2]);
    addRow(can, tr("Давлене на ось 4 (кг)"), axleLoadEdits[3]);
    addRow(can, tr("Давлене на ось 5 (кг)"), axleLoadEdits[4]);
    addRow(can, tr("Положение педали газа"), pedalPositionEdit);
    addRow(can, tr("Нагрузка на двигатель"), engineLoadEdit);
    addRow(can, tr("Уровень AdBlue"), adBlueLevelEdit);
    addRow(can, tr("Состояние безопасности"), securityStateEdit);
    addRow(can, tr("Контроллеры аварии"), alarmControllersEdit);

    // the indicators of the CAN security state and warning lamps
    auto indicators = [this](const char *name, const char *const *captions, QRadioButton **buttons,
                             int count) {
        QGroupBox *group = makeGroup(QString(), name);
        auto *form = new QFormLayout(group);
        for (int i = 0; i < count; ++i) {
            buttons[i] = new QRadioButton;
            buttons[i]->setAutoExclusive(false);
            buttons[i]->setEnabled(false);
            form->addRow(new QLabel(tr(captions[i])), buttons[i]);
        }
        return group;
    };
    QGroupBox *securityFlagsGroup =
        indicators("securityFlagsGroup", securityFlagCaptions, securityFlagButtons.data(),
                   SecurityFlagCount);
    QGroupBox *lampFlagsGroup =
        indicators("lampFlagsGroup", lampFlagCaptions, lampFlagButtons.data(), LampFlagCount);

    auto *leftLayout = new QVBoxLayout(leftColumn);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(inputsGroup);
    leftLayout->addWidget(fuelSensorsGroup);
    leftLayout->addWidget(oneWireGroup);
    leftLayout->addSpacerItem(columnStretch());

    for (auto holder : {std::make_pair(securityHolder, securityFlagsGroup),
                        std::make_pair(lampHolder, lampFlagsGroup)}) {
        auto *holderLayout = new QVBoxLayout(holder.first);
        holderLayout->setContentsMargins(0, 0, 0, 0);
        holderLayout->addWidget(holder.second);
        holderLayout->addSpacerItem(columnStretch());
    }
    // the indicators are shown below the CAN group
    auto *rightLayout = new QVBoxLayout(rightColumn);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(canDataGroup);
    rightLayout->addWidget(securityHolder);
    rightLayout->addWidget(lampHolder);
    rightLayout->addSpacerItem(columnStretch());

    auto *panelLayout = new QHBoxLayout(this);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(leftColumn);
    panelLayout->addWidget(rightColumn);
    panelLayout->addSpacerItem(new QSpacerItem(20, 40, QSizePolicy::Expanding, QSizePolicy::Minimum));

    format(inputsGroup, fuelSensorsGroup, oneWireGroup, canDataGroup, securityFlagsGroup,
           lampFlagsGroup);
}

void SensorPanel::format(QGroupBox *inputsGroup, QGroupBox *fuelSensorsGroup,
                         QGroupBox *oneWireGroup, QGroupBox *canDataGroup,
                         QGroupBox *securityFlagsGroup, QGroupBox *lampFlagsGroup)
{
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
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

int SensorPanel::widestInputCaption() const
{
    QStringList captions{tr("IN4_U Выход"), tr("IN5_U Выход")};
    for (int row = 0; row < 6; ++row)
        for (char type : {'D', 'I', 'F', 'A'})
            captions << QString::fromLatin1(inputRowPrefix(row)) + tr(inputTypeText(type));
    QLabel probe;
    probe.setFont(inputLabels[0]->font());
    int widest = 0;
    for (const QString &caption : captions) {
        probe.setText(caption);
        widest = qMax(widest, probe.sizeHint().width());
    }
    return widest;
}
