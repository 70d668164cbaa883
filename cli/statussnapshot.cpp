#include "cli/statussnapshot.h"

#include "link/recordrouter.h"
#include "status/core_codes.h"
#include "status/core_numbers.h"
#include "status/core_records.h"

#include <QDateTime>
#include <QJsonArray>
#include <QLocale>
#include <QStringList>

#include <cmath>

namespace {

// A number, or nothing when the decoder has none (or it is not finite: JSON has no form for it).
template <typename Number>
void putNumber(QJsonObject &object, const char *key, const std::optional<Number> &value)
{
    if (value && std::isfinite(double(*value)))
        object.insert(QLatin1String(key), double(*value));
}

// A text as received, as the page shows it (up to a NUL); nothing when it is empty.
void putText(QJsonObject &object, const char *key, const QByteArray &text)
{
    if (!fieldIsEmpty(text))
        object.insert(QLatin1String(key), fieldText(text));
}

QJsonArray byNumber(const QMap<int, QJsonObject> &items)
{
    QJsonArray array;
    for (const QJsonObject &item : items)
        array.append(item);
    return array;
}

// A number as JSON writes it: whole numbers in full, others in their shortest form.
QString numberText(double d)
{
    constexpr double exact = 9007199254740992.0;   // 2^53
    if (d == std::floor(d) && std::fabs(d) <= exact)
        return QString::number(qint64(d));
    return QString::number(d, 'g', QLocale::FloatingPointShortest);
}

void flatten(const QString &prefix, const QJsonValue &value, QStringList &lines)
{
    const QString dot = prefix.isEmpty() ? QString() : prefix + QLatin1Char('.');
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            flatten(dot + it.key(), it.value(), lines);
    } else if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (int i = 0; i < array.size(); ++i)
            flatten(dot + QString::number(i), array.at(i), lines);
    } else if (value.isBool()) {
        lines << prefix + QLatin1Char('\t')
                     + (value.toBool() ? QStringLiteral("true") : QStringLiteral("false"));
    } else if (value.isDouble()) {
        lines << prefix + QLatin1Char('\t') + numberText(value.toDouble());
    } else {
        lines << prefix + QLatin1Char('\t') + value.toString();
    }
}

} // namespace

