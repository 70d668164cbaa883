#include "mainwindow/mainwindow.h"

#include "link/recordnames.h"

void MainWindow::dispatchRecord(const QByteArray &name, const QByteArray &field1,
                                const QByteArray &field2, const QByteArray &field3,
                                const QByteArray &field4, const QByteArray &field5)
{
    const RecordLine r{name, {field1, field2, field3, field4, field5}};
    switch (classifyRecord(name)) {
    case RecordKind::Unknown: break;
    case RecordKind::Settings: decodeST(r); break;
    case RecordKind::Identity: decodeDI(r); break;
    case RecordKind::SerialNumber: decodeDN(r); break;
    case RecordKind::Tasks: decodeDF(r); break;
    case RecordKind::Imei: decodeMN(r); break;
    case RecordKind::Clock: decodeTW(r); break;
    case RecordKind::Packets: decodeRW(r); break;
    case RecordKind::DeviceStatus: decodeDS(r); break;
    case RecordKind::Power: decodePB(r); break;
    case RecordKind::CanProgram: decodeCanProgram(r); break;
    case RecordKind::CanEngineHours: decodeCanEngineHours(r); break;
    case RecordKind::CanMileage: decodeCanMileage(r); break;
    case RecordKind::CanFuelUsed: decodeCanFuelUsed(r); break;
    case RecordKind::CanFuelPercent: decodeCG(r); break;
    case RecordKind::CanFuelLitres: decodeCR(r); break;
    case RecordKind::CanEngineSpeed: decodeCH(r); break;
    case RecordKind::CanEngineTemp: decodeCI(r); break;
    case RecordKind::CanSpeed: decodeCJ(r); break;
    case RecordKind::CanWarning: decodeCP(r); break;
    case RecordKind::CanSecurity: decodeCS(r); break;
    case RecordKind::CanAxle1: decodeCanAxle(1, r); break;
    case RecordKind::CanAxle2: decodeCanAxle(2, r); break;
    case RecordKind::CanAxle3: decodeCanAxle(3, r); break;
    case RecordKind::CanAxle4: decodeCanAxle(4, r); break;
    case RecordKind::CanAxle5: decodeCanAxle(5, r); break;
    case RecordKind::CanCU: decodeCU(r); break;
    case RecordKind::CanAdBlue: decodeCV(r); break;
    case RecordKind::FuelSensors: decodeLLS(r); break;
    case RecordKind::OneWireTemp: decodeOWT(r); break;
    case RecordKind::OneWireKey: decodeOWK(r); break;
    case RecordKind::Output: decodeOutput(r); break;
    case RecordKind::Input: decodeInput(r); break;
    case RecordKind::Position: decodeGK(r); break;
    case RecordKind::Fix: decodeGS(r); break;
    case RecordKind::ModemState: decodeMS(r); break;
    case RecordKind::Signal: decodeML(r); break;
    case RecordKind::Apn: decodeAPN(r); break;
    case RecordKind::Operator: decodeMO(r); break;
    case RecordKind::Server: decodeMD(r); break;
    case RecordKind::Sms: decodeSMS(r); break;
    case RecordKind::Restart: decodeRD(r); break;
    }
}
