#include "settings/core_batchrun.h"

#include "settings/core_batchjournal.h"
#include "settings/core_settingswriter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTimer>

namespace {

// Batch set-up's texts are translated in the context of its banner, wherever they are made.
QString batchText(const char *text)
{
    return QCoreApplication::translate("BatchSetup", text);
}

} // namespace

BatchRun::BatchRun(SettingsWriter *writer, QObject *parent)
    : QObject(parent)
    , writer(writer)
    , doneSerials(std::make_shared<QSet<QString>>())
    , answerTimer(new QTimer(this))
{
    answerTimer->setSingleShot(true);
    answerTimer->setInterval(5000);
    connect(answerTimer, &QTimer::timeout, this, &BatchRun::timedOut);
    connect(writer, &SettingsWriter::finished, this, &BatchRun::writeFinished);
}

void BatchRun::setIdentitySource(std::function<TerminalIdentity()> source)
{
    identitySource = std::move(source);
}

void BatchRun::setModelQuestion(ModelQuestion ask)
{
    askModel = std::move(ask);
}

void BatchRun::shareDoneSerials(DoneSerials serials)
{
    ownDoneSerials = !serials;
    doneSerials = serials ? std::move(serials) : std::make_shared<QSet<QString>>();
}

void BatchRun::setJournalPath(const QString &path)
{
    journalOverride = path;
}

void BatchRun::setStage(Stage stage)
{
    if (shown == stage)
        return;
    shown = stage;
    emit stageChanged(stage);
}

void BatchRun::setAnswerTimeout(int ms)
{
    answerTimer->setInterval(ms);
}

bool BatchRun::start(const SettingsFile &settings, const QString &settingsPath,
                     const QString &accessPassword, bool connectedNow, QString *journalError)
{
    if (running)
        stop();
    const QString journalFile =
        journalOverride.isEmpty() ? batchJournalPath(settingsPath) : journalOverride;
    QFile probe(journalFile);
    if (!probe.open(QIODevice::Append | QIODevice::Text)) {
        if (journalError)
            *journalError = probe.errorString();
        return false;
    }
    // a new journal starts with the names of its columns
    if (probe.size() == 0) {
        const QStringList columns{batchText(QT_TRANSLATE_NOOP("BatchSetup", "время")),
                                  batchText(QT_TRANSLATE_NOOP("BatchSetup", "модель")),
                                  batchText(QT_TRANSLATE_NOOP("BatchSetup", "серийный номер")),
                                  batchText(QT_TRANSLATE_NOOP("BatchSetup", "IMEI")),
                                  batchText(QT_TRANSLATE_NOOP("BatchSetup", "версия ПО")),
                                  batchText(QT_TRANSLATE_NOOP("BatchSetup", "результат"))};
        probe.write((columns.join(QLatin1Char('\t')) + QLatin1Char('\n')).toUtf8());
    }
    probe.close();

    file = settings;
    settingsFile = settingsPath;
    journal = journalFile;
    password = accessPassword;
    if (ownDoneSerials)
        doneSerials->clear();
    acceptedModels.clear();
    confirmed = failed = 0;
    running = true;
    step = Step::Waiting;
    setStage(Stage::Waiting);
    emit progress(batchText(QT_TRANSLATE_NOOP("BatchSetup", "Подключите терминал.")), false);
    emit runningChanged(true);
    if (connectedNow) {
        terminalConnected();
        emit identityRequested();
    }
    return true;
}

void BatchRun::stop()
{
    if (!running)
        return;
    running = false;
    step = Step::Waiting;
    answerTimer->stop();
    emit runningChanged(false);
}

void BatchRun::terminalConnected()
{
    if (!running)
        return;
    // the terminal before did not finish: it went away
    if (step == Step::Settings || step == Step::Confirm)
        finishTerminal(batchText(QT_TRANSLATE_NOOP("BatchSetup", "нет ответа терминала")), false);
    step = Step::Identity;
    terminal = TerminalIdentity();
    identitySeen.clear();
    answerTimer->start();
    setStage(Stage::Reading);
    emit progress(batchText(QT_TRANSLATE_NOOP("BatchSetup", "Терминал подключён, чтение…")),
                  false);
}

void BatchRun::identityRecordSeen(RecordKind kind)
{
    if (!running || step != Step::Identity)
        return;
    if (kind != RecordKind::Identity && kind != RecordKind::SerialNumber
        && kind != RecordKind::Imei)
        return;
    identitySeen.insert(int(kind));
    if (identitySeen.size() < 3)
        return;
    answerTimer->stop();
    step = Step::Checking;
    // away from the read path: the next step may ask the user
    QMetaObject::invokeMethod(this, &BatchRun::identityComplete, Qt::QueuedConnection);
}

void BatchRun::identityComplete()
{
    if (!running || step != Step::Checking)
        return;
    terminal = identitySource ? identitySource() : TerminalIdentity();
    if (doneSerials->contains(terminal.serialNumber)) {
        step = Step::Waiting;
        setStage(Stage::Done);
        emit alreadyConfirmed(terminal.serialNumber);
        emit progress(batchText(QT_TRANSLATE_NOOP("BatchSetup", "Терминал %1 уже настроен. "
                                                                "Подключите следующий терминал."))
                          .arg(terminal.serialNumber),
                      false);
        return;
    }
    const QString fileModel = file.from.model;
    // the file's text as messages and the journal show it
    const QString shownModel = shownFileText(fileModel);
    if (!fileModel.isEmpty() && !terminal.model.isEmpty() && terminal.model != fileModel
        && !acceptedModels.contains(terminal.model)) {
        const bool write = askModel && askModel(shownModel, terminal.model);
        // the question may have taken long enough for the run to stop or the terminal to go
        if (!running || step != Step::Checking)
            return;
        if (!write) {
            const char *notWritten =
                QT_TRANSLATE_NOOP("BatchSetup", "не записано: модель %1, файл сохранён с %2");
            finishTerminal(batchText(notWritten).arg(terminal.model, shownModel), false);
            return;
        }
        acceptedModels.insert(terminal.model);
    }
    step = Step::Settings;
    answerTimer->start();
    writer->requestSettings();
}

