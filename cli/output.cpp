#include "cli/output.h"

#include <cstdio>

void writeOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
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
