#pragma once
// kvt-cli provision: the provisioning station's command.

#include <QStringList>

// `arguments` starts with the command's words ("kvt-cli provision"), then what followed them
// on the command line; the exit status.
int provisionCommand(const QStringList &arguments);
