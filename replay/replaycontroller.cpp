#include "replay/replaycontroller.h"

#include "link/recordingplayer.h"
#include "link/terminalsession.h"
#include "replay/replaybar.h"
#include "report/installationreport.h"
#include "terminal/terminal.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStyle>
#include <QWidget>

ReplayController::ReplayController(TerminalSession *session, QWidget *window, QObject *parent)
    : QObject(parent)
    , session(session)
    , window(window)
{
    setObjectName(QStringLiteral("replayController"));
    replay = new RecordingPlayer(session, this);
    replayBar = new ReplayBar;
    replayBar->hide();

    action = new QAction(window->style()->standardIcon(QStyle::SP_MediaPlay), tr("Открыть запись…"),
                         this);
    action->setObjectName(QStringLiteral("openRecordingAction"));
    action->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+O")));
    action->setToolTip(tr("Открыть запись обмена и воспроизвести её на страницах, в логе и на "
                          "графиках"));
    connect(action, &QAction::triggered, this, [this] {
        const QString file = askRecordingFile();
        if (!file.isEmpty())
            openRecording(file);
    });

    connect(replayBar, &ReplayBar::pauseToggled, replay, &RecordingPlayer::setPaused);
    connect(replayBar, &ReplayBar::speedChosen, replay, &RecordingPlayer::setSpeed);
    connect(replayBar, &ReplayBar::seekRequested, replay, &RecordingPlayer::seek);
    connect(replayBar, &ReplayBar::closeRequested, this, &ReplayController::closeRecording);
    connect(replay, &RecordingPlayer::positionChanged, replayBar, &ReplayBar::setPosition);
    connect(replay, &RecordingPlayer::pausedChanged, replayBar, &ReplayBar::setPaused);
    connect(replay, &RecordingPlayer::skippedChanged, replayBar, &ReplayBar::setSkipped);
    connect(replay, &RecordingPlayer::rewound, this, [this] {
        if (resetPages)
            resetPages();
    });
    connect(replay, &RecordingPlayer::sentLine, this, [this](const QByteArray &bytes) {
        if (log)
            log->showSent(bytes);
    });
    connect(replay, &RecordingPlayer::note, this, [this](const QString &text) {
        if (log)
            log->showNote(text);
    });
    connect(replay, &RecordingPlayer::closed, this, &ReplayController::ended);
}

QString ReplayController::askRecordingFile()
{
    const QString file = QFileDialog::getOpenFileName(window, tr("Открыть запись"), folder,
                                                      tr("Записи (*.txt *.log);;Все файлы (*)"));
    if (!file.isEmpty())
        folder = QFileInfo(file).absolutePath();
    return file;
}

bool ReplayController::openRecording(const QString &fileName)
{
    QString error;
    if (!RecordingPlayer::check(fileName, &error)) {
        QMessageBox::warning(window, tr("Открыть запись"),
                             tr("Запись %1 не открыта: %2")
                                 .arg(QDir::toNativeSeparators(fileName), error));
        return false;
    }
    // a terminal on the line (or waited for) is let go only when the user says so
    const bool replaying = replay->isOpen();
    if (!replaying && (session->isOpen() || session->isWaiting())) {
        const auto answer = QMessageBox::question(
            window, tr("Открыть запись"),
            tr("Терминал подключён. Отключить его и воспроизвести запись %1?")
                .arg(QFileInfo(fileName).fileName()),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return false;
        session->close();
    }
    const QString own = replaying ? title : window->windowTitle();
    if (!replay->open(fileName, &error)) {
        // gone or changed since it was checked
        QMessageBox::warning(window, tr("Открыть запись"),
                             tr("Запись %1 не открыта: %2")
                                 .arg(QDir::toNativeSeparators(fileName), error));
        ended();
        return false;
    }
    title = own;
    replayBar->start(replay->firstTime(), replay->lastTime());
    replayBar->show();
    if (report)
        report->setRecording(QFileInfo(fileName).fileName(), replay->firstTime(), replay->lastTime());
    setTitle(fileName);
    return true;
}

void ReplayController::closeRecording()
{
    replay->close();
    ended();
}

void ReplayController::ended()
{
    replayBar->hide();
    if (report)
        report->setRecording(QString(), 0, 0);
    if (!title.isNull()) {
        window->setWindowTitle(title);
        title = QString();
    }
}

void ReplayController::setTitle(const QString &fileName)
{
    window->setWindowTitle(tr("%1 — запись %2").arg(title, QFileInfo(fileName).fileName()));
}
