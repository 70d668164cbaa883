#include "settings/core_batchrun.h"

#include "settings/core_batchjournal.h"
#include "settings/core_settingswriter.h"

#include <QCoreApplication>
#include <QDateTime>
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

void BatchRun::setPortSource(std::function<QString()> source)
{
    portSource = std::move(source);
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
    if (!openBatchJournal(journalFile, journalError))
        return false;

    file = settings;
    settingsFile = settingsPath;
    journal = journalFile;
    password = accessPassword;
    if (ownDoneSerials)
        doneSerials->clear();
    acceptedModels.clear();
    confirmed = alreadySet = failed = 0;
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
        finishTerminal(TerminalOutcome::Unplugged);
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
        const char *words = terminalOutcomeWords(TerminalOutcome::AlreadyDone);
        if (!writeJournal(TerminalOutcome::AlreadyDone, QString::fromUtf8(words)))
            return;
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
            finishTerminal(TerminalOutcome::OtherModel, {terminal.model, shownModel});
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
        finishTerminal(TerminalOutcome::Refused, {refusal},
                       {settingsRefusal(writing, TextLanguage::Russian)});
        return;
    }
    // nothing to change: nothing is written
    if (settingsAlreadyHeld(writing, reported)) {
        doneSerials->insert(terminal.serialNumber);
        finishTerminal(TerminalOutcome::AlreadySet);
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
        finishTerminal(TerminalOutcome::Confirmed);
        break;
    case WriteOutcome::WrongPassword:
        finishTerminal(TerminalOutcome::WrongPassword);
        break;
    case WriteOutcome::NotConfirmed: {
        // the fields by the labels the page gives them
        QStringList labels;
        QStringList russianLabels;
        for (const QString &name : differing) {
            labels << settingsValueLabel(name, writing);
            russianLabels << settingsValueLabel(name, writing, TextLanguage::Russian);
        }
        const QString comma = QStringLiteral(", ");
        finishTerminal(TerminalOutcome::NotConfirmed, {labels.join(comma)},
                       {russianLabels.join(comma)});
        break;
    }
    case WriteOutcome::NoAnswer:
        finishTerminal(TerminalOutcome::NoAnswer);
        break;
    }
}

void BatchRun::timedOut()
{
    if (!running || (step != Step::Identity && step != Step::Settings))
        return;
    if (step == Step::Identity)
        terminal = TerminalIdentity(); // the identity source may still give the one before
    finishTerminal(TerminalOutcome::NoAnswer);
}

void BatchRun::terminalLost()
{
    if (!running || step == Step::Waiting)
        return;
    finishTerminal(TerminalOutcome::Unplugged);
}

void BatchRun::abandon()
{
    // the settings went out once the run waits for their confirmation
    if (running && step != Step::Waiting)
        finishTerminal(step == Step::Confirm ? TerminalOutcome::InterruptedAfterWrite
                                             : TerminalOutcome::InterruptedBeforeWrite);
    stop();
}

void BatchRun::finishTerminal(TerminalOutcome outcome, const QStringList &args,
                              const QStringList &russianArgs)
{
    const char *words = terminalOutcomeWords(outcome);
    QString result = batchText(words);
    QString journalWords = QString::fromUtf8(words);
    for (const QString &arg : args)
        result = result.arg(arg);
    for (const QString &arg : russianArgs.isEmpty() ? args : russianArgs)
        journalWords = journalWords.arg(arg);
    const bool ok = terminalOutcomeOk(outcome);
    answerTimer->stop();
    step = Step::Waiting;
    if (outcome == TerminalOutcome::AlreadySet)
        ++alreadySet;
    else
        (ok ? confirmed : failed) += 1;
    setStage(ok ? Stage::Done : Stage::Failed);
    emit terminalFinished(result, outcome);
    const QString said =
        terminal.serialNumber.isEmpty()
            ? result.left(1).toUpper() + result.mid(1)
            : batchText(QT_TRANSLATE_NOOP("BatchSetup", "Терминал %1: %2"))
                  .arg(terminal.serialNumber, result);
    // a terminal that failed is written again when it comes back
    const QString next =
        ok ? batchText(QT_TRANSLATE_NOOP("BatchSetup", "Подключите следующий терминал."))
           : batchText(QT_TRANSLATE_NOOP("BatchSetup", "Подключите следующий терминал или "
                                                       "переподключите этот, чтобы повторить."));
    emit progress(said + QStringLiteral(". ") + next, !ok);
    writeJournal(outcome, journalWords);
}

bool BatchRun::writeJournal(TerminalOutcome outcome, const QString &words)
{
    const QString port = portSource ? portSource() : QString();
    QString error;
    const QString line =
        batchJournalLine(QDateTime::currentDateTime(), terminal, words, port, outcome);
    if (appendBatchJournal(journal, line, &error)) {
        emit journalLineWritten(line);
        return true;
    }
    // no terminal starts while its line could not be kept
    stop();
    emit journalFailed(journal, error);
    return false;
}
