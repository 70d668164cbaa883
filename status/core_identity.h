#pragma once
// Which terminal is connected, as the device parameters page shows it: settings files and the
// batch journal name the terminal they came from or went to.

#include <QString>

struct TerminalIdentity
{
    QString model;
    QString serialNumber;
    QString imei;
    QString firmwareVersion;
};
