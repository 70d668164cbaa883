#pragma once
// "Открыть запись…" and the replay bar: opens a recording, plays it through the window's
// terminal session (every page, the log, the charts and the report as at that moment) and
// ends it when the bar is closed or a terminal is connected.

#include <QObject>
#include <QString>

#include <functional>

class InstallationReport;
class QAction;
class RecordingPlayer;
class ReplayBar;
class Terminal;
class TerminalSession;
class QWidget;

class ReplayController : public QObject
{
    Q_OBJECT

public:
    // `window`: the parent of the boxes and the window whose title names the recording.
    ReplayController(TerminalSession *session, QWidget *window, QObject *parent = nullptr);

    QAction *openAction() const { return action; }
    ReplayBar *bar() const { return replayBar; }
    RecordingPlayer *player() const { return replay; }

    // Where the sent lines and notes of the recording are shown.
    void setLog(Terminal *terminal) { log = terminal; }
    // Told which recording a report is made from.
    void setReport(InstallationReport *installationReport) { report = installationReport; }
    // Empties the pages and the log, before a recording plays from its start.
    void setResetPages(std::function<void()> reset) { resetPages = std::move(reset); }

    // Opens the recording (asking first when a terminal is connected); false when it does not
    // play (refused with a message, or the user kept the terminal).
    bool openRecording(const QString &fileName);
    void closeRecording();

protected:
    // The recording to open, asked with the standard open-file dialog; empty: none.
    virtual QString askRecordingFile();

private:
    void ended();
    void setTitle(const QString &fileName);

    TerminalSession *session;
    QWidget *window;
    RecordingPlayer *replay = nullptr;
    ReplayBar *replayBar = nullptr;
    QAction *action = nullptr;
    Terminal *log = nullptr;
    InstallationReport *report = nullptr;
    std::function<void()> resetPages;
    QString title;   // the window's own title, while a recording names itself in it
    QString folder;  // where the last recording came from
};
