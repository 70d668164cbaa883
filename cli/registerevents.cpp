#include "cli/registerevents.h"

#include "cli/output.h"

#include <QCryptographicHash>
#include <QFile>

CliRegister::CliRegister() : rec(registerLocation())
{
    QObject::connect(&rec, &RegisterRecorder::recordFailed, this, [this](const QString &error) {
        printMessage(QStringLiteral("cannot record into the register %1: %2")
                         .arg(rec.location().describe(), error));
    });
}

CliRegister::~CliRegister()
{
    if (!rec.location().isServer())
        return;
    if (!rec.syncAndWait(15000))
        printMessage(QStringLiteral("the register %1 does not answer: %2 event(s) queued, "
                                    "'kvt-cli register sync' sends them")
                         .arg(rec.location().describe())
                         .arg(rec.queuedCount()));
}

QString fileSha256(const QString &path)
{
    QFile f(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!f.open(QIODevice::ReadOnly) || !hash.addData(&f))
        return QString();
    return QString::fromLatin1(hash.result().toHex());
}
