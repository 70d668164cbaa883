#include "settings/batchsetup.h"

#include "link/recordrouter.h"
#include "settings/core_batchjournal.h"
#include "settings/settingspage.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

BatchSetup::BatchSetup(SettingsPage *page, QWidget *window)
    : QObject(window)
    , page(page)
    , window(window)
    , answerTimer(new QTimer(this))
    , bannerFrame(new QFrame)
    , bannerLabel(new QLabel)
    , stopButton(new QPushButton)
{
    answerTimer->setSingleShot(true);
    answerTimer->setInterval(5000);
    connect(answerTimer, &QTimer::timeout, this, &BatchSetup::timedOut);
    connect(page, &SettingsPage::settingsDecoded, this, &BatchSetup::settingsRead);
    connect(page, &SettingsPage::writeFinished, this, &BatchSetup::writeFinished);

    bannerFrame->setObjectName(QStringLiteral("batchBanner"));
    bannerLabel->setObjectName(QStringLiteral("batchStatusLabel"));
    stopButton->setObjectName(QStringLiteral("batchStopButton"));
    stopButton->setText(tr("Остановить"));
    bannerLabel->setTextFormat(Qt::RichText);
    bannerLabel->setWordWrap(true);
    // its own colours: a light band with dark text reads the same in the light and the dark look
    bannerFrame->setFrameShape(QFrame::StyledPanel);
    bannerFrame->setStyleSheet(QStringLiteral(
        "QFrame#batchBanner { background-color: #fff3c4; border: 1px solid #c9a227; }"
        "QLabel#batchStatusLabel { color: #1a1a1a; }"));
    auto *layout = new QHBoxLayout(bannerFrame);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(bannerLabel, 1);
    layout->addWidget(stopButton);
    bannerFrame->hide();
    connect(stopButton, &QPushButton::clicked, this, &BatchSetup::stop);
}

void BatchSetup::setIdentitySource(std::function<TerminalIdentity()> source)
{
    identitySource = std::move(source);
}

void BatchSetup::registerTaps(RecordRouter &router)
{
    for (RecordKind kind : {RecordKind::Identity, RecordKind::SerialNumber, RecordKind::Imei})
        router.tap(kind, [this, kind](const RecordLine &) { identityRecord(kind); });
}

QWidget *BatchSetup::banner() const
{
    return bannerFrame;
}

void BatchSetup::setAnswerTimeout(int ms)
{
    answerTimer->setInterval(ms);
}

bool BatchSetup::start(const QString &settingsFile, const QString &accessPassword,
                       bool connectedNow)
{
    const QString title = tr("Серийная настройка");
    if (running)
        stop();
    SettingsFile read;
    if (!page->readSettingsFile(settingsFile, &read))
        return false;
    if (accessPassword.isEmpty()) {
        QMessageBox::information(window, title, tr("Требуется указать пароль доступа"));
        return false;
    }
    const QString journalFile = batchJournalPath(settingsFile);
    QFile probe(journalFile);
    if (!probe.open(QIODevice::Append | QIODevice::Text)) {
        QMessageBox::critical(window, title,
                              tr("Не удалось открыть журнал %1: %2")
                                  .arg(QDir::toNativeSeparators(journalFile), probe.errorString()));
        return false;
    }
    // a new journal starts with the names of its columns
    if (probe.size() == 0) {
        const QStringList columns{tr("время"),   tr("модель"),    tr("серийный номер"),
                                  tr("IMEI"),    tr("версия ПО"), tr("результат")};
        probe.write((columns.join(QLatin1Char('\t')) + QLatin1Char('\n')).toUtf8());
    }
    probe.close();

    file = read;
    settingsPath = settingsFile;
    journal = journalFile;
    password = accessPassword;
    doneSerials.clear();
    acceptedModels.clear();
    confirmed = failed = 0;
    running = true;
    step = Step::Waiting;
    bannerFrame->show();
    updateBanner(tr("Подключите терминал."), false);
    emit runningChanged(true);
    if (connectedNow) {
        terminalConnected();
        emit identityRequested();
    }
    return true;
}

void BatchSetup::stop()
{
    if (!running)
        return;
    running = false;
    step = Step::Waiting;
    answerTimer->stop();
    bannerFrame->hide();
    emit runningChanged(false);
}

void BatchSetup::terminalConnected()
{
    if (!running)
        return;
    // the terminal before did not finish: it went away
    if (step == Step::Settings || step == Step::Confirm)
        finishTerminal(tr("нет ответа терминала"), false);
    step = Step::Identity;
    terminal = TerminalIdentity();
    identitySeen.clear();
    answerTimer->start();
    updateBanner(tr("Терминал подключён, чтение…"), false);
}

void BatchSetup::identityRecord(RecordKind kind)
{
    if (!running || step != Step::Identity)
        return;
    identitySeen.insert(int(kind));
    if (identitySeen.size() < 3)
        return;
    answerTimer->stop();
    step = Step::Checking;
    // away from the read path: the next step may ask the user
    QMetaObject::invokeMethod(this, &BatchSetup::identityComplete, Qt::QueuedConnection);
}

