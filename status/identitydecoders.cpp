// Identity and state records: model and firmware, serial number, IMEI, update tasks, clock,
// packet counters, hardware statuses and supply voltages.
#include "status/statuspage.h"
#include "status/fieldtext.h"

#include "link/devicemodel.h"
#include "link/framing.h"
#include "status/core_codes.h"
#include "status/core_numbers.h"
#include "status/core_records.h"

#include <QDateTime>
#include <QMessageBox>

namespace {
// The oldest firmware the program works with, as major * 100 + minor (0.64).
constexpr quint64 OldestSupportedFirmware = 64;
} // namespace

void StatusPage::decodeDI(const RecordLine &r)
{
    bool ok = false;
    const unsigned int model = r.field[0].toUInt(&ok, 10);
    if (!ok)
        return;
    deviceModelCode = model;
    if (const char *text = modelText(model))
        setFieldText(modelEdit, QString::fromLatin1(text));
    // only the tachograph terminal offers its file download; no other model takes it back
    if (model == TachographModelCode)
        emit tachographAvailable(true);
    setFieldText(firmwareVersionEdit, fieldText(r.field[1] + '.' + r.field[2]));

    // a part that is not a number counts as 0
    const quint64 version = quint64(r.field[1].toUInt(nullptr, 10)) * 100u
                            + r.field[2].toUInt(nullptr, 10);
    if (version < OldestSupportedFirmware && deviceModelCode == 0) {
        QMessageBox box(QMessageBox::Information, tr("Внимание"),
                        tr("Версия ПО устройства устарела\r\nТребуется версия ПО не ниже 0.64"),
                        QMessageBox::Ok, window());
        FieldBatch::flush();   // the fields show their values before the box opens
        box.exec();
    }
}

void StatusPage::decodeDN(const RecordLine &r)
{
    setFieldText(serialNumberEdit, fieldText(r.field[0]));
}

void StatusPage::decodeDF(const RecordLine &r)
{
    const TasksRecord tasks = decodeTasks(r);
    const std::optional<quint32> states[] = {tasks.settingsTask, tasks.firmwareTask};
    QLineEdit *const fields[] = {settingsTaskEdit, firmwareTaskEdit};
    for (int i = 0; i < 2; ++i) {
        if (!states[i])
            continue;
        if (const char *text = taskStateText(*states[i]))
            setFieldText(fields[i], tr(text));
    }
}

void StatusPage::decodeMN(const RecordLine &r)
{
    setFieldText(imeiEdit, fieldText(r.field[0]));
}

void StatusPage::decodeTW(const RecordLine &r)
{
    const ClockRecord c = decodeClock(r);
    if (c.clock) {
        const unsigned int clock = *c.clock;
        // The local time of the terminal's clock. Asking the C library for the local time
        // re-reads the time zone file every time; the offset from UTC changes only on an
        // hour boundary, so it is looked up once per hour of the clock.
        static qint64 offsetHour = -1;
        static int offset = 0;
        const qint64 hour = qint64(clock) / 3600;
        if (hour != offsetHour) {
            offset = QDateTime::fromSecsSinceEpoch(qint64(clock), Qt::LocalTime).offsetFromUtc();
            offsetHour = hour;
        }
        setFieldText(deviceTimeEdit,
                     QDateTime::fromSecsSinceEpoch(qint64(clock), Qt::OffsetFromUTC, offset)
                         .toString(QStringLiteral("dd-MM-yyyy  hh:mm:ss")));
    }
    if (c.runningSeconds)
        setFieldText(runTimeEdit, runTimeText(*c.runningSeconds));
}

void StatusPage::decodeRW(const RecordLine &r)
{
    const PacketsRecord p = decodePackets(r);
    setFieldText(packetsSentEdit, fieldText(p.sentText));
    setFieldText(packetsWrittenEdit, fieldText(p.writtenText));
}

void StatusPage::decodeDS(const RecordLine &r)
{
    const std::optional<quint32> word = decodeDeviceStatus(r);
    if (!word)
        return;
    QLineEdit *const fields[DeviceStatusFieldCount] = {
        internalMemoryEdit, externalMemoryEdit, clockEdit, accelerometerEdit, gnssStateEdit,
        gsmStateEdit,       sim1Edit,           pin1Edit,  sim2Edit,          pin2Edit};
    const auto texts = deviceStatusTexts(*word);
    for (int i = 0; i < DeviceStatusFieldCount; ++i)
        setFieldText(fields[i], texts[i].translated ? tr(texts[i].text)
                                               : QString::fromUtf8(texts[i].text));
}

void StatusPage::decodePB(const RecordLine &r)
{
    const PowerRecord p = decodePower(r);
    setFieldText(externalVoltageEdit, fieldText(p.supplyText));
    setFieldText(batteryVoltageEdit, fieldText(p.batteryText));
}
