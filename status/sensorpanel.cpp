// The sensor and CAN panel of the device parameters page: inputs, fuel level sensors, 1-Wire
// and the CAN vehicle data, and the CAN indicators, in columns that flow with the width.
#include "status/sensorpanel.h"

#include "status/fieldtext.h"
#include "status/flowlayout.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOptionButton>
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

// A radio button that shows a state: a lamp lit in its own colour when on, an empty circle
// when off, readable at a glance in the light and in the dark look. It takes no focus and no
// clicks; only the decoders change it.
class IndicatorLamp : public QRadioButton
{
public:
    explicit IndicatorLamp(const QColor &onColour)
        : onColour(onColour)
    {
        setAutoExclusive(false);
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStyleOptionButton option;
        initStyleOption(&option);
        const QRectF lamp =
            QRectF(style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this))
                .adjusted(0.5, 0.5, -0.5, -0.5);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        if (isChecked()) {
            painter.setPen(onColour.darker(160));
            painter.setBrush(onColour);
        } else {
            QColor rim = palette().color(QPalette::WindowText);
            rim.setAlpha(110);
            painter.setPen(rim);
            painter.setBrush(palette().color(QPalette::Base));
        }
        painter.drawEllipse(lamp);
    }

private:
    const QColor onColour;
};

// lit security states and lit warning lamps
const QColor securityOnColour(46, 204, 64);
const QColor lampOnColour(255, 176, 0);

// The longest numbers the panel's fields are known to show: any 32-bit number, and a real
// number in its general notation.
QStringList numberValues()
{
    return {QStringLiteral("-2147483648"), QStringLiteral("-1.23457e+06")};
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

SensorPanel::SensorPanel(FieldBatch &fields, QWidget *parent)
    : QWidget(parent)
    , fields(fields)
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
    for (int n = 0; n < ThermometerCount; ++n) {
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
    auto indicators = [this](const QString &title, const char *name, const char *const *captions,
                             QRadioButton **buttons, int count, const QColor &onColour) {
        QGroupBox *group = makeGroup(title, name);
        auto *form = new QFormLayout(group);
        for (int i = 0; i < count; ++i) {
            buttons[i] = new IndicatorLamp(onColour);
            form->addRow(new QLabel(tr(captions[i])), buttons[i]);
        }
        return group;
    };
    QGroupBox *securityFlagsGroup =
        indicators(tr("Охрана"), "securityFlagsGroup", securityFlagCaptions,
                   securityFlagButtons.data(), SecurityFlagCount, securityOnColour);
    QGroupBox *lampFlagsGroup =
        indicators(tr("Индикаторы"), "lampFlagsGroup", lampFlagCaptions, lampFlagButtons.data(),
                   LampFlagCount, lampOnColour);

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
    auto *rightLayout = new QVBoxLayout(rightColumn);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(canDataGroup);
    rightLayout->addSpacerItem(columnStretch());

    // the two indicator groups, one above the other, are the third column
    QWidget *indicatorColumn = namedWidget<QWidget>("sensorIndicatorColumn");
    auto *indicatorLayout = new QVBoxLayout(indicatorColumn);
    indicatorLayout->setContentsMargins(0, 0, 0, 0);
    indicatorLayout->addWidget(securityHolder);
    indicatorLayout->addWidget(lampHolder);
    indicatorLayout->addSpacerItem(columnStretch());

    auto *panelLayout = new FlowLayout(this);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(leftColumn);
    panelLayout->addWidget(rightColumn);
    panelLayout->addWidget(indicatorColumn);

    format(inputsGroup, fuelSensorsGroup, oneWireGroup, canDataGroup, securityFlagsGroup,
           lampFlagsGroup);
}

void SensorPanel::format(QGroupBox *inputsGroup, QGroupBox *fuelSensorsGroup,
                         QGroupBox *oneWireGroup, QGroupBox *canDataGroup,
                         QGroupBox *securityFlagsGroup, QGroupBox *lampFlagsGroup)
{
    // Every field is as wide as the longest value it is known to show: a number, an input
    // state, a 1-Wire address or key of sixteen hexadecimal digits, two counts.
    const QList<QLineEdit *> edits = findChildren<QLineEdit *>();
    for (QLineEdit *edit : edits) {
        edit->setReadOnly(true);
        edit->setSizeIncrement(0, 0);
    }
    fitFields(edits, numberValues());
    fitFields(QList<QLineEdit *>(inputEdits.begin(), inputEdits.end()),
              numberValues() << tr(" Замкнут") << tr(" Разомкнут") << tr("Вкл") << tr("Выкл"));
    QList<QLineEdit *> oneWireIds(thermoAddressEdits.begin(), thermoAddressEdits.end());
    oneWireIds << keyIdEdit;
    fitFields(oneWireIds, {widestRun(keyIdEdit, QLatin1String("0123456789ABCDEF"), 16)});
    const QList<QLineEdit *> canEdits = canDataGroup->findChildren<QLineEdit *>();
    fitFields(canEdits, numberValues() << QStringLiteral("4294967295 / 4294967295"));
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