void StatusSnapshot::registerRoutes(RecordRouter &router)
{
    router.route(RecordKind::Tasks, decodeTasks, [this](const TasksRecord &t) {
        QJsonObject o;
        putNumber(o, "settings", t.settingsTask);
        putNumber(o, "firmware", t.firmwareTask);
        put(QStringLiteral("tasks"), o);
    });
    router.route(RecordKind::Clock, decodeClock, [this](const ClockRecord &c) {
        QJsonObject o;
        putNumber(o, "time", c.clock);
        if (c.clock) {
            o.insert(QStringLiteral("utc"), QDateTime::fromSecsSinceEpoch(qint64(*c.clock), Qt::UTC)
                                                .toString(Qt::ISODate));
        }
        putNumber(o, "runningSeconds", c.runningSeconds);
        put(QStringLiteral("clock"), o);
    });
    router.route(RecordKind::Packets, decodePackets, [this](const PacketsRecord &p) {
        QJsonObject o;
        putNumber(o, "sent", p.sent);
        putNumber(o, "written", p.written);
        put(QStringLiteral("packets"), o);
    });
    router.route(RecordKind::DeviceStatus, decodeDeviceStatus,
                 [this](const std::optional<quint32> &word) {
                     if (word)
                         put(QStringLiteral("deviceStatus"), double(*word));
                 });
    router.route(RecordKind::Power, decodePower, [this](const PowerRecord &p) {
        QJsonObject o;
        putNumber(o, "supplyMv", p.supplyMv);
        putNumber(o, "batteryMv", p.batteryMv);
        put(QStringLiteral("power"), o);
    });
    router.route(RecordKind::Position, decodePosition,
                 [this](const std::optional<PositionRecord> &p) {
                     if (!p)
                         return;
                     QJsonObject o;
                     putNumber(o, "latitude", std::optional<double>(p->latitude));
                     putNumber(o, "longitude", p->longitude);
                     put(QStringLiteral("position"), o);
                 });
    router.route(RecordKind::Fix, decodeFix, [this](const FixRecord &f) {
        QJsonObject o;
        putNumber(o, "satellites", f.satellites);
        putNumber(o, "speed", f.speed);
        putNumber(o, "altitude", f.altitude);
        putNumber(o, "course", f.course);
        putNumber(o, "hdop", f.hdop);
        put(QStringLiteral("fix"), o);
    });
    router.route(RecordKind::ModemState, decodeModemState, [this](const ModemStateRecord &m) {
        QJsonObject o;
        putNumber(o, "state", m.state);
        put(QStringLiteral("modem"), o);
    });
    router.route(RecordKind::Signal, decodeSignal, [this](const SignalRecord &s) {
        QJsonObject o;
        putNumber(o, "level", s.level);
        putText(o, "mcc", s.mccText);
        putText(o, "mnc", s.mncText);
        if (const char *name = operatorName(s.operatorCode()))
            o.insert(QStringLiteral("operator"), QString::fromUtf8(name));
        put(QStringLiteral("signal"), o);
    });
    // the APN's password stays out, as it does of the installation report
    router.route(RecordKind::Apn, decodeApn, [this](const ApnRecord &a) {
        QJsonObject o;
        putText(o, "apn", a.apnText);
        putText(o, "login", a.loginText);
        put(QStringLiteral("apn"), o);
    });
    router.route(RecordKind::Operator, decodeOperator, [this](const OperatorRecord &op) {
        QJsonObject o;
        putText(o, "name", op.nameText);
        putText(o, "network", op.networkText);
        put(QStringLiteral("operator"), o);
    });
    router.route(RecordKind::Server, decodeServer, [this](const ServerRecord &s) {
        QJsonObject o;
        putText(o, "host", s.hostText);
        putNumber(o, "port", s.port);
        putNumber(o, "sessions", s.sessions);
        put(QStringLiteral("server"), o);
    });
    router.route(RecordKind::Sms, decodeSms, [this](const SmsRecord &s) {
        QJsonObject o;
        putNumber(o, "received", s.received);
        putNumber(o, "valid", s.valid);
        putNumber(o, "sent", s.sent);
        put(QStringLiteral("sms"), o);
    });

    // ---- CAN
    router.route(RecordKind::CanProgram, decodeCanCounts, [this](const CanCountsRecord &c) {
        QJsonObject part;
        putText(part, "program", c.programText);
        putNumber(part, "valid", c.valid);
        putNumber(part, "invalid", c.invalid);
        changedCan(part);
    });
    const struct
    {
        RecordKind kind;
        const char *key;
    } canValues[] = {
        {RecordKind::CanEngineHours, "engineHours"},
        {RecordKind::CanMileage, "mileage"},
        {RecordKind::CanFuelUsed, "fuelUsed"},
        {RecordKind::CanFuelPercent, "fuelLevelPercent"},
        {RecordKind::CanFuelLitres, "fuelLevelLitres"},
        {RecordKind::CanEngineSpeed, "engineSpeed"},
        {RecordKind::CanEngineTemp, "engineTemperature"},
        {RecordKind::CanSpeed, "speed"},
        {RecordKind::CanAxle1, "axle1Load"},
        {RecordKind::CanAxle2, "axle2Load"},
        {RecordKind::CanAxle3, "axle3Load"},
        {RecordKind::CanAxle4, "axle4Load"},
        {RecordKind::CanAxle5, "axle5Load"},
        {RecordKind::CanCU, "cu"},
        {RecordKind::CanAdBlue, "adBlueLevel"},
    };
    for (const auto &row : canValues) {
        const char *key = row.key;
        router.route(row.kind,
                     [kind = row.kind](const RecordLine &r) { return decodeCanValue(kind, r); },
                     [this, key](const CanValueRecord &v) {
                         QJsonObject part;
                         putNumber(part, key, v.value());
                         changedCan(part);
                     });
    }
    router.route(RecordKind::CanWarning, decodeCanCode, [this](const CanCodeRecord &c) {
        QJsonObject part;
        part.insert(QLatin1String("warningLamps"), c.code);
        changedCan(part);
    });
    router.route(RecordKind::CanSecurity, decodeCanCode, [this](const CanCodeRecord &c) {
        QJsonObject part;
        part.insert(QLatin1String("security"), c.code);
        changedCan(part);
    });

    // ---- sensors, inputs and outputs
    router.route(RecordKind::FuelSensors, decodeFuelSensor,
                 [this](const std::optional<FuelSensorRecord> &s) {
                     if (!s)
                         return;
                     QJsonObject o;
                     o.insert(QLatin1String("sensor"), s->sensor);
                     putNumber(o, "level", s->level);
                     putNumber(o, "temperature", s->temperature);
                     fuelSensors.insert(s->sensor, o);
                     changed(QStringLiteral("fuelSensors"), o);
                 });
    router.route(RecordKind::OneWireTemp, decodeThermometer,
                 [this](const std::optional<ThermometerRecord> &t) {
                     if (!t)
                         return;
                     QJsonObject o;
                     o.insert(QLatin1String("sensor"), t->sensor);
                     putText(o, "address", t->addressText);
                     putNumber(o, "temperature", t->temperature);
                     thermometers.insert(t->sensor, o);
                     changed(QStringLiteral("thermometers"), o);
                 });
    router.route(RecordKind::OneWireKey, decodeKey, [this](const std::optional<KeyRecord> &k) {
        if (!k)
            return;
        QJsonObject o;
        o.insert(QLatin1String("present"), k->namesDevice);
        putText(o, "id", k->idText);
        put(QStringLiteral("key"), o);
    });
    router.route(RecordKind::Input, decodeInputState, [this](const std::optional<InputRecord> &i) {
        if (!i)
            return;
        // (keys as Latin-1: the object is made for every input record)
        QJsonObject o;
        o.insert(QLatin1String("closed"), i->closed);
        o.insert(QLatin1String("input"), i->input);
        o.insert(QLatin1String("type"), QString(QLatin1Char(i->type)));
        putNumber(o, "value", i->value);
        inputs.insert(i->input, o);
        changed(QStringLiteral("inputs"), o);
    });
    router.route(RecordKind::Output, decodeOutputState,
                 [this](const std::optional<OutputRecord> &out) {
                     if (!out)
                         return;
                     QJsonObject o;
                     o.insert(QLatin1String("input"), out->input);
                     o.insert(QLatin1String("on"), out->on);
                     outputs.insert(out->input, o);
                     changed(QStringLiteral("outputs"), o);
                 });
}

