#include "link/recordnames.h"

#include <cstring>

QByteArray recordNameText(const QByteArray &name)
{
    const int nul = name.indexOf('\0');
    return nul < 0 ? name : name.left(nul);
}

namespace {
struct NamedKind
{
    const char *name;
    RecordKind kind;
};

// Tested in this order; the first match wins.
const NamedKind leadingNames[] = {
    {"ST", RecordKind::Settings},      {"DI", RecordKind::Identity},
    {"DN", RecordKind::SerialNumber},  {"DF", RecordKind::Tasks},
    {"MN", RecordKind::Imei},          {"TW", RecordKind::Clock},
    {"RW", RecordKind::Packets},       {"DS", RecordKind::DeviceStatus},
    {"PB", RecordKind::Power},         {"C#", RecordKind::CanProgram},
    {"CA", RecordKind::CanEngineHours}, {"CB", RecordKind::CanEngineHours},
    {"CC", RecordKind::CanMileage},    {"CD", RecordKind::CanMileage},
    {"CE", RecordKind::CanFuelUsed},   {"CF", RecordKind::CanFuelUsed},
    {"CG", RecordKind::CanFuelPercent}, {"CR", RecordKind::CanFuelLitres},
    {"CH", RecordKind::CanEngineSpeed}, {"CI", RecordKind::CanEngineTemp},
    {"CJ", RecordKind::CanSpeed},      {"CP", RecordKind::CanWarning},
    {"CS", RecordKind::CanSecurity},   {"CK", RecordKind::CanAxle1},
    {"CL", RecordKind::CanAxle2},      {"CM", RecordKind::CanAxle3},
    {"CN", RecordKind::CanAxle4},      {"CO", RecordKind::CanAxle5},
    {"CU", RecordKind::CanCU},         {"CV", RecordKind::CanAdBlue},
    {"LLS", RecordKind::FuelSensors},  {"OWT", RecordKind::OneWireTemp},
    {"OWK", RecordKind::OneWireKey},
};

const NamedKind trailingNames[] = {
    {"GK", RecordKind::Position},  {"GS", RecordKind::Fix},
    {"MS", RecordKind::ModemState}, {"ML", RecordKind::Signal},
    {"APN", RecordKind::Apn},      {"MO", RecordKind::Operator},
    {"MD", RecordKind::Server},    {"SMS", RecordKind::Sms},
    {"RD", RecordKind::Restart},
};
} // namespace

RecordKind classifyRecord(const QByteArray &rawName)
{
    const QByteArray name = recordNameText(rawName);
    for (const NamedKind &n : leadingNames)
        if (name == n.name)
            return n.kind;

    if (name.size() == 3) {
        if (name[0] == 'O' && (name[1] == '1' || name[1] == '2'))
            return (name[2] == '4' || name[2] == '5') ? RecordKind::Output : RecordKind::Unknown;
        if (name[0] == 'I')
            return RecordKind::Input;
    }

    for (const NamedKind &n : trailingNames)
        if (name == n.name)
            return n.kind;
    return RecordKind::Unknown;
}
