#include "link/core_terminalidentity.h"

#include "status/core_codes.h"
#include "status/core_numbers.h"

std::optional<IdentityRecord> decodeIdentityRecord(const RecordLine &record)
{
    bool ok = false;
    IdentityRecord id;
    id.model = record.field[0].toUInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    id.firmware.known = true;
    id.firmware.major = record.field[1].toUInt(nullptr, 10);
    id.firmware.minor = record.field[2].toUInt(nullptr, 10);
    id.versionText = fieldText(record.field[1] + '.' + record.field[2]);
    return id;
}

bool decodeRestartReported(const RecordLine &record)
{
    bool ok = false;
    record.field[0].toUInt(&ok, 10);
    return ok;
}

QString decodeIdentityText(const RecordLine &record)
{
    return fieldText(record.field[0]);
}

TerminalIdentity shownIdentity(const TerminalInfo &info)
{
    const char *model = modelText(info.model);
    return {model ? QString::fromLatin1(model) : QString(), info.serialNumber, info.imei,
            info.versionText};
}
