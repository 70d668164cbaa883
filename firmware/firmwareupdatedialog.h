#pragma once
// The guided firmware update over USB in one dialog: the stages one under the other (the one
// at work marked), the copy's progress, and how it ended with what to do next. "Отмена" stops
// it (a partial copy is removed); once ended, the button closes the dialog.

#include "firmware/firmwareupdate.h"

#include <QDialog>
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

    FirmwareUpdate *const run;
    std::array<QLabel *, 4> stageLabels{};
    std::array<QString, 4> stageTexts;
    QProgressBar *const progressBar;
    QLabel *const resultLabel;
    QPushButton *const button;
};
