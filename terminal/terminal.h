#pragma once

#include <QWidget>

class Console;
class QCheckBox;
class QFile;
class QLineEdit;
class QPushButton;
class QTextStream;
class QTimer;

// True while the terminal log is paused; there is one terminal panel in the program.
extern bool terminalPaused;

// The raw traffic panel: the log, pause / clear / save, a command line and command files.
class Terminal : public QWidget
{
    Q_OBJECT

public:
    explicit Terminal(QWidget *parent = nullptr);
    ~Terminal() override;

    void showReceived(const QByteArray &data);
    void setConsoleEnabled(bool on);
    void clearConsole();

    Console *logConsole() const { return console; }
    bool isSendingFile() const;

signals:
    void sendCmdSignal(QString cmd_str);

private slots:
    void send_cmd_slot();
    void pause_cmd_slot();
    void clear_cmd_slot();
    void save_cmd_slot();
    void send_file_cmd_slot();
    void sendFile_slot();

protected:
    // The command file to send, asked with the standard open-file dialog.
    virtual QString askCommandFileName();
    // The name to save the log under, asked with the standard save-file dialog.
    virtual QString askLogFileName();

private:
    void stopSendingFile();

    Console *console = nullptr;
    QLineEdit *commandEdit = nullptr;
    QPushButton *sendButton = nullptr;
    QPushButton *pauseButton = nullptr;
    QPushButton *saveButton = nullptr;
    QPushButton *fileButton = nullptr;
    QPushButton *clearButton = nullptr;
    QCheckBox *autoScrollCheck = nullptr;
    QFile *sendFile = nullptr;
    QTextStream *sendStream = nullptr;
    QTimer *sendTimer = nullptr;
};