TerminalSettings settingsOverReported(const TerminalSettings &reported,
                                      const SettingsValues &fileValues,
                                      const QString &accessPassword)
{
    TerminalSettings s = reported;
    s.reportedItems.clear();
    const TerminalSettings fromFile = settingsFromValues(fileValues);
    for (std::size_t k = 0; k < s.texts.size(); ++k) {
        if (fromFile.texts[k])
            s.texts[k] = fromFile.texts[k];
    }
    for (std::size_t k = 0; k < s.choices.size(); ++k) {
        if (fromFile.choices[k])
            s.choices[k] = fromFile.choices[k];
    }
    if (fromFile.canParams)
        s.canParams = fromFile.canParams;
    s[SettingsField::AccessPassword] = accessPassword;
    s.newPasswordOn = false;
    // only the CAN adapter on RS485 reads the CAN bus
    s.canParamsOn = s.canProgramOn = s.code(SettingsChoice::Rs485) == QLatin1String("7");
    return s;
}

TerminalSettings BatchRun::settingsFor(const TerminalSettings &reported) const
{
    return settingsOverReported(reported, file.values, password);
}

void BatchRun::settingsReported(const TerminalSettings &reported)
{
    if (!running || step != Step::Settings)
        return;
    answerTimer->stop();
    writing = settingsFor(reported);
    const QString refusal = settingsRefusal(writing);
    if (!refusal.isNull()) {
        finishTerminal(batchText(QT_TRANSLATE_NOOP("BatchSetup", "не записано: %1")).arg(refusal),
                       false);
        return;
    }
    step = Step::Confirm;
    emit progress(batchText(QT_TRANSLATE_NOOP("BatchSetup", "Терминал %1: запись…"))
                      .arg(terminal.serialNumber),
                  false);
    // the write, then the read that confirms it
    setStage(Stage::Writing);
    writer->write(writing);
    if (running && step == Step::Confirm)
        setStage(Stage::Checking);
}

void BatchRun::writeFinished(WriteOutcome outcome, const QStringList &differing)
{
    if (!running || step != Step::Confirm)
        return;
    switch (outcome) {
    case WriteOutcome::Confirmed:
        doneSerials->insert(terminal.serialNumber);
        finishTerminal(batchText(QT_TRANSLATE_NOOP("BatchSetup", "записано и подтверждено")), true);
        break;
    case WriteOutcome::NotConfirmed: {
        // the fields by the labels the page gives them
        QStringList labels;
        for (const QString &name : differing)
            labels << settingsValueLabel(name, writing);
        finishTerminal(batchText(QT_TRANSLATE_NOOP("BatchSetup", "не подтверждено, отличаются: %1"))
                           .arg(labels.join(QStringLiteral(", "))),
                       false);
        break;
    }
    case WriteOutcome::NoAnswer:
        finishTerminal(batchText(QT_TRANSLATE_NOOP("BatchSetup", "нет ответа терминала")), false);
        break;
    }
}

void BatchRun::timedOut()
{
    if (!running || (step != Step::Identity && step != Step::Settings))
        return;
    if (step == Step::Identity)
        terminal = TerminalIdentity(); // the identity source may still give the one before
    finishTerminal(batchText(QT_TRANSLATE_NOOP("BatchSetup", "нет ответа терминала")), false);
}

void BatchRun::terminalLost()
{
    if (!running || step == Step::Waiting)
        return;
    finishTerminal(batchText(QT_TRANSLATE_NOOP("BatchSetup", "терминал отключён")), false);
}

void BatchRun::abandon()
{
    if (running && step != Step::Waiting)
        finishTerminal(batchText(QT_TRANSLATE_NOOP("BatchSetup", "прервано")), false);
    stop();
}

void BatchRun::finishTerminal(const QString &result, bool ok)
{
    answerTimer->stop();
    step = Step::Waiting;
    (ok ? confirmed : failed) += 1;
    setStage(ok ? Stage::Done : Stage::Failed);
    emit terminalFinished(result, ok);
    const QString outcome =
        terminal.serialNumber.isEmpty()
            ? result.left(1).toUpper() + result.mid(1)
            : batchText(QT_TRANSLATE_NOOP("BatchSetup", "Терминал %1: %2"))
                  .arg(terminal.serialNumber, result);
    // a terminal that failed is written again when it comes back
    const QString next =
        ok ? batchText(QT_TRANSLATE_NOOP("BatchSetup", "Подключите следующий терминал."))
           : batchText(QT_TRANSLATE_NOOP("BatchSetup", "Подключите следующий терминал или "
                                                       "переподключите этот, чтобы повторить."));
    emit progress(outcome + QStringLiteral(". ") + next, !ok);

    QFile f(journal);
    const QByteArray bytes =
        batchJournalLine(QDateTime::currentDateTime(), terminal, result).toUtf8();
    if (f.open(QIODevice::Append) && f.write(bytes) == bytes.size() && f.flush()) {
        emit journalLineWritten(QString::fromUtf8(bytes));
        return;
    }
    emit journalFailed(journal, f.errorString());
    stop();
}
