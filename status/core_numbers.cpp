#include "status/core_numbers.h"

QString fieldText(const QByteArray &field)
{
    return QString::fromUtf8(field.constData(), int(qstrnlen(field.constData(), uint(field.size()))));
}

QByteArray fieldBytes(const QByteArray &field)
{
    const int length = int(qstrnlen(field.constData(), uint(field.size())));
    return length == field.size() ? field : field.left(length);
}

bool fieldIsEmpty(const QByteArray &field)
{
    return field.isEmpty() || field.at(0) == '\0';
}

qint32 leadingInt(const QByteArray &field)
{
    const char *p = field.constData();
    const char *end = p + field.size();
    while (p < end && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    quint32 value = 0;   // arithmetic modulo 2^32: the low 32 bits of the number
    for (; p < end && *p >= '0' && *p <= '9'; ++p)
        value = value * 10u + quint32(*p - '0');
    if (negative)
        value = 0u - value;
    return qint32(value);
}

QString generalNumber(double value)
{
    return QString::number(value, 'g', 6);
}

QString runTimeText(quint32 seconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600u)
        .arg((seconds % 3600u) / 60u)
        .arg(seconds % 60u);
}

quint64 signalLevelValue(quint32 level)
{
    // The terminal's scale factor is 3.225806451612903, a hair below 100/31, and the product
    // is truncated: level * 100 / 31 rounded down, one less whenever that division is exact
    // (31 gives 99). Done in integers so the result does not depend on the floating-point
    // width of the build.
    if (level == 0)
        return 0;
    return (quint64(level) * 100u - 1u) / 31u;
}

quint32 operatorCode(const QByteArray &mcc, const QByteArray &mnc)
{
    bool ok = false;
    const quint32 code = (mcc + mnc).toUInt(&ok, 10);
    return ok ? code : 0u;
}
