#include "status/core_records.h"

#include "status/core_numbers.h"

// The records come at the line's full rate, and each consumer decodes the records it reads:
// nothing here allocates. The text fields are shared copies of the received ones, and the
// numbers are read by Qt's parsers in place (the fields are NUL-terminated).

namespace {

std::optional<quint32> count(const QByteArray &field)
{
    // most counts are a few plain digits: read at once, the same value Qt's parser gives
    const int size = field.size();
    if (size > 0 && size <= 9) {
        const char *p = field.constData();
        quint32 value = 0;
        int i = 0;
        for (; i < size && p[i] >= '0' && p[i] <= '9'; ++i)
            value = value * 10u + quint32(p[i] - '0');
        if (i == size)
            return value;
    }
    bool ok = false;
    const quint32 value = field.toUInt(&ok, 10);
    return ok ? std::optional<quint32>(value) : std::nullopt;
}

std::optional<quint64> wideCount(const QByteArray &field)
{
    bool ok = false;
    const quint64 value = field.toULongLong(&ok, 10);
    return ok ? std::optional<quint64>(value) : std::nullopt;
}

std::optional<double> real(const QByteArray &field)
{
    bool ok = false;
    const double value = field.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// The number n when the field's text (up to a NUL) is exactly one of "0" .. "limit-1",
// otherwise -1.
int indexField(const QByteArray &field, int limit)
{
    const char *p = field.constData();
    const int length = int(qstrnlen(p, uint(field.size())));
    return length == 1 && p[0] >= '0' && p[0] < '0' + limit ? p[0] - '0' : -1;
}

// What the received number of a CAN value is divided by.
double canValueDivisor(RecordKind kind)
{
    switch (kind) {
    case RecordKind::CanEngineHours:
    case RecordKind::CanMileage:
        return 100.0;
    case RecordKind::CanFuelUsed:
    case RecordKind::CanFuelPercent:
    case RecordKind::CanFuelLitres:
        return 10.0;
    default:
        return 1.0;
    }
}

bool isBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// A name's length up to its first NUL, as the router classified it.
int nameLength(const QByteArray &name)
{
    return int(qstrnlen(name.constData(), uint(name.size())));
}

} // namespace

PowerRecord decodePower(const RecordLine &r)
{
    return {r.field[0], r.field[1], real(r.field[0]), real(r.field[1])};
}

ClockRecord decodeClock(const RecordLine &r)
{
    return {count(r.field[0]), count(r.field[1])};
}

PacketsRecord decodePackets(const RecordLine &r)
{
    return {r.field[0], r.field[1], count(r.field[0]), count(r.field[1])};
}

TasksRecord decodeTasks(const RecordLine &r)
{
    return {count(r.field[0]), count(r.field[1])};
}

std::optional<quint32> decodeDeviceStatus(const RecordLine &r)
{
    return count(r.field[0]);
}

FixRecord decodeFix(const RecordLine &r)
{
    FixRecord f{r.field[0],        r.field[1],       r.field[2],       r.field[4],
                count(r.field[0]), real(r.field[1]), real(r.field[3]), real(r.field[2]),
                real(r.field[4])};
    if (f.hdop)
        *f.hdop /= 10.0;
    return f;
}

std::optional<PositionRecord> decodePosition(const RecordLine &r)
{
    const auto coordinate = [](const QByteArray &field) {
        const std::optional<double> value = real(field);
        return value && *value != 0.0 ? value : std::nullopt;
    };
    const std::optional<double> latitude = coordinate(r.field[0]);
    if (!latitude)
        return std::nullopt;
    const std::optional<double> longitude = coordinate(r.field[1]);
    return PositionRecord{r.field[0], r.field[1], longitude.has_value(), *latitude, longitude};
}

ModemStateRecord decodeModemState(const RecordLine &r)
{
    ModemStateRecord m;
    m.reported = r.field[0].toInt(nullptr, 10);
    const std::optional<quint32> state = count(r.field[0]);
    if (state && *state <= 7)
        m.state = int(*state);
    return m;
}

quint32 SignalRecord::operatorCode() const
{
    return ::operatorCode(mccText, mncText);
}

SignalRecord decodeSignal(const RecordLine &r)
{
    return {count(r.field[0]), r.field[1], r.field[2]};
}

ApnRecord decodeApn(const RecordLine &r)
{
    return {r.field[0], r.field[1], r.field[2]};
}

OperatorRecord decodeOperator(const RecordLine &r)
{
    return {r.field[0], r.field[1]};
}

ServerRecord decodeServer(const RecordLine &r)
{
    return {r.field[0], r.field[1], r.field[2], count(r.field[1]), count(r.field[2])};
}

SmsRecord decodeSms(const RecordLine &r)
{
    return {r.field[0],        r.field[1],        r.field[2],
            count(r.field[0]), count(r.field[1]), count(r.field[2])};
}

CanCountsRecord decodeCanCounts(const RecordLine &r)
{
    return {r.field[0], r.field[1], r.field[2], wideCount(r.field[1]), wideCount(r.field[2])};
}

CanValueRecord decodeCanValue(RecordKind kind, const RecordLine &r)
{
    return {r.field[0], canValueDivisor(kind)};
}

std::optional<double> CanValueRecord::value() const
{
    std::optional<double> v = real(text);
    if (v)
        *v /= divisor;
    return v;
}

CanCodeRecord decodeCanCode(const RecordLine &r)
{
    return {r.field[0], leadingInt(r.field[0])};
}

std::optional<FuelSensorRecord> decodeFuelSensor(const RecordLine &r)
{
    const int sensor = indexField(r.field[1], FuelSensorCount);
    if (sensor < 0)
        return std::nullopt;
    return FuelSensorRecord{sensor, r.field[2], r.field[3], real(r.field[2]), real(r.field[3])};
}

std::optional<ThermometerRecord> decodeThermometer(const RecordLine &r)
{
    const int sensor = indexField(r.field[0], ThermometerCount);
    if (sensor < 0)
        return std::nullopt;
    return ThermometerRecord{sensor, r.field[1], r.field[2], namesDevice(r.field[1]),
                             real(r.field[2])};
}

std::optional<KeyRecord> decodeKey(const RecordLine &r)
{
    if (indexField(r.field[0], 1) != 0)
        return std::nullopt;
    return KeyRecord{r.field[1], namesDevice(r.field[1])};
}

bool namesDevice(const QByteArray &id)
{
    const char *begin = id.constData();
    const char *end = begin + qstrnlen(begin, uint(id.size()));
    while (begin < end && isBlank(*begin))
        ++begin;
    while (end > begin && isBlank(end[-1]))
        --end;
    for (; begin < end; ++begin)
        if (*begin != '0')
            return true;
    return false;
}

std::optional<InputRecord> decodeInputState(const RecordLine &r)
{
    if (nameLength(r.name) != 3)
        return std::nullopt;
    const char digit = r.name.at(2);
    if (digit < '0' || digit >= '0' + InputLineCount)
        return std::nullopt;
    return InputRecord{digit - '0', r.name.at(1), r.field[0], r.field[0].toInt(nullptr, 10) == 1,
                       real(r.field[0])};
}

std::optional<OutputRecord> decodeOutputState(const RecordLine &r)
{
    if (nameLength(r.name) != 3)
        return std::nullopt;
    const char digit = r.name.at(2);
    if (digit != '4' && digit != '5')
        return std::nullopt;
    return OutputRecord{digit - '0', r.field[0].toInt(nullptr, 10) == 1};
}
