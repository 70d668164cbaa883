#pragma once

#include <QWidget>

#include <functional>

class Console;
class QAction;
class QCheckBox;
class QFile;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextStream;
class QTimer;
class QToolButton;
class Recorder;

// The raw traffic panel: the log, pause / clear / save, a command line and command files,
// view options of the log (time stamps, sent lines, hex, find) and recording to a file.
class Terminal : public QWidget
{
    Q_OBJECT

public:
    // True while the log is paused ("Пауза"): received chunks are recorded but not shown.
    bool isPaused() const { return paused; }
    explicit Terminal(QWidget *parent = nullptr);
    ~Terminal() override;

    // Every chunk read from the port, before framing: shown unless paused, recorded.
    void showReceived(const QByteArray &data);
    // Every write to the port: shown as sent lines when that option is on, recorded.
    void showSent(const QByteArray &data);
    // The port was closed / opened: marked in the recording, so a gap in it shows.
    void markLinkGap(const QString &why);
    void markLinkBack(const QString &why);
    // A note of the program, on a line of its own (a recording's notes played back).
    void showNote(const QString &text);
    // Where the log takes the time it stamps: the wall clock unless given another (the
    // recorded time while a recording plays).
    void setClock(std::function<qint64()> clock);
    void setConsoleEnabled(bool on);
    void clearConsole();

    // Recording into a file (what the record button does once it has the name); a file
    // that cannot be created is reported in a message box and false returned.
    bool startRecording(const QString &fileName);
    void stopRecording();
    bool isRecording() const;

    Console *logConsole() const { return console; }
    bool isSendingFile() const;

signals:
    void sendCmdSignal(QString cmd_str);
    // What the status bar shows about recording: the file and its size; empty when off.
    void recordingStatusChanged(const QString &text);

private slots:
    void send_cmd_slot();
    void pause_cmd_slot();
    void clear_cmd_slot();
    void save_cmd_slot();
    void send_file_cmd_slot();
    void sendFile_slot();
    void record_slot(bool on);
    void recordingFailed(const QString &reason);
    void updateRecordingStatus();
    void showFindBar();
    void hideFindBar();
    void findNext();
    void findPrevious();

protected:
    // The command file to send, asked with the standard open-file dialog.
    virtual QString askCommandFileName();
    // The name to save the log under, asked with the standard save-file dialog.
    virtual QString askLogFileName();
    // The file to record into, asked with the standard save-file dialog.
    virtual QString askRecordFileName();

private:
    void stopSendingFile();
    void buildViewMenu();
    void buildFindBar();
    void find(bool backward);
    bool autoScroll() const;

    Console *console = nullptr;
    QLineEdit *commandEdit = nullptr;
    QPushButton *sendButton = nullptr;
    QPushButton *pauseButton = nullptr;
    bool paused = false;   // the log shows nothing new while paused
    QPushButton *saveButton = nullptr;
    QPushButton *fileButton = nullptr;
    QPushButton *clearButton = nullptr;
    QCheckBox *autoScrollCheck = nullptr;
    QFile *sendFile = nullptr;
    QTextStream *sendStream = nullptr;
    QTimer *sendTimer = nullptr;

    // view options, remembered between runs
    QToolButton *viewButton = nullptr;
    QAction *timeStampsAction = nullptr;
    QAction *sentLinesAction = nullptr;
    QAction *hexAction = nullptr;
    QAction *findAction = nullptr;
    QWidget *findBar = nullptr;
    QLineEdit *findEdit = nullptr;
    QLabel *findStatusLabel = nullptr;

    QPushButton *recordButton = nullptr;
    Recorder *recorder = nullptr;
    QTimer *recordStatusTimer = nullptr;
    QString recordStatus;
    std::function<qint64()> clock;
};
