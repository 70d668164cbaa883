#include "firmware/firmwareupdatedialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QHBoxLayout>
#include <QVBoxLayout>

FirmwareUpdateDialog::FirmwareUpdateDialog(TerminalSession *session, QWidget *parent)
    : QDialog(parent)
    , run(new FirmwareUpdate(session, this))
    , progressBar(new QProgressBar)
    , resultLabel(new QLabel)
    , button(new QPushButton(tr("Отмена")))
    , retryButton(new QPushButton(tr("Повторить")))
{
    setObjectName(QStringLiteral("firmwareUpdateDialog"));
    setWindowTitle(tr("Обновление ПО через USB "));
    progressBar->setObjectName(QStringLiteral("firmwareProgressBar"));
    resultLabel->setObjectName(QStringLiteral("firmwareResultLabel"));
    button->setObjectName(QStringLiteral("firmwareCancelButton"));
    stageTexts = {tr("Ожидание диска KVT_loader"), tr("Копирование файла на диск"),
                  tr("Запись на диск"), tr("Ожидание терминала")};
    auto *layout = new QVBoxLayout(this);
    for (std::size_t k = 0; k < stageLabels.size(); ++k) {
        stageLabels[k] = new QLabel;
        layout->addWidget(stageLabels[k]);
    }
    progressBar->setRange(0, 1);
    progressBar->setValue(0);
    layout->addWidget(progressBar);
    resultLabel->setWordWrap(true);
    resultLabel->setMinimumWidth(420);
    resultLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(resultLabel);
    retryButton->setObjectName(QStringLiteral("firmwareRetryButton"));
    retryButton->setToolTip(tr("Начать обновление заново с тем же файлом"));
    retryButton->hide();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(retryButton);
    buttons->addWidget(button);
    layout->addLayout(buttons);
    connect(button, &QPushButton::clicked, this, &FirmwareUpdateDialog::reject);
    connect(retryButton, &QPushButton::clicked, this, &FirmwareUpdateDialog::retry);
    countdown.setInterval(1000);
    connect(&countdown, &QTimer::timeout, this, &FirmwareUpdateDialog::showTimeLeft);
    connect(run, &FirmwareUpdate::stageChanged, this, &FirmwareUpdateDialog::showStage);
    connect(run, &FirmwareUpdate::progress, this, &FirmwareUpdateDialog::showProgress);
    connect(run, &FirmwareUpdate::finished, this, &FirmwareUpdateDialog::showEnd);
    showStage(FirmwareUpdate::Stage::WaitingForDisk);
}

bool FirmwareUpdateDialog::start(const QString &firmwareFile)
{
    QString error;
    file = firmwareFile;
    if (run->start(firmwareFile, &error))
        return true;
    QMessageBox::critical(parentWidget(), windowTitle(),
                          tr("Файл %1 не читается: %2")
                              .arg(QDir::toNativeSeparators(firmwareFile), error));
    return false;
}

void FirmwareUpdateDialog::reject()
{
    // "Отмена" while at work stops the update; the dialog stays to say how it ended
    if (run->isRunning()) {
        run->cancel();
        return;
    }
    QDialog::reject();
}

void FirmwareUpdateDialog::showStage(FirmwareUpdate::Stage stage)
{
    if (stage == FirmwareUpdate::Stage::Finished)
        return;
    const int now = int(stage);
    for (int k = 0; k < int(stageLabels.size()); ++k) {
        const QString mark = k < now ? QStringLiteral("✓ ") : k == now ? QStringLiteral("▶ ")
                                                                        : QStringLiteral("   ");
        stageLabels[std::size_t(k)]->setText(mark + stageTexts[std::size_t(k)]);
        QFont font = stageLabels[std::size_t(k)]->font();
        font.setBold(k == now);
        stageLabels[std::size_t(k)]->setFont(font);
    }
    // waiting has no measure: the bar runs while the disk or the terminal is awaited, and the
    // stage counts down the time it may take
    const bool waiting = stage == FirmwareUpdate::Stage::WaitingForDisk
                         || stage == FirmwareUpdate::Stage::WaitingForTerminal;
    if (waiting) {
        progressBar->setRange(0, 0);
        waitingStage = now;
        waitLimitMs = stage == FirmwareUpdate::Stage::WaitingForDisk ? run->diskTimeout()
                                                                     : run->terminalTimeout();
        waitClock.start();
        countdown.start();
        showTimeLeft();
    } else {
        waitingStage = -1;
        countdown.stop();
    }
}

void FirmwareUpdateDialog::showTimeLeft()
{
    if (waitingStage < 0)
        return;
    const qint64 left = qMax<qint64>(0, (waitLimitMs - waitClock.elapsed() + 999) / 1000);
    const QString time = left >= 60
                             ? tr("%1 мин %2 с").arg(left / 60).arg(left % 60, 2, 10, QLatin1Char('0'))
                             : tr("%1 с").arg(left);
    const auto k = std::size_t(waitingStage);
    stageLabels[k]->setText(QStringLiteral("▶ ") + tr("%1 (осталось %2)").arg(stageTexts[k], time));
}

void FirmwareUpdateDialog::retry()
{
    retryButton->hide();
    resultLabel->clear();
    resultLabel->setStyleSheet(QString());
    resultLabel->setMinimumHeight(0);
    button->setText(tr("Отмена"));
    progressBar->setFormat(QStringLiteral("%p%"));
    showStage(FirmwareUpdate::Stage::WaitingForDisk);
    // the file gone meanwhile: start() has said why, the dialog ends as it did
    if (!start(file))
        showEnd(FirmwareUpdate::Outcome::CopyFailed,
                tr("Файл %1 не читается").arg(QDir::toNativeSeparators(file)));
}

void FirmwareUpdateDialog::showProgress(qint64 copied, qint64 total)
{
    // in KiB: the bar counts in int
    progressBar->setRange(0, int(qMax<qint64>(1, (total + 1023) / 1024)));
    progressBar->setValue(int((copied + 1023) / 1024));
    progressBar->setFormat(tr("%1 из %2 КиБ").arg((copied + 1023) / 1024).arg((total + 1023) / 1024));
}

void FirmwareUpdateDialog::showEnd(FirmwareUpdate::Outcome outcome, const QString &text)
{
    const bool ok = outcome == FirmwareUpdate::Outcome::Updated;
    waitingStage = -1;
    countdown.stop();
    progressBar->setRange(0, 1);
    progressBar->setValue(ok ? 1 : 0);
    progressBar->setFormat(ok ? tr("Готово") : QString());
    // the stage it ended in: done when the terminal came back, crossed out otherwise
    const bool back = ok || outcome == FirmwareUpdate::Outcome::SameVersion;
    for (std::size_t k = 0; k < stageLabels.size(); ++k) {
        QLabel *label = stageLabels[k];
        if (!label->font().bold())
            continue;
        label->setText((back ? QStringLiteral("✓ ") : QStringLiteral("✗ ")) + stageTexts[k]);
        QFont font = label->font();
        font.setBold(false);
        label->setFont(font);
    }
    resultLabel->setText(text);
    resultLabel->setStyleSheet(ok ? QString() : QStringLiteral("color: #e53935;"));
    button->setText(tr("Закрыть"));
    // every ending but the new version can be tried again, with the same file
    retryButton->setVisible(!ok);
    if (!ok)
        retryButton->setDefault(true);
    // the dialog grows to show the whole result, however many lines it wraps to
    resultLabel->setMinimumHeight(resultLabel->heightForWidth(resultLabel->width()));
    resize(width(), qMax(height(), sizeHint().height()));
}
