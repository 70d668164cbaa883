#include "firmware/firmwareupdatedialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

FirmwareUpdateDialog::FirmwareUpdateDialog(TerminalSession *session, QWidget *parent)
    : QDialog(parent)
    , run(new FirmwareUpdate(session, this))
    , progressBar(new QProgressBar)
    , resultLabel(new QLabel)
    , button(new QPushButton(tr("Отмена")))
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
    layout->addWidget(button, 0, Qt::AlignRight);
    connect(button, &QPushButton::clicked, this, &FirmwareUpdateDialog::reject);
    connect(run, &FirmwareUpdate::stageChanged, this, &FirmwareUpdateDialog::showStage);
    connect(run, &FirmwareUpdate::progress, this, &FirmwareUpdateDialog::showProgress);
    connect(run, &FirmwareUpdate::finished, this, &FirmwareUpdateDialog::showEnd);
    showStage(FirmwareUpdate::Stage::WaitingForDisk);
}

bool FirmwareUpdateDialog::start(const QString &firmwareFile)
{
    QString error;
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
    // waiting has no measure: the bar runs while the disk or the terminal is awaited
    const bool waiting = stage == FirmwareUpdate::Stage::WaitingForDisk
                         || stage == FirmwareUpdate::Stage::WaitingForTerminal;
    if (waiting)
        progressBar->setRange(0, 0);
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
    progressBar->setRange(0, 1);
    progressBar->setValue(ok ? 1 : 0);
    progressBar->setFormat(ok ? tr("Готово") : QString());
    // the stage it ended in: done when the terminal came back, crossed out otherwise
    const bool back = ok || outcome == FirmwareUpdate::Outcome::SameVersion;
    for (QLabel *label : stageLabels) {
        if (!label->font().bold())
            continue;
        label->setText((back ? QStringLiteral("✓ ") : QStringLiteral("✗ ")) + label->text().mid(2));
        QFont font = label->font();
        font.setBold(false);
        label->setFont(font);
    }
    resultLabel->setText(text);
    resultLabel->setStyleSheet(ok ? QString() : QStringLiteral("color: #e53935;"));
    button->setText(tr("Закрыть"));
    // the dialog grows to show the whole result, however many lines it wraps to
    resultLabel->setMinimumHeight(resultLabel->heightForWidth(resultLabel->width()));
    resize(width(), qMax(height(), sizeHint().height()));
}
