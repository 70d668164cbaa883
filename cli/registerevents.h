#pragma once
// What one kvt-cli command records into the installation register: the events go into the
// local file at once; before the command ends the queue is sent to the server, for a few
// seconds at most. Nothing here changes the command's outcome: a register that cannot be
// written is told on standard error.

#include "register/registerrecorder.h"

#include <QObject>

class CliRegister : public QObject
{
public:
    CliRegister();
    ~CliRegister() override;

    RegisterRecorder &recorder() { return rec; }
    void record(const RegisterEvent &event) { rec.record(event); }

private:
    RegisterRecorder rec;
};

// The SHA-256 of a file's bytes in hexadecimal; empty when it cannot be read.
QString fileSha256(const QString &path);
