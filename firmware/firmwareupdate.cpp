#include "firmware/firmwareupdate.h"

#include "link/commands.h"
#include "link/core_filesave.h"
#include "link/core_terminalidentity.h"
#include "link/terminalsession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTimer>

namespace {

// The label of the removable disk the terminal's loader shows.
const char loaderLabel[] = "KVT_loader";
// A piece of the copy a turn of the event loop.
constexpr qint64 copyPiece = 64 * 1024;
// A terminal still on its line this long after the command is let go and waited for.
constexpr int letGoAfterMs = 3000;

QString text(const char *source, TextLanguage language = TextLanguage::Interface)
{
    return textIn(language, "FirmwareUpdate", source);
}

// A file's failure as the reason of a failed copy, in the language asked for.
std::function<QString(TextLanguage)> fileFailure(const QString &systemText)
{
    return [systemText](TextLanguage language) { return fileErrorText(systemText, language); };
}

} // namespace

FirmwareUpdate::FirmwareUpdate(TerminalSession *session, QObject *parent)
    : QObject(parent)
    , session(session)
    , ticker(new QTimer(this))
{
    qRegisterMetaType<FirmwareUpdate::Stage>();
    qRegisterMetaType<FirmwareUpdate::Outcome>();
    connect(ticker, &QTimer::timeout, this, &FirmwareUpdate::check);
    // back on its port: its identity is asked for (the window asks too; the first answer counts)
    connect(session, &TerminalSession::opened, this, [this] {
        if (running && current == Stage::WaitingForTerminal)
            this->session->send(QByteArray(Command::identity));
    });
    connect(session, &TerminalSession::identityReported, this, [this](const IdentityRecord &id) {
        // the first identity of a connection after the one the command went out on
        if (!running || current != Stage::WaitingForTerminal
            || this->session->connectionCount() <= connectionsAtStart)
            return;
        after = id.versionText;
        finish(after == before ? Outcome::SameVersion : Outcome::Updated);
    });
}

FirmwareUpdate::~FirmwareUpdate()
{
    if (running)
        cancel();
}

QString FirmwareUpdate::loaderDisk()
{
    // folders standing in for the disk (tests, the simulator), each while it is there
    const QStringList standIns =
        qEnvironmentVariable("KVT_LOADER_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &standIn : standIns) {
        if (QFileInfo(standIn).isDir())
            return QFileInfo(standIn).absoluteFilePath();
    }
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !volume.isReadOnly()
            && volume.name() == QLatin1String(loaderLabel))
            return volume.rootPath();
    }
    return QString();
}

bool FirmwareUpdate::start(const QString &firmwareFile, QString *error)
{
    if (running)
        return false;
    source.setFileName(firmwareFile);
    if (!source.open(QIODevice::ReadOnly)) {
        if (error)
            *error = source.errorString();
        return false;
    }
    before = session->identity().versionText;
    after.clear();
    copied = 0;
    copyComplete = false;
    target.setFileName(QString());
    connectionsAtStart = session->connectionCount();
    running = true;
    session->send(QByteArray(Command::firmwareOverUsb));
    // the terminal drops off its line into the loader; one that keeps it is let go, so that
    // its return is waited for
    const int connection = connectionsAtStart;
    QTimer::singleShot(letGoAfterMs, this, [this, connection] {
        if (running && session->connectionCount() == connection && session->isOpen())
            session->closeAndWait();
    });
    setStage(Stage::WaitingForDisk);
    ticker->start(200);
    return true;
}

void FirmwareUpdate::cancel()
{
    if (!running)
        return;
    // what the disk holds depends on how far the update had come
    const char *where = current == Stage::WaitingForDisk
                            ? QT_TRANSLATE_NOOP("FirmwareUpdate", "на диск ничего не записано")
                        : current == Stage::WaitingForTerminal
                            ? QT_TRANSLATE_NOOP("FirmwareUpdate",
                                                "файл прошивки уже на диске, терминал может его "
                                                "записать")
                            : QT_TRANSLATE_NOOP("FirmwareUpdate",
                                                "частично скопированный файл удалён");
    finish(Outcome::Cancelled, [where](TextLanguage language) { return text(where, language); });
}

void FirmwareUpdate::setStage(Stage stage)
{
    current = stage;
    stageClock.start();
    emit stageChanged(stage);
}

void FirmwareUpdate::check()
{
    switch (current) {
    case Stage::WaitingForDisk:
        lookForDisk();
        break;
    case Stage::Copying:
        copySome();
        break;
    case Stage::WaitingForTerminal:
        if (stageClock.elapsed() >= terminalTimeoutMs)
            finish(Outcome::NoTerminal);
        break;
    case Stage::Writing:
    case Stage::Finished:
        break;
    }
}

void FirmwareUpdate::lookForDisk()
{
    const QString disk = loaderDisk();
    if (disk.isEmpty()) {
        if (stageClock.elapsed() >= diskTimeoutMs)
            finish(Outcome::NoDisk);
        return;
    }
    target.setFileName(QDir(disk).filePath(QFileInfo(source.fileName()).fileName()));
    // unbuffered: every piece is checked as it goes, none fails unseen at the close
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        finish(Outcome::CopyFailed, fileFailure(target.errorString()));
        return;
    }
    setStage(Stage::Copying);
    emit progress(0, source.size());
    ticker->setInterval(0);
}

