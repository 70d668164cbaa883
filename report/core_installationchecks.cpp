#include "report/core_installationchecks.h"

#include "settings/core_settingsstring.h"
#include "status/core_codes.h"
#include "status/core_numbers.h"
#include "status/core_records.h"

#include <QStringList>

namespace {

// The RS485 codes of settings item 11, value 1.
constexpr int rs485FuelSensors = 5;
constexpr int rs485CanAdapter = 7;

QString volts(double millivolts)
{
    return QString::number(millivolts / 1000.0, 'f', 2);
}

} // namespace

void InstallationChecks::reset()
{
    *this = InstallationChecks();
}

void InstallationChecks::observe(RecordKind kind, const RecordLine &r)
{
    switch (kind) {
    case RecordKind::Fix: observeFix(decodeFix(r)); break;
    case RecordKind::ModemState: observeModemState(decodeModemState(r)); break;
    case RecordKind::Power: observePower(decodePower(r)); break;
    case RecordKind::Settings: observeSettings(decodeSettingsRecord(r)); break;
    case RecordKind::Input: observeInput(decodeInputState(r)); break;
    case RecordKind::FuelSensors: observeFuelSensor(decodeFuelSensor(r)); break;
    case RecordKind::OneWireTemp: observeThermometer(decodeThermometer(r)); break;
    case RecordKind::OneWireKey: observeKey(decodeKey(r)); break;
    case RecordKind::CanProgram: observeCanCounts(decodeCanCounts(r)); break;
    default: break;
    }
}

void InstallationChecks::observeFix(const FixRecord &f)
{
    if (!f.satellites)
        return;
    lastSatellites = *f.satellites;
    bestSatellites = qMax(bestSatellites, qint64(*f.satellites));
}

void InstallationChecks::observeModemState(const ModemStateRecord &m)
{
    if (!m.state)
        return;
    lastModemState = *m.state;
    highestModemState = qMax(highestModemState, *m.state);
}

void InstallationChecks::observePower(const PowerRecord &p)
{
    if (!p.supplyMv)
        return;
    const double mv = *p.supplyMv;
    minSupply = supplyReadings == 0 ? mv : qMin(minSupply, mv);
    maxSupply = supplyReadings == 0 ? mv : qMax(maxSupply, mv);
    lastSupply = mv;
    ++supplyReadings;
    if (mv < minSupplyMv || mv > maxSupplyMv)
        ++supplyOutOfRange;
}

void InstallationChecks::observeInput(const std::optional<InputRecord> &input)
{
    if (input)
        inputSeen[size_t(input->input)] = true;
}

void InstallationChecks::observeFuelSensor(const std::optional<FuelSensorRecord> &s)
{
    if (!s)
        return;
    Report &report = fuelReports[size_t(s->sensor)];
    report.seen = true;
    report.answered = s->level && *s->level >= 0;
    report.value = fieldBytes(s->levelText);
}

void InstallationChecks::observeThermometer(const std::optional<ThermometerRecord> &t)
{
    if (!t)
        return;
    Report &report = thermoReports[size_t(t->sensor)];
    report.seen = true;
    report.answered = t->addressNamesDevice && t->temperature;
    report.value = fieldBytes(t->temperatureText);
}

void InstallationChecks::observeKey(const std::optional<KeyRecord> &key)
{
    if (key && key->namesDevice)
        keyRead = fieldBytes(key->idText);
}

void InstallationChecks::observeCanCounts(const CanCountsRecord &counts)
{
    canSeen = true;
    canValidCount = counts.valid;
    canValid = fieldBytes(counts.validText);
    canInvalid = fieldBytes(counts.invalidText);
}

void InstallationChecks::forgetSettings()
{
    inputModesKnown = false;
    inputModes = {};
    rs485Code = -1;
}

void InstallationChecks::observeSettings(const TerminalSettings &s)
{
    // the items as the terminal reported them (the last of a number counts)
    const QStringList modes = s.reportedItems.value(9);
    if (modes.size() >= configurableInputs) {
        inputModesKnown = true;
        for (int k = 0; k < configurableInputs; ++k)
            inputModes[size_t(k)] = inputEntryForModeLetter(modes.at(k));
    }
    const auto rs485 = s.reportedItems.constFind(11);
    if (rs485 != s.reportedItems.constEnd() && !rs485->isEmpty()) {
        int code = 0;
        rs485Code = parseSettingsNumber(rs485->first(), &code) ? code : -1;
    }
}

