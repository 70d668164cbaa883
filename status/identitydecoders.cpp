// Identity and state records: model and firmware, serial number, IMEI, update tasks, clock,
// packet counters, hardware statuses and supply voltages.
#include "status/statuspage.h"
#include "status/fieldtext.h"

#include "link/framing.h"
#include "status/core_codes.h"
#include "status/core_numbers.h"
#include "status/core_records.h"

#include <QDateTime>
#include <QMessageBox>

void StatusPage::showIdentity(const IdentityRecord &id)
{
    if (const char *text = modelText(id.model))
        fields.set(modelEdit, QString::fromLatin1(text));
    // only the tachograph terminal offers its file download; no other model takes it back
    if (id.model == TachographModelCode)
        emit tachographAvailable(true);
    fields.set(firmwareVersionEdit, id.versionText);

    // the terminal that does not report its model runs a firmware too old for the program
    if (id.model == 0 && id.firmware.isOlderThan(0, 64) && !oldFirmwareBoxOpen) {
        QMessageBox box(QMessageBox::Information, tr("Внимание"),
                        tr("Версия ПО устройства устарела\r\nТребуется версия ПО не ниже 0.64"),
                        QMessageBox::Ok, window());
        fields.flush();   // the fields show their values before the box opens
        oldFirmwareBoxOpen = true;
        box.exec();
        oldFirmwareBoxOpen = false;
    }
}

void StatusPage::showSerialNumber(const QString &text)
{
    fields.set(serialNumberEdit, text);
}

void StatusPage::decodeDF(const TasksRecord &tasks)
{
    const std::optional<quint32> states[] = {tasks.settingsTask, tasks.firmwareTask};
    QLineEdit *const taskFields[] = {settingsTaskEdit, firmwareTaskEdit};
    for (int i = 0; i < 2; ++i) {
        if (!states[i])
            continue;
        if (const char *text = taskStateText(*states[i]))
            fields.set(taskFields[i], translated(text));
    }
}

void StatusPage::showImei(const QString &text)
{
    fields.set(imeiEdit, text);
}

void StatusPage::decodeTW(const ClockRecord &c)
{
    if (c.clock) {
        const unsigned int clock = *c.clock;
        // The local time of the terminal's clock. Asking the C library for the local time
        // re-reads the time zone file every time; the offset from UTC changes only on an
        // hour boundary, so it is looked up once per hour of the clock.
        const qint64 hour = qint64(clock) / 3600;
        if (hour != clockOffsetHour) {
            clockOffset =
                QDateTime::fromSecsSinceEpoch(qint64(clock), Qt::LocalTime).offsetFromUtc();
            clockOffsetHour = hour;
        }
        // a busy terminal reports the same second many times
        if (qint64(clock) != clockShown || clockText.isNull()) {
            clockText = QDateTime::fromSecsSinceEpoch(qint64(clock), Qt::OffsetFromUTC, clockOffset)
                            .toString(QStringLiteral("dd-MM-yyyy  hh:mm:ss"));
            clockShown = qint64(clock);
        }
        fields.set(deviceTimeEdit, clockText);
    }
    if (c.runningSeconds) {
        if (qint64(*c.runningSeconds) != runTimeShown || runTimeShownText.isNull()) {
            runTimeShownText = runTimeText(*c.runningSeconds);
            runTimeShown = qint64(*c.runningSeconds);
        }
        fields.set(runTimeEdit, runTimeShownText);
    }
}

void StatusPage::decodeRW(const PacketsRecord &p)
{
    fields.setBytes(packetsSentEdit, p.sentText);
    fields.setBytes(packetsWrittenEdit, p.writtenText);
}

void StatusPage::decodeDS(const std::optional<quint32> &word)
{
    if (!word)
        return;
    QLineEdit *const statusFields[DeviceStatusFieldCount] = {
        internalMemoryEdit, externalMemoryEdit, clockEdit, accelerometerEdit, gnssStateEdit,
        gsmStateEdit,       sim1Edit,           pin1Edit,  sim2Edit,          pin2Edit};
    const auto texts = deviceStatusTexts(*word);
    for (int i = 0; i < DeviceStatusFieldCount; ++i)
        fields.set(statusFields[i], texts[i].translated ? translated(texts[i].text)
                                                        : QString::fromUtf8(texts[i].text));
}

void StatusPage::decodePB(const PowerRecord &p)
{
    fields.setBytes(externalVoltageEdit, p.supplyText);
    fields.setBytes(batteryVoltageEdit, p.batteryText);
}