void FirmwareUpdate::copySome()
{
    const QByteArray piece = source.read(copyPiece);
    if (source.error() != QFileDevice::NoError) {
        finish(Outcome::CopyFailed, fileFailure(source.errorString()));
        return;
    }
    QString reason;
    if (!piece.isEmpty() && !writeWhole(target, piece.constData(), piece.size(), &reason)) {
        finish(Outcome::CopyFailed, fileFailure(reason));
        return;
    }
    // a disk unplugged in the middle takes the file with it, while the writes still go to
    // what the system keeps of it
    if (!QFileInfo::exists(target.fileName())) {
        finish(Outcome::CopyFailed,
               [this](TextLanguage language) { return diskGoneText(language); });
        return;
    }
    copied += piece.size();
    emit progress(copied, source.size());
    // (whoever follows the progress may have cancelled it)
    if (running && source.atEnd())
        writeOut();
}

void FirmwareUpdate::writeOut()
{
    setStage(Stage::Writing);
    // on the disk itself before the terminal takes it, not in a cache
    QString reason;
    if (!syncToDisk(target, &reason)) {
        finish(Outcome::CopyFailed, fileFailure(reason));
        return;
    }
    target.close();
    // and there as a whole: the disk may have gone meanwhile
    const QFileInfo onDisk(target.fileName());
    if (!onDisk.exists()) {
        finish(Outcome::CopyFailed,
               [this](TextLanguage language) { return diskGoneText(language); });
        return;
    }
    if (onDisk.size() != source.size()) {
        const QString path = QDir::toNativeSeparators(target.fileName());
        const qint64 size = onDisk.size();
        const qint64 whole = source.size();
        finish(Outcome::CopyFailed, [path, size, whole](TextLanguage language) {
            return text(QT_TRANSLATE_NOOP("FirmwareUpdate",
                                          "файл %1 на диске занимает %2 байт из %3"),
                        language)
                .arg(path)
                .arg(size)
                .arg(whole);
        });
        return;
    }
    copyComplete = true;
    source.close();
    setStage(Stage::WaitingForTerminal);
    ticker->setInterval(500);
}

QString FirmwareUpdate::diskGoneText(TextLanguage language) const
{
    return text(QT_TRANSLATE_NOOP("FirmwareUpdate",
                                  "диск отключён во время копирования, файла %1 на нём нет"),
                language)
        .arg(QDir::toNativeSeparators(target.fileName()));
}

void FirmwareUpdate::finish(Outcome outcome, const Reason &reason)
{
    running = false;
    ticker->stop();
    if (outcome == Outcome::CopyFailed || outcome == Outcome::Cancelled)
        removePartialCopy();
    source.close();
    setStage(Stage::Finished);
    const auto why = [&reason](TextLanguage language) {
        return reason ? reason(language) : QString();
    };
    russianText = outcomeText(outcome, before, after, why(TextLanguage::Russian),
                              TextLanguage::Russian);
    emit finished(outcome, outcomeText(outcome, before, after, why(TextLanguage::Interface)));
}

void FirmwareUpdate::removePartialCopy()
{
    if (target.isOpen())
        target.close();
    // a whole copy stays: the terminal may be flashing it already
    if (!copyComplete && !target.fileName().isEmpty())
        QFile::remove(target.fileName());
}

QString FirmwareUpdate::outcomeText(Outcome outcome, const QString &before, const QString &after,
                                    const QString &reason, TextLanguage language)
{
    const auto text = [language](const char *source) { return ::text(source, language); };
    const QString unknown = text(QT_TRANSLATE_NOOP("FirmwareUpdate", "неизвестна"));
    switch (outcome) {
    case Outcome::Updated:
        return text(QT_TRANSLATE_NOOP("FirmwareUpdate",
                                      "ПО обновлено: %1 → %2. Проверьте настройки терминала."))
            .arg(before.isEmpty() ? unknown : before, after);
    case Outcome::SameVersion:
        return text(QT_TRANSLATE_NOOP(
                        "FirmwareUpdate",
                        "Терминал вернулся с той же версией ПО %1: новое ПО не установлено. "
                        "Проверьте, что файл прошивки предназначен для этой модели, и повторите "
                        "обновление."))
            .arg(after);
    case Outcome::NoDisk:
        return text(QT_TRANSLATE_NOOP(
            "FirmwareUpdate",
            "Диск KVT_loader не появился за 60 с. Проверьте кабель USB и повторите обновление; "
            "если диск появится позже, скопируйте файл прошивки на него вручную."));
    case Outcome::CopyFailed:
        return text(QT_TRANSLATE_NOOP(
                        "FirmwareUpdate",
                        "Файл прошивки не скопирован на диск KVT_loader: %1. Частично "
                        "скопированный файл удалён. Переподключите терминал и повторите "
                        "обновление."))
            .arg(reason);
    case Outcome::NoTerminal:
        return text(QT_TRANSLATE_NOOP(
            "FirmwareUpdate",
            "Терминал не вернулся за 5 минут. Переподключите кабель USB; если терминал остался "
            "в загрузчике (виден диск KVT_loader), повторите обновление."));
    case Outcome::Cancelled:
        return text(QT_TRANSLATE_NOOP(
            "FirmwareUpdate",
            "Обновление отменено: %1. Терминал может оставаться в загрузчике: повторите "
            "обновление или переподключите кабель USB."))
            .arg(reason);
    }
    return QString();
}