QVector<CheckOutcome> InstallationChecks::evaluate() const
{
    QVector<CheckOutcome> outcomes;
    for (int i = 0; i < installationCheckCount; ++i)
        outcomes << evaluate(InstallationCheck(i));
    return outcomes;
}

CheckOutcome InstallationChecks::evaluate(InstallationCheck check) const
{
    switch (check) {
    case InstallationCheck::GnssFix:
        return gnssFix();
    case InstallationCheck::GsmRegistered:
        return modemStage(check, 2, 1);
    case InstallationCheck::GprsActive:
        return modemStage(check, 4, 2);
    case InstallationCheck::ServerAnswering:
        return modemStage(check, 7, 4);
    case InstallationCheck::SupplyVoltage:
        return supplyVoltage();
    case InstallationCheck::Inputs:
        return inputs();
    case InstallationCheck::FuelSensors:
        return fuelSensors();
    case InstallationCheck::OneWire:
        return oneWire();
    case InstallationCheck::CanData:
        return canData();
    }
    return {check, CheckResult::NotSeen, QString()};
}

CheckOutcome InstallationChecks::gnssFix() const
{
    const InstallationCheck c = InstallationCheck::GnssFix;
    if (bestSatellites < 0)
        return {c, CheckResult::NotSeen, tr("записей GS не было")};
    return {c, bestSatellites >= minSatellites ? CheckResult::Passed : CheckResult::Failed,
            tr("спутников: наибольшее %1, последнее %2").arg(bestSatellites).arg(lastSatellites)};
}

// The modem check that needs state `needed`; `stage` is the status page field of the modem
// chain it concerns (1 registration, 2 GPRS, 4 server reply), named in the detail.
CheckOutcome InstallationChecks::modemStage(InstallationCheck check, int needed, int stage) const
{
    if (highestModemState < 0)
        return {check, CheckResult::NotSeen, tr("записей MS не было")};
    const CodeText &text = modemStateTexts(uint(highestModemState))->at(size_t(stage));
    const QString shown = text.translated ? QCoreApplication::translate("StatusPage", text.text)
                                          : QString::fromUtf8(text.text);
    return {check, highestModemState >= needed ? CheckResult::Passed : CheckResult::Failed,
            tr("наибольшее состояние модема %1 (%2), последнее %3")
                .arg(highestModemState)
                .arg(shown)
                .arg(lastModemState)};
}

CheckOutcome InstallationChecks::supplyVoltage() const
{
    const InstallationCheck c = InstallationCheck::SupplyVoltage;
    if (supplyReadings == 0)
        return {c, CheckResult::NotSeen, tr("записей PB не было")};
    QString detail = tr("наименьшее %1 В, наибольшее %2 В, последнее %3 В")
                         .arg(volts(minSupply), volts(maxSupply), volts(lastSupply));
    if (supplyOutOfRange > 0)
        detail += tr("; вне пределов %1 из %2 показаний").arg(supplyOutOfRange).arg(supplyReadings);
    return {c, supplyOutOfRange == 0 ? CheckResult::Passed : CheckResult::Failed, detail};
}

CheckOutcome InstallationChecks::inputs() const
{
    const InstallationCheck c = InstallationCheck::Inputs;
    QStringList seen;
    for (int row = 0; row < InputLineCount; ++row)
        if (inputSeen[size_t(row)])
            seen << QStringLiteral("IN%1").arg(row);
    if (!inputModesKnown) {
        QString detail = tr("режимы входов не прочитаны из настроек");
        if (!seen.isEmpty())
            detail += tr("; получены: %1").arg(seen.join(QLatin1String(", ")));
        return {c, CheckResult::NotSeen, detail};
    }
    QStringList present, missing;
    for (int k = 0; k < configurableInputs; ++k) {
        const QString &mode = inputModes[size_t(k)];
        // an input without a mode, switched off or used as an output has nothing to report
        if (mode.isEmpty() || mode == QLatin1String("No") || mode == QLatin1String("OUT1"))
            continue;
        const QString name = QStringLiteral("IN%1 (%2)").arg(k).arg(inputModeText(mode));
        (inputSeen[size_t(k)] ? present : missing) << name;
    }
    if (present.isEmpty() && missing.isEmpty())
        return {c, CheckResult::Passed, tr("ни один вход не настроен")};
    QStringList detail;
    if (!missing.isEmpty())
        detail << tr("нет данных: %1").arg(missing.join(QLatin1String(", ")));
    if (!present.isEmpty())
        detail << tr("получены: %1").arg(present.join(QLatin1String(", ")));
    return {c, missing.isEmpty() ? CheckResult::Passed : CheckResult::Failed,
            detail.join(QLatin1String("; "))};
}