void StatusSnapshot::put(const QString &key, const QJsonValue &value)
{
    values.insert(key, value);
    changed(key, value);
}

void StatusSnapshot::changed(const QString &key, const QJsonValue &value)
{
    lastKey = key;
    lastValue = value;
}

void StatusSnapshot::changedCan(const QJsonObject &part)
{
    // a value the record does not give keeps the last one
    for (auto it = part.begin(); it != part.end(); ++it)
        can.insert(it.key(), it.value());
    changed(QStringLiteral("can"), part);
}

QJsonObject StatusSnapshot::json() const
{
    QJsonObject all;
    for (auto it = values.begin(); it != values.end(); ++it)
        all.insert(it.key(), it.value());
    if (!can.isEmpty()) {
        QJsonObject canObject;
        for (auto it = can.begin(); it != can.end(); ++it)
            canObject.insert(it.key(), it.value());
        all.insert(QStringLiteral("can"), canObject);
    }
    const std::pair<const char *, const QMap<int, QJsonObject> &> lists[] = {
        {"fuelSensors", fuelSensors},
        {"thermometers", thermometers},
        {"inputs", inputs},
        {"outputs", outputs}};
    for (const auto &list : lists) {
        if (!list.second.isEmpty())
            all.insert(QLatin1String(list.first), byNumber(list.second));
    }
    return all;
}

QStringList flattenedLines(const QJsonObject &object)
{
    QStringList lines;
    flatten(QString(), object, lines);
    return lines;
}
