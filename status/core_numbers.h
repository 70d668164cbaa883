#pragma once
// Reading the fields of the terminal's record lines and formatting the numbers shown on the
// device parameters page. No widgets here.

#include <QByteArray>
#include <QString>

// A field as text: its bytes up to the first NUL (all of them when there is none), as UTF-8.
QString fieldText(const QByteArray &field);

// A field's bytes up to the first NUL (the field itself, shared, when there is none).
QByteArray fieldBytes(const QByteArray &field);

// True when the field carries no text: no bytes, or a NUL first.
bool fieldIsEmpty(const QByteArray &field);

// The field read like C's atoi: leading white space skipped, an optional sign, then the
// digits up to the first non-digit; 0 when there is no digit. The result is the low 32 bits of
// the value, so a bit map sent as an unsigned number (4294967295) keeps all its bits, and
// no length of digits can overflow.
qint32 leadingInt(const QByteArray &field);

// A real value in the general notation with six significant digits: trailing zeros dropped,
// "." as decimal point, exponent form (at least two exponent digits) below 1e-4 and from 1e6.
QString generalNumber(double value);

// Running time in seconds as hours:minutes:seconds, no leading zeros, hours not wrapped.
QString runTimeText(quint32 seconds);

// The signal-level bar value for a level reported on the modem's 0..31 scale: the level times
// 100/31 rounded down, except that the top level 31 shows 99, not 100 (the terminal's own
// display does the same). Levels above 31 give values above 100, which the bar rejects.
quint64 signalLevelValue(quint32 level);

// The operator code of a signal record: MCC text immediately followed by MNC text, read as an
// unsigned decimal; 0 when the joined text is not a number.
quint32 operatorCode(const QByteArray &mcc, const QByteArray &mnc);
