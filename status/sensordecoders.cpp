// Sensor and CAN records: CAN vehicle values and indicators, fuel level sensors, 1-Wire
// sensors and key, inputs and the two lines that can act as outputs.
#include "status/sensorpanel.h"
#include "status/fieldtext.h"

#include "link/recordrouter.h"
#include "status/core_numbers.h"
#include "status/core_records.h"

#include <QRadioButton>

namespace {
template <size_t N>
void showFlags(const std::array<QRadioButton *, N> &buttons, quint32 on)
{
    // each set once to what it shows: a flag that stays as it was costs no repaint
    for (size_t i = 0; i < N; ++i)
        buttons[i]->setChecked(((on >> i) & 1u) != 0);
}
} // namespace

void SensorPanel::registerRoutes(RecordRouter &router)
{
    // the CAN value records share one decoder, which scales each by its kind
    const auto canValue = [](RecordKind kind) {
        return [kind](const RecordLine &r) { return ::decodeCanValue(kind, r); };
    };
    const auto number = [this, &router, canValue](RecordKind kind, QLineEdit *field) {
        router.route(kind, canValue(kind),
                     [this, field](const CanValueRecord &v) { decodeCanValue(field, v); });
    };
    const auto text = [this, &router, canValue](RecordKind kind, QLineEdit *field) {
        router.route(kind, canValue(kind),
                     [this, field](const CanValueRecord &v) { decodeText(field, v); });
    };
    router.route(RecordKind::CanProgram, decodeCanCounts,
                 [this](const CanCountsRecord &v) { decodeCanProgram(v); });
    number(RecordKind::CanEngineHours, engineHoursEdit);
    number(RecordKind::CanMileage, mileageEdit);
    number(RecordKind::CanFuelUsed, fuelUsedEdit);
    router.route(RecordKind::CanFuelPercent, canValue(RecordKind::CanFuelPercent),
                 [this](const CanValueRecord &v) { decodeFuelLevel(v, false); });
    router.route(RecordKind::CanFuelLitres, canValue(RecordKind::CanFuelLitres),
                 [this](const CanValueRecord &v) { decodeFuelLevel(v, true); });
    text(RecordKind::CanEngineSpeed, engineRpmEdit);
    text(RecordKind::CanEngineTemp, engineTempEdit);
    text(RecordKind::CanSpeed, vehicleSpeedEdit);
    router.route(RecordKind::CanWarning, decodeCanCode,
                 [this](const CanCodeRecord &v) { decodeCP(v); });
    router.route(RecordKind::CanSecurity, decodeCanCode,
                 [this](const CanCodeRecord &v) { decodeCS(v); });
    const RecordKind axles[AxleCount] = {RecordKind::CanAxle1, RecordKind::CanAxle2,
                                         RecordKind::CanAxle3, RecordKind::CanAxle4,
                                         RecordKind::CanAxle5};
    for (int i = 0; i < AxleCount; ++i)
        text(axles[i], axleLoadEdits[i]);
    // Which CAN value should fill the accelerator pedal and engine load rows is not settled;
    // "CU" is shown as the AdBlue level, like "CV".
    text(RecordKind::CanCU, adBlueLevelEdit);
    text(RecordKind::CanAdBlue, adBlueLevelEdit);
    router.route(RecordKind::FuelSensors, decodeFuelSensor,
                 [this](const std::optional<FuelSensorRecord> &v) { decodeLLS(v); });
    router.route(RecordKind::OneWireTemp, decodeThermometer,
                 [this](const std::optional<ThermometerRecord> &v) { decodeOWT(v); });
    router.route(RecordKind::OneWireKey, decodeKey,
                 [this](const std::optional<KeyRecord> &k) { decodeOWK(k); });
    router.route(RecordKind::Output, decodeOutputState,
                 [this](const std::optional<OutputRecord> &v) { decodeOutput(v); });
    router.route(RecordKind::Input, decodeInputState,
                 [this](const std::optional<InputRecord> &v) { decodeInput(v); });
}

void SensorPanel::decodeCanProgram(const CanCountsRecord &c)
{
    fields.setBytes(canDataProgramEdit, c.programText);
    // joined before it is shown: a NUL in the valid count hides the invalid one
    fields.set(canDataValidEdit, fieldText(c.validText + " / " + c.invalidText));
}

void SensorPanel::decodeCanValue(QLineEdit *field, const CanValueRecord &v)
{
    if (const std::optional<double> value = v.value())
        fields.setNumber(field, *value);
}

// The fuel level row says whether it shows per cent or litres, after the last of the two
// records; the caption stays Russian whatever the language.
void SensorPanel::decodeFuelLevel(const CanValueRecord &v, bool litres)
{
    const std::optional<double> value = v.value();
    if (!value)
        return;
    fields.setNumber(fuelLevelEdit, *value);
    fields.set(fuelLevelLabel, litres ? translated(QT_TR_NOOP("Уровень топлива в баке (л)"))
                                        : translated(QT_TR_NOOP("Уровень топлива в баке (%)")));
}

void SensorPanel::decodeText(QLineEdit *field, const CanValueRecord &v)
{
    fields.setBytes(field, v.text);
}

void SensorPanel::decodeCP(const CanCodeRecord &c)
{
    fields.setBytes(alarmControllersEdit, c.text);
    showFlags(lampFlagButtons, lampFlags(c.code));
}

void SensorPanel::decodeCS(const CanCodeRecord &c)
{
    fields.setBytes(securityStateEdit, c.text);
    showFlags(securityFlagButtons, securityFlags(c.code));
}

void SensorPanel::decodeLLS(const std::optional<FuelSensorRecord> &s)
{
    if (!s)
        return;
    fields.setBytes(llsLevelEdits[s->sensor], s->levelText);
    fields.setBytes(llsTempEdits[s->sensor], s->temperatureText);
}

void SensorPanel::decodeOWT(const std::optional<ThermometerRecord> &t)
{
    if (!t)
        return;
    fields.setBytes(thermoAddressEdits[t->sensor], t->addressText);
    fields.setBytes(thermoTempEdits[t->sensor], t->temperatureText);
}

void SensorPanel::decodeOWK(const std::optional<KeyRecord> &k)
{
    if (k)
        fields.setBytes(keyIdEdit, k->idText);
}

void SensorPanel::setInputRow(int row, const QString &caption, const QString &state)
{
    fields.set(inputLabels[row], caption);
    fields.set(inputEdits[row], state);
}

// O14, O15, O24, O25: IN4 or IN5 switched as an output; the second character names no row.
void SensorPanel::decodeOutput(const std::optional<OutputRecord> &o)
{
    if (!o)
        return;
    const QString state = o->on ? translated(QT_TR_NOOP("Вкл")) : translated(QT_TR_NOOP("Выкл"));
    if (o->input == 4)
        setInputRow(4, translated(QT_TR_NOOP("IN4_U Выход")), state);
    else
        setInputRow(5, translated(QT_TR_NOOP("IN5_U Выход")), state);
}

// "I", a type letter, the input number 0..5. The caption prefix belongs to the row, the type
// text to the record.
void SensorPanel::decodeInput(const std::optional<InputRecord> &in)
{
    if (!in)
        return;
    QString type;
    if (const char *text = inputTypeText(in->type))
        type = translated(text);
    const QString state = in->type != 'D' ? fieldText(in->stateText)
                          : in->closed    ? translated(QT_TR_NOOP(" Замкнут"))
                                          : translated(QT_TR_NOOP(" Разомкнут"));
    setInputRow(in->input, QString::fromLatin1(inputRowPrefix(in->input)) + type, state);
}
