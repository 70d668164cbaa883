#pragma once
// The commands of kvt-cli. Each takes its arguments with its own words in front
// ("kvt-cli info", then what followed them on the command line) and gives the exit status
// (cli/exitstatus.h). `kvt-cli provision` is cli/provision.h.

#include <QStringList>

int portsCommand(const QStringList &arguments);
int infoCommand(const QStringList &arguments);
int settingsCommand(const QStringList &arguments);   // "settings read" and "settings write"
int sendCommand(const QStringList &arguments);
int recordCommand(const QStringList &arguments);
int replayCommand(const QStringList &arguments);
// "register list|sync|status|import": the installation register
int registerCommand(const QStringList &arguments);