void BatchSetup::identityComplete()
{
    if (!running || step != Step::Checking)
        return;
    terminal = identitySource ? identitySource() : TerminalIdentity();
    if (doneSerials.contains(terminal.serialNumber)) {
        step = Step::Waiting;
        updateBanner(tr("Терминал %1 уже настроен. Подключите следующий терминал.")
                         .arg(terminal.serialNumber),
                     false);
        return;
    }
    const QString fileModel = file.from.model;
    // the file's text as messages and the journal show it
    const QString shownModel = shownFileText(fileModel);
    if (!fileModel.isEmpty() && !terminal.model.isEmpty() && terminal.model != fileModel
        && !acceptedModels.contains(terminal.model)) {
        const auto answer = QMessageBox::question(
            window, tr("Серийная настройка"),
            tr("Файл %1 сохранён с терминала %2, а подключён терминал %3. Записать настройки "
               "файла на терминалы %3?")
                .arg(QDir::toNativeSeparators(settingsPath), shownModel, terminal.model),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (!running || step != Step::Checking)
            return;
        if (answer != QMessageBox::Yes) {
            finishTerminal(tr("не записано: модель %1, файл сохранён с %2")
                               .arg(terminal.model, shownModel),
                           false);
            return;
        }
        acceptedModels.insert(terminal.model);
    }
    step = Step::Settings;
    answerTimer->start();
    emit sendCommand(QStringLiteral(">D 15;0"));
}

void BatchSetup::settingsRead()
{
    if (!running || step != Step::Settings)
        return;
    answerTimer->stop();
    QString refusal;
    const QString settings = page->prepareBatchString(file.values, password, &refusal);
    if (settings.isNull()) {
        finishTerminal(tr("не записано: %1").arg(refusal), false);
        return;
    }
    step = Step::Confirm;
    updateBanner(tr("Терминал %1: запись…").arg(terminal.serialNumber), false);
    // the write, then the read that confirms it
    emit sendCommand(settings);
    emit sendCommand(QStringLiteral(">D 15;0"));
}

void BatchSetup::writeFinished(WriteOutcome outcome, const QStringList &differing)
{
    if (!running || step != Step::Confirm)
        return;
    switch (outcome) {
    case WriteOutcome::Confirmed:
        doneSerials.insert(terminal.serialNumber);
        finishTerminal(tr("записано и подтверждено"), true);
        break;
    case WriteOutcome::NotConfirmed:
        finishTerminal(tr("не подтверждено, отличаются: %1")
                           .arg(differing.join(QStringLiteral(", "))),
                       false);
        break;
    case WriteOutcome::NoAnswer:
        finishTerminal(tr("нет ответа терминала"), false);
        break;
    }
}

void BatchSetup::timedOut()
{
    if (!running || (step != Step::Identity && step != Step::Settings))
        return;
    if (step == Step::Identity)
        terminal = TerminalIdentity();   // what the page shows may be the terminal before
    finishTerminal(tr("нет ответа терминала"), false);
}

void BatchSetup::finishTerminal(const QString &result, bool ok)
{
    answerTimer->stop();
    step = Step::Waiting;
    (ok ? confirmed : failed) += 1;
    const QString outcome = terminal.serialNumber.isEmpty()
                                ? result.left(1).toUpper() + result.mid(1)
                                : tr("Терминал %1: %2").arg(terminal.serialNumber, result);
    updateBanner(outcome + QStringLiteral(". ") + tr("Подключите следующий терминал."), !ok);
    if (!appendJournal(batchJournalLine(QDateTime::currentDateTime(), terminal, result)))
        stop();
}

bool BatchSetup::appendJournal(const QString &line)
{
    QFile f(journal);
    const QByteArray bytes = line.toUtf8();
    if (f.open(QIODevice::Append) && f.write(bytes) == bytes.size() && f.flush())
        return true;
    QMessageBox::critical(window, tr("Серийная настройка"),
                          tr("Не удалось записать журнал %1: %2. Серийная настройка остановлена.")
                              .arg(QDir::toNativeSeparators(journal), f.errorString()));
    return false;
}

void BatchSetup::updateBanner(const QString &state, bool failure)
{
    const QString head =
        tr("Серийная настройка по файлу %1. Записано и подтверждено: %2, с ошибкой: %3.")
            .arg(QDir::toNativeSeparators(settingsPath))
            .arg(confirmed)
            .arg(failed);
    // failures in a red that reads on the banner's light band
    const QString line = failure ? QStringLiteral("<span style=\"color:#c62828; font-weight:bold\">%1</span>")
                                       .arg(state.toHtmlEscaped())
                                 : state.toHtmlEscaped();
    bannerLabel->setText(head.toHtmlEscaped() + QStringLiteral("<br>") + line);
}