CheckOutcome InstallationChecks::fuelSensors() const
{
    const InstallationCheck c = InstallationCheck::FuelSensors;
    QStringList answered, silent;
    for (int n = 0; n < FuelSensorCount; ++n) {
        const Report &r = fuelReports[size_t(n)];
        if (!r.seen)
            continue;
        if (r.answered)
            answered << tr("ДУТ %1: %2").arg(n).arg(QString::fromUtf8(r.value));
        else
            silent << tr("ДУТ %1: нет ответа").arg(n);
    }
    if (answered.isEmpty() && silent.isEmpty()) {
        if (rs485Code == rs485FuelSensors)
            return {c, CheckResult::Failed, tr("RS485 настроен на датчики LLS, записей LLS не было")};
        return {c, CheckResult::NotSeen, tr("записей LLS не было")};
    }
    return {c, silent.isEmpty() ? CheckResult::Passed : CheckResult::Failed,
            (silent + answered).join(QLatin1String("; "))};
}

CheckOutcome InstallationChecks::oneWire() const
{
    const InstallationCheck c = InstallationCheck::OneWire;
    QStringList answered, silent;
    for (int n = 0; n < ThermometerCount; ++n) {
        const Report &r = thermoReports[size_t(n)];
        if (!r.seen)
            continue;
        if (r.answered)
            answered << tr("термодатчик %1: %2").arg(n).arg(QString::fromUtf8(r.value));
        else
            silent << tr("термодатчик %1: нет ответа").arg(n);
    }
    if (!keyRead.isEmpty())
        answered << tr("ключ %1").arg(QString::fromUtf8(keyRead));
    if (answered.isEmpty() && silent.isEmpty())
        return {c, CheckResult::NotSeen, tr("записей OWT и OWK с устройствами не было")};
    return {c, silent.isEmpty() ? CheckResult::Passed : CheckResult::Failed,
            (silent + answered).join(QLatin1String("; "))};
}

CheckOutcome InstallationChecks::canData() const
{
    const InstallationCheck c = InstallationCheck::CanData;
    if (!canSeen) {
        if (rs485Code == rs485CanAdapter)
            return {c, CheckResult::Failed, tr("RS485 настроен на KVA-CAN, записей C# не было")};
        return {c, CheckResult::NotSeen, tr("записей C# не было")};
    }
    return {c, canValidCount && *canValidCount > 0 ? CheckResult::Passed : CheckResult::Failed,
            tr("валидные/невалидные: %1 / %2")
                .arg(QString::fromUtf8(canValid), QString::fromUtf8(canInvalid))};
}

QString InstallationChecks::checkName(InstallationCheck check)
{
    switch (check) {
    case InstallationCheck::GnssFix:
        return tr("Местоположение GPS/ГЛОНАСС, не менее %1 спутников").arg(minSatellites);
    case InstallationCheck::GsmRegistered:
        return tr("Регистрация в сети GSM");
    case InstallationCheck::GprsActive:
        return tr("GPRS сервис активирован");
    case InstallationCheck::ServerAnswering:
        return tr("Соединение с сервером, ответ получен");
    case InstallationCheck::SupplyVoltage:
        return tr("Внешнее напряжение от %1 до %2 В")
            .arg(minSupplyMv / 1000)
            .arg(maxSupplyMv / 1000);
    case InstallationCheck::Inputs:
        return tr("Каждый настроенный вход передал состояние");
    case InstallationCheck::FuelSensors:
        return tr("Датчики уровня топлива отвечают");
    case InstallationCheck::OneWire:
        return tr("Устройства 1-Wire отвечают");
    case InstallationCheck::CanData:
        return tr("Данные CAN валидны");
    }
    return QString();
}

QString InstallationChecks::resultText(CheckResult result)
{
    switch (result) {
    case CheckResult::Passed:
        return tr("Пройдено");
    case CheckResult::Failed:
        return tr("Не пройдено");
    case CheckResult::NotSeen:
        return tr("Нет данных");
    }
    return QString();
}
