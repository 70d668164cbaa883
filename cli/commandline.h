#pragma once
// The command line of one command. Every command gets its arguments with the command's own
// words in front ("kvt-cli settings write", then what followed them), parses them with its
// own QCommandLineParser and answers --help alone.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

// Adds --help, parses `arguments` and checks the count of positional arguments. -1 when the
// command goes on; otherwise the exit status to end with: 0 once the help is shown (on
// standard output), 2 after a usage error (its message on standard error).
int parseCommandLine(QCommandLineParser &parser, const QStringList &arguments, int minPositional,
                     int maxPositional);

// The help of a command: the parser's help with the command's words where it names the program.
QString commandHelp(const QCommandLineParser &parser, const QString &commandWords);

// A usage error of the command named by `commandWords`: the message and where the help is.
int usageError(const QString &commandWords, const QString &message);

// Seconds given to an option: a number from 0 to `max`; nothing when the text is none.
std::optional<double> secondsValue(const QString &text, double max);
