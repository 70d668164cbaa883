#pragma once
// The terminal's identity as its records report it: the model code and firmware version of
// the identity record DI, the serial number of DN and the modem's IMEI of MN. Widget-free.

#include "link/framing.h"
#include "status/core_identity.h"

#include <QString>

#include <optional>

// A firmware version as the identity record gives it: the major and the minor number, each
// its own decimal integer (0.5 is minor 5, older than 0.64). A part that is not a number
// counts as 0.
struct FirmwareVersion
{
    bool known = false;   // an identity record has reported it
    quint32 major = 0;
    quint32 minor = 0;

    // major * 100 + minor, saturating: what the version checks compare
    quint64 hundredths() const { return quint64(major) * 100u + minor; }
    // Reported and older than major.minor (minor in hundredths: 0.64 is 0, 64).
    bool isOlderThan(quint32 oldestMajor, quint32 oldestMinor) const
    {
        return known && hundredths() < quint64(oldestMajor) * 100u + oldestMinor;
    }
};

struct IdentityRecord
{
    unsigned int model = 0;
    FirmwareVersion firmware;
    QString versionText;   // the two parts as received, joined by a dot
};

// The identity record; nothing when its model code is not a decimal number.
std::optional<IdentityRecord> decodeIdentityRecord(const RecordLine &record);
// The serial number (DN) or the IMEI (MN): field 1 as text.
QString decodeIdentityText(const RecordLine &record);
// The restart record (RD): true when it reports the restart (field 1 a decimal number); the
// line goes either way.
bool decodeRestartReported(const RecordLine &record);

// The identity of the terminal on the line; all empty and model 0 while unknown (at start and
// after the line closes).
struct TerminalInfo
{
    unsigned int model = 0;
    QString serialNumber;
    QString imei;
    FirmwareVersion firmware;
    QString versionText;
};

// The identity as the device parameters page shows it and settings files and journals name
// it: the model's text (empty for a code the program does not know), the serial number, the
// IMEI and the firmware version as received.
TerminalIdentity shownIdentity(const TerminalInfo &info);
