#include "cli/provision.h"

#include "cli/exitstatus.h"
#include "cli/output.h"

int provisionCommand(const QStringList &arguments)
{
    Q_UNUSED(arguments)
    printMessage(QStringLiteral("provision: not available in this build"));
    return ExitUsage;
}
