#pragma once

#include <QByteArray>

// The record names the terminal sends, in the order the dispatcher tests them.
enum class RecordKind {
    Unknown,
    Settings,        // ST
    Identity,        // DI
    SerialNumber,    // DN
    Tasks,           // DF
    Imei,            // MN
    Clock,           // TW
    Packets,         // RW
    DeviceStatus,    // DS
    Power,           // PB
    CanProgram,      // C#
    CanEngineHours,  // CA, CB
    CanMileage,      // CC, CD
    CanFuelUsed,     // CE, CF
    CanFuelPercent,  // CG
    CanFuelLitres,   // CR
    CanEngineSpeed,  // CH
    CanEngineTemp,   // CI
    CanSpeed,        // CJ
    CanWarning,      // CP
    CanSecurity,     // CS
    CanAxle1,        // CK
    CanAxle2,        // CL
    CanAxle3,        // CM
    CanAxle4,        // CN
    CanAxle5,        // CO
    CanCU,           // CU
    CanAdBlue,       // CV
    FuelSensors,     // LLS
    OneWireTemp,     // OWT
    OneWireKey,      // OWK
    Output,          // O, 1|2, 4|5
    Input,           // I, type letter, digit
    Position,        // GK
    Fix,             // GS
    ModemState,      // MS
    Signal,          // ML
    Apn,             // APN
    Operator,        // MO
    Server,          // MD
    Sms,             // SMS
    Restart          // RD
};

// The name as text: the bytes up to the first NUL.
QByteArray recordNameText(const QByteArray &name);

// Which decoder owns the record name; names are tested in a fixed order, case-sensitively.
RecordKind classifyRecord(const QByteArray &name);
