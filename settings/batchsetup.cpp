#include "settings/batchsetup.h"

#include "link/recordrouter.h"
#include "settings/core_batchjournal.h"
#include "settings/core_batchrun.h"
#include "settings/settingspage.h"

#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

BatchSetup::BatchSetup(SettingsPage *page, QWidget *window)
    : QObject(window)
    , page(page)
    , window(window)
    , batchRun(new BatchRun(page->settingsWriter(), this))
    , bannerFrame(new QFrame)
    , bannerLabel(new QLabel)
    , stopButton(new QPushButton)
    , vehicleField(new QLineEdit)
{
    // the settings the page reads, in the order the page gets them
    connect(page, &SettingsPage::settingsReported, batchRun, &BatchRun::settingsReported);
    connect(batchRun, &BatchRun::progress, this, &BatchSetup::updateBanner);
    connect(batchRun, &BatchRun::runningChanged, this, &BatchSetup::runningChangedTo);
    connect(batchRun, &BatchRun::identityRequested, this, &BatchSetup::identityRequested);
    connect(batchRun, &BatchRun::journalFailed, this, &BatchSetup::journalFailed);
    batchRun->setModelQuestion([this](const QString &shownFileModel, const QString &terminalModel) {
        return askOtherModel(shownFileModel, terminalModel);
    });

    bannerFrame->setObjectName(QStringLiteral("batchBanner"));
    bannerLabel->setObjectName(QStringLiteral("batchStatusLabel"));
    stopButton->setObjectName(QStringLiteral("batchStopButton"));
    stopButton->setText(tr("Остановить"));
    stopButton->setToolTip(tr("Остановить серийную настройку"));
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
    vehicleField->setObjectName(QStringLiteral("batchVehicleEdit"));
    vehicleField->setPlaceholderText(tr("ТС: госномер или гаражный номер"));
    vehicleField->setToolTip(tr("Транспортное средство терминала, который настраивается сейчас "
                                "(необязательно): оно попадёт в реестр установок"));
    vehicleField->setClearButtonEnabled(true);
    vehicleField->setMaximumWidth(220);
    layout->addWidget(vehicleField);
    layout->addWidget(stopButton);
    bannerFrame->hide();
    connect(stopButton, &QPushButton::clicked, this, &BatchSetup::stop);
}

void BatchSetup::setIdentitySource(std::function<TerminalIdentity()> source)
{
    batchRun->setIdentitySource(std::move(source));
}

void BatchSetup::setPortSource(std::function<QString()> source)
{
    batchRun->setPortSource(std::move(source));
}

void BatchSetup::registerTaps(RecordRouter &router)
{
    for (RecordKind kind : {RecordKind::Identity, RecordKind::SerialNumber, RecordKind::Imei})
        router.tap(kind, [this, kind](const RecordLine &) { batchRun->identityRecordSeen(kind); });
}

QWidget *BatchSetup::banner() const
{
    return bannerFrame;
}

void BatchSetup::setAnswerTimeout(int ms)
{
    batchRun->setAnswerTimeout(ms);
}

bool BatchSetup::isRunning() const
{
    return batchRun->isRunning();
}

QString BatchSetup::journalPath() const
{
    return batchRun->journalPath();
}

int BatchSetup::confirmedCount() const
{
    return batchRun->confirmedCount();
}

int BatchSetup::failedCount() const
{
    return batchRun->failedCount();
}

bool BatchSetup::start(const QString &settingsFile, const QString &accessPassword,
                       bool connectedNow)
{
    const QString title = tr("Серийная настройка");
    stop();
    SettingsFile read;
    if (!page->readSettingsFile(settingsFile, &read))
        return false;
    if (accessPassword.isEmpty()) {
        QMessageBox::information(window, title, tr("Требуется указать пароль доступа"));
        return false;
    }
    QString journalError;
    if (!batchRun->start(read, settingsFile, accessPassword, connectedNow, &journalError)) {
        QMessageBox::critical(window, title,
                              tr("Не удалось открыть журнал %1: %2")
                                  .arg(QDir::toNativeSeparators(batchJournalPath(settingsFile)),
                                       journalError));
        return false;
    }
    return true;
}

void BatchSetup::stop()
{
    // a terminal in the middle gets its journal line
    batchRun->abandon();
}

void BatchSetup::terminalConnected()
{
    batchRun->terminalConnected();
}

void BatchSetup::runningChangedTo(bool running)
{
    bannerFrame->setVisible(running);
    emit runningChanged(running);
}

bool BatchSetup::askOtherModel(const QString &shownFileModel, const QString &terminalModel)
{
    const auto answer = QMessageBox::question(
        window, tr("Серийная настройка"),
        tr("Файл %1 сохранён с терминала %2, а подключён терминал %3. Записать настройки "
           "файла на терминалы %3?")
            .arg(QDir::toNativeSeparators(batchRun->settingsPath()), shownFileModel, terminalModel),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

void BatchSetup::journalFailed(const QString &path, const QString &error)
{
    QMessageBox::critical(window, tr("Серийная настройка"),
                          tr("Не удалось записать журнал %1: %2. Серийная настройка остановлена.")
                              .arg(QDir::toNativeSeparators(path), error));
}

void BatchSetup::updateBanner(const QString &state, bool failure)
{
    const QString head =
        tr("Серийная настройка по файлу %1. Записано и подтверждено: %2, с ошибкой: %3.")
            .arg(QDir::toNativeSeparators(batchRun->settingsPath()))
            .arg(batchRun->confirmedCount())
            .arg(batchRun->failedCount());
    // failures in a red that reads on the banner's light band
    const QString line = failure ? QStringLiteral("<span style=\"color:#c62828; font-weight:bold\">%1</span>")
                                       .arg(state.toHtmlEscaped())
                                 : state.toHtmlEscaped();
    bannerLabel->setText(head.toHtmlEscaped() + QStringLiteral("<br>") + line);
}
