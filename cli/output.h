#pragma once
// Where kvt-cli writes: data on standard output, messages on standard error, each written
// at once (a script reading the output sees every line as it comes).

#include <QByteArray>
#include <QString>

// Bytes on standard output, as they are; false, with the system's reason, when the output
// does not take them all.
bool writeOut(const QByteArray &bytes, QString *reason = nullptr);
// Says that the standard output could not be written, and why; the exit status for it (1).
int outputFailed(const QString &reason);
// A line of text on standard output (UTF-8, the line end added).
void printLine(const QString &text);
// A message on standard error, "kvt-cli: " in front, the line end added.
void printMessage(const QString &text);
