#include "mainwindow/mainwindow.h"

#include "link/recordnames.h"
#include "settings/settingspage.h"

void MainWindow::dispatchRecord(const QByteArray &name, const QByteArray &field1,
                                const QByteArray &field2, const QByteArray &field3,
                                const QByteArray &field4, const QByteArray &field5)
{
    router.dispatch(RecordLine{name, {field1, field2, field3, field4, field5}});
}

void MainWindow::routeRecords()
{
    settingsPage->registerRoutes(router);
    router.route(RecordKind::Identity, [this](const RecordLine &r) { decodeDI(r); });
    router.route(RecordKind::SerialNumber, [this](const RecordLine &r) { decodeDN(r); });
    router.route(RecordKind::Tasks, [this](const RecordLine &r) { decodeDF(r); });
    router.route(RecordKind::Imei, [this](const RecordLine &r) { decodeMN(r); });
    router.route(RecordKind::Clock, [this](const RecordLine &r) { decodeTW(r); });
    router.route(RecordKind::Packets, [this](const RecordLine &r) { decodeRW(r); });
    router.route(RecordKind::DeviceStatus, [this](const RecordLine &r) { decodeDS(r); });
    router.route(RecordKind::Power, [this](const RecordLine &r) { decodePB(r); });
    router.route(RecordKind::CanProgram, [this](const RecordLine &r) { decodeCanProgram(r); });
    router.route(RecordKind::CanEngineHours, [this](const RecordLine &r) { decodeCanEngineHours(r); });
    router.route(RecordKind::CanMileage, [this](const RecordLine &r) { decodeCanMileage(r); });
    router.route(RecordKind::CanFuelUsed, [this](const RecordLine &r) { decodeCanFuelUsed(r); });
    router.route(RecordKind::CanFuelPercent, [this](const RecordLine &r) { decodeCG(r); });
    router.route(RecordKind::CanFuelLitres, [this](const RecordLine &r) { decodeCR(r); });
    router.route(RecordKind::CanEngineSpeed, [this](const RecordLine &r) { decodeCH(r); });
    router.route(RecordKind::CanEngineTemp, [this](const RecordLine &r) { decodeCI(r); });
    router.route(RecordKind::CanSpeed, [this](const RecordLine &r) { decodeCJ(r); });
    router.route(RecordKind::CanWarning, [this](const RecordLine &r) { decodeCP(r); });
    router.route(RecordKind::CanSecurity, [this](const RecordLine &r) { decodeCS(r); });
    router.route(RecordKind::CanAxle1, [this](const RecordLine &r) { decodeCanAxle(1, r); });
    router.route(RecordKind::CanAxle2, [this](const RecordLine &r) { decodeCanAxle(2, r); });
    router.route(RecordKind::CanAxle3, [this](const RecordLine &r) { decodeCanAxle(3, r); });
    router.route(RecordKind::CanAxle4, [this](const RecordLine &r) { decodeCanAxle(4, r); });
    router.route(RecordKind::CanAxle5, [this](const RecordLine &r) { decodeCanAxle(5, r); });
    router.route(RecordKind::CanCU, [this](const RecordLine &r) { decodeCU(r); });
    router.route(RecordKind::CanAdBlue, [this](const RecordLine &r) { decodeCV(r); });
    router.route(RecordKind::FuelSensors, [this](const RecordLine &r) { decodeLLS(r); });
    router.route(RecordKind::OneWireTemp, [this](const RecordLine &r) { decodeOWT(r); });
    router.route(RecordKind::OneWireKey, [this](const RecordLine &r) { decodeOWK(r); });
    router.route(RecordKind::Output, [this](const RecordLine &r) { decodeOutput(r); });
    router.route(RecordKind::Input, [this](const RecordLine &r) { decodeInput(r); });
    router.route(RecordKind::Position, [this](const RecordLine &r) { decodeGK(r); });
    router.route(RecordKind::Fix, [this](const RecordLine &r) { decodeGS(r); });
    router.route(RecordKind::ModemState, [this](const RecordLine &r) { decodeMS(r); });
    router.route(RecordKind::Signal, [this](const RecordLine &r) { decodeML(r); });
    router.route(RecordKind::Apn, [this](const RecordLine &r) { decodeAPN(r); });
    router.route(RecordKind::Operator, [this](const RecordLine &r) { decodeMO(r); });
    router.route(RecordKind::Server, [this](const RecordLine &r) { decodeMD(r); });
    router.route(RecordKind::Sms, [this](const RecordLine &r) { decodeSMS(r); });
    router.route(RecordKind::Restart, [this](const RecordLine &r) { decodeRD(r); });
}
