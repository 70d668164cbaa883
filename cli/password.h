#pragma once
// The terminal's access password for a settings write. It never comes from an option of the
// command line (anyone on the machine sees those in the process list): from the first line
// of a file (`--password-file`, "-" for standard input; the line end LF or CR LF, or none at
// the end of the file; a file other users may read is used with a warning on standard error),
// else from the environment variable KVT_PASSWORD (set and empty: an empty password, which a
// write refuses), else asked on the terminal (/dev/tty) without echo. It is never written to
// standard output or standard error.

#include <QString>

struct PasswordAnswer
{
    enum Status {
        Given,
        Unavailable,   // no file, no variable and no terminal to ask on; `problem` says why
        Interrupted,   // Ctrl+C (or the end of input) at the prompt
    };
    Status status = Unavailable;
    QString password;
    QString problem;
};

// The password from `passwordFile` when it is not empty, else from the environment or the
// terminal.
PasswordAnswer readAccessPassword(const QString &passwordFile);
