#include "report/core_installationchecks.h"

#include "settings/core_settingsstring.h"
#include "status/core_codes.h"

#include <QStringList>

#include <algorithm>

namespace {

// The RS485 codes of settings item 11, value 1.
constexpr int rs485FuelSensors = 5;
constexpr int rs485CanAdapter = 7;

// The records come at the line's full rate: the fields are read as bytes, without turning
// them into text, up to the first NUL as the pages read them.
QByteArray fieldBytes(const QByteArray &field)
{
    const int length = int(qstrnlen(field.constData(), uint(field.size())));
    return length == field.size() ? field : field.left(length);
}

// A field that holds a number, as a double; false when it holds none.
bool fieldNumber(const QByteArray &field, double *value)
{
    bool ok = false;
    *value = fieldBytes(field).trimmed().toDouble(&ok);
    return ok;
}

// The sensor number of a field that is exactly one of "0" .. count - 1; -1 otherwise.
int sensorNumber(const QByteArray &field, int count)
{
    const QByteArray number = fieldBytes(field);
    return number.size() == 1 && number.at(0) >= '0' && number.at(0) < '0' + count
               ? number.at(0) - '0'
               : -1;
}

// A 1-Wire address or key identifier that names a device: not empty, not all zeros.
bool namesDevice(const QByteArray &id)
{
    const QByteArray trimmed = fieldBytes(id).trimmed();
    return std::any_of(trimmed.cbegin(), trimmed.cend(), [](char c) { return c != '0'; });
}

QString volts(double millivolts)
{
    return QString::number(millivolts / 1000.0, 'f', 2);
}

} // namespace

const QVector<RecordKind> &InstallationChecks::observedKinds()
{
    static const QVector<RecordKind> kinds{
        RecordKind::Fix,         RecordKind::ModemState,  RecordKind::Power,
        RecordKind::Settings,    RecordKind::Input,       RecordKind::FuelSensors,
        RecordKind::OneWireTemp, RecordKind::OneWireKey,  RecordKind::CanProgram,
    };
    return kinds;
}

void InstallationChecks::reset()
{
    *this = InstallationChecks();
}

void InstallationChecks::observe(RecordKind kind, const RecordLine &r)
{
    switch (kind) {
    case RecordKind::Fix: {
        bool ok = false;
        const int satellites = fieldBytes(r.field[0]).trimmed().toInt(&ok);
        if (!ok)
            break;
        lastSatellites = satellites;
        bestSatellites = qMax(bestSatellites, satellites);
        break;
    }
    case RecordKind::ModemState: {
        bool ok = false;
        const uint state = fieldBytes(r.field[0]).toUInt(&ok, 10);
        if (!ok || state > 7)
            break;
        lastModemState = int(state);
        highestModemState = qMax(highestModemState, int(state));
        break;
    }
    case RecordKind::Power: {
        double mv = 0;
        if (!fieldNumber(r.field[0], &mv))
            break;
        minSupply = supplyReadings == 0 ? mv : qMin(minSupply, mv);
        maxSupply = supplyReadings == 0 ? mv : qMax(maxSupply, mv);
        lastSupply = mv;
        ++supplyReadings;
        if (mv < minSupplyMv || mv > maxSupplyMv)
            ++supplyOutOfRange;
        break;
    }
    case RecordKind::Settings:
        observeSettings(r);
        break;
    case RecordKind::Input: {
        // the same rule as the page: the third byte is the input's digit, 0 to 5
        const QByteArray name = recordNameText(r.name);
        const int row = name.size() == 3 ? name.at(2) - '0' : -1;
        if (row >= 0 && row < inputRows)
            inputSeen[size_t(row)] = true;
        break;
    }
    case RecordKind::FuelSensors: {
        const int n = sensorNumber(r.field[1], fuelSensorCount);
        if (n < 0)
            break;
        double level = 0;
        Report &report = fuelReports[size_t(n)];
        report.seen = true;
        report.answered = fieldNumber(r.field[2], &level) && level >= 0;
        report.value = fieldBytes(r.field[2]);
        break;
    }
    case RecordKind::OneWireTemp: {
        const int n = sensorNumber(r.field[0], thermoSensorCount);
        if (n < 0)
            break;
        double temperature = 0;
        Report &report = thermoReports[size_t(n)];
        report.seen = true;
        report.answered = namesDevice(r.field[1]) && fieldNumber(r.field[2], &temperature);
        report.value = fieldBytes(r.field[2]);
        break;
    }
    case RecordKind::OneWireKey:
        if (fieldBytes(r.field[0]) == "0" && namesDevice(r.field[1]))
            keyRead = fieldBytes(r.field[1]);
        break;
    case RecordKind::CanProgram:
        canSeen = true;
        canValid = fieldBytes(r.field[1]);
        canInvalid = fieldBytes(r.field[2]);
        break;
    default:
        break;
    }
}

void InstallationChecks::observeSettings(const RecordLine &r)
{
    for (const SettingsItem &item : splitSettingsItems(settingsRecordText(r.field[0]))) {
        if (!item.hasValues)
            continue;
        if (item.number == 9 && item.values.size() >= configurableInputs) {
            inputModesKnown = true;
            for (int k = 0; k < configurableInputs; ++k)
                inputModes[size_t(k)] = inputEntryForModeLetter(item.values.at(k));
        } else if (item.number == 11 && !item.values.isEmpty()) {
            int code = 0;
            rs485Code = parseSettingsNumber(item.values.at(0), &code) ? code : -1;
        }
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
    for (int row = 0; row < inputRows; ++row)
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
        const QString name = QStringLiteral("IN%1 (%2)").arg(k).arg(mode);
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
    for (int n = 0; n < fuelSensorCount; ++n) {
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
    for (int n = 0; n < thermoSensorCount; ++n) {
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
    bool ok = false;
    const qulonglong valid = canValid.trimmed().toULongLong(&ok);
    return {c, ok && valid > 0 ? CheckResult::Passed : CheckResult::Failed,
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
