// Sensor and CAN records: CAN vehicle values and indicators, fuel level sensors, 1-Wire
// sensors and key, inputs and the two lines that can act as outputs.
#include "status/sensorpanel.h"
#include "status/fieldtext.h"

#include "link/recordrouter.h"
#include "status/core_numbers.h"

#include <QRadioButton>

namespace {
// The number n when the field's text is exactly one of "0" .. "count-1", otherwise -1.
int rowNumber(const QByteArray &field, int count)
{
    const QString text = fieldText(field);
    if (text.size() != 1)
        return -1;
    const int n = text.at(0).unicode() - '0';
    return n >= 0 && n < count ? n : -1;
}

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
    router.route(RecordKind::CanProgram, [this](const RecordLine &r) { decodeCanProgram(r); });
    router.route(RecordKind::CanEngineHours,
                 [this](const RecordLine &r) { decodeCanValue(engineHoursEdit, r, 100.0); });
    router.route(RecordKind::CanMileage,
                 [this](const RecordLine &r) { decodeCanValue(mileageEdit, r, 100.0); });
    router.route(RecordKind::CanFuelUsed,
                 [this](const RecordLine &r) { decodeCanValue(fuelUsedEdit, r, 10.0); });
    router.route(RecordKind::CanFuelPercent,
                 [this](const RecordLine &r) { decodeFuelLevel(r, false); });
    router.route(RecordKind::CanFuelLitres,
                 [this](const RecordLine &r) { decodeFuelLevel(r, true); });
    router.route(RecordKind::CanEngineSpeed,
                 [this](const RecordLine &r) { decodeText(engineRpmEdit, r); });
    router.route(RecordKind::CanEngineTemp,
                 [this](const RecordLine &r) { decodeText(engineTempEdit, r); });
    router.route(RecordKind::CanSpeed,
                 [this](const RecordLine &r) { decodeText(vehicleSpeedEdit, r); });
    router.route(RecordKind::CanWarning, [this](const RecordLine &r) { decodeCP(r); });
    router.route(RecordKind::CanSecurity, [this](const RecordLine &r) { decodeCS(r); });
    const RecordKind axles[AxleCount] = {RecordKind::CanAxle1, RecordKind::CanAxle2,
                                         RecordKind::CanAxle3, RecordKind::CanAxle4,
                                         RecordKind::CanAxle5};
    for (int i = 0; i < AxleCount; ++i) {
        QLineEdit *const field = axleLoadEdits[i];
        router.route(axles[i], [this, field](const RecordLine &r) { decodeText(field, r); });
    }
    // Which CAN value should fill the accelerator pedal and engine load rows is not settled;
    // "CU" is shown as the AdBlue level, like "CV".
    router.route(RecordKind::CanCU, [this](const RecordLine &r) { decodeText(adBlueLevelEdit, r); });
    router.route(RecordKind::CanAdBlue,
                 [this](const RecordLine &r) { decodeText(adBlueLevelEdit, r); });
    router.route(RecordKind::FuelSensors, [this](const RecordLine &r) { decodeLLS(r); });
    router.route(RecordKind::OneWireTemp, [this](const RecordLine &r) { decodeOWT(r); });
    router.route(RecordKind::OneWireKey, [this](const RecordLine &r) { decodeOWK(r); });
    router.route(RecordKind::Output, [this](const RecordLine &r) { decodeOutput(r); });
    router.route(RecordKind::Input, [this](const RecordLine &r) { decodeInput(r); });
}

void SensorPanel::decodeCanProgram(const RecordLine &r)
{
    setFieldText(canDataProgramEdit, fieldText(r.field[0]));
    setFieldText(canDataValidEdit, fieldText(r.field[1] + " / " + r.field[2]));
}

void SensorPanel::decodeCanValue(QLineEdit *field, const RecordLine &r, double divisor)
{
    bool ok = false;
    const double raw = r.field[0].toDouble(&ok);
    if (ok)
        setFieldText(field, generalNumber(raw / divisor));
}

// The fuel level row says whether it shows per cent or litres, after the last of the two
// records; the caption stays Russian whatever the language.
void SensorPanel::decodeFuelLevel(const RecordLine &r, bool litres)
{
    bool ok = false;
    const double raw = r.field[0].toDouble(&ok);
    if (!ok)
        return;
    setFieldText(fuelLevelEdit, generalNumber(raw / 10.0));
    setFieldText(fuelLevelLabel, litres ? tr("Уровень топлива в баке (л)")
                                        : tr("Уровень топлива в баке (%)"));
}

void SensorPanel::decodeText(QLineEdit *field, const RecordLine &r)
{
    setFieldText(field, fieldText(r.field[0]));
}

void SensorPanel::decodeCP(const RecordLine &r)
{
    setFieldText(alarmControllersEdit, fieldText(r.field[0]));
    showFlags(lampFlagButtons, lampFlags(leadingInt(r.field[0])));
}

void SensorPanel::decodeCS(const RecordLine &r)
{
    setFieldText(securityStateEdit, fieldText(r.field[0]));
    showFlags(securityFlagButtons, securityFlags(leadingInt(r.field[0])));
}

void SensorPanel::decodeLLS(const RecordLine &r)
{
    const int n = rowNumber(r.field[1], FuelSensorCount);
    if (n < 0)
        return;
    setFieldText(llsLevelEdits[n], fieldText(r.field[2]));
    setFieldText(llsTempEdits[n], fieldText(r.field[3]));
}

void SensorPanel::decodeOWT(const RecordLine &r)
{
    const int n = rowNumber(r.field[0], ThermoSensorCount);
    if (n < 0)
        return;
    setFieldText(thermoAddressEdits[n], fieldText(r.field[1]));
    setFieldText(thermoTempEdits[n], fieldText(r.field[2]));
}

void SensorPanel::decodeOWK(const RecordLine &r)
{
    if (rowNumber(r.field[0], 1) == 0)
        setFieldText(keyIdEdit, fieldText(r.field[1]));
}

void SensorPanel::setInputRow(int row, const QString &caption, const QString &state)
{
    setFieldText(inputLabels[row], caption);
    setFieldText(inputEdits[row], state);
}

// O14, O15, O24, O25: IN4 or IN5 switched as an output; the second character names no row.
void SensorPanel::decodeOutput(const RecordLine &r)
{
    const QByteArray name = recordNameText(r.name);
    if (name.size() != 3)
        return;
    const bool on = r.field[0].toInt(nullptr, 10) == 1;
    const QString state = on ? tr("Вкл") : tr("Выкл");
    if (name.at(2) == '4')
        setInputRow(4, tr("IN4_U Выход"), state);
    else if (name.at(2) == '5')
        setInputRow(5, tr("IN5_U Выход"), state);
}

// "I", a type letter, the input number 0..5. The caption prefix belongs to the row, the type
// text to the record.
void SensorPanel::decodeInput(const RecordLine &r)
{
    const QByteArray name = recordNameText(r.name);
    if (name.size() != 3)
        return;
    QString state = fieldText(r.field[0]);
    QString type;
    const char typeLetter = name.at(1);
    if (const char *text = inputTypeText(typeLetter))
        type = tr(text);
    if (typeLetter == 'D')
        state = r.field[0].toInt(nullptr, 10) == 1 ? tr(" Замкнут") : tr(" Разомкнут");

    const char digit = name.at(2);
    if (digit < '0' || digit > '5')
        return;
    const int row = digit - '0';
    setInputRow(row, QString::fromLatin1(inputRowPrefix(row)) + type, state);
}
