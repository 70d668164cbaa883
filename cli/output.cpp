#include "cli/output.h"

#include "cli/exitstatus.h"

#include <cerrno>
#include <cstdio>

bool writeOut(const QByteArray &bytes, QString *reason)
{
    errno = 0;
    const bool written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout)
                             == size_t(bytes.size())
                         && std::fflush(stdout) == 0;
    if (!written && reason)
        *reason = qt_error_string(errno != 0 ? errno : EIO);
    return written;
}

void printLine(const QString &text)
{
    writeOut(text.toUtf8() + '\n');
}

void printMessage(const QString &text)
{
    const QByteArray line = "kvt-cli: " + text.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

int outputFailed(const QString &reason)
{
    printMessage(QStringLiteral("cannot write the standard output: %1").arg(reason));
    return ExitFailed;
}
