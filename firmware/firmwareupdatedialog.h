#pragma once
// The guided firmware update over USB in one dialog: the stages one under the other (the one
// at work marked), the copy's progress, and how it ended with what to do next. "Отмена" stops
// it (a partial copy is removed); once ended, the button closes the dialog. A wait shows the
// time it has left; an update that did not end with the new version offers "Повторить", which
// starts it again with the same file.

#include "firmware/firmwareupdate.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <array>

class QLabel;
class QProgressBar;
class QPushButton;

class FirmwareUpdateDialog : public QDialog
{
    Q_OBJECT

public:
    FirmwareUpdateDialog(TerminalSession *session, QWidget *parent);

    FirmwareUpdate *update() const { return run; }
    // Starts the update with the file; false, after saying why, when the file cannot be read.
    bool start(const QString &firmwareFile);

protected:
    void reject() override;

private:
    void showStage(FirmwareUpdate::Stage stage);
    void showProgress(qint64 copied, qint64 total);
    void showEnd(FirmwareUpdate::Outcome outcome, const QString &text);
    // the stage's text, with the time left while it waits
    void showTimeLeft();
    void retry();

    FirmwareUpdate *const run;
    std::array<QLabel *, 4> stageLabels{};
    std::array<QString, 4> stageTexts;
    QProgressBar *const progressBar;
    QLabel *const resultLabel;
    QPushButton *const button;
    QPushButton *const retryButton;
    QString file;
    // the wait at work and how long it may take
    int waitingStage = -1;
    int waitLimitMs = 0;
    QElapsedTimer waitClock;
    QTimer countdown;
};
