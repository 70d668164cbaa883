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
    for (QRadioButton *b : buttons)
        b->setChecked(false);
    for (size_t i = 0; i < N; ++i)
        if ((on >> i) & 1u)
            buttons[i]->setChecked(true);
}
} // namespace

void SensorPanel::registerRoutes(RecordRouter &router)
{
    const auto number = [this, &router](RecordKind kind, QLineEdit *field) {
        router.route(kind,
                     [this, kind, field](const RecordLine &r) { decodeCanValue(field, kind, r); });
    };
    const auto text = [this, &router](RecordKind kind, QLineEdit *field) {
        router.route(kind,
                     [this, kind, field](const RecordLine &r) { decodeText(field, kind, r); });
    };
    router.route(RecordKind::CanProgram, [this](const RecordLine &r) { decodeCanProgram(r); });
    number(RecordKind::CanEngineHours, engineHoursEdit);
    number(RecordKind::CanMileage, mileageEdit);
    number(RecordKind::CanFuelUsed, fuelUsedEdit);
    router.route(RecordKind::CanFuelPercent,
                 [this](const RecordLine &r) { decodeFuelLevel(r, false); });
    router.route(RecordKind::CanFuelLitres,
                 [this](const RecordLine &r) { decodeFuelLevel(r, true); });
    text(RecordKind::CanEngineSpeed, engineRpmEdit);
    text(RecordKind::CanEngineTemp, engineTempEdit);
    text(RecordKind::CanSpeed, vehicleSpeedEdit);
    router.route(RecordKind::CanWarning, [this](const RecordLine &r) { decodeCP(r); });
    router.route(RecordKind::CanSecurity, [this](const RecordLine &r) { decodeCS(r); });
    const RecordKind axles[AxleCount] = {RecordKind::CanAxle1, RecordKind::CanAxle2,
                                         RecordKind::CanAxle3, RecordKind::CanAxle4,
                                         RecordKind::CanAxle5};
    for (int i = 0; i < AxleCount; ++i)
        text(axles[i], axleLoadEdits[i]);
    // Which CAN value should fill the accelerator pedal and engine load rows is not settled;
    // "CU" is shown as the AdBlue level, like "CV".
    text(RecordKind::CanCU, adBlueLevelEdit);
    text(RecordKind::CanAdBlue, adBlueLevelEdit);
    router.route(RecordKind::FuelSensors, [this](const RecordLine &r) { decodeLLS(r); });
    router.route(RecordKind::OneWireTemp, [this](const RecordLine &r) { decodeOWT(r); });
    router.route(RecordKind::OneWireKey, [this](const RecordLine &r) { decodeOWK(r); });
    router.route(RecordKind::Output, [this](const RecordLine &r) { decodeOutput(r); });
    router.route(RecordKind::Input, [this](const RecordLine &r) { decodeInput(r); });
}

void SensorPanel::decodeCanProgram(const RecordLine &r)
{
    const CanCountsRecord c = decodeCanCounts(r);
    setFieldText(canDataProgramEdit, fieldText(c.programText));
    // joined before it is shown: a NUL in the valid count hides the invalid one
    setFieldText(canDataValidEdit, fieldText(c.validText + " / " + c.invalidText));
}

void SensorPanel::decodeCanValue(QLineEdit *field, RecordKind kind, const RecordLine &r)
{
    if (const std::optional<double> value = ::decodeCanValue(kind, r).value())
        setFieldText(field, generalNumber(*value));
}

// The fuel level row says whether it shows per cent or litres, after the last of the two
// records; the caption stays Russian whatever the language.
void SensorPanel::decodeFuelLevel(const RecordLine &r, bool litres)
{
    const RecordKind kind = litres ? RecordKind::CanFuelLitres : RecordKind::CanFuelPercent;
    const std::optional<double> value = ::decodeCanValue(kind, r).value();
    if (!value)
        return;
    setFieldText(fuelLevelEdit, generalNumber(*value));
    setFieldText(fuelLevelLabel, litres ? tr("Уровень топлива в баке (л)")
                                        : tr("Уровень топлива в баке (%)"));
}

void SensorPanel::decodeText(QLineEdit *field, RecordKind kind, const RecordLine &r)
{
    setFieldText(field, fieldText(::decodeCanValue(kind, r).text));
}

void SensorPanel::decodeCP(const RecordLine &r)
{
    const CanCodeRecord c = decodeCanCode(r);
    setFieldText(alarmControllersEdit, fieldText(c.text));
    showFlags(lampFlagButtons, lampFlags(c.code));
}

void SensorPanel::decodeCS(const RecordLine &r)
{
    const CanCodeRecord c = decodeCanCode(r);
    setFieldText(securityStateEdit, fieldText(c.text));
    showFlags(securityFlagButtons, securityFlags(c.code));
}

void SensorPanel::decodeLLS(const RecordLine &r)
{
    const std::optional<FuelSensorRecord> s = decodeFuelSensor(r);
    if (!s)
        return;
    setFieldText(llsLevelEdits[s->sensor], fieldText(s->levelText));
    setFieldText(llsTempEdits[s->sensor], fieldText(s->temperatureText));
}

void SensorPanel::decodeOWT(const RecordLine &r)
{
    const std::optional<ThermometerRecord> t = decodeThermometer(r);
    if (!t)
        return;
    setFieldText(thermoAddressEdits[t->sensor], fieldText(t->addressText));
    setFieldText(thermoTempEdits[t->sensor], fieldText(t->temperatureText));
}

void SensorPanel::decodeOWK(const RecordLine &r)
{
    if (const std::optional<KeyRecord> k = decodeKey(r))
        setFieldText(keyIdEdit, fieldText(k->idText));
}

void SensorPanel::setInputRow(int row, const QString &caption, const QString &state)
{
    setFieldText(inputLabels[row], caption);
    setFieldText(inputEdits[row], state);
}

// O14, O15, O24, O25: IN4 or IN5 switched as an output; the second character names no row.
void SensorPanel::decodeOutput(const RecordLine &r)
{
    const std::optional<OutputRecord> o = decodeOutputState(r);
    if (!o)
        return;
    const QString state = o->on ? tr("Вкл") : tr("Выкл");
    if (o->input == 4)
        setInputRow(4, tr("IN4_U Выход"), state);
    else
        setInputRow(5, tr("IN5_U Выход"), state);
}

// "I", a type letter, the input number 0..5. The caption prefix belongs to the row, the type
// text to the record.
void SensorPanel::decodeInput(const RecordLine &r)
{
    const std::optional<InputRecord> in = decodeInputState(r);
    if (!in)
        return;
    QString type;
    if (const char *text = inputTypeText(in->type))
        type = tr(text);
    const QString state = in->type != 'D' ? fieldText(in->stateText)
                          : in->closed    ? tr(" Замкнут")
                                          : tr(" Разомкнут");
    setInputRow(in->input, QString::fromLatin1(inputRowPrefix(in->input)) + type, state);
}
