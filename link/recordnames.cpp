#include "link/recordnames.h"

#include <QtGlobal>

QByteArray recordNameText(const QByteArray &name)
{
    const int nul = name.indexOf('\0');
    return nul < 0 ? name : name.left(nul);
}

namespace {
constexpr unsigned two(char a, char b)
{
    return unsigned(uchar(a)) << 8 | uchar(b);
}
constexpr unsigned three(char a, char b, char c)
{
    return unsigned(uchar(a)) << 16 | unsigned(uchar(b)) << 8 | uchar(c);
}
} // namespace

// The names are told apart by their length and their characters taken as one number; no
// name is a prefix of another of the same length, so the order they were once tested in
// makes no difference.
RecordKind classifyRecord(const QByteArray &rawName)
{
    const char *n = rawName.constData();
    const int size = int(qstrnlen(n, uint(rawName.size())));   // up to the first NUL
    if (size == 2) {
        switch (two(n[0], n[1])) {
        case two('S', 'T'): return RecordKind::Settings;
        case two('D', 'I'): return RecordKind::Identity;
        case two('D', 'N'): return RecordKind::SerialNumber;
        case two('D', 'F'): return RecordKind::Tasks;
        case two('M', 'N'): return RecordKind::Imei;
        case two('T', 'W'): return RecordKind::Clock;
        case two('R', 'W'): return RecordKind::Packets;
        case two('D', 'S'): return RecordKind::DeviceStatus;
        case two('P', 'B'): return RecordKind::Power;
        case two('C', '#'): return RecordKind::CanProgram;
        case two('C', 'A'):
        case two('C', 'B'): return RecordKind::CanEngineHours;
        case two('C', 'C'):
        case two('C', 'D'): return RecordKind::CanMileage;
        case two('C', 'E'):
        case two('C', 'F'): return RecordKind::CanFuelUsed;
        case two('C', 'G'): return RecordKind::CanFuelPercent;
        case two('C', 'R'): return RecordKind::CanFuelLitres;
        case two('C', 'H'): return RecordKind::CanEngineSpeed;
        case two('C', 'I'): return RecordKind::CanEngineTemp;
        case two('C', 'J'): return RecordKind::CanSpeed;
        case two('C', 'P'): return RecordKind::CanWarning;
        case two('C', 'S'): return RecordKind::CanSecurity;
        case two('C', 'K'): return RecordKind::CanAxle1;
        case two('C', 'L'): return RecordKind::CanAxle2;
        case two('C', 'M'): return RecordKind::CanAxle3;
        case two('C', 'N'): return RecordKind::CanAxle4;
        case two('C', 'O'): return RecordKind::CanAxle5;
        case two('C', 'U'): return RecordKind::CanCU;
        case two('C', 'V'): return RecordKind::CanAdBlue;
        case two('G', 'K'): return RecordKind::Position;
        case two('G', 'S'): return RecordKind::Fix;
        case two('M', 'S'): return RecordKind::ModemState;
        case two('M', 'L'): return RecordKind::Signal;
        case two('M', 'O'): return RecordKind::Operator;
        case two('M', 'D'): return RecordKind::Server;
        case two('R', 'D'): return RecordKind::Restart;
        default: return RecordKind::Unknown;
        }
    }
    if (size == 3) {
        switch (three(n[0], n[1], n[2])) {
        case three('L', 'L', 'S'): return RecordKind::FuelSensors;
        case three('O', 'W', 'T'): return RecordKind::OneWireTemp;
        case three('O', 'W', 'K'): return RecordKind::OneWireKey;
        case three('A', 'P', 'N'): return RecordKind::Apn;
        case three('S', 'M', 'S'): return RecordKind::Sms;
        default: break;
        }
        // O1 or O2 with 4 or 5: an output; I with any type letter and digit: an input
        if (n[0] == 'O' && (n[1] == '1' || n[1] == '2'))
            return (n[2] == '4' || n[2] == '5') ? RecordKind::Output : RecordKind::Unknown;
        if (n[0] == 'I')
            return RecordKind::Input;
    }
    return RecordKind::Unknown;
}
